// Libraries and procedures whose names are texts.
#include <windows.h>

#include "install/install_base.h"

HMODULE CInstallBase::LoadLibraryByText(StringId libName) {
  GetText(libName, scratchText);  // a missing text loads the empty name, which fails
  return LoadLibraryW(ToWchar(scratchText.WideText(0)));
}

void* CInstallBase::GetProcByText(StringId procName, StringId libName, HMODULE& library) {
  if (library == nullptr) {
    library = LoadLibraryByText(libName);
    if (library == nullptr) return nullptr;
  }
  GetText(procName, scratchText);
  // Procedure names are 8-bit.
  const char* name = scratchText.MakeNarrow(scratchText.CodePage);
  if (name == nullptr || name[0] == 0) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(library, name));
}
