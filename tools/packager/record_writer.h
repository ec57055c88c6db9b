// Building Package records: header, CRCs, raw DEFLATE, padding, encipherment.
#pragma once

#include <cstdint>
#include <vector>

#include "package/blowfish.h"

class CGuard;

using Bytes = std::vector<unsigned char>;

// The deciphered form of a record holding `content`: header, raw DEFLATE at
// zlib's best compression, zero padding to a multiple of 8 bytes.
Bytes BuildPlainRecord(const Bytes& content, std::uint32_t extra);

// The cipher that the program derives from the guard block.
BlowfishCipher CipherFromGuard(const CGuard& guard);

// Enciphers a plain record in place (its size is a multiple of 8).
void EncipherRecord(const BlowfishCipher& cipher, Bytes* record);

// BuildPlainRecord then EncipherRecord: the block as the program stores it.
Bytes SealRecord(const BlowfishCipher& cipher, const Bytes& content, std::uint32_t extra);
