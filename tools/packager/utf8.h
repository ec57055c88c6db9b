// UTF-8 checks and encoding for the packager's text sources.
#pragma once

#include <string>

// Strict UTF-8 (no overlong forms, no surrogates) of characters up to U+FFFF:
// the program decodes its texts one UTF-16 unit at a time and has no form for
// the four-byte sequences of the characters beyond.
bool IsValidUtf8(const std::string& text);
// Appends one UTF-16 unit as the program's encoder writes it.
void AppendUtf8(char16_t unit, std::string* out);
