// Building Package records: header, CRCs, raw DEFLATE, padding, encipherment.
#include "packager/record_writer.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

#include "package/byte_order.h"
#include "package/guard.h"
#include "package/record.h"

namespace {

Bytes RawDeflate(const Bytes& input) {
  z_stream stream;
  std::memset(&stream, 0, sizeof(stream));
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    std::abort();
  }
  Bytes output(deflateBound(&stream, input.size()));
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(input.size());
  stream.next_out = output.data();
  stream.avail_out = static_cast<uInt>(output.size());
  if (deflate(&stream, Z_FINISH) != Z_STREAM_END) std::abort();
  output.resize(stream.total_out);
  deflateEnd(&stream);
  return output;
}

}  // namespace

Bytes BuildPlainRecord(const Bytes& content, std::uint32_t extra) {
  const Bytes compressed = RawDeflate(content);
  const std::size_t size = (kRecordHeaderSize + compressed.size() + 7) & ~std::size_t{7};
  Bytes record(size, 0);
  const auto length = static_cast<std::uint32_t>(compressed.size());
  WriteLittle32(&record[kRecordStoredSizeField], static_cast<std::uint32_t>(size));
  WriteLittle32(&record[kRecordOutputSizeField], static_cast<std::uint32_t>(content.size()));
  WriteLittle32(&record[kRecordCompressedLengthField], length);
  WriteLittle32(&record[kRecordOutputCrcField],
                RecordCrc(content.data(), static_cast<std::uint32_t>(content.size())));
  WriteLittle32(&record[kRecordCompressedCrcField], RecordCrc(compressed.data(), length));
  WriteLittle32(&record[kRecordExtraField], extra);
  if (!compressed.empty()) {
    std::memcpy(&record[kRecordHeaderSize], compressed.data(), compressed.size());
  }
  return record;
}

BlowfishCipher CipherFromGuard(const CGuard& guard) {
  BlowfishCipher cipher;
  cipher.SetKey(guard.Key(), static_cast<std::size_t>(guard.KeyLength()));
  return cipher;
}

void EncipherRecord(const BlowfishCipher& cipher, Bytes* record) {
  cipher.EncipherBuffer(record->data(), record->size() / 8);
}

Bytes SealRecord(const BlowfishCipher& cipher, const Bytes& content, std::uint32_t extra) {
  Bytes record = BuildPlainRecord(content, extra);
  EncipherRecord(cipher, &record);
  return record;
}
