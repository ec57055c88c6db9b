// The key table and the key model: search, normalising, the key-assignment record.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "install/key_map.h"
#include "install/key_table.h"

namespace {

// A key map as the installer makes it: the table with every choice cleared.
std::vector<KeyRow> FreshMap() {
  std::vector<KeyRow> map(keyTable, keyTable + kKeyTableRows);
  for (KeyRow& row : map) row.virtualKey = 0;
  return map;
}

std::vector<unsigned char> Record(std::initializer_list<std::pair<uint16_t, uint16_t>> entries) {
  std::vector<unsigned char> bytes;
  for (auto [scan, vk] : entries) {
    unsigned char e[4];
    WriteLe16(e, scan);
    WriteLe16(e + 2, vk);
    bytes.insert(bytes.end(), e, e + 4);
  }
  return bytes;
}

std::vector<unsigned char> Build(const std::vector<KeyRow>& map) {
  std::vector<unsigned char> out(KeyAssignmentsSize(map.data(), int(map.size())));
  WriteKeyAssignments(map.data(), int(map.size()), out.data());
  return out;
}

TEST(KeyTable, ListedRowsAndShape) {
  struct Listed {
    int row;
    KeyRow value;
  };
  const Listed listed[] = {
      {0, {0x0001, 0x001B, 175, 0}},   {11, {0x000C, 0x00BD, 308, 0}},
      {53, {0x0036, 0x01A1, 281, 0}},  {57, {0x003A, 0x0014, 174, 0}},
      {70, {0x0047, 0x0C24, 180, 0}},  {75, {0x004C, 0x0C0C, 168, 0}},
      {83, {0x0056, 0x00E2, 317, 0}},  {86, {0x0059, 0x000C, 168, 0}},
      {103, {0x00FF, 0x00FF, 326, 0}}, {104, {0xE010, 0x01B1, 298, 0}},
      {116, {0xE037, 0x002C, 188, 0}}, {119, {0xE047, 0x0124, 180, 0}},
      {128, {0xE053, 0x012E, 190, 0}}, {143, {0xE11D, 0x0013, 173, 0}},
      {144, {0, 0, 154, 0}},           {145, {0, 0, 0, 0}},
  };
  for (const Listed& l : listed) {
    SCOPED_TRACE(l.row);
    EXPECT_EQ(0, std::memcmp(&keyTable[l.row], &l.value, sizeof(KeyRow)));
  }
  // 144 distinct scan codes in ascending order, no remapping anywhere.
  for (int i = 1; i < 144; ++i) EXPECT_LT(keyTable[i - 1].scanCode, keyTable[i].scanCode) << i;
  for (const KeyRow& row : keyTable) EXPECT_EQ(0, row.remapTarget);
  // Eleven names are shared by two rows each: 168, 177 to 184, 189 and 190.
  std::multiset<uint16_t> names;
  for (int i = 0; i < 144; ++i) names.insert(keyTable[i].nameId);
  std::set<uint16_t> twice;
  for (uint16_t id : names) {
    if (names.count(id) > 1) {
      EXPECT_EQ(2u, names.count(id)) << id;
      twice.insert(id);
    }
  }
  EXPECT_EQ((std::set<uint16_t>{168, 177, 178, 179, 180, 181, 182, 183, 184, 189, 190}), twice);
}

TEST(KeyModel, FindStopsAtTheFirstZeroScanCode) {
  std::vector<KeyRow> map = FreshMap();
  EXPECT_EQ(&map[0], FindRowByScanCode(map.data(), kKeyTableRows, 0x0001));
  EXPECT_EQ(&map[143], FindRowByScanCode(map.data(), kKeyTableRows, 0xE11D));
  EXPECT_EQ(&map[103], FindRowByScanCode(map.data(), kKeyTableRows, 0x00FF));
  EXPECT_EQ(nullptr, FindRowByScanCode(map.data(), kKeyTableRows, 0x0000));
  EXPECT_EQ(nullptr, FindRowByScanCode(map.data(), kKeyTableRows, 0x0054));
  EXPECT_EQ(nullptr, FindRowByScanCode(static_cast<const KeyRow*>(nullptr), kKeyTableRows, 0x0001));
  EXPECT_EQ(nullptr, FindRowByScanCode(map.data(), 0, 0x0001));
}

TEST(KeyModel, NormalizeClearsSelfMappingsAndDefaultChoices) {
  std::vector<KeyRow> map = FreshMap();
  map[0].remapTarget = 0x0001;    // mapped to itself
  map[1].remapTarget = 0x0003;    // a real remapping
  map[57].virtualKey = 0x0014;    // the default of 0x003A
  map[58].virtualKey = 0x0014;    // not the default of its row
  map[103].remapTarget = 0x00FF;  // row 103's own scan code is 0x00FF
  NormalizeKeyRows(map.data(), kKeyTableRows);
  EXPECT_EQ(0, map[0].remapTarget);
  EXPECT_EQ(0x0003, map[1].remapTarget);
  EXPECT_EQ(0, map[57].virtualKey);
  EXPECT_EQ(0x0014, map[58].virtualKey);
  EXPECT_EQ(0, map[103].remapTarget);
}

TEST(KeyModel, RecordRoundTrip) {
  std::vector<KeyRow> map = FreshMap();
  std::vector<unsigned char> record =
      Record({{0xE05B, 0x0020}, {0x0010, 0x0041}, {0x0002, 0x0000}, {0x0054, 0x0041}});
  ApplyKeyAssignments(map.data(), kKeyTableRows, record.data(), uint32_t(record.size()));
  NormalizeKeyRows(map.data(), kKeyTableRows);
  EXPECT_EQ(0x0041, map[15].virtualKey);
  EXPECT_EQ(0x0020, map[129].virtualKey);
  EXPECT_EQ(0, map[1].virtualKey);  // virtual key 0 is no choice
  // Written back in table order; the unknown scan code 0x0054 is gone.
  EXPECT_EQ(Record({{0x0010, 0x0041}, {0xE05B, 0x0020}}), Build(map));
}

TEST(KeyModel, RecordEdgeCases) {
  struct Case {
    const char* name;
    std::vector<unsigned char> record;
    uint32_t size;  // bytes passed; the record may be longer
    int row;
    uint16_t expected;
  };
  std::vector<unsigned char> six = Record({{0x0010, 0x0041}, {0x0011, 0x0042}});
  const Case cases[] = {
      // A 6-byte record is one entry; the last two bytes are ignored.
      {"six bytes", six, 6, 15, 0x0041},
      {"six bytes, second key", six, 6, 16, 0},
      {"later entry wins", Record({{0x0010, 0x0041}, {0x0010, 0x0042}}), 8, 15, 0x0042},
      {"default is no choice", Record({{0x003A, 0x0014}}), 4, 57, 0},
      {"three bytes", Record({{0x0010, 0x0041}}), 3, 15, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<KeyRow> map = FreshMap();
    ApplyKeyAssignments(map.data(), kKeyTableRows, c.record.data(), c.size);
    NormalizeKeyRows(map.data(), kKeyTableRows);
    EXPECT_EQ(c.expected, map[c.row].virtualKey);
  }
}

TEST(KeyModel, NoChoiceGivesAnEmptyRecord) {
  std::vector<KeyRow> map = FreshMap();
  EXPECT_EQ(0u, KeyAssignmentsSize(map.data(), kKeyTableRows));
  // The empty-choice row after the keys is never written.
  map[144].virtualKey = 0x0041;
  EXPECT_EQ(0u, KeyAssignmentsSize(map.data(), kKeyTableRows));
}

TEST(KeyModel, ManyThousandEntriesStayInBounds) {
  std::vector<unsigned char> record;
  for (int i = 0; i < 20000; ++i) {
    unsigned char e[4];
    WriteLe16(e, uint16_t(i));
    WriteLe16(e + 2, uint16_t(0x100 + i % 7));
    record.insert(record.end(), e, e + 4);
  }
  record.push_back(0xAB);  // odd length
  std::vector<KeyRow> map = FreshMap();
  ApplyKeyAssignments(map.data(), kKeyTableRows, record.data(), uint32_t(record.size()));
  // Rows 0 to 103 have scan codes below 20000 and got a choice; the extended
  // keys from row 104 on did not. 0x0010 = 16 got 0x100 + 16 % 7.
  EXPECT_EQ(0x0102, map[15].virtualKey);
  EXPECT_EQ(0, map[104].virtualKey);
  EXPECT_EQ(104u * 4, KeyAssignmentsSize(map.data(), kKeyTableRows));
}

}  // namespace
