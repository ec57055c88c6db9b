// Folders: special and temporary folders, creating and removing folders, unique temporary files.
#include <windows.h>
#include <shlobj.h>

#include "install/install_base.h"

namespace {

constexpr int kPathChars = 261;         // MAX_PATH and a spare unit
constexpr int kTempFolderChars = 771;   // what GetTempPathW may fill
}  // namespace

int CInstallBase::GetSpecialFolder(int csidl, GString& path) {
  path.AssignWide(u"", 0);
  char16_t* buffer = path.WideWriteBuffer(kPathChars);
  if (buffer == nullptr) return 0;
  if (!SHGetSpecialFolderPathW(OwnerWindow(), ToWchar(buffer), csidl, FALSE)) return 0;
  path.SetLength(-1);
  return 1;
}

int CInstallBase::RemoveFolder(GString& path) {
  if (path.Length == 0) return 0;
  const char16_t* wide = path.MakeWide(path.CodePage);
  if (wide == nullptr) return 0;
  // Only an empty folder goes; no removal is deferred.
  return RemoveDirectoryW(ToWchar(wide)) ? 1 : 0;
}

int CInstallBase::EnsureFolder(const char16_t* path) {
  if (CreateDirectoryW(ToWchar(path), nullptr)) return 1;
  return GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
}

int CInstallBase::GetTempFolder(GString& path) {
  path.AssignWide(u"", 0);
  char16_t* buffer = path.WideWriteBuffer(kTempFolderChars + 1);
  if (buffer == nullptr) return 0;
  // A result above the buffer is the size the path would need.
  const DWORD length = GetTempPathW(kTempFolderChars, ToWchar(buffer));
  if (length == 0 || length > DWORD(kTempFolderChars)) return 0;
  path.SetLength(int(length));
  return 1;
}

int CInstallBase::CreateTempFile(GString& path, StringId prefix, const char16_t* folder) {
  if (prefix == 0) return 0;
  char16_t* buffer = path.WideWriteBuffer(kPathChars);
  if (buffer == nullptr) return 0;
  GString prefixText;
  GetText(prefix, prefixText);  // a missing text is an empty prefix
  GString tempFolder;
  if (folder == nullptr) {
    GetTempFolder(tempFolder);  // a failure leaves an empty folder name
    folder = tempFolder.WideText(0);
  }
  // Unique number 0: the platform picks the name and creates the file empty.
  if (GetTempFileNameW(ToWchar(folder), ToWchar(prefixText.WideText(0)), 0, ToWchar(buffer)) == 0) {
    return 0;
  }
  path.SetLength(-1);
  return 1;
}
