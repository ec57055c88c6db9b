// String tables: ownership on SetData, unsigned binary search, and malformed records rejected.
#include "package/string_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "package/byte_order.h"
#include "packager/text_source.h"

namespace {

unsigned char* Copy(const std::vector<unsigned char>& bytes) {
  auto* buffer = static_cast<unsigned char*>(std::malloc(bytes.size() ? bytes.size() : 1));
  if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
  return buffer;
}

std::vector<unsigned char> Table(const std::vector<std::pair<StringId, std::string>>& texts) {
  std::vector<TextEntry> entries;
  for (const auto& text : texts) {
    TextEntry entry;
    entry.id = text.first;
    entry.text = text.second;
    entries.push_back(entry);
  }
  return SerializeTable(entries);
}

std::string TextOf(const TextRecord* record) {
  if (record == nullptr) return "<none>";
  return std::string(reinterpret_cast<const char*>(record->Chars()), record->Count());
}

TEST(StringTable, EmptyTableFindsNothing) {
  StringTable table;
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.FindText(0), nullptr);
}

TEST(StringTable, NullBufferOrZeroCountKeepsTheOldContent) {
  StringTable table;
  const auto bytes = Table({{5, "five"}});
  ASSERT_EQ(table.SetData(Copy(bytes), static_cast<std::uint32_t>(bytes.size()), 1), 1);
  EXPECT_EQ(table.SetData(nullptr, 100, 1), 0);
  unsigned char* mine = Copy(bytes);
  EXPECT_EQ(table.SetData(mine, static_cast<std::uint32_t>(bytes.size()), 0), 0);
  std::free(mine);  // still the caller's
  EXPECT_EQ(TextOf(table.FindText(5)), "five");
}

TEST(StringTable, OneEntryFindsOnlyItself) {
  StringTable table;
  const auto bytes = Table({{93, "caption"}});
  ASSERT_EQ(table.SetData(Copy(bytes), static_cast<std::uint32_t>(bytes.size()), 1), 1);
  EXPECT_EQ(TextOf(table.FindText(93)), "caption");
  for (StringId other : {0u, 92u, 94u, 0xFFFFFFFFu}) EXPECT_EQ(table.FindText(other), nullptr);
  table.Clear();
  EXPECT_EQ(table.FindText(93), nullptr);
  EXPECT_EQ(table.Count(), 0);
}

// Ids of 0x80000000 and above sort after every smaller id, as unsigned numbers.
TEST(StringTable, HighIdsSortLastAndAreFound) {
  const std::vector<std::pair<StringId, std::string>> texts = {
      {0xFFFFFFFFu, "max"}, {0x80000000u, "high"}, {0, "zero"}, {0x7FFFFFFFu, "signed max"},
      {1, "one"},           {162, "key"},          {0x80000001u, "high+1"}};
  const auto bytes = Table(texts);
  std::vector<StringId> order;
  for (std::size_t i = 0; i < texts.size(); ++i) order.push_back(ReadLittle32(&bytes[i * 8]));
  EXPECT_EQ(order, (std::vector<StringId>{0, 1, 162, 0x7FFFFFFFu, 0x80000000u, 0x80000001u,
                                          0xFFFFFFFFu}));
  StringTable table;
  ASSERT_EQ(table.SetData(Copy(bytes), static_cast<std::uint32_t>(bytes.size()),
                          static_cast<std::uint32_t>(texts.size())),
            1);
  for (const auto& text : texts) EXPECT_EQ(TextOf(table.FindText(text.first)), text.second);
  EXPECT_EQ(table.FindText(2), nullptr);
  EXPECT_EQ(table.FindText(0x80000002u), nullptr);
}

// Records are data: a table whose entries or texts run past its buffer is
// refused whole, so no lookup can read outside it.
TEST(StringTable, MalformedTablesAreRefused) {
  const auto good = Table({{1, "one"}, {2, "two"}, {3, "three"}});
  const std::uint32_t size = static_cast<std::uint32_t>(good.size());
  const std::uint32_t textArea = 3 * 8;
  struct Case {
    const char* what;
    std::uint32_t wordOffset;  // a 32-bit word to overwrite, or ~0u for none
    std::uint32_t value;
    std::uint32_t size;
    std::uint32_t count;
  } const cases[] = {
      {"count larger than the buffer holds", ~0u, 0, size, size / 8 + 1},
      {"count far too large", ~0u, 0, size, 0x20000000u},
      {"entries out of order", 8, 0, size, 3},
      {"the same id twice", 8, 1, size, 3},
      {"offset past the text area", 4, size, size, 3},
      {"offset leaves no room for a header", 20, size - textArea - 3, size, 3},
      {"8-bit length past the buffer", textArea, 0x80000000u | 100, size, 3},
      {"UTF-16 length past the buffer", textArea, 40, size, 3},
      {"buffer cut short", ~0u, 0, size - 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto bytes = good;
    if (c.wordOffset != ~0u) WriteLittle32(&bytes[c.wordOffset], c.value);
    unsigned char* buffer = Copy(bytes);
    StringTable table;
    EXPECT_EQ(table.SetData(buffer, c.size, c.count), 0);
    EXPECT_EQ(table.FindText(1), nullptr);
    std::free(buffer);
  }
  StringTable table;
  EXPECT_EQ(table.SetData(Copy(good), size, 3), 1);  // the unchanged table is fine
}

TEST(StringTable, Utf16TextsAreAccepted) {
  // One entry, a UTF-16 record of 2 units: "hi".
  std::vector<unsigned char> bytes(8 + 4 + 4, 0);
  WriteLittle32(&bytes[0], 7);
  WriteLittle32(&bytes[4], 0);
  WriteLittle32(&bytes[8], 2);
  bytes[12] = 'h';
  bytes[14] = 'i';
  StringTable table;
  ASSERT_EQ(table.SetData(Copy(bytes), static_cast<std::uint32_t>(bytes.size()), 1), 1);
  const TextRecord* text = table.FindText(7);
  ASSERT_NE(text, nullptr);
  EXPECT_FALSE(text->IsNarrow());
  EXPECT_EQ(text->Count(), 2);
}

}  // namespace
