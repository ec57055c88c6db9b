// Reading the human-editable text sources: one folder of *.txt files per table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "package/string_table.h"

struct TextEntry {
  StringId id = 0;
  std::string text;   // UTF-8, escapes resolved
  std::string where;  // "file:line", for messages
};

// Parses one source file (format in content/texts/README.md). On error
// returns false with a message naming the file and line.
bool ParseTextSource(const std::string& source, const std::string& fileName,
                     std::vector<TextEntry>* entries, std::string* error);

// All *.txt files of a folder in name order; a StringId given twice is an error.
bool LoadTextFolder(const std::string& folder, std::vector<TextEntry>* entries,
                    std::string* error);

// The string record content of a table: the entries sorted by StringId as
// unsigned numbers, then UTF-8 TextRecords one after another.
std::vector<unsigned char> SerializeTable(std::vector<TextEntry> entries);
