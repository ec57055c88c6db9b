// Blowfish block cipher: key schedule, block operations, ECB over byte buffers.
#include "package/blowfish.h"

#include <cstring>

#include "package/byte_order.h"

void BlowfishCipher::SetKey(const unsigned char* key, std::size_t length) {
  std::memcpy(p_, kBlowfishInitialP, sizeof(p_));
  std::memcpy(s_, kBlowfishInitialS, sizeof(s_));
  if (key != nullptr && length != 0) {
    std::size_t next = 0;
    for (std::uint32_t& word : p_) {
      std::uint32_t material = 0;
      for (int i = 0; i < 4; ++i) {
        material = (material << 8) | key[next];
        next = (next + 1) % length;
      }
      word ^= material;
    }
  }
  std::uint32_t left = 0;
  std::uint32_t right = 0;
  for (int i = 0; i < kBlowfishRounds + 2; i += 2) {
    EncipherBlock(left, right);
    p_[i] = left;
    p_[i + 1] = right;
  }
  for (auto& box : s_) {
    for (int i = 0; i < 256; i += 2) {
      EncipherBlock(left, right);
      box[i] = left;
      box[i + 1] = right;
    }
  }
}

std::uint32_t BlowfishCipher::Round(std::uint32_t x) const {
  return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) +
         s_[3][x & 0xFF];
}

void BlowfishCipher::EncipherBlock(std::uint32_t& left, std::uint32_t& right) const {
  std::uint32_t l = left;
  std::uint32_t r = right;
  for (int i = 0; i < kBlowfishRounds; ++i) {
    l ^= p_[i];
    r ^= Round(l);
    std::uint32_t t = l;
    l = r;
    r = t;
  }
  std::uint32_t t = l;
  l = r;
  r = t;
  r ^= p_[kBlowfishRounds];
  l ^= p_[kBlowfishRounds + 1];
  left = l;
  right = r;
}

void BlowfishCipher::DecipherBlock(std::uint32_t& left, std::uint32_t& right) const {
  std::uint32_t l = left;
  std::uint32_t r = right;
  for (int i = kBlowfishRounds + 1; i > 1; --i) {
    l ^= p_[i];
    r ^= Round(l);
    std::uint32_t t = l;
    l = r;
    r = t;
  }
  std::uint32_t t = l;
  l = r;
  r = t;
  r ^= p_[1];
  l ^= p_[0];
  left = l;
  right = r;
}

void BlowfishCipher::EncipherBuffer(unsigned char* data, std::size_t blocks) const {
  for (std::size_t i = 0; i < blocks; ++i, data += 8) {
    std::uint32_t left = ReadLittle32(data);
    std::uint32_t right = ReadLittle32(data + 4);
    EncipherBlock(left, right);
    WriteLittle32(data, left);
    WriteLittle32(data + 4, right);
  }
}

void BlowfishCipher::DecipherBuffer(unsigned char* data, std::size_t blocks) const {
  for (std::size_t i = 0; i < blocks; ++i, data += 8) {
    std::uint32_t left = ReadLittle32(data);
    std::uint32_t right = ReadLittle32(data + 4);
    DecipherBlock(left, right);
    WriteLittle32(data, left);
    WriteLittle32(data + 4, right);
  }
}
