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

// Sets the virtual key of a prefixed scan code in a table of 4-byte rows.
void PatchPrefixed(std::vector<uint8_t>* image, size_t table, unsigned low, unsigned vk) {
  for (size_t row = table; row + 3 < image->size() && (*image)[row]; row += 4) {
    if ((*image)[row] == low) {
      PutWord(image, row + 2, vk);
      return;
    }
  }
}

}  // namespace

bool PatchImage(std::vector<uint8_t>* image, const std::vector<uint8_t>& scanPattern,
                const std::vector<uint8_t>& e0Pattern, const std::vector<uint8_t>& e1Pattern,
                const std::vector<uint8_t>& decimalPattern, const std::vector<KeyChoice>& choices) {
  long scan = Find(*image, scanPattern), e0 = Find(*image, e0Pattern), e1 = Find(*image, e1Pattern);
  long decimal = Find(*image, decimalPattern);
  if (scan < 0 || e0 < 0 || e1 < 0 || decimal < 0) return false;
  for (const KeyChoice& choice : choices) {
    if (choice.vk == 0) continue;
    if (choice.scanCode < 0x7F)
      PutWord(image, static_cast<size_t>(scan) + 2 * choice.scanCode, choice.vk);
    else if ((choice.scanCode & 0xFF00) == 0xE000)
      PatchPrefixed(image, static_cast<size_t>(e0), choice.scanCode & 0xFF, choice.vk);
    else if ((choice.scanCode & 0xFF00) == 0xE100)
      PatchPrefixed(image, static_cast<size_t>(e1), choice.scanCode & 0xFF, choice.vk);
  }
  (*image)[static_cast<size_t>(decimal)] = ',';
  (*image)[static_cast<size_t>(decimal) + 2] = ',';
  return true;
}
