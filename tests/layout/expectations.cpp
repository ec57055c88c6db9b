// Reads the layout compiler's .expect files: one fact a line, hexadecimal numbers.
#include "expectations.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const std::vector<uint8_t>* Expectations::Pattern(int id) const {
  for (const ExpectedPattern& p : patterns)
    if (p.id == id) return &p.bytes;
  return nullptr;
}

namespace {

unsigned Hex(const char* text) { return static_cast<unsigned>(std::strtoul(text, nullptr, 16)); }

// The text after the first `skip` words of a line.
std::string Rest(const char* line, int skip) {
  const char* at = line;
  for (int i = 0; i < skip; ++i) {
    while (*at == ' ') ++at;
    while (*at && *at != ' ') ++at;
  }
  while (*at == ' ') ++at;
  return std::string(at);
}

bool ParseLine(const char* line, Expectations* e) {
  char word[16] = {};
  char a[64] = {}, b[256] = {}, c[64] = {};
  int n = std::sscanf(line, "%15s %63s %255s %63s", word, a, b, c);
  if (n < 1) return true;
  std::string kind = word;
  if (kind == "image" && n >= 3) {
    e->set = a;
    e->variant = std::atoi(b);
  } else if (kind == "display" && n >= 3) {
    e->displayId = static_cast<unsigned>(std::atoi(a));
    e->displayName = Rest(line, 2);
  } else if (kind == "display-pl" && n >= 3) {
    e->displayNamePolish = Rest(line, 2);
  } else if (kind == "flags" && n == 4) {
    e->localeFlags = Hex(a);
    e->type = static_cast<uint32_t>(std::atoi(b));
    e->subtype = static_cast<uint32_t>(std::atoi(c));
  } else if ((kind == "vsc" || kind == "e0" || kind == "e1" || kind == "caps") && n == 3) {
    ExpectedKey key{Hex(a), Hex(b)};
    (kind == "vsc" ? e->scanTable : kind == "e0" ? e->e0 : kind == "e1" ? e->e1 : e->caps).push_back(key);
  } else if (kind == "char" && n == 4) {
    e->chars.push_back({Hex(a), Hex(b), Hex(c)});
  } else if (kind == "dead" && n >= 4) {
    e->dead.push_back({Hex(a), Hex(b), Hex(c), Rest(line, 4)});
  } else if (kind == "compose" && n == 4) {
    e->compose.push_back({Hex(a), Hex(b), Hex(c)});
  } else if ((kind == "name" || kind == "namex") && n >= 3) {
    (kind == "name" ? e->names : e->namesExt).push_back({Hex(a), Rest(line, 2)});
  } else if (kind == "pattern" && n == 3) {
    ExpectedPattern p{std::atoi(a), {}};
    for (size_t i = 0; b[i] && b[i + 1]; i += 2) {
      char pair[3] = {b[i], b[i + 1], 0};
      p.bytes.push_back(static_cast<uint8_t>(Hex(pair)));
    }
    e->patterns.push_back(p);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ReadExpectations(const char* path, Expectations* out, std::string* error) {
  FILE* file = std::fopen(path, "r");
  if (!file) {
    *error = std::string("cannot open ") + path;
    return false;
  }
  char line[512];
  int number = 0;
  bool ok = true;
  while (ok && std::fgets(line, sizeof line, file)) {
    ++number;
    line[std::strcspn(line, "\r\n")] = 0;
    if (!ParseLine(line, out)) {
      *error = std::string(path) + ": bad line " + std::to_string(number);
      ok = false;
    }
  }
  std::fclose(file);
  if (ok && (out->variant < 0 || out->scanTable.empty())) {
    *error = std::string(path) + ": no image or scan table";
    ok = false;
  }
  return ok;
}
