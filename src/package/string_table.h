// A table of numbered texts, decoded from one string record of the Package.
#pragma once

#include <cstdint>

#include "text/gstring.h"

using StringId = std::uint32_t;

// The inflated record: `count` entries of (StringId, offset into the text
// area), sorted by StringId as unsigned numbers, then the text area of
// TextRecords (a 32-bit header: bit 31 set = UTF-8, bits 0..28 = length in
// code units; then the characters). The table owns the buffer.
class StringTable {
 public:
  StringTable() = default;
  ~StringTable() { Clear(); }
  StringTable(const StringTable&) = delete;
  StringTable& operator=(const StringTable&) = delete;

  // Takes `buffer` (allocated with std::malloc, `size` bytes) on success.
  // Returns 0 and leaves both the table and the buffer's ownership unchanged
  // when the buffer is null, the count 0, or the content does not hold
  // together: entries past the buffer, entries out of order, or a text that
  // runs past the buffer. A table that passes can be read without bounds checks.
  [[nodiscard]] int SetData(unsigned char* buffer, std::uint32_t size, std::uint32_t count);
  void Clear();

  // The text of `id`, or null.
  const TextRecord* FindText(StringId id) const;

  std::int32_t Count() const { return count_; }

 private:
  std::int32_t count_ = 0;
  unsigned char* buffer_ = nullptr;
  const unsigned char* entries_ = nullptr;
  const unsigned char* textArea_ = nullptr;
};
