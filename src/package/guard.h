// The guard block: the Package key material, kept scrambled in the program.
#pragma once

#include <cstdint>

class CGuard {
 public:
  CGuard();
  virtual ~CGuard();
  CGuard(const CGuard&) = delete;
  CGuard& operator=(const CGuard&) = delete;

  // Copies and unscrambles the stored block; 1 on success, else 0 with no
  // block loaded. Any block loaded before is wiped first.
  [[nodiscard]] int Load(const unsigned char* bytes, std::uint32_t length);
  // Overwrites the copy with zeros and frees it.
  void Wipe();

  bool IsLoaded() const { return data_ != nullptr; }
  // The Blowfish key inside the unscrambled copy; null while not loaded.
  const unsigned char* Key() const { return data_ ? data_ + keyOffset_ : nullptr; }
  std::int32_t KeyLength() const { return keyLength_; }
  const unsigned char* Data() const { return data_; }
  std::int32_t Length() const { return length_; }

  // The unscrambling steps on a block of `length` bytes. Positions outside the
  // block make a step do nothing; counts are clamped to the block's end. The
  // move copies like memmove; the XOR reads its key byte once, before the loop.
  static void MoveBytes(unsigned char* block, std::int32_t length, std::int32_t destination,
                        std::int32_t source, std::int32_t count);
  static void XorBytes(unsigned char* block, std::int32_t length, std::int32_t start,
                       std::int32_t count, std::int32_t keyPosition);

 private:

  unsigned char* data_;
  const std::int32_t length_;
  const std::int32_t keyOffset_;
  const std::int32_t keyLength_;
  const std::int32_t move1Source_;
  const std::int32_t move1Destination_;
  const std::int32_t move1Count_;
  const std::int32_t move2Source_;
  const std::int32_t move2Destination_;
  const std::int32_t move2Count_;
  const std::int32_t xorKeyPosition_;
  const std::int32_t xorStart_;
  const std::int32_t xorCount_;
};
