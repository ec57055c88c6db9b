// Files: creating and writing them, and deleting them now or at the next restart.
#include <windows.h>

#include "install/install_base.h"

HANDLE CInstallBase::CreateFileForWrite(const char16_t* name) {
  HANDLE file = CreateFileW(ToWchar(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

int CInstallBase::WriteBytes(HANDLE file, const void* bytes, uint32_t count) {
  if (file == nullptr || bytes == nullptr || count == 0) return 0;
  DWORD written = 0;
  return WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

int CInstallBase::WriteText(HANDLE file, GString& text) {
  // An empty text is a failure, not an empty write.
  if (file == nullptr || text.Length == 0) return 0;
  const char* bytes = text.MakeNarrow(text.CodePage);
  if (bytes == nullptr) return 0;
  return WriteBytes(file, bytes, uint32_t(text.Length));
}

int CInstallBase::DeleteFileOrSchedule(const char16_t* name) {
  if (name == nullptr || name[0] == 0) return 0;
  if (DeleteFileW(ToWchar(name))) return 1;
  if (GetLastError() == ERROR_FILE_NOT_FOUND) return 1;
  // Locked, protected or in a folder that is not there: leave it to the
  // platform at the next restart.
  return MoveFileExW(ToWchar(name), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? 1 : 0;
}

int CInstallBase::DeleteFileText(GString& name) {
  if (name.Length == 0) return 0;
  const char16_t* wide = name.MakeWide(name.CodePage);
  if (wide == nullptr) return 0;
  return DeleteFileOrSchedule(wide);
}
