// The support table and the version code, on plain numbers.
#include "system/platform_rules.h"

#include <gtest/gtest.h>

namespace {

struct SupportCase {
  int32_t osVersion;
  uint16_t architecture;
  int32_t supported;
};

TEST(PlatformRules, SupportTable) {
  const SupportCase cases[] = {
      // Before 5.2 only x86 exists.
      {50, 0, 1}, {51, 0, 1}, {50, 6, 0}, {50, 9, 0}, {51, 9, 0}, {51, 6, 0},
      // From 5.2 on every listed version takes all three architectures.
      {52, 0, 1}, {52, 6, 1}, {52, 9, 1}, {60, 9, 1}, {61, 6, 1}, {62, 0, 1}, {63, 9, 1},
      {100, 0, 1}, {100, 9, 1},
      // Codes between and beyond the listed ones.
      {0, 0, 0}, {49, 0, 0}, {53, 0, 0}, {64, 9, 0}, {70, 0, 0}, {99, 9, 0}, {101, 0, 0},
      {110, 9, 0}, {-1, 0, 0},
      // Architectures other than 0, 6 and 9 on every version.
      {50, 5, 0}, {52, 5, 0}, {61, 12, 0}, {100, 12, 0}, {100, 1, 0}, {100, 31, 0}, {100, 32, 0},
      {100, 0xFFFF, 0},
  };
  for (const SupportCase& c : cases) {
    EXPECT_EQ(platform::IsSupported(c.osVersion, c.architecture), c.supported)
        << "version " << c.osVersion << " architecture " << c.architecture;
  }
}

TEST(PlatformRules, VersionCodeAndSixtyFourBitFlag) {
  EXPECT_EQ(platform::VersionCode(5, 0), 50);
  EXPECT_EQ(platform::VersionCode(6, 3), 63);
  EXPECT_EQ(platform::VersionCode(10, 0), 100);
  EXPECT_EQ(platform::Is64BitArchitecture(platform::kArchAmd64), 1);
  EXPECT_EQ(platform::Is64BitArchitecture(platform::kArchIa64), 1);
  EXPECT_EQ(platform::Is64BitArchitecture(platform::kArchX86), 0);
  EXPECT_EQ(platform::Is64BitArchitecture(5), 0);
  EXPECT_EQ(platform::Is64BitArchitecture(platform::kArchUnknown), 0);
}

}  // namespace
