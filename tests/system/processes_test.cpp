// Associations and started programs: real associations of the prefix, real children.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "system_fixture.h"

namespace {

// Polls for a file for up to ten seconds; a child may start slowly.
bool AppearsWithin10s(const std::wstring& path) {
  for (int i = 0; i < 100; ++i) {
    if (FileExists(path)) return true;
    Sleep(100);
  }
  return FileExists(path);
}

TEST(Associations, RealAssociationIsFoundAndMatchesOnlyUpperCase) {
  TestInstaller install;
  GString program;
  ASSERT_EQ(install.FindAssociatedProgram(kTextAssociation, program), 1);
  EXPECT_TRUE(FileExists(W(program))) << "the associated program exists";
  EXPECT_EQ(install.AssociatedProgramContains(kTextAssociation, kUpperProgram), 1);
  // Only the path is upper-cased: a lower-case text never matches.
  EXPECT_EQ(install.AssociatedProgramContains(kTextAssociation, kLowerProgram), 0);
  EXPECT_EQ(install.AssociatedProgramContains(kTextAssociation, kNoText), 0);
}

TEST(Associations, UnknownKeysAndMissingTextsFindNothing) {
  TestInstaller install;
  GString program;
  program.AssignWide(u"before");
  EXPECT_EQ(install.FindAssociatedProgram(kNoText, program), 0);
  EXPECT_EQ(program.Length, 0);
  EXPECT_EQ(install.FindAssociatedProgram(kMissingKey, program), 0);
  EXPECT_EQ(install.AssociatedProgramContains(kMissingKey, kUpperProgram), 0);
  EXPECT_EQ(install.AssociatedProgramContains(kNoText, kUpperProgram), 0);
}

class Processes : public ::testing::Test {
 protected:
  TestInstaller install_;
  ScratchFolder folder_;
};

TEST_F(Processes, RunCommandReturnsWhileALongerChildRunsOn) {
  const std::wstring started = folder_.File(L"started.txt");
  const std::wstring finished = folder_.File(L"finished.txt");
  // About four seconds of pings between the two marks.
  const std::wstring script = L"echo started> \"" + started +
                              L"\" & ping -n 5 127.0.0.1 > nul & echo finished> \"" + finished +
                              L"\"";
  EXPECT_EQ(install_.RunCommand(kShellFormat, U16(script)), 1);
  // Back after the bounded wait, with the child still running...
  EXPECT_FALSE(FileExists(finished));
  // ...which then goes on to its end.
  EXPECT_TRUE(AppearsWithin10s(started));
  EXPECT_TRUE(AppearsWithin10s(finished));
  // RunCommand keeps its format text in scratchText.
  EXPECT_EQ(install_.scratchText.Compare(u"cmd.exe /c %s"), 0);
}

TEST_F(Processes, RunCommandCountsABuiltCommandLineNotAStartedProgram) {
  EXPECT_EQ(install_.RunCommand(0, u"ignored"), 0);
  const std::wstring missing = folder_.File(L"no-such-program.exe");
  EXPECT_EQ(install_.RunCommand(kBareFormat, U16(missing)), 1);
}

// The launch texts name an association the test registers: cmd.exe, which
// writes its argument into a file of the current folder.
TEST_F(Processes, LaunchStartsTheAssociatedProgramWithItsArgument) {
  const wchar_t kCommandKey[] = L"KbdSystemTests.Launcher\\shell\\open\\command";
  wchar_t system[MAX_PATH + 1] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring command = L"\"" + std::wstring(system) + L"\\cmd.exe\" /c \"%1\"";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, kCommandKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 DWORD((command.size() + 1) * 2));
  RegCloseKey(key);

  wchar_t previous[MAX_PATH + 1] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(folder_.Path().c_str()));
  EXPECT_EQ(install_.Launch(), 1);
  const std::wstring launched = folder_.File(L"launched.txt");
  EXPECT_TRUE(AppearsWithin10s(launched));
  SetCurrentDirectoryW(previous);
  SHDeleteKeyW(HKEY_CLASSES_ROOT, L"KbdSystemTests.Launcher");
  Sleep(200);  // let cmd finish writing
  EXPECT_EQ(ReadFileBytes(launched), "launch-argument\r\n");

  // Without the association nothing is started.
  EXPECT_EQ(install_.RunAssociatedProgram(kMissingKey, kLaunchFormat, u"x"), 0);
}

}  // namespace
