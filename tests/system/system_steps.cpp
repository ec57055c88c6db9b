// Steps of the system-service tests that need the prefix changed between
// them (a restart, another Windows version): one step per run, run by the
// scripts in this folder. Exit code 0 when the step's checks held.
//   systemsteps.exe platform               prints "osVersion architecture is64BitOs"
//   systemsteps.exe schedule-locked NAME   a locked file NAME in the temporary folder,
//                                          scheduled for deletion at the restart
//   systemsteps.exe absent NAME            NAME is gone from the temporary folder
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "system_fixture.h"

namespace {

std::wstring InTemp(const char* name) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring path = temp;
  for (const char* c = name; *c; ++c) path += wchar_t(*c);
  return path;
}

int Platform() {
  TestInstaller install;
  if (!install.DetectPlatform(kNativeInfoProc, kKernelLibrary)) {
    std::printf("DetectPlatform failed\n");
    return 1;
  }
  std::printf("%d %u %u\n", int(install.osVersion), unsigned(install.processorArchitecture),
              unsigned(install.is64BitOs));
  return 0;
}

int ScheduleLocked(const char* name) {
  const std::wstring path = InTemp(name);
  HANDLE lock = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (lock == INVALID_HANDLE_VALUE) {
    std::printf("cannot create %s\n", name);
    return 1;
  }
  TestInstaller install;
  const int result = install.DeleteFileOrSchedule(U16(path));
  const bool stillThere = FileExists(path);
  const bool pending = IsPendingDeletion(path);
  CloseHandle(lock);
  std::printf("DeleteFileOrSchedule %d, file still there %d, pending %d\n", result, stillThere,
              pending);
  return result == 1 && stillThere && pending ? 0 : 1;
}

int Absent(const char* name) {
  const bool there = FileExists(InTemp(name));
  std::printf("%s %s\n", name, there ? "is still there" : "is gone");
  return there ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "platform") == 0) return Platform();
  if (argc == 3 && std::strcmp(argv[1], "schedule-locked") == 0) return ScheduleLocked(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "absent") == 0) return Absent(argv[2]);
  std::printf("usage: systemsteps platform | schedule-locked NAME | absent NAME\n");
  return 2;
}
