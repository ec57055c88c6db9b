// Extraction of one Package record: decipher, check, inflate, check again.
#pragma once

#include <cstdint>

class CGuard;

// Layout of a deciphered record: a header of six little-endian 32-bit words,
// then the raw DEFLATE data, then padding up to the stored size.
constexpr std::uint32_t kRecordHeaderSize = 24;
constexpr std::uint32_t kRecordStoredSizeField = 0;
constexpr std::uint32_t kRecordOutputSizeField = 4;
constexpr std::uint32_t kRecordCompressedLengthField = 8;
constexpr std::uint32_t kRecordOutputCrcField = 12;
constexpr std::uint32_t kRecordCompressedCrcField = 16;
constexpr std::uint32_t kRecordExtraField = 20;

// Why an extraction failed, in the order the checks run.
enum class RecordStatus {
  kOk,
  kNoGuard,             // no guard block loaded
  kTooSmall,            // the stored size cannot hold a header
  kNoMemory,
  kStoredSizeMismatch,  // the header's stored size is not the size passed in
  kCompressedOverrun,   // the compressed data runs past the stored size
  kCompressedCrcMismatch,
  kInflateFailed,       // not a complete stream of exactly the output size
  kOutputCrcMismatch,
};

const char* RecordStatusText(RecordStatus status);

// An extracted record: its content, owned by the caller (free with std::free).
struct RecordContent {
  unsigned char* data = nullptr;
  std::uint32_t size = 0;
  std::uint32_t extra = 0;
};

// The checked extraction; on failure `content` is left untouched.
[[nodiscard]] RecordStatus DecodeRecord(const CGuard& guard, const unsigned char* block,
                                        std::uint32_t storedSize, RecordContent* content);

// The program's extraction: a new buffer with the inflated content (free it
// with std::free), or null. `size` is the stored size on the way in and the
// content's size on the way out; it and `extra` change only on success.
[[nodiscard]] unsigned char* ExtractRecord(const CGuard& guard, const unsigned char* block,
                                           std::uint32_t* size, std::uint32_t* extra);

// The standard CRC-32 (zlib's crc32 started from 0); 0 for null data.
std::uint32_t RecordCrc(const unsigned char* data, std::uint32_t length);
