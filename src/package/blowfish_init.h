// The standard Blowfish initial values for the P-array and the four S-boxes.
#pragma once

#include <cstdint>

constexpr int kBlowfishRounds = 16;

extern const std::uint32_t kBlowfishInitialP[kBlowfishRounds + 2];
extern const std::uint32_t kBlowfishInitialS[4][256];
