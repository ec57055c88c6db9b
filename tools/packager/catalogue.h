// The catalogue of StringIds the program uses: kind, arguments, audience.
#pragma once

#include <string>
#include <vector>

#include "package/string_table.h"

enum class ArgumentKind { kInteger, kText };

// Kinds of text that the checks care about; others are only names.
enum TextKind : unsigned {
  kKindFormat = 1u << 0,
  kKindPattern = 1u << 1,
  kKindOther = 1u << 2,
};

struct CatalogueEntry {
  StringId id = 0;
  unsigned kinds = 0;
  std::vector<ArgumentKind> arguments;  // format texts: what the program passes, in order
  bool forUsers = false;                // shown to users: needs an English and a Polish text
  std::string where;
};

// Format of a catalogue line: "<id>[-<last id>] <kind>[,<kind>] <arguments|-> <user|->",
// arguments a comma list of "int" and "text"; '#' starts a comment line.
bool ParseCatalogue(const std::string& source, const std::string& fileName,
                    std::vector<CatalogueEntry>* entries, std::string* error);
bool LoadCatalogue(const std::string& path, std::vector<CatalogueEntry>* entries,
                   std::string* error);

std::string DescribeArguments(const std::vector<ArgumentKind>& arguments);
