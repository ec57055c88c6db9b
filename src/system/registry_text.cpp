// Registry access by StringId: fetches key and value names from the texts, then works by name.
#include <windows.h>

#include "install/install_base.h"

HKEY CInstallBase::OpenKey(HKEY root, StringId name, uint32_t access) {
  if (!GetText(name, scratchText)) return nullptr;
  return OpenKey(root, scratchText.WideText(0), access);
}

HKEY CInstallBase::CreateKey(HKEY root, StringId name, uint32_t access) {
  if (!GetText(name, scratchText)) return nullptr;
  return CreateKey(root, scratchText.WideText(0), access);
}

int CInstallBase::SetBinaryValue(HKEY key, StringId name, const void* bytes, uint32_t count) {
  if (!GetText(name, scratchText)) return 0;
  return SetBinaryValue(key, scratchText.WideText(0), bytes, count);
}

unsigned char* CInstallBase::QueryBinaryValue(HKEY key, StringId name, uint32_t& count) {
  if (!GetText(name, scratchText)) return nullptr;
  return QueryBinaryValue(key, scratchText.WideText(0), count);
}

int CInstallBase::SetDwordValue(HKEY key, StringId name, uint32_t value) {
  if (!GetText(name, scratchText)) return 0;
  return SetDwordValue(key, scratchText.WideText(0), value);
}

int CInstallBase::QueryDwordValue(HKEY key, StringId name, uint32_t& value) {
  if (!GetText(name, scratchText)) return 0;
  return QueryDwordValue(key, scratchText.WideText(0), value);
}

int CInstallBase::QueryStringValue(HKEY key, StringId name, GString& text) {
  if (!GetText(name, scratchText)) return 0;
  return QueryStringValue(key, scratchText.WideText(0), text);
}

int CInstallBase::DeleteValue(HKEY key, StringId name) {
  if (!GetText(name, scratchText)) return 0;
  return DeleteValue(key, scratchText.WideText(0));
}

// The string-value helpers keep their names in texts of their own, so that a
// caller may pass scratchText as the value.
int CInstallBase::SetStringValue(HKEY key, StringId name, GString& text) {
  GString valueName;
  if (!GetText(name, valueName)) return 0;
  return SetStringValue(key, valueName.WideText(0), text);
}

int CInstallBase::SetStringValue(HKEY key, StringId name, StringId value) {
  GString valueName;
  GString text;
  if (!GetText(name, valueName) || !GetText(value, text)) return 0;
  return SetStringValue(key, valueName.WideText(0), text);
}

int CInstallBase::StringValueEquals(HKEY key, StringId name, const GString& text) {
  GString valueName;
  if (!GetText(name, valueName)) return 0;
  return StringValueEquals(key, valueName.WideText(0), text);
}

int CInstallBase::DeleteKey(HKEY key, StringId name) {
  if (!GetText(name, scratchText)) return 0;
  return RegDeleteKeyW(key, ToWchar(scratchText.WideText(0))) == ERROR_SUCCESS;
}

int CInstallBase::SetMachineStringValue(StringId subKey, StringId name, StringId value) {
  // Opens, never creates: the value goes only into a key that exists.
  HKEY key = OpenKey(HKEY_LOCAL_MACHINE, subKey, KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  if (key == nullptr) return 0;
  const int stored = SetStringValue(key, name, value);
  RegCloseKey(key);
  return stored;
}
