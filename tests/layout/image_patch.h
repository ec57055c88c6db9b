// The install's patches of a layout library image: chosen virtual keys into the
// scan-code, E0 and E1 tables, and ',' as the keypad decimal character, each
// found by its byte pattern.
#pragma once
#include <cstdint>
#include <vector>

struct KeyChoice {
  unsigned scanCode;  // 0xE0nn / 0xE1nn for prefixed keys
  unsigned vk;
};

// False when a pattern is empty or missing from the image.
[[nodiscard]] bool PatchImage(std::vector<uint8_t>* image, const std::vector<uint8_t>& scanPattern,
                              const std::vector<uint8_t>& e0Pattern, const std::vector<uint8_t>& e1Pattern,
                              const std::vector<uint8_t>& decimalPattern, const std::vector<KeyChoice>& choices);
