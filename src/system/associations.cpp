// Associations: which program the shell starts for an association key.
#include <windows.h>
#include <shlwapi.h>

#include "install/install_base.h"

namespace {

constexpr DWORD kProgramChars = 2048;

}  // namespace

int CInstallBase::FindAssociatedProgram(StringId association, GString& program) {
  program.AssignWide(u"", 0);
  GString key;
  if (!GetText(association, key)) return 0;
  char16_t* buffer = program.WideWriteBuffer(int(kProgramChars));
  if (buffer == nullptr) return 0;
  buffer[0] = 0;
  DWORD count = kProgramChars;
  const HRESULT result = AssocQueryStringW(0, ASSOCSTR_EXECUTABLE, ToWchar(key.WideText(0)),
                                           nullptr, ToWchar(buffer), &count);
  if (FAILED(result)) return 0;
  program.SetLength(-1);
  return 1;
}

int CInstallBase::AssociatedProgramContains(StringId association, StringId text) {
  GString program;
  char16_t* buffer = program.WideWriteBuffer(int(kProgramChars));
  if (buffer == nullptr) return 0;
  GString key;
  GetText(association, key);  // a missing text asks for the empty key
  buffer[0] = 0;
  DWORD capacity = kProgramChars;
  DWORD count = capacity;
  HRESULT result = AssocQueryStringW(0, ASSOCSTR_EXECUTABLE, ToWchar(key.WideText(0)), nullptr,
                                     ToWchar(buffer), &count);
  if (result == E_POINTER && count > capacity) {
    // Too small: the answer carries the size that is needed.
    buffer = program.WideWriteBuffer(int(count));
    if (buffer == nullptr) return 0;
    capacity = count;
  }
  buffer[0] = 0;
  count = capacity;
  result = AssocQueryStringW(0, ASSOCSTR_EXECUTABLE, ToWchar(key.WideText(0)), nullptr,
                             ToWchar(buffer), &count);
  if (FAILED(result)) return 0;
  program.SetLength(-1);
  // Only the path is upper-cased: the searched text matches only in upper case.
  if (!program.MakeUpper()) return 0;
  GString searched;
  if (!GetText(text, searched)) return 0;
  return program.Find(searched, 0) >= 0 ? 1 : 0;
}
