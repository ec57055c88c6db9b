// Floating-point conversions: fixed, exponential, general, hexadecimal and engineering notation.
#include <cmath>
#include <cstring>

#include "digits.h"
#include "format_conversions.h"
#include "format_field.h"

namespace {

// The longest body: 309 integer digits, the point and 308 decimals of "f".
constexpr int kBodySize = DigitString::kCapacity + 16;

// Latin-1 text of one field, built before it is appended in one step.
struct Body {
  char text[kBodySize];
  int length = 0;

  void Put(char c) {
    if (length < kBodySize) text[length++] = c;
  }
  void Put(const char* s, int n) {
    for (int i = 0; i < n; ++i) Put(s[i]);
  }
  void Zeros(int n) {
    for (int i = 0; i < n; ++i) Put('0');
  }
  // The exponent letter, its sign and two digits, three when beyond 99.
  void Exponent(char letter, int exponent) {
    Put(letter);
    Put(exponent < 0 ? '-' : '+');
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude > 99) Put(char('0' + magnitude / 100));
    Put(char('0' + magnitude / 10 % 10));
    Put(char('0' + magnitude % 10));
  }
};

int ClampPrecision(int64_t precision, int whenZeroOrLess) {
  if (precision <= 0) return whenZeroOrLess;
  return precision > kMaxPrecision ? kMaxPrecision : int(precision);
}

int Finish(GString& target, const FormatDirective& directive, bool negative, const Body& body) {
  char sign;
  const int signLength = SignOf(directive, negative, &sign);
  return AppendField(target, CapWidth(directive), &sign, signLength, body.text, body.length);
}

// The decimal exponent of the first significant digit.
int ExponentOf(const DigitString& d, double value) { return value == 0 ? 0 : d.point - 1; }

// The digits laid out around a point: `point` digits in front of it (or "0."
// and zeros when the point stands left of them), then `count` - `point` digits.
void FixedLayout(Body& body, const char* digits, int count, int point, bool forcePoint) {
  if (point > 0) {
    body.Put(digits, point);
    if (count > point || forcePoint) body.Put('.');
    body.Put(digits + point, count - point);
  } else {
    body.Put('0');
    if (count > 0 || forcePoint) body.Put('.');
    body.Zeros(-point);
    body.Put(digits, count);
  }
}

int FormatFixed(GString& target, const FormatDirective& directive, double value) {
  const int precision = ClampPrecision(directive.precision, 6);
  DigitString d;
  if (!FixedDigits(value, precision, &d)) return 0;
  const int point = d.point < -precision ? -precision : d.point;
  Body body;
  FixedLayout(body, d.digits, d.count, point, true);
  return Finish(target, directive, d.negative, body);
}

int FormatExponential(GString& target, const FormatDirective& directive, double value) {
  const int precision = ClampPrecision(directive.precision, 6);
  DigitString d;
  if (!SignificantDigits(value, precision + 1, &d)) return 0;
  Body body;
  body.Put(d.digits[0]);
  body.Put('.');
  body.Put(d.digits + 1, precision);
  body.Exponent(directive.letter == u'E' ? 'E' : 'e', ExponentOf(d, value));
  return Finish(target, directive, d.negative, body);
}

int FormatGeneral(GString& target, const FormatDirective& directive, double value) {
  const int precision = directive.precision < 0 ? 6 : ClampPrecision(directive.precision, 1);
  const bool alternate = directive.Has(kFlagAlternate);
  DigitString d;
  if (!SignificantDigits(value, precision, &d)) return 0;
  const int exponent = ExponentOf(d, value);
  Body body;
  int count = d.count;
  if (exponent < -4 || exponent >= precision) {
    if (!alternate)
      while (count > 1 && d.digits[count - 1] == '0') --count;
    body.Put(d.digits[0]);
    if (count > 1 || alternate) body.Put('.');
    body.Put(d.digits + 1, count - 1);
    body.Exponent(directive.letter == u'G' ? 'E' : 'e', exponent);
  } else if (value == 0 && !alternate) {
    body.Put('0');
  } else {
    const int point = exponent + 1;
    if (!alternate) {
      const int keep = point > 0 ? point : 0;  // only digits behind the point go
      while (count > keep && d.digits[count - 1] == '0') --count;
    }
    FixedLayout(body, d.digits, count, point, alternate);
  }
  return Finish(target, directive, d.negative, body);
}

int FormatHexadecimal(GString& target, const FormatDirective& directive, double value) {
  constexpr int kFractionDigits = 13;  // 52 bits
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int exponentField = int((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t(1) << 52) - 1);
  int leading = exponentField ? 1 : 0;
  const int exponent = exponentField ? exponentField - 1023 : fraction ? -1022 : 0;

  int nibbles[kFractionDigits];
  int needed = 0;
  for (int i = 0; i < kFractionDigits; ++i) {
    nibbles[i] = int((fraction >> (48 - 4 * i)) & 0xF);
    if (nibbles[i]) needed = i + 1;
  }
  // Without a precision, as many digits as show the fraction exactly.
  const int precision = ClampPrecision(directive.precision, needed);
  if (precision < kFractionDigits && nibbles[precision] >= 8) {
    int i = precision - 1;
    for (; i >= 0 && nibbles[i] == 15; --i) nibbles[i] = 0;
    if (i >= 0) ++nibbles[i];
    else ++leading;
  }

  const char* hex = HexDigits(directive);
  Body body;
  body.Put(hex[leading]);
  if (precision > 0 || directive.Has(kFlagAlternate)) body.Put('.');
  for (int i = 0; i < precision; ++i) body.Put(i < kFractionDigits ? hex[nibbles[i]] : '0');
  body.Put(directive.letter == u'A' ? 'P' : 'p');
  body.Put(exponent < 0 ? '-' : '+');
  char digits[8];
  int n = 0;
  for (int magnitude = exponent < 0 ? -exponent : exponent; n == 0 || magnitude; magnitude /= 10)
    digits[n++] = char('0' + magnitude % 10);
  while (n) body.Put(digits[--n]);

  char lead[3];
  const int signLength = SignOf(directive, std::signbit(value), lead);
  lead[signLength] = '0';
  lead[signLength + 1] = 'x';
  return AppendField(target, CapWidth(directive), lead, signLength + 2, body.text, body.length);
}

int FormatEngineering(GString& target, const FormatDirective& directive, double value) {
  int precision = ClampPrecision(directive.precision, 3);
  if (precision < 3) precision = 3;
  DigitString d;
  if (!SignificantDigits(value, precision, &d)) return 0;
  const int exponent = ExponentOf(d, value);
  const int engineering = exponent >= 0 ? exponent / 3 * 3 : -((-exponent + 2) / 3) * 3;
  const int integerDigits = exponent - engineering + 1;
  Body body;
  body.Put(d.digits, integerDigits);
  body.Put('.');
  body.Put(d.digits + integerDigits, d.count - integerDigits);
  // SI prefixes from 10^-24 to 10^24; the micro sign is Latin-1 0xB5 here.
  static const char kPrefixes[] = "yzafpn\xB5m kMGTPEZY";
  if (directive.Has(kFlagAlternate) && engineering >= -24 && engineering <= 24) {
    body.Put(' ');
    body.Put(kPrefixes[(engineering + 24) / 3]);
  } else {
    body.Exponent('e', engineering);
  }
  return Finish(target, directive, d.negative, body);
}

// "{ nan}", "{+inf}", "{-inf}", filled to the width, which is not capped here.
int FormatNotFinite(GString& target, const FormatDirective& directive, double value) {
  const char* text = std::isnan(value) ? "{ nan}" : value < 0 ? "{-inf}" : "{+inf}";
  return AppendField(target, directive, "", 0, text, 6);
}

}  // namespace

int FormatFloat(GString& target, const FormatDirective& directive, FormatArgs& args) {
  double value;
  if (directive.letter == u'F' && directive.size == FormatSize::kShort)
    value = double(args.Int32());
  else if (directive.letter == u'F' && directive.size == FormatSize::kLong)
    value = double(args.Int64());
  else
    value = args.Double();
  if (!std::isfinite(value)) return FormatNotFinite(target, directive, value);
  switch (directive.letter) {
    case u'f': return FormatFixed(target, directive, value);
    case u'e': case u'E': return FormatExponential(target, directive, value);
    case u'g': case u'G': return FormatGeneral(target, directive, value);
    case u'a': case u'A': return FormatHexadecimal(target, directive, value);
    default: return FormatEngineering(target, directive, value);
  }
}
