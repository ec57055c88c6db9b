// One conversion directive of a format text: flags, width, precision, size, letter.
#pragma once

// %[flags][width][.precision][size]letter
//   flags      - + space 0 # $ ` (grave accent: grouping), any number, any order
//   width      up to ten digits, or * (an int argument; negative means "-")
//   precision  up to ten digits, or * (an int argument, negative values kept)
//   size       h, l (no effect), L or ll
//   letter     d i u x X o y p P c C s S z Z b B f e E g G a A F I U w W N n T t Y
// Any other character in the letter's place ends the directive silently
// and is then copied as text.

#include <cstdint>

class FormatArgs;

enum FormatFlag : unsigned {
  kFlagLeft = 1u << 0,       // "-": fill on the right, with spaces
  kFlagPlus = 1u << 1,       // "+": "+" before non-negative signed values
  kFlagSpace = 1u << 2,      // " ": a space before them; also spaces in byte dumps
  kFlagZero = 1u << 3,       // "0": zero fill; three digits per octet for IPv4
  kFlagAlternate = 1u << 4,  // "#": prefixes, framing, unit letters, control escapes
  kFlagEscapeAll = 1u << 5,  // "$": escape everything outside 0x20..0x7E
  kFlagGroup = 1u << 6,      // "`": digit and byte groups
};

enum class FormatSize { kDefault, kShort, kLong };  // none or "l"; "h"; "L" or "ll"

struct FormatDirective {
  unsigned flags = 0;
  int64_t width = -1;     // -1: no fill; up to ten digits, so wider than int
  int64_t precision = 0;  // 0 when absent; each conversion reads it its own way
  FormatSize size = FormatSize::kDefault;
  char16_t letter = 0;    // 0: the directive ended without a conversion letter

  bool Has(unsigned flag) const { return (flags & flag) != 0; }
  // Upper-case letters print hexadecimal digits and escapes in upper case.
  bool Upper() const { return letter >= u'A' && letter <= u'Z'; }
};

// Reads the directive that follows a "%" at `text` (which points behind the
// "%"), taking "*" arguments from `args`. Returns where scanning resumes: behind
// the conversion letter, or at the character that stood in its place when that
// is no conversion letter (directive->letter is then 0).
const char16_t* ParseDirective(const char16_t* text, FormatArgs& args, FormatDirective* directive);
