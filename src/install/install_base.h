// CInstallBase: the installer object's core: module, Package key, text tables, platform facts.
#pragma once

#include <cstdint>

#include "package/guard.h"
#include "package/string_table.h"
#include "text/gstring.h"

// HWND and HMODULE on Windows (the same types windows.h declares), opaque
// pointers in the portable build.
struct HWND__;
struct HINSTANCE__;
using WindowHandle = HWND__*;
using ModuleHandle = HINSTANCE__*;

// Interface languages: the entries of `languageTexts`.
constexpr uint32_t kUiLanguageEnglish = 0;
constexpr uint32_t kUiLanguagePolish = 1;

class CInstallBase {
 public:
  CInstallBase();
  // Not virtual: the installer object is destroyed as what it is (the
  // derived installer adds a virtual destructor).
  ~CInstallBase();
  CInstallBase(const CInstallBase&) = delete;
  CInstallBase& operator=(const CInstallBase&) = delete;

  // Owner window for shell calls; null here.
  virtual WindowHandle OwnerWindow();
  // Stores the module handle; 1.
  virtual int Initialize(ModuleHandle handle);
  // Clears the base and language tables and wipes the guard block.
  virtual void ReleaseTexts();
  // The language table of `uiLanguage`, then the base table; first hit wins.
  virtual const TextRecord* LookupText(StringId id);

  // Empties `target`, then fills it with text `id` as UTF-16: 1, or 0 when no
  // table holds the id (the target stays empty) or the text cannot be copied.
  int GetText(StringId id, GString& target);
  // 0 and no change for an index above 1; else sets `uiLanguage`, 1.
  int SetUiLanguage(uint32_t index);

  // System services (src/system/): registry, files, folders, shortcuts,
  // associations, processes, privileges and platform checks over Win32.
  // Results: 1 for success, 0 for failure, null handles and pointers on
  // failure. The by-StringId forms fetch their names into scratchText.
#ifdef _WIN32
  // HKEY and HANDLE of windows.h, declared without it.
  using KeyHandle = struct HKEY__*;
  using FileHandle = void*;

  // Registry by name (registry.cpp). Handles returned belong to the caller.
  [[nodiscard]] KeyHandle OpenKey(KeyHandle root, const char16_t* name, uint32_t access);
  [[nodiscard]] KeyHandle CreateKey(KeyHandle root, const char16_t* name, uint32_t access);
  int SetBinaryValue(KeyHandle key, const char16_t* name, const void* bytes, uint32_t count);
  // A new buffer (free it with std::free) holding count bytes, or null.
  [[nodiscard]] unsigned char* QueryBinaryValue(KeyHandle key, const char16_t* name, uint32_t& count);
  int SetDwordValue(KeyHandle key, const char16_t* name, uint32_t value);
  int QueryDwordValue(KeyHandle key, const char16_t* name, uint32_t& value);
  int SetStringValue(KeyHandle key, const char16_t* name, GString& text);  // makes text wide
  int QueryStringValue(KeyHandle key, const char16_t* name, GString& text);
  int StringValueEquals(KeyHandle key, const char16_t* name, const GString& text);
  int DeleteValue(KeyHandle key, const char16_t* name);

  // Registry by StringId (registry_text.cpp): 0 or null when a text is missing.
  [[nodiscard]] KeyHandle OpenKey(KeyHandle root, StringId name, uint32_t access);
  [[nodiscard]] KeyHandle CreateKey(KeyHandle root, StringId name, uint32_t access);
  int SetBinaryValue(KeyHandle key, StringId name, const void* bytes, uint32_t count);
  [[nodiscard]] unsigned char* QueryBinaryValue(KeyHandle key, StringId name, uint32_t& count);
  int SetDwordValue(KeyHandle key, StringId name, uint32_t value);
  int QueryDwordValue(KeyHandle key, StringId name, uint32_t& value);
  int QueryStringValue(KeyHandle key, StringId name, GString& text);
  int DeleteValue(KeyHandle key, StringId name);
  int SetStringValue(KeyHandle key, StringId name, GString& text);
  int SetStringValue(KeyHandle key, StringId name, StringId value);
  int StringValueEquals(KeyHandle key, StringId name, const GString& text);
  int DeleteKey(KeyHandle key, StringId name);
  int SetMachineStringValue(StringId subKey, StringId name, StringId value);

  // Files (files.cpp). CreateFileForWrite gives null, never INVALID_HANDLE_VALUE.
  [[nodiscard]] FileHandle CreateFileForWrite(const char16_t* name);
  int WriteBytes(FileHandle file, const void* bytes, uint32_t count);
  int WriteText(FileHandle file, GString& text);  // converts text to 8-bit in place
  int DeleteFileOrSchedule(const char16_t* name);
  int DeleteFileText(GString& name);

  // Folders and temporary files (folders.cpp).
  int GetSpecialFolder(int csidl, GString& path);
  int RemoveFolder(GString& path);
  int EnsureFolder(const char16_t* path);
  int GetTempFolder(GString& path);
  int CreateTempFile(GString& path, StringId prefix, const char16_t* folder);

  // Shell links (shortcuts.cpp); iconPath may be null.
  int CreateShortcut(const char16_t* target, const char16_t* linkFile,
                     const char16_t* description, const char16_t* iconPath, int iconIndex);

  // Associations (associations.cpp).
  int FindAssociatedProgram(StringId association, GString& program);
  int AssociatedProgramContains(StringId association, StringId text);

  // Processes (processes.cpp). RunCommand's further arguments are UTF-16 texts
  // for the format text; it waits for the started program at most 1000 ms.
  int RunCommand(StringId format, ...);
  int RunAssociatedProgram(StringId association, StringId format, const char16_t* argument);
  int Launch();

  // Platform facts and checks (platform.cpp).
  int DetectPlatform(StringId procName, StringId libName);
  int IsPlatformSupported();
  int CheckSingleInstance();

  // Rights (privileges.cpp).
  int IsUserAdmin();
  int RestartMachine();

  // Libraries and procedures named by texts (libraries.cpp). The slot keeps
  // the loaded library; the caller frees it. The result is a procedure address.
  [[nodiscard]] ModuleHandle LoadLibraryByText(StringId libName);
  [[nodiscard]] void* GetProcByText(StringId procName, StringId libName, ModuleHandle& library);
#endif
  // End of system services.

  // Fields, in this order.
  ModuleHandle module;
  CGuard guard;
  StringTable baseTexts;
  StringTable languageTexts[2];
  int32_t wizardStep;
  int32_t osVersion;
  uint32_t uiLanguage;
  uint32_t is64BitOs;
  uint16_t processorArchitecture;
  GString scratchText;
};
