// Setup options with a default decided at start-up: layout variant and keypad decimal.
#include <windows.h>

#include "install/install.h"
#include "install/startup_rules.h"

int CInstall::DecideLayoutVariant() {
  if (layoutVariant >= 0) return layoutVariant;
  layoutVariant = 0;
  GString key, variant0, variant1, variant2;
  GetText(88, key);
  GetText(113, variant0);
  GetText(114, variant1);
  GetText(115, variant2);
  layoutVariant = LayoutVariantFor(key, variant0, variant1, variant2);
  return layoutVariant;
}

int CInstall::SetLayoutVariant(int variant) {
  if (variant >= 0 && variant <= 2) layoutVariant = variant;
  return variant;
}

int CInstall::DecideKeypadDecimal() {
  if (keypadDecimal >= 0) return keypadDecimal;
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, nullptr, 0);
  if (length <= 0) return -1;
  GString separator;
  char16_t* buffer = separator.WideWriteBuffer(length);
  if (!buffer || GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ToWchar(buffer), length) <= 0) {
    return -1;
  }
  separator.SetLength(-1);
  keypadDecimal = KeypadDecimalFor(separator.WideText(), separator.Length);
  return keypadDecimal;
}

int CInstall::SetKeypadDecimal(int setting) {
  if (setting == 0 || setting == 1) keypadDecimal = setting;
  return setting;
}
