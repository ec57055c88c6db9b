// Floating-point and scaled conversions of the format engine.
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "format_cases.h"

namespace {

const double kNan = std::nan("");
const double kInf = HUGE_VAL;

}  // namespace

TEST(FormatFloatTest, Fixed) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"3.500000", 1, u"%f", 3.5),
      FORMAT_CASE(u"3.500000", 1, u"%.0f", 3.5),  // no way to ask for zero decimals
      FORMAT_CASE(u"-0003.50", 1, u"%08.2f", -3.5),
      FORMAT_CASE(u"3.14", 1, u"%.2f", 3.14159),
      FORMAT_CASE(u"0.050", 1, u"%.3f", 0.05),
      FORMAT_CASE(u"0.000000", 1, u"%f", 0.0),
      FORMAT_CASE(u"-0.000000", 1, u"%f", -0.0),
      FORMAT_CASE(u"0.00", 1, u"%.2f", 0.001),
      FORMAT_CASE(u"-0.00", 1, u"%.2f", -0.001),
      FORMAT_CASE(u"1.00", 1, u"%.2f", 0.999),
      FORMAT_CASE(u"0.2", 1, u"%.1f", 0.25),  // exactly between two: to even
      FORMAT_CASE(u"0.3", 1, u"%.1f", 0.35),  // 0.34999999999999997...
      FORMAT_CASE(u"100000000000000000000.000000", 1, u"%f", 1e20),
      FORMAT_CASE(u"+1.000000", 1, u"%+f", 1.0),
      FORMAT_CASE(u" 1.000000", 1, u"% f", 1.0),
      FORMAT_CASE(u"+001.50", 1, u"%+07.2f", 1.5),
      FORMAT_CASE(u"1.50   |", 1, u"%-7.2f|", 1.5),
      FORMAT_CASE(u"1.5|7", 1, u"%.*f|%d", 1, 1.5, 7),
  };
  ExpectCases(cases);
}

TEST(FormatFloatTest, ExponentialAndGeneral) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"0.000000e+00", 1, u"%e", 0.0),
      FORMAT_CASE(u"1.234500e+03", 1, u"%e", 1234.5),
      FORMAT_CASE(u"1.234500E+03", 1, u"%E", 1234.5),
      FORMAT_CASE(u"-1.5e-05", 1, u"%.1e", -1.5e-5),
      FORMAT_CASE(u"1.00e-300", 1, u"%.2e", 1e-300),
      FORMAT_CASE(u"1.797693e+308", 1, u"%e", DBL_MAX),
      FORMAT_CASE(u"4.940656e-324", 1, u"%e", 5e-324),
      FORMAT_CASE(u"1.000000e+01", 1, u"%e", 9.9999999),
      FORMAT_CASE(u"+1.5e+00", 1, u"%+.1e", 1.5),
      FORMAT_CASE(u"3", 1, u"%g", 3.14159),  // a bare "%g" shows one digit
      FORMAT_CASE(u"3.14", 1, u"%.3g", 3.14159),
      FORMAT_CASE(u"3.14159", 1, u"%.*g", -1, 3.14159),
      FORMAT_CASE(u"0.000123", 1, u"%.3g", 0.0001234),
      FORMAT_CASE(u"1.23e-05", 1, u"%.3g", 0.00001234),
      FORMAT_CASE(u"1.23e+06", 1, u"%.3g", 1234567.0),
      FORMAT_CASE(u"1.23E+06", 1, u"%.3G", 1234567.0),
      FORMAT_CASE(u"100000", 1, u"%.6g", 100000.0),
      FORMAT_CASE(u"1e+06", 1, u"%.6g", 1000000.0),
      FORMAT_CASE(u"1.00000e+06", 1, u"%#.6g", 1000000.0),
      FORMAT_CASE(u"2.5", 1, u"%.4g", 2.5),
      FORMAT_CASE(u"2.500", 1, u"%#.4g", 2.5),
      FORMAT_CASE(u"1e+01", 1, u"%g", 9.7),  // rounding moves the exponent
      FORMAT_CASE(u"0", 1, u"%g", 0.0),
      FORMAT_CASE(u"-0", 1, u"%g", -0.0),
      FORMAT_CASE(u"0.", 1, u"%#g", 0.0),
      FORMAT_CASE(u"0.00000", 1, u"%#.6g", 0.0),
      FORMAT_CASE(u"100", 1, u"%.3g", 100.0),
      FORMAT_CASE(u"  0.5", 1, u"%5.2g", 0.5),
  };
  ExpectCases(cases);
}

TEST(FormatFloatTest, Hexadecimal) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"0x1p+0", 1, u"%a", 1.0),
      FORMAT_CASE(u"0x1p-1", 1, u"%a", 0.5),
      FORMAT_CASE(u"-0x1.4P+1", 1, u"%A", -2.5),
      FORMAT_CASE(u"0x0p+0", 1, u"%a", 0.0),
      FORMAT_CASE(u"-0x0p+0", 1, u"%a", -0.0),
      FORMAT_CASE(u"0x1.00p+0", 1, u"%.2a", 1.0),
      FORMAT_CASE(u"0x1.p+0", 1, u"%#a", 1.0),
      FORMAT_CASE(u"0x1.fffffffffffffp+1023", 1, u"%a", DBL_MAX),
      FORMAT_CASE(u"0x0.0000000000001p-1022", 1, u"%a", 5e-324),
      FORMAT_CASE(u"0x1p-1022", 1, u"%a", DBL_MIN),
      // Rounding from the first digit not shown, carrying into the leading digit.
      FORMAT_CASE(u"0x2.0p+0", 1, u"%.1a", 1.96875),  // 0x1.f8p+0
      FORMAT_CASE(u"0x1.2p+0", 1, u"%.1a", 1.09375),  // 0x1.18p+0
      FORMAT_CASE(u"0x1.AP+0", 1, u"%.1A", 1.609375),  // 0x1.9cp+0
      FORMAT_CASE(u"0x1.4p+0", 1, u"%.1a", 1.26953125),  // 0x1.45p+0: not rounded
      FORMAT_CASE(u"0x1.f8p+0", 1, u"%.0a", 1.96875),  // no precision: exact
      // Zero fill between the prefix and the digits.
      FORMAT_CASE(u"0x00001p+0", 1, u"%010a", 1.0),
      FORMAT_CASE(u"-0x0001p+0", 1, u"%010a", -1.0),
      FORMAT_CASE(u"+0x1p+0", 1, u"%+a", 1.0),
  };
  ExpectCases(cases);
}

TEST(FormatFloatTest, EngineeringWithSiPrefixes) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"1.23e+03", 1, u"%F", 1234.5),
      FORMAT_CASE(u"1.23 k", 1, u"%#F", 1234.5),
      FORMAT_CASE(u"47.0 \x00b5", 1, u"%#F", 0.000047),
      FORMAT_CASE(u"123.e+00", 1, u"%F", 123.0),
      FORMAT_CASE(u"1.00 m", 1, u"%#F", 0.001),
      FORMAT_CASE(u"1.50e+30", 1, u"%#F", 1.5e30),
      FORMAT_CASE(u"1.50  ", 1, u"%#F", 1.5),
      FORMAT_CASE(u"1.00 y", 1, u"%#F", 1e-24),
      FORMAT_CASE(u"100. Y", 1, u"%#F", 1e26),
      FORMAT_CASE(u"1.00e+27", 1, u"%#F", 1e27),
      FORMAT_CASE(u"-500.e-03", 1, u"%F", -0.5),
      FORMAT_CASE(u"0.00e+00", 1, u"%F", 0.0),
      FORMAT_CASE(u"123.46 k", 1, u"%#.5F", 123456.0),
      FORMAT_CASE(u"1.00e+03", 1, u"%F", 999.9),  // rounding moves the exponent
      // "h": a 32-bit integer argument, "L" and "ll": a 64-bit one.
      FORMAT_CASE(u"1.50e+03", 1, u"%hF", 1500),
      FORMAT_CASE(u"-2.00 M", 1, u"%#LF", int64_t(-2000000)),
      FORMAT_CASE(u"9.22 E", 1, u"%#llF", INT64_MAX),
      // The micro sign is one character of the field.
      FORMAT_CASE(u"   1.00 \x00b5|", 1, u"%#9F|", 1e-6),
  };
  ExpectCases(cases);
}

TEST(FormatFloatTest, ScaledByPowersOf1024) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"2.0b10", 1, u"%U", 2048),
      FORMAT_CASE(u"1.50 Ki", 1, u"%#.3U", 1536),
      FORMAT_CASE(u"1.0 Ki", 1, u"%#U", 1000),
      FORMAT_CASE(u"0.98 Ki", 1, u"%#.3U", 1000),
      FORMAT_CASE(u"0.5 Ki", 1, u"%#U", 512),
      FORMAT_CASE(u"512.   ", 1, u"%#.3U", 512),
      FORMAT_CASE(u"0.0b00", 1, u"%U", 0),
      FORMAT_CASE(u"5.0b00", 1, u"%.1U", 5),
      FORMAT_CASE(u"5.00b00", 1, u"%.*U", -1, 5),
      FORMAT_CASE(u"1023.   ", 1, u"%#.4U", 1023),
      FORMAT_CASE(u"4.0b30", 1, u"%U", -1),
      FORMAT_CASE(u"-2.0b10", 1, u"%I", -2048),
      FORMAT_CASE(u"+2.0 Ki", 1, u"%+#I", 2048),
      FORMAT_CASE(u"-2.0 Gi", 1, u"%#I", INT32_MIN),
      FORMAT_CASE(u"1.0 Ti", 1, u"%#LU", int64_t(1) << 40),
      FORMAT_CASE(u"16. Ei", 1, u"%#LU", int64_t(-1)),
      FORMAT_CASE(u"-8.0 Ei", 1, u"%#llI", INT64_MIN),
      FORMAT_CASE(u"    2.0b10", 1, u"%10U", 2048),
      FORMAT_CASE(u"0002.0b10", 1, u"%09U", 2048),
  };
  ExpectCases(cases);
}

TEST(FormatFloatTest, NotANumberAndInfinity) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"{ nan}", 1, u"%f", kNan),
      FORMAT_CASE(u"  {+inf}", 1, u"%8f", kInf),
      FORMAT_CASE(u"{-inf}", 1, u"%.3e", -kInf),
      FORMAT_CASE(u"{ nan}  |", 1, u"%-8g|", kNan),
      FORMAT_CASE(u"{+inf}", 1, u"%a", kInf),
      FORMAT_CASE(u"{-inf}", 1, u"%#F", -kInf),
  };
  ExpectCases(cases);
  // The width is not capped for these texts.
  GString s;
  ASSERT_EQ(s.Format(u"%600f", kNan), 1);
  EXPECT_EQ(s.Length, 600);
}

TEST(FormatFloatTest, WidthIsCappedAt512) {
  GString s;
  for (const char16_t* format : {u"%600f", u"%-600e", u"%0600a", u"%600F", u"%600g"}) {
    ASSERT_EQ(s.Format(format, 1.0), 1) << Show(format);
    EXPECT_EQ(s.Length, 512) << Show(format);
  }
  ASSERT_EQ(s.Format(u"%-600U|", 1), 1);
  EXPECT_EQ(s.Length, 513);
}

TEST(FormatFloatTest, PrecisionIsCappedAt308) {
  GString s;
  ASSERT_EQ(s.Format(u"%.400f", 1.0), 1);
  EXPECT_EQ(TextOf(s), u"1." + std::u16string(308, u'0'));
  ASSERT_EQ(s.Format(u"%.400e", 1.0), 1);
  EXPECT_EQ(TextOf(s), u"1." + std::u16string(308, u'0') + u"e+00");
  ASSERT_EQ(s.Format(u"%.400a", 1.0), 1);
  EXPECT_EQ(s.Length, 2 + 2 + 308 + 3);
  ASSERT_EQ(s.Format(u"%#.400U", 1), 1);
  EXPECT_EQ(s.Length, 308 + 4);
}

// The widest fixed field: every digit of the largest double with 308 decimals.
TEST(FormatFloatTest, FixedDigitsOfTheLargestValuesAreExact) {
  const std::u16string exact1e308 =
      u"100000000000000001097906362944045541740492309677311846336810682903157585404911491537163328"
      u"978494688899061249669721172515611590283743140088328307009198146046031271664502933027185697"
      u"489699588559043338384466165001178426897626212945177628091195786707458122783970171784415105"
      u"291802893207873272974885715430223118336";
  ASSERT_EQ(exact1e308.size(), 309u);
  GString s;
  ASSERT_EQ(s.Format(u"%.308f", -1e308), 1);
  EXPECT_EQ(Show(TextOf(s)), Show(u"-" + exact1e308 + u"." + std::u16string(308, u'0')));
  ASSERT_EQ(s.Format(u"%.308f", DBL_MAX), 1);
  EXPECT_EQ(s.Length, 309 + 1 + 308);
  ASSERT_EQ(s.Format(u"%.308f", 5e-324), 1);
  EXPECT_EQ(TextOf(s), u"0." + std::u16string(308, u'0'));
}
