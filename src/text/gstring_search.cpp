// GString searches, comparisons, suffixes and path joins; FindBytes.
#include "gstring.h"
#include "gstring_detached.h"

#include <cstring>

namespace {
const char16_t kBackslashWide = u'\\';
const char kBackslashNarrow = '\\';
}  // namespace

int FindBytes(const void* data, const void* pattern, int dataLength, int patternLength, int from) {
  if (!data || !pattern || dataLength <= 0 || patternLength <= 0 || from < 0) return -1;
  if (from > dataLength - patternLength) return -1;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (int i = from; i <= dataLength - patternLength; ++i) {
    if (memcmp(bytes + i, pattern, size_t(patternLength)) == 0) return i;
  }
  return -1;
}

bool GString::ToOwnWidth(const void*& text, int& count, bool textIsWide) {
  if (!text) {
    count = 0;
  } else if (count < 0) {
    count = textIsWide ? WideLength(static_cast<const char16_t*>(text))
                       : NarrowLength(static_cast<const char*>(text));
  }
  if (count == 0 || (Wide != 0) == textIsWide) return true;
  if (!PrepareScratch()) return false;
  const int converted = Wide ? Scratch->AssignWide(u"", 0) &&
                                   Scratch->AppendNarrowText(static_cast<const char*>(text), count)
                             : Scratch->AssignNarrow("", 0) &&
                                   Scratch->AppendText(static_cast<const char16_t*>(text), count);
  if (!converted) return false;
  text = Scratch->Terminate();
  count = Scratch->Length;
  return true;
}

int GString::FindSame(const void* text, int count, int from) const {
  if (!text || count <= 0 || Length == 0 || from < 0 || from >= Length || from > Length - count) return -1;
  const size_t bytes = size_t(count) * CharSize();
  for (int i = from; i <= Length - count; ++i) {
    if (memcmp(Slot(Start + i), text, bytes) == 0) return i;
  }
  return -1;
}

int GString::FindLast(char16_t ch, int from) const {
  if (Length == 0 || from < 0 || from >= Length) return -1;
  char pattern[3];
  int size = 2;
  if (Wide) {
    memcpy(pattern, &ch, 2);
  } else {
    size = EncodeUtf8(&ch, 1, pattern);
  }
  // In units of the string: one wide unit, or the UTF-8 sequence's bytes.
  const int units = Wide ? 1 : size;
  for (int i = Length - units; i >= from; --i) {
    if (memcmp(Slot(Start + i), pattern, size_t(size)) == 0) return i;
  }
  return -1;
}

int GString::Find(const char16_t* text, int from, int count) {
  const void* own = text;
  if (!ToOwnWidth(own, count, true)) return -1;
  return FindSame(own, count, from);
}

int GString::FindNarrow(const char* text, int from, int count) {
  const void* own = text;
  if (!ToOwnWidth(own, count, false)) return -1;
  return FindSame(own, count, from);
}

int GString::Find(const GString& other, int from) {
  return other.Wide ? Find(other.WideText(0), from, other.Length)
                    : FindNarrow(other.NarrowText(0), from, other.Length);
}

int GString::CompareSame(const void* text, int count) const {
  if (Length == 0) return count == 0 ? 0 : -1;
  if (count == 0) return 1;
  if (Length != count) return Length < count ? -1 : 1;
  if (!Wide) {
    const int order = memcmp(Slot(Start), text, size_t(count));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
  }
  const unsigned char* other = static_cast<const unsigned char*>(text);
  for (int i = 0; i < count; ++i) {
    char16_t a;
    char16_t b;
    memcpy(&a, Slot(Start + i), 2);
    memcpy(&b, other + 2 * i, 2);
    if (a != b) return a < b ? -1 : 1;
  }
  return 0;
}

// A text that cannot be brought to this width (invalid UTF-8) is never equal;
// it sorts after the string.
int GString::Compare(const char16_t* text, int count) {
  const void* own = text;
  return ToOwnWidth(own, count, true) ? CompareSame(own, count) : -1;
}

int GString::CompareNarrow(const char* text, int count) {
  const void* own = text;
  return ToOwnWidth(own, count, false) ? CompareSame(own, count) : -1;
}

bool GString::IsEqual(const GString& other) {
  return (other.Wide ? Compare(other.WideText(0), other.Length)
                     : CompareNarrow(other.NarrowText(0), other.Length)) == 0;
}

bool GString::IsDifferent(const GString& other) {
  return !IsEqual(other);
}

bool GString::EndsWithSame(const void* text, int count) const {
  return count <= Length && memcmp(Slot(Start + Length - count), text, size_t(count) * CharSize()) == 0;
}

int GString::EnsureSuffix(const char16_t* text, int count) {
  const void* own = text;
  if (!ToOwnWidth(own, count, true) || count == 0) return 0;
  return EndsWithSame(own, count) ? 1 : AppendSame(own, count);
}

int GString::EnsureSuffixNarrow(const char* text, int count) {
  const void* own = text;
  if (!ToOwnWidth(own, count, false) || count == 0) return 0;
  return EndsWithSame(own, count) ? 1 : AppendSame(own, count);
}

// The component may live in the Scratch, so the backslash is tested and
// appended in this width directly rather than through EnsureSuffix.
int GString::AppendPathSame(const void* text, int count) {
  const int cs = CharSize();
  if (count > 0) {
    char16_t first = 0;
    memcpy(&first, text, size_t(cs));
    if (first == u'\\' || first == u'/') {
      text = static_cast<const unsigned char*>(text) + cs;
      --count;
    }
  }
  // The separator may move the buffer that holds a component taken from this string.
  const Detached source(*this, text, count, cs);
  const void* separator = Wide ? static_cast<const void*>(&kBackslashWide) : &kBackslashNarrow;
  if (!EndsWithSame(separator, 1)) AppendSame(separator, 1);
  if (count > 0 && source.Text()) AppendSame(source.Text(), count);
  return 1;
}

int GString::AppendPath(const char16_t* component, int count) {
  const void* own = component;
  return ToOwnWidth(own, count, true) ? AppendPathSame(own, count) : 0;
}

int GString::AppendPathNarrow(const char* component, int count) {
  const void* own = component;
  return ToOwnWidth(own, count, false) ? AppendPathSame(own, count) : 0;
}

GString& GString::AppendPath(const GString& other) {
  if (other.Wide) {
    AppendPath(other.WideText(0), other.Length);
  } else {
    AppendPathNarrow(other.NarrowText(0), other.Length);
  }
  return *this;
}
