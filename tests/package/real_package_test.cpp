// The Package as linked into the program: the four string records decode and
// texts are found in both interface languages (natively and under Wine).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "install/install_base.h"
#include "package/record.h"
#include "package/records.h"

namespace {

// Loads the texts the way the installer's initialisation does.
class PackageInstaller : public CInstallBase {
 public:
  const TextRecord* LookupText(StringId id) override {
    const TextRecord* text = CInstallBase::LookupText(id);
    return text != nullptr ? text : installerTexts.FindText(id);
  }

  bool LoadTexts() {
    if (!guard.Load(kGuardBlock, kGuardBlockLength)) return false;
    return Fill(baseTexts, kBaseTextsRecord) && Fill(installerTexts, kInstallerTextsRecord) &&
           Fill(languageTexts[0], kLanguageTextsRecords[0]) &&
           Fill(languageTexts[1], kLanguageTextsRecords[1]);
  }

  std::u16string Text(StringId id) {
    GString text;
    if (!GetText(id, text)) return u"<missing>";
    return std::u16string(text.WideText(), static_cast<std::size_t>(text.Length));
  }

  StringTable installerTexts;

 private:
  bool Fill(StringTable& table, const StoredRecord& record) {
    std::uint32_t size = record.size;
    std::uint32_t count = 0;
    unsigned char* content = ExtractRecord(guard, record.data, &size, &count);
    if (content == nullptr) return false;
    if (table.SetData(content, size, count)) return true;
    std::free(content);
    return false;
  }
};

TEST(RealPackage, TextsOfBothLanguagesAndAllTables) {
  PackageInstaller installer;
  ASSERT_TRUE(installer.LoadTexts());
  struct Case {
    std::uint32_t language;
    StringId id;
    const char16_t* expected;
  } const cases[] = {
      {0, 98, u"Cancel"},
      {1, 98, u"Anuluj"},
      {0, 0, u"Kreska Keyboard Layout"},
      {1, 0, u"Układ klawiatury Kreska"},
      {1, 182, u"Strzałka w górę"},
      {0, 3, u"SYSTEM\\CurrentControlSet\\Control\\Keyboard Layouts"},  // base table
      {1, 83, u"kbdkrska.dll"},
      {0, 85, u"a0010415"},
      {1, 87, u"0a15"},
      {1, 56, u"Wow64DisableWow64FsRedirection"},  // installer table
      {0, 49, u"control.exe intl.cpl,,/f:\"%s\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "language " << c.language << ", text " << c.id);
    ASSERT_EQ(installer.SetUiLanguage(c.language), 1);
    EXPECT_EQ(installer.Text(c.id), c.expected);
  }
}

TEST(RealPackage, LicencesExtractInBothLanguages) {
  CGuard guard;
  ASSERT_EQ(guard.Load(kGuardBlock, kGuardBlockLength), 1);
  const char* const starts[2] = {"Kreska keyboard layout", "Układ klawiatury Kreska"};
  for (int language = 0; language < 2; ++language) {
    SCOPED_TRACE(language);
    std::uint32_t size = kLicenceRecords[language].size;
    unsigned char* text = ExtractRecord(guard, kLicenceRecords[language].data, &size, nullptr);
    ASSERT_NE(text, nullptr);
    const std::string start(starts[language]);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text), start.size()), start);
    std::free(text);
  }
}

}  // namespace
