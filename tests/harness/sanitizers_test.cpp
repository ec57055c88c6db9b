// The native tests are only worth their name with the sanitizers built in.
#include <gtest/gtest.h>

#ifndef __has_feature
#define __has_feature(x) 0
#endif

TEST(Harness, NativeTestsRunWithSanitizers) {
#if __has_feature(address_sanitizer) && __has_feature(undefined_behavior_sanitizer)
  SUCCEED();
#elif __has_feature(address_sanitizer)
  SUCCEED();  // clang 14 reports UBSan through -fsanitize only, not __has_feature
#else
  FAIL() << "the native build lost -fsanitize=address";
#endif
}
