// Machine-wide registrations: the layout's registration, the scan-code map and
// the user's hot-key values.
#include <windows.h>

#include <cstdlib>

#include "install/install.h"
#include "install/reg_key.h"
#include "install/scan_code_map.h"

namespace {

constexpr uint32_t kKeyRead = 0x20019;
constexpr uint32_t kKeyWrite = 0x20006;
constexpr uint32_t kSetValueCreateSubKey = 6;
constexpr uint32_t kKeyWow64_64 = 0x100;
constexpr uint32_t kUserKeyAccess = 0x2001F;

}  // namespace

int CInstall::RegisterLayout() {
  const uint32_t access = is64BitOs ? kSetValueCreateSubKey | kKeyWow64_64 : kSetValueCreateSubKey;
  RegKey layouts(OpenKey(HKEY_LOCAL_MACHINE, 3, access));
  if (!layouts) return 0;
  RegKey layout(CreateKey(layouts.Get(), 85, access));
  if (!layout) return 0;
  // Every value is written even when one before it failed; the result says
  // whether all four are in place.
  const struct {
    StringId value, text;
  } values[] = {{17, 81}, {20, 87}, {19, 84}, {18, 83}};
  int result = 1;
  for (const auto& v : values) {
    if (!SetStringValue(layout.Get(), v.value, v.text)) result = 0;
  }
  return result;
}

int CInstall::ReadSystemKeyMap() {
  if (!keyMap || keyMapCount == 0) return 0;
  RegKey key(OpenKey(HKEY_LOCAL_MACHINE, 5, kKeyRead));
  if (!key) return 0;
  uint32_t size = 0;
  unsigned char* value = QueryBinaryValue(key.Get(), 6, size);
  if (!value) return 0;
  systemMapPresent = 1;
  const uint32_t entries = ScanCodeMapEntries(value, size);
  if (entries > 0) {
    std::free(systemMapKept);
    systemMapKeptCount = 0;
    systemMapKept = static_cast<uint32_t*>(std::malloc(entries * sizeof(uint32_t)));
    // Without room for the unknown keys' entries the known ones are still read.
    systemMapKeptCount = ReadScanCodeMap(value, size, keyMap, keyMapCount, systemMapKept);
    NormalizeKeyMap();
  }
  std::free(value);
  return 0;
}

int CInstall::WriteSystemKeyMap() {
  if (!keyMap || keyMapCount == 0) return 0;
  const uint32_t remapped = RemappedRowCount(keyMap, keyMapCount);
  if (remapped == 0 && systemMapKeptCount == 0 && !systemMapPresent) return 1;
  const uint32_t size = ScanCodeMapSize(remapped, systemMapKeptCount);
  unsigned char* value = size ? static_cast<unsigned char*>(std::malloc(size)) : nullptr;
  if (!value) return 0;
  WriteScanCodeMap(keyMap, keyMapCount, systemMapKept, systemMapKeptCount, value);
  RegKey key(OpenKey(HKEY_LOCAL_MACHINE, 5, kKeyWrite));
  const int result = key ? SetBinaryValue(key.Get(), 6, value, size) : 0;
  std::free(value);
  return result;
}

int CInstall::WriteHotkeyValues() {
  RegKey key(OpenKey(HKEY_CURRENT_USER, 13, kUserKeyAccess));
  if (!key) return 0;
  GString three;
  three.AssignWide(u"3");
  // All three are written; the result says whether all three are in place.
  const StringId values[] = {14, 15, 16};
  int result = 1;
  for (const StringId value : values) {
    if (!SetStringValue(key.Get(), value, three)) result = 0;
  }
  return result;
}
