// Reads the tables a layout library's KbdLayerDescriptor returns, by the
// platform's field order, with pointers of 4 or 8 bytes (the 64-bit-pointer
// form of a 32-bit library included).
#pragma once
#include <cstdint>
#include <string>

class TableReader {
 public:
  // `tables` is what KbdLayerDescriptor returned; pointerBytes 4 or 8.
  TableReader(const uint8_t* tables, int pointerBytes);

  // False when a pointer's upper half is not zero in the 64-bit-pointer form
  // of a 32-bit library (a pointer this process cannot follow).
  [[nodiscard]] bool PointersValid() const { return valid_; }

  [[nodiscard]] uint32_t LocaleFlags() const;
  [[nodiscard]] uint32_t Type() const;
  [[nodiscard]] uint32_t Subtype() const;
  [[nodiscard]] unsigned ScanTableLength() const;
  [[nodiscard]] unsigned ScanToVk(unsigned scan) const;  // 0xFFFFFFFF past the table
  // Virtual key of a prefixed scan code, or 0xFFFFFFFF when the table lacks it.
  [[nodiscard]] unsigned PrefixedToVk(bool e1, unsigned scan) const;

  // The modifier bits' state column, or -1 when the combination gives none.
  [[nodiscard]] int Column(unsigned modBits) const;
  // Bits of a modifier key (VK_SHIFT, VK_CONTROL, VK_MENU), 0 when absent.
  [[nodiscard]] unsigned ModifierBits(unsigned vk) const;

  // The character of a key in a state: 0xF000 none, 0xF001 dead;
  // *accent receives the next row's character for a dead key. -1 when the key
  // has no row in any table.
  [[nodiscard]] long Char(unsigned vk, unsigned modBits, unsigned* accent, unsigned* attributes) const;
  // Composition of a dead key's accent with a base character, -1 if none.
  [[nodiscard]] long Compose(unsigned accent, unsigned base) const;
  // Key names (UTF-16 narrowed; non-ASCII as '?'); empty when absent.
  [[nodiscard]] std::string KeyName(bool extended, unsigned scan) const;
  [[nodiscard]] std::string DeadKeyName(unsigned accent) const;

 private:
  const uint8_t* Pointer(const uint8_t* at) const;
  const uint8_t* Field(int index) const;  // pointer field by its position
  size_t Offset(int field) const;

  const uint8_t* tables_;
  int width_;
  mutable bool valid_ = true;
};
