// The installer's text lookup: the base tables, then the installer's own table.
#include "install/install.h"

void CInstall::ReleaseTexts() {
  CInstallBase::ReleaseTexts();
  installerTexts.Clear();
}

const TextRecord* CInstall::LookupText(StringId id) {
  const TextRecord* text = CInstallBase::LookupText(id);
  return text ? text : installerTexts.FindText(id);
}
