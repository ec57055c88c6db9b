// Text lookup through the installer object: language table, then base, then installer; UTF-16 out.
#include "install/install_base.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "packager/text_source.h"

namespace {

// The installer adds its own table behind the base table, as the real one does.
class TestInstaller : public CInstallBase {
 public:
  const TextRecord* LookupText(StringId id) override {
    const TextRecord* text = CInstallBase::LookupText(id);
    return text != nullptr ? text : installerTexts.FindText(id);
  }
  void ReleaseTexts() override {
    CInstallBase::ReleaseTexts();
    installerTexts.Clear();
  }
  StringTable installerTexts;
};

void Fill(StringTable& table, const std::vector<std::pair<StringId, std::string>>& texts) {
  std::vector<TextEntry> entries;
  for (const auto& text : texts) {
    TextEntry entry;
    entry.id = text.first;
    entry.text = text.second;
    entries.push_back(entry);
  }
  const auto bytes = SerializeTable(entries);
  auto* buffer = static_cast<unsigned char*>(std::malloc(bytes.size()));
  std::memcpy(buffer, bytes.data(), bytes.size());
  ASSERT_EQ(table.SetData(buffer, static_cast<std::uint32_t>(bytes.size()),
                          static_cast<std::uint32_t>(entries.size())),
            1);
}

std::u16string Get(CInstallBase& installer, StringId id, int* result = nullptr) {
  GString text;
  const int got = installer.GetText(id, text);
  if (result) *result = got;
  if (got) {
    EXPECT_TRUE(text.Wide) << "text " << id;
  }
  return std::u16string(text.WideText(), static_cast<std::size_t>(text.Length));
}

class TextLookupTest : public testing::Test {
 protected:
  void SetUp() override {
    Fill(installer_.languageTexts[0], {{1, "en one"}, {4, "en four"}});
    Fill(installer_.languageTexts[1], {{1, "pl jeden"}, {5, "pl pięć"}});
    Fill(installer_.baseTexts, {{1, "base one"}, {2, "base two"}, {4, "base four"}, {5, "base five"}});
    Fill(installer_.installerTexts, {{2, "installer two"}, {3, "installer three"}});
  }
  TestInstaller installer_;
};

TEST_F(TextLookupTest, LanguageThenBaseThenInstaller) {
  struct Case {
    std::uint32_t language;
    StringId id;
    const char16_t* expected;
  } const cases[] = {
      {0, 1, u"en one"},          {1, 1, u"pl jeden"},          {0, 4, u"en four"},
      {1, 4, u"base four"},       {0, 5, u"base five"},         {1, 5, u"pl pięć"},
      {0, 2, u"base two"},        {1, 2, u"base two"},          {0, 3, u"installer three"},
      {1, 3, u"installer three"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "language " << c.language << ", text " << c.id);
    ASSERT_EQ(installer_.SetUiLanguage(c.language), 1);
    int result = 0;
    EXPECT_EQ(Get(installer_, c.id, &result), c.expected);
    EXPECT_EQ(result, 1);
  }
}

TEST_F(TextLookupTest, MissingTextGivesZeroAndAnEmptyTarget) {
  GString text;
  text.AssignWide(u"left over");
  EXPECT_EQ(installer_.GetText(99, text), 0);
  EXPECT_EQ(text.Length, 0);
}

TEST_F(TextLookupTest, Utf8RecordBecomesUtf16) {
  Fill(installer_.baseTexts, {{7, "Zażółć gęślą jaźń \xE2\x82\xAC"}});
  EXPECT_EQ(Get(installer_, 7), u"Zażółć gęślą jaźń €");
}

TEST_F(TextLookupTest, LanguageIndexAboveOneIsRefused) {
  ASSERT_EQ(installer_.SetUiLanguage(1), 1);
  EXPECT_EQ(installer_.SetUiLanguage(2), 0);
  EXPECT_EQ(installer_.uiLanguage, 1u);
  EXPECT_EQ(Get(installer_, 1), u"pl jeden");
}

TEST_F(TextLookupTest, ReleasedTextsAreGoneButCopiesStay) {
  GString kept;
  ASSERT_EQ(installer_.GetText(1, kept), 1);
  installer_.ReleaseTexts();
  int result = 1;
  EXPECT_EQ(Get(installer_, 1, &result), u"");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Get(installer_, 3, &result), u"");
  EXPECT_EQ(std::u16string(kept.WideText()), u"en one");
}

// A string record is data: with any one byte of it damaged, the table is
// either refused or every lookup stays inside it (the sanitizers watch).
TEST(TextLookup, DamagedTableIsRefusedOrReadSafely) {
  std::vector<TextEntry> entries;
  for (StringId id : {3u, 17u, 93u, 0x80000000u}) {
    TextEntry entry;
    entry.id = id;
    entry.text = "text " + std::to_string(id) + " ż";
    entries.push_back(entry);
  }
  const auto bytes = SerializeTable(entries);
  int refused = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    for (unsigned char flip : {0x01, 0x80}) {
      auto damaged = bytes;
      damaged[i] ^= flip;
      auto* buffer = static_cast<unsigned char*>(std::malloc(damaged.size()));
      std::memcpy(buffer, damaged.data(), damaged.size());
      CInstallBase installer;
      if (!installer.baseTexts.SetData(buffer, static_cast<std::uint32_t>(damaged.size()), 4)) {
        std::free(buffer);
        ++refused;
        continue;
      }
      for (const TextEntry& entry : entries) {
        for (StringId id : {entry.id, entry.id ^ flip}) {
          GString text;
          if (installer.GetText(id, text)) {
            EXPECT_TRUE(text.Wide);
            EXPECT_LE(static_cast<std::size_t>(text.Length), damaged.size());
          }
        }
      }
    }
  }
  EXPECT_GT(refused, 0);
}

TEST(InstallBase, StartValues) {
  CInstallBase base;
  EXPECT_EQ(base.module, nullptr);
  EXPECT_FALSE(base.guard.IsLoaded());
  EXPECT_EQ(base.baseTexts.Count(), 0);
  EXPECT_EQ(base.wizardStep, 0);
  EXPECT_EQ(base.osVersion, 0);
  EXPECT_EQ(base.uiLanguage, 0u);
  EXPECT_EQ(base.is64BitOs, 0u);
  EXPECT_EQ(base.processorArchitecture, 0xFFFF);
  EXPECT_EQ(base.OwnerWindow(), nullptr);
  int marker = 0;
  EXPECT_EQ(base.Initialize(reinterpret_cast<ModuleHandle>(&marker)), 1);
  EXPECT_EQ(base.module, reinterpret_cast<ModuleHandle>(&marker));
}

}  // namespace
