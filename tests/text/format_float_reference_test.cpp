// Native cross-check of the floating-point conversions against the C library's
// exact printf, over many values and precisions where the two grammars agree.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "format_cases.h"

namespace {

// Deterministic values of every magnitude, subnormals included.
double ValueAt(uint64_t& state) {
  for (;;) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    uint64_t bits = state;
    // Keep most exponents in a printable range so "f" stays short.
    if ((state >> 60) < 12) bits = (bits & 0x800FFFFFFFFFFFFFu) | (uint64_t(1023 - 40 + (state >> 33) % 80) << 52);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) return value;
  }
}

std::u16string Widen(const char* text) {
  std::u16string out;
  for (; *text; ++text) out += char16_t(static_cast<unsigned char>(*text));
  return out;
}

}  // namespace

TEST(FormatFloatReferenceTest, FixedExponentialGeneralAndHexadecimalMatchTheCLibrary) {
  uint64_t state = 12345;
  char expected[1024];
  char16_t format[16];
  GString s;
  int checked = 0;
  for (int i = 0; i < 3000; ++i) {
    const double value = ValueAt(state);
    const int precision = 1 + i % 17;
    for (const char letter : {'f', 'e', 'E', 'g', 'G'}) {
      if (letter == 'f' && std::fabs(value) > 1e30) continue;
      char c[16];
      std::snprintf(c, sizeof c, "%%.%d%c", precision, letter);
      for (int k = 0; k < 16; ++k) format[k] = char16_t(c[k]);
      std::snprintf(expected, sizeof expected, c, value);
      ASSERT_EQ(s.Format(format, value), 1) << c << " " << value;
      ASSERT_EQ(Show(TextOf(s)), Show(Widen(expected))) << c << " of " << expected;
      ++checked;
    }
    std::snprintf(expected, sizeof expected, "%a", value);
    ASSERT_EQ(s.Format(u"%a", value), 1);
    ASSERT_EQ(Show(TextOf(s)), Show(Widen(expected))) << "%a of " << expected;
  }
  EXPECT_GT(checked, 10000);
}
