// The constant table of physical keys that the key map starts from.
#pragma once

#include <cstdint>

// One key: its scan code (0xE0/0xE1 in the high byte for extended keys), a
// virtual key with the layout-table flag bits in the high byte, the StringId of
// its name, and a system-level remapping target (0 none, 0x00FF switched off).
struct KeyRow {
  uint16_t scanCode;
  uint16_t virtualKey;
  uint16_t nameId;
  uint16_t remapTarget;
};
static_assert(sizeof(KeyRow) == 8, "four 16-bit fields");

constexpr int kKeyTableRows = 146;
// Rows 0 to 143 are keys; row 144 is the empty choice (scan code 0, so every
// search by scan code stops there) and row 145 is all zero.
extern const KeyRow keyTable[kKeyTableRows];

// A remapping target meaning "the key is switched off".
constexpr uint16_t kKeySwitchedOff = 0x00FF;
