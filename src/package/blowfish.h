// Blowfish block cipher: key schedule, block operations, ECB over byte buffers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "package/blowfish_init.h"

// The Package stores each 8-byte block as two little-endian 32-bit halves
// (left = bytes 0..3, right = bytes 4..7); the buffer operations use that
// byte order, the block operations work on the halves themselves.
class BlowfishCipher {
 public:
  // Standard key schedule; only the first 72 bytes of a longer key count.
  // A null key or a length of 0 leaves the initial values in place.
  void SetKey(const unsigned char* key, std::size_t length);

  void EncipherBlock(std::uint32_t& left, std::uint32_t& right) const;
  void DecipherBlock(std::uint32_t& left, std::uint32_t& right) const;

  // In place, `blocks` whole 8-byte blocks in the Package's byte order.
  void EncipherBuffer(unsigned char* data, std::size_t blocks) const;
  void DecipherBuffer(unsigned char* data, std::size_t blocks) const;

 private:
  std::uint32_t Round(std::uint32_t x) const;

  std::uint32_t p_[kBlowfishRounds + 2];
  std::uint32_t s_[4][256];
};
