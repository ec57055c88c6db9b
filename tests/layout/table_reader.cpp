// Walks a layout library's tables by byte offsets, independent of the
// structures the library was compiled from.
#include "table_reader.h"

#include <cstring>

namespace {

uint16_t Word(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
uint32_t Dword(const uint8_t* at) { return Word(at) | static_cast<uint32_t>(Word(at + 2)) << 16; }

size_t Align(size_t offset, size_t to) { return (offset + to - 1) / to * to; }

std::string Narrow(const uint8_t* text) {
  std::string out;
  for (; text && Word(text); text += 2) {
    unsigned ch = Word(text);
    out += ch < 0x80 ? static_cast<char>(ch) : '?';
  }
  return out;
}

// Descriptor fields in order; the offsets follow from the pointer width.
enum FieldIndex {
  kModifiers, kCharTables, kDeadKeys, kKeyNames, kKeyNamesExt, kKeyNamesDead,
  kScanTable, kScanTableLength, kE0, kE1, kLocaleFlags, kLigatureMax,
  kLigatureBytes, kLigatures, kType, kSubtype
};

}  // namespace

TableReader::TableReader(const uint8_t* tables, int pointerBytes)
    : tables_(tables), width_(pointerBytes) {}

size_t TableReader::Offset(int field) const {
  size_t w = static_cast<size_t>(width_);
  if (field <= kScanTableLength) return w * static_cast<size_t>(field);
  if (field <= kE1) return w * static_cast<size_t>(field);  // the length byte is padded to a pointer
  size_t flags = w * 10;
  if (field == kLocaleFlags) return flags;
  if (field == kLigatureMax) return flags + 4;
  if (field == kLigatureBytes) return flags + 5;
  size_t ligatures = Align(flags + 6, w);
  if (field == kLigatures) return ligatures;
  return ligatures + w + (field == kSubtype ? 4 : 0);
}

const uint8_t* TableReader::Pointer(const uint8_t* at) const {
  uintptr_t value = 0;
  if (width_ == static_cast<int>(sizeof(void*))) {
    std::memcpy(&value, at, sizeof value);
  } else {
    // 64-bit slot read by a 32-bit process: the upper half must be empty.
    value = Dword(at);
    if (Dword(at + 4) != 0) valid_ = false;
  }
  return reinterpret_cast<const uint8_t*>(value);
}

const uint8_t* TableReader::Field(int index) const { return Pointer(tables_ + Offset(index)); }

uint32_t TableReader::LocaleFlags() const { return Dword(tables_ + Offset(kLocaleFlags)); }
uint32_t TableReader::Type() const { return Dword(tables_ + Offset(kType)); }
uint32_t TableReader::Subtype() const { return Dword(tables_ + Offset(kSubtype)); }
unsigned TableReader::ScanTableLength() const { return tables_[Offset(kScanTableLength)]; }

unsigned TableReader::ScanToVk(unsigned scan) const {
  const uint8_t* table = Field(kScanTable);
  if (!table || scan >= ScanTableLength()) return 0xFFFFFFFFu;
  return Word(table + 2 * scan);
}

unsigned TableReader::PrefixedToVk(bool e1, unsigned scan) const {
  for (const uint8_t* row = Field(e1 ? kE1 : kE0); row && row[0]; row += 4)
    if (row[0] == scan) return Word(row + 2);
  return 0xFFFFFFFFu;
}

int TableReader::Column(unsigned modBits) const {
  const uint8_t* modifiers = Field(kModifiers);
  if (!modifiers) return -1;
  unsigned maxBits = Word(modifiers + width_);
  if (modBits > maxBits) return -1;
  unsigned column = modifiers[width_ + 2 + modBits];
  return column == 0x0F ? -1 : static_cast<int>(column);
}

unsigned TableReader::ModifierBits(unsigned vk) const {
  const uint8_t* modifiers = Field(kModifiers);
  for (const uint8_t* row = modifiers ? Pointer(modifiers) : nullptr; row && row[0]; row += 2)
    if (row[0] == vk) return row[1];
  return 0;
}

long TableReader::Char(unsigned vk, unsigned modBits, unsigned* accent, unsigned* attributes) const {
  int column = Column(modBits);
  const uint8_t* table = Field(kCharTables);
  size_t entryBytes = Align(static_cast<size_t>(width_) + 2, static_cast<size_t>(width_));
  for (; table && Pointer(table); table += entryBytes) {
    const uint8_t* row = Pointer(table);
    unsigned states = table[width_], rowBytes = table[width_ + 1];
    if (rowBytes != 2 + 2 * states) return -2;  // a table the platform would misread
    for (; row[0]; row += rowBytes) {
      if (row[0] != vk) continue;
      if (attributes) *attributes = row[1];
      if (column < 0 || static_cast<unsigned>(column) >= states) return 0xF000;
      unsigned ch = Word(row + 2 + 2 * column);
      if (ch == 0xF001 && accent)  // the accent sits in the row after, marked 0xFF
        *accent = row[rowBytes] == 0xFF ? Word(row + rowBytes + 2 + 2 * column) : 0;
      return ch;
    }
  }
  return -1;
}

long TableReader::Compose(unsigned accent, unsigned base) const {
  for (const uint8_t* row = Field(kDeadKeys); row && Dword(row); row += 8)
    if (Dword(row) == (accent << 16 | base)) return Word(row + 4);
  return -1;
}

std::string TableReader::KeyName(bool extended, unsigned scan) const {
  size_t entryBytes = 2 * static_cast<size_t>(width_);
  for (const uint8_t* row = Field(extended ? kKeyNamesExt : kKeyNames); row && row[0]; row += entryBytes)
    if (row[0] == scan) return Narrow(Pointer(row + width_));
  return std::string();
}

std::string TableReader::DeadKeyName(unsigned accent) const {
  for (const uint8_t* row = Field(kKeyNamesDead); row && Pointer(row); row += width_) {
    const uint8_t* text = Pointer(row);
    if (Word(text) == accent) return Narrow(text + 2);
  }
  return std::string();
}
