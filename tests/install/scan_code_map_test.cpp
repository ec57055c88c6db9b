// The scan-code map value: decoding with bounds checks, encoding, kept entries.
#include <gtest/gtest.h>

#include <vector>

#include "install/key_map.h"
#include "package/byte_order.h"
#include "install/key_table.h"
#include "install/scan_code_map.h"

namespace {

std::vector<KeyRow> FreshMap() {
  std::vector<KeyRow> map(keyTable, keyTable + kKeyTableRows);
  for (KeyRow& row : map) row.virtualKey = 0;
  return map;
}

std::vector<unsigned char> Words(std::initializer_list<uint32_t> words) {
  std::vector<unsigned char> bytes(words.size() * 4);
  unsigned char* p = bytes.data();
  for (uint32_t w : words) WriteLittle32(p, w), p += 4;
  return bytes;
}

// Reads value into a fresh map; returns the kept entries.
std::vector<uint32_t> Read(const std::vector<unsigned char>& value, std::vector<KeyRow>& map) {
  std::vector<uint32_t> kept(ScanCodeMapEntries(value.data(), uint32_t(value.size())));
  kept.resize(ReadScanCodeMap(value.data(), uint32_t(value.size()), map.data(), kKeyTableRows,
                              kept.data()));
  NormalizeKeyRows(map.data(), kKeyTableRows);
  return kept;
}

std::vector<unsigned char> Write(const std::vector<KeyRow>& map, const std::vector<uint32_t>& kept) {
  std::vector<unsigned char> out(
      ScanCodeMapSize(RemappedRowCount(map.data(), kKeyTableRows), uint32_t(kept.size())));
  WriteScanCodeMap(map.data(), kKeyTableRows, kept.data(), uint32_t(kept.size()), out.data());
  return out;
}

TEST(ScanCodeMap, DecodesEntriesAndSwitchedOffKeys) {
  std::vector<KeyRow> map = FreshMap();
  // Caps Lock sends Left Control, the left Windows key is off, Esc maps to itself.
  std::vector<uint32_t> kept =
      Read(Words({0, 0, 4, 0x003A001D, 0xE05B0000, 0x00010001, 0}), map);
  EXPECT_TRUE(kept.empty());
  EXPECT_EQ(0x001D, map[57].remapTarget);
  EXPECT_EQ(kKeySwitchedOff, map[129].remapTarget);
  EXPECT_EQ(0, map[0].remapTarget);
}

TEST(ScanCodeMap, SwitchedOffKeyRoundTrip) {
  std::vector<KeyRow> map = FreshMap();
  map[129].remapTarget = kKeySwitchedOff;
  map[57].remapTarget = 0x001D;
  std::vector<unsigned char> value = Write(map, {});
  EXPECT_EQ(Words({0, 0, 3, 0x003A001D, 0xE05B0000, 0}), value);
  std::vector<KeyRow> back = FreshMap();
  Read(value, back);
  EXPECT_EQ(kKeySwitchedOff, back[129].remapTarget);
  EXPECT_EQ(0x001D, back[57].remapTarget);
}

TEST(ScanCodeMap, NothingRemappedIsTheSixteenByteMap) {
  EXPECT_EQ(Words({0, 0, 1, 0}), Write(FreshMap(), {}));
}

TEST(ScanCodeMap, EntriesForUnknownKeysAreKeptAndWrittenBack) {
  std::vector<KeyRow> map = FreshMap();
  // 0x0054 (no row) sends 0x0038; 0x0000 in the high half names no key either.
  std::vector<unsigned char> value = Words({0, 0, 4, 0x00540038, 0x003A001D, 0x00000011, 0});
  std::vector<uint32_t> kept = Read(value, map);
  EXPECT_EQ((std::vector<uint32_t>{0x00540038, 0x00000011}), kept);
  EXPECT_EQ(Words({0, 0, 4, 0x003A001D, 0x00540038, 0x00000011, 0}), Write(map, kept));
}

TEST(ScanCodeMap, MalformedValuesChangeNoKey) {
  struct Case {
    const char* name;
    std::vector<unsigned char> value;
  };
  std::vector<unsigned char> threeBytes = {0, 0, 0};
  std::vector<unsigned char> shortByOne = Words({0, 0, 2, 0x003A001D, 0});
  shortByOne.pop_back();
  const Case cases[] = {
      {"three bytes", threeBytes},
      {"count word 1", Words({0, 0, 1, 0x003A001D, 0})},
      {"count word 0", Words({0, 0, 0, 0x003A001D, 0})},
      {"negative count", Words({0, 0, 0xFFFFFFFF, 0x003A001D, 0})},
      {"huge count", Words({0, 0, 0x7FFFFFFF, 0x003A001D, 0})},
      {"count wraps when multiplied", Words({0, 0, 0x40000001, 0x003A001D, 0})},
      {"size short of the terminator", shortByOne},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<KeyRow> map = FreshMap();
    EXPECT_EQ(0u, ScanCodeMapEntries(c.value.data(), uint32_t(c.value.size())));
    EXPECT_TRUE(Read(c.value, map).empty());
    EXPECT_EQ(0, map[57].remapTarget);
  }
}

TEST(ScanCodeMap, LongerValueReadsTheCountedEntriesOnly) {
  std::vector<KeyRow> map = FreshMap();
  Read(Words({0, 0, 2, 0x003A001D, 0, 0x00010002, 0}), map);
  EXPECT_EQ(0x001D, map[57].remapTarget);
  EXPECT_EQ(0, map[0].remapTarget);
}

TEST(ScanCodeMap, SizeDoesNotOverflow) {
  EXPECT_EQ(16u, ScanCodeMapSize(0, 0));
  EXPECT_EQ(0u, ScanCodeMapSize(144, 0xFFFFFFF0u));
}

}  // namespace
