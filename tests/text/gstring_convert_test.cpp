// Tests of UTF-8 <-> UTF-16 conversion, width changes and upper-case mapping.
#include <gtest/gtest.h>

#include <string>

#include "gstring.h"
#include "upper_table.h"

namespace {

std::u16string Wide(const GString& s) {
  return std::u16string(s.WideText(0), size_t(s.Length));
}

std::string Narrow(const GString& s) {
  return std::string(s.NarrowText(0), size_t(s.Length));
}

TEST(Utf8, EncodesEachUnitOnItsOwn) {
  struct Case {
    std::u16string units;
    std::string bytes;
  };
  const Case cases[] = {
      {u"A", "A"},
      {std::u16string(1, u'\0'), std::string(1, '\0')},
      {u"\u007F\u0080", "\x7F\xC2\x80"},
      {u"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
      {u"\u20AC", "\xE2\x82\xAC"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {u"\U0001F600", "\xED\xA0\xBD\xED\xB8\x80"},  // D83D DE00: two three-byte sequences
  };
  for (const Case& c : cases) {
    const int count = int(c.units.size());
    char out[16];
    EXPECT_EQ(Utf8Size(c.units.data(), count), int(c.bytes.size()));
    ASSERT_EQ(EncodeUtf8(c.units.data(), count, out), int(c.bytes.size()));
    EXPECT_EQ(std::string(out, c.bytes.size()), c.bytes);
  }
  EXPECT_EQ(EncodeUtf8(u"a", 1, nullptr), -1);
}

TEST(Utf8, DecodesOneToThreeByteSequences) {
  struct Case {
    std::string bytes;
    std::u16string units;  // ignored when invalid
    bool valid;
  };
  const Case cases[] = {
      {"abc", u"abc", true},
      {"\xC3\xA9", u"\u00E9", true},
      {"\xE2\x82\xAC", u"\u20AC", true},
      {std::string("\xC0\x80", 2), std::u16string(1, u'\0'), true},  // overlong, not rejected
      {"\xED\xA0\xBD\xED\xB8\x80", u"\U0001F600", true},           // encoded surrogates pass
      {"a\xC3", u"", false},                                         // cut off at the end
      {"\xE2\x82", u"", false},
      {"\xF0\x9F\x98\x80", u"", false},                              // four-byte form
      {"\x80", u"", false},                                          // continuation as lead
      {"\xC3\x41", u"", false},                                      // bad continuation
      {"\xFF", u"", false},
  };
  for (const Case& c : cases) {
    const int count = int(c.bytes.size());
    char16_t out[16];
    const int written = DecodeUtf8(c.bytes.data(), count, out);
    EXPECT_GE(Utf16Size(c.bytes.data(), count), written < 0 ? 1 : written) << c.bytes;
    if (c.valid) {
      ASSERT_EQ(written, int(c.units.size())) << c.bytes;
      EXPECT_EQ(std::u16string(out, size_t(written)), c.units);
    } else {
      EXPECT_EQ(written, -1) << c.bytes;
    }
  }
  EXPECT_EQ(DecodeUtf8("a", 1, nullptr), -1);
}

// The converting append makes room for Utf16Size units and decodes straight
// into it, so the decoder must never write more, whatever the bytes.
TEST(Utf8, DecoderStaysWithinSizedRoom) {
  const unsigned char alphabet[] = {0x00, 0x41, 0x7F, 0x80, 0xBF, 0xC0, 0xC3, 0xDF,
                                    0xE0, 0xE2, 0xEF, 0xF0, 0xF7, 0xF8, 0xFF};
  const int n = int(sizeof alphabet);
  for (int code = 0; code < n * n * n * n; ++code) {
    char bytes[4];
    for (int i = 0, c = code; i < 4; ++i, c /= n) bytes[i] = char(alphabet[c % n]);
    for (int length = 1; length <= 4; ++length) {
      char16_t out[4];
      const int written = DecodeUtf8(bytes, length, out);
      ASSERT_LE(written, Utf16Size(bytes, length)) << code << " " << length;
      if (written >= 0) {
        char again[12];
        EXPECT_LE(EncodeUtf8(out, written, again), length);  // overlong forms shrink
      }
    }
  }
}

TEST(Utf8, SizeCountsLeadBytesAndStopsAtStrayByte) {
  EXPECT_EQ(Utf16Size("a\xC3\xA9\xE2\x82\xAC", -1), 3);
  EXPECT_EQ(Utf16Size("\xF0\x9F\x98\x80z", -1), 2);
  EXPECT_EQ(Utf16Size("ab\x80zzzz", -1), 3);
  EXPECT_EQ(Utf16Size(nullptr, 4), 0);
}

TEST(GStringConvert, MakeWideAndNarrowRoundTrip) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC"));
  const char16_t* wide = s.MakeWide(0);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(std::u16string(wide), u"Gr\u00FC\u00DF \u20AC");
  EXPECT_EQ(s.Wide, 1u);
  const char* narrow = s.MakeNarrow(0);
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(std::string(narrow), "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC");
  EXPECT_EQ(s.Wide, 0u);
}

TEST(GStringConvert, MakeWideOfInvalidTextFailsAndKeepsIt) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow("ok\xC3"));
  EXPECT_EQ(s.MakeWide(0), nullptr);
  EXPECT_EQ(s.Wide, 0u);
  EXPECT_EQ(Narrow(s), "ok\xC3");
}

TEST(GStringConvert, WidthChangesOfEmptyAndSameWidthStrings) {
  GString s;
  ASSERT_TRUE(s.AssignWide(u"x", 0));
  ASSERT_NE(s.MakeNarrow(0), nullptr);
  EXPECT_EQ(s.Wide, 0u);
  EXPECT_EQ(s.Scratch, nullptr);  // nothing to convert
  ASSERT_TRUE(s.AssignWide(u"same"));
  const unsigned char* buffer = s.Buffer;
  EXPECT_EQ(std::u16string(s.MakeWide(0)), u"same");
  EXPECT_EQ(s.Buffer, buffer);
}

// UTF-8 (0) is the only encoding; another argument asks for the current one.
// No operation makes another code page, so the test sets the field itself.
TEST(GStringConvert, WidthChangesTakeOnlyTheDefinedCodePage) {
  GString s;
  ASSERT_TRUE(s.AssignWide(u"abc"));
  s.CodePage = 7;
  ASSERT_NE(s.MakeWide(65001), nullptr);
  EXPECT_EQ(s.CodePage, 7);
  const unsigned char* buffer = s.Buffer;
  ASSERT_NE(s.MakeWide(0), nullptr);  // already wide: only the code page changes
  EXPECT_EQ(s.CodePage, 0);
  EXPECT_EQ(s.Buffer, buffer);
  EXPECT_EQ(Wide(s), u"abc");

  s.CodePage = 7;
  ASSERT_NE(s.MakeNarrow(0), nullptr);
  EXPECT_EQ(s.CodePage, 0);
  s.CodePage = 7;
  ASSERT_NE(s.MakeNarrow(0), nullptr);  // a narrow string is not changed
  EXPECT_EQ(s.CodePage, 7);
  ASSERT_NE(s.MakeWide(0), nullptr);
  EXPECT_EQ(s.CodePage, 0);
  EXPECT_EQ(Wide(s), u"abc");
}

TEST(GStringConvert, ConvertingAppends) {
  GString wide;
  ASSERT_TRUE(wide.AssignWide(u"n="));
  EXPECT_EQ(wide.AppendNarrowText("\xC5\x82\xC3\xB3"), 1);
  EXPECT_EQ(Wide(wide), u"n=\u0142\u00F3");
  EXPECT_EQ(wide.AppendNarrowText("z\xC3", 2), 0);  // nothing appended on error
  EXPECT_EQ(Wide(wide), u"n=\u0142\u00F3");
  EXPECT_EQ(wide.WideText(0)[wide.Length], 0);

  GString narrow;
  ASSERT_TRUE(narrow.AssignNarrow("n="));
  EXPECT_EQ(narrow.AppendText(u"\u0142\u00F3"), 1);
  EXPECT_EQ(Narrow(narrow), "n=\xC5\x82\xC3\xB3");
}

TEST(GStringConvert, MakeNarrowKeepsUnpairedSurrogates) {
  GString s;
  ASSERT_TRUE(s.AssignWide(u"\U0001F600"));
  ASSERT_NE(s.MakeNarrow(0), nullptr);
  EXPECT_EQ(Narrow(s), "\xED\xA0\xBD\xED\xB8\x80");
  ASSERT_NE(s.MakeWide(0), nullptr);
  EXPECT_EQ(Wide(s), u"\U0001F600");
}

TEST(ToUpper, RangeRulesAndTable) {
  const char16_t cases[][2] = {
      {u'a', u'A'},       {u'z', u'Z'},       {u'{', u'{'},       {0x00B5, 0x00B5},  // micro sign stays
      {0x00DF, 0x00DF},   {0x00E0, 0x00C0},   {0x00F7, 0x00F7},   {0x00F8, 0x00D8},
      {0x00FF, 0x0178},   {0x0101, 0x0100},   {0x0100, 0x0100},   {0x0131, 0x0049},
      {0x017F, 0x0053},   {0x01C5, 0x01C4},   {0x01C6, 0x01C4},   {0x0345, 0x0399},
      {0x03C2, 0x03A3},   {0x03D0, 0x03D0},   {0x03D5, 0x03D5},   {0x03F1, 0x03F1},
      {0x0430, 0x0410},   {0x0451, 0x0401},   {0x0561, 0x0531},   {0x10D0, 0x10D0},
      {0x1D79, 0xA77D},   {0x1E9B, 0x1E60},   {0x1F80, 0x1F88},   {0x1FB3, 0x1FBC},
      {0x1FBE, 0x0399},   {0x2170, 0x2160},   {0x24D0, 0x24B6},   {0x2C30, 0x2C00},
      {0x2D00, 0x10A0},   {0xA733, 0xA732},   {0xA78C, 0xA78B},   {0xFF41, 0xFF21},
      {0x0265, 0x0265},   {0xFFFF, 0xFFFF},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(int(ToUpper(c[0])), int(c[1])) << std::hex << int(c[0]);
  }
}

// The range rules and the table together must give the database's mapping for
// every unit: the generator records how many units change and a hash of them.
TEST(ToUpper, WholeMappingMatchesDatabase) {
  uint32_t hash = 0x811C9DC5u;
  int changed = 0;
  auto mix = [&hash](char16_t unit) {
    for (const uint32_t byte : {uint32_t(unit & 0xFF), uint32_t(unit >> 8)}) {
      hash = (hash ^ byte) * 0x01000193u;
    }
  };
  for (uint32_t u = 0; u <= 0xFFFF; ++u) {
    const char16_t upper = ToUpper(char16_t(u));
    if (upper != u) {
      ++changed;
      mix(char16_t(u));
      mix(upper);
    }
  }
  EXPECT_EQ(changed, kUpperMappedUnits);
  EXPECT_EQ(hash, kUpperMappingHash);
  for (int i = 1; i < kUpperTableSize; ++i) EXPECT_LT(kUpperTable[i - 1].lower, kUpperTable[i].lower);
}

TEST(GStringUpper, MakeUpperKeepsWidth) {
  struct Case {
    const char* narrow;
    const char* upper;
  };
  const Case cases[] = {
      {"stra\xC3\x9F" "e", "STRA\xC3\x9F" "E"},  // no mappings to several characters
      {"\xC2\xB5s", "\xC2\xB5S"},                // micro sign stays
      {"\xC7\x86", "\xC7\x84"},                  // U+01C6 -> U+01C4
      {"\xC5\xBF", "S"},                         // U+017F shrinks to one byte
      {"\xE1\xBE\x80", "\xE1\xBE\x88"},          // U+1F80 -> U+1F88
      {"\xC9\x90", "\xE2\xB1\xAF"},              // U+0250 grows to three bytes
      {"", ""},
  };
  for (const Case& c : cases) {
    GString s;
    ASSERT_TRUE(s.AssignNarrow(c.narrow));
    ASSERT_EQ(s.MakeUpper(), 1) << c.narrow;
    EXPECT_EQ(s.Wide, 0u);
    EXPECT_EQ(Narrow(s), c.upper);

    GString w;
    ASSERT_TRUE(w.AssignNarrow(c.narrow));
    ASSERT_TRUE(w.MakeWide(0));
    ASSERT_EQ(w.MakeUpper(), 1);
    ASSERT_TRUE(w.MakeNarrow(0));
    EXPECT_EQ(Narrow(w), c.upper);
  }
}

TEST(GStringUpper, InvalidNarrowTextFails) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow("ab\xFF"));
  EXPECT_EQ(s.MakeUpper(), 0);
  EXPECT_EQ(Narrow(s), "ab\xFF");
}

}  // namespace
