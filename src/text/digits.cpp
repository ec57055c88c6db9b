// Digit strings on top of std::to_chars with a precision, which is exact, so the
// native and the Windows program print the same digits for the same value.
#include "digits.h"

#include <charconv>
#include <cmath>

namespace {

// Room for what to_chars writes: every digit, a point and an exponent.
constexpr int kTextSize = DigitString::kCapacity + 16;

}  // namespace

int FixedDigits(double value, int places, DigitString* out) {
  if (!out || !std::isfinite(value) || places < 0 || places > DigitString::kMaxPlaces) return 0;
  char text[kTextSize];
  const std::to_chars_result r =
      std::to_chars(text, text + kTextSize, std::fabs(value), std::chars_format::fixed, places);
  if (r.ec != std::errc()) return 0;
  int integerDigits = 0;
  bool inFraction = false;
  int count = 0;
  for (const char* c = text; c < r.ptr; ++c) {
    if (*c == '.') {
      inFraction = true;
      continue;
    }
    if (!inFraction) ++integerDigits;
    if (count == 0 && *c == '0') {
      --integerDigits;  // a leading zero moves the point left
      continue;
    }
    if (count >= DigitString::kCapacity - 1) return 0;
    out->digits[count++] = *c;
  }
  out->digits[count] = 0;
  out->count = count;
  out->point = count == 0 ? -places : integerDigits;
  out->negative = std::signbit(value);
  return 1;
}

int SignificantDigits(double value, int count, DigitString* out) {
  if (!out || !std::isfinite(value) || count < 1 || count > DigitString::kMaxSignificant) return 0;
  char text[kTextSize];
  const std::to_chars_result r = std::to_chars(text, text + kTextSize, std::fabs(value),
                                               std::chars_format::scientific, count - 1);
  if (r.ec != std::errc()) return 0;
  int n = 0;
  const char* c = text;
  for (; c < r.ptr && *c != 'e'; ++c) {
    if (*c == '.') continue;
    if (n >= DigitString::kCapacity - 1) return 0;
    out->digits[n++] = *c;
  }
  if (c >= r.ptr || n != count) return 0;
  ++c;  // the exponent: 'e', sign, two or three digits
  const bool negativeExponent = c < r.ptr && *c == '-';
  if (c < r.ptr && (*c == '-' || *c == '+')) ++c;
  int exponent = 0;
  for (; c < r.ptr; ++c) exponent = exponent * 10 + (*c - '0');
  out->digits[n] = 0;
  out->count = n;
  out->point = (negativeExponent ? -exponent : exponent) + 1;
  out->negative = std::signbit(value);
  return 1;
}
