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
