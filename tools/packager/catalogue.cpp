// The catalogue of StringIds the program uses: kind, arguments, audience.
#include "packager/catalogue.h"

#include <fstream>
#include <set>
#include <sstream>

namespace {

const char* const kOtherKinds[] = {"regkey",  "regvalue", "path",    "message",
                                   "page",    "platform", "content", "keyname"};

bool ParseKinds(const std::string& word, unsigned* kinds) {
  std::istringstream parts(word);
  std::string kind;
  *kinds = 0;
  while (std::getline(parts, kind, ',')) {
    if (kind == "format") {
      *kinds |= kKindFormat;
    } else if (kind == "pattern") {
      *kinds |= kKindPattern;
    } else {
      bool known = false;
      for (const char* other : kOtherKinds) known = known || kind == other;
      if (!known) return false;
      *kinds |= kKindOther;
    }
  }
  return *kinds != 0;
}

bool ParseArguments(const std::string& word, std::vector<ArgumentKind>* arguments) {
  if (word == "-") return true;
  std::istringstream parts(word);
  std::string kind;
  while (std::getline(parts, kind, ',')) {
    if (kind == "int") {
      arguments->push_back(ArgumentKind::kInteger);
    } else if (kind == "text") {
      arguments->push_back(ArgumentKind::kText);
    } else {
      return false;
    }
  }
  return !arguments->empty();
}

bool ParseRange(const std::string& word, StringId* first, StringId* last) {
  const std::size_t dash = word.find('-');
  const std::string a = word.substr(0, dash);
  const std::string b = dash == std::string::npos ? a : word.substr(dash + 1);
  if (a.empty() || b.empty() || a.size() > 9 || b.size() > 9) return false;
  for (char c : a + b) {
    if (c < '0' || c > '9') return false;
  }
  *first = static_cast<StringId>(std::stoul(a));
  *last = static_cast<StringId>(std::stoul(b));
  return *first <= *last;
}

}  // namespace

bool ParseCatalogue(const std::string& source, const std::string& fileName,
                    std::vector<CatalogueEntry>* entries, std::string* error) {
  std::istringstream lines(source);
  std::string line;
  int lineNumber = 0;
  std::set<StringId> seen;
  while (std::getline(lines, line)) {
    ++lineNumber;
    const std::string where = fileName + ":" + std::to_string(lineNumber);
    std::istringstream words(line);
    std::string range, kinds, arguments, audience, rest;
    if (!(words >> range) || range[0] == '#') continue;
    StringId first = 0, last = 0;
    CatalogueEntry entry;
    entry.where = where;
    if (!(words >> kinds >> arguments >> audience) || (words >> rest) ||
        !ParseRange(range, &first, &last) || !ParseKinds(kinds, &entry.kinds) ||
        !ParseArguments(arguments, &entry.arguments) || (audience != "user" && audience != "-")) {
      *error = where + ": expected \"<id>[-<id>] <kind>[,<kind>] <int|text,...|-> <user|->\"";
      return false;
    }
    if (!entry.arguments.empty() && (entry.kinds & kKindFormat) == 0) {
      *error = where + ": only format texts take arguments";
      return false;
    }
    entry.forUsers = audience == "user";
    for (std::uint64_t id = first; id <= last; ++id) {
      entry.id = static_cast<StringId>(id);
      if (!seen.insert(entry.id).second) {
        *error = where + ": StringId " + std::to_string(entry.id) + " is listed twice";
        return false;
      }
      entries->push_back(entry);
    }
  }
  return true;
}

bool LoadCatalogue(const std::string& path, std::vector<CatalogueEntry>* entries,
                   std::string* error) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  if (!file) {
    *error = path + ": cannot read the catalogue";
    return false;
  }
  return ParseCatalogue(content.str(), path, entries, error);
}

std::string DescribeArguments(const std::vector<ArgumentKind>& arguments) {
  if (arguments.empty()) return "no arguments";
  std::string text;
  for (ArgumentKind kind : arguments) {
    if (!text.empty()) text += ", ";
    text += kind == ArgumentKind::kInteger ? "integer" : "UTF-16 text";
  }
  return text;
}
