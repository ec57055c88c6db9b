// CInstall: the installer object that lives for the whole run and holds what
// the program shares: texts, platform facts, choices, paths and the key map.
#pragma once

#include <cstdint>

#include "install/install_base.h"
#include "install/key_table.h"
#include "install/path_catalogue.h"
#include "package/string_table.h"
#include "text/gstring.h"

class CWizard;

// The version number this program records for its installation, and the one
// that stands for an installation by an older version.
constexpr uint32_t kInstallVersion = 190;
constexpr uint32_t kOlderInstallVersion = 130;

class CInstall : public CInstallBase {
 public:
  CInstall();
  virtual ~CInstall();
  CInstall(const CInstall&) = delete;
  CInstall& operator=(const CInstall&) = delete;

  // Slots of the base.
  WindowHandle OwnerWindow() override;
  int Initialize(ModuleHandle handle) override;
  void ReleaseTexts() override;
  const TextRecord* LookupText(StringId id) override;

  // Lifecycle (install.cpp). ShowMessage shows a message box with caption
  // text 93 and returns its result.
  int Execute();
  int ShowMessage(StringId id, uint32_t flags);
  void FinishRun();
  int WriteCompletionValue();

  // Setup defaults and their setters (install_options.cpp).
  int DecideLayoutVariant();
  int SetLayoutVariant(int variant);
  int DecideKeypadDecimal();
  int SetKeypadDecimal(int setting);
  uint32_t GetOption1213() const { return option1213; }
  void SetOption1213(uint32_t value) { option1213 = value; }

  // Path catalogue (install_paths.cpp).
  int BuildPaths();

  // Key model (install_keys.cpp).
  const KeyRow* FindKeyRow(uint16_t scanCode) const;
  KeyRow* FindKey(uint16_t scanCode);
  int NormalizeKeyMap();
  // Takes the buffer (malloc'd) and frees it.
  int ParseKeyAssignments(unsigned char* bytes, uint32_t byteCount);
  // A new malloc'd buffer that the caller frees; null without key map.
  unsigned char* BuildKeyAssignments(uint32_t& byteCount);
  uint32_t SetRemapOnly(uint32_t flag);

  // Registry records (install_record.cpp, install_machine_keys.cpp).
  int ReadSystemKeyMap();
  void ReadInstallRecord();
  int WriteInstallRecord();
  int RegisterLayout();
  int WriteSystemKeyMap();
  int WriteHotkeyValues();

  // Fields, in this order.
  uint16_t defaultLanguageId;
  uint16_t targetLanguageId;
  uint32_t option1200;
  uint32_t associationFound;
  uint32_t isAdmin;
  uint32_t uninstallDone;
  uint32_t installDone;
  uint32_t restartRequested;
  uint32_t licenceAccepted;
  uint32_t option1205;
  uint32_t option1212;
  uint32_t linkDesktopShortcut;
  uint32_t firstDocDesktopShortcut;
  uint32_t secondDocDesktopShortcut;
  int32_t layoutVariant;
  int32_t keypadDecimal;
  uint32_t alternateSet;
  uint32_t option1213;
  uint32_t remapOnly;
  uint32_t systemMapPresent;
  KeyRow* keyMap;
  int32_t keyMapCount;
  StringTable installerTexts;
  CWizard* wizard;
  GString paths[kPathCount];
  uint32_t secondDocVersion;
  uint32_t shortcutUseCount;
  uint32_t installedVersion;
  uint32_t installUseCount;
  // Entries of the machine's scan-code map for keys the key map does not
  // know, written back unchanged so that an install does not drop them.
  uint32_t* systemMapKept;
  uint32_t systemMapKeptCount;

 private:
  // Opens HKEY_LOCAL_MACHINE \ 7 \ 8 \ 10 with this access; null when a level is missing.
  KeyHandle OpenRecordKey(uint32_t access);
};
