// The program's entry function: owns the installer for the whole run.
#include <windows.h>
#include <objbase.h>

#include "install/install.h"
#include "install/library_search.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  RestrictLibrarySearch();
  CInstall install;
  CoInitializeEx(nullptr, 0);
  if (install.Initialize(instance) && install.Execute()) {
    install.FinishRun();
    CoUninitialize();
  }
  return 0;
}
