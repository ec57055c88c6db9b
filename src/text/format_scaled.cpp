// Values scaled by powers of 1024, with binary unit letters or a "b" exponent.
#include <cmath>

#include "digits.h"
#include "format_conversions.h"
#include "format_field.h"

int FormatScaled(GString& target, const FormatDirective& directive, FormatArgs& args) {
  uint64_t magnitude;
  bool negative = false;
  if (directive.letter == u'I') {
    const int64_t value = directive.size == FormatSize::kLong ? args.Int64() : args.Int32();
    negative = value < 0;
    magnitude = negative ? 0 - uint64_t(value) : uint64_t(value);
  } else {
    magnitude = directive.size == FormatSize::kLong ? uint64_t(args.Int64()) : uint32_t(args.Int32());
  }

  int precision = directive.precision < 0 ? 3 : directive.precision <= 1 ? 2
                : directive.precision > kMaxPrecision ? kMaxPrecision : int(directive.precision);
  int scale = 0;
  while (scale < 6 && (magnitude >> (10 * (scale + 1))) != 0) ++scale;
  DigitString d;
  if (!SignificantDigits(std::ldexp(double(magnitude), -10 * scale), precision, &d)) return 0;
  if (d.point > precision) {
    // Too many integer digits (1000 with two or three): one step further, one digit fewer.
    ++scale;
    if (!SignificantDigits(std::ldexp(double(magnitude), -10 * scale), precision > 1 ? precision - 1 : 1, &d))
      return 0;
  }

  // Exactly `precision` characters around the point.
  char body[kMaxPrecision + 8];
  int n = 0;
  int used = 0;
  const auto digit = [&]() { return used < d.count ? d.digits[used++] : '0'; };
  if (d.point <= 0) {
    body[n++] = '0';
    body[n++] = '.';
    for (int i = 1; i < precision; ++i) body[n++] = i <= -d.point ? '0' : digit();
  } else {
    for (int i = 1; i <= precision; ++i) {
      body[n++] = digit();
      if (i == d.point) body[n++] = '.';
    }
    if (d.point > precision) body[n++] = '.';
  }
  static const char* const kUnits[] = {"  ", "Ki", "Mi", "Gi", "Ti", "Pi", "Ei", "Zi", "Yi"};
  if (directive.Has(kFlagAlternate)) {
    body[n++] = ' ';
    body[n++] = kUnits[scale][0];
    body[n++] = kUnits[scale][1];
  } else {
    body[n++] = 'b';
    body[n++] = char('0' + scale);
    body[n++] = '0';
  }

  char sign;
  const int signLength = SignOf(directive, negative, &sign);
  return AppendField(target, CapWidth(directive), &sign, signLength, body, n);
}
