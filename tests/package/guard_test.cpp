// The guard block: its length check, the two moves, the XOR step and the wipe.
#include "package/guard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<unsigned char> Numbered(std::size_t length) {
  std::vector<unsigned char> block(length);
  for (std::size_t i = 0; i < length; ++i) block[i] = static_cast<unsigned char>(i * 31 + 7);
  return block;
}

TEST(Guard, LoadUnscramblesWithBothMovesThenTheXor) {
  const auto stored = Numbered(968);
  // The same steps written out with memmove: the block's own counts never reach its end.
  auto expected = stored;
  std::memmove(&expected[414], &expected[240], 65);
  std::memmove(&expected[395], &expected[637], 205);
  const unsigned char key = expected[42];
  for (int i = 104; i < 104 + 454; ++i) expected[i] ^= key;

  CGuard guard;
  ASSERT_EQ(guard.Load(stored.data(), 968), 1);
  ASSERT_TRUE(guard.IsLoaded());
  EXPECT_EQ(std::vector<unsigned char>(guard.Data(), guard.Data() + 968), expected);
  EXPECT_EQ(guard.Key(), guard.Data() + 352);
  EXPECT_EQ(guard.KeyLength(), 495);
}

TEST(Guard, RejectsWrongLengthOrNullAndKeepsNothing) {
  const auto stored = Numbered(969);
  CGuard guard;
  ASSERT_EQ(guard.Load(stored.data(), 968), 1);
  EXPECT_EQ(guard.Load(stored.data(), 967), 0);
  EXPECT_FALSE(guard.IsLoaded());
  EXPECT_EQ(guard.Key(), nullptr);
  EXPECT_EQ(guard.Load(stored.data(), 969), 0);
  EXPECT_EQ(guard.Load(nullptr, 968), 0);
  EXPECT_EQ(guard.Load(stored.data(), 0), 0);
  EXPECT_FALSE(guard.IsLoaded());
}

TEST(Guard, WipeUnloads) {
  const auto stored = Numbered(968);
  CGuard guard;
  ASSERT_EQ(guard.Load(stored.data(), 968), 1);
  guard.Wipe();
  EXPECT_FALSE(guard.IsLoaded());
  EXPECT_EQ(guard.Key(), nullptr);
  guard.Wipe();  // a second wipe is harmless
}

TEST(Guard, MoveBytesClampsAndMovesLikeMemmove) {
  struct Case {
    int destination, source, count;
    int copied;  // bytes that actually move; -1: the step does nothing
  } const cases[] = {
      {10, 20, 5, 5},        // forward, no overlap
      {20, 10, 15, 15},      // backward, overlapping
      {10, 12, 8, 8},        // forward, overlapping
      {0, 960, 100, 8},      // source near the end: clamped to 968 - source
      {950, 100, 100, 18},   // destination near the end: clamped to 968 - destination
      {967, 0, 5, 1},
      {-1, 10, 5, -1},       // positions outside the block
      {10, 968, 5, -1},
      {968, 10, 5, -1},
      {10, -3, 5, -1},
      {10, 20, -4, 0},       // a negative count moves nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.destination << " <- " << c.source << " x" << c.count);
    auto block = Numbered(968);
    auto expected = block;
    if (c.copied > 0) std::memmove(&expected[c.destination], &expected[c.source], c.copied);
    CGuard::MoveBytes(block.data(), 968, c.destination, c.source, c.count);
    EXPECT_EQ(block, expected);
  }
}

TEST(Guard, XorBytesReadsItsKeyOnceAndClamps) {
  struct Case {
    int start, count, keyPosition;
    int xored;  // -1: the step does nothing
  } const cases[] = {
      {104, 454, 42, 454},
      {900, 454, 42, 68},   // clamped to the block's end
      {10, 20, 15, 20},     // key inside the range: its old value is used throughout
      {-1, 5, 42, -1},
      {968, 5, 42, -1},
      {10, 5, 968, -1},
      {10, 5, -2, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << " x" << c.count << " key " << c.keyPosition);
    auto block = Numbered(968);
    auto expected = block;
    if (c.xored > 0) {
      const unsigned char key = expected[c.keyPosition];
      for (int i = c.start; i < c.start + c.xored; ++i) expected[i] ^= key;
    }
    CGuard::XorBytes(block.data(), 968, c.start, c.count, c.keyPosition);
    EXPECT_EQ(block, expected);
  }
}

}  // namespace
