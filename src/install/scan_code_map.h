// The machine's scan-code map value, decoded into and encoded from key rows.
//
// Layout, little-endian 32-bit words: 0, 0, entry count + 1, one word per
// remapped key (low half: the scan code sent instead, 0 = switched off; high
// half: the key's own scan code), then a zero terminator.
#pragma once

#include <cstdint>

#include "key_table.h"

// Entries of a value that can be read: at least 16 bytes, a count word above 1
// and enough bytes for all entries and the terminator. 0 for anything else.
uint32_t ScanCodeMapEntries(const unsigned char* value, uint32_t size);

// Sets the remapping target of each row an entry names (a zero target reads as
// switched off). Entries for scan codes that no row has are copied unchanged
// into kept, which has room for ScanCodeMapEntries words; returns how many.
uint32_t ReadScanCodeMap(const unsigned char* value, uint32_t size, KeyRow* rows, int count,
                         uint32_t* kept);

// Rows with a remapping target, before the first zero scan code.
uint32_t RemappedRowCount(const KeyRow* rows, int count);

// Bytes of a value with these many entries; 0 when that does not fit 32 bits.
uint32_t ScanCodeMapSize(uint32_t remappedRows, uint32_t keptCount);

// Writes the value: the remapped rows in row order, then the kept entries as
// they were read. out holds ScanCodeMapSize bytes.
void WriteScanCodeMap(const KeyRow* rows, int count, const uint32_t* kept, uint32_t keptCount,
                      unsigned char* out);
