// Digit strings of doubles: rounding, point position, sign, limits.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "digits.h"

namespace {

struct DigitsCase {
  double value;
  int n;
  const char* digits;
  int point;
  bool negative;
};

}  // namespace

TEST(DigitsTest, FixedDigits) {
  const DigitsCase cases[] = {
      {3.14159, 2, "314", 1, false},
      {0.05, 3, "50", -1, false},
      {-0.05, 3, "50", -1, true},
      {0.0001, 3, "", -3, false},  // rounds to zero: no digits
      {0.0, 2, "", -2, false},
      {-0.0, 2, "", -2, true},
      {0.0005, 3, "1", -2, false},  // 0.0005000000000000000104... rounds up
      {999.96, 1, "10000", 4, false},
      {123.0, 0, "123", 3, false},
      {1e20, 1, "1000000000000000000000", 21, false},
  };
  for (const DigitsCase& c : cases) {
    DigitString d;
    ASSERT_EQ(FixedDigits(c.value, c.n, &d), 1) << c.value;
    EXPECT_STREQ(d.digits, c.digits) << c.value;
    EXPECT_EQ(d.count, int(std::string(c.digits).size())) << c.value;
    EXPECT_EQ(d.point, c.point) << c.value;
    EXPECT_EQ(d.negative, c.negative) << c.value;
  }
}

TEST(DigitsTest, SignificantDigits) {
  const DigitsCase cases[] = {
      {1234.5, 7, "1234500", 4, false},
      {9.96, 2, "10", 2, false},
      {0.0001234, 3, "123", -3, false},
      {-2.5, 1, "2", 1, true},  // exactly between two: to even
      {0.0, 3, "000", 1, false},
      {-0.0, 1, "0", 1, true},
      {5e-324, 3, "494", -323, false},
      {DBL_MAX, 3, "180", 309, false},
  };
  for (const DigitsCase& c : cases) {
    DigitString d;
    ASSERT_EQ(SignificantDigits(c.value, c.n, &d), 1) << c.value;
    EXPECT_STREQ(d.digits, c.digits) << c.value;
    EXPECT_EQ(d.point, c.point) << c.value;
    EXPECT_EQ(d.negative, c.negative) << c.value;
  }
}

// The buffer holds the longest requests: all 617 digits of the largest double
// with 308 decimals, and 309 significant digits.
TEST(DigitsTest, LongestRequestsFit) {
  DigitString d;
  ASSERT_EQ(FixedDigits(-DBL_MAX, DigitString::kMaxPlaces, &d), 1);
  EXPECT_EQ(d.count, 309 + 308);
  EXPECT_EQ(d.point, 309);
  EXPECT_EQ(std::string(d.digits, 17), "17976931348623157");
  EXPECT_EQ(std::string(d.digits + 309), std::string(308, '0'));
  ASSERT_EQ(SignificantDigits(5e-324, DigitString::kMaxSignificant, &d), 1);
  EXPECT_EQ(d.count, 309);
  EXPECT_EQ(std::string(d.digits, 10), "4940656458");
}

TEST(DigitsTest, RefusesWhatHasNoDigits) {
  DigitString d;
  EXPECT_EQ(FixedDigits(std::nan(""), 2, &d), 0);
  EXPECT_EQ(FixedDigits(HUGE_VAL, 2, &d), 0);
  EXPECT_EQ(FixedDigits(1.0, -1, &d), 0);
  EXPECT_EQ(FixedDigits(1.0, DigitString::kMaxPlaces + 1, &d), 0);
  EXPECT_EQ(SignificantDigits(-HUGE_VAL, 2, &d), 0);
  EXPECT_EQ(SignificantDigits(1.0, 0, &d), 0);
  EXPECT_EQ(SignificantDigits(1.0, DigitString::kMaxSignificant + 1, &d), 0);
  EXPECT_EQ(SignificantDigits(1.0, 2, nullptr), 0);
}
