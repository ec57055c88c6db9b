// The installer object under Wine: defaults, text lookup, options, paths and the start-up checks.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "install/install.h"
#include "install/startup_rules.h"
#include "test_texts.h"

namespace {

std::u16string Text(const GString& s) { return std::u16string(s.WideText(), size_t(s.Length)); }

std::u16string Fetch(CInstall& install, StringId id) {
  GString text;
  install.GetText(id, text);
  return Text(text);
}

TEST(InstallLifecycle, ConstructionDefaults) {
  CInstall install;
  EXPECT_EQ(nullptr, install.module);
  EXPECT_EQ(0, install.osVersion);
  EXPECT_EQ(0xFFFF, install.processorArchitecture);
  EXPECT_EQ(0, install.defaultLanguageId);
  EXPECT_EQ(0, install.targetLanguageId);
  const uint32_t ones[] = {install.option1200, install.option1205, install.option1212};
  for (uint32_t v : ones) EXPECT_EQ(1u, v);
  const uint32_t zeros[] = {install.associationFound,        install.isAdmin,
                            install.uninstallDone,           install.installDone,
                            install.restartRequested,        install.licenceAccepted,
                            install.linkDesktopShortcut,     install.firstDocDesktopShortcut,
                            install.secondDocDesktopShortcut, install.alternateSet,
                            install.option1213,              install.remapOnly,
                            install.systemMapPresent,        install.secondDocVersion,
                            install.shortcutUseCount,        install.installedVersion,
                            install.installUseCount};
  for (uint32_t v : zeros) EXPECT_EQ(0u, v);
  EXPECT_EQ(-1, install.layoutVariant);
  EXPECT_EQ(-1, install.keypadDecimal);
  EXPECT_EQ(nullptr, install.wizard);
  EXPECT_EQ(nullptr, install.OwnerWindow());
  ASSERT_NE(nullptr, install.keyMap);
  ASSERT_EQ(kKeyTableRows, install.keyMapCount);
  for (int i = 0; i < kKeyTableRows; ++i) {
    EXPECT_EQ(keyTable[i].scanCode, install.keyMap[i].scanCode);
    EXPECT_EQ(keyTable[i].nameId, install.keyMap[i].nameId);
    EXPECT_EQ(0, install.keyMap[i].virtualKey);
    EXPECT_EQ(0, install.keyMap[i].remapTarget);
  }
  for (const GString& path : install.paths) EXPECT_EQ(0, path.Length);
}

TEST(InstallLifecycle, LookupOrderLanguageThenBaseThenInstaller) {
  CInstall install;
  FillTable(install.languageTexts[0], {{1, u"en one"}, {2, u"en two"}});
  FillTable(install.languageTexts[1], {{1, u"pl one"}});
  FillTable(install.baseTexts, {{1, u"base one"}, {3, u"base three"}});
  FillTable(install.installerTexts, {{1, u"inst one"}, {3, u"inst three"}, {4, u"inst four"}});
  EXPECT_EQ(u"en one", Fetch(install, 1));
  EXPECT_EQ(u"base three", Fetch(install, 3));
  EXPECT_EQ(u"inst four", Fetch(install, 4));
  ASSERT_EQ(1, install.SetUiLanguage(1));
  EXPECT_EQ(u"pl one", Fetch(install, 1));
  EXPECT_EQ(u"", Fetch(install, 2));  // not in Polish, base or installer
  EXPECT_EQ(0, install.SetUiLanguage(2));
  EXPECT_EQ(1u, install.uiLanguage);
  GString missing;
  missing.AssignWide(u"old");
  EXPECT_EQ(0, install.GetText(5, missing));
  EXPECT_EQ(0, missing.Length);
  install.ReleaseTexts();
  EXPECT_EQ(u"", Fetch(install, 4));
}

TEST(InstallLifecycle, LayoutVariantAndKeypadDecimal) {
  CInstall install;
  UseTestTexts(install, {{88, u"ISO"}, {113, u"Standard"}, {114, u"Wide"}, {115, u"ISO narrow"}});
  EXPECT_EQ(2, install.DecideLayoutVariant());
  EXPECT_EQ(5, install.SetLayoutVariant(5));
  EXPECT_EQ(2, install.layoutVariant);
  EXPECT_EQ(1, install.SetLayoutVariant(1));
  EXPECT_EQ(1, install.DecideLayoutVariant());  // decided once

  wchar_t separator[8] = {};
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8), 0);
  EXPECT_EQ(lstrcmpW(separator, L",") == 0 ? 0 : 1, install.DecideKeypadDecimal());
  EXPECT_EQ(-1, install.SetKeypadDecimal(-1));
  EXPECT_EQ(0, install.SetKeypadDecimal(0));
  EXPECT_EQ(0, install.DecideKeypadDecimal());
  install.SetOption1213(1);
  EXPECT_EQ(1u, install.GetOption1213());
}

TEST(InstallLifecycle, BuildPathsFromTheSpecialFoldersAndTheCommandLine) {
  CInstall install;
  UseTestTexts(install, {{9, u"Outer"}, {10, u"Kreska"}, {43, u".lnk"}, {48, u"Uninstall %s"},
                         {81, u"Kreska"}});
  ASSERT_EQ(1, install.BuildPaths());
  wchar_t folder[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PROGRAM_FILES, FALSE));
  std::u16string programFiles = FromWchar(folder);
  EXPECT_EQ(programFiles + u"\\Outer\\Kreska", Text(install.paths[3]));

  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  ASSERT_NE(nullptr, argv);
  std::u16string own = FromWchar(argv[0]);
  LocalFree(argv);
  EXPECT_EQ(own, Text(install.paths[30]));
  const size_t slash = own.rfind(u'\\');
  const std::u16string file = slash == std::u16string::npos ? own : own.substr(slash + 1);
  EXPECT_EQ(programFiles + u"\\Outer\\Kreska\\" + file, Text(install.paths[33]));
  EXPECT_EQ(u"Uninstall Kreska", Text(install.paths[31]));
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, folder, CSIDL_COMMON_PROGRAMS, FALSE));
  EXPECT_EQ(std::u16string(FromWchar(folder)) + u"\\Outer\\Kreska\\Uninstall Kreska.lnk",
            Text(install.paths[35]));
}

TEST(InstallLifecycle, ExecuteRunsTheStartUpChecks) {
  CInstall install;
  UseTestTexts(install, {{3, u"Software\\KreskaTestNone"},
                         {7, u"Software\\KreskaTestNone"},
                         {9, u"Outer"},
                         {10, u"Kreska"},
                         {58, u"GetNativeSystemInfo"},
                         {94, u"KreskaTestNoSuchFrame"},
                         {144, u"kernel32.dll"}});
  install.defaultLanguageId = 0x0415;
  ASSERT_EQ(1, install.Execute());
  const char* prefix = std::getenv("KBD_WINE_PREFIX");
  EXPECT_EQ(prefix && std::strcmp(prefix, "win64") == 0 ? 1u : 0u, install.is64BitOs);
  EXPECT_GE(install.osVersion, 50);
  const LANGID user = GetUserDefaultLangID();
  EXPECT_EQ(UiLanguageFor(user), install.uiLanguage);
  EXPECT_EQ(install.osVersion >= 60 ? user : 0x0415, install.targetLanguageId);
  EXPECT_EQ(1u, install.isAdmin);  // Wine's user is an administrator
  EXPECT_NE(0, install.paths[3].Length);
  EXPECT_EQ(0u, install.installedVersion);
  install.FinishRun();
  EXPECT_EQ(u"", Fetch(install, 9));  // the texts are released
}

TEST(InstallLifecycle, InitializeDecodesThePackage) {
  CInstall install;
  ASSERT_EQ(1, install.Initialize(GetModuleHandleW(nullptr)));
  GString text86;
  ASSERT_EQ(1, install.GetText(86, text86));
  uint32_t id = 0;
  ASSERT_EQ(1, ScanHexNumber(text86.WideText(), &id));
  EXPECT_EQ(uint16_t(id), install.defaultLanguageId);
  EXPECT_GE(install.layoutVariant, 0);
  EXPECT_LE(install.layoutVariant, 2);
  EXPECT_NE(0, Fetch(install, 93).size());
}

}  // namespace
