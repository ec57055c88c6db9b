// The path catalogue's indices and the joining of this installation's entries
// from the special folders, the texts and the program's own path.
#pragma once

#include "text/gstring.h"

constexpr int kPathCount = 36;

// What the odd entries are built from. The texts are those of the StringIds named.
struct PathSources {
  GString programFiles;    // special folder: program files
  GString commonPrograms;  // special folder: common programs
  GString commonDesktop;   // special folder: common desktop
  GString outerFolder;     // 9
  GString installFolder;   // 10
  GString firstDocName;    // 22
  GString firstDocTag;     // 23
  GString secondDocName;   // 30
  GString docExt;          // 42
  GString shortcutExt;     // 43
  GString linkExt;         // 44
  GString pointerExt;      // 46
  GString ownShortcutFormat;  // 48
  GString pointerName;     // 70
  GString linkName;        // 71
  GString localFileName;   // 80
  GString displayName;     // 81
};

// Builds entries 2 to 5 and the odd entries 7 to 29 of paths.
void BuildInstallPaths(const PathSources& in, GString* paths);

// Builds entries 30, 31, 33 and 35 from the program's own path (entry 3 and 5 built already).
void BuildProgramPaths(const PathSources& in, const char16_t* ownPath, GString* paths);
