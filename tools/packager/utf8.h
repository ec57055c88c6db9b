// UTF-8 checks and encoding for the packager's text sources.
#pragma once

#include <cstdint>
#include <string>

bool IsValidUtf8(const std::string& text);
void AppendUtf8(std::uint32_t code, std::string* out);
