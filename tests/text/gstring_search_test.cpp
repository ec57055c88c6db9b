// Tests of GString searches, comparisons, suffixes, path joins and debug output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gstring.h"

namespace {

std::u16string Wide(const GString& s) {
  return std::u16string(s.WideText(0), size_t(s.Length));
}

// The same text as a wide and as a narrow string, for tests that must hold in both widths.
struct Both {
  GString wide;
  GString narrow;
  explicit Both(const char16_t* text) {
    EXPECT_TRUE(wide.AssignWide(text));
    EXPECT_TRUE(narrow.AssignAsNarrow(&wide));
  }
};

TEST(GStringSearch, FindLast) {
  struct Case {
    const char16_t* text;
    char16_t ch;
    int from;
    int wide;    // expected in the wide string
    int narrow;  // expected in the narrow (byte-indexed) string
  };
  const Case cases[] = {
      {u"C:\\dir\\file.txt", u'\\', 0, 6, 6},
      {u"C:\\dir\\file.txt", u'\\', 6, 6, 6},
      {u"C:\\dir\\file.txt", u'\\', 7, -1, -1},
      {u"file.txt", u'\\', 0, -1, -1},
      {u"", u'\\', 0, -1, -1},
      {u"abc", u'a', -1, -1, -1},
      {u"abc", u'a', 3, -1, -1},
      {u"\u00E9a\u00E9b", 0x00E9, 0, 2, 3},  // narrow: the sequence's first byte
      {u"\u00E9a\u00E9b", 0x00E9, 3, -1, 3},
      {u"x\u20AC", 0x20AC, 0, 1, 1},
  };
  for (const Case& c : cases) {
    Both s(c.text);
    EXPECT_EQ(s.wide.FindLast(c.ch, c.from), c.wide);
    EXPECT_EQ(s.narrow.FindLast(c.ch, c.from), c.narrow);
  }
}

TEST(GStringSearch, Find) {
  struct Case {
    const char16_t* text;
    const char16_t* pattern;
    int from;
    int expected;
  };
  const Case cases[] = {
      {u"abcabc", u"b", 0, 1},   {u"abcabc", u"b", 2, 4},    {u"abcabc", u"b", 6, -1},
      {u"abcabc", u"b", -1, -1}, {u"abcabc", u"", 0, -1},    {u"abcabc", nullptr, 0, -1},
      {u"", u"a", 0, -1},        {u"abcabc", u"abc", 3, 3},  {u"abcabc", u"abc", 4, -1},
      {u"abcabc", u"cabc", 0, 2}, {u"ab", u"abc", 0, -1},
  };
  for (const Case& c : cases) {
    Both s(c.text);
    EXPECT_EQ(s.wide.Find(c.pattern, c.from), c.expected);
    EXPECT_EQ(s.narrow.Find(c.pattern, c.from), c.expected);
    GString narrowPattern;
    ASSERT_TRUE(narrowPattern.AssignWide(c.pattern));
    ASSERT_TRUE(narrowPattern.MakeNarrow(0));
    EXPECT_EQ(s.wide.FindNarrow(c.pattern ? narrowPattern.NarrowText(0) : nullptr, c.from), c.expected);
  }
}

TEST(GStringSearch, FindInNarrowStringGivesByteIndex) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow("caf\xC3\xA9 \xC3\xA9t\xC3\xA9"));
  EXPECT_EQ(s.Find(u"\u00E9"), 3);
  EXPECT_EQ(s.Find(u"\u00E9", 4), 6);
  EXPECT_EQ(s.Find(u"\u00E9t", 0, 2), 6);
  GString pattern;
  ASSERT_TRUE(pattern.AssignWide(u"\u00E9t"));
  EXPECT_EQ(s.Find(pattern), 6);
  EXPECT_EQ(s.FindNarrow("\xC3"), 3);
  GString wide;
  ASSERT_TRUE(wide.AssignWide(u"ab"));
  EXPECT_EQ(wide.FindNarrow("b\xC3"), -1);  // undecodable argument
}

TEST(GStringCompare, OrderIsEmptyThenLengthThenUnits) {
  struct Case {
    const char16_t* string;
    const char16_t* text;
    int expected;
  };
  const Case cases[] = {
      {u"abc", u"abd", -1}, {u"abd", u"abc", 1}, {u"b", u"abc", -1}, {u"abc", u"ABC", 1},
      {u"", u"", 0},        {u"", nullptr, 0},   {u"", u"a", -1},     {u"a", nullptr, 1},
      {u"a", u"", 1},       {u"abc", u"abc", 0}, {u"\uFF21", u"a", 1},  // unsigned units
  };
  for (const Case& c : cases) {
    Both s(c.string);
    EXPECT_EQ(s.wide.Compare(c.text), c.expected);
    EXPECT_EQ(s.narrow.Compare(c.text), c.expected);
  }
  Both s(u"\u00E9");
  EXPECT_EQ(s.wide.CompareNarrow("\xC3\xA9"), 0);
  EXPECT_EQ(s.narrow.CompareNarrow("\xC3\xA9"), 0);
  EXPECT_EQ(s.narrow.CompareNarrow("\xC3\xA9", 1), 1);
  EXPECT_NE(s.wide.CompareNarrow("\xC3"), 0);
}

TEST(GStringCompare, IsEqualAcrossWidths) {
  Both a(u"Kreska \u00E9");
  Both b(u"Kreska \u00E8");
  EXPECT_TRUE(a.wide.IsEqual(a.narrow));
  EXPECT_TRUE(a.narrow.IsEqual(a.wide));
  EXPECT_FALSE(a.wide.IsDifferent(a.narrow));
  EXPECT_TRUE(a.wide.IsDifferent(b.narrow));
  EXPECT_TRUE(a.narrow.IsDifferent(b.wide));
}

TEST(GStringPath, SuffixAndPathJoins) {
  enum Op { kSuffix, kPath };
  struct Case {
    Op op;
    const char16_t* before;
    const char16_t* argument;
    const char16_t* after;
    int result;
  };
  const Case cases[] = {
      {kSuffix, u"C:\\dir\\", u"\\", u"C:\\dir\\", 1},
      {kSuffix, u"C:\\dir", u"\\", u"C:\\dir\\", 1},
      {kSuffix, u"", u"\\", u"\\", 1},
      {kSuffix, u"name.txt", u".txt", u"name.txt", 1},
      {kSuffix, u"name", u".txt", u"name.txt", 1},
      {kSuffix, u"name", u"", u"name", 0},
      {kSuffix, u"name", nullptr, u"name", 0},
      {kPath, u"C:\\dir", u"file.txt", u"C:\\dir\\file.txt", 1},
      {kPath, u"C:\\dir\\", u"\\file.txt", u"C:\\dir\\file.txt", 1},
      {kPath, u"C:\\dir", u"/file.txt", u"C:\\dir\\file.txt", 1},
      {kPath, u"", u"file.txt", u"\\file.txt", 1},
      {kPath, u"C:\\dir", u"", u"C:\\dir\\", 1},
      {kPath, u"C:\\dir", nullptr, u"C:\\dir\\", 1},
      {kPath, u"C:/dir/", u"sub", u"C:/dir/\\sub", 1},
      {kPath, u"C:\\dir", u"\\", u"C:\\dir\\", 1},
      {kPath, u"C:\\d\u00EFr", u"f\u00EFle", u"C:\\d\u00EFr\\f\u00EFle", 1},
  };
  for (const Case& c : cases) {
    GString narrowArgument;
    ASSERT_TRUE(narrowArgument.AssignWide(c.argument));
    ASSERT_TRUE(narrowArgument.MakeNarrow(0));
    const char* narrowText = c.argument ? narrowArgument.NarrowText(0) : nullptr;
    // Every combination of string width and argument width gives the same text.
    for (int variant = 0; variant < 4; ++variant) {
      Both s(c.before);
      GString& target = variant < 2 ? s.wide : s.narrow;
      const bool narrowArg = variant % 2;
      int result;
      if (c.op == kSuffix) {
        result = narrowArg ? target.EnsureSuffixNarrow(narrowText) : target.EnsureSuffix(c.argument);
      } else {
        result = narrowArg ? target.AppendPathNarrow(narrowText) : target.AppendPath(c.argument);
      }
      EXPECT_EQ(result, c.result) << "variant " << variant;
      ASSERT_TRUE(target.MakeWide(0));
      EXPECT_EQ(Wide(target), c.after) << "variant " << variant;
    }
  }
}

TEST(GStringPath, JoinsChainAndFailOnUndecodableComponent) {
  GString path;
  ASSERT_TRUE(path.AssignWide(u"C:"));
  GString folder;
  ASSERT_TRUE(folder.AssignNarrow("Program Files"));
  GString name;
  ASSERT_TRUE(name.AssignWide(u"\\Kreska"));
  path.AppendPath(folder).AppendPath(name);
  EXPECT_EQ(Wide(path), u"C:\\Program Files\\Kreska");

  EXPECT_EQ(path.AppendPathNarrow("bad\xC3"), 0);
  EXPECT_EQ(Wide(path), u"C:\\Program Files\\Kreska");

  // A path joined with itself: the separator must not invalidate the component.
  GString self;
  ASSERT_TRUE(self.AssignWide(u"abcdefghijklmnopqrstuvwxyzABC"));  // fills one block
  self.AppendPath(self);
  EXPECT_EQ(Wide(self), u"abcdefghijklmnopqrstuvwxyzABC\\abcdefghijklmnopqrstuvwxyzABC");
}

TEST(FindBytes, PlainScanWithBoundChecks) {
  const unsigned char data[] = {1, 2, 3, 1, 2, 3, 4};
  const unsigned char pattern[] = {2, 3};
  const unsigned char tail[] = {3, 4};
  EXPECT_EQ(FindBytes(data, pattern, 7, 2, 0), 1);
  EXPECT_EQ(FindBytes(data, pattern, 7, 2, 2), 4);
  EXPECT_EQ(FindBytes(data, tail, 7, 2, 0), 5);
  EXPECT_EQ(FindBytes(data, tail, 7, 2, 6), -1);  // from + pattern past the end
  EXPECT_EQ(FindBytes(data, pattern, 7, 2, -1), -1);
  EXPECT_EQ(FindBytes(nullptr, pattern, 7, 2, 0), -1);
  EXPECT_EQ(FindBytes(data, nullptr, 7, 2, 0), -1);
  EXPECT_EQ(FindBytes(data, pattern, 0, 2, 0), -1);
  EXPECT_EQ(FindBytes(data, pattern, 7, 0, 0), -1);
  EXPECT_EQ(FindBytes(data, data, 7, 7, 0), 0);
  EXPECT_EQ(FindBytes(pattern, data, 2, 7, 0), -1);
}

std::vector<std::u16string>* g_lines;
void Capture(const char16_t* line) {
  g_lines->push_back(line);
}

class DebugOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_lines = &lines_;
    previous_ = SetDebugSink(Capture);
  }
  void TearDown() override {
    SetDebugSink(previous_);
    g_lines = nullptr;
  }
  std::vector<std::u16string> lines_;
  DebugSink previous_ = nullptr;
};

TEST_F(DebugOutputTest, FullLinesEndInContinuationMarks) {
  const std::u16string text = std::u16string(80, u'a') + std::u16string(80, u'b') + std::u16string(40, u'c');
  GString s;
  ASSERT_TRUE(s.AssignWide(text.c_str()));
  s.DebugOutput();
  ASSERT_EQ(lines_.size(), 3u);
  EXPECT_EQ(lines_[0], std::u16string(80, u'a') + u" \\\n");
  EXPECT_EQ(lines_[1], std::u16string(80, u'b') + u" \\\n");
  EXPECT_EQ(lines_[2], std::u16string(40, u'c') + u"\n");
}

TEST_F(DebugOutputTest, LastFullLineEndsPlainWhenNothingFollows) {
  GString s(u'x', 160);
  s.DebugOutput();
  ASSERT_EQ(lines_.size(), 2u);
  EXPECT_EQ(lines_[0], std::u16string(80, u'x') + u" \\\n");
  EXPECT_EQ(lines_[1], std::u16string(80, u'x') + u"\n");
}

TEST_F(DebugOutputTest, NarrowTextIsCountedAndCutInCharacters) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow("\xC3\xA9\xC3\xA9\xC3\xA9\xE2\x82\xAC" "ab"));
  s.LineWidth = 2;
  s.DebugOutput();
  ASSERT_EQ(lines_.size(), 3u);
  EXPECT_EQ(lines_[0], u"\u00E9\u00E9 \\\n");
  EXPECT_EQ(lines_[1], u"\u00E9\u20AC \\\n");
  EXPECT_EQ(lines_[2], u"ab\n");
}

TEST_F(DebugOutputTest, MaxLimitsWhatIsSentAndEmptySendsNothing) {
  GString s(u'y', 100);
  s.DebugOutput(90);
  ASSERT_EQ(lines_.size(), 2u);
  EXPECT_EQ(lines_[1], std::u16string(10, u'y') + u"\n");

  lines_.clear();
  s.LineWidth = 0;
  s.DebugOutput(5);
  ASSERT_EQ(lines_.size(), 1u);
  EXPECT_EQ(lines_[0], u"yyyyy\n");

  lines_.clear();
  GString empty;
  empty.DebugOutput();
  EXPECT_TRUE(lines_.empty());
}

}  // namespace
