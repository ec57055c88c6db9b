// Writing one field of formatted output: fill layout, room made once, escapes.
#pragma once

#include <cstdint>

#include "format_directive.h"
#include "gstring.h"

// No format text of this program asks for more: a wider field, a longer byte
// dump or a longer exact text count makes the call fail instead of allocating
// whatever a malformed format text names.
constexpr int64_t kMaxFieldWidth = 65536;

// Numbers show at most this many digits, whatever the precision asks for.
constexpr int kMaxPrecision = 308;

// Numeric fields built in a local buffer (floating-point and scaled) are never
// wider than this.
constexpr int64_t kMaxNumberWidth = 512;

// The sign character of a number: "-" for negative values, else "+" or a
// space as the flags ask. Returns its length, 0 or 1.
int SignOf(const FormatDirective& directive, bool negative, char* sign);

// The directive with its width capped at kMaxNumberWidth.
FormatDirective CapWidth(const FormatDirective& directive);

// Hexadecimal digits of a conversion: upper-case letters use the upper-case set.
const char* HexDigits(const FormatDirective& directive);

// Where the fill of a field goes. Without "-" it stands left, made of zeros
// (which come behind a sign or prefix) when "0" is given and allowed, else of
// spaces; with "-" it stands right and is made of spaces.
struct FieldFill {
  int left = 0;   // spaces before the field
  int zeros = 0;  // zeros behind the sign and prefix
  int right = 0;  // spaces behind the field

  // 0 when the width is beyond kMaxFieldWidth.
  [[nodiscard]] int Plan(const FormatDirective& directive, int length, bool zeroFill = true);
  int Total(int length) const { return left + zeros + length + right; }
};

// Room for one field, made once in a wide target; the characters are written
// straight behind its text and taken in by Close.
class FieldWriter {
 public:
  explicit FieldWriter(GString& target) : target_(target) {}
  // False when the target cannot grow or the field would be too long.
  [[nodiscard]] bool Open(int64_t units);
  void Put(char16_t c) {
    if (next_ < end_) *next_++ = c;
  }
  // Each byte is one character: ASCII, and 0xB5 for the micro sign.
  void Latin1(const char* text, int count);
  void Repeat(char16_t c, int count);
  // "{", two hexadecimal digits of the low 8 bits, "}", or as much of it as
  // still fits before `limit` (then only "{" characters).
  void Escape(unsigned value, const char* hex, const char16_t* limit);
  char16_t* Next() const { return next_; }
  void Skip(int units) { next_ += units; }  // after writing behind Next() directly
  // Appends what was written and terminates.
  void Close();

 private:
  GString& target_;
  char16_t* begin_ = nullptr;
  char16_t* next_ = nullptr;
  char16_t* end_ = nullptr;
};

// The span of a wide target's text: where it stands and its size in bytes.
struct TextSpan {
  uintptr_t begin = 0;
  uintptr_t bytes = 0;

  explicit TextSpan(const GString& target);
  bool Holds(const void* p) const;
};

// A source of a field that may lie inside the target's own text, because a
// caller appends part of a string to itself: making room, or any append
// earlier in the call, moves that text, so the source is found again at the
// same offset in the text. `origin` is the text when the call began (where a
// caller's pointers point), the current text is where a GString argument's
// text was just found.
class SourceAnchor {
 public:
  SourceAnchor(const GString& target, const TextSpan& origin, const void* source);
  // The source where it is now.
  const unsigned char* Get() const;

 private:
  const GString& target_;
  const unsigned char* source_;
  bool inside_ = false;
  uintptr_t offset_ = 0;
};

// A complete field from Latin-1 text: the fill by the rule above, with the
// `lead` characters (sign, prefix) before a zero fill, then the body.
[[nodiscard]] int AppendField(GString& target, const FormatDirective& directive, const char* lead,
                              int leadLength, const char* body, int bodyLength,
                              bool zeroFill = true);

// "{null}" for a null pointer argument, filled like a text.
[[nodiscard]] int AppendNull(GString& target, const FormatDirective& directive);
