// Starts the real setup.exe and watches what it does at start-up:
//   setup_driver normal       ends with 0 and shows no message
//   setup_driver second       a running copy (a window of the frame's class)
//                             is brought to the front; ends with 0
//   setup_driver unsupported  on a version the program refuses (set for
//                             setup.exe only) it shows message 124 with
//                             caption 93; the box is closed from here
//   setup_driver search       after the start-up's restriction a library
//                             beside the program is no longer found by name
// setup.exe is the one beside this program. The texts come from the same
// Package the program carries. Exit code 0 when the program behaved as expected.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "install/install.h"
#include "install/library_search.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr DWORD kPollMs = 50;

std::wstring Text(const GString& s) { return std::wstring(ToWchar(s.WideText()), size_t(s.Length)); }

int Fail(const char* what) {
  std::fprintf(stderr, "setup_driver: %s\n", what);
  return 1;
}

struct Box {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  Box* box = reinterpret_cast<Box*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t cls[16] = {};
  GetClassNameW(window, cls, 16);
  if (process == box->process && lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(window)) {
    box->window = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectTexts(HWND child, LPARAM param) {
  wchar_t text[1024] = {};
  GetWindowTextW(child, text, 1024);
  reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(text);
  return TRUE;
}

// The program's message box, or null when the program ended or time ran out.
HWND WaitForBox(const PROCESS_INFORMATION& pi) {
  for (DWORD waited = 0; waited < kTimeoutMs; waited += kPollMs) {
    Box box = {pi.dwProcessId, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
    if (box.window) return box.window;
    if (WaitForSingleObject(pi.hProcess, kPollMs) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

bool Start(const wchar_t* setup, PROCESS_INFORMATION* pi) {
  std::wstring commandLine = L"\"" + std::wstring(setup) + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  return CreateProcessW(setup, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        pi) != 0;
}

// Waits for the end of the program (ending it when it hangs); its exit code or -1.
long Finish(PROCESS_INFORMATION& pi) {
  DWORD code = DWORD(-1);
  if (WaitForSingleObject(pi.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, kTimeoutMs);
    code = DWORD(-1);
  } else {
    GetExitCodeProcess(pi.hProcess, &code);
  }
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return long(code);
}

LRESULT CALLBACK PlainWindow(HWND window, UINT message, WPARAM w, LPARAM l) {
  return DefWindowProcW(window, message, w, l);
}

HWND MakeWindow(const wchar_t* cls) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = PlainWindow;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
  HWND window = CreateWindowW(cls, cls, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                              nullptr, wc.hInstance, nullptr);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  return window;
}

int Normal(const wchar_t* setup) {
  PROCESS_INFORMATION pi;
  if (!Start(setup, &pi)) return Fail("cannot start setup.exe");
  HWND box = WaitForBox(pi);
  if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
  const long code = Finish(pi);
  if (box) return Fail("the start-up showed a message");
  return code == 0 ? 0 : Fail("setup.exe did not end with 0");
}

int Second(const wchar_t* setup, CInstall& texts) {
  GString frameClass;
  if (!texts.GetText(94, frameClass)) return Fail("no text 94");
  HWND running = MakeWindow(ToWchar(frameClass.WideText()));
  HWND other = MakeWindow(L"KreskaDriverOther");
  if (!running || !other) return Fail("cannot make the windows");
  SetForegroundWindow(other);
  if (GetForegroundWindow() != other) return Fail("cannot set the foreground window");
  PROCESS_INFORMATION pi;
  if (!Start(setup, &pi)) return Fail("cannot start setup.exe");
  HWND box = WaitForBox(pi);
  if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
  const long code = Finish(pi);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  if (box) return Fail("the second copy showed a message");
  if (code != 0) return Fail("setup.exe did not end with 0");
  return GetForegroundWindow() == running ? 0 : Fail("the running copy was not brought to the front");
}

int Unsupported(const wchar_t* setup, CInstall& texts) {
  // Wine reports this version to setup.exe only.
  const wchar_t kAppKey[] = L"Software\\Wine\\AppDefaults\\setup.exe";
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kAppKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return Fail("cannot set the version");
  }
  const wchar_t kVersion[] = L"nt40";
  RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(kVersion),
                 sizeof kVersion);
  RegCloseKey(key);

  PROCESS_INFORMATION pi;
  int result = 0;
  if (!Start(setup, &pi)) {
    result = Fail("cannot start setup.exe");
  } else {
    HWND box = WaitForBox(pi);
    std::vector<std::wstring> children;
    wchar_t caption[256] = {};
    if (box) {
      GetWindowTextW(box, caption, 256);
      EnumChildWindows(box, CollectTexts, reinterpret_cast<LPARAM>(&children));
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    const long code = Finish(pi);
    GString expectedCaption, expectedText;
    texts.GetText(93, expectedCaption);
    texts.GetText(124, expectedText);
    bool found = false;
    for (const std::wstring& child : children) found = found || child == Text(expectedText);
    if (!box) result = Fail("no message box");
    else if (Text(expectedCaption) != caption) result = Fail("the caption is not text 93");
    else if (expectedText.Length == 0 || !found) result = Fail("the message is not text 124");
    else if (code != 0) result = Fail("setup.exe did not end with 0");
  }
  RegDeleteKeyW(HKEY_CURRENT_USER, kAppKey);
  return result;
}

int Search() {
  const wchar_t kPlanted[] = L"kreska_planted.dll";
  HMODULE planted = LoadLibraryW(kPlanted);
  if (!planted) return Fail("the library beside this program is not found even before");
  FreeLibrary(planted);
  RestrictLibrarySearch();
  planted = LoadLibraryW(kPlanted);
  if (planted) {
    FreeLibrary(planted);
    return Fail("the library beside this program is still loaded by name");
  }
  return LoadLibraryW(L"version.dll") ? 0 : Fail("a system library is no longer found");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return Fail("usage: setup_driver normal|second|unsupported|search");
  const std::wstring mode = argv[1];
  if (mode == L"search") return Search();
  wchar_t setup[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, setup, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return Fail("cannot find this program");
  wchar_t* name = wcsrchr(setup, L'\\');
  if (!name || size_t(name + 1 - setup) + 10 > MAX_PATH) return Fail("cannot find setup.exe");
  lstrcpyW(name + 1, L"setup.exe");
  CInstall texts;
  if (!texts.Initialize(GetModuleHandleW(nullptr))) return Fail("cannot read the Package's texts");
  if (mode == L"normal") return Normal(setup);
  if (mode == L"second") return Second(setup, texts);
  if (mode == L"unsupported") return Unsupported(setup, texts);
  return Fail("unknown mode");
}
