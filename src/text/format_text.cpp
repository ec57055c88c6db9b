// Character and text conversions: both widths, limits, escaping of control characters.
#include <cstring>

#include "format_conversions.h"
#include "format_field.h"

namespace {

// A text argument: UTF-16 units (read unaligned, as text records hold them) or
// bytes; `bound` is the number of characters known to exist, -1 when the text
// ends only at its terminating zero.
struct TextSource {
  const unsigned char* data = nullptr;
  bool wide = true;
  int64_t bound = -1;

  unsigned At(int64_t i) const {
    if (!wide) return data[i];
    char16_t unit;
    std::memcpy(&unit, data + 2 * i, sizeof unit);
    return unit;
  }
};

// What the limit selects: `taken` units or bytes, giving `length` characters of field.
struct Taken {
  int64_t taken = 0;
  int64_t length = 0;
};

bool Escaped(unsigned c, const FormatDirective& directive) {
  if (directive.Has(kFlagEscapeAll)) return c < 0x20 || c > 0x7E;
  return directive.Has(kFlagAlternate) && c < 0x20;
}

// Counting units one by one: UTF-16 text, and 8-bit text with "$" (bytes).
Taken TakeUnits(const TextSource& text, const FormatDirective& directive) {
  const bool exact = directive.precision < 0;
  const int64_t limit = exact ? -directive.precision : directive.precision;
  Taken t;
  for (;;) {
    if (limit && t.taken == limit) break;
    if (text.bound >= 0 && t.taken >= text.bound) break;
    const unsigned c = text.At(t.taken);
    if (c == 0 && !exact) break;
    t.length += Escaped(c, directive) ? 4 : 1;
    ++t.taken;
  }
  return t;
}

// Counting UTF-8 characters: a byte below 0x80 or a lead byte starts one, and
// a character takes every continuation byte behind it, so a limit never drops
// a stray one that makes the text invalid.
Taken TakeCharacters(const TextSource& text, const FormatDirective& directive) {
  const bool exact = directive.precision < 0;
  const int64_t limit = exact ? -directive.precision : directive.precision;
  const auto inside = [&](int64_t i) { return text.bound < 0 || i < text.bound; };
  Taken t;
  int64_t characters = 0;
  while (!(limit && characters == limit) && inside(t.taken)) {
    const unsigned b = text.At(t.taken);
    if (b == 0 && !exact) break;
    ++t.taken;
    if (b >= 0x80 && b < 0xC0) continue;  // continuation byte at the very start: the decoder rejects it
    ++characters;
    t.length += Escaped(b, directive) ? 4 : 1;
    while (inside(t.taken) && (text.At(t.taken) & 0xC0) == 0x80) ++t.taken;
  }
  return t;
}

// Resolves the pointer argument of "s", "S", "z", "Z" into a text; false for a null pointer.
bool ResolveText(const FormatDirective& directive, const void* pointer, TextSource* text) {
  if (!pointer) return false;
  const bool narrowArgument = directive.size == FormatSize::kShort;
  if (directive.letter == u's' || directive.letter == u'S') {
    text->data = static_cast<const unsigned char*>(pointer);
    text->wide = !narrowArgument;
  } else if (narrowArgument) {
    // A text record: the header's count bounds the text, which records need
    // not terminate; a zero inside still ends it.
    const auto* record = static_cast<const TextRecord*>(pointer);
    text->data = record->Chars();
    text->wide = !record->IsNarrow();
    text->bound = record->Count();
  } else {
    const auto* string = static_cast<const GString*>(pointer);
    text->wide = string->Wide != 0;
    text->data = text->wide ? reinterpret_cast<const unsigned char*>(string->WideText(0))
                            : reinterpret_cast<const unsigned char*>(string->NarrowText(0));
    text->bound = string->Length;
  }
  return true;
}

// Writes the taken text into the field, decoding runs of 8-bit text and
// escaping what the flags ask for, never past `fieldEnd`.
[[nodiscard]] bool WriteText(FieldWriter& out, const TextSource& text, int64_t taken,
                             const FormatDirective& directive, const char16_t* fieldEnd) {
  const char* hex = HexDigits(directive);
  const bool decode = !text.wide && !directive.Has(kFlagEscapeAll);
  int64_t i = 0;
  while (i < taken) {
    const unsigned c = text.At(i);
    if (Escaped(c, directive)) {
      out.Escape(c, hex, fieldEnd);
      ++i;
    } else if (!decode) {
      if (out.Next() < fieldEnd) out.Put(char16_t(c));
      ++i;
    } else {
      int64_t run = i + 1;
      while (run < taken && !Escaped(text.At(run), directive)) ++run;
      // The room keeps as many spare units behind the field as the text has bytes.
      const int units = DecodeUtf8(reinterpret_cast<const char*>(text.data + i), int(run - i), out.Next());
      if (units < 0) return false;
      const int64_t fits = fieldEnd - out.Next();
      out.Skip(int(units < fits ? units : fits));
      i = run;
    }
  }
  return true;
}

}  // namespace

int FormatCharacter(GString& target, const FormatDirective& directive, FormatArgs& args) {
  const uint32_t value = uint32_t(args.Int32());
  const bool narrow = directive.size == FormatSize::kShort;
  const unsigned c = narrow ? value & 0xFF : value & 0xFFFF;
  const bool escaped = Escaped(c, directive);
  if (!escaped && narrow && c >= 0x80) return 0;  // one byte of a UTF-8 sequence does not decode
  const int length = escaped ? 4 : 1;
  FieldFill fill;
  if (!fill.Plan(directive, length)) return 0;
  FieldWriter out(target);
  if (!out.Open(fill.Total(length))) return 0;
  out.Repeat(u' ', fill.left);
  out.Repeat(u'0', fill.zeros);
  if (escaped)
    out.Escape(c, HexDigits(directive), out.Next() + 4);
  else
    out.Put(char16_t(c));
  out.Repeat(u' ', fill.right);
  out.Close();
  return 1;
}

int FormatText(GString& target, const FormatDirective& directive, FormatArgs& args, const TextSpan& origin) {
  const bool isString = directive.letter == u'z' || directive.letter == u'Z';
  const bool narrowArgument = directive.size == FormatSize::kShort;
  const PointerArg kind = !isString ? (narrowArgument ? PointerArg::kNarrow : PointerArg::kWide)
                                    : (narrowArgument ? PointerArg::kRecord : PointerArg::kString);
  const void* pointer = args.Pointer(kind);
  if (!isString && directive.size == FormatSize::kLong) return 1;  // consumed, not printed
  TextSource text;
  if (!ResolveText(directive, pointer, &text)) return AppendNull(target, directive);
  if (directive.precision < -kMaxFieldWidth) return 0;
  const SourceAnchor anchor(target, origin, text.data);
  text.data = anchor.Get();

  const Taken t = text.wide || directive.Has(kFlagEscapeAll) ? TakeUnits(text, directive)
                                                          : TakeCharacters(text, directive);
  FieldFill fill;
  if (t.length > INT32_MAX / 2 || !fill.Plan(directive, int(t.length))) return 0;
  FieldWriter out(target);
  // Decoded 8-bit text is cut at the field's end; the spare room lets a run
  // decode in place before it is cut.
  if (!out.Open(fill.Total(int(t.length)) + (text.wide ? 0 : t.taken))) return 0;
  text.data = anchor.Get();
  out.Repeat(u' ', fill.left);
  out.Repeat(u'0', fill.zeros);
  const char16_t* fieldEnd = out.Next() + t.length;
  if (!WriteText(out, text, t.taken, directive, fieldEnd)) return 0;
  out.Repeat(u' ', fill.right);
  out.Close();
  return 1;
}
