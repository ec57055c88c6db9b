// Table rows for the format engine tests: one call, the text it must leave and its result.
#pragma once

#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

#include "gstring.h"

struct FormatCase {
  const char* call;  // the arguments as written, shown when the row fails
  int (*run)(GString& target);
  std::u16string expected;
  int result;
};

// FORMAT_CASE(u"expected", result, u"format", arguments...)
#define FORMAT_CASE(expected, result, ...) \
  FormatCase { #__VA_ARGS__, [](GString& s) { return s.Format(__VA_ARGS__); }, expected, result }

// Readable form of UTF-16 text for failure messages: ASCII as it is, the rest as \uXXXX.
inline std::string Show(const std::u16string& text) {
  std::string out;
  static const char kHex[] = "0123456789ABCDEF";
  for (char16_t c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out += char(c);
    } else {
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
    }
  }
  return out;
}

inline std::u16string TextOf(const GString& s) {
  return s.Length ? std::u16string(s.WideText(0), size_t(s.Length)) : std::u16string();
}

template <size_t N>
void ExpectCases(const FormatCase (&cases)[N]) {
  for (const FormatCase& c : cases) {
    GString s;
    const int result = c.run(s);
    EXPECT_EQ(result, c.result) << c.call;
    EXPECT_EQ(Show(TextOf(s)), Show(c.expected)) << c.call;
    EXPECT_EQ(s.Wide, 1u) << c.call;
  }
}

// A caller that forwards its own arguments, as the process launcher does.
inline int AppendForwarded(GString& target, const char16_t* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = target.FormatAppend(format, args);
  va_end(args);
  return result;
}
