// The path catalogue joined from given folders and texts.
#include <gtest/gtest.h>

#include <string>

#include "install/path_catalogue.h"

namespace {

std::u16string Text(const GString& s) { return std::u16string(s.WideText(), size_t(s.Length)); }

class PathCatalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    in.programFiles.AssignWide(u"C:\\Program Files");
    in.commonPrograms.AssignWide(u"C:\\Menu\\Programs");
    in.commonDesktop.AssignWide(u"C:\\Desktop\\");  // ends in a backslash
    in.outerFolder.AssignWide(u"Outer");
    in.installFolder.AssignWide(u"Kreska");
    in.firstDocName.AssignWide(u"Chart");
    in.firstDocTag.AssignWide(u"Kreska");
    in.secondDocName.AssignWide(u"Guide");
    in.docExt.AssignWide(u".pdf");
    in.shortcutExt.AssignWide(u".lnk");
    in.linkExt.AssignWide(u".url");
    in.pointerExt.AssignWide(u".txt");
    in.ownShortcutFormat.AssignWide(u"Remove %s");
    in.pointerName.AssignWide(u"Where");
    in.linkName.AssignWide(u"Home");
    in.localFileName.AssignWide(u"local.htm");
    in.displayName.AssignWide(u"Kreska");
  }
  PathSources in;
  GString paths[kPathCount];
};

TEST_F(PathCatalogue, InstallEntries) {
  BuildInstallPaths(in, paths);
  const struct {
    int entry;
    const char16_t* text;
  } expected[] = {
      {2, u"C:\\Program Files\\Outer"},
      {3, u"C:\\Program Files\\Outer\\Kreska"},
      {4, u"C:\\Menu\\Programs\\Outer"},
      {5, u"C:\\Menu\\Programs\\Outer\\Kreska"},
      {7, u"C:\\Program Files\\Outer\\Kreska\\Chart (Kreska).pdf"},
      {9, u"C:\\Menu\\Programs\\Outer\\Kreska\\Chart (Kreska).lnk"},
      {11, u"C:\\Desktop\\Chart (Kreska).lnk"},
      {13, u"C:\\Program Files\\Outer\\Kreska\\Guide.pdf"},
      {15, u"C:\\Menu\\Programs\\Outer\\Kreska\\Guide.lnk"},
      {17, u"C:\\Desktop\\Guide.lnk"},
      {19, u"C:\\Program Files\\Outer\\Kreska\\Home.url"},
      {21, u"C:\\Menu\\Programs\\Outer\\Kreska\\Home.lnk"},
      {23, u"C:\\Desktop\\Home.lnk"},
      {25, u"C:\\Menu\\Programs\\Outer\\Kreska\\Where.txt"},
      {27, u"C:\\Desktop\\Where.txt"},
      {29, u"C:\\Program Files\\Outer\\Kreska\\local.htm"},
  };
  for (const auto& e : expected) EXPECT_EQ(std::u16string(e.text), Text(paths[e.entry])) << e.entry;
  // Recorded entries and the program's own entries are not built here.
  for (int i = 0; i < kPathCount; ++i) {
    if (i == 0 || i == 1 || (i >= 6 && i % 2 == 0) || i >= 30) EXPECT_EQ(0, paths[i].Length) << i;
  }
}

TEST_F(PathCatalogue, ProgramEntries) {
  const struct {
    const char16_t* ownPath;
    const char16_t* copy;
  } cases[] = {
      {u"D:\\Downloads\\kreska-setup.exe", u"C:\\Program Files\\Outer\\Kreska\\kreska-setup.exe"},
      {u"setup.exe", u"C:\\Program Files\\Outer\\Kreska\\setup.exe"},
  };
  for (const auto& c : cases) {
    BuildInstallPaths(in, paths);
    BuildProgramPaths(in, c.ownPath, paths);
    EXPECT_EQ(std::u16string(c.ownPath), Text(paths[30]));
    EXPECT_EQ(std::u16string(c.copy), Text(paths[33]));
    EXPECT_EQ(u"Remove Kreska", Text(paths[31]));
    EXPECT_EQ(u"C:\\Menu\\Programs\\Outer\\Kreska\\Remove Kreska.lnk", Text(paths[35]));
  }
}

}  // namespace
