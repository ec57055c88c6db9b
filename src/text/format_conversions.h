// The conversion workers of the format engine, one per family of letters.
// Each takes its arguments, appends its field to the wide target and returns
// 1, or 0 when the formatting fails.
#pragma once

#include "format_args.h"
#include "format_field.h"
#include "format_directive.h"
#include "gstring.h"

// "d", "i", "u", "x", "X", "o", "y", "p", "P"
[[nodiscard]] int FormatInteger(GString& target, const FormatDirective& directive, FormatArgs& args);
// "c", "C"
[[nodiscard]] int FormatCharacter(GString& target, const FormatDirective& directive, FormatArgs& args);
// "s", "S", "z", "Z"; `origin` is the target's text when the call began.
[[nodiscard]] int FormatText(GString& target, const FormatDirective& directive, FormatArgs& args,
                             const TextSpan& origin);
// "b", "B"
[[nodiscard]] int FormatBytes(GString& target, const FormatDirective& directive, FormatArgs& args,
                              const TextSpan& origin);
// "w", "W": IPv4 address, or with "h" a GUID
[[nodiscard]] int FormatAddress(GString& target, const FormatDirective& directive, FormatArgs& args);
// "f", "e", "E", "g", "G", "a", "A", "F"
[[nodiscard]] int FormatFloat(GString& target, const FormatDirective& directive, FormatArgs& args);
// "I", "U"
[[nodiscard]] int FormatScaled(GString& target, const FormatDirective& directive, FormatArgs& args);
