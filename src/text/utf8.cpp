// UTF-8 <-> UTF-16 sizing, encoding and decoding, one UTF-16 unit at a time.
#include "gstring.h"

namespace {
int UnitSize(char16_t u) {
  return u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
}
}  // namespace

int Utf8Size(const char16_t* text, int count) {
  if (!text) return 0;
  if (count < 0) count = WideLength(text);
  int bytes = 0;
  for (int i = 0; i < count; ++i) bytes += UnitSize(text[i]);
  return bytes;
}

// Room only: the decoder decides validity. A byte that starts no sequence
// counts as one unit and ends the count, as the decoder stops there too.
int Utf16Size(const char* text, int count) {
  if (!text) return 0;
  if (count < 0) count = NarrowLength(text);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  int units = 0;
  int i = 0;
  while (i < count) {
    const unsigned char b = bytes[i];
    ++units;
    if (b < 0x80) {
      i += 1;
    } else if ((b & 0xE0) == 0xC0) {
      i += 2;
    } else if ((b & 0xF0) == 0xE0) {
      i += 3;
    } else if ((b & 0xF8) == 0xF0) {
      i += 4;
    } else {
      break;
    }
  }
  return units;
}

// Surrogate halves are encoded one by one (three bytes each), as the platform's
// texts may hold unpaired halves that must survive a round trip.
int EncodeUtf8(const char16_t* text, int count, char* dest) {
  if (!dest) return -1;
  if (!text) return 0;
  if (count < 0) count = WideLength(text);
  unsigned char* out = reinterpret_cast<unsigned char*>(dest);
  int n = 0;
  for (int i = 0; i < count; ++i) {
    const char16_t u = text[i];
    if (u < 0x80) {
      out[n++] = static_cast<unsigned char>(u);
    } else if (u < 0x800) {
      out[n++] = static_cast<unsigned char>(0xC0 | (u >> 6));
      out[n++] = static_cast<unsigned char>(0x80 | (u & 0x3F));
    } else {
      out[n++] = static_cast<unsigned char>(0xE0 | (u >> 12));
      out[n++] = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
      out[n++] = static_cast<unsigned char>(0x80 | (u & 0x3F));
    }
  }
  return n;
}

// Writes at most Utf16Size(text, count) units: sequences are taken exactly as
// Utf16Size counts them, and a unit is written only once its sequence is whole.
int DecodeUtf8(const char* text, int count, char16_t* dest) {
  if (!dest) return -1;
  if (!text) return 0;
  if (count < 0) count = NarrowLength(text);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  auto continuation = [&](int i) { return i < count && (bytes[i] & 0xC0) == 0x80; };
  int n = 0;
  int i = 0;
  while (i < count) {
    const unsigned char b = bytes[i];
    if (b < 0x80) {
      dest[n++] = b;
      i += 1;
    } else if ((b & 0xE0) == 0xC0) {
      if (!continuation(i + 1)) return -1;
      dest[n++] = static_cast<char16_t>((b & 0x1F) << 6 | (bytes[i + 1] & 0x3F));
      i += 2;
    } else if ((b & 0xF0) == 0xE0) {
      if (!continuation(i + 1) || !continuation(i + 2)) return -1;
      dest[n++] = static_cast<char16_t>((b & 0x0F) << 12 | (bytes[i + 1] & 0x3F) << 6 | (bytes[i + 2] & 0x3F));
      i += 3;
    } else {
      return -1;
    }
  }
  return n;
}
