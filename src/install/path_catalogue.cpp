// Joins this installation's paths: a backslash join for names, plain appends for extensions.
#include "path_catalogue.h"

namespace {

// base \ name + extension
void Join(GString& entry, const GString& base, const GString& name, const GString& extension) {
  entry.Assign(base);
  entry.AppendPath(name);
  entry.Append(extension);
}

}  // namespace

void BuildInstallPaths(const PathSources& in, GString* paths) {
  // The first document's name: text 22 " (" text 23 ")".
  GString doc;
  doc.Assign(in.firstDocName);
  doc.AppendText(u" (");
  doc.Append(in.firstDocTag);
  doc.AppendText(u")");

  const GString none;
  Join(paths[2], in.programFiles, in.outerFolder, none);
  Join(paths[3], paths[2], in.installFolder, none);
  Join(paths[4], in.commonPrograms, in.outerFolder, none);
  Join(paths[5], paths[4], in.installFolder, none);
  Join(paths[7], paths[3], doc, in.docExt);
  Join(paths[9], paths[5], doc, in.shortcutExt);
  Join(paths[11], in.commonDesktop, doc, in.shortcutExt);
  Join(paths[13], paths[3], in.secondDocName, in.docExt);
  Join(paths[15], paths[5], in.secondDocName, in.shortcutExt);
  Join(paths[17], in.commonDesktop, in.secondDocName, in.shortcutExt);
  Join(paths[19], paths[3], in.linkName, in.linkExt);
  Join(paths[21], paths[5], in.linkName, in.shortcutExt);
  Join(paths[23], in.commonDesktop, in.linkName, in.shortcutExt);
  Join(paths[25], paths[5], in.pointerName, in.pointerExt);
  Join(paths[27], in.commonDesktop, in.pointerName, in.pointerExt);
  Join(paths[29], paths[3], in.localFileName, none);
}

void BuildProgramPaths(const PathSources& in, const char16_t* ownPath, GString* paths) {
  paths[30].AssignWide(ownPath);

  GString fileName;
  fileName.Assign(paths[30]);
  const int slash = fileName.FindLast(u'\\');
  if (slash >= 0) fileName.DropFront(slash + 1);
  Join(paths[33], paths[3], fileName, GString());

  paths[31].Format(in.ownShortcutFormat.WideText(), in.displayName.WideText());
  Join(paths[35], paths[5], paths[31], in.shortcutExt);
}
