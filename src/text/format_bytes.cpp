// Byte dumps, IPv4 addresses and GUIDs.
#include <cstring>

#include "format_conversions.h"
#include "format_field.h"

namespace {

constexpr int kGroupBytes = 4;

int FormatGuid(GString& target, const FormatDirective& directive, const unsigned char* guid) {
  // The usual text form of a GUID stored with little-endian fields.
  static const unsigned char kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  const char* hex = HexDigits(directive);
  char text[38];
  int n = 0;
  text[n++] = '{';
  for (int i = 0; i < 16; ++i) {
    text[n++] = hex[guid[kOrder[i]] >> 4];
    text[n++] = hex[guid[kOrder[i]] & 0xF];
    if (i == 3 || i == 5 || i == 7 || i == 9) text[n++] = '-';
  }
  text[n++] = '}';
  return AppendField(target, directive, "", 0, text, n, false);
}

int FormatIpv4(GString& target, const FormatDirective& directive, const unsigned char* address) {
  uint32_t value;
  std::memcpy(&value, address, sizeof value);
  const bool threeDigits = directive.Has(kFlagZero);
  char text[15];
  int n = 0;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const unsigned octet = (value >> shift) & 0xFF;
    if (threeDigits || octet >= 100) text[n++] = char('0' + octet / 100);
    if (threeDigits || octet >= 10) text[n++] = char('0' + octet / 10 % 10);
    text[n++] = char('0' + octet % 10);
    if (shift) text[n++] = '.';
  }
  return AppendField(target, directive, "", 0, text, n, false);
}

}  // namespace

int FormatBytes(GString& target, const FormatDirective& directive, FormatArgs& args, const TextSpan& origin) {
  const auto* bytes = static_cast<const unsigned char*>(args.Pointer(PointerArg::kBytes));
  if (directive.precision <= 0) return 1;
  if (!bytes) return AppendNull(target, directive);
  if (directive.precision > kMaxFieldWidth) return 0;
  const int count = int(directive.precision);
  const bool framed = directive.Has(kFlagAlternate);
  const bool spaced = directive.Has(kFlagSpace);
  const bool grouped = directive.Has(kFlagGroup);
  const int groups = (count + kGroupBytes - 1) / kGroupBytes;

  int length = 2 * count;
  if (framed) length += 2 * (grouped ? groups : count);
  if (grouped && !framed) length += groups - 1;
  if (spaced) length += count - 1;

  FieldFill fill;
  if (!fill.Plan(directive, length)) return 0;
  FieldWriter out(target);
  const SourceAnchor anchor(target, origin, bytes);
  if (!out.Open(fill.Total(length))) return 0;
  bytes = anchor.Get();
  out.Repeat(u' ', fill.left);
  out.Repeat(u'0', fill.zeros);
  const char* hex = HexDigits(directive);
  for (int i = 0; i < count; ++i) {
    const bool groupStart = i % kGroupBytes == 0;
    const bool groupEnd = i % kGroupBytes == kGroupBytes - 1 || i == count - 1;
    if (framed && (!grouped || groupStart)) out.Put(u'{');
    out.Put(char16_t(hex[bytes[i] >> 4]));
    out.Put(char16_t(hex[bytes[i] & 0xF]));
    if (framed && (!grouped || groupEnd)) out.Put(u'}');
    if (i == count - 1) break;
    if (spaced) out.Put(u' ');
    if (grouped && groupEnd && !framed) out.Put(u' ');
  }
  out.Repeat(u' ', fill.right);
  out.Close();
  return 1;
}

int FormatAddress(GString& target, const FormatDirective& directive, FormatArgs& args) {
  const bool guid = directive.size == FormatSize::kShort;
  const auto* data = static_cast<const unsigned char*>(args.Pointer(guid ? PointerArg::kGuid : PointerArg::kAddress));
  if (!data) return AppendField(target, directive, "", 0, "{null}", 6, false);
  return guid ? FormatGuid(target, directive, data) : FormatIpv4(target, directive, data);
}
