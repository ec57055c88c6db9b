// Shortcuts made through the shell-link object and read back through it.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "system_fixture.h"

namespace {

struct LinkFields {
  bool loaded = false;
  std::wstring target;
  std::wstring description;
  std::wstring iconPath;
  int iconIndex = -1;
};

LinkFields ReadLink(const std::wstring& linkFile) {
  LinkFields fields;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return fields;
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(linkFile.c_str(), STGM_READ))) {
      fields.loaded = true;
      wchar_t text[MAX_PATH + 1] = {};
      if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) fields.target = text;
      text[0] = 0;
      if (SUCCEEDED(link->GetDescription(text, MAX_PATH))) fields.description = text;
      text[0] = 0;
      int index = -1;
      if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &index))) {
        fields.iconPath = text;
        fields.iconIndex = index;
      }
    }
    file->Release();
  }
  link->Release();
  return fields;
}

class Shortcuts : public ::testing::Test {
 protected:
  // The program does this once at its start.
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
  void TearDown() override { CoUninitialize(); }

  TestInstaller install_;
  ScratchFolder folder_;
};

TEST_F(Shortcuts, LinkReadsBackItsTargetDescriptionAndIcon) {
  const std::wstring target = folder_.File(L"target.txt");
  HANDLE file = install_.CreateFileForWrite(U16(target));
  ASSERT_NE(file, nullptr);
  CloseHandle(file);
  const std::wstring link = folder_.File(L"Target.lnk");
  const std::wstring icon = folder_.File(L"icons.dll");
  ASSERT_EQ(install_.CreateShortcut(U16(target), U16(link), u"Opens the target", U16(icon), 3), 1);
  ASSERT_TRUE(FileExists(link));
  const LinkFields fields = ReadLink(link);
  ASSERT_TRUE(fields.loaded);
  EXPECT_EQ(fields.target, target);
  EXPECT_EQ(fields.description, L"Opens the target");
  EXPECT_EQ(fields.iconPath, icon);
  EXPECT_EQ(fields.iconIndex, 3);
}

TEST_F(Shortcuts, WithoutIconPathNoIconLocationIsSet) {
  const std::wstring target = folder_.File(L"plain.txt");
  HANDLE file = install_.CreateFileForWrite(U16(target));
  ASSERT_NE(file, nullptr);
  CloseHandle(file);
  const std::wstring link = folder_.File(L"Plain.lnk");
  ASSERT_EQ(install_.CreateShortcut(U16(target), U16(link), u"", nullptr, 5), 1);
  const LinkFields fields = ReadLink(link);
  ASSERT_TRUE(fields.loaded);
  EXPECT_EQ(fields.target, target);
  EXPECT_EQ(fields.iconPath, L"");
  EXPECT_NE(fields.iconIndex, 5);
}

}  // namespace
