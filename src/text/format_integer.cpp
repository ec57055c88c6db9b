// Integer and pointer conversions: bases 10, 16, 8 and 2, prefixes, grouping, precision.
#include <cstdint>
#include <cstring>

#include "format_conversions.h"
#include "format_field.h"

namespace {

// Digits of the largest precision, with a separator after every group of three.
constexpr int kBodySize = kMaxPrecision + kMaxPrecision / 3 + 1;

int BaseOf(char16_t letter) {
  switch (letter) {
    case u'x': case u'X': case u'p': case u'P': return 16;
    case u'o': return 8;
    case u'y': return 2;
    default: return 10;
  }
}

}  // namespace

int FormatInteger(GString& target, const FormatDirective& directive, FormatArgs& args) {
  const bool pointer = directive.letter == u'p' || directive.letter == u'P';
  const bool isSigned = directive.letter == u'd' || directive.letter == u'i';
  const int base = BaseOf(directive.letter);

  uint64_t magnitude = 0;
  bool negative = false;
  int64_t precision = directive.precision;
  if (pointer) {
    void* value = args.Pointer(PointerArg::kValue);
    if (!value) {
      // Spaces up to the length a pointer would have had, then filled like a number.
      const char* text = directive.Has(kFlagAlternate) ? "    {null}" : "  {null}";
      return AppendField(target, directive, "", 0, text, directive.Has(kFlagAlternate) ? 10 : 8);
    }
    magnitude = reinterpret_cast<uintptr_t>(value);
    precision = 8;
  } else if (directive.size == FormatSize::kLong) {
    const int64_t value = args.Int64();
    negative = isSigned && value < 0;
    magnitude = negative ? 0 - uint64_t(value) : uint64_t(value);
  } else {
    const int32_t value = args.Int32();
    negative = isSigned && value < 0;
    magnitude = negative ? 0 - uint64_t(int64_t(value)) : uint64_t(uint32_t(value));
  }
  if (precision <= 0) precision = 1;
  if (precision > kMaxPrecision) precision = kMaxPrecision;

  int digits = 1;
  for (uint64_t rest = magnitude / base; rest; rest /= base) ++digits;

  const bool alternate = directive.Has(kFlagAlternate);
  const char* prefix = "";
  if (alternate && base == 16) prefix = "0x";
  if (alternate && base == 8) prefix = "0";
  if (alternate && base == 2) prefix = "0y";
  int prefixLength = int(std::strlen(prefix));

  char sign;
  const int signLength = isSigned ? SignOf(directive, negative, &sign) : 0;

  if (precision >= signLength + prefixLength + digits) {
    digits = int(precision);
    if (base == 8) prefixLength = 0;  // the leading zeros already start with 0
  }

  const int group = !directive.Has(kFlagGroup) ? 0 : (base == 16 || base == 2) ? 4 : 3;
  const int separators = group ? (digits - 1) / group : 0;

  // The digits from the right, a space after every complete group.
  char body[kBodySize];
  const int bodyLength = digits + separators;
  const char* hex = HexDigits(directive);
  char* at = body + bodyLength;
  uint64_t rest = magnitude;
  for (int i = 0; i < digits; ++i) {
    if (group && i && i % group == 0) *--at = ' ';
    *--at = hex[rest % base];
    rest /= base;
  }

  char lead[3];
  int leadLength = 0;
  if (signLength) lead[leadLength++] = sign;
  for (int i = 0; i < prefixLength; ++i) lead[leadLength++] = prefix[i];
  return AppendField(target, directive, lead, leadLength, body, bodyLength);
}
