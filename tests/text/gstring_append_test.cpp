// Tests of GString assignment, appending, text records and self-appends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gstring.h"

namespace {

std::u16string Wide(const GString& s) {
  return std::u16string(s.WideText(0), size_t(s.Length));
}

std::string Narrow(const GString& s) {
  return std::string(s.NarrowText(0), size_t(s.Length));
}

// A record placed at an odd offset, as records sit inside package data.
std::vector<unsigned char> Record(uint32_t header, const void* chars, size_t bytes) {
  std::vector<unsigned char> data(1 + 4 + bytes);
  StoreTextHeader(data.data() + 1, (header & TextRecord::kNarrowFlag) != 0, header);
  data[4] |= uint8_t(header >> 24 & 0x60);  // bits 29, 30 as given
  memcpy(data.data() + 5, chars, bytes);
  return data;
}

const TextRecord* At(const std::vector<unsigned char>& data) {
  return reinterpret_cast<const TextRecord*>(data.data() + 1);
}

TEST(GStringAppend, AppendsKeepWidthAndRefuseTheOther) {
  GString wide;
  ASSERT_TRUE(wide.AssignWide(u"ab"));
  GString narrow;
  ASSERT_TRUE(narrow.AssignNarrow("ab"));

  EXPECT_EQ(narrow.AppendWide(u"x"), 0);
  EXPECT_EQ(narrow.AppendChar(u'x'), 0);
  EXPECT_EQ(wide.AppendNarrow("x"), 0);
  EXPECT_EQ(Narrow(narrow), "ab");
  EXPECT_EQ(Wide(wide), u"ab");

  // Empty and null texts are no error, whatever the width.
  EXPECT_EQ(narrow.AppendWide(nullptr), 1);
  EXPECT_EQ(narrow.AppendWide(u"", -1), 1);
  EXPECT_EQ(wide.AppendNarrow(nullptr, 5), 1);
  EXPECT_EQ(wide.AppendNarrow("xyz", 0), 1);

  EXPECT_EQ(wide.AppendWide(u"cdef", 2), 1);
  EXPECT_EQ(narrow.AppendNarrow("cdef", 2), 1);
  EXPECT_EQ(Wide(wide), u"abcd");
  EXPECT_EQ(Narrow(narrow), "abcd");
  EXPECT_EQ(wide.AppendNewLine(), 1);
  EXPECT_EQ(narrow.AppendNewLine(), 1);
  EXPECT_EQ(Wide(wide), u"abcd\r\n");
  EXPECT_EQ(Narrow(narrow), "abcd\r\n");
}

TEST(GStringAppend, AppendOfEitherWidthConverts) {
  struct Case {
    bool targetWide;
    bool sourceWide;
  };
  for (const Case c : {Case{true, true}, Case{true, false}, Case{false, true}, Case{false, false}}) {
    GString target;
    GString source;
    ASSERT_TRUE(c.targetWide ? target.AssignWide(u"k\u00F3") : target.AssignNarrow("k\xC3\xB3"));
    ASSERT_TRUE(c.sourceWide ? source.AssignWide(u"\u20AC!") : source.AssignNarrow("\xE2\x82\xAC!"));
    ASSERT_EQ(target.Append(source), 1) << c.targetWide << c.sourceWide;
    EXPECT_EQ(target.Wide, c.targetWide ? 1u : 0u);
    if (c.targetWide) {
      EXPECT_EQ(Wide(target), u"k\u00F3\u20AC!");
    } else {
      EXPECT_EQ(Narrow(target), "k\xC3\xB3\xE2\x82\xAC!");
    }
  }
}

TEST(GStringAppend, RepeatsAcrossWidthsOnlyFor7BitCharacters) {
  GString narrow;
  EXPECT_EQ(narrow.AppendCharRepeat(0x20AC, 2), 0);
  EXPECT_EQ(narrow.Length, 0);
  EXPECT_EQ(narrow.AppendCharRepeat(u'x', 0), 1);
  EXPECT_EQ(narrow.AppendCharRepeat(0, 4), 1);
  EXPECT_EQ(narrow.Buffer, nullptr);
  EXPECT_EQ(narrow.AppendCharRepeat(u'x', 3), 1);
  EXPECT_EQ(Narrow(narrow), "xxx");

  GString wide(u'y', 1);
  EXPECT_EQ(wide.AppendByteRepeat(0xE9, 2), 0);
  EXPECT_EQ(wide.AppendByteRepeat('z', 2), 1);
  EXPECT_EQ(wide.AppendCharRepeat(0x20AC, 2), 1);
  EXPECT_EQ(Wide(wide), u"yzz\u20AC\u20AC");
}

TEST(GStringAppend, AssignmentsEmptyFirstAndKeepBuffer) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow(std::string(100, 'q').c_str()));
  const unsigned char* buffer = s.Buffer;
  const int allocated = s.Allocated;
  ASSERT_TRUE(s.DropFront(5));

  ASSERT_TRUE(s.AssignWide(u"w"));
  EXPECT_EQ(Wide(s), u"w");
  EXPECT_EQ(s.Start, 0);
  ASSERT_TRUE(s.AssignNarrow(""));
  EXPECT_EQ(s.Wide, 0u);
  EXPECT_EQ(s.Length, 0);
  EXPECT_EQ(s.Buffer, buffer);
  EXPECT_EQ(s.Allocated, allocated);
}

TEST(GStringAssign, AssignTakesWidthAndAsFormsConvert) {
  GString wide;
  ASSERT_TRUE(wide.AssignWide(u"\u00E9t\u00E9"));
  GString narrow;
  ASSERT_TRUE(narrow.AssignNarrow("\xC3\xA9t\xC3\xA9"));

  GString s;
  ASSERT_TRUE(s.Assign(wide));
  EXPECT_EQ(Wide(s), u"\u00E9t\u00E9");
  ASSERT_TRUE(s.Assign(narrow));
  EXPECT_EQ(Narrow(s), "\xC3\xA9t\xC3\xA9");
  ASSERT_TRUE(s.AssignAsWide(&narrow));
  EXPECT_EQ(Wide(s), u"\u00E9t\u00E9");
  ASSERT_TRUE(s.AssignAsNarrow(&wide));
  EXPECT_EQ(Narrow(s), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(s.AssignAsWide(nullptr), 0);
  EXPECT_EQ(s.AssignAsNarrow(nullptr), 0);

  GString bad;
  ASSERT_TRUE(bad.AssignNarrow("a\xC3"));
  EXPECT_EQ(s.AssignAsWide(&bad), 0);
  EXPECT_EQ(s.Wide, 1u);
  EXPECT_EQ(s.Length, 0);
}

TEST(GStringAssign, SelfAssignmentsKeepTheText) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow("self"));
  EXPECT_EQ(s.Assign(s), 1);
  EXPECT_EQ(Narrow(s), "self");
  EXPECT_EQ(s.AssignAsWide(&s), 1);
  EXPECT_EQ(Wide(s), u"self");
  EXPECT_EQ(s.AssignWide(s.WideText(1)), 1);
  EXPECT_EQ(Wide(s), u"elf");
  EXPECT_EQ(s.AssignAsNarrow(&s), 1);
  EXPECT_EQ(Narrow(s), "elf");
}

TEST(GStringAppend, AppendingOwnTextSurvivesGrowth) {
  GString wide;
  ASSERT_TRUE(wide.AssignWide(u"0123456789012345678901234"));  // 25 of 29 units
  ASSERT_TRUE(wide.Append(wide));                              // grows the buffer
  EXPECT_EQ(Wide(wide), u"01234567890123456789012340123456789012345678901234");

  GString narrow;
  ASSERT_TRUE(narrow.AssignNarrow("abcdefghij"));
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(narrow.AppendNarrow(narrow.NarrowText(0), narrow.Length));
  EXPECT_EQ(narrow.Length, 160);
  EXPECT_EQ(Narrow(narrow).substr(150), "abcdefghij");

  // Text in the dropped front region, which compacting overwrites: 30 bytes
  // do not fit behind Start 155 of 188 slots, so the text moves to slot 0.
  const char* dropped = narrow.NarrowText(0);
  ASSERT_TRUE(narrow.DropFront(155));
  ASSERT_TRUE(narrow.AppendNarrow(dropped, 30));
  EXPECT_EQ(narrow.Start, 0);
  EXPECT_EQ(Narrow(narrow), "fghijabcdefghijabcdefghijabcdefghij");
}

// Counts no buffer can hold are refused before any character is read; their
// byte sizes exceed an int, which must not overflow on the way.
TEST(GStringAppend, CountsBeyondAnyBufferAreRefused) {
  const int huge = 0x50000000;
  GString s;
  ASSERT_TRUE(s.AssignWide(u"C:"));
  EXPECT_EQ(s.AppendWide(u"x", huge), 0);
  EXPECT_EQ(s.AppendPath(u"x", huge), 1);  // the separator goes in; the failed append is not reported
  EXPECT_EQ(Wide(s), u"C:\\");
  EXPECT_EQ(s.AssignWide(u"x", huge), 0);
  EXPECT_EQ(s.Length, 0);
}

TEST(GStringAssign, RecordsGiveTheirWidthWhateverBits29And30) {
  for (uint32_t extra : {0u, 0x20000000u, 0x40000000u, 0x60000000u}) {
    const auto narrow = Record(0x80000003u | extra, "abcz", 4);
    GString s;
    ASSERT_EQ(s.AssignRecord(At(narrow)), 1);
    EXPECT_EQ(s.Wide, 0u);
    EXPECT_EQ(Narrow(s), "abc");

    const char16_t hi[] = u"hi";
    const auto wide = Record(2u | extra, hi, 4);
    ASSERT_EQ(s.AssignRecord(At(wide)), 1);
    EXPECT_EQ(s.Wide, 1u);
    EXPECT_EQ(Wide(s), u"hi");
  }
}

TEST(GStringAssign, NullRecordEmptiesAndFails) {
  GString s;
  ASSERT_TRUE(s.AssignWide(u"old"));
  EXPECT_EQ(s.AssignRecord(nullptr), 0);
  EXPECT_EQ(s.Length, 0);
  const auto empty = Record(0x80000000u, "", 0);
  EXPECT_EQ(s.AssignRecord(At(empty)), 1);
  EXPECT_EQ(s.Wide, 0u);
}

TEST(GStringAssign, RecordThenMakeWide) {
  const auto record = Record(0x80000002u, "\xC3\xA9", 2);
  GString s;
  ASSERT_TRUE(s.AssignRecord(At(record)));
  ASSERT_NE(s.MakeWide(0), nullptr);
  EXPECT_EQ(Wide(s), u"\u00E9");
}

}  // namespace
