// Integer and pointer conversions of the format engine.
#include <cstdint>

#include "format_cases.h"

TEST(FormatIntegerTest, SignsFillAndBases) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"-42", 1, u"%d", -42),
      FORMAT_CASE(u"-0042", 1, u"%05d", -42),
      FORMAT_CASE(u"-42  |", 1, u"%-5d|", -42),
      FORMAT_CASE(u"+7", 1, u"%+d", 7),
      FORMAT_CASE(u" 7", 1, u"% d", 7),
      FORMAT_CASE(u"+7", 1, u"%+ d", 7),
      FORMAT_CASE(u"42", 1, u"%i", 42),
      FORMAT_CASE(u"4294967295", 1, u"%u", -1),
      FORMAT_CASE(u"-2147483648", 1, u"%d", INT32_MIN),
      FORMAT_CASE(u"ff", 1, u"%x", 255),
      FORMAT_CASE(u"FF", 1, u"%X", 255),
      FORMAT_CASE(u"0xFF", 1, u"%#X", 255),
      FORMAT_CASE(u"0x00ff", 1, u"%#06x", 255),
      FORMAT_CASE(u"010", 1, u"%#o", 8),
      FORMAT_CASE(u"00010", 1, u"%#.5o", 8),
      FORMAT_CASE(u"0y101", 1, u"%#y", 5),
      FORMAT_CASE(u"0", 1, u"%.0d", 0),
      FORMAT_CASE(u"0", 1, u"%x", 0),
      FORMAT_CASE(u"0x0", 1, u"%#x", 0),
      FORMAT_CASE(u"00", 1, u"%#o", 0),  // the prefix stays: precision 1 is below 2
      // "+" and " " belong to signed conversions only.
      FORMAT_CASE(u"7", 1, u"%+u", 7),
      FORMAT_CASE(u"ff", 1, u"% x", 255),
      // "0" has no effect with "-".
      FORMAT_CASE(u"42   |", 1, u"%-05d|", 42),
      // "h" and "l" change nothing for integers.
      FORMAT_CASE(u"70000", 1, u"%hd", 70000),
      FORMAT_CASE(u"5", 1, u"%ld", 5),
      FORMAT_CASE(u"5 6", 1, u"%ld %d", 5, 6),  // "l" reads 32 bits: the next argument stays its own
  };
  ExpectCases(cases);
}

TEST(FormatIntegerTest, SixtyFourBitArguments) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"-9223372036854775808", 1, u"%lld", INT64_MIN),
      FORMAT_CASE(u"1099511627776", 1, u"%Ld", int64_t(1) << 40),
      FORMAT_CASE(u"18446744073709551615", 1, u"%llu", int64_t(-1)),
      FORMAT_CASE(u"ffffffffffffffff", 1, u"%Lx", int64_t(-1)),
      FORMAT_CASE(u"01777777777777777777777", 1, u"%#llo", int64_t(-1)),
      // The argument after a 64-bit one is read from the right place.
      FORMAT_CASE(u"4294967296 7", 1, u"%lld %d", int64_t(1) << 32, 7),
  };
  ExpectCases(cases);
}

TEST(FormatIntegerTest, PrecisionPrefixSignAndGrouping) {
  const FormatCase cases[] = {
      // The precision replaces the digit count once it covers sign, prefix and digits.
      FORMAT_CASE(u"0x1f", 1, u"%#.3x", 0x1F),
      FORMAT_CASE(u"0x0001", 1, u"%#.4x", 1),
      FORMAT_CASE(u"+005", 1, u"%+.3d", 5),
      FORMAT_CASE(u"+55", 1, u"%+.2d", 55),
      FORMAT_CASE(u"-05", 1, u"%.2d", -5),
      FORMAT_CASE(u"  007", 1, u"%5.3d", 7),
      FORMAT_CASE(u"42", 1, u"%.*d", -5, 42),
      FORMAT_CASE(u"   007", 1, u"%*.*d", 6, 3, 7),
      // Sign and prefix come before a zero fill.
      FORMAT_CASE(u"+0042", 1, u"%+05d", 42),
      FORMAT_CASE(u" 0042", 1, u"% 05d", 42),
      FORMAT_CASE(u"0x0000ff", 1, u"%#08x", 255),
      FORMAT_CASE(u"0y0101", 1, u"%#06y", 5),
      FORMAT_CASE(u"0xff    |", 1, u"%-#8x|", 255),
      // Grouping: spaces between groups counted from the right, 4 for hexadecimal and binary.
      FORMAT_CASE(u"1 234 567", 1, u"%`d", 1234567),
      FORMAT_CASE(u"123 456", 1, u"%`d", 123456),
      FORMAT_CASE(u"-1 000", 1, u"%`d", -1000),
      FORMAT_CASE(u"1234 5678", 1, u"%`x", 0x12345678),
      FORMAT_CASE(u"10 1101", 1, u"%`y", 0x2D),
      FORMAT_CASE(u"1 234 567", 1, u"%`o", 01234567),
      FORMAT_CASE(u"18 446 744 073 709 551 615", 1, u"%`llu", int64_t(-1)),
      // Grouping with precision groups the leading zeros too; a zero fill is not grouped.
      FORMAT_CASE(u"0000 001f", 1, u"%`.8x", 0x1F),
      FORMAT_CASE(u"0 012 345", 1, u"%`.7d", 12345),
      FORMAT_CASE(u"012 345", 1, u"%`07d", 12345),
      FORMAT_CASE(u"0x0000 00ff", 1, u"%#`.8x", 255),
  };
  ExpectCases(cases);
}

TEST(FormatIntegerTest, PrecisionIsCappedAt308Digits) {
  GString s;
  ASSERT_EQ(s.Format(u"%.400d", 1), 1);
  ASSERT_EQ(s.Length, 308);
  EXPECT_EQ(TextOf(s), std::u16string(307, u'0') + u"1");
  ASSERT_EQ(s.Format(u"%`.400x", 1), 1);
  EXPECT_EQ(s.Length, 308 + 307 / 4);
}

TEST(FormatIntegerTest, Pointers) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"  {null}", 1, u"%p", nullptr),
      FORMAT_CASE(u"    {null}", 1, u"%#p", nullptr),
      FORMAT_CASE(u"    {null}", 1, u"%10p", nullptr),
      FORMAT_CASE(u"  {null}  |", 1, u"%-10p|", nullptr),
      FORMAT_CASE(u"00001234", 1, u"%p", reinterpret_cast<void*>(0x1234)),
      FORMAT_CASE(u"0x00ABCDEF", 1, u"%#P", reinterpret_cast<void*>(0xABCDEF)),
      // The precision is always 8 and size letters are ignored.
      FORMAT_CASE(u"00000012", 1, u"%.2p", reinterpret_cast<void*>(0x12)),
      FORMAT_CASE(u"00000012 5", 1, u"%Lp %d", reinterpret_cast<void*>(0x12), 5),
      FORMAT_CASE(u"0000 1234", 1, u"%`p", reinterpret_cast<void*>(0x1234)),
  };
  ExpectCases(cases);
}
