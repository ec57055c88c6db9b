// GString width changes and the converting appends (UTF-8 <-> UTF-16).
#include "gstring.h"

#include <climits>

int GString::ReplaceWith(const GString& src, uint32_t wide) {
  const int oldLength = Length;
  const int oldStart = Start;
  const uint32_t oldWide = Wide;
  // Room is made before anything is written, so a failed append leaves the
  // old buffer and text as they were.
  Wide = wide;
  Length = 0;
  Start = 0;
  if (Append(src)) {
    Terminate();
    return 1;
  }
  Wide = oldWide;
  Length = oldLength;
  Start = oldStart;
  return 0;
}

namespace {
// UTF-8 (0) is the only encoding: any other value asks for the current code page.
int ValidCodePage(int codePage, int current) {
  return codePage == 0 ? 0 : current;
}
}  // namespace

const char16_t* GString::MakeWide(int codePage) {
  if (!Wide) {
    if (Length == 0) {
      Wide = 1;
      Terminate();
    } else if (!PrepareScratch() || !Scratch->AssignAsWide(this) || !ReplaceWith(*Scratch, 1)) {
      return nullptr;
    }
  }
  CodePage = ValidCodePage(codePage, CodePage);
  return WideText(0);
}

const char* GString::MakeNarrow(int codePage) {
  if (Wide) {
    if (Length == 0) {
      Wide = 0;
      Terminate();
    } else if (!PrepareScratch() || !Scratch->AssignAsNarrow(this) || !ReplaceWith(*Scratch, 0)) {
      return nullptr;
    }
    CodePage = ValidCodePage(codePage, CodePage);
  }
  return NarrowText(0);
}

int GString::AppendText(const char16_t* text, int count) {
  if (Wide) return AppendWide(text, count);
  if (!text || count == 0) return 1;
  if (count < 0) count = WideLength(text);
  if (count > INT_MAX / 3) return 0;  // the UTF-8 size would not fit an int
  CodePage = 0;
  const int bytes = Utf8Size(text, count);
  char* out = NarrowWriteBuffer(bytes);
  if (!out) return 0;
  Length += EncodeUtf8(text, count, out);
  Terminate();
  return 1;
}

int GString::AppendNarrowText(const char* text, int count, int codePage) {
  if (!Wide) return AppendNarrow(text, count, codePage);
  if (!text || count == 0) return 1;
  if (count < 0) count = NarrowLength(text);
  char16_t* out = WideWriteBuffer(Utf16Size(text, count));
  if (!out) return 0;
  const int units = DecodeUtf8(text, count, out);
  if (units >= 0) Length += units;
  Terminate();  // also repairs the terminator a failed decode wrote over
  return units >= 0 ? 1 : 0;
}
