// Rights: membership of the Administrators group, and the restart with the shutdown privilege.
#include <windows.h>

#include "install/install_base.h"

namespace {

// Planned, major reason operating system, minor reason reconfiguration.
constexpr DWORD kRestartReason = SHTDN_REASON_FLAG_PLANNED | SHTDN_REASON_MAJOR_OPERATINGSYSTEM |
                                 SHTDN_REASON_MINOR_RECONFIG;
static_assert(kRestartReason == 0x80020004, "the reason code of a planned reconfiguration");

// Enables the shutdown privilege in the process token; 1 only when the token
// holds it (an adjustment reports a privilege it lacks only through the last
// error, never through its result).
int EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    return 0;
  }
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
    CloseHandle(token);
    return 0;
  }
  AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  const DWORD error = GetLastError();
  CloseHandle(token);
  return error == ERROR_SUCCESS ? 1 : 0;
}

}  // namespace

int CInstallBase::IsUserAdmin() {
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
    return 0;
  }
  // No token: the calling thread's effective one.
  BOOL member = FALSE;
  if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
  FreeSid(administrators);
  return member ? 1 : 0;
}

int CInstallBase::RestartMachine() {
  if (!EnableShutdownPrivilege()) return 0;
  wchar_t noMessage[] = L"";
  // The restart with a reason code came after Windows 2000, whose loader
  // would refuse to start a program importing it: resolve it by name, and
  // restart without a reason where it is missing.
  using ShutdownWithReason = BOOL(WINAPI*)(LPWSTR, LPWSTR, DWORD, BOOL, BOOL, DWORD);
  const HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
  if (auto withReason = advapi ? reinterpret_cast<ShutdownWithReason>(reinterpret_cast<void*>(
                                     GetProcAddress(advapi, "InitiateSystemShutdownExW")))
                               : nullptr) {
    return withReason(nullptr, noMessage, 0, FALSE, TRUE, kRestartReason);
  }
  return InitiateSystemShutdownW(nullptr, noMessage, 0, FALSE, TRUE);
}
