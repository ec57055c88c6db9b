// Upper-case mapping of UTF-16 units and GString::MakeUpper.
#include "gstring.h"
#include "upper_table.h"

namespace {

bool In(char16_t u, char16_t lo, char16_t hi) {
  return u >= lo && u <= hi;
}

// Ranges where every odd unit is the lower-case partner of the unit before it.
constexpr char16_t kOddPairRanges[][2] = {
    {0x101, 0x12F},  {0x14B, 0x177},   {0x1F9, 0x21F},   {0x48B, 0x4BF},  {0x4D1, 0x525},
    {0x1E01, 0x1E95}, {0x1EA1, 0x1EFF}, {0x2C81, 0x2CE3}, {0xA733, 0xA76F},
};

char16_t FromTable(char16_t u) {
  int lo = 0;
  int hi = kUpperTableSize - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    if (kUpperTable[mid].lower == u) return kUpperTable[mid].upper;
    if (kUpperTable[mid].lower < u) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return u;
}

}  // namespace

// Range tests answer the dense scripts; the generated table the scattered rest.
// tools/gen_upper_table.py mirrors these rules to know what the table must hold.
char16_t ToUpper(char16_t u) {
  if (u < 0x61) return u;
  if (u <= 0x7A) return u - 0x20;
  if (u <= 0xDF) return u;
  if (In(u, 0xE0, 0xF6)) return u - 0x20;
  if (In(u, 0x430, 0x44F) || In(u, 0xFF41, 0xFF5A)) return u - 0x20;
  if (u & 1) {
    for (const auto& range : kOddPairRanges) {
      if (In(u, range[0], range[1])) return u - 1;
    }
  }
  if (In(u, 0x561, 0x586) || In(u, 0x2C30, 0x2C5E)) return u - 0x30;
  if (In(u, 0x24D0, 0x24E9)) return u - 0x1A;
  if (In(u, 0x2D00, 0x2D25)) return u - 0x1C60;
  if (In(u, 0x4D0, 0x1D78) || In(u, 0x2185, 0x2C60) || In(u, 0x2CEF, 0xA640) || u > 0xA78C) return u;
  return FromTable(u);
}

int GString::MakeUpper() {
  if (Wide) {
    char16_t* text = static_cast<char16_t*>(Terminate());
    for (int i = 0; i < Length; ++i) text[i] = ToUpper(text[i]);
    return 1;
  }
  if (Length == 0) return 1;
  // Upper-casing may change the UTF-8 length (U+0131 to "I"), so the text goes
  // through UTF-16 in the Scratch.
  if (!PrepareScratch() || !Scratch->AssignAsWide(this)) return 0;
  Scratch->MakeUpper();
  return ReplaceWith(*Scratch, 0);
}
