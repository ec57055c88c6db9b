// Record extraction: a sound record comes back whole, each damaged field is caught by its check.
#include "package/record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "package/byte_order.h"
#include "package/guard.h"
#include "packager/guard_maker.h"
#include "packager/record_writer.h"

namespace {

class RecordTest : public testing::Test {
 protected:
  void SetUp() override {
    const Bytes stored = MakeGuardBlock(12345);
    ASSERT_EQ(guard_.Load(stored.data(), static_cast<std::uint32_t>(stored.size())), 1);
    cipher_ = CipherFromGuard(guard_);
    const std::string text =
        "Every text and file the program carries sits in records like this one. ";
    for (int i = 0; i < 20; ++i) content_.insert(content_.end(), text.begin(), text.end());
    content_.push_back(static_cast<unsigned char>(0xFF));
  }

  // The block exactly as large as it claims, so a read past it is caught.
  static unsigned char* ExactCopy(const Bytes& block) {
    auto* copy = static_cast<unsigned char*>(std::malloc(block.size()));
    std::memcpy(copy, block.data(), block.size());
    return copy;
  }

  CGuard guard_;
  BlowfishCipher cipher_;
  Bytes content_;
};

TEST_F(RecordTest, SoundRecordComesBackWithSizeAndExtra) {
  const Bytes block = SealRecord(cipher_, content_, 0x1234);
  ASSERT_EQ(block.size() % 8, 0u);
  std::uint32_t size = static_cast<std::uint32_t>(block.size());
  std::uint32_t extra = 0;
  unsigned char* data = ExtractRecord(guard_, block.data(), &size, &extra);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(Bytes(data, data + size), content_);
  EXPECT_EQ(extra, 0x1234u);
  std::free(data);

  size = static_cast<std::uint32_t>(block.size());
  data = ExtractRecord(guard_, block.data(), &size, nullptr);  // the extra is optional
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(size, content_.size());
  std::free(data);
}

TEST_F(RecordTest, EmptyContentIsARecordToo) {
  const Bytes block = SealRecord(cipher_, Bytes(), 0);
  RecordContent out;
  ASSERT_EQ(DecodeRecord(guard_, block.data(), static_cast<std::uint32_t>(block.size()), &out),
            RecordStatus::kOk);
  EXPECT_EQ(out.size, 0u);
  std::free(out.data);
}

// One field of the deciphered header or data changed, then enciphered again.
TEST_F(RecordTest, EachCheckRejectsItsDamage) {
  const Bytes plain = BuildPlainRecord(content_, 9);
  const std::uint32_t stored = static_cast<std::uint32_t>(plain.size());
  const std::uint32_t compressed = ReadLittle32(&plain[kRecordCompressedLengthField]);
  ASSERT_LT(kRecordHeaderSize + compressed, stored) << "the test needs padding";
  struct Case {
    const char* what;
    std::uint32_t offset;  // of a 32-bit word, or of one byte when `byte` is set
    bool byte;
    std::uint32_t value;   // the new word, or the XOR for a byte
    RecordStatus expected;
  } const cases[] = {
      {"stored size low byte", kRecordStoredSizeField, true, 0x08, RecordStatus::kStoredSizeMismatch},
      {"stored size high byte", kRecordStoredSizeField + 3, true, 0x01, RecordStatus::kStoredSizeMismatch},
      {"compressed length one past the block", kRecordCompressedLengthField, false,
       stored - kRecordHeaderSize + 1, RecordStatus::kCompressedOverrun},
      {"compressed length far past the block", kRecordCompressedLengthField + 3, true, 0x80,
       RecordStatus::kCompressedOverrun},
      {"compressed length into the padding", kRecordCompressedLengthField, false, compressed + 1,
       RecordStatus::kCompressedCrcMismatch},
      {"compressed length one short", kRecordCompressedLengthField, false, compressed - 1,
       RecordStatus::kCompressedCrcMismatch},
      {"compressed CRC", kRecordCompressedCrcField + 1, true, 0x10, RecordStatus::kCompressedCrcMismatch},
      {"first data byte", kRecordHeaderSize, true, 0x01, RecordStatus::kCompressedCrcMismatch},
      {"last data byte", kRecordHeaderSize + compressed - 1, true, 0x80,
       RecordStatus::kCompressedCrcMismatch},
      {"output size one more", kRecordOutputSizeField, false,
       static_cast<std::uint32_t>(content_.size() + 1), RecordStatus::kInflateFailed},
      {"output size one less", kRecordOutputSizeField, false,
       static_cast<std::uint32_t>(content_.size() - 1), RecordStatus::kInflateFailed},
      {"output size 0", kRecordOutputSizeField, false, 0, RecordStatus::kInflateFailed},
      {"output CRC", kRecordOutputCrcField + 2, true, 0x04, RecordStatus::kOutputCrcMismatch},
      {"extra field (not checked)", kRecordExtraField, true, 0x01, RecordStatus::kOk},
      {"padding (not checked)", stored - 1, true, 0x55, RecordStatus::kOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes damaged = plain;
    if (c.byte) {
      damaged[c.offset] ^= static_cast<unsigned char>(c.value);
    } else {
      WriteLittle32(&damaged[c.offset], c.value);
    }
    EncipherRecord(cipher_, &damaged);
    unsigned char* block = ExactCopy(damaged);
    RecordContent out;
    EXPECT_EQ(DecodeRecord(guard_, block, stored, &out), c.expected);
    std::uint32_t size = stored;
    std::uint32_t extra = 77;
    unsigned char* data = ExtractRecord(guard_, block, &size, &extra);
    if (c.expected == RecordStatus::kOk) {
      EXPECT_NE(data, nullptr);
    } else {
      EXPECT_EQ(data, nullptr);
      EXPECT_EQ(size, stored);  // untouched on failure
      EXPECT_EQ(extra, 77u);
    }
    std::free(data);
    std::free(out.data);
    std::free(block);
  }
}

// Every single byte of the deciphered record flipped in turn: only the extra
// field and the padding may change without the record being refused.
TEST_F(RecordTest, EveryDamagedByteOutsideExtraAndPaddingIsRefused) {
  const Bytes plain = BuildPlainRecord(content_, 3);
  const std::uint32_t stored = static_cast<std::uint32_t>(plain.size());
  const std::uint32_t dataEnd = kRecordHeaderSize + ReadLittle32(&plain[kRecordCompressedLengthField]);
  for (std::uint32_t i = 0; i < stored; ++i) {
    Bytes damaged = plain;
    damaged[i] ^= 0x20;
    EncipherRecord(cipher_, &damaged);
    unsigned char* block = ExactCopy(damaged);
    RecordContent out;
    const RecordStatus status = DecodeRecord(guard_, block, stored, &out);
    const bool harmless = (i >= kRecordExtraField && i < kRecordHeaderSize) || i >= dataEnd;
    EXPECT_EQ(status == RecordStatus::kOk, harmless) << "byte " << i << ": " << RecordStatusText(status);
    if (status == RecordStatus::kOk) {
      EXPECT_EQ(Bytes(out.data, out.data + out.size), content_);
    }
    std::free(out.data);
    std::free(block);
  }
}

TEST_F(RecordTest, SizeThatIsNotTheStoredSizeFails) {
  const Bytes block = SealRecord(cipher_, content_, 0);
  Bytes longer = block;
  longer.resize(block.size() + 8, 0);
  std::uint32_t size = static_cast<std::uint32_t>(longer.size());
  EXPECT_EQ(ExtractRecord(guard_, longer.data(), &size, nullptr), nullptr);
  EXPECT_EQ(size, longer.size());
}

// Sizes too small for a header, or not whole blocks: rejected without reading
// past the block (the copies are exactly that large).
TEST_F(RecordTest, ShortAndRaggedSizesNeverReadPastTheBlock) {
  const Bytes block = SealRecord(cipher_, content_, 0);
  for (std::uint32_t size : {1u, 8u, 16u, 23u, static_cast<std::uint32_t>(block.size() - 1),
                             static_cast<std::uint32_t>(block.size() - 5)}) {
    SCOPED_TRACE(size);
    unsigned char* copy = ExactCopy(Bytes(block.begin(), block.begin() + size));
    RecordContent out;
    EXPECT_NE(DecodeRecord(guard_, copy, size, &out), RecordStatus::kOk);
    std::free(copy);
  }
  std::uint32_t zero = 0;
  EXPECT_EQ(ExtractRecord(guard_, block.data(), &zero, nullptr), nullptr);
  std::uint32_t size = static_cast<std::uint32_t>(block.size());
  EXPECT_EQ(ExtractRecord(guard_, nullptr, &size, nullptr), nullptr);
}

TEST_F(RecordTest, NothingIsExtractedWithoutTheGuardBlock) {
  const Bytes block = SealRecord(cipher_, content_, 0);
  guard_.Wipe();
  std::uint32_t size = static_cast<std::uint32_t>(block.size());
  EXPECT_EQ(ExtractRecord(guard_, block.data(), &size, nullptr), nullptr);
  RecordContent out;
  EXPECT_EQ(DecodeRecord(guard_, block.data(), size, &out), RecordStatus::kNoGuard);
}

TEST_F(RecordTest, AnotherGuardBlockGivesAnotherKey) {
  const Bytes block = SealRecord(cipher_, content_, 0);
  const Bytes other = MakeGuardBlock(54321);
  CGuard otherGuard;
  ASSERT_EQ(otherGuard.Load(other.data(), static_cast<std::uint32_t>(other.size())), 1);
  std::uint32_t size = static_cast<std::uint32_t>(block.size());
  EXPECT_EQ(ExtractRecord(otherGuard, block.data(), &size, nullptr), nullptr);
}

TEST(RecordCrc, IsTheStandardCrc32) {
  const unsigned char digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(RecordCrc(digits, 9), 0xCBF43926u);
  EXPECT_EQ(RecordCrc(nullptr, 5), 0u);
}

}  // namespace
