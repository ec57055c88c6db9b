// Registry access by name: keys and values with their exact types and byte counts.
#include <windows.h>

#include <cstdlib>

#include "install/install_base.h"

namespace {

bool IsEmptyName(const char16_t* name) { return name == nullptr || name[0] == 0; }

}  // namespace

HKEY CInstallBase::OpenKey(HKEY root, const char16_t* name, uint32_t access) {
  if (root == nullptr || IsEmptyName(name)) return nullptr;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, ToWchar(name), 0, access, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

HKEY CInstallBase::CreateKey(HKEY root, const char16_t* name, uint32_t access) {
  if (root == nullptr || IsEmptyName(name)) return nullptr;
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, ToWchar(name), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

int CInstallBase::SetBinaryValue(HKEY key, const char16_t* name, const void* bytes,
                                 uint32_t count) {
  return RegSetValueExW(key, ToWchar(name), 0, REG_BINARY, static_cast<const BYTE*>(bytes),
                        count) == ERROR_SUCCESS;
}

unsigned char* CInstallBase::QueryBinaryValue(HKEY key, const char16_t* name, uint32_t& count) {
  count = 0;
  DWORD type = 0;
  DWORD size = 0;
  const LONG sized = RegQueryValueExW(key, ToWchar(name), nullptr, &type, nullptr, &size);
  if (sized != ERROR_SUCCESS && sized != ERROR_MORE_DATA) return nullptr;
  if (size == 0 || type != REG_BINARY) return nullptr;
  count = size;
  unsigned char* bytes = static_cast<unsigned char*>(std::malloc(size));
  if (bytes == nullptr) return nullptr;
  // The value may change between the two reads: the read is bounded by the
  // buffer, and only a value of the same type and size is taken.
  DWORD read = size;
  const LONG result = RegQueryValueExW(key, ToWchar(name), nullptr, &type, bytes, &read);
  count = read;
  if (result != ERROR_SUCCESS || read != size || type != REG_BINARY) {
    std::free(bytes);
    return nullptr;
  }
  return bytes;
}

int CInstallBase::SetDwordValue(HKEY key, const char16_t* name, uint32_t value) {
  const BYTE bytes[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
  return RegSetValueExW(key, ToWchar(name), 0, REG_DWORD, bytes, sizeof bytes) == ERROR_SUCCESS;
}

int CInstallBase::QueryDwordValue(HKEY key, const char16_t* name, uint32_t& value) {
  BYTE bytes[4] = {};
  DWORD type = 0;
  DWORD size = sizeof bytes;
  if (RegQueryValueExW(key, ToWchar(name), nullptr, &type, bytes, &size) != ERROR_SUCCESS) {
    return 0;
  }
  if (type != REG_DWORD || size != sizeof bytes) return 0;
  value = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
          uint32_t(bytes[3]) << 24;
  return 1;
}

int CInstallBase::SetStringValue(HKEY key, const char16_t* name, GString& text) {
  if (key == nullptr || IsEmptyName(name)) return 0;
  const char16_t* units = text.MakeWide(text.CodePage);
  if (units == nullptr) return 0;
  // Stored with its terminator: an empty text is a value of 2 bytes.
  const DWORD bytes = DWORD(text.Length + 1) * 2;
  return RegSetValueExW(key, ToWchar(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(units),
                        bytes) == ERROR_SUCCESS;
}

int CInstallBase::QueryStringValue(HKEY key, const char16_t* name, GString& text) {
  if (key == nullptr || IsEmptyName(name)) return 0;
  text.AssignWide(u"", 0);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, ToWchar(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return 0;
  }
  if (size == 0) return 1;
  // Room for every whole unit of the value plus a terminator of our own, so
  // an odd byte count or a value stored without its terminator stays inside.
  char16_t* units = text.WideWriteBuffer(int(size / 2));
  if (units == nullptr) return 0;
  DWORD read = size;
  if (RegQueryValueExW(key, ToWchar(name), nullptr, &type, reinterpret_cast<BYTE*>(units),
                       &read) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return 0;
  }
  // The second read tells how much is there now (the value may have shrunk);
  // its stored terminator, when present, is not part of the text.
  int length = int(read / 2);
  if (length > 0 && units[length - 1] == 0) --length;
  text.SetLength(length);
  return 1;
}

int CInstallBase::StringValueEquals(HKEY key, const char16_t* name, const GString& text) {
  GString stored;
  if (!QueryStringValue(key, name, stored)) return 0;
  const int order = text.Wide ? stored.Compare(text.WideText(0), text.Length)
                              : stored.CompareNarrow(text.NarrowText(0), text.Length);
  return order == 0 ? 1 : 0;
}

int CInstallBase::DeleteValue(HKEY key, const char16_t* name) {
  if (key == nullptr || IsEmptyName(name)) return 0;
  return RegDeleteValueW(key, ToWchar(name)) == ERROR_SUCCESS;
}
