// Test texts for the installer object: string tables built in memory.
#pragma once

#include <initializer_list>

#include "install/install.h"

struct TestText {
  StringId id;
  const char16_t* text;
};

// Fills a table with these texts (ids ascending) as UTF-16 records.
void FillTable(StringTable& table, std::initializer_list<TestText> texts);

// Replaces every text table of the installer by one installer table of these texts.
void UseTestTexts(CInstall& install, std::initializer_list<TestText> texts);
