// GString storage: construction, text access, buffer growth and the Scratch.
#include "gstring.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
// What the accessors hand out when there is no text of the asked width.
const char kEmptyNarrow[1] = {0};
const char16_t kEmptyWide[1] = {0};
}  // namespace

void StoreTextHeader(unsigned char* dest, bool narrow, uint32_t count) {
  const uint32_t word = (count & TextRecord::kCountMask) | (narrow ? TextRecord::kNarrowFlag : 0);
  dest[0] = uint8_t(word);
  dest[1] = uint8_t(word >> 8);
  dest[2] = uint8_t(word >> 16);
  dest[3] = uint8_t(word >> 24);
}

int NarrowLength(const char* text) {
  return text ? int(strlen(text)) : 0;
}

int WideLength(const char16_t* text) {
  int n = 0;
  if (text) {
    while (text[n]) ++n;
  }
  return n;
}

GString::GString()
    : Buffer(nullptr), Length(0), Start(0), Allocated(0), BlockSize(64), CodePage(0), Wide(0),
      Options(0), LineWidth(80), Reserved(2048), Scratch(nullptr) {}

GString::GString(char16_t ch, int count) : GString() {
  Wide = 1;
  if (Reserve(count) && Buffer) {
    char16_t* slots = reinterpret_cast<char16_t*>(Slot(0));
    for (int i = 0; i < count; ++i) slots[i] = ch;
    Length = count;
    Terminate();
  }
}

GString::~GString() {
  free(Buffer);
  delete Scratch;
}

const char16_t* GString::WideText(int pos) const {
  if (!Wide || Length == 0 || pos < 0) return kEmptyWide;
  return reinterpret_cast<const char16_t*>(Slot(Start + (pos < Length ? pos : Length)));
}

const char* GString::NarrowText(int pos) const {
  if (Wide || Length == 0 || pos < 0) return kEmptyNarrow;
  return reinterpret_cast<const char*>(Slot(Start + (pos < Length ? pos : Length)));
}

void* GString::Terminate() {
  if (!Buffer) return nullptr;
  memset(Slot(Start + Length), 0, CharSize());
  return Slot(Start);
}

int GString::Capacity() const {
  if (!Buffer) return 0;
  const int capacity = (Allocated - 4) / CharSize() - Start - 1;
  return capacity > 0 ? capacity : 0;
}

int GString::Spare() const {
  const int spare = Capacity() - Length;
  return spare > 0 ? spare : 0;
}

void GString::Empty() {
  Length = 0;
  Start = 0;
  Terminate();
}

int GString::Reserve(int n) {
  if (n < 0) return 1;
  if (n <= Length) return Compact();
  const int cs = CharSize();
  const int64_t grown = int64_t(Length) + Length / 2;
  const int64_t target = n > grown ? n : grown;
  const int64_t need = (target + 1) * cs + 4;
  if (need <= Allocated) return target > Capacity() ? Compact() : 1;
  const int64_t size = (need + BlockSize - 1) / BlockSize * BlockSize;
  if (size > INT_MAX) return 0;
  unsigned char* block = static_cast<unsigned char*>(malloc(size_t(size)));
  if (!block) return 0;
  // Growth never shortens the text: the new block holds more slots than Length.
  if (Buffer) memcpy(block + 4, Slot(Start), size_t(Length) * cs);
  free(Buffer);
  Buffer = block;
  Allocated = int(size);
  Start = 0;
  Terminate();
  if (uint64_t(Length) * cs <= TextRecord::kCountMask) StoreTextHeader(Buffer, !Wide, uint32_t(Length) * cs);
  return 1;
}

int GString::EnsureSpare(int n) {
  if (n <= 0 || Spare() >= n) return 1;
  if (n > INT_MAX - Length) return 0;
  return Reserve(Length + n);
}

int GString::Compact() {
  if (!Buffer) return 0;
  if (Start) {
    memmove(Slot(0), Slot(Start), size_t(Length + 1) * CharSize());
    Start = 0;
  }
  return 1;
}

int GString::SetLength(int n) {
  if (!Buffer) return 0;
  const int capacity = Capacity();
  int length = 0;
  if (n < 0) {
    const int cs = CharSize();
    static const unsigned char kZero[2] = {0, 0};
    for (int i = 0; i < capacity; ++i) {
      if (memcmp(Slot(Start + i), kZero, cs) == 0) {
        length = i;
        break;
      }
    }
  } else {
    length = n < capacity ? n : capacity;
  }
  if (length == 0) Start = 0;
  Length = length;
  Terminate();
  return 1;
}

int GString::DropFront(int n) {
  if (n <= 0) return 0;
  if (n > Length) n = Length;
  Start += n;
  Length -= n;
  if (Length == 0) Start = 0;
  return 1;
}

char16_t* GString::WideWriteBuffer(int n) {
  if (!MakeWide(CodePage) || !EnsureSpare(n) || !Buffer) return nullptr;
  return reinterpret_cast<char16_t*>(Slot(Start + Length));
}

char* GString::NarrowWriteBuffer(int n) {
  if (!MakeNarrow(CodePage) || !EnsureSpare(n) || !Buffer) return nullptr;
  return reinterpret_cast<char*>(Slot(Start + Length));
}

int GString::PrepareScratch() {
  if (!Scratch) {
    Scratch = new (std::nothrow) GString;
    if (!Scratch) return 0;
  }
  Scratch->Empty();
  Scratch->CodePage = CodePage;
  return 1;
}
