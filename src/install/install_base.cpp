// CInstallBase: the installer object's core: module, Package key, text tables, platform facts.
#include "install/install_base.h"

CInstallBase::CInstallBase()
    : module(nullptr),
      wizardStep(0),
      osVersion(0),
      uiLanguage(kUiLanguageEnglish),
      is64BitOs(0),
      processorArchitecture(0xFFFF) {}

CInstallBase::~CInstallBase() = default;

WindowHandle CInstallBase::OwnerWindow() { return nullptr; }

int CInstallBase::Initialize(ModuleHandle handle) {
  module = handle;
  return 1;
}

void CInstallBase::ReleaseTexts() {
  baseTexts.Clear();
  languageTexts[0].Clear();
  languageTexts[1].Clear();
  guard.Wipe();
}

const TextRecord* CInstallBase::LookupText(StringId id) {
  const TextRecord* text = nullptr;
  if (uiLanguage < 2) text = languageTexts[uiLanguage].FindText(id);
  if (text == nullptr) text = baseTexts.FindText(id);
  return text;
}

int CInstallBase::GetText(StringId id, GString& target) {
  const TextRecord* text = LookupText(id);
  // A null record empties the target, so a missing text leaves it empty.
  if (!target.AssignRecord(text)) return 0;
  return target.MakeWide() != nullptr ? 1 : 0;
}

int CInstallBase::SetUiLanguage(uint32_t index) {
  if (index > 1) return 0;
  uiLanguage = index;
  return 1;
}
