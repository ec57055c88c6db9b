// The format engine's main loop: plain text, "%%", unknown letters, "*", "N", "n", failures.
#include <climits>
#include <cmath>

#include "format_cases.h"
#include "format_field.h"

TEST(FormatEngineTest, TextAndDirectives) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"", 1, u""),
      FORMAT_CASE(u"plain", 1, u"plain"),
      FORMAT_CASE(u"%", 1, u"%%"),
      FORMAT_CASE(u"100%!", 1, u"%d%%!", 100),
      FORMAT_CASE(u"abc", 1, u"abc%"),
      FORMAT_CASE(u"q", 1, u"%q"),
      FORMAT_CASE(u"q", 1, u"%5q"),
      FORMAT_CASE(u"-3s", 1, u"%.-3s", u"abc"),
      // Arguments taken by "*" stay taken when no conversion follows.
      FORMAT_CASE(u"q9", 1, u"%*q%d", 5, 9),
      // Ten width digits are read; the eleventh stands where the letter belongs.
      FORMAT_CASE(u"1d", 1, u"%12345678901d", 5),
      FORMAT_CASE(u"\r\n", 1, u"%N"),
      FORMAT_CASE(u"a\r\nb", 1, u"a%-5Nb"),
      FORMAT_CASE(u"   42", 1, u"%*d", 5, 42),
      FORMAT_CASE(u"42   |", 1, u"%*d|", -5, 42),
      FORMAT_CASE(u"42   |", 1, u"%-*d|", 5, 42),
      FORMAT_CASE(u"\x00e9t\x00e9", 1, u"\x00e9t\x00e9"),
  };
  ExpectCases(cases);
}

TEST(FormatEngineTest, FailingLettersConsumeOneArgumentAndKeepWhatCameBefore) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"ab", 0, u"ab%Tcd", 5),
      FORMAT_CASE(u"", 0, u"%t", 5),
      FORMAT_CASE(u"7", 0, u"%d%Y%d", 7, 1, 8),
  };
  ExpectCases(cases);
}

TEST(FormatEngineTest, WidthsBeyondTheLimitFailCleanly) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"", 0, u"%1000000d", 5),
      FORMAT_CASE(u"", 0, u"%9999999999d", 5),
      FORMAT_CASE(u"", 0, u"%*d", INT_MIN, 5),
      FORMAT_CASE(u"", 0, u"%*s", INT_MAX, u"x"),
      FORMAT_CASE(u"", 0, u"%2000000c", 'x'),
      FORMAT_CASE(u"", 0, u"%2000000f", HUGE_VAL),
      // "N" ignores the width altogether.
      FORMAT_CASE(u"\r\n", 1, u"%9999999999N"),
  };
  ExpectCases(cases);
  GString s;
  ASSERT_EQ(s.Format(u"%*d", 65536, 1), 1);
  EXPECT_EQ(s.Length, 65536);
  EXPECT_EQ(s.WideText(0)[65535], u'1');
}

TEST(FormatEngineTest, CountIsMeasuredFromTheStartOfTheCall) {
  GString s;
  int32_t count = -1;
  ASSERT_EQ(s.Format(u"abc%n", &count), 1);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(TextOf(s), u"abc");

  ASSERT_EQ(AppendForwarded(s, u"%5d%n|", 1, &count), 1);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(TextOf(s), u"abc    1|");

  ASSERT_EQ(s.Format(u"x%ny", nullptr), 1);
  EXPECT_EQ(TextOf(s), u"xy");
}

TEST(FormatEngineTest, FormatAppendKeepsTheTextAndFormatReplacesIt) {
  GString s;
  ASSERT_EQ(s.AssignWide(u"n="), 1);
  ASSERT_EQ(AppendForwarded(s, u"%d, %s", 5, u"five"), 1);
  EXPECT_EQ(TextOf(s), u"n=5, five");
  EXPECT_EQ(s.WideText(0)[s.Length], u'\0');

  ASSERT_EQ(s.AssignNarrow("narrow"), 1);
  ASSERT_EQ(s.Format(u"%d", 7), 1);
  EXPECT_EQ(s.Wide, 1u);
  EXPECT_EQ(TextOf(s), u"7");
}

TEST(FormatEngineTest, NullFormatAndNarrowTargetFail) {
  GString s;
  ASSERT_EQ(s.AssignWide(u"keep"), 1);
  EXPECT_EQ(AppendForwarded(s, nullptr), 0);
  EXPECT_EQ(TextOf(s), u"keep");

  GString narrow;
  ASSERT_EQ(narrow.AssignNarrow("bytes"), 1);
  EXPECT_EQ(AppendForwarded(narrow, u"%d", 1), 0);
  EXPECT_EQ(narrow.Wide, 0u);
  EXPECT_STREQ(narrow.NarrowText(0), "bytes");
}

TEST(FormatEngineTest, EmptyFormatOnlyTerminates) {
  GString s;
  ASSERT_EQ(s.AssignWide(u"abc"), 1);
  ASSERT_EQ(AppendForwarded(s, u""), 1);
  EXPECT_EQ(TextOf(s), u"abc");
}

TEST(FormatEngineTest, LongOutputGrowsTheTarget) {
  GString s;
  ASSERT_EQ(s.Format(u"%300d|%-300s|%s", 1, u"x", u"end"), 1);
  EXPECT_EQ(s.Length, 300 + 1 + 300 + 1 + 3);
  EXPECT_EQ(TextOf(s).substr(s.Length - 6), u"  |end");
}

// An escape never runs past the end of its field: what does not fit becomes "{".
TEST(FormatFieldTest, EscapeIsCutAtTheFieldEnd) {
  GString s;
  ASSERT_EQ(s.AssignWide(u""), 1);
  FieldWriter out(s);
  ASSERT_TRUE(out.Open(7));
  out.Escape(0x1F, "0123456789abcdef", out.Next() + 4);
  out.Escape(0x1F, "0123456789abcdef", out.Next() + 2);
  out.Put(u'|');
  out.Close();
  EXPECT_EQ(TextOf(s), u"{1f}{{|");
}
