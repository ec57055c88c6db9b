// Checking a format text against the arguments the program passes to it.
#include "packager/format_check.h"

#include <cstring>

namespace {

// What one conversion consumes from the argument list.
enum class Takes { kNothing, kInteger, kText, kOther };

// The conversion's argument, given its letter and size ("h", "L"/"ll").
Takes Consumes(char letter, bool narrow, bool wide64, std::string* what) {
  switch (letter) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': case 'y': case 'I': case 'U':
      if (wide64) {
        *what = "a 64-bit integer";
        return Takes::kOther;
      }
      return Takes::kInteger;
    case 'c': case 'C':
      return Takes::kInteger;
    case 's': case 'S':
      if (narrow) {
        *what = "an 8-bit text";
        return Takes::kOther;
      }
      return Takes::kText;  // with "L"/"ll" it consumes the text and prints nothing
    case 'F':
      if (narrow) return Takes::kInteger;
      *what = "a floating-point or 64-bit number";
      return Takes::kOther;
    case 'f': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
      *what = "a floating-point number";
      return Takes::kOther;
    case 'p': case 'P': case 'z': case 'Z': case 'b': case 'B': case 'w': case 'W': case 'n':
      *what = "a pointer of another kind";
      return Takes::kOther;
    case 'T': case 't': case 'Y':
      *what = "an argument, and always fails";
      return Takes::kOther;
    case 'N':
      return Takes::kNothing;
    default:
      return Takes::kNothing;
  }
}

bool IsConversionLetter(char c) {
  return c != '\0' && std::strchr("diuxXoypPcCsSzZbBfeEgGaAFIUwWNnTtY", c) != nullptr;
}

}  // namespace

bool CheckFormat(const std::string& format, const std::vector<ArgumentKind>& arguments,
                 std::string* reason) {
  std::size_t next = 0;  // next argument to consume
  int conversion = 0;
  auto take = [&](ArgumentKind wanted, const std::string& directive, const char* as) {
    if (next >= arguments.size()) {
      *reason = "conversion " + std::to_string(conversion) + " \"" + directive + "\" takes " + as +
                " but only " + std::to_string(arguments.size()) +
                " argument(s) are passed (" + DescribeArguments(arguments) + ")";
      return false;
    }
    if (arguments[next] != wanted) {
      *reason = "conversion " + std::to_string(conversion) + " \"" + directive + "\" takes " + as +
                " where argument " + std::to_string(next + 1) + " is " +
                (arguments[next] == ArgumentKind::kInteger ? "an integer" : "a UTF-16 text");
      return false;
    }
    ++next;
    return true;
  };

  std::size_t i = 0;
  const std::size_t n = format.size();
  while (i < n) {
    if (format[i++] != '%') continue;
    if (i == n) break;
    if (format[i] == '%') {
      ++i;
      continue;
    }
    const std::size_t start = i - 1;
    ++conversion;
    while (i < n && std::strchr("-+ 0#$`", format[i]) != nullptr) ++i;
    // Width and precision: up to 10 digits, or "*" taking an integer.
    for (int part = 0; part < 2; ++part) {
      if (part == 1) {
        if (i >= n || format[i] != '.') break;
        ++i;
      }
      if (i < n && format[i] == '*') {
        ++i;
        if (!take(ArgumentKind::kInteger, format.substr(start, i - start), "a \"*\" integer")) {
          return false;
        }
      } else {
        for (int digits = 0; digits < 10 && i < n && format[i] >= '0' && format[i] <= '9'; ++digits) ++i;
      }
    }
    bool narrow = false;
    bool wide64 = false;
    if (i < n && format[i] == 'L') {
      wide64 = true, ++i;
    } else if (i + 1 < n && format[i] == 'l' && format[i + 1] == 'l') {
      wide64 = true, i += 2;
    } else if (i < n && format[i] == 'h') {
      narrow = true, ++i;
    } else if (i < n && format[i] == 'l') {
      ++i;
    }
    if (i >= n || !IsConversionLetter(format[i])) continue;  // not a conversion: copied as text
    const char letter = format[i++];
    const std::string directive = format.substr(start, i - start);
    std::string what;
    switch (Consumes(letter, narrow, wide64, &what)) {
      case Takes::kNothing:
        break;
      case Takes::kInteger:
        if (!take(ArgumentKind::kInteger, directive, "an integer")) return false;
        break;
      case Takes::kText:
        if (!take(ArgumentKind::kText, directive, "a UTF-16 text")) return false;
        break;
      case Takes::kOther:
        *reason = "conversion " + std::to_string(conversion) + " \"" + directive + "\" takes " + what +
                  ", which the program never passes";
        return false;
    }
  }
  return true;
}
