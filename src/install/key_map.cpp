// Key rows: lookup by scan code, normalising, and the key-assignment record.
#include "key_map.h"

namespace {
constexpr uint32_t kEntrySize = 4;
}

KeyRow* FindRowByScanCode(KeyRow* rows, int count, uint16_t scanCode) {
  return const_cast<KeyRow*>(FindRowByScanCode(const_cast<const KeyRow*>(rows), count, scanCode));
}

const KeyRow* FindRowByScanCode(const KeyRow* rows, int count, uint16_t scanCode) {
  if (!rows) return nullptr;
  for (int i = 0; i < count && rows[i].scanCode != 0; ++i) {
    if (rows[i].scanCode == scanCode) return &rows[i];
  }
  return nullptr;
}

void NormalizeKeyRows(KeyRow* rows, int count) {
  if (!rows) return;
  // Positions past the table have no default to compare with.
  const int n = count < kKeyTableRows ? count : kKeyTableRows;
  for (int i = 0; i < n; ++i) {
    if (rows[i].remapTarget == keyTable[i].scanCode) rows[i].remapTarget = 0;
    if (rows[i].virtualKey == keyTable[i].virtualKey) rows[i].virtualKey = 0;
  }
}

void ApplyKeyAssignments(KeyRow* rows, int count, const unsigned char* bytes, uint32_t byteCount) {
  if (!rows || !bytes) return;
  const uint32_t entries = byteCount / kEntrySize;
  for (uint32_t e = 0; e < entries; ++e) {
    const unsigned char* entry = bytes + e * kEntrySize;
    const uint16_t scanCode = ReadLe16(entry);
    const uint16_t virtualKey = ReadLe16(entry + 2);
    if (virtualKey == 0) continue;
    // Every row takes part here, not only those before the first zero scan code.
    for (int i = 0; i < count; ++i) {
      if (rows[i].scanCode == scanCode) {
        rows[i].virtualKey = virtualKey;
        break;
      }
    }
  }
}

uint32_t KeyAssignmentsSize(const KeyRow* rows, int count) {
  uint32_t size = 0;
  for (int i = 0; rows && i < count && rows[i].scanCode != 0; ++i) {
    if (rows[i].virtualKey != 0) size += kEntrySize;
  }
  return size;
}

void WriteKeyAssignments(const KeyRow* rows, int count, unsigned char* out) {
  for (int i = 0; rows && i < count && rows[i].scanCode != 0; ++i) {
    if (rows[i].virtualKey == 0) continue;
    WriteLe16(out, rows[i].scanCode);
    WriteLe16(out + 2, rows[i].virtualKey);
    out += kEntrySize;
  }
}
