// The packager's checks: text source parsing, format arguments, patterns, table coverage.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packager/catalogue.h"
#include "packager/format_check.h"
#include "packager/table_check.h"
#include "packager/text_source.h"

namespace {

TEST(TextSource, LinesEscapesAndContinuations) {
  const std::string source =
      "# comment\n"
      "\n"
      "1 plain text  \n"
      "2\tTab\\tand\\nline\\r\\n\n"
      "3\n"
      "4 \\sleading and trailing\\s\n"
      "5 first\n"
      "   + second\n"
      "\t+\\sthird\n"
      "7 wrapped\n"
      "  | prose\n"
      "0x80000000 high \\u0105\\u20AC\\\\\n"
      "6 # not a comment\r\n";
  std::vector<TextEntry> entries;
  std::string error;
  ASSERT_TRUE(ParseTextSource(source, "t.txt", &entries, &error)) << error;
  ASSERT_EQ(entries.size(), 8u);
  EXPECT_EQ(entries[0].text, "plain text");
  EXPECT_EQ(entries[0].where, "t.txt:3");
  EXPECT_EQ(entries[1].text, "Tab\tand\nline\r\n");
  EXPECT_EQ(entries[2].text, "");
  EXPECT_EQ(entries[3].text, " leading and trailing ");
  EXPECT_EQ(entries[4].text, "firstsecond third");
  EXPECT_EQ(entries[5].text, "wrapped prose");
  EXPECT_EQ(entries[6].id, 0x80000000u);
  EXPECT_EQ(entries[6].text, "high \xC4\x85\xE2\x82\xAC\\");
  EXPECT_EQ(entries[7].text, "# not a comment");
}

TEST(TextSource, ErrorsNameFileAndLine) {
  struct Case {
    const char* source;
    const char* message;
  } const cases[] = {
      {"1 ok\n2 bad \\q escape\n", "t.txt:2: text 2: unknown escape \\q"},
      {"+ nothing before\n", "t.txt:1: continuation line without a text before it"},
      {"x1 text\n", "t.txt:1: \"x1\" is not a StringId"},
      {"4294967296 text\n", "is not a StringId"},
      {"1 \\u12\n", "four hexadecimal digits"},
      {"1 \\u0000\n", "zero or of a surrogate"},
      {"1 raw\x01control\n", "raw control character"},
      {"1 end\\\n", "backslash at the end"},
      {"1 \xC3\x28\n", "not valid UTF-8"},
      {"1 \xE0\x80\xAF overlong\n", "not valid UTF-8"},
      {"1 \xED\xA0\x80 surrogate\n", "not valid UTF-8"},
      {"1 \xF0\x9F\x98\x80 beyond U+FFFF\n", "beyond U+FFFF"},
      {"  1 indented\n", "first column"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    std::vector<TextEntry> entries;
    std::string error;
    EXPECT_FALSE(ParseTextSource(c.source, "t.txt", &entries, &error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

TEST(FormatCheck, ConversionsAgainstArguments) {
  using A = ArgumentKind;
  const std::vector<A> none;
  const std::vector<A> integer = {A::kInteger};
  const std::vector<A> intText = {A::kInteger, A::kText};
  const std::vector<A> text = {A::kText};
  const std::vector<A> intIntText = {A::kInteger, A::kInteger, A::kText};
  struct Case {
    const char* format;
    const std::vector<A>* arguments;
    bool fits;
  } const cases[] = {
      {"%04X_%s", &intText, true},
      {"%d %s", &intText, true},
      {"%u%%%-8.3s", &intText, true},
      {"%c%S", &intText, true},
      {"only %d", &intText, true},         // fewer conversions than arguments
      {"no conversions, 100%% sure", &text, true},
      {"%q%5q%", &text, true},             // not conversions
      {"%N%s", &text, true},
      {"%s %s", &intText, false},          // text where an integer is passed
      {"%d %d", &intText, false},          // integer where a text is passed
      {"%s", &intText, false},
      {"%d %s %s", &intText, false},       // more conversions than arguments
      {"%hs", &text, false},               // 8-bit text
      {"%lld %s", &intText, false},        // 64-bit integer
      {"%*s", &text, false},               // "*" takes an integer first
      {"%z", &text, false},                // a GString pointer
      {"%f", &intText, false},
      {"%p", &intText, false},
      {"%n", &intText, false},
      {"%T", &intText, false},
      // Flags, width, precision and size letters as the engine reads them.
      {"%-+ 0#$`8.3d %$#-12s", &intText, true},
      {"%*.*s", &intIntText, true},        // both "*" take integers, then the text
      {"%*d %s", &intText, false},         // "*" took the integer; "d" meets the text
      {"%ls %hd %hc %hF", &text, false},   // "l" changes nothing, "h" integers come after
      {"%ld%ls", &intText, true},
      {"%hd %hc %hF %I %U", &integer, false},  // five integers, one passed
      {"%hF", &integer, true},             // "h" makes "F" take a 32-bit integer
      {"%F", &integer, false},             // a double
      {"%Ld", &integer, false},
      {"%Ls", &text, true},                // consumes the text and prints nothing
      {"%#P", &text, true},                // "p" prints a text's address
      {"%hz", &text, false},               // a text record
      {"%b", &text, false},                // bytes to dump
      {"%hW", &text, false},               // a GUID
      {"%%s", &integer, true},             // "%%" then plain "s"
      {"%%%s", &text, true},
      {"%%d", &none, true},
      {"%.-3s", &text, true},              // "-" is no letter: nothing read, "-3s" copied
      {"%12345678901d", &none, true},      // ten width digits, then "1d" is text
      {"%.*s", &text, false},              // the precision "*" meets the text
      {"%99999d", &integer, false},        // a width the engine refuses
      {"%d", &none, false},
      {"\xC5\x82%s", &text, true},         // the format text is decoded first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    std::string reason;
    EXPECT_EQ(CheckFormat(c.format, *c.arguments, &reason), c.fits) << reason;
  }
}

TEST(FormatCheck, ReasonNamesDirectiveAndArgument) {
  using A = ArgumentKind;
  const std::vector<A> intText = {A::kInteger, A::kText};
  struct Case {
    const char* format;
    const char* reason;
  } const cases[] = {
      {"%s", "conversion \"%s\" at character 1 takes a UTF-16 text where argument 1 is an integer"},
      {"ab %d %-5d", "conversion \"%-5d\" at character 7 takes an integer where argument 2 is a UTF-16 text"},
      {"%d%%%*s", "conversion \"%*\" at character 5 takes an integer where argument 2 is a UTF-16 text"},
      {"%d %s %c", "conversion \"%c\" at character 7 takes an integer but only 2 argument(s) are "
                   "passed (integer, UTF-16 text)"},
      {"%d %hs", "conversion \"%hs\" at character 4 takes an 8-bit text where argument 2 is a UTF-16 text"},
      {"%d%s%T", "conversion \"%T\" at character 5 takes an integer but only 2"},
      {"%p", "conversion \"%p\" at character 1 takes a pointer value where argument 1 is an integer"},
      {"%99999d", "conversion \"%99999d\" at character 1 makes the formatting fail"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    std::string reason;
    EXPECT_FALSE(CheckFormat(c.format, intText, &reason));
    EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
  }
}

TEST(BytePattern, UpperCaseHexPairsOnly) {
  EXPECT_TRUE(IsBytePattern("00FF0A1B"));
  EXPECT_TRUE(IsBytePattern("0123456789ABCDEF"));
  EXPECT_FALSE(IsBytePattern(""));
  EXPECT_FALSE(IsBytePattern("0a"));
  EXPECT_FALSE(IsBytePattern("ABC"));
  EXPECT_FALSE(IsBytePattern("AB CD"));
  EXPECT_FALSE(IsBytePattern("0G"));
}

class TableCheckTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string catalogue =
        "# test catalogue\n"
        "10 page - user\n"
        "12 format int,text -\n"
        "20-21 regvalue - -\n"
        "30 pattern - -\n";
    std::string error;
    ASSERT_TRUE(ParseCatalogue(catalogue, "ids.txt", &catalogue_, &error)) << error;
    Add(&tables_.language[0], 10, "Next");
    Add(&tables_.language[1], 10, "Dalej");
    Add(&tables_.base, 12, "%04X:%s");
    Add(&tables_.base, 20, "Layout Text");
    Add(&tables_.installer, 21, "Layout File");
    Add(&tables_.base, 30, "0A0B");
  }

  static void Add(std::vector<TextEntry>* table, StringId id, const std::string& text) {
    TextEntry entry;
    entry.id = id;
    entry.text = text;
    entry.where = "src:" + std::to_string(id);
    table->push_back(entry);
  }

  std::string Problems() {
    std::string all;
    for (const std::string& problem : CheckTables(catalogue_, tables_)) all += problem + "\n";
    return all;
  }

  std::vector<CatalogueEntry> catalogue_;
  TextTables tables_;
};

TEST_F(TableCheckTest, SoundTablesPass) { EXPECT_EQ(Problems(), ""); }

TEST_F(TableCheckTest, EachFaultNamesTheId) {
  struct Case {
    const char* what;
    void (*breakIt)(TextTables*);
    const char* message;
  } const cases[] = {
      {"missing Polish text", [](TextTables* t) { t->language[1].clear(); },
       "text 10 is shown to users but has no Polish text"},
      {"user text only in base", [](TextTables* t) {
         t->language[0].clear();
         Add(&t->base, 10, "Next");
       }, "text 10 is shown to users but has no English text"},
      {"used id nowhere", [](TextTables* t) { t->installer.clear(); },
       "text 21 is used but interface language 0 (English) finds it in none of en, base, installer"},
      {"%s where an integer is passed", [](TextTables* t) { t->base[0].text = "%s:%s"; },
       "src:12: text 12 (format; arguments: integer, UTF-16 text): conversion \"%s\" at character 1 "
       "takes a "
       "UTF-16 text where argument 1 is an integer"},
      {"lower-case pattern", [](TextTables* t) { t->base[2].text = "0a0B"; },
       "src:30: text 30 (byte pattern) is not pairs of upper-case hexadecimal digits"},
      {"unknown id", [](TextTables* t) { Add(&t->language[0], 11, "?"); },
       "src:11: text 11 is not in the catalogue"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TextTables saved = tables_;
    c.breakIt(&tables_);
    const std::string problems = Problems();
    EXPECT_NE(problems.find(c.message), std::string::npos) << problems;
    tables_ = saved;
  }
}

TEST(Catalogue, RejectsMalformedLines) {
  for (const char* line : {"10 page\n", "10 colour - -\n", "10 page int -\n", "10 format int all\n",
                           "12-10 page - -\n", "10 page - -\n10 page - -\n", "1x page - -\n"}) {
    SCOPED_TRACE(line);
    std::vector<CatalogueEntry> entries;
    std::string error;
    EXPECT_FALSE(ParseCatalogue(line, "ids.txt", &entries, &error));
    EXPECT_NE(error.find("ids.txt:"), std::string::npos) << error;
  }
}

}  // namespace
