// Checking the four text tables against the catalogue before they are packed.
#include "packager/table_check.h"

#include <map>

#include "packager/format_check.h"

namespace {

const char* const kLanguageNames[2] = {"English", "Polish"};

struct NamedTable {
  const char* name;
  const std::vector<TextEntry>* entries;
};

const TextEntry* Find(const std::vector<TextEntry>& entries, StringId id) {
  for (const TextEntry& entry : entries) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

std::string Id(StringId id) { return "text " + std::to_string(id); }

}  // namespace

bool IsBytePattern(const std::string& text) {
  if (text.empty() || text.size() % 2 != 0) return false;
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

std::vector<std::string> CheckTables(const std::vector<CatalogueEntry>& catalogue,
                                     const TextTables& tables) {
  std::vector<std::string> problems;
  std::map<StringId, const CatalogueEntry*> byId;
  for (const CatalogueEntry& entry : catalogue) byId[entry.id] = &entry;

  const NamedTable all[] = {{"base", &tables.base},
                            {"installer", &tables.installer},
                            {"en", &tables.language[0]},
                            {"pl", &tables.language[1]}};
  for (const NamedTable& table : all) {
    for (const TextEntry& text : *table.entries) {
      const auto found = byId.find(text.id);
      if (found == byId.end()) {
        problems.push_back(text.where + ": " + Id(text.id) +
                           " is not in the catalogue of StringIds the program uses");
        continue;
      }
      const CatalogueEntry& use = *found->second;
      std::string reason;
      if ((use.kinds & kKindFormat) && !CheckFormat(text.text, use.arguments, &reason)) {
        problems.push_back(text.where + ": " + Id(text.id) + " (format; arguments: " +
                           DescribeArguments(use.arguments) + "): " + reason);
      }
      if ((use.kinds & kKindPattern) && !IsBytePattern(text.text)) {
        problems.push_back(text.where + ": " + Id(text.id) +
                           " (byte pattern) is not pairs of upper-case hexadecimal digits "
                           "0123456789ABCDEF");
      }
    }
  }

  for (const CatalogueEntry& use : catalogue) {
    for (int language = 0; language < 2; ++language) {
      const std::vector<TextEntry>& own = tables.language[language];
      if (use.forUsers && Find(own, use.id) == nullptr) {
        problems.push_back(use.where + ": " + Id(use.id) + " is shown to users but has no " +
                           kLanguageNames[language] + " text (table " + all[2 + language].name +
                           ")");
      } else if (Find(own, use.id) == nullptr && Find(tables.base, use.id) == nullptr &&
                 Find(tables.installer, use.id) == nullptr) {
        problems.push_back(use.where + ": " + Id(use.id) + " is used but interface language " +
                           std::to_string(language) + " (" + kLanguageNames[language] +
                           ") finds it in none of " + all[2 + language].name +
                           ", base, installer");
      }
    }
  }
  return problems;
}
