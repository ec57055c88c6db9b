// Making the guard block the program carries: 968 reproducible pseudo-random bytes.
#include "packager/guard_maker.h"

Bytes MakeGuardBlock(std::uint64_t seed) {
  Bytes block(kGuardBlockSize);
  std::uint64_t state = seed;
  for (std::size_t i = 0; i < block.size(); i += 8) {
    // splitmix64: well spread bytes from a counter, enough for key material
    // that is only meant to be out of plain sight.
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    for (std::size_t j = 0; j < 8 && i + j < block.size(); ++j) {
      block[i + j] = static_cast<unsigned char>(z >> (8 * j));
    }
  }
  return block;
}
