// Platform facts and checks: version and processor, the support table, a running copy.
#include <windows.h>

#include "install/install_base.h"
#include "system/platform_rules.h"

namespace {

using SystemInfoProc = void(WINAPI*)(SYSTEM_INFO*);

static_assert(sizeof(OSVERSIONINFOEXW) == 284 && sizeof(OSVERSIONINFOW) == 276,
              "the two version records GetVersionExW knows by their size");

}  // namespace

int CInstallBase::DetectPlatform(StringId procName, StringId libName) {
  processorArchitecture = platform::kArchUnknown;
  osVersion = 0;
  is64BitOs = 0;
  // The extended record first; systems that refuse it still fill the plain one.
  OSVERSIONINFOEXW version = {};
  version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
  if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version))) {
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version))) return 0;
  }
  osVersion = platform::VersionCode(version.dwMajorVersion, version.dwMinorVersion);
  // The native variant sees the real processor from a 32-bit process on a
  // 64-bit system; without it such a machine reads as x86.
  HMODULE library = nullptr;
  SYSTEM_INFO info = {};
  auto native = reinterpret_cast<SystemInfoProc>(GetProcByText(procName, libName, library));
  if (native != nullptr) {
    native(&info);
  } else {
    GetSystemInfo(&info);
  }
  if (library != nullptr) FreeLibrary(library);
  processorArchitecture = info.wProcessorArchitecture;
  is64BitOs = uint32_t(platform::Is64BitArchitecture(processorArchitecture));
  return 1;
}

int CInstallBase::IsPlatformSupported() {
  return platform::IsSupported(osVersion, processorArchitecture);
}

int CInstallBase::CheckSingleInstance() {
  // The frame registers its window class under text 94.
  GetText(94, scratchText);
  HWND other = FindWindowW(ToWchar(scratchText.WideText(0)), nullptr);
  if (other == nullptr) return 1;
  SetForegroundWindow(other);
  return 0;
}
