// The installer object's lifecycle: defaults, start-up, checks and the end of the run.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "install/install.h"
#include "install/startup_rules.h"
#include "package/records.h"
#include "package/record.h"

namespace {

// Message box flags of the start-up refusals.
constexpr uint32_t kUnsupportedFlags = MB_ICONWARNING | MB_OK;
constexpr uint32_t kNotAdminFlags = MB_OK;

// Extracts one string record into a table; 0 on any failure.
int LoadTexts(CGuard& guard, const StoredRecord& record, StringTable& table) {
  uint32_t size = record.size;
  uint32_t count = 0;
  unsigned char* texts = ExtractRecord(guard, record.data, &size, &count);
  if (!texts) return 0;
  if (!table.SetData(texts, size, count)) {
    std::free(texts);
    return 0;
  }
  return 1;
}

}  // namespace

CInstall::CInstall()
    : defaultLanguageId(0),
      targetLanguageId(0),
      option1200(1),
      associationFound(0),
      isAdmin(0),
      uninstallDone(0),
      installDone(0),
      restartRequested(0),
      licenceAccepted(0),
      option1205(1),
      option1212(1),
      linkDesktopShortcut(0),
      firstDocDesktopShortcut(0),
      secondDocDesktopShortcut(0),
      layoutVariant(-1),
      keypadDecimal(-1),
      alternateSet(0),
      option1213(0),
      remapOnly(0),
      systemMapPresent(0),
      keyMap(static_cast<KeyRow*>(std::malloc(sizeof keyTable))),
      keyMapCount(keyMap ? kKeyTableRows : 0),
      wizard(nullptr),
      secondDocVersion(0),
      shortcutUseCount(0),
      installedVersion(0),
      installUseCount(0),
      systemMapKept(nullptr),
      systemMapKeptCount(0) {
  // The key map starts as the table with no choice made.
  if (keyMap) {
    std::memcpy(keyMap, keyTable, sizeof keyTable);
    for (int i = 0; i < keyMapCount; ++i) keyMap[i].virtualKey = 0;
  }
}

CInstall::~CInstall() {
  ReleaseTexts();
  std::free(keyMap);
  std::free(systemMapKept);
}

WindowHandle CInstall::OwnerWindow() { return nullptr; }

int CInstall::Initialize(ModuleHandle handle) {
  CInstallBase::Initialize(handle);
  if (!guard.Load(kGuardBlock, kGuardBlockLength)) return 0;
  if (!LoadTexts(guard, kBaseTextsRecord, baseTexts) ||
      !LoadTexts(guard, kInstallerTextsRecord, installerTexts) ||
      !LoadTexts(guard, kLanguageTextsRecords[0], languageTexts[0]) ||
      !LoadTexts(guard, kLanguageTextsRecords[1], languageTexts[1])) {
    return 0;
  }
  GString languageId;
  uint32_t value = 0;
  if (GetText(86, languageId) && ScanHexNumber(languageId.WideText(), &value)) {
    defaultLanguageId = uint16_t(value);
  }
  DecideLayoutVariant();
  DecideKeypadDecimal();
  return 1;
}

int CInstall::Execute() {
  uiLanguage = UiLanguageFor(GetUserDefaultLangID());
  DetectPlatform(58, 144);
  if (!IsPlatformSupported()) {
    ShowMessage(124, kUnsupportedFlags);
    return 0;
  }
  targetLanguageId = TargetLanguageFor(osVersion, GetUserDefaultLangID(), defaultLanguageId);
  option1200 = Option1200For(osVersion, option1200);
  if (!CheckSingleInstance()) return 0;
  BuildPaths();
  associationFound = AssociatedProgramContains(42, 45);
  isAdmin = IsUserAdmin();
  if (!isAdmin) {
    ShowMessage(123, kNotAdminFlags);
    return 1;
  }
  ReadSystemKeyMap();
  ReadInstallRecord();
  return 1;
}

int CInstall::ShowMessage(StringId id, uint32_t flags) {
  // No frame exists yet, so the box has no owner.
  GString text, caption;
  GetText(id, text);
  GetText(93, caption);
  return MessageBoxW(nullptr, ToWchar(text.WideText()), ToWchar(caption.WideText()), flags);
}

void CInstall::FinishRun() {
  if (uninstallDone || installDone) WriteCompletionValue();
  ReleaseTexts();
  if (restartRequested) RestartMachine();
}

int CInstall::WriteCompletionValue() {
  return SetMachineStringValue(4, 71, osVersion > 50 ? 50 : 51);
}
