// Shortcuts: shell-link files made through the platform's shell-link object.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "install/install_base.h"

int CInstallBase::CreateShortcut(const char16_t* target, const char16_t* linkFile,
                                 const char16_t* description, const char16_t* iconPath,
                                 int iconIndex) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return 0;
  }
  link->SetPath(ToWchar(target));
  link->SetDescription(ToWchar(description));
  if (iconPath != nullptr) link->SetIconLocation(ToWchar(iconPath), iconIndex);
  IPersistFile* file = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    link->Release();
    return 0;
  }
  file->Save(ToWchar(linkFile), TRUE);
  file->Release();
  link->Release();
  return 1;
}
