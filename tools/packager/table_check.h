// Checking the four text tables against the catalogue before they are packed.
#pragma once

#include <string>
#include <vector>

#include "packager/catalogue.h"
#include "packager/text_source.h"

// The tables in lookup order for each interface language: language, base, installer.
struct TextTables {
  std::vector<TextEntry> base;
  std::vector<TextEntry> installer;
  std::vector<TextEntry> language[2];  // 0 English, 1 Polish
};

// Every problem found, each naming the StringId; empty when the tables are fit:
// each text is a catalogued id, each used id is found for both interface
// languages, user texts exist in both language tables, format texts take the
// program's arguments, byte patterns are upper-case hexadecimal pairs.
std::vector<std::string> CheckTables(const std::vector<CatalogueEntry>& catalogue,
                                     const TextTables& tables);

// Pairs of "0123456789ABCDEF" digits, at least one pair.
bool IsBytePattern(const std::string& text);
