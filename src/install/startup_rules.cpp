// Start-up decisions: text 86's language id, interface and target languages, variant defaults.
#include "startup_rules.h"

#include "text/gstring.h"

namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

int ScanHexNumber(const char16_t* text, uint32_t* value) {
  if (!text) return 0;
  const char16_t* p = text;
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == u'+' || *p == u'-') negative = *p++ == u'-';
  if (p[0] == u'0' && (p[1] == u'x' || p[1] == u'X') && HexDigit(p[2]) >= 0) p += 2;
  if (HexDigit(*p) < 0) return 0;
  uint32_t n = 0;
  for (int d; (d = HexDigit(*p)) >= 0; ++p) n = n * 16 + uint32_t(d);
  if (value) *value = negative ? 0u - n : n;
  return 1;
}

uint32_t UiLanguageFor(uint16_t userLanguageId) {
  return userLanguageId == kUiLanguage1Id ? 1 : 0;
}

uint16_t TargetLanguageFor(int osVersion, uint16_t userLanguageId, uint16_t defaultLanguageId) {
  return osVersion >= 60 ? userLanguageId : defaultLanguageId;
}

uint32_t Option1200For(int osVersion, uint32_t option1200) {
  return osVersion < 51 ? 0 : option1200;
}

int LayoutVariantFor(GString& key, GString& variant0, GString& variant1, GString& variant2) {
  GString* variants[] = {&variant0, &variant1, &variant2};
  for (int v = 0; v < 3; ++v) {
    if (variants[v]->Find(key) >= 0) return v;
  }
  return 0;
}

int KeypadDecimalFor(const char16_t* separator, int length) {
  return length == 1 && separator && separator[0] == u',' ? 0 : 1;
}
