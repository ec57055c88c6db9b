// Scan-code map: bounds-checked decoding and encoding against the key rows.
#include "scan_code_map.h"

#include "key_map.h"
#include "package/byte_order.h"

namespace {
constexpr uint32_t kWord = 4;
constexpr uint32_t kHeaderWords = 3;  // two zero words, then the count word
}  // namespace

uint32_t ScanCodeMapEntries(const unsigned char* value, uint32_t size) {
  if (!value || size < (kHeaderWords + 1) * kWord) return 0;
  // The count word includes the terminator; a huge or negative one is refused.
  const int32_t countWord = int32_t(ReadLittle32(value + 2 * kWord));
  if (countWord <= 1) return 0;
  const uint64_t needed = uint64_t(countWord) * kWord + kHeaderWords * kWord;
  if (needed > size) return 0;
  return uint32_t(countWord) - 1;
}

uint32_t ReadScanCodeMap(const unsigned char* value, uint32_t size, KeyRow* rows, int count,
                         uint32_t* kept) {
  const uint32_t entries = ScanCodeMapEntries(value, size);
  uint32_t keptCount = 0;
  for (uint32_t e = 0; e < entries; ++e) {
    const uint32_t entry = ReadLittle32(value + (kHeaderWords + e) * kWord);
    KeyRow* row = FindRowByScanCode(rows, count, uint16_t(entry >> 16));
    if (row) {
      const uint16_t target = uint16_t(entry);
      row->remapTarget = target ? target : kKeySwitchedOff;
    } else if (kept) {
      kept[keptCount++] = entry;
    }
  }
  return keptCount;
}

uint32_t RemappedRowCount(const KeyRow* rows, int count) {
  uint32_t n = 0;
  for (int i = 0; rows && i < count && rows[i].scanCode != 0; ++i) {
    if (rows[i].remapTarget != 0) ++n;
  }
  return n;
}

uint32_t ScanCodeMapSize(uint32_t remappedRows, uint32_t keptCount) {
  const uint64_t words = uint64_t(remappedRows) + keptCount + kHeaderWords + 1;
  const uint64_t bytes = words * kWord;
  return bytes > UINT32_MAX ? 0 : uint32_t(bytes);
}

void WriteScanCodeMap(const KeyRow* rows, int count, const uint32_t* kept, uint32_t keptCount,
                      unsigned char* out) {
  const uint32_t remapped = RemappedRowCount(rows, count);
  WriteLittle32(out, 0);
  WriteLittle32(out + kWord, 0);
  WriteLittle32(out + 2 * kWord, remapped + keptCount + 1);
  unsigned char* p = out + kHeaderWords * kWord;
  for (int i = 0; rows && i < count && rows[i].scanCode != 0; ++i) {
    const uint16_t target = rows[i].remapTarget;
    if (target == 0) continue;
    const uint16_t sent = target == kKeySwitchedOff ? 0 : target;
    WriteLittle32(p, uint32_t(rows[i].scanCode) << 16 | sent);
    p += kWord;
  }
  for (uint32_t k = 0; k < keptCount; ++k, p += kWord) WriteLittle32(p, kept[k]);
  WriteLittle32(p, 0);
}
