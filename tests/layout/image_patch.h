// The install's patches of a layout library image: chosen virtual keys into the
// scan-code, E0 and E1 tables, and ',' as the keypad decimal character, each
// found by its byte pattern.
#pragma once
#include <cstdint>
#include <vector>

struct KeyChoice {
  unsigned scanCode;  // 0xE0nn / 0xE1nn for prefixed keys
  unsigned vk;        // 0: no choice, the library keeps its own
};

struct ImagePatterns {
  std::vector<uint8_t> scan, e0, e1, decimal;
};

// False when a pattern the patch needs is empty or missing from the image: the
// three tables' patterns whenever there are choices, the decimal pattern only
// when the ',' decimal is wanted.
[[nodiscard]] bool PatchImage(std::vector<uint8_t>* image, const ImagePatterns& patterns,
                              const std::vector<KeyChoice>& choices, bool commaDecimal);
