// Blowfish against the algorithm's published test vectors, in both byte orders.
#include "package/blowfish.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "package/byte_order.h"

namespace {

std::vector<unsigned char> Hex(const std::string& text) {
  std::vector<unsigned char> bytes;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    bytes.push_back(static_cast<unsigned char>(std::stoul(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

std::uint32_t Big32(const unsigned char* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};

// The published ECB vectors and variable-key-length vectors, big-endian as printed.
const Vector kVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
    {"F0", "FEDCBA9876543210", "F9AD597C49DB005E"},
    {"F0E1D2C3B4A59687", "FEDCBA9876543210", "E87A244E2CC85E82"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", "FEDCBA9876543210", "05044B62FA52D080"},
};

TEST(Blowfish, PublishedVectorsOnHalves) {
  for (const Vector& v : kVectors) {
    SCOPED_TRACE(v.key);
    const auto key = Hex(v.key);
    const auto plain = Hex(v.plain);
    const auto cipher = Hex(v.cipher);
    BlowfishCipher bf;
    bf.SetKey(key.data(), key.size());
    std::uint32_t left = Big32(&plain[0]), right = Big32(&plain[4]);
    bf.EncipherBlock(left, right);
    EXPECT_EQ(left, Big32(&cipher[0]));
    EXPECT_EQ(right, Big32(&cipher[4]));
    bf.DecipherBlock(left, right);
    EXPECT_EQ(left, Big32(&plain[0]));
    EXPECT_EQ(right, Big32(&plain[4]));
  }
}

// The Package keeps each half little-endian: the printed vectors' halves with
// their bytes swapped.
TEST(Blowfish, PublishedVectorsInThePackageByteOrder) {
  for (const Vector& v : kVectors) {
    SCOPED_TRACE(v.key);
    const auto key = Hex(v.key);
    const auto plain = Hex(v.plain);
    const auto cipher = Hex(v.cipher);
    BlowfishCipher bf;
    bf.SetKey(key.data(), key.size());
    unsigned char block[16];
    for (int copy = 0; copy < 2; ++copy) {
      WriteLittle32(block + 8 * copy, Big32(&cipher[0]));
      WriteLittle32(block + 8 * copy + 4, Big32(&cipher[4]));
    }
    bf.DecipherBuffer(block, 2);
    for (int copy = 0; copy < 2; ++copy) {
      for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(block[8 * copy + i], plain[3 - i]);
        EXPECT_EQ(block[8 * copy + 4 + i], plain[7 - i]);
      }
    }
    bf.EncipherBuffer(block, 1);
    EXPECT_EQ(ReadLittle32(block), Big32(&cipher[0]));
    EXPECT_EQ(ReadLittle32(block + 4), Big32(&cipher[4]));
  }
}

TEST(Blowfish, OnlyTheFirst72KeyBytesCount) {
  std::vector<unsigned char> key(495);
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<unsigned char>(i * 7 + 3);
  BlowfishCipher whole, first72, first71;
  whole.SetKey(key.data(), key.size());
  first72.SetKey(key.data(), 72);
  first71.SetKey(key.data(), 71);
  std::uint32_t a = 0x01234567, b = 0x89ABCDEF, c = a, d = b, e = a, f = b;
  whole.EncipherBlock(a, b);
  first72.EncipherBlock(c, d);
  first71.EncipherBlock(e, f);
  EXPECT_EQ(a, c);
  EXPECT_EQ(b, d);
  EXPECT_FALSE(a == e && b == f);
}

}  // namespace
