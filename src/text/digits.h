// Correctly rounded decimal digit strings of a double, identical on every build.
#pragma once

// The digits of one conversion: no sign, no decimal point. `point` is the
// position of the decimal point counted from the first digit (0 or less: the
// point stands left of the digits); `negative` is the sign bit of the value.
struct DigitString {
  // The longest request is a fixed conversion of the largest double to
  // kMaxPlaces decimals: 309 integer digits and 308 decimals.
  static constexpr int kMaxPlaces = 308;
  static constexpr int kMaxSignificant = 309;
  static constexpr int kCapacity = 309 + kMaxPlaces + 1;

  char digits[kCapacity];  // terminated
  int count;
  int point;
  bool negative;
};

// The value rounded to `places` decimals (0..kMaxPlaces), leading zeros left
// out: a value that rounds to zero gives no digits and point = -places.
// 0 for not-a-number, infinity or places out of range.
[[nodiscard]] int FixedDigits(double value, int places, DigitString* out);

// The first `count` significant digits (1..kMaxSignificant), rounded, padded
// with zeros. Zero gives `count` zeros with point 1.
// 0 for not-a-number, infinity or count out of range.
[[nodiscard]] int SignificantDigits(double value, int count, DigitString* out);
