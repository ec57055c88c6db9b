// GString::DebugOutput: long texts to the debugger output in lines.
#include "gstring.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#endif

namespace {

void PlatformSink(const char16_t* line) {
#ifdef _WIN32
  OutputDebugStringW(ToWchar(line));
#else
  char bytes[256];
  for (int count = WideLength(line); count > 0;) {
    const int take = count < 80 ? count : 80;  // 80 units need at most 240 bytes
    fwrite(bytes, 1, size_t(EncodeUtf8(line, take, bytes)), stderr);
    line += take;
    count -= take;
  }
#endif
}

// The one place debugger lines go; tests replace it to see them.
DebugSink g_sink = PlatformSink;

// Byte index behind `chars` UTF-8 characters from `pos`; a character is its
// lead byte and the continuation bytes after it.
int NarrowAdvance(const unsigned char* text, int length, int pos, int chars) {
  while (chars-- > 0 && pos < length) {
    ++pos;
    while (pos < length && (text[pos] & 0xC0) == 0x80) ++pos;
  }
  return pos;
}

}  // namespace

DebugSink SetDebugSink(DebugSink sink) {
  const DebugSink previous = g_sink;
  g_sink = sink ? sink : PlatformSink;
  return previous;
}

void GString::DebugOutput(int max) {
  if (Length == 0 || max <= 0) return;
  const unsigned char* text = Slot(Start);
  int n = Length;
  if (!Wide) {
    n = 0;
    for (int i = 0; i < Length; ++i) n += (text[i] & 0xC0) != 0x80;
  }
  if (n > max) n = max;
  const int full = LineWidth > 0 ? n / LineWidth : 0;
  const int rest = LineWidth > 0 ? n % LineWidth : n;
  if (!PrepareScratch()) return;
  // Sends `chars` characters from unit `pos` and the line ending; returns the unit behind them.
  auto send = [&](int pos, int chars, const char16_t* ending) {
    Scratch->AssignWide(u"", 0);
    int end = pos + chars;
    if (Wide) {
      Scratch->AppendWide(reinterpret_cast<const char16_t*>(text) + pos, chars);
    } else {
      end = NarrowAdvance(text, Length, pos, chars);
      Scratch->AppendNarrowText(reinterpret_cast<const char*>(text) + pos, end - pos);
    }
    Scratch->AppendWide(ending);
    g_sink(Scratch->WideText(0));
    return end;
  };
  int pos = 0;
  for (int line = 0; line < full; ++line) {
    pos = send(pos, LineWidth, line == full - 1 && rest == 0 ? u"\n" : u" \\\n");
  }
  if (rest) send(pos, rest, u"\n");
}
