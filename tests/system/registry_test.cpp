// Registry helpers against the real registry, under a test key of their own.
#include <windows.h>
#include <shlwapi.h>

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "system_fixture.h"

namespace {

constexpr uint32_t kRead = KEY_READ;
constexpr uint32_t kWrite = KEY_WRITE;
constexpr uint32_t kReadWrite = KEY_READ | KEY_WRITE;

// Type and byte count of a value as the registry itself reports them.
struct Stored {
  DWORD type = 0;
  DWORD size = 0;
  bool found = false;
};

Stored Inspect(HKEY key, const wchar_t* name) {
  Stored stored;
  stored.found =
      RegQueryValueExW(key, name, nullptr, &stored.type, nullptr, &stored.size) == ERROR_SUCCESS;
  return stored;
}

void PutRaw(HKEY key, const wchar_t* name, DWORD type, const void* bytes, DWORD size) {
  ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(bytes), size),
            ERROR_SUCCESS);
}

// RegDeleteKeyExW is newer than the headers' target version: resolved by name.
LONG DeleteKeyInView(HKEY root, const wchar_t* path, uint32_t view) {
  using DeleteKeyEx = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
  auto deleteKeyEx = reinterpret_cast<DeleteKeyEx>(
      reinterpret_cast<void*>(GetProcAddress(advapi, "RegDeleteKeyExW")));
  if (deleteKeyEx == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
  return deleteKeyEx(root, path, view, 0);
}

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyW(HKEY_CURRENT_USER, kTestKeyPath);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    SHDeleteKeyW(HKEY_CURRENT_USER, kTestKeyPath);
  }

  TestInstaller install_;
  HKEY key_ = nullptr;
};

TEST_F(Registry, KeysNeedARootAndANameAndOpenOnlyWhatExists) {
  EXPECT_EQ(install_.OpenKey(nullptr, u"Software", kRead), nullptr);
  EXPECT_EQ(install_.OpenKey(HKEY_CURRENT_USER, static_cast<const char16_t*>(nullptr), kRead),
            nullptr);
  EXPECT_EQ(install_.OpenKey(HKEY_CURRENT_USER, u"", kRead), nullptr);
  EXPECT_EQ(install_.CreateKey(HKEY_CURRENT_USER, u"", kWrite), nullptr);
  EXPECT_EQ(install_.CreateKey(nullptr, u"Software", kWrite), nullptr);
  // By StringId: a missing text or an empty one is no name.
  EXPECT_EQ(install_.OpenKey(HKEY_CURRENT_USER, kNoText, kRead), nullptr);
  EXPECT_EQ(install_.CreateKey(HKEY_CURRENT_USER, kEmptyText, kWrite), nullptr);

  EXPECT_EQ(install_.OpenKey(HKEY_CURRENT_USER, kTestSubKey, kRead), nullptr);
  HKEY created = install_.CreateKey(HKEY_CURRENT_USER, kTestSubKey, kWrite);
  ASSERT_NE(created, nullptr);
  RegCloseKey(created);
  HKEY opened = install_.OpenKey(HKEY_CURRENT_USER, kTestSubKey, kRead);
  ASSERT_NE(opened, nullptr);
  RegCloseKey(opened);
  // Creating an existing key opens it.
  HKEY again = install_.CreateKey(HKEY_CURRENT_USER, kTestSubKey, kReadWrite);
  ASSERT_NE(again, nullptr);
  RegCloseKey(again);
}

TEST_F(Registry, DwordValuesAreFourLittleEndianBytesOfTheirType) {
  ASSERT_EQ(install_.SetDwordValue(key_, kValueName, 0x12345678u), 1);
  const Stored stored = Inspect(key_, L"Value");
  EXPECT_EQ(stored.type, DWORD(REG_DWORD));
  EXPECT_EQ(stored.size, 4u);
  uint32_t value = 0;
  EXPECT_EQ(install_.QueryDwordValue(key_, kValueName, value), 1);
  EXPECT_EQ(value, 0x12345678u);

  // A REG_BINARY of four bytes is no DWORD, and a REG_DWORD of another size
  // is refused; the out value is left alone.
  const unsigned char four[4] = {1, 2, 3, 4};
  PutRaw(key_, L"Other", REG_BINARY, four, 4);
  value = 77;
  EXPECT_EQ(install_.QueryDwordValue(key_, kOtherValueName, value), 0);
  PutRaw(key_, L"Other", REG_DWORD, four, 2);
  EXPECT_EQ(install_.QueryDwordValue(key_, kOtherValueName, value), 0);
  const unsigned char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  PutRaw(key_, L"Other", REG_DWORD, eight, 8);
  EXPECT_EQ(install_.QueryDwordValue(key_, kOtherValueName, value), 0);
  EXPECT_EQ(value, 77u);
  EXPECT_EQ(install_.QueryDwordValue(key_, kNoText, value), 0);
  EXPECT_EQ(install_.QueryDwordValue(key_, u"Missing", value), 0);
}

TEST_F(Registry, BinaryValuesComeBackInANewBufferOfTheirExactSize) {
  const unsigned char bytes[5] = {0, 0xFF, 0x10, 0x80, 7};
  ASSERT_EQ(install_.SetBinaryValue(key_, kValueName, bytes, 5), 1);
  const Stored stored = Inspect(key_, L"Value");
  EXPECT_EQ(stored.type, DWORD(REG_BINARY));
  EXPECT_EQ(stored.size, 5u);
  uint32_t count = 0;
  unsigned char* back = install_.QueryBinaryValue(key_, kValueName, count);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(std::memcmp(back, bytes, 5), 0);
  std::free(back);

  // Empty, wrong type, missing value or missing name text: null and count 0.
  PutRaw(key_, L"Other", REG_BINARY, nullptr, 0);
  count = 9;
  EXPECT_EQ(install_.QueryBinaryValue(key_, kOtherValueName, count), nullptr);
  EXPECT_EQ(count, 0u);
  const uint32_t dword = 5;
  PutRaw(key_, L"Other", REG_DWORD, &dword, 4);
  EXPECT_EQ(install_.QueryBinaryValue(key_, kOtherValueName, count), nullptr);
  EXPECT_EQ(install_.QueryBinaryValue(key_, u"Missing", count), nullptr);
  EXPECT_EQ(install_.QueryBinaryValue(key_, kNoText, count), nullptr);
}

TEST_F(Registry, StringValuesAreStoredWithTheirTerminator) {
  struct Case {
    const char16_t* text;
    DWORD bytes;
  };
  const Case cases[] = {{u"abc", 8}, {u"", 2}, {u"\u0105\u0119 x", 10}};
  for (const Case& c : cases) {
    GString text;
    text.AssignWide(c.text);
    ASSERT_EQ(install_.SetStringValue(key_, kValueName, text), 1);
    const Stored stored = Inspect(key_, L"Value");
    EXPECT_EQ(stored.type, DWORD(REG_SZ));
    EXPECT_EQ(stored.size, c.bytes);
    GString back;
    ASSERT_EQ(install_.QueryStringValue(key_, kValueName, back), 1);
    EXPECT_EQ(back.Wide, 1u);
    EXPECT_EQ(back.Compare(c.text), 0);
  }
  // An 8-bit text is stored as UTF-16, and the caller's text is left wide.
  GString narrow;
  narrow.AssignNarrow("\xC5\x82\xC3\xB3" "d" "\xC5\xBA");  // "łódź"
  ASSERT_EQ(install_.SetStringValue(key_, kValueName, narrow), 1);
  EXPECT_EQ(narrow.Wide, 1u);
  EXPECT_EQ(Inspect(key_, L"Value").size, 10u);
  GString back;
  ASSERT_EQ(install_.QueryStringValue(key_, kValueName, back), 1);
  EXPECT_EQ(back.Compare(u"\u0142\u00F3d\u017A"), 0);
  // The value StringId form stores that text; a value name kept as UTF-8 in
  // the tables names the same value as its UTF-16 form.
  ASSERT_EQ(install_.SetStringValue(key_, kNarrowValueName, kStoredText), 1);
  EXPECT_EQ(Inspect(key_, L"Wert \u00E4").size, 24u);
  EXPECT_EQ(install_.SetStringValue(key_, kValueName, kNoText), 0);
  EXPECT_EQ(install_.SetStringValue(key_, kNoText, kStoredText), 0);
}

TEST_F(Registry, StringReadsFollowTheStoredBytes) {
  struct Case {
    const char* label;
    DWORD type;
    const char16_t* data;
    DWORD bytes;
    int ok;
    const char16_t* text;
  };
  const Case cases[] = {
      {"empty value", REG_SZ, u"", 0, 1, u""},
      {"terminator alone", REG_SZ, u"", 2, 1, u""},
      {"abc and terminator", REG_SZ, u"abc", 8, 1, u"abc"},
      // Stored without a terminator, the last character still counts.
      {"abc unterminated", REG_SZ, u"abc", 6, 1, u"abc"},
      {"odd byte count", REG_SZ, u"abc", 7, 1, u"abc"},
      {"expandable", REG_EXPAND_SZ, u"abc", 8, 0, u""},
      {"multi", REG_MULTI_SZ, u"abc\0", 10, 0, u""},
      {"binary", REG_BINARY, u"abc", 8, 0, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    PutRaw(key_, L"Value", c.type, c.data, c.bytes);
    GString text;
    text.AssignWide(u"previous");
    EXPECT_EQ(install_.QueryStringValue(key_, kValueName, text), c.ok);
    EXPECT_EQ(text.Length, int32_t(std::char_traits<char16_t>::length(c.text)));
    EXPECT_EQ(text.Compare(c.text), 0);
    // The text is terminated right behind its length.
    EXPECT_EQ(text.WideText(0)[text.Length], 0);
  }
  // No key or no name: 0 with the text as it was.
  GString text;
  text.AssignWide(u"kept");
  EXPECT_EQ(install_.QueryStringValue(nullptr, u"Value", text), 0);
  EXPECT_EQ(install_.QueryStringValue(key_, u"", text), 0);
  EXPECT_EQ(text.Compare(u"kept"), 0);
  EXPECT_EQ(install_.QueryStringValue(key_, kNoText, text), 0);
  EXPECT_EQ(install_.QueryStringValue(key_, u"Missing", text), 0);
}

TEST_F(Registry, StringValueEqualsIsExactAndCaseSensitive) {
  PutRaw(key_, L"Value", REG_SZ, u"ABC", 8);
  GString same;
  same.AssignWide(u"ABC");
  GString lower;
  lower.AssignWide(u"abc");
  GString longer;
  longer.AssignWide(u"ABCD");
  GString narrow;
  narrow.AssignNarrow("ABC");
  EXPECT_EQ(install_.StringValueEquals(key_, kValueName, same), 1);
  EXPECT_EQ(install_.StringValueEquals(key_, kValueName, narrow), 1);
  EXPECT_EQ(install_.StringValueEquals(key_, kValueName, lower), 0);
  EXPECT_EQ(install_.StringValueEquals(key_, kValueName, longer), 0);
  EXPECT_EQ(install_.StringValueEquals(key_, u"Missing", same), 0);
  PutRaw(key_, L"Other", REG_EXPAND_SZ, u"ABC", 8);
  EXPECT_EQ(install_.StringValueEquals(key_, kOtherValueName, same), 0);
}

TEST_F(Registry, SetAndDeleteCheckKeyAndName) {
  GString text;
  text.AssignWide(u"x");
  EXPECT_EQ(install_.SetStringValue(nullptr, u"Value", text), 0);
  EXPECT_EQ(install_.SetStringValue(key_, u"", text), 0);
  EXPECT_EQ(install_.SetStringValue(key_, kEmptyText, text), 0);
  EXPECT_EQ(install_.DeleteValue(key_, u""), 0);
  EXPECT_EQ(install_.DeleteValue(nullptr, u"Value"), 0);
  EXPECT_FALSE(Inspect(key_, L"").found);

  ASSERT_EQ(install_.SetDwordValue(key_, kValueName, 1), 1);
  EXPECT_EQ(install_.DeleteValue(key_, kValueName), 1);
  EXPECT_FALSE(Inspect(key_, L"Value").found);
  EXPECT_EQ(install_.DeleteValue(key_, kValueName), 0);
  EXPECT_EQ(install_.DeleteValue(key_, kNoText), 0);
}

TEST_F(Registry, DeleteKeyRemovesOnlyKeysWithoutSubKeys) {
  HKEY sub = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\KbdSystemTests\\Sub\\Deeper", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(sub);
  EXPECT_EQ(install_.DeleteKey(key_, kLeafKey), 0);
  ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KbdSystemTests\\Sub\\Deeper"),
            ERROR_SUCCESS);
  EXPECT_EQ(install_.DeleteKey(key_, kLeafKey), 1);
  EXPECT_EQ(install_.DeleteKey(key_, kLeafKey), 0);
  EXPECT_EQ(install_.DeleteKey(key_, kNoText), 0);
}

// The machine value helper writes under HKEY_LOCAL_MACHINE: a key of the
// tests' own there, created and removed by the test.
TEST(MachineRegistry, SetMachineStringValueOpensButNeverCreates) {
  TestInstaller install;
  SHDeleteKeyW(HKEY_LOCAL_MACHINE, kTestKeyPath);
  EXPECT_EQ(install.SetMachineStringValue(kTestKey, kValueName, kStoredText), 0);
  HKEY probe = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kTestKeyPath, 0, KEY_READ, &probe), ERROR_SUCCESS);

  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kTestKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(install.SetMachineStringValue(kTestKey, kValueName, kStoredText), 1);
  GString back;
  EXPECT_EQ(install.QueryStringValue(key, kValueName, back), 1);
  EXPECT_EQ(back.Compare(u"Stored text"), 0);
  EXPECT_EQ(install.SetMachineStringValue(kTestKey, kValueName, kNoText), 0);
  EXPECT_EQ(install.SetMachineStringValue(kMissingKey, kValueName, kStoredText), 0);
  EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\KbdSystemTests\\Missing", 0, KEY_READ,
                          &probe),
            ERROR_SUCCESS);
  RegCloseKey(key);
  SHDeleteKeyW(HKEY_LOCAL_MACHINE, kTestKeyPath);
}

// On a 64-bit system a 32-bit process sees its own view of HKLM\Software;
// KEY_WOW64_64KEY, passed through unchanged, reaches the other one. On a
// 32-bit system there is one view and the flag changes nothing.
TEST(MachineRegistry, SixtyFourBitViewFlagSelectsTheView) {
  if (PrefixKind().empty()) GTEST_SKIP() << "not started by wine-run.sh";
  const bool twoViews = PrefixKind() == "win64";
  TestInstaller install;
  const uint32_t view64 = KEY_WOW64_64KEY;
  struct Direction {
    uint32_t writeFlag;
    uint32_t readFlag;
  };
  const Direction directions[] = {{view64, 0}, {0, view64}};
  for (const Direction& d : directions) {
    SCOPED_TRACE(d.writeFlag ? "written in the 64-bit view" : "written in the 32-bit view");
    HKEY written = install.CreateKey(HKEY_LOCAL_MACHINE, kTestKey, KEY_ALL_ACCESS | d.writeFlag);
    ASSERT_NE(written, nullptr);
    ASSERT_EQ(install.SetDwordValue(written, kValueName, 190), 1);
    uint32_t value = 0;
    EXPECT_EQ(install.QueryDwordValue(written, kValueName, value), 1);
    HKEY other = install.OpenKey(HKEY_LOCAL_MACHINE, kTestKey, KEY_READ | d.readFlag);
    const int seen = other != nullptr && install.QueryDwordValue(other, kValueName, value);
    EXPECT_EQ(seen, twoViews ? 0 : 1);
    if (other) RegCloseKey(other);
    // Same view again: seen.
    HKEY same = install.OpenKey(HKEY_LOCAL_MACHINE, kTestKey, KEY_READ | d.writeFlag);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(install.QueryDwordValue(same, kValueName, value), 1);
    RegCloseKey(same);
    // Keys below a handle stay in that handle's view, also when deleted.
    HKEY sub = install.CreateKey(written, kLeafKey, KEY_ALL_ACCESS | d.writeFlag);
    ASSERT_NE(sub, nullptr);
    RegCloseKey(sub);
    EXPECT_EQ(install.DeleteKey(written, kLeafKey), 1);
    EXPECT_EQ(install.OpenKey(written, kLeafKey, KEY_READ | d.writeFlag), nullptr);
    RegCloseKey(written);
    ASSERT_EQ(DeleteKeyInView(HKEY_LOCAL_MACHINE, kTestKeyPath, d.writeFlag), ERROR_SUCCESS);
  }
}

}  // namespace
