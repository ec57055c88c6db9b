// A library of no use, placed beside the test programs: the restricted library search must not find it.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
