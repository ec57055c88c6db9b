// Builds a string record's content from test texts and hands it to the installer.
#include "test_texts.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "install/key_map.h"
#include "package/byte_order.h"

void FillTable(StringTable& table, std::initializer_list<TestText> texts) {
  const uint32_t count = uint32_t(texts.size());
  std::vector<unsigned char> area;
  std::vector<unsigned char> entries;
  for (const TestText& t : texts) {
    unsigned char entry[8];
    WriteLittle32(entry, t.id);
    WriteLittle32(entry + 4, uint32_t(area.size()));
    entries.insert(entries.end(), entry, entry + 8);
    uint32_t units = 0;
    while (t.text[units]) ++units;
    unsigned char header[4];
    StoreTextHeader(header, false, units);
    area.insert(area.end(), header, header + 4);
    for (uint32_t i = 0; i < units; ++i) {
      area.push_back(uint8_t(t.text[i]));
      area.push_back(uint8_t(t.text[i] >> 8));
    }
  }
  const uint32_t size = uint32_t(entries.size() + area.size());
  unsigned char* buffer = static_cast<unsigned char*>(std::malloc(size));
  std::memcpy(buffer, entries.data(), entries.size());
  std::memcpy(buffer + entries.size(), area.data(), area.size());
  if (!table.SetData(buffer, size, count)) std::free(buffer);
}

void UseTestTexts(CInstall& install, std::initializer_list<TestText> texts) {
  install.ReleaseTexts();
  FillTable(install.installerTexts, texts);
}
