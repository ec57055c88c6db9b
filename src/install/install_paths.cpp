// BuildPaths: this installation's entries of the path catalogue, from the
// special folders, the texts and the program's own path on the command line.
#include <windows.h>
#include <shellapi.h>

#include "install/install.h"

namespace {

constexpr int kCsidlProgramFiles = 38;
constexpr int kCsidlCommonPrograms = 23;
constexpr int kCsidlCommonDesktop = 25;

}  // namespace

int CInstall::BuildPaths() {
  PathSources in;
  // A folder that cannot be read stays empty; nothing is reported.
  GetSpecialFolder(kCsidlProgramFiles, in.programFiles);
  GetSpecialFolder(kCsidlCommonPrograms, in.commonPrograms);
  GetSpecialFolder(kCsidlCommonDesktop, in.commonDesktop);
  const struct {
    StringId id;
    GString* text;
  } texts[] = {
      {71, &in.linkName},     {70, &in.pointerName},      {80, &in.localFileName},
      {22, &in.firstDocName}, {23, &in.firstDocTag},      {30, &in.secondDocName},
      {42, &in.docExt},       {43, &in.shortcutExt},      {44, &in.linkExt},
      {46, &in.pointerExt},   {48, &in.ownShortcutFormat}, {81, &in.displayName},
      {9, &in.outerFolder},   {10, &in.installFolder},
  };
  for (const auto& t : texts) GetText(t.id, *t.text);
  BuildInstallPaths(in, paths);

  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 0;
  if (argc < 1) {
    LocalFree(argv);
    return 0;
  }
  BuildProgramPaths(in, FromWchar(argv[0]), paths);
  LocalFree(argv);
  return 1;
}
