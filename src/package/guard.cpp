// The guard block: the Package key material, kept scrambled in the program.
#include "package/guard.h"

#include <cstdlib>
#include <cstring>

CGuard::CGuard()
    : data_(nullptr),
      length_(968),
      keyOffset_(352),
      keyLength_(495),
      move1Source_(240),
      move1Destination_(414),
      move1Count_(65),
      move2Source_(637),
      move2Destination_(395),
      move2Count_(205),
      xorKeyPosition_(42),
      xorStart_(104),
      xorCount_(454) {}

CGuard::~CGuard() { Wipe(); }

int CGuard::Load(const unsigned char* bytes, std::uint32_t length) {
  Wipe();
  if (bytes == nullptr || length != static_cast<std::uint32_t>(length_)) return 0;
  data_ = static_cast<unsigned char*>(std::malloc(length_));
  if (data_ == nullptr) return 0;
  std::memcpy(data_, bytes, length_);
  MoveBytes(data_, length_, move1Destination_, move1Source_, move1Count_);
  MoveBytes(data_, length_, move2Destination_, move2Source_, move2Count_);
  XorBytes(data_, length_, xorStart_, xorCount_, xorKeyPosition_);
  return 1;
}

void CGuard::Wipe() {
  if (data_ == nullptr) return;
  // volatile keeps the compiler from dropping the zeros of a block about to be freed.
  volatile unsigned char* p = data_;
  for (std::int32_t i = 0; i < length_; ++i) p[i] = 0;
  std::free(data_);
  data_ = nullptr;
}

void CGuard::MoveBytes(unsigned char* block, std::int32_t length, std::int32_t destination,
                       std::int32_t source, std::int32_t count) {
  if (destination < 0 || destination >= length || source < 0 || source >= length) return;
  if (destination < source) {
    if (count > length - source) count = length - source;
    for (std::int32_t i = 0; i < count; ++i) block[destination + i] = block[source + i];
  } else {
    if (count > length - destination) count = length - destination;
    for (std::int32_t i = count - 1; i >= 0; --i) block[destination + i] = block[source + i];
  }
}

void CGuard::XorBytes(unsigned char* block, std::int32_t length, std::int32_t start,
                      std::int32_t count, std::int32_t keyPosition) {
  if (start < 0 || start >= length || keyPosition < 0 || keyPosition >= length) return;
  const unsigned char key = block[keyPosition];
  if (count > length - start) count = length - start;
  for (std::int32_t i = 0; i < count; ++i) block[start + i] ^= key;
}
