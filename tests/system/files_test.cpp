// Files, folders and temporary files on the real file system, in a scratch folder.
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include <gtest/gtest.h>

#include "system_fixture.h"

namespace {

class Files : public ::testing::Test {
 protected:
  TestInstaller install_;
  ScratchFolder folder_;
};

TEST_F(Files, CreateFileForWriteGivesNullOnFailure) {
  HANDLE file = install_.CreateFileForWrite(U16(folder_.File(L"missing\\file.txt")));
  EXPECT_EQ(file, nullptr);
  const std::wstring name = folder_.File(L"new.txt");
  file = install_.CreateFileForWrite(U16(name));
  ASSERT_NE(file, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(install_.WriteBytes(file, "12345", 5), 1);
  CloseHandle(file);
  EXPECT_EQ(FileSize(name), 5);
  // Opening again truncates.
  file = install_.CreateFileForWrite(U16(name));
  ASSERT_NE(file, nullptr);
  CloseHandle(file);
  EXPECT_EQ(FileSize(name), 0);
}

TEST_F(Files, WritesNeedAHandleBytesAndText) {
  const std::wstring name = folder_.File(L"text.txt");
  HANDLE file = install_.CreateFileForWrite(U16(name));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(install_.WriteBytes(nullptr, "x", 1), 0);
  EXPECT_EQ(install_.WriteBytes(file, nullptr, 1), 0);
  EXPECT_EQ(install_.WriteBytes(file, "x", 0), 0);
  GString empty;
  empty.AssignWide(u"");
  EXPECT_EQ(install_.WriteText(file, empty), 0);
  GString text;
  text.AssignWide(u"Za\u017C\u00F3\u0142\u0107 \u20AC");  // "Zażółć €"
  EXPECT_EQ(install_.WriteText(nullptr, text), 0);
  EXPECT_EQ(text.Wide, 1u);
  // Written as UTF-8 without byte-order mark or terminator; the caller's
  // text is left in its 8-bit form.
  EXPECT_EQ(install_.WriteText(file, text), 1);
  EXPECT_EQ(text.Wide, 0u);
  EXPECT_EQ(text.Length, 14);
  CloseHandle(file);
  EXPECT_EQ(ReadFileBytes(name), "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xE2\x82\xAC");
}

TEST_F(Files, DeletionCountsMissingFilesAsDeleted) {
  const std::wstring name = folder_.File(L"gone.txt");
  HANDLE file = install_.CreateFileForWrite(U16(name));
  ASSERT_NE(file, nullptr);
  CloseHandle(file);
  EXPECT_EQ(install_.DeleteFileOrSchedule(U16(name)), 1);
  EXPECT_FALSE(FileExists(name));
  EXPECT_FALSE(IsPendingDeletion(name));
  EXPECT_EQ(install_.DeleteFileOrSchedule(U16(name)), 1);
  EXPECT_FALSE(IsPendingDeletion(name));
  EXPECT_EQ(install_.DeleteFileOrSchedule(nullptr), 0);
  EXPECT_EQ(install_.DeleteFileOrSchedule(u""), 0);
  GString empty;
  EXPECT_EQ(install_.DeleteFileText(empty), 0);
  // The text form takes an 8-bit name too.
  file = install_.CreateFileForWrite(U16(name));
  ASSERT_NE(file, nullptr);
  CloseHandle(file);
  GString wideName;
  wideName.AssignWide(U16(name));
  ASSERT_NE(wideName.MakeNarrow(), nullptr);
  EXPECT_EQ(install_.DeleteFileText(wideName), 1);
  EXPECT_FALSE(FileExists(name));
}

TEST_F(Files, FileInAMissingFolderIsLeftToTheDeferredRequest) {
  // A missing folder is no "file not found": the answer is the scheduling's.
  const std::wstring name = folder_.File(L"no-such-folder\\file.txt");
  const int result = install_.DeleteFileOrSchedule(U16(name));
  EXPECT_EQ(result == 1, IsPendingDeletion(name));
  ForgetPendingDeletion(name);
}

TEST_F(Files, LockedFileIsScheduledForDeletionAtRestart) {
  const std::wstring name = folder_.File(L"locked.txt");
  HANDLE lock = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_EQ(install_.DeleteFileOrSchedule(U16(name)), 1);
  EXPECT_TRUE(FileExists(name));
  EXPECT_TRUE(IsPendingDeletion(name));
  CloseHandle(lock);
  ForgetPendingDeletion(name);
  EXPECT_FALSE(IsPendingDeletion(name));
}

TEST_F(Files, FoldersAreMadeOneLevelAtATimeAndRemovedOnlyWhenEmpty) {
  const std::wstring made = folder_.File(L"made");
  EXPECT_EQ(install_.EnsureFolder(U16(made)), 1);
  EXPECT_TRUE(FileExists(made));
  EXPECT_EQ(install_.EnsureFolder(U16(made)), 1);
  EXPECT_EQ(install_.EnsureFolder(U16(folder_.File(L"missing\\child"))), 0);
  EXPECT_FALSE(FileExists(folder_.File(L"missing")));

  HANDLE file = install_.CreateFileForWrite(U16(made + L"\\inside.txt"));
  ASSERT_NE(file, nullptr);
  CloseHandle(file);
  GString path;
  path.AssignWide(U16(made));
  EXPECT_EQ(install_.RemoveFolder(path), 0);
  EXPECT_TRUE(FileExists(made));
  DeleteFileW((made + L"\\inside.txt").c_str());
  EXPECT_EQ(install_.RemoveFolder(path), 1);
  EXPECT_FALSE(FileExists(made));
  GString empty;
  EXPECT_EQ(install_.RemoveFolder(empty), 0);
}

TEST_F(Files, SpecialAndTemporaryFolders) {
  GString windows;
  ASSERT_EQ(install_.GetSpecialFolder(CSIDL_WINDOWS, windows), 1);
  EXPECT_GT(windows.Length, 0);
  EXPECT_TRUE(FileExists(W(windows)));
  GString unknown;
  unknown.AssignWide(u"before");
  EXPECT_EQ(install_.GetSpecialFolder(0x7F, unknown), 0);
  EXPECT_EQ(unknown.Length, 0);

  GString temp;
  ASSERT_EQ(install_.GetTempFolder(temp), 1);
  ASSERT_GT(temp.Length, 0);
  EXPECT_EQ(temp.WideText(0)[temp.Length - 1], u'\\');
  EXPECT_TRUE(FileExists(W(temp)));
}

TEST_F(Files, TemporaryFolderLongerThanItsBufferFails) {
  wchar_t saved[MAX_PATH + 1] = {};
  const DWORD savedLength = GetEnvironmentVariableW(L"TMP", saved, MAX_PATH);
  // GetTempPathW takes TMP first; 800 characters do not fit the 771 of the buffer.
  const std::wstring longFolder = L"C:\\" + std::wstring(800, L'x');
  ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", longFolder.c_str()));
  GString temp;
  const int result = install_.GetTempFolder(temp);
  SetEnvironmentVariableW(L"TMP", savedLength ? saved : nullptr);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(temp.Length, 0);
}

TEST_F(Files, CreateTempFileLeavesAnEmptyUniqueFile) {
  GString none;
  EXPECT_EQ(install_.CreateTempFile(none, 0, U16(folder_.Path())), 0);
  EXPECT_EQ(none.Length, 0);

  GString first;
  GString second;
  ASSERT_EQ(install_.CreateTempFile(first, kTempPrefix, U16(folder_.Path())), 1);
  ASSERT_EQ(install_.CreateTempFile(second, kTempPrefix, U16(folder_.Path())), 1);
  const std::wstring a = W(first);
  const std::wstring b = W(second);
  EXPECT_NE(a, b);
  EXPECT_EQ(a.rfind(folder_.Path() + L"\\kst", 0), 0u) << "in the folder, with the prefix";
  EXPECT_EQ(FileSize(a), 0);
  EXPECT_EQ(FileSize(b), 0);
  // Without a folder the temporary folder is used.
  GString inTemp;
  ASSERT_EQ(install_.CreateTempFile(inTemp, kTempPrefix, nullptr), 1);
  GString temp;
  ASSERT_EQ(install_.GetTempFolder(temp), 1);
  EXPECT_EQ(inTemp.Find(temp, 0), 0);
  EXPECT_EQ(FileSize(W(inTemp)), 0);
  DeleteFileW(W(inTemp));
}

}  // namespace
