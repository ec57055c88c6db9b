// Patches a layout library image the way the install does before it places it.
#include "image_patch.h"

#include <algorithm>

namespace {

long Find(const std::vector<uint8_t>& image, const std::vector<uint8_t>& pattern) {
  if (pattern.empty()) return -1;
  auto at = std::search(image.begin(), image.end(), pattern.begin(), pattern.end());
  return at == image.end() ? -1 : static_cast<long>(at - image.begin());
}

void PutWord(std::vector<uint8_t>* image, size_t at, unsigned value) {
  if (at + 1 >= image->size()) return;
  (*image)[at] = static_cast<uint8_t>(value);
  (*image)[at + 1] = static_cast<uint8_t>(value >> 8);
}

// Sets the virtual key of one prefix's scan codes in its table of 4-byte rows
// (scan code, unused byte, 16-bit virtual key; a zero scan code ends it).
void PatchPrefixed(std::vector<uint8_t>* image, size_t table, unsigned prefix,
                   const std::vector<KeyChoice>& choices) {
  for (const KeyChoice& choice : choices) {
    if ((choice.scanCode & 0xFF00) != prefix || choice.vk == 0) continue;
    for (size_t row = table; row + 3 < image->size() && (*image)[row]; row += 4) {
      if ((*image)[row] == (choice.scanCode & 0xFF)) {
        PutWord(image, row + 2, choice.vk);
        break;
      }
    }
  }
}

}  // namespace

bool PatchImage(std::vector<uint8_t>* image, const ImagePatterns& patterns,
                const std::vector<KeyChoice>& choices, bool commaDecimal) {
  if (!choices.empty()) {
    long scan = Find(*image, patterns.scan);
    if (scan < 0) return false;
    for (const KeyChoice& choice : choices)
      if (choice.scanCode < 0x7F && choice.vk != 0)
        PutWord(image, static_cast<size_t>(scan) + 2 * choice.scanCode, choice.vk);
    long e0 = Find(*image, patterns.e0);
    if (e0 < 0) return false;
    PatchPrefixed(image, static_cast<size_t>(e0), 0xE000, choices);
    long e1 = Find(*image, patterns.e1);
    if (e1 < 0) return false;
    PatchPrefixed(image, static_cast<size_t>(e1), 0xE100, choices);
  }
  if (commaDecimal) {
    long decimal = Find(*image, patterns.decimal);
    if (decimal < 0) return false;
    (*image)[static_cast<size_t>(decimal)] = ',';
    (*image)[static_cast<size_t>(decimal) + 2] = ',';
  }
  return true;
}
