// Tests of GString storage: accessors, growth, front dropping and write buffers.
#include <gtest/gtest.h>

#include <string>

#include "gstring.h"

namespace {

std::u16string Wide(const GString& s) {
  return std::u16string(s.WideText(0), size_t(s.Length));
}

TEST(GStringStorage, NewStringHasNoBufferButValidEmptyTexts) {
  GString s;
  EXPECT_EQ(s.Buffer, nullptr);
  EXPECT_EQ(s.BlockSize, 64);
  EXPECT_EQ(s.LineWidth, 80);
  ASSERT_NE(s.WideText(0), nullptr);
  EXPECT_EQ(s.WideText(0)[0], 0);
  ASSERT_NE(s.NarrowText(0), nullptr);
  EXPECT_EQ(s.NarrowText(0)[0], 0);
  EXPECT_EQ(s.Terminate(), nullptr);
  EXPECT_EQ(s.SetLength(5), 0);
  EXPECT_EQ(s.Compact(), 0);
  EXPECT_EQ(s.Reserve(0), 0);  // nothing to compact, nothing allocated
  EXPECT_EQ(s.Buffer, nullptr);
}

TEST(GStringStorage, AccessorsHandOutSharedEmptyTextOfOtherWidth) {
  GString narrow;
  ASSERT_TRUE(narrow.AssignNarrow("abc"));
  GString wide;
  ASSERT_TRUE(wide.AssignWide(u"abc"));
  // The shared empty text is one object per width, never the string's bytes.
  EXPECT_EQ(narrow.WideText(0), wide.WideText(-1));
  EXPECT_EQ(narrow.WideText(0)[0], 0);
  EXPECT_EQ(wide.NarrowText(0), narrow.NarrowText(-1));
  EXPECT_EQ(std::string(narrow.NarrowText(1)), "bc");
  EXPECT_EQ(std::u16string(wide.WideText(2)), u"c");
  EXPECT_EQ(wide.WideText(99), wide.WideText(3));  // clamped to the terminator
  EXPECT_EQ(wide.WideText(3)[0], 0);
}

TEST(GStringStorage, FirstRoomIsOneBlock) {
  GString narrow;
  ASSERT_TRUE(narrow.EnsureSpare(10));
  EXPECT_EQ(narrow.Allocated, 64);
  EXPECT_EQ(narrow.Capacity(), 59);
  GString wide(u'x', 0);
  EXPECT_EQ(wide.Buffer, nullptr);
  EXPECT_EQ(wide.Wide, 1u);
  ASSERT_TRUE(wide.EnsureSpare(10));
  EXPECT_EQ(wide.Allocated, 64);
  EXPECT_EQ(wide.Capacity(), 29);
}

TEST(GStringStorage, CharacterAppendsGrowByHalfInBlocks) {
  GString s(u'a', 0);
  for (int i = 0; i < 29; ++i) ASSERT_TRUE(s.AppendChar(u'a' + i % 26));
  EXPECT_EQ(s.Allocated, 64);
  ASSERT_TRUE(s.AppendChar(u'!'));  // the 30th unit: t = 43, 92 bytes, two blocks
  EXPECT_EQ(s.Allocated, 128);
  EXPECT_EQ(s.Capacity(), 61);
  s.Terminate();
  EXPECT_EQ(s.Length, 30);
  EXPECT_EQ(s.WideText(0)[29], u'!');
  EXPECT_EQ(s.WideText(0)[25], u'z');
}

TEST(GStringStorage, HeaderWordRecordsWidthAndBytes) {
  GString s;
  ASSERT_TRUE(s.AssignWide(u"hello"));
  ASSERT_TRUE(s.Reserve(200));
  EXPECT_EQ(reinterpret_cast<const TextRecord*>(s.Buffer)->Header(), 10u);
  GString n;
  ASSERT_TRUE(n.AssignNarrow("hello"));
  ASSERT_TRUE(n.Reserve(200));
  EXPECT_EQ(reinterpret_cast<const TextRecord*>(n.Buffer)->Header(), 0x80000005u);
}

TEST(GStringStorage, FillConstructorRepeatsUnit) {
  GString s(u'-', 5);
  EXPECT_EQ(Wide(s), u"-----");
  EXPECT_EQ(s.WideText(0)[5], 0);
}

TEST(GStringStorage, DropFrontMovesStartOnly) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow("abcdef"));
  const unsigned char* buffer = s.Buffer;
  EXPECT_EQ(s.DropFront(0), 0);
  EXPECT_EQ(s.DropFront(-1), 0);
  ASSERT_EQ(s.DropFront(3), 1);
  EXPECT_EQ(s.Start, 3);
  EXPECT_EQ(s.Length, 3);
  EXPECT_EQ(std::string(s.NarrowText(0)), "def");
  EXPECT_EQ(s.Buffer, buffer);
  EXPECT_EQ(s.Capacity(), 64 - 4 - 3 - 1);

  ASSERT_EQ(s.Compact(), 1);
  EXPECT_EQ(s.Start, 0);
  EXPECT_EQ(std::string(s.NarrowText(0)), "def");

  ASSERT_EQ(s.DropFront(1), 1);
  ASSERT_EQ(s.DropFront(10), 1);
  EXPECT_EQ(s.Length, 0);
  EXPECT_EQ(s.Start, 0);
}

TEST(GStringStorage, GrowthAfterDropFrontKeepsText) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow("0123456789"));
  ASSERT_TRUE(s.DropFront(4));
  ASSERT_TRUE(s.AppendByteRepeat('x', 100));
  EXPECT_EQ(s.Start, 0);
  EXPECT_EQ(std::string(s.NarrowText(0)), "456789" + std::string(100, 'x'));
}

TEST(GStringStorage, ReserveCompactsWhenRoomIsLostToStart) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow(std::string(50, 'a').c_str()));
  ASSERT_TRUE(s.DropFront(40));  // 10 left, Capacity 19 from Start 40
  const unsigned char* buffer = s.Buffer;
  ASSERT_TRUE(s.Reserve(30));     // fits the 64 bytes only from slot 0
  EXPECT_EQ(s.Buffer, buffer);
  EXPECT_EQ(s.Start, 0);
  EXPECT_EQ(std::string(s.NarrowText(0)), std::string(10, 'a'));
  EXPECT_EQ(s.Reserve(-1), 1);
}

TEST(GStringStorage, SetLengthFindsZeroOrClamps) {
  GString s;
  ASSERT_TRUE(s.EnsureSpare(10));
  char* out = s.NarrowWriteBuffer(10);
  ASSERT_NE(out, nullptr);
  memcpy(out, "hi\0", 3);
  ASSERT_EQ(s.SetLength(-1), 1);
  EXPECT_EQ(s.Length, 2);

  // No zero among the Capacity slots: the length becomes 0.
  memset(s.Buffer + 4, 'z', size_t(s.Allocated - 4));
  ASSERT_EQ(s.SetLength(-1), 1);
  EXPECT_EQ(s.Length, 0);

  ASSERT_EQ(s.SetLength(1000), 1);
  EXPECT_EQ(s.Length, s.Capacity());
  EXPECT_EQ(s.NarrowText(0)[s.Length], 0);
}

TEST(GStringStorage, WriteBuffersSwitchWidthAndTakeWrittenText) {
  GString s;
  ASSERT_TRUE(s.AssignNarrow("C:"));
  char16_t* out = s.WideWriteBuffer(260);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(s.Wide, 1u);
  EXPECT_GE(s.Spare(), 260);
  const char16_t name[] = u"\\dir";
  memcpy(out, name, sizeof name);
  ASSERT_TRUE(s.SetLength(-1));
  EXPECT_EQ(Wide(s), u"C:\\dir");

  char* bytes = s.NarrowWriteBuffer(3);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(s.Wide, 0u);
  memcpy(bytes, "xyz", 3);
  ASSERT_TRUE(s.SetLength(s.Length + 3));
  EXPECT_EQ(std::string(s.NarrowText(0)), "C:\\dirxyz");
}

TEST(GStringStorage, ScratchIsPreparedEmptyWithOwnersCodePage) {
  GString s;
  EXPECT_EQ(s.Scratch, nullptr);
  ASSERT_TRUE(s.PrepareScratch());
  ASSERT_NE(s.Scratch, nullptr);
  ASSERT_TRUE(s.Scratch->AssignWide(u"leftover"));
  ASSERT_TRUE(s.PrepareScratch());
  EXPECT_EQ(s.Scratch->Length, 0);
  EXPECT_EQ(s.Scratch->Wide, 1u);  // the width is left to the next user
  EXPECT_EQ(s.Scratch->WideText(0)[0], 0);
}

}  // namespace
