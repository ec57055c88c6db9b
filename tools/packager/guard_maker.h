// Making the guard block the program carries: 968 reproducible pseudo-random bytes.
#pragma once

#include <cstdint>

#include "packager/record_writer.h"

constexpr std::uint32_t kGuardBlockSize = 968;

// The same seed always gives the same block, so builds are reproducible.
Bytes MakeGuardBlock(std::uint64_t seed);
