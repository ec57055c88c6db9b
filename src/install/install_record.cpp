// The install record under HKEY_LOCAL_MACHINE: what an installation made and the
// user's settings, read at start-up and written at the end of an install.
#include <windows.h>

#include <cstdlib>

#include "install/install.h"
#include "install/reg_key.h"

namespace {

constexpr uint32_t kKeyRead = 0x20019;
constexpr uint32_t kKeyWrite = 0x20006;
constexpr uint32_t kKeyWow64_64 = 0x100;
// Room for the current keyboard layout's name (8 hexadecimal digits).
constexpr int kLayoutNameChars = 10;

// The three levels of the install record's key, and its two sub-key pairs.
constexpr StringId kRecordPath[] = {7, 8, 10};
constexpr StringId kFirstDocPath[] = {24, 23};
constexpr StringId kProgramPath[] = {36, 89};

}  // namespace

HKEY CInstall::OpenRecordKey(uint32_t access) {
  RegKey level1(OpenKey(HKEY_LOCAL_MACHINE, kRecordPath[0], access));
  if (!level1) return nullptr;
  RegKey level2(OpenKey(level1.Get(), kRecordPath[1], access));
  if (!level2) return nullptr;
  return OpenKey(level2.Get(), kRecordPath[2], access);
}

void CInstall::ReadInstallRecord() {
  installedVersion = 0;
  [&] {
    RegKey record(OpenRecordKey(kKeyRead));
    if (!record) return;
    const HKEY k = record.Get();
    // Required values stop the reading; optional ones may be missing.
    if (!QueryStringValue(k, 11, paths[1])) return;
    if (!QueryDwordValue(k, 21, installUseCount)) return;
    if (!QueryStringValue(k, 72, paths[18])) return;
    QueryStringValue(k, 73, paths[20]);
    QueryStringValue(k, 74, paths[22]);
    if (!QueryStringValue(k, 75, paths[24])) return;
    QueryStringValue(k, 76, paths[26]);
    if (!QueryStringValue(k, 31, paths[12])) return;
    if (!QueryStringValue(k, 32, paths[14])) return;
    QueryStringValue(k, 33, paths[16]);
    if (!QueryStringValue(k, 79, paths[28])) return;
    if (!QueryDwordValue(k, 34, secondDocVersion)) return;

    // The first document's pair may be missing as a whole.
    RegKey docParent(OpenKey(k, kFirstDocPath[0], kKeyRead));
    RegKey doc(docParent ? OpenKey(docParent.Get(), kFirstDocPath[1], kKeyRead) : nullptr);
    if (doc) {
      uint32_t docVersion = 0;
      if (!QueryStringValue(doc.Get(), 25, paths[6])) return;
      if (!QueryStringValue(doc.Get(), 26, paths[8])) return;
      QueryStringValue(doc.Get(), 27, paths[10]);
      if (!QueryDwordValue(doc.Get(), 28, docVersion)) return;
      if (!QueryDwordValue(doc.Get(), 29, shortcutUseCount)) return;
    }

    RegKey programParent(OpenKey(k, kProgramPath[0], kKeyRead));
    if (!programParent) return;
    RegKey program(OpenKey(programParent.Get(), kProgramPath[1], kKeyRead));
    if (!program) return;
    const HKEY p = program.Get();
    if (!QueryStringValue(p, 37, paths[32])) return;
    if (!QueryStringValue(p, 38, paths[34])) return;
    if (!QueryDwordValue(p, 39, installedVersion)) return;

    uint32_t size = 0;
    unsigned char* assignments = QueryBinaryValue(p, 157, size);
    ParseKeyAssignments(assignments, assignments ? size : 0);
    uint32_t value = 0;
    if (QueryDwordValue(p, 158, value) && value <= 2) layoutVariant = int32_t(value);
    if (QueryDwordValue(p, 159, value) && value <= 1) keypadDecimal = int32_t(value);
    if (QueryDwordValue(p, 155, value) && value <= 1) alternateSet = value;
    if (QueryDwordValue(p, 156, value) && value <= 1) option1213 = value;
  }();
  if (installedVersion != 0) return;

  // No record: an older version is recognised by its layout registration.
  const uint32_t access = osVersion > 50 ? kKeyRead | kKeyWow64_64 : kKeyRead;
  RegKey layouts(OpenKey(HKEY_LOCAL_MACHINE, 3, access));
  RegKey layout(layouts ? OpenKey(layouts.Get(), 85, access) : nullptr);
  if (!layout) return;
  const struct {
    StringId value, text;
  } compared[] = {{17, 81}, {19, 84}, {18, 83}};
  GString expected;
  for (const auto& c : compared) {
    if (!GetText(c.text, expected) || !StringValueEquals(layout.Get(), c.value, expected)) return;
  }
  installedVersion = kOlderInstallVersion;
}

int CInstall::WriteInstallRecord() {
  RegKey record, programParent, program;
  if (remapOnly) {
    // Only the program entry's settings change; nothing is created.
    record.Reset(OpenRecordKey(kKeyWrite));
    if (!record) return 0;
    programParent.Reset(OpenKey(record.Get(), kProgramPath[0], kKeyWrite));
    if (!programParent) return 0;
    program.Reset(OpenKey(programParent.Get(), kProgramPath[1], kKeyWrite));
    if (!program) return 0;
  } else {
    GString languageAndLayout;
    const bool firstInstall = paths[1].Length == 0;
    if (firstInstall) {
      WCHAR layoutName[kLayoutNameChars] = {};
      if (!GetKeyboardLayoutNameW(layoutName)) return 0;
      GString format;
      GetText(12, format);
      languageAndLayout.Format(format.WideText(), int32_t(uint32_t(GetUserDefaultLangID())),
                               FromWchar(layoutName));
    }
    RegKey level1(OpenKey(HKEY_LOCAL_MACHINE, kRecordPath[0], kKeyWrite));
    if (!level1) return 0;
    RegKey level2(CreateKey(level1.Get(), kRecordPath[1], kKeyWrite));
    if (!level2) return 0;
    record.Reset(CreateKey(level2.Get(), kRecordPath[2], kKeyWrite));
    if (!record) return 0;
    const HKEY k = record.Get();

    if (firstInstall && !SetStringValue(k, 11, languageAndLayout)) return 0;
    if (!SetDwordValue(k, 21, installUseCount)) return 0;
    if (paths[20].Length == 0) {
      if (!SetStringValue(k, 73, paths[21]) || !SetStringValue(k, 72, paths[19])) return 0;
    }
    if (linkDesktopShortcut && !SetStringValue(k, 74, paths[23])) return 0;
    if (paths[24].Length == 0) {
      if (!SetStringValue(k, 75, paths[25]) || !SetStringValue(k, 76, paths[27]) ||
          !SetStringValue(k, 79, paths[29])) {
        return 0;
      }
    }
    if (secondDocVersion < kInstallVersion) {
      if (!SetStringValue(k, 31, paths[13]) || !SetStringValue(k, 32, paths[15])) return 0;
      if (secondDocDesktopShortcut && !SetStringValue(k, 33, paths[17])) return 0;
      SetDwordValue(k, 34, kInstallVersion);
    }

    RegKey docParent(CreateKey(k, kFirstDocPath[0], kKeyWrite));
    RegKey doc(docParent ? CreateKey(docParent.Get(), kFirstDocPath[1], kKeyWrite) : nullptr);
    if (!doc) return 0;
    if (!SetStringValue(doc.Get(), 25, paths[7]) || !SetStringValue(doc.Get(), 26, paths[9])) {
      return 0;
    }
    if (firstDocDesktopShortcut && !SetStringValue(doc.Get(), 27, paths[11])) return 0;
    if (!SetDwordValue(doc.Get(), 28, kInstallVersion) ||
        !SetDwordValue(doc.Get(), 29, shortcutUseCount)) {
      return 0;
    }

    programParent.Reset(CreateKey(k, kProgramPath[0], kKeyWrite));
    if (!programParent) return 0;
    program.Reset(CreateKey(programParent.Get(), kProgramPath[1], kKeyWrite));
    if (!program) return 0;
    if (!SetStringValue(program.Get(), 37, paths[33]) ||
        !SetStringValue(program.Get(), 38, paths[35]) ||
        !SetDwordValue(program.Get(), 39, kInstallVersion)) {
      return 0;
    }
  }

  // Both forms: the settings and the key choices.
  const HKEY p = program.Get();
  if (!SetDwordValue(p, 158, uint32_t(layoutVariant)) ||
      !SetDwordValue(p, 159, uint32_t(keypadDecimal)) || !SetDwordValue(p, 155, alternateSet) ||
      !SetDwordValue(p, 156, option1213)) {
    return 0;
  }
  uint32_t size = 0;
  if (unsigned char* assignments = BuildKeyAssignments(size)) {
    SetBinaryValue(p, 157, assignments, size);
    std::free(assignments);
  }
  return 1;
}
