// A table of numbered texts, decoded from one string record of the Package.
#include "package/string_table.h"

#include <cstdlib>

#include "package/byte_order.h"

namespace {

constexpr std::uint32_t kEntrySize = 8;

// Checks every entry and the text it points at, so that lookups and the
// string code that reads a text by its header's length stay inside the buffer.
bool HoldsTogether(const unsigned char* buffer, std::uint32_t size, std::uint32_t count) {
  if (count > size / kEntrySize || count > 0x7FFFFFFFu) return false;
  const std::uint32_t textAreaSize = size - count * kEntrySize;
  const unsigned char* textArea = buffer + count * kEntrySize;
  for (std::uint32_t i = 0; i < count; ++i) {
    const unsigned char* entry = buffer + i * kEntrySize;
    if (i > 0 && ReadLittle32(entry) <= ReadLittle32(entry - kEntrySize)) return false;
    const std::uint32_t offset = ReadLittle32(entry + 4);
    if (offset > textAreaSize || textAreaSize - offset < TextRecord::kHeaderSize) return false;
    const TextRecord* text = reinterpret_cast<const TextRecord*>(textArea + offset);
    const std::uint64_t units = static_cast<std::uint32_t>(text->Count());
    const std::uint64_t bytes = text->IsNarrow() ? units : units * 2;
    if (bytes > textAreaSize - offset - TextRecord::kHeaderSize) return false;
  }
  return true;
}

}  // namespace

int StringTable::SetData(unsigned char* buffer, std::uint32_t size, std::uint32_t count) {
  if (buffer == nullptr || count == 0 || !HoldsTogether(buffer, size, count)) return 0;
  Clear();
  count_ = static_cast<std::int32_t>(count);
  buffer_ = buffer;
  entries_ = buffer;
  textArea_ = buffer + kEntrySize * count;
  return 1;
}

void StringTable::Clear() {
  std::free(buffer_);
  count_ = 0;
  buffer_ = nullptr;
  entries_ = nullptr;
  textArea_ = nullptr;
}

const TextRecord* StringTable::FindText(StringId id) const {
  if (entries_ == nullptr || textArea_ == nullptr) return nullptr;
  std::int32_t low = 0;
  std::int32_t high = count_ - 1;
  while (low <= high) {
    const std::int32_t middle = low + (high - low) / 2;
    const unsigned char* entry = entries_ + kEntrySize * static_cast<std::uint32_t>(middle);
    const StringId current = ReadLittle32(entry);
    if (id == current) return reinterpret_cast<const TextRecord*>(textArea_ + ReadLittle32(entry + 4));
    if (id > current) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  return nullptr;
}
