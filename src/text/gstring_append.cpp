// GString assignment and appending in the string's own width.
#include "gstring.h"
#include "gstring_detached.h"

#include <climits>
#include <cstring>

namespace {

int WideCount(const char16_t* text, int count) {
  return !text ? 0 : count < 0 ? WideLength(text) : count;
}

int NarrowCount(const char* text, int count) {
  return !text ? 0 : count < 0 ? NarrowLength(text) : count;
}

}  // namespace

int GString::AppendSame(const void* text, int count) {
  const int cs = CharSize();
  if (count > (INT_MAX - 8) / cs) return 0;  // no buffer holds that much
  const Detached source(*this, text, count, cs);
  if (!source.Text() || !EnsureSpare(count)) return 0;
  memcpy(Slot(Start + Length), source.Text(), size_t(count) * cs);
  Length += count;
  Terminate();
  return 1;
}

int GString::AssignWide(const char16_t* text, int count) {
  count = WideCount(text, count);
  const Detached source(*this, text, count, 2);
  if (count && !source.Text()) return 0;
  Wide = 1;
  Empty();
  return AppendWide(static_cast<const char16_t*>(source.Text()), count);
}

int GString::AssignNarrow(const char* text, int count, int /*codePage*/) {
  count = NarrowCount(text, count);
  const Detached source(*this, text, count, 1);
  if (count && !source.Text()) return 0;
  Wide = 0;
  Empty();
  return AppendNarrow(static_cast<const char*>(source.Text()), count);
}

int GString::Assign(const GString& other) {
  if (&other == this) return 1;
  CodePage = other.CodePage;
  Wide = other.Wide;
  Empty();
  return other.Wide ? AppendWide(other.WideText(0), other.Length)
                    : AppendNarrow(other.NarrowText(0), other.Length, other.CodePage);
}

int GString::AssignAsWide(const GString* other) {
  if (!other) return 0;
  if (other == this) return MakeWide(CodePage) ? 1 : 0;
  Wide = 1;
  Empty();
  CodePage = other->CodePage;
  return other->Wide ? AppendWide(other->WideText(0), other->Length)
                     : AppendNarrowText(other->NarrowText(0), other->Length, other->CodePage);
}

int GString::AssignAsNarrow(const GString* other) {
  if (!other) return 0;
  if (other == this) return MakeNarrow(CodePage) ? 1 : 0;
  Wide = 0;
  Empty();
  CodePage = other->CodePage;
  return other->Wide ? AppendText(other->WideText(0), other->Length)
                     : AppendNarrow(other->NarrowText(0), other->Length, other->CodePage);
}

int GString::AssignRecord(const TextRecord* record) {
  if (!record) {
    Empty();
    return 0;
  }
  // The characters are copied bytewise, so an unaligned record is fine.
  const int count = record->Count();
  if (!record->IsNarrow()) return AssignWide(reinterpret_cast<const char16_t*>(record->Chars()), count);
  return AssignNarrow(reinterpret_cast<const char*>(record->Chars()), count, CodePage);
}

int GString::AppendWide(const char16_t* text, int count) {
  count = WideCount(text, count);
  if (count == 0) return 1;
  if (!Wide) return 0;
  return AppendSame(text, count);
}

int GString::AppendNarrow(const char* text, int count, int /*codePage*/) {
  count = NarrowCount(text, count);
  if (count == 0) return 1;
  if (Wide) return 0;
  return AppendSame(text, count);
}

int GString::Append(const GString& other) {
  if (other.Wide) return Wide ? AppendWide(other.WideText(0), other.Length) : AppendText(other.WideText(0), other.Length);
  return Wide ? AppendNarrowText(other.NarrowText(0), other.Length, other.CodePage)
              : AppendNarrow(other.NarrowText(0), other.Length, other.CodePage);
}

int GString::AppendChar(char16_t ch) {
  if (!Wide || !EnsureSpare(1)) return 0;
  memcpy(Slot(Start + Length), &ch, 2);
  ++Length;
  return 1;
}

int GString::AppendCharRepeat(char16_t ch, int n) {
  if (ch == 0 || n <= 0) return 1;
  if (!Wide) return ch < 128 ? AppendByteRepeat(static_cast<unsigned char>(ch), n) : 0;
  if (!EnsureSpare(n)) return 0;
  char16_t* slots = reinterpret_cast<char16_t*>(Slot(Start + Length));
  for (int i = 0; i < n; ++i) slots[i] = ch;
  Length += n;
  Terminate();
  return 1;
}

int GString::AppendByteRepeat(unsigned char b, int n) {
  if (b == 0 || n <= 0) return 1;
  if (Wide) return b < 128 ? AppendCharRepeat(b, n) : 0;
  if (!EnsureSpare(n)) return 0;
  memset(Slot(Start + Length), b, size_t(n));
  Length += n;
  Terminate();
  return 1;
}

int GString::AppendNewLine() {
  return Wide ? AppendWide(u"\r\n", 2) : AppendNarrow("\r\n", 2);
}
