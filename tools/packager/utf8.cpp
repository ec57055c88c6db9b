// UTF-8 checks and encoding for the packager's text sources.
#include "packager/utf8.h"

#include <cstdint>

#include "text/gstring.h"

bool IsValidUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    std::uint32_t code = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2, code = lead & 0x0F, minimum = 0x800;
    } else {
      return false;
    }
    if (i + extra >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char c = static_cast<unsigned char>(text[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      code = (code << 6) | (c & 0x3F);
    }
    if (code < minimum || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

void AppendUtf8(char16_t unit, std::string* out) {
  char bytes[3];
  out->append(bytes, static_cast<std::size_t>(EncodeUtf8(&unit, 1, bytes)));
}
