// Shared pieces of the Windows tests of the system services: an installer
// object with string tables of test texts, a scratch folder, and Wine facts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "install/install_base.h"

// StringIds of the test texts. Where an operation uses a fixed StringId (the
// frame's class 94, the launch texts 2, 41 and 95) the test text takes it;
// every registry path lies under a test key of its own, every file in a
// scratch folder, so nothing the product writes is touched.
enum TestText : StringId {
  kLaunchFormat = 2,
  kLaunchAssociation = 41,
  kNativeInfoProc = 58,
  kFrameClass = 94,
  kLaunchArgument = 95,
  kKernelLibrary = 144,
  kTestKey = 1000,         // Software\KbdSystemTests
  kTestSubKey = 1001,      // Software\KbdSystemTests\Sub
  kMissingKey = 1002,      // Software\KbdSystemTests\Missing
  kLeafKey = 1003,         // Sub
  kValueName = 1010,       // "Value"
  kOtherValueName = 1011,  // "Other"
  kNarrowValueName = 1012, // a value name kept as UTF-8 in the table
  kEmptyText = 1013,       // ""
  kStoredText = 1014,      // "Stored text"
  kMissingProc = 1020,     // a procedure no library exports
  kMissingLibrary = 1021,  // a library that does not exist
  kTempPrefix = 1030,      // "kst"
  kTextAssociation = 1040, // an association every prefix has
  kUpperProgram = 1041,    // "NOTEPAD.EXE"
  kLowerProgram = 1042,    // "notepad.exe"
  kBareFormat = 1050,      // "%s"
  kShellFormat = 1051,     // "cmd.exe /c %s"
  kNoText = 1999,          // held by no table
};

class TestInstaller : public CInstallBase {
 public:
  TestInstaller();
};

// Full path of the registry test key, as the tests open it themselves.
extern const wchar_t kTestKeyPath[];
extern const wchar_t kTestSubKeyPath[];

// A fresh empty folder under the temporary folder, removed with its content
// at destruction.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::wstring& Path() const { return path_; }
  std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void RemoveTree(const std::wstring& path);
bool FileExists(const std::wstring& path);
// Size in bytes, or -1 when the file cannot be opened.
int64_t FileSize(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);

// Which prefix wine-run.sh started us in: "win32", "win64" or "".
std::string PrefixKind();
// True only under Wine (ntdll exports wine_get_version): guards what must
// never run on a real Windows.
bool RunsOnWine();

// Pending deletions at the next restart (PendingFileRenameOperations).
bool IsPendingDeletion(const std::wstring& path);
// Drops the tests' own entries again, so a shared prefix keeps no trace.
void ForgetPendingDeletion(const std::wstring& path);

inline const char16_t* U16(const wchar_t* text) { return FromWchar(text); }
inline const char16_t* U16(const std::wstring& text) { return FromWchar(text.c_str()); }
inline const wchar_t* W(const GString& text) { return ToWchar(text.WideText(0)); }
