// Operations of the key model over arrays of key rows: search, normalising and
// the key-assignment record (4-byte entries: scan code, virtual key, little-endian).
#pragma once

#include <cstdint>

#include "key_table.h"

// The row with this scan code among the rows before the first zero scan code, or null.
KeyRow* FindRowByScanCode(KeyRow* rows, int count, uint16_t scanCode);
const KeyRow* FindRowByScanCode(const KeyRow* rows, int count, uint16_t scanCode);

// Row by row against the key table at the same position: a remapping to the
// key itself and a choice equal to the default are no change at all.
void NormalizeKeyRows(KeyRow* rows, int count);

// Applies a key-assignment record: each entry sets the chosen virtual key of
// the first row with its scan code; entries with virtual key 0 change nothing,
// later entries win, and a trailing partial entry is ignored.
void ApplyKeyAssignments(KeyRow* rows, int count, const unsigned char* bytes, uint32_t byteCount);

// Size in bytes of the record for the rows with a choice (before the first zero scan code).
uint32_t KeyAssignmentsSize(const KeyRow* rows, int count);
// Writes that record, in row order, into out (KeyAssignmentsSize bytes).
void WriteKeyAssignments(const KeyRow* rows, int count, unsigned char* out);

// Little-endian 16-bit access to the registry's byte layouts (the 32-bit
// forms are in package/byte_order.h).
inline uint16_t ReadLe16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }
inline void WriteLe16(unsigned char* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
