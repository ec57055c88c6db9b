// Start-up decisions on plain numbers and texts: language ids and the default
// layout variant and keypad decimal setting.
#pragma once

#include <cstdint>

class GString;

// Reads a hexadecimal number as a "%X" scan does: leading white space, an
// optional sign and "0x" prefix, then digits, kept modulo 2^32. Returns 1 when
// a number was converted (stored in value), else 0 and value is untouched.
int ScanHexNumber(const char16_t* text, uint32_t* value);

// The language id of the user for whom interface language 1 is the default.
constexpr uint16_t kUiLanguage1Id = 1045;
uint32_t UiLanguageFor(uint16_t userLanguageId);

// The language the layout is added to: the user's own from version 6.0 on.
uint16_t TargetLanguageFor(int osVersion, uint16_t userLanguageId, uint16_t defaultLanguageId);

// Option 1200 is offered from version 5.1 on.
uint32_t Option1200For(int osVersion, uint32_t option1200);

// The first variant whose name contains key (case-sensitive), or 0.
int LayoutVariantFor(GString& key, GString& variant0, GString& variant1, GString& variant2);

// 0 when the decimal separator is exactly ",", else 1.
int KeypadDecimalFor(const char16_t* separator, int length);
