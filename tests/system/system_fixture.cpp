// The test installer's string tables and the scratch-folder and Wine helpers.
#include "system_fixture.h"

#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <vector>

namespace {

struct TextEntry {
  StringId id;
  const char16_t* wide;  // stored as a UTF-16 record, or
  const char* narrow;    // as a UTF-8 record
};

// Sorted by StringId, as a string record is.
const TextEntry kTexts[] = {
    {kLaunchFormat, u"\"%s\" /c echo %s> launched.txt", nullptr},
    {kLaunchAssociation, u"KbdSystemTests.Launcher", nullptr},
    {kNativeInfoProc, nullptr, "GetNativeSystemInfo"},
    {kFrameClass, u"KbdSystemTestsFrame", nullptr},
    {kLaunchArgument, u"launch-argument", nullptr},
    {kKernelLibrary, u"kernel32.dll", nullptr},
    {kTestKey, u"Software\\KbdSystemTests", nullptr},
    {kTestSubKey, u"Software\\KbdSystemTests\\Sub", nullptr},
    {kMissingKey, u"Software\\KbdSystemTests\\Missing", nullptr},
    {kLeafKey, u"Sub", nullptr},
    {kValueName, u"Value", nullptr},
    {kOtherValueName, u"Other", nullptr},
    {kNarrowValueName, nullptr, "Wert \xC3\xA4"},  // "Wert ä" in UTF-8
    {kEmptyText, u"", nullptr},
    {kStoredText, u"Stored text", nullptr},
    {kMissingProc, nullptr, "KbdSystemTestsNoSuchProcedure"},
    {kMissingLibrary, u"kbd-system-tests-missing.dll", nullptr},
    {kTempPrefix, u"kst", nullptr},
    {kTextAssociation, u"txtfile", nullptr},
    {kUpperProgram, u"NOTEPAD.EXE", nullptr},
    {kLowerProgram, u"notepad.exe", nullptr},
    {kBareFormat, u"%s", nullptr},
    {kShellFormat, u"cmd.exe /c %s", nullptr},
};

void PutLittle32(std::vector<unsigned char>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// An inflated string record: count entries of (StringId, offset), then the
// TextRecords, each at an offset that is a multiple of 4.
void FillTable(StringTable& table) {
  const size_t count = sizeof kTexts / sizeof kTexts[0];
  std::vector<unsigned char> bytes(count * 8);
  std::vector<unsigned char> area;
  for (size_t i = 0; i < count; ++i) {
    const TextEntry& text = kTexts[i];
    PutLittle32(bytes, i * 8, text.id);
    PutLittle32(bytes, i * 8 + 4, uint32_t(area.size()));
    const size_t at = area.size();
    if (text.wide != nullptr) {
      const size_t units = std::char_traits<char16_t>::length(text.wide);
      area.resize(at + 4 + units * 2);
      StoreTextHeader(&area[at], false, uint32_t(units));
      for (size_t u = 0; u < units; ++u) {
        area[at + 4 + 2 * u] = static_cast<unsigned char>(text.wide[u]);
        area[at + 5 + 2 * u] = static_cast<unsigned char>(text.wide[u] >> 8);
      }
    } else {
      const size_t length = std::strlen(text.narrow);
      area.resize(at + 4 + length);
      StoreTextHeader(&area[at], true, uint32_t(length));
      std::memcpy(&area[at + 4], text.narrow, length);
    }
    area.resize((area.size() + 3) & ~size_t(3));
  }
  bytes.insert(bytes.end(), area.begin(), area.end());
  auto* buffer = static_cast<unsigned char*>(std::malloc(bytes.size()));
  std::memcpy(buffer, bytes.data(), bytes.size());
  if (!table.SetData(buffer, uint32_t(bytes.size()), uint32_t(count))) std::abort();
}

const wchar_t kPendingKey[] = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingValue[] = L"PendingFileRenameOperations";

// The entries of the pending list, as the platform stores them: source names
// in NT form (\??\C:\...), each followed by its target ("" for a deletion).
std::vector<std::wstring> ReadPendingList() {
  std::vector<std::wstring> entries;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPendingKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return entries;
  }
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, kPendingValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_MULTI_SZ && size > 0) {
    std::vector<wchar_t> data(size / 2 + 2, 0);
    if (RegQueryValueExW(key, kPendingValue, nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
      // Empty strings are part of the list here (the targets of deletions),
      // so walk it by the byte count, not to the first empty string.
      const size_t units = size / 2;
      size_t at = 0;
      while (at < units) {
        const std::wstring entry(&data[at]);
        entries.push_back(entry);
        at += entry.size() + 1;
      }
    }
  }
  RegCloseKey(key);
  return entries;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

bool IsNameOf(const std::wstring& entry, const std::wstring& path) {
  return SameName(entry, path) || SameName(entry, L"\\??\\" + path);
}

}  // namespace

const wchar_t kTestKeyPath[] = L"Software\\KbdSystemTests";
const wchar_t kTestSubKeyPath[] = L"Software\\KbdSystemTests\\Sub";

TestInstaller::TestInstaller() { FillTable(baseTexts); }

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  wchar_t unique[64];
  wsprintfW(unique, L"kbd-system-tests-%lu-%lu", GetCurrentProcessId(), GetTickCount());
  path_ = std::wstring(temp) + unique;
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[512];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

std::string PrefixKind() {
  const char* kind = std::getenv("KBD_WINE_PREFIX");
  return kind ? kind : "";
}

bool RunsOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool IsPendingDeletion(const std::wstring& path) {
  const std::vector<std::wstring> entries = ReadPendingList();
  for (size_t i = 0; i + 1 < entries.size(); i += 2) {
    if (IsNameOf(entries[i], path) && entries[i + 1].empty()) return true;
  }
  return false;
}

void ForgetPendingDeletion(const std::wstring& path) {
  const std::vector<std::wstring> entries = ReadPendingList();
  std::vector<wchar_t> kept;
  bool dropped = false;
  for (size_t i = 0; i + 1 < entries.size(); i += 2) {
    if (IsNameOf(entries[i], path) && entries[i + 1].empty()) {
      dropped = true;
      continue;
    }
    for (size_t k = 0; k < 2; ++k) {
      kept.insert(kept.end(), entries[i + k].begin(), entries[i + k].end());
      kept.push_back(0);
    }
  }
  if (!dropped) return;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPendingKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
    return;
  }
  if (kept.empty()) {
    RegDeleteValueW(key, kPendingValue);
  } else {
    kept.push_back(0);
    RegSetValueExW(key, kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                   DWORD(kept.size() * 2));
  }
  RegCloseKey(key);
}
