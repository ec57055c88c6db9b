// Restricting the library search, with calls resolved by name so that older
// versions without them still start.
#include "install/library_search.h"

#include <windows.h>

void RestrictLibrarySearch() {
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return;
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  using SetDllDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  if (auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
          reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))) {
    if (setDefault(kSearchSystem32)) return;
  }
  if (auto setDirectory = reinterpret_cast<SetDllDirectoryFn>(
          reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryW")))) {
    setDirectory(L"");
  }
}
