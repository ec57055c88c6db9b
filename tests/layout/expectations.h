// What the layout compiler says one built library must contain (.expect file).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ExpectedKey {
  unsigned scan;
  unsigned vk;
};

struct ExpectedChar {
  unsigned vk;
  unsigned modBits;  // Shift 1, Ctrl 2, Alt 4; AltGr is 6
  unsigned ch;
};

struct ExpectedDead {
  unsigned vk;
  unsigned modBits;
  unsigned accent;
  std::string name;
};

struct ExpectedCompose {
  unsigned accent;
  unsigned base;
  unsigned composed;
};

struct ExpectedName {
  unsigned scan;
  std::string name;
};

struct ExpectedPattern {
  int id;
  std::vector<uint8_t> bytes;
};

struct Expectations {
  std::string set;  // "normal" or "alternative"
  int variant = -1;
  unsigned displayId = 0;    // string resource of the display name
  std::string displayName;
  std::string displayNamePolish;  // the same string resource in Polish
  uint32_t localeFlags = 0;
  uint32_t type = 0;
  uint32_t subtype = 0;
  std::vector<ExpectedKey> scanTable, e0, e1;
  std::vector<ExpectedKey> caps;  // vk -> attributes
  std::vector<ExpectedChar> chars;
  std::vector<ExpectedDead> dead;
  std::vector<ExpectedCompose> compose;
  std::vector<ExpectedName> names, namesExt;
  std::vector<ExpectedPattern> patterns;

  [[nodiscard]] const std::vector<uint8_t>* Pattern(int id) const;
};

// Reads an .expect file; false with a reason on a file it cannot read.
[[nodiscard]] bool ReadExpectations(const char* path, Expectations* out, std::string* error);
