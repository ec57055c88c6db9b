// Extraction of one Package record: decipher, check, inflate, check again.
#include "package/record.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

#include "package/blowfish.h"
#include "package/byte_order.h"
#include "package/guard.h"

namespace {

// Inflates exactly `outputSize` bytes from a raw DEFLATE stream that must end
// there; anything else (bad data, short or long output) is a failure.
bool InflateExactly(const unsigned char* input, std::uint32_t inputLength,
                    unsigned char* output, std::uint32_t outputSize) {
  z_stream stream;
  std::memset(&stream, 0, sizeof(stream));
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(input);
  stream.avail_in = inputLength;
  stream.next_out = output;
  stream.avail_out = outputSize;
  const int result = inflate(&stream, Z_FINISH);
  const bool complete = result == Z_STREAM_END && stream.total_out == outputSize;
  inflateEnd(&stream);
  return complete;
}

// Wipes the cipher state before it goes, as the guard block's copy is wiped.
struct ScopedCipher {
  BlowfishCipher cipher;
  ~ScopedCipher() {
    volatile unsigned char* p = reinterpret_cast<volatile unsigned char*>(&cipher);
    for (std::size_t i = 0; i < sizeof(cipher); ++i) p[i] = 0;
  }
};

}  // namespace

const char* RecordStatusText(RecordStatus status) {
  switch (status) {
    case RecordStatus::kOk: return "ok";
    case RecordStatus::kNoGuard: return "no guard block loaded";
    case RecordStatus::kTooSmall: return "stored size too small for a record header";
    case RecordStatus::kNoMemory: return "out of memory";
    case RecordStatus::kStoredSizeMismatch: return "stored-size field does not match the stored size";
    case RecordStatus::kCompressedOverrun: return "compressed length runs past the stored size";
    case RecordStatus::kCompressedCrcMismatch: return "CRC of the compressed data does not match";
    case RecordStatus::kInflateFailed: return "compressed data does not inflate to the output size";
    case RecordStatus::kOutputCrcMismatch: return "CRC of the inflated data does not match";
  }
  return "unknown";
}

std::uint32_t RecordCrc(const unsigned char* data, std::uint32_t length) {
  if (data == nullptr) return 0;
  return static_cast<std::uint32_t>(crc32(0, data, length));
}

RecordStatus DecodeRecord(const CGuard& guard, const unsigned char* block,
                          std::uint32_t storedSize, RecordContent* content) {
  if (!guard.IsLoaded()) return RecordStatus::kNoGuard;
  // A block smaller than the header has nothing to check; reading the header
  // would go past it.
  if (block == nullptr || storedSize < kRecordHeaderSize) return RecordStatus::kTooSmall;

  ScopedCipher scoped;
  scoped.cipher.SetKey(guard.Key(), static_cast<std::size_t>(guard.KeyLength()));

  // Whole blocks are deciphered; a size that is not a multiple of 8 gets its
  // last block completed with zeros here rather than read past the stored block.
  const std::uint32_t rounded = (storedSize + 7u) & ~7u;
  if (rounded < storedSize) return RecordStatus::kTooSmall;
  unsigned char* plain = static_cast<unsigned char*>(std::malloc(rounded));
  if (plain == nullptr) return RecordStatus::kNoMemory;
  std::memcpy(plain, block, storedSize);
  std::memset(plain + storedSize, 0, rounded - storedSize);
  scoped.cipher.DecipherBuffer(plain, rounded / 8);

  RecordStatus status = RecordStatus::kOk;
  unsigned char* output = nullptr;
  const std::uint32_t outputSize = ReadLittle32(plain + kRecordOutputSizeField);
  const std::uint32_t compressedLength = ReadLittle32(plain + kRecordCompressedLengthField);
  const unsigned char* compressed = plain + kRecordHeaderSize;
  if (ReadLittle32(plain + kRecordStoredSizeField) != storedSize) {
    status = RecordStatus::kStoredSizeMismatch;
  } else if (compressedLength > storedSize - kRecordHeaderSize) {
    status = RecordStatus::kCompressedOverrun;
  } else if (RecordCrc(compressed, compressedLength) !=
             ReadLittle32(plain + kRecordCompressedCrcField)) {
    status = RecordStatus::kCompressedCrcMismatch;
  } else if ((output = static_cast<unsigned char*>(std::malloc(outputSize ? outputSize : 1))) ==
             nullptr) {
    status = RecordStatus::kNoMemory;
  } else if (!InflateExactly(compressed, compressedLength, output, outputSize)) {
    status = RecordStatus::kInflateFailed;
  } else if (RecordCrc(output, outputSize) != ReadLittle32(plain + kRecordOutputCrcField)) {
    status = RecordStatus::kOutputCrcMismatch;
  }

  if (status == RecordStatus::kOk) {
    content->data = output;
    content->size = outputSize;
    content->extra = ReadLittle32(plain + kRecordExtraField);
  } else {
    std::free(output);
  }
  std::free(plain);
  return status;
}

unsigned char* ExtractRecord(const CGuard& guard, const unsigned char* block,
                             std::uint32_t* size, std::uint32_t* extra) {
  if (size == nullptr) return nullptr;
  RecordContent content;
  if (DecodeRecord(guard, block, *size, &content) != RecordStatus::kOk) return nullptr;
  *size = content.size;
  if (extra != nullptr) *extra = content.extra;
  return content.data;
}
