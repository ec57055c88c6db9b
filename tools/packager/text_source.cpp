// Reading the human-editable text sources: one folder of *.txt files per table.
#include "packager/text_source.h"

#include <dirent.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "package/byte_order.h"
#include "packager/utf8.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool ParseId(const std::string& word, StringId* id) {
  if (word.empty()) return false;
  std::uint64_t value = 0;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    for (std::size_t i = 2; i < word.size(); ++i) {
      const int digit = HexValue(word[i]);
      if (digit < 0) return false;
      value = value * 16 + static_cast<unsigned>(digit);
      if (value > 0xFFFFFFFFull) return false;
    }
  } else {
    for (char c : word) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + static_cast<unsigned>(c - '0');
      if (value > 0xFFFFFFFFull) return false;
    }
  }
  *id = static_cast<StringId>(value);
  return true;
}

// Resolves the escapes of one piece of text; false with a reason on error.
bool Unescape(const std::string& raw, std::string* out, std::string* reason) {
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(raw[i]);
    if (c < 0x20 || c == 0x7F) {
      *reason = "raw control character; write it as an escape (\\t, \\n, \\r, \\uXXXX)";
      return false;
    }
    if (c != '\\') {
      out->push_back(static_cast<char>(c));
      continue;
    }
    if (++i == raw.size()) {
      *reason = "backslash at the end of the line";
      return false;
    }
    switch (raw[i]) {
      case 'n': out->push_back('\n'); break;
      case 'r': out->push_back('\r'); break;
      case 't': out->push_back('\t'); break;
      case 's': out->push_back(' '); break;
      case '\\': out->push_back('\\'); break;
      case 'u': {
        std::uint32_t code = 0;
        for (int k = 0; k < 4; ++k) {
          const int digit = i + 1 < raw.size() ? HexValue(raw[++i]) : -1;
          if (digit < 0) {
            *reason = "\\u needs four hexadecimal digits";
            return false;
          }
          code = code * 16 + static_cast<std::uint32_t>(digit);
        }
        if (code == 0 || (code >= 0xD800 && code <= 0xDFFF)) {
          *reason = "\\u of zero or of a surrogate";
          return false;
        }
        AppendUtf8(static_cast<char16_t>(code), out);
        break;
      }
      default:
        *reason = std::string("unknown escape \\") + raw[i];
        return false;
    }
  }
  return true;
}

}  // namespace

bool ParseTextSource(const std::string& source, const std::string& fileName,
                     std::vector<TextEntry>* entries, std::string* error) {
  if (!IsValidUtf8(source)) {
    *error = fileName +
             ": not valid UTF-8, or a character beyond U+FFFF that the program cannot decode";
    return false;
  }
  std::istringstream lines(source);
  std::string line;
  int lineNumber = 0;
  TextEntry* last = nullptr;
  while (std::getline(lines, line)) {
    ++lineNumber;
    const std::string where = fileName + ":" + std::to_string(lineNumber);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    while (!line.empty() && IsBlank(line.back())) line.pop_back();
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) ++start;
    if (start == line.size() || line[start] == '#') continue;

    std::string reason;
    if (line[start] == '+' || line[start] == '|') {
      if (last == nullptr) {
        *error = where + ": continuation line without a text before it";
        return false;
      }
      // '+' continues exactly (scripts, file contents); '|' continues wrapped
      // prose, with one space between the lines.
      if (line[start] == '|') last->text.push_back(' ');
      std::size_t from = start + 1;
      while (from < line.size() && IsBlank(line[from])) ++from;
      if (!Unescape(line.substr(from), &last->text, &reason)) {
        *error = where + ": text " + std::to_string(last->id) + ": " + reason;
        return false;
      }
      continue;
    }
    if (start != 0) {
      *error = where + ": a text line starts with its StringId in the first column";
      return false;
    }
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    TextEntry entry;
    if (!ParseId(line.substr(0, end), &entry.id)) {
      *error = where + ": \"" + line.substr(0, end) + "\" is not a StringId";
      return false;
    }
    while (end < line.size() && IsBlank(line[end])) ++end;
    if (!Unescape(line.substr(end), &entry.text, &reason)) {
      *error = where + ": text " + std::to_string(entry.id) + ": " + reason;
      return false;
    }
    entry.where = where;
    entries->push_back(entry);
    last = &entries->back();
  }
  return true;
}

bool LoadTextFolder(const std::string& folder, std::vector<TextEntry>* entries,
                    std::string* error) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) {
    *error = folder + ": cannot open the folder";
    return false;
  }
  std::vector<std::string> names;
  while (const dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0) names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string path = folder + "/" + name;
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    if (!file) {
      *error = path + ": cannot read the file";
      return false;
    }
    if (!ParseTextSource(content.str(), path, entries, error)) return false;
  }
  std::vector<const TextEntry*> sorted;
  for (const TextEntry& entry : *entries) sorted.push_back(&entry);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const TextEntry* a, const TextEntry* b) { return a->id < b->id; });
  for (std::size_t i = 1; i < sorted.size(); ++i) {
    if (sorted[i]->id == sorted[i - 1]->id) {
      *error = sorted[i]->where + ": text " + std::to_string(sorted[i]->id) +
               " is given twice (also at " + sorted[i - 1]->where + ")";
      return false;
    }
  }
  return true;
}

std::vector<unsigned char> SerializeTable(std::vector<TextEntry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const TextEntry& a, const TextEntry& b) { return a.id < b.id; });
  std::vector<unsigned char> out(entries.size() * 8);
  std::vector<unsigned char> texts;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    WriteLittle32(&out[i * 8], entries[i].id);
    WriteLittle32(&out[i * 8 + 4], static_cast<std::uint32_t>(texts.size()));
    const std::string& text = entries[i].text;
    unsigned char header[TextRecord::kHeaderSize];
    StoreTextHeader(header, true, static_cast<std::uint32_t>(text.size()));
    texts.insert(texts.end(), header, header + sizeof(header));
    texts.insert(texts.end(), text.begin(), text.end());
  }
  out.insert(out.end(), texts.begin(), texts.end());
  return out;
}
