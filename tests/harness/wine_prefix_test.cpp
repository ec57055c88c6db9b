// Shows that the Windows tests really run on the Windows each prefix plays:
// a 32-bit prefix has an x86 processor, a 64-bit one AMD64 under WOW64.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace {

const char* PrefixKind() {
  const char* kind = std::getenv("KBD_WINE_PREFIX");
  return kind ? kind : "";
}

TEST(WinePrefix, NativeArchitectureMatchesThePrefix) {
  SYSTEM_INFO info;
  GetNativeSystemInfo(&info);
  if (std::strcmp(PrefixKind(), "win32") == 0) {
    EXPECT_EQ(info.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_INTEL);
  } else if (std::strcmp(PrefixKind(), "win64") == 0) {
    EXPECT_EQ(info.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_AMD64);
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    EXPECT_TRUE(wow64);
  } else {
    GTEST_SKIP() << "not started by wine-run.sh";
  }
}

}  // namespace
