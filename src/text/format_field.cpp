// Fill layout, room and escapes shared by every conversion.
#include "format_field.h"

#include <climits>

const char* HexDigits(const FormatDirective& directive) {
  return directive.Upper() ? "0123456789ABCDEF" : "0123456789abcdef";
}

int SignOf(const FormatDirective& directive, bool negative, char* sign) {
  if (negative) *sign = '-';
  else if (directive.Has(kFlagPlus)) *sign = '+';
  else if (directive.Has(kFlagSpace)) *sign = ' ';
  else return 0;
  return 1;
}

FormatDirective CapWidth(const FormatDirective& directive) {
  FormatDirective capped = directive;
  if (capped.width > kMaxNumberWidth) capped.width = kMaxNumberWidth;
  return capped;
}

int FieldFill::Plan(const FormatDirective& directive, int length, bool zeroFill) {
  *this = FieldFill();
  if (directive.width > kMaxFieldWidth) return 0;
  const int fill = directive.width > length ? int(directive.width) - length : 0;
  if (directive.Has(kFlagLeft))
    right = fill;
  else if (zeroFill && directive.Has(kFlagZero))
    zeros = fill;
  else
    left = fill;
  return 1;
}

bool FieldWriter::Open(int64_t units) {
  if (units < 0 || units > INT_MAX - 1 - int64_t(target_.Length)) return false;
  if (units == 0) return true;  // an empty field needs no room, even without a buffer
  begin_ = next_ = target_.WideWriteBuffer(int(units));
  end_ = begin_ ? begin_ + units : nullptr;
  return begin_ != nullptr;
}

void FieldWriter::Latin1(const char* text, int count) {
  for (int i = 0; i < count && next_ < end_; ++i) *next_++ = char16_t(static_cast<unsigned char>(text[i]));
}

void FieldWriter::Repeat(char16_t c, int count) {
  for (int i = 0; i < count && next_ < end_; ++i) *next_++ = c;
}

void FieldWriter::Escape(unsigned value, const char* hex, const char16_t* limit) {
  if (limit > end_) limit = end_;
  if (limit - next_ < 4) {
    while (next_ < limit) *next_++ = u'{';
    return;
  }
  *next_++ = u'{';
  *next_++ = char16_t(hex[(value >> 4) & 0xF]);
  *next_++ = char16_t(hex[value & 0xF]);
  *next_++ = u'}';
}

void FieldWriter::Close() {
  if (begin_) target_.SetLength(target_.Length + int(next_ - begin_));
  begin_ = next_ = end_ = nullptr;
}

TextSpan::TextSpan(const GString& target) {
  if (!target.Wide || target.Length <= 0) return;
  begin = reinterpret_cast<uintptr_t>(target.WideText(0));
  bytes = uintptr_t(target.Length) * sizeof(char16_t);
}

bool TextSpan::Holds(const void* p) const {
  const uintptr_t at = reinterpret_cast<uintptr_t>(p);
  return bytes && at >= begin && at <= begin + bytes;
}

SourceAnchor::SourceAnchor(const GString& target, const TextSpan& origin, const void* source)
    : target_(target), source_(static_cast<const unsigned char*>(source)) {
  const TextSpan now(target);
  const TextSpan& span = now.Holds(source) ? now : origin;
  inside_ = span.Holds(source);
  offset_ = reinterpret_cast<uintptr_t>(source) - span.begin;
}

const unsigned char* SourceAnchor::Get() const {
  return inside_ ? reinterpret_cast<const unsigned char*>(target_.WideText(0)) + offset_ : source_;
}

int AppendField(GString& target, const FormatDirective& directive, const char* lead, int leadLength,
                const char* body, int bodyLength, bool zeroFill) {
  FieldFill fill;
  const int length = leadLength + bodyLength;
  if (!fill.Plan(directive, length, zeroFill)) return 0;
  FieldWriter out(target);
  if (!out.Open(fill.Total(length))) return 0;
  out.Repeat(u' ', fill.left);
  out.Latin1(lead, leadLength);
  out.Repeat(u'0', fill.zeros);
  out.Latin1(body, bodyLength);
  out.Repeat(u' ', fill.right);
  out.Close();
  return 1;
}

int AppendNull(GString& target, const FormatDirective& directive) {
  return AppendField(target, directive, "", 0, "{null}", 6);
}
