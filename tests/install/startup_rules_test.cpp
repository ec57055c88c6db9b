// Start-up decisions: text 86's hexadecimal scan, languages, option 1200, variant defaults.
#include <gtest/gtest.h>

#include "install/startup_rules.h"
#include "text/gstring.h"

namespace {

TEST(StartupRules, ScanHexNumber) {
  struct Case {
    const char16_t* text;
    int converted;
    uint32_t value;
  };
  const Case cases[] = {
      {u"415", 1, 0x415},          {u"0415", 1, 0x415},        {u"  4a5f", 1, 0x4A5F},
      {u"0x409", 1, 0x409},        {u"12345", 1, 0x12345},     {u"409 junk", 1, 0x409},
      {u"123456789AB", 1, 0x456789AB}, {u"-1", 1, 0xFFFFFFFF}, {u"", 0, 7},
      {u"Polish", 0, 7},           {u"  ", 0, 7},              {u"-", 0, 7},
  };
  for (const Case& c : cases) {
    uint32_t value = 7;
    EXPECT_EQ(c.converted, ScanHexNumber(c.text, &value));
    EXPECT_EQ(c.value, value);
  }
  EXPECT_EQ(0, ScanHexNumber(nullptr, nullptr));
  // Only the low 16 bits make the language id.
  uint32_t value = 0;
  ASSERT_EQ(1, ScanHexNumber(u"12345", &value));
  EXPECT_EQ(0x2345, uint16_t(value));
}

TEST(StartupRules, Languages) {
  EXPECT_EQ(1u, UiLanguageFor(1045));
  EXPECT_EQ(0u, UiLanguageFor(1033));
  EXPECT_EQ(0u, UiLanguageFor(0));
  EXPECT_EQ(0x415, TargetLanguageFor(52, 0x409, 0x415));
  EXPECT_EQ(0x409, TargetLanguageFor(60, 0x409, 0x415));
  EXPECT_EQ(0x409, TargetLanguageFor(100, 0x409, 0x415));
  EXPECT_EQ(0u, Option1200For(50, 1));
  EXPECT_EQ(1u, Option1200For(51, 1));
  EXPECT_EQ(0u, Option1200For(61, 0));
}

TEST(StartupRules, LayoutVariantIsTheFirstNameHoldingTheKey) {
  GString v0, v1, v2, key;
  v0.AssignWide(u"Standard");
  v1.AssignWide(u"Programmer (ANSI)");
  v2.AssignWide(u"Programmer (ISO)");
  struct Case {
    const char16_t* key;
    int variant;
  };
  const Case cases[] = {{u"ISO", 2}, {u"Programmer", 1}, {u"Standard", 0}, {u"iso", 0}, {u"none", 0}};
  for (const Case& c : cases) {
    key.AssignWide(c.key);
    EXPECT_EQ(c.variant, LayoutVariantFor(key, v0, v1, v2));
  }
}

TEST(StartupRules, KeypadDecimal) {
  EXPECT_EQ(0, KeypadDecimalFor(u",", 1));
  EXPECT_EQ(1, KeypadDecimalFor(u".", 1));
  EXPECT_EQ(1, KeypadDecimalFor(u",,", 2));
  EXPECT_EQ(1, KeypadDecimalFor(u"", 0));
}

}  // namespace
