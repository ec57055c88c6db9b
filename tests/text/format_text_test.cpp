// Character, text, GString and text-record conversions of the format engine.
#include <cstring>

#include "format_cases.h"

using namespace std::string_literals;

namespace {

// "é" (U+00E9) in UTF-8.
const char kNarrowText[] = "\xC3\xA9t\xC3\xA9";

}  // namespace

TEST(FormatTextTest, Characters) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"A", 1, u"%c", 'A'),
      FORMAT_CASE(u"\x0416", 1, u"%C", 0x416),
      FORMAT_CASE(u"\x0416", 1, u"%c", 0x10416),  // the low 16 bits
      FORMAT_CASE(u"  x", 1, u"%3c", 'x'),
      FORMAT_CASE(u"x  |", 1, u"%-3c|", 'x'),
      FORMAT_CASE(u"00x", 1, u"%03c", 'x'),
      // "$" escapes everything outside 0x20..0x7E, "#" only control characters.
      FORMAT_CASE(u"{09}", 1, u"%$c", '\t'),
      FORMAT_CASE(u"{16}", 1, u"%$c", 0x416),
      FORMAT_CASE(u"{7f}", 1, u"%$c", 0x7F),
      FORMAT_CASE(u"{7F}", 1, u"%$C", 0x7F),
      FORMAT_CASE(u"{01}", 1, u"%#c", 1),
      FORMAT_CASE(u"\x0416", 1, u"%#c", 0x416),
      FORMAT_CASE(u" {0a}", 1, u"%$5c", '\n'),
      FORMAT_CASE(u"{00}", 1, u"%#c", 0),
      FORMAT_CASE(u"a\0b"s, 1, u"a%cb", 0),
      // "h": one byte in the target's code page, UTF-8.
      FORMAT_CASE(u"a", 1, u"%hc", 'a'),
      FORMAT_CASE(u"A", 1, u"%hc", 0x141),
      FORMAT_CASE(u"", 0, u"%hc", 0x80),
      FORMAT_CASE(u"ok", 0, u"ok%hc", 0xE9),
      FORMAT_CASE(u"{80}", 1, u"%$hc", 0x80),
  };
  ExpectCases(cases);
}

TEST(FormatTextTest, WideTexts) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"abc", 1, u"%s", u"abc"),
      FORMAT_CASE(u"", 1, u"%s", u""),  // an empty field on a string without a buffer
      FORMAT_CASE(u"", 1, u"%hs%-.0s", "", u""),
      FORMAT_CASE(u"abc", 1, u"%ls", u"abc"),
      FORMAT_CASE(u"abc", 1, u"%.3s", u"abcdef"),
      FORMAT_CASE(u"ab", 1, u"%.5s", u"ab"),
      FORMAT_CASE(u"  abc", 1, u"%5s", u"abc"),
      FORMAT_CASE(u"ab   |", 1, u"%-5.2s|", u"abc"),
      FORMAT_CASE(u"{null}", 1, u"%s", nullptr),
      FORMAT_CASE(u"  {null}", 1, u"%8s", nullptr),
      // "L" and "ll" consume the text and print nothing, not even fill.
      FORMAT_CASE(u"|5", 1, u"%8Ls|%d", u"abc", 5),
      FORMAT_CASE(u"|", 1, u"%llS|", u"abc"),
      // A negative precision takes exactly that many units, zeros included.
      FORMAT_CASE(u"a\0b"s, 1, u"%.*s", -3, u"a\0bc"),
      FORMAT_CASE(u"a", 1, u"%.*s", 3, u"a\0bc"),
      // Escapes count four characters each in the field length.
      FORMAT_CASE(u"a{09}b", 1, u"%$s", u"a\tb"),
      FORMAT_CASE(u"{01}z", 1, u"%#S", u"\x01z"),
      FORMAT_CASE(u"{16}", 1, u"%$s", u"\x0416"),
      FORMAT_CASE(u"{FF}", 1, u"%$S", u"\x04FF"),
      FORMAT_CASE(u"\x0416{0d}", 1, u"%#s", u"\x0416\r"),
      FORMAT_CASE(u"   {09}x", 1, u"%$8s", u"\tx"),
      FORMAT_CASE(u"{09}{0a}", 1, u"%$.2s", u"\t\n\r"),
  };
  ExpectCases(cases);
}

TEST(FormatTextTest, NarrowTextsCountCharactersAndDecode) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"abc", 1, u"%hs", "abc"),
      FORMAT_CASE(u"\x00e9t\x00e9", 1, u"%hs", kNarrowText),
      FORMAT_CASE(u"\x00e9t", 1, u"%.2hs", kNarrowText),
      FORMAT_CASE(u"  \x00e9t\x00e9|", 1, u"%5hs|", kNarrowText),
      FORMAT_CASE(u"\x00e9t\x00e9  |", 1, u"%-5hS|", kNarrowText),
      FORMAT_CASE(u"\x20ac", 1, u"%.1hs", "\xE2\x82\xAC\xE2\x82\xAC"),
      // "$" works on bytes: each byte outside 0x20..0x7E is escaped.
      FORMAT_CASE(u"{c3}{a9}t", 1, u"%$.3hs", kNarrowText),
      FORMAT_CASE(u"{C3}{A9}", 1, u"%$hS", "\xC3\xA9"),
      // "#" escapes the control bytes between decoded runs.
      FORMAT_CASE(u"a{01}\x00e9{1f}", 1, u"%#hs", "a\x01\xC3\xA9\x1F"),
      FORMAT_CASE(u" a{0a}", 1, u"%#6hs", "a\n"),
      // Texts that do not decode make the call fail.
      FORMAT_CASE(u"", 0, u"%hs", "\xC3"),
      FORMAT_CASE(u"", 0, u"%hs", "\xF0\x9F\x98\x80"),
      FORMAT_CASE(u"", 0, u"%hs", "a\x80"),
      FORMAT_CASE(u"", 0, u"%#hs", "\xC3\x01\xA9"),
      // The last character taken brings every continuation byte behind it.
      FORMAT_CASE(u"", 0, u"%.1hs", "a\x80"),
      FORMAT_CASE(u"", 0, u"%.1hs", "\xC3\xA9\xA9z"),
      FORMAT_CASE(u"", 0, u"%.*hs", -1, "\xC3\xA9\xA9"),
      FORMAT_CASE(u"{null}", 1, u"%hs", nullptr),
  };
  ExpectCases(cases);
}

TEST(FormatTextTest, GStringArguments) {
  GString wide;
  ASSERT_EQ(wide.AssignWide(u"wide"), 1);
  GString narrow;
  ASSERT_EQ(narrow.AssignNarrow(kNarrowText), 1);
  GString empty;

  GString s;
  ASSERT_EQ(s.Format(u"%z|%Z|%.2z|%6z|%z", &wide, &narrow, &wide, &narrow, &empty), 1);
  EXPECT_EQ(TextOf(s), u"wide|\x00e9t\x00e9|wi|   \x00e9t\x00e9|");
  ASSERT_EQ(s.Format(u"%z", nullptr), 1);
  EXPECT_EQ(TextOf(s), u"{null}");
  // A negative precision does not read past the string's text.
  ASSERT_EQ(s.Format(u"%.*z|", -10, &wide), 1);
  EXPECT_EQ(TextOf(s), u"wide|");
}

TEST(FormatTextTest, TargetAsItsOwnArgument) {
  GString s;
  ASSERT_EQ(s.AssignWide(u"0123456789"), 1);
  // Appending its own text makes the target grow while the text is read.
  for (int i = 0; i < 4; ++i) ASSERT_EQ(AppendForwarded(s, u"%z", &s), 1);
  EXPECT_EQ(s.Length, 160);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(TextOf(s).substr(size_t(i) * 10, 10), u"0123456789");

  // So does a plain pointer into the target's text, and a byte dump of it.
  GString t;
  ASSERT_EQ(t.AssignWide(u"abcdefghijklmnopqrstuvwxyz012"), 1);  // 29 units: the first block is full
  ASSERT_EQ(AppendForwarded(t, u"%.3s", t.WideText(1)), 1);
  EXPECT_EQ(TextOf(t), u"abcdefghijklmnopqrstuvwxyz012bcd");
  GString u;
  ASSERT_EQ(u.AssignWide(u"abcdefghijklmnopqrstuvwxyz012"), 1);
  ASSERT_EQ(AppendForwarded(u, u"|%.4b", u.WideText(0)), 1);
  EXPECT_EQ(TextOf(u), u"abcdefghijklmnopqrstuvwxyz012|61006200");
}

TEST(FormatTextTest, TextRecords) {
  // Records are unaligned and need not be terminated: the header's count bounds the text.
  unsigned char narrowRecord[1 + 4 + 6];
  StoreTextHeader(narrowRecord + 1, true, 4);
  std::memcpy(narrowRecord + 5, "\xC3\xA9tXY", 5);
  unsigned char wideRecord[1 + 4 + 8];
  StoreTextHeader(wideRecord + 1, false, 3);
  const char16_t units[4] = {u'h', u'\x0416', u'!', u'?'};
  std::memcpy(wideRecord + 5, units, sizeof units);
  unsigned char zeroInside[4 + 4];
  StoreTextHeader(zeroInside, true, 4);
  std::memcpy(zeroInside + 4, "ab\0c", 4);

  const auto* narrow = reinterpret_cast<const TextRecord*>(narrowRecord + 1);
  const auto* wide = reinterpret_cast<const TextRecord*>(wideRecord + 1);
  const auto* zero = reinterpret_cast<const TextRecord*>(zeroInside);
  GString s;
  ASSERT_EQ(s.Format(u"%hz|%hZ|%$hZ|%hz|%.1hz", narrow, wide, wide, zero, narrow), 1);
  EXPECT_EQ(TextOf(s), u"\x00e9tX|h\x0416!|h{16}!|ab|\x00e9");
  ASSERT_EQ(s.Format(u"%hz", nullptr), 1);
  EXPECT_EQ(TextOf(s), u"{null}");
}
