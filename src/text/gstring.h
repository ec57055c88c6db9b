// GString: the program's one string class, 8-bit (UTF-8) or UTF-16 text with an explicit length.
#pragma once

#include <cstdarg>
#include <cstdint>

// UTF-16 units are char16_t everywhere in the portable code: wchar_t is 32 bits
// wide outside Windows. On Windows wchar_t and WCHAR have the same width and
// representation as char16_t, so callers of the Win32 API convert pointers with
// ToWchar / FromWchar below.
//
// 8-bit text is char, UTF-8: CodePage 0 is the only encoding there is, and a
// codePage argument other than 0 means the string's own code page. Text
// arguments are a pointer and a count; a negative count means "up to the
// terminating zero" and a null pointer is an empty text. Results: int 1 for
// success and 0 for failure, pointers null on failure, searches an index or -1.

// A text as the package hands it over: a 32-bit little-endian header (bit 31 set:
// 8-bit text; bits 0..28: count of bytes or UTF-16 units), then the characters,
// unterminated. Records sit at any byte offset, so the type has byte alignment
// and the characters must be copied, not read through a char16_t pointer.
struct TextRecord {
  static constexpr uint32_t kNarrowFlag = 0x80000000u;
  static constexpr uint32_t kCountMask = 0x1FFFFFFFu;
  static constexpr int kHeaderSize = 4;

  unsigned char header[kHeaderSize];

  uint32_t Header() const {
    return uint32_t(header[0]) | uint32_t(header[1]) << 8 | uint32_t(header[2]) << 16 |
           uint32_t(header[3]) << 24;
  }
  bool IsNarrow() const { return (Header() & kNarrowFlag) != 0; }
  int Count() const { return int(Header() & kCountMask); }
  // The characters, right behind the header (not aligned for char16_t).
  const unsigned char* Chars() const { return header + kHeaderSize; }
};
static_assert(sizeof(TextRecord) == TextRecord::kHeaderSize, "the header is the whole fixed part");

// Writes a text-record header word (little-endian) at dest.
void StoreTextHeader(unsigned char* dest, bool narrow, uint32_t count);

class GString {
 public:
  GString();
  // A wide string of count copies of ch, terminated; count 0 gives no buffer.
  GString(char16_t ch, int count);
  virtual ~GString();
  GString(const GString&) = delete;             // owns its buffer and Scratch
  GString& operator=(const GString&) = delete;  // copy with Assign

  // Text access. Both always return a valid text: the shared empty text of the
  // width when there is no text of that width (AppendChar leaves it unterminated).
  const char16_t* WideText(int pos = 0) const;
  const char* NarrowText(int pos = 0) const;
  // Writes the terminator behind the text; returns the first character, or null without buffer.
  void* Terminate();

  // Sizing.
  [[nodiscard]] int Reserve(int n);
  [[nodiscard]] int EnsureSpare(int n);
  int Compact();
  int SetLength(int n);
  int DropFront(int n);
  // Room for n more characters just behind the text; the caller writes there and
  // then calls SetLength(-1) or SetLength(known count). Null when no room.
  char16_t* WideWriteBuffer(int n);
  char* NarrowWriteBuffer(int n);
  int Capacity() const;  // slots from Start on, less the terminator slot
  int Spare() const;     // Capacity - Length, at least 0
  int CharSize() const { return Wide ? 2 : 1; }

  // Assignment: empties the string first (the buffer stays).
  int AssignWide(const char16_t* text, int count = -1);
  int AssignNarrow(const char* text, int count = -1, int codePage = 0);
  int Assign(const GString& other);
  int AssignAsWide(const GString* other);
  int AssignAsNarrow(const GString* other);
  int AssignRecord(const TextRecord* record);

  // Appending: never changes the width.
  int AppendWide(const char16_t* text, int count = -1);
  int AppendText(const char16_t* text, int count = -1);
  int AppendNarrow(const char* text, int count = -1, int codePage = 0);
  int AppendNarrowText(const char* text, int count = -1, int codePage = 0);
  int Append(const GString& other);
  int AppendChar(char16_t ch);  // writes no terminator
  int AppendCharRepeat(char16_t ch, int n);
  int AppendByteRepeat(unsigned char b, int n);
  int AppendNewLine();

  // Empties Scratch (creating it on first use) and gives it this CodePage.
  [[nodiscard]] int PrepareScratch();

  // Width changes and case mapping.
  const char16_t* MakeWide(int codePage = 0);
  const char* MakeNarrow(int codePage = 0);
  int MakeUpper();

  // Formatted output (format engine): Format empties the string and makes it
  // wide, then runs FormatAppend.
  int Format(const char16_t* format, ...);
  int FormatAppend(const char16_t* format, va_list args);

  // Searches and comparisons, exact by unit or byte. An argument of the other
  // width is converted in Scratch first, so none of them may point into Scratch.
  int FindLast(char16_t ch, int from = 0) const;
  int Find(const char16_t* text, int from = 0, int count = -1);
  int FindNarrow(const char* text, int from = 0, int count = -1);
  int Find(const GString& other, int from = 0);
  // -1, 0 or 1; a text that cannot be converted to this width is never equal (-1).
  int Compare(const char16_t* text, int count = -1);
  int CompareNarrow(const char* text, int count = -1);
  bool IsEqual(const GString& other);
  bool IsDifferent(const GString& other);

  // Suffixes and path joins (exactly one backslash between path and component).
  int EnsureSuffix(const char16_t* text, int count = -1);
  int EnsureSuffixNarrow(const char* text, int count = -1);
  int AppendPath(const char16_t* component, int count = -1);
  int AppendPathNarrow(const char* component, int count = -1);
  GString& AppendPath(const GString& other);

  // Sends at most max characters to the debug sink in lines of LineWidth.
  void DebugOutput(int max = 0x7FFFFFFF);

  // Fields, in this order.
  unsigned char* Buffer;  // header word, then the character slots; owned
  int32_t Length;         // characters (bytes or UTF-16 units)
  int32_t Start;          // slot of the first character
  int32_t Allocated;      // bytes in Buffer
  int32_t BlockSize;      // allocation granularity in bytes
  int32_t CodePage;       // 0: UTF-8, the only encoding
  uint32_t Wide;          // 1: UTF-16 content
  uint8_t Options;        // reserved for formatting variants
  int32_t LineWidth;      // characters per line of DebugOutput
  uint32_t Reserved;      // unused
  GString* Scratch;       // auxiliary string for conversions, owned

 private:
  unsigned char* Slot(int index) const { return Buffer + 4 + index * CharSize(); }
  void Empty();  // Length = Start = 0, terminated
  // Same-width helpers: text is in this string's width, count > 0 unless said.
  int AppendSame(const void* text, int count);
  int CompareSame(const void* text, int count) const;
  int FindSame(const void* text, int count, int from) const;
  bool EndsWithSame(const void* text, int count) const;
  int AppendPathSame(const void* text, int count);
  // Brings an argument to this string's width (through Scratch when it differs);
  // false when it cannot be converted. A null text becomes count 0.
  bool ToOwnWidth(const void*& text, int& count, bool textIsWide);
  // Replaces the text with src's in the given width; the old text stays on failure.
  int ReplaceWith(const GString& src, uint32_t wide);
};

// Characters up to the terminating zero (0 for null).
int NarrowLength(const char* text);
int WideLength(const char16_t* text);

// UTF-8 <-> UTF-16, each UTF-16 unit (surrogate halves too) on its own.
int Utf8Size(const char16_t* text, int count);
int Utf16Size(const char* text, int count);
int EncodeUtf8(const char16_t* text, int count, char* dest);    // bytes or -1
int DecodeUtf8(const char* text, int count, char16_t* dest);    // units or -1
char16_t ToUpper(char16_t u);

// First occurrence of pattern in data at or after from, or -1.
int FindBytes(const void* data, const void* pattern, int dataLength, int patternLength, int from);

// Where DebugOutput lines go: OutputDebugStringW on Windows, stderr elsewhere,
// unless a sink is set (tests capture the lines). Returns the previous sink;
// null restores the platform's.
using DebugSink = void (*)(const char16_t* line);
DebugSink SetDebugSink(DebugSink sink);

#ifdef _WIN32
static_assert(sizeof(wchar_t) == sizeof(char16_t), "WCHAR is a UTF-16 unit on Windows");
inline const wchar_t* ToWchar(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* ToWchar(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const char16_t* FromWchar(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }
#endif
