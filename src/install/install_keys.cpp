// The installer's key map: lookups, normalising and the key-assignment record.
#include <cstdlib>

#include "install/install.h"
#include "install/key_map.h"

const KeyRow* CInstall::FindKeyRow(uint16_t scanCode) const {
  return FindRowByScanCode(keyTable, kKeyTableRows, scanCode);
}

KeyRow* CInstall::FindKey(uint16_t scanCode) {
  return FindRowByScanCode(keyMap, keyMapCount, scanCode);
}

int CInstall::NormalizeKeyMap() {
  if (!keyMap) return 0;
  NormalizeKeyRows(keyMap, keyMapCount);
  return 1;
}

int CInstall::ParseKeyAssignments(unsigned char* bytes, uint32_t byteCount) {
  if (!bytes || byteCount == 0) {
    std::free(bytes);
    return 0;
  }
  int result = 0;
  if (keyMap) {
    ApplyKeyAssignments(keyMap, keyMapCount, bytes, byteCount);
    result = NormalizeKeyMap();
  }
  std::free(bytes);
  return result;
}

unsigned char* CInstall::BuildKeyAssignments(uint32_t& byteCount) {
  byteCount = 0;
  if (!keyMap) return nullptr;
  NormalizeKeyMap();
  const uint32_t size = KeyAssignmentsSize(keyMap, keyMapCount);
  // A buffer also when there is no choice: the record is then empty.
  unsigned char* bytes = static_cast<unsigned char*>(std::malloc(size ? size : 1));
  if (!bytes) return nullptr;
  WriteKeyAssignments(keyMap, keyMapCount, bytes);
  byteCount = size;
  return bytes;
}

uint32_t CInstall::SetRemapOnly(uint32_t flag) {
  remapOnly = flag ? 1 : 0;
  if (flag) licenceAccepted = 1;
  return flag;
}
