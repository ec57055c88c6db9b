// The installer's registry records under Wine, pointed at a test key by test texts.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "install/install.h"
#include "install/key_map.h"
#include "package/byte_order.h"
#include "test_texts.h"

namespace {

constexpr REGSAM k64 = KEY_WOW64_64KEY;
constexpr REGSAM k32 = KEY_WOW64_32KEY;

const wchar_t kTestRoot[] = L"Software\\KreskaTest";
const wchar_t kRecord[] = L"Software\\KreskaTest\\Kreska";
const wchar_t kFirstDoc[] = L"Software\\KreskaTest\\Kreska\\Documents\\Chart";
const wchar_t kProgram[] = L"Software\\KreskaTest\\Kreska\\Programs\\Setup";
const wchar_t kLayouts[] = L"Software\\KreskaTest\\Layouts";
const wchar_t kLayout[] = L"Software\\KreskaTest\\Layouts\\a0010415";
const wchar_t kMapKey[] = L"Software\\KreskaTest\\Keyboard Layout";
const wchar_t kHotkeys[] = L"Software\\KreskaTest\\Hotkeys";

void Load(CInstall& install) {
  UseTestTexts(install, {
      {3, u"Software\\KreskaTest\\Layouts"},
      {4, u"Software\\KreskaTest"},
      {5, u"Software\\KreskaTest\\Keyboard Layout"},
      {6, u"Scancode Map"},
      {7, u"Software"},
      {8, u"KreskaTest"},
      {10, u"Kreska"},
      {11, u"First"},
      {12, u"%04X:%s"},
      {13, u"Software\\KreskaTest\\Hotkeys"},
      {14, u"Hotkey A"},
      {15, u"Hotkey B"},
      {16, u"Hotkey C"},
      {17, u"Layout Text"},
      {18, u"Layout File"},
      {19, u"Layout Id"},
      {20, u"Layout Help"},
      {21, u"Uses"},
      {23, u"Chart"},
      {24, u"Documents"},
      {25, u"Doc File"},
      {26, u"Doc Group"},
      {27, u"Doc Desktop"},
      {28, u"Doc Version"},
      {29, u"Doc Uses"},
      {31, u"Guide File"},
      {32, u"Guide Group"},
      {33, u"Guide Desktop"},
      {34, u"Guide Version"},
      {36, u"Programs"},
      {37, u"Copy"},
      {38, u"Copy Shortcut"},
      {39, u"Version"},
      {50, u"done"},
      {51, u"done 5.0"},
      {58, u"GetNativeSystemInfo"},
      {71, u"Completion"},
      {72, u"Link File"},
      {73, u"Link Group"},
      {74, u"Link Desktop"},
      {75, u"Pointer Group"},
      {76, u"Pointer Desktop"},
      {79, u"Local File"},
      {81, u"Kreska"},
      {83, u"kbdkreska.dll"},
      {84, u"0415"},
      {85, u"a0010415"},
      {87, u"Help"},
      {89, u"Setup"},
      {144, u"kernel32.dll"},
      {155, u"Alternate"},
      {156, u"Option 1213"},
      {157, u"Keys"},
      {158, u"Variant"},
      {159, u"Keypad"},
  });
}

bool Is64BitPrefix() {
  const char* prefix = std::getenv("KBD_WINE_PREFIX");
  return prefix && std::strcmp(prefix, "win64") == 0;
}

void DeleteTree(HKEY root, const wchar_t* parent, const wchar_t* name, REGSAM view) {
  HKEY key;
  if (RegOpenKeyExW(root, parent, 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS) return;
  SHDeleteKeyW(key, name);
  RegCloseKey(key);
}

HKEY Create(HKEY root, const wchar_t* path, REGSAM view) {
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                           nullptr, &key, nullptr));
  return key;
}

bool Exists(const wchar_t* path, REGSAM view) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void SetRaw(const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size,
            REGSAM view = k32) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, path, view);
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size));
  RegCloseKey(key);
}

void SetText(const wchar_t* path, const wchar_t* name, const wchar_t* text, REGSAM view = k32) {
  SetRaw(path, name, REG_SZ, text, DWORD((wcslen(text) + 1) * 2), view);
}

void SetDword(const wchar_t* path, const wchar_t* name, DWORD value) {
  SetRaw(path, name, REG_DWORD, &value, 4);
}

void DeleteValue(const wchar_t* path, const wchar_t* name) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, path, k32);
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, name));
  RegCloseKey(key);
}

std::vector<unsigned char> GetRaw(const wchar_t* path, const wchar_t* name, DWORD* type,
                                  REGSAM view = k32) {
  HKEY key;
  std::vector<unsigned char> data;
  *type = REG_NONE;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
    return data;
  }
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS) {
    data.resize(size);
    RegQueryValueExW(key, name, nullptr, type, data.data(), &size);
  }
  RegCloseKey(key);
  return data;
}

std::u16string Text(const GString& s) { return std::u16string(s.WideText(), size_t(s.Length)); }

std::vector<unsigned char> Words(std::initializer_list<uint32_t> words) {
  std::vector<unsigned char> bytes(words.size() * 4);
  unsigned char* p = bytes.data();
  for (uint32_t w : words) WriteLittle32(p, w), p += 4;
  return bytes;
}

class InstallRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    // The keys that are only ever opened, never created.
    RegCloseKey(Create(HKEY_LOCAL_MACHINE, kLayouts, k64));
    RegCloseKey(Create(HKEY_LOCAL_MACHINE, kLayouts, k32));
    RegCloseKey(Create(HKEY_LOCAL_MACHINE, kMapKey, k32));
    RegCloseKey(Create(HKEY_CURRENT_USER, kHotkeys, 0));
    Start(install);
  }
  void TearDown() override { Clean(); }

  static void Clean() {
    for (REGSAM view : {k32, k64}) DeleteTree(HKEY_LOCAL_MACHINE, L"Software", L"KreskaTest", view);
    DeleteTree(HKEY_CURRENT_USER, L"Software", L"KreskaTest", 0);
  }

  // A fresh installer as the start-up leaves it before the records are read.
  static void Start(CInstall& i) {
    Load(i);
    ASSERT_EQ(1, i.DetectPlatform(58, 144));
  }

  // Every path this installation makes, and the settings, as an install sets them.
  void FillInstall(CInstall& i) {
    for (int e = 7; e <= 35; e += 2) {
      i.paths[e].AssignWide(u"C:\\path ");
      GString n;
      n.Format(u"%d", e);
      i.paths[e].Append(n);
    }
    i.installUseCount = 3;
    i.shortcutUseCount = 2;
    i.linkDesktopShortcut = 1;
    i.firstDocDesktopShortcut = 1;
    i.secondDocDesktopShortcut = 1;
    i.layoutVariant = 2;
    i.keypadDecimal = 0;
    i.alternateSet = 1;
    i.option1213 = 1;
    i.FindKey(0x0010)->virtualKey = 0x0041;
    i.FindKey(0xE05B)->virtualKey = 0x0020;
  }

  CInstall install;
};

TEST_F(InstallRecords, NoRecordNoRegistration) {
  install.ReadInstallRecord();
  EXPECT_EQ(0u, install.installedVersion);
  for (int e = 0; e < kPathCount; e += 2) EXPECT_EQ(0, install.paths[e].Length) << e;
  EXPECT_EQ(0, install.paths[1].Length);
}

TEST_F(InstallRecords, FullRecordReadsBackFieldByField) {
  FillInstall(install);
  ASSERT_EQ(1, install.WriteInstallRecord());

  CInstall later;
  Start(later);
  later.ReadInstallRecord();
  EXPECT_EQ(kInstallVersion, later.installedVersion);
  // The first install records the user's language and keyboard layout.
  WCHAR layoutName[KL_NAMELENGTH];
  ASSERT_TRUE(GetKeyboardLayoutNameW(layoutName));
  wchar_t first[32];
  wsprintfW(first, L"%04X:%s", GetUserDefaultLangID(), layoutName);
  EXPECT_EQ(std::u16string(FromWchar(first)), Text(later.paths[1]));
  for (int e = 6; e <= 34; e += 2) {
    if (e == 30) continue;  // the program's own path is never recorded
    EXPECT_EQ(Text(install.paths[e + 1]), Text(later.paths[e])) << e;
  }
  EXPECT_EQ(3u, later.installUseCount);
  EXPECT_EQ(2u, later.shortcutUseCount);
  EXPECT_EQ(kInstallVersion, later.secondDocVersion);
  EXPECT_EQ(2, later.layoutVariant);
  EXPECT_EQ(0, later.keypadDecimal);
  EXPECT_EQ(1u, later.alternateSet);
  EXPECT_EQ(1u, later.option1213);
  EXPECT_EQ(0x0041, later.FindKey(0x0010)->virtualKey);
  EXPECT_EQ(0x0020, later.FindKey(0xE05B)->virtualKey);
  EXPECT_EQ(0, later.FindKey(0x0011)->virtualKey);
  DWORD type;
  EXPECT_EQ(Words({0x00410010, 0x0020E05B}), GetRaw(kProgram, L"Keys", &type));
  EXPECT_EQ(DWORD(REG_BINARY), type);
}

TEST_F(InstallRecords, LaterInstallKeepsTheRecordedItems) {
  FillInstall(install);
  ASSERT_EQ(1, install.WriteInstallRecord());
  SetText(kRecord, L"First", L"0415:00000415");

  CInstall later;
  Start(later);
  later.ReadInstallRecord();
  FillInstall(later);
  for (int e = 7; e <= 35; e += 2) later.paths[e].AssignWide(u"moved");
  later.linkDesktopShortcut = 0;
  ASSERT_EQ(1, later.WriteInstallRecord());
  DWORD type;
  // Value 11 is the first install's; the link and pointer paths stay as
  // recorded because entries 20 and 24 were read back.
  std::vector<unsigned char> first = GetRaw(kRecord, L"First", &type);
  EXPECT_EQ(0, std::memcmp(first.data(), L"0415:00000415", first.size()));
  EXPECT_NE(0, std::memcmp(GetRaw(kRecord, L"Link File", &type).data(), L"moved", 10));
  EXPECT_NE(0, std::memcmp(GetRaw(kRecord, L"Pointer Group", &type).data(), L"moved", 10));
  // The program entry is rewritten every time.
  EXPECT_EQ(0, std::memcmp(GetRaw(kProgram, L"Copy", &type).data(), L"moved", 10));
}

TEST_F(InstallRecords, MissingFirstDocumentPairStillGivesTheVersion) {
  FillInstall(install);
  ASSERT_EQ(1, install.WriteInstallRecord());
  DeleteTree(HKEY_LOCAL_MACHINE, kRecord, L"Documents", k32);
  install.ReadInstallRecord();
  EXPECT_EQ(kInstallVersion, install.installedVersion);
  EXPECT_EQ(0, install.paths[6].Length);
  EXPECT_EQ(Text(install.paths[33]), Text(install.paths[32]));
}

TEST_F(InstallRecords, MissingRequiredValuesStopTheReading) {
  const struct {
    const wchar_t* key;
    const wchar_t* value;
  } required[] = {{kFirstDoc, L"Doc Version"}, {kRecord, L"Uses"}, {kProgram, L"Copy"},
                  {kRecord, L"Guide Version"}};
  for (const auto& r : required) {
    SCOPED_TRACE(testing::Message() << r.value);
    CInstall writer;
    Start(writer);
    FillInstall(writer);
    ASSERT_EQ(1, writer.WriteInstallRecord());
    DeleteValue(r.key, r.value);
    CInstall reader;
    Start(reader);
    reader.ReadInstallRecord();
    EXPECT_EQ(0u, reader.installedVersion);
    EXPECT_EQ(-1, reader.layoutVariant);
  }
}

TEST_F(InstallRecords, OptionalValuesMayBeMissing) {
  install.linkDesktopShortcut = 0;
  FillInstall(install);
  install.linkDesktopShortcut = 0;
  install.firstDocDesktopShortcut = 0;
  install.secondDocDesktopShortcut = 0;
  ASSERT_EQ(1, install.WriteInstallRecord());
  DeleteValue(kRecord, L"Link Group");
  DeleteValue(kRecord, L"Pointer Desktop");
  DeleteValue(kProgram, L"Keys");
  CInstall later;
  Start(later);
  later.ReadInstallRecord();
  EXPECT_EQ(kInstallVersion, later.installedVersion);
  EXPECT_EQ(0, later.paths[10].Length);
  EXPECT_EQ(0, later.paths[16].Length);
  EXPECT_EQ(0, later.paths[20].Length);
  EXPECT_EQ(0, later.paths[22].Length);
  EXPECT_EQ(0, later.FindKey(0x0010)->virtualKey);
}

TEST_F(InstallRecords, SettingsOutOfRangeAreIgnored) {
  FillInstall(install);
  ASSERT_EQ(1, install.WriteInstallRecord());
  SetDword(kProgram, L"Variant", 3);
  SetDword(kProgram, L"Keypad", 2);
  SetDword(kProgram, L"Alternate", 7);
  SetRaw(kProgram, L"Option 1213", REG_BINARY, "\x01\0\0\0", 4);  // wrong type
  CInstall later;
  Start(later);
  later.layoutVariant = 1;  // as decided at initialisation
  later.ReadInstallRecord();
  EXPECT_EQ(kInstallVersion, later.installedVersion);
  EXPECT_EQ(1, later.layoutVariant);
  EXPECT_EQ(-1, later.keypadDecimal);
  EXPECT_EQ(0u, later.alternateSet);
  EXPECT_EQ(0u, later.option1213);
}

TEST_F(InstallRecords, UnsoundValuesFromOtherProgramsAreReadSafely) {
  FillInstall(install);
  ASSERT_EQ(1, install.WriteInstallRecord());
  // A key-assignment record of odd length and one of many thousand entries.
  std::vector<unsigned char> odd = Words({0x00420011});
  odd.push_back(0x7F);
  SetRaw(kProgram, L"Keys", REG_BINARY, odd.data(), DWORD(odd.size()));
  CInstall a;
  Start(a);
  a.ReadInstallRecord();
  EXPECT_EQ(0x0042, a.FindKey(0x0011)->virtualKey);

  std::vector<unsigned char> many;
  for (uint32_t i = 0; i < 50000; ++i) {
    unsigned char e[4];
    WriteLittle32(e, 0x00410000u | (i & 0xFFFF));
    many.insert(many.end(), e, e + 4);
  }
  SetRaw(kProgram, L"Keys", REG_BINARY, many.data(), DWORD(many.size()));
  CInstall b;
  Start(b);
  b.ReadInstallRecord();
  EXPECT_EQ(0x0041, b.FindKey(0x0011)->virtualKey);
  EXPECT_EQ(0, b.FindKey(0x001E)->virtualKey);  // 0x41 is that key's default

  // A path value with no terminator, and one of the wrong type.
  SetRaw(kProgram, L"Copy", REG_SZ, L"abcd", 8);
  SetRaw(kRecord, L"Pointer Desktop", REG_EXPAND_SZ, L"x", 4);
  CInstall c;
  Start(c);
  c.ReadInstallRecord();
  EXPECT_EQ(kInstallVersion, c.installedVersion);
  // Read within its bytes: whole, or without the unit the terminator would take.
  const std::u16string copy = Text(c.paths[32]);
  EXPECT_TRUE(copy == u"abcd" || copy == u"abc") << copy.size();
  EXPECT_EQ(0, c.paths[26].Length);
}

TEST_F(InstallRecords, OlderVersionIsRecognisedByItsRegistration) {
  const REGSAM view = Is64BitPrefix() ? k64 : k32;
  const struct {
    const wchar_t* value;
    const wchar_t* text;
    uint32_t version;
  } cases[] = {
      {nullptr, nullptr, kOlderInstallVersion},
      {L"Layout Help", L"other", kOlderInstallVersion},
      {L"Layout Text", L"Kreska2", 0},
      {L"Layout Id", L"0409", 0},
      {L"Layout File", L"KBDKRESKA.DLL", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.value ? c.value : L"as registered"));
    SetText(kLayout, L"Layout Text", L"Kreska", view);
    SetText(kLayout, L"Layout File", L"kbdkreska.dll", view);
    SetText(kLayout, L"Layout Id", L"0415", view);
    SetText(kLayout, L"Layout Help", L"Help", view);
    if (c.value) SetText(kLayout, c.value, c.text, view);
    CInstall i;
    Start(i);
    i.ReadInstallRecord();
    EXPECT_EQ(c.version, i.installedVersion);
  }
}

TEST_F(InstallRecords, RegistrationGoesToTheNativeViewAndTheRecordStays32Bit) {
  ASSERT_EQ(1, install.RegisterLayout());
  FillInstall(install);
  ASSERT_EQ(1, install.WriteInstallRecord());
  DWORD type;
  std::vector<unsigned char> file = GetRaw(kLayout, L"Layout File", &type, k64);
  EXPECT_EQ(DWORD(REG_SZ), type);
  EXPECT_EQ(0, std::memcmp(file.data(), L"kbdkreska.dll", 28));
  EXPECT_TRUE(Exists(kProgram, k32));
  if (Is64BitPrefix()) {
    EXPECT_FALSE(Exists(kLayout, k32));
    EXPECT_FALSE(Exists(kRecord, k64));
  }
  // What this version registered is not taken for an older version's.
  CInstall later;
  Start(later);
  later.ReadInstallRecord();
  EXPECT_EQ(kInstallVersion, later.installedVersion);
}

TEST_F(InstallRecords, RegistrationWritesEveryValueWhenOneFails) {
  // An empty name for value 17 (searched before the installer's texts) makes
  // the first write fail; the three after it are still written.
  FillTable(install.baseTexts, {{17, u""}});
  EXPECT_EQ(0, install.RegisterLayout());
  const REGSAM view = Is64BitPrefix() ? k64 : k32;
  for (const wchar_t* name : {L"Layout Help", L"Layout Id", L"Layout File"}) {
    DWORD type;
    GetRaw(kLayout, name, &type, view);
    EXPECT_EQ(DWORD(REG_SZ), type) << name;
  }
}

TEST_F(InstallRecords, RemapOnlyRewritesTheSettingsOnly) {
  install.SetRemapOnly(1);
  EXPECT_EQ(1u, install.licenceAccepted);
  EXPECT_EQ(0, install.WriteInstallRecord());  // nothing to rewrite, nothing created
  EXPECT_FALSE(Exists(kRecord, k32));

  FillInstall(install);
  install.SetRemapOnly(0);
  ASSERT_EQ(1, install.WriteInstallRecord());
  CInstall later;
  Start(later);
  later.ReadInstallRecord();
  later.SetRemapOnly(1);
  later.FindKey(0x0010)->virtualKey = 0;
  later.layoutVariant = 0;
  later.paths[33].AssignWide(u"elsewhere");
  ASSERT_EQ(1, later.WriteInstallRecord());
  DWORD type;
  EXPECT_EQ(Words({0x0020E05B}), GetRaw(kProgram, L"Keys", &type));
  EXPECT_EQ(Words({0}), GetRaw(kProgram, L"Variant", &type));
  EXPECT_NE(0, std::memcmp(GetRaw(kProgram, L"Copy", &type).data(), L"elsewhere", 18));
}

TEST_F(InstallRecords, NoChoiceStoresAnEmptyRecord) {
  FillInstall(install);
  install.FindKey(0x0010)->virtualKey = 0;
  install.FindKey(0xE05B)->virtualKey = 0;
  ASSERT_EQ(1, install.WriteInstallRecord());
  DWORD type;
  EXPECT_TRUE(GetRaw(kProgram, L"Keys", &type).empty());
  EXPECT_EQ(DWORD(REG_BINARY), type);
}

TEST_F(InstallRecords, ScanCodeMapRoundTrip) {
  // Caps Lock off, Right Alt sends Left Control, and an entry for a key no row has.
  std::vector<unsigned char> map = Words({0, 0, 4, 0x003A0000, 0xE038001D, 0x00540038, 0});
  SetRaw(kMapKey, L"Scancode Map", REG_BINARY, map.data(), DWORD(map.size()));
  EXPECT_EQ(0, install.ReadSystemKeyMap());
  EXPECT_EQ(1u, install.systemMapPresent);
  EXPECT_EQ(0x00FF, install.FindKey(0x003A)->remapTarget);
  EXPECT_EQ(0x001D, install.FindKey(0xE038)->remapTarget);
  install.FindKey(0xE05B)->remapTarget = 0x00FF;
  ASSERT_EQ(1, install.WriteSystemKeyMap());
  DWORD type;
  EXPECT_EQ(Words({0, 0, 5, 0x003A0000, 0xE038001D, 0xE05B0000, 0x00540038, 0}),
            GetRaw(kMapKey, L"Scancode Map", &type));

  CInstall later;
  Start(later);
  later.ReadSystemKeyMap();
  EXPECT_EQ(0x00FF, later.FindKey(0xE05B)->remapTarget);
}

TEST_F(InstallRecords, EmptyMapWhenAMapExistedAndNothingIsRemapped) {
  std::vector<unsigned char> map = Words({0, 0, 2, 0x003A003A, 0});  // a key mapped to itself
  SetRaw(kMapKey, L"Scancode Map", REG_BINARY, map.data(), DWORD(map.size()));
  install.ReadSystemKeyMap();
  EXPECT_EQ(0, install.FindKey(0x003A)->remapTarget);
  ASSERT_EQ(1, install.WriteSystemKeyMap());
  DWORD type;
  EXPECT_EQ(Words({0, 0, 1, 0}), GetRaw(kMapKey, L"Scancode Map", &type));
  EXPECT_EQ(DWORD(REG_BINARY), type);
}

TEST_F(InstallRecords, NoMapIsWrittenWhenNoneExistedAndNothingIsRemapped) {
  install.ReadSystemKeyMap();
  EXPECT_EQ(0u, install.systemMapPresent);
  EXPECT_EQ(1, install.WriteSystemKeyMap());
  DWORD type;
  GetRaw(kMapKey, L"Scancode Map", &type);
  EXPECT_EQ(DWORD(REG_NONE), type);
}

TEST_F(InstallRecords, UnsoundScanCodeMapsChangeNoKey) {
  std::vector<unsigned char> shortMap = Words({0, 0, 3, 0x003A001D, 0});
  const struct {
    const char* name;
    DWORD type;
    std::vector<unsigned char> value;
    uint32_t present;
  } cases[] = {
      {"three bytes", REG_BINARY, {0, 0, 0}, 1},
      {"huge count", REG_BINARY, Words({0, 0, 0x40000001, 0x003A001D, 0}), 1},
      {"negative count", REG_BINARY, Words({0, 0, 0xFFFFFFFF, 0x003A001D, 0}), 1},
      {"size short of the count", REG_BINARY, shortMap, 1},
      {"wrong type", REG_SZ, Words({0, 0, 2, 0x003A001D, 0}), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetRaw(kMapKey, L"Scancode Map", c.type, c.value.data(), DWORD(c.value.size()));
    CInstall i;
    Start(i);
    i.ReadSystemKeyMap();
    EXPECT_EQ(c.present, i.systemMapPresent);
    EXPECT_EQ(0, i.FindKey(0x003A)->remapTarget);
  }
}

TEST_F(InstallRecords, CompletionValueOnlyAfterAnInstallOrUninstall) {
  DWORD type;
  install.FinishRun();
  GetRaw(kTestRoot, L"Completion", &type);
  EXPECT_EQ(DWORD(REG_NONE), type);

  CInstall installed;
  Start(installed);
  installed.installDone = 1;
  installed.FinishRun();
  std::vector<unsigned char> value = GetRaw(kTestRoot, L"Completion", &type);
  EXPECT_EQ(DWORD(REG_SZ), type);
  ASSERT_EQ(sizeof L"done", value.size());
  EXPECT_EQ(0, std::memcmp(value.data(), L"done", value.size()));
  GString released;
  EXPECT_EQ(0, installed.GetText(81, released));
}

TEST_F(InstallRecords, HotkeyValues) {
  ASSERT_EQ(1, install.WriteHotkeyValues());
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kHotkeys, 0, KEY_READ, &key));
  for (const wchar_t* name : {L"Hotkey A", L"Hotkey B", L"Hotkey C"}) {
    wchar_t value[8] = {};
    DWORD size = sizeof value, type = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, name, nullptr, &type, (BYTE*)value, &size));
    EXPECT_EQ(DWORD(REG_SZ), type);
    EXPECT_STREQ(L"3", value);
  }
  RegCloseKey(key);
  DeleteTree(HKEY_CURRENT_USER, L"Software", L"KreskaTest", 0);
  EXPECT_EQ(0, install.WriteHotkeyValues());  // the key is never created

  // A first value that cannot be written does not keep the others from it.
  RegCloseKey(Create(HKEY_CURRENT_USER, kHotkeys, 0));
  FillTable(install.baseTexts, {{14, u""}});
  EXPECT_EQ(0, install.WriteHotkeyValues());
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kHotkeys, 0, KEY_READ, &key));
  for (const wchar_t* name : {L"Hotkey B", L"Hotkey C"}) {
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr))
        << name;
  }
  RegCloseKey(key);
}

}  // namespace
