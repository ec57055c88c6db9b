// Platform facts, a running copy, administrator rights and the restart, on the real system.
#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "system_fixture.h"
#include "system/platform_rules.h"

namespace {

uint16_t ExpectedArchitecture() {
  return PrefixKind() == "win64" ? platform::kArchAmd64 : platform::kArchX86;
}

TEST(Platform, DetectPlatformReadsVersionAndNativeProcessor) {
  if (PrefixKind().empty()) GTEST_SKIP() << "not started by wine-run.sh";
  TestInstaller install;
  ASSERT_EQ(install.DetectPlatform(kNativeInfoProc, kKernelLibrary), 1);
  EXPECT_EQ(install.processorArchitecture, ExpectedArchitecture());
  EXPECT_EQ(install.is64BitOs, PrefixKind() == "win64" ? 1u : 0u);
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExW(&version));
  EXPECT_EQ(install.osVersion, int32_t(version.dwMajorVersion * 10 + version.dwMinorVersion));
  EXPECT_GE(install.osVersion, 50);
  EXPECT_EQ(install.IsPlatformSupported(), 1);
}

TEST(Platform, WithoutTheNativeProcedureTheProcessViewIsTaken) {
  // A 32-bit process then sees an x86 machine, also on a 64-bit system.
  TestInstaller install;
  ASSERT_EQ(install.DetectPlatform(kMissingProc, kKernelLibrary), 1);
  EXPECT_EQ(install.processorArchitecture, platform::kArchX86);
  EXPECT_EQ(install.is64BitOs, 0u);
  ASSERT_EQ(install.DetectPlatform(kNativeInfoProc, kMissingLibrary), 1);
  EXPECT_EQ(install.processorArchitecture, platform::kArchX86);
}

TEST(Platform, IsPlatformSupportedReadsTheFields) {
  TestInstaller install;
  EXPECT_EQ(install.IsPlatformSupported(), 0) << "nothing detected yet";
  install.osVersion = 51;
  install.processorArchitecture = platform::kArchAmd64;
  EXPECT_EQ(install.IsPlatformSupported(), 0);
  install.osVersion = 52;
  EXPECT_EQ(install.IsPlatformSupported(), 1);
}

TEST(Libraries, ProceduresResolveByTextAndTheSlotKeepsTheLibrary) {
  TestInstaller install;
  HMODULE library = nullptr;
  void* proc = install.GetProcByText(kNativeInfoProc, kKernelLibrary, library);
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(proc, reinterpret_cast<void*>(
                      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetNativeSystemInfo")));
  // A second procedure from the same slot needs no library name.
  EXPECT_EQ(install.GetProcByText(kMissingProc, kNoText, library), nullptr);
  EXPECT_NE(library, nullptr);
  FreeLibrary(library);

  HMODULE missing = nullptr;
  EXPECT_EQ(install.GetProcByText(kNativeInfoProc, kMissingLibrary, missing), nullptr);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(install.LoadLibraryByText(kMissingLibrary), nullptr);
  HMODULE kernel = install.LoadLibraryByText(kKernelLibrary);
  EXPECT_EQ(kernel, GetModuleHandleW(L"kernel32.dll"));
  if (kernel) FreeLibrary(kernel);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// Windows need a display: wintests runs without one, the GUI run of this
// test (system.gui in tests/system) with one.
TEST(SingleInstance, FindsAWindowOfTheFramesClass) {
  TestInstaller install;
  EXPECT_EQ(install.CheckSingleInstance(), 1);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"KbdSystemTestsFrame";
  ASSERT_NE(RegisterClassW(&windowClass), 0);
  HWND window = CreateWindowExW(0, L"KbdSystemTestsFrame", L"any title", WS_OVERLAPPEDWINDOW, 0, 0,
                                100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) {
    UnregisterClassW(L"KbdSystemTestsFrame", windowClass.hInstance);
    // The GUI run asks for the window to be there.
    ASSERT_EQ(std::getenv("KBD_REQUIRE_DISPLAY"), nullptr) << "no window on the display";
    GTEST_SKIP() << "no display to create a window on";
  }
  EXPECT_EQ(install.CheckSingleInstance(), 0);
  DestroyWindow(window);
  EXPECT_EQ(install.CheckSingleInstance(), 1);
  UnregisterClassW(L"KbdSystemTestsFrame", windowClass.hInstance);
}

TEST(Rights, UserIsAdministratorUnderWine) {
  if (!RunsOnWine()) GTEST_SKIP() << "membership depends on the machine's user";
  TestInstaller install;
  EXPECT_EQ(install.IsUserAdmin(), 1);
}

bool ShutdownPrivilegeEnabled() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  LUID shutdown;
  bool enabled = false;
  DWORD size = 0;
  GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::string bytes(size, '\0');
  if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &shutdown) &&
      GetTokenInformation(token, TokenPrivileges, &bytes[0], size, &size)) {
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(bytes.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
      const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
      if (entry.Luid.LowPart == shutdown.LowPart && entry.Luid.HighPart == shutdown.HighPart) {
        enabled = (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
      }
    }
  }
  CloseHandle(token);
  return enabled;
}

// Sets the shutdown privilege of the process token on or off.
bool SetShutdownPrivilege(bool enable) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  LUID& shutdown = privileges.Privileges[0].Luid;
  const bool done = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &shutdown) &&
                    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                    GetLastError() == ERROR_SUCCESS;
  CloseHandle(token);
  return done;
}

// Wine's restart request changes nothing outside the prefix; on any real
// Windows this test must never get as far as the call.
TEST(Rights, RestartMachineEnablesTheShutdownPrivilegeFirst) {
  if (!RunsOnWine()) GTEST_SKIP() << "would restart this machine";
  ASSERT_TRUE(SetShutdownPrivilege(false));
  ASSERT_FALSE(ShutdownPrivilegeEnabled());
  TestInstaller install;
  EXPECT_NE(install.RestartMachine(), 0);
  EXPECT_TRUE(ShutdownPrivilegeEnabled());
}

}  // namespace
