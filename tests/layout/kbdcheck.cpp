// Loads built layout libraries, walks the tables KbdLayerDescriptor returns and
// compares them with the layout compiler's expectations and with the product's
// promises; then patches a copy as the install does and checks that the loaded
// copy reports the chosen keys and the ',' keypad decimal.
//   kbdcheck.exe [--wide] LIBRARY EXPECT [LIBRARY EXPECT ...]
// --wide: the libraries carry 64-bit pointers (32-bit system folder of a 64-bit Windows).
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "expectations.h"
#include "image_patch.h"
#include "table_reader.h"

namespace {

constexpr unsigned kShift = 1, kCtrl = 2, kAltGr = 6, kShiftAltGr = 7;
constexpr unsigned kNone = 0xF000, kDead = 0xF001;
constexpr unsigned kVkDecimal = 0x6E, kVkOem3 = 0xC0, kVkOem7 = 0xDE;

class Report {
 public:
  explicit Report(std::string library) : library_(std::move(library)) {}
  void Expect(bool ok, const char* format, ...) __attribute__((format(printf, 3, 4))) {
    ++checks_;
    if (ok) return;
    ++failures_;
    va_list args;
    va_start(args, format);
    std::printf("FAIL %s: ", library_.c_str());
    std::vprintf(format, args);
    std::printf("\n");
    va_end(args);
  }
  int checks() const { return checks_; }
  int failures() const { return failures_; }

 private:
  std::string library_;
  int checks_ = 0;
  int failures_ = 0;
};

typedef const void*(WINAPI* DescriptorProc)();

// A loaded library and its tables; unloads on destruction.
class LoadedLayout {
 public:
  explicit LoadedLayout(const std::string& path) : module_(LoadLibraryA(path.c_str())) {
    if (!module_) return;
    auto proc = reinterpret_cast<DescriptorProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "KbdLayerDescriptor")));
    tables_ = proc ? static_cast<const uint8_t*>(proc()) : nullptr;
  }
  ~LoadedLayout() {
    if (module_) FreeLibrary(module_);
  }
  LoadedLayout(const LoadedLayout&) = delete;
  LoadedLayout& operator=(const LoadedLayout&) = delete;
  bool loaded() const { return module_ != nullptr; }
  HMODULE module() const { return module_; }
  const uint8_t* tables() const { return tables_; }

 private:
  HMODULE module_;
  const uint8_t* tables_ = nullptr;
};

long CharOf(const TableReader& t, unsigned vk, unsigned bits) { return t.Char(vk, bits, nullptr, nullptr); }

// Every fact the compiler derived from the layout source.
void CheckAgainstSource(const TableReader& t, const Expectations& e, Report* r) {
  r->Expect(t.LocaleFlags() == e.localeFlags, "locale flags %08X", static_cast<unsigned>(t.LocaleFlags()));
  r->Expect(t.Type() == e.type && t.Subtype() == e.subtype, "keyboard type %u/%u",
            static_cast<unsigned>(t.Type()), static_cast<unsigned>(t.Subtype()));
  r->Expect(t.ScanTableLength() == e.scanTable.size(), "scan table length %u", t.ScanTableLength());
  for (const ExpectedKey& k : e.scanTable)
    r->Expect(t.ScanToVk(k.scan) == k.vk, "scan %02X gives %04X, not %04X", k.scan, t.ScanToVk(k.scan), k.vk);
  for (const ExpectedKey& k : e.e0)
    r->Expect(t.PrefixedToVk(false, k.scan) == k.vk, "E0 %02X gives %04X, not %04X", k.scan,
              t.PrefixedToVk(false, k.scan), k.vk);
  for (const ExpectedKey& k : e.e1)
    r->Expect(t.PrefixedToVk(true, k.scan) == k.vk, "E1 %02X gives %04X", k.scan, t.PrefixedToVk(true, k.scan));
  for (const ExpectedKey& k : e.caps) {
    unsigned attributes = 0xFFFF;
    long found = t.Char(k.scan, 0, nullptr, &attributes);
    r->Expect(found >= 0 && attributes == k.vk, "vk %02X Caps Lock attributes %X, not %X", k.scan, attributes, k.vk);
  }
  for (const ExpectedChar& c : e.chars) {
    long got = CharOf(t, c.vk, c.modBits);
    r->Expect(got == static_cast<long>(c.ch), "vk %02X bits %u gives %04lX, not %04X", c.vk, c.modBits, got, c.ch);
  }
  for (const ExpectedDead& d : e.dead) {
    unsigned accent = 0;
    long got = t.Char(d.vk, d.modBits, &accent, nullptr);
    r->Expect(got == kDead && accent == d.accent, "vk %02X bits %u: %04lX accent %04X, not dead %04X", d.vk,
              d.modBits, got, accent, d.accent);
    r->Expect(t.DeadKeyName(d.accent) == d.name, "dead key %04X named '%s'", d.accent,
              t.DeadKeyName(d.accent).c_str());
  }
  for (const ExpectedCompose& c : e.compose)
    r->Expect(t.Compose(c.accent, c.base) == static_cast<long>(c.composed), "%04X + %04X gives %04lX, not %04X",
              c.accent, c.base, t.Compose(c.accent, c.base), c.composed);
  for (const ExpectedName& n : e.names)
    r->Expect(t.KeyName(false, n.scan) == n.name, "name of %02X is '%s'", n.scan, t.KeyName(false, n.scan).c_str());
  for (const ExpectedName& n : e.namesExt)
    r->Expect(t.KeyName(true, n.scan) == n.name, "name of E0 %02X is '%s'", n.scan, t.KeyName(true, n.scan).c_str());
}

// What the product promises, whatever the source says.
void CheckPromises(const TableReader& t, const Expectations& e, Report* r) {
  r->Expect(t.ModifierBits(VK_SHIFT) == kShift && t.ModifierBits(VK_CONTROL) == kCtrl &&
                t.ModifierBits(VK_MENU) == 4, "modifier keys");
  r->Expect((t.LocaleFlags() & 1) == 1, "right Alt is not AltGr");
  r->Expect(CharOf(t, 'A', 0) == 'a' && CharOf(t, 'A', kShift) == 'A', "a / A");
  // The Polish letters on AltGr + a c e l n o s x z, capitals with Shift, and
  // Caps Lock acting on them as on the plain letters.
  static const unsigned kPolish[][3] = {{'A', 0x0105, 0x0104}, {'C', 0x0107, 0x0106}, {'E', 0x0119, 0x0118},
                                        {'L', 0x0142, 0x0141}, {'N', 0x0144, 0x0143}, {'O', 0x00F3, 0x00D3},
                                        {'S', 0x015B, 0x015A}, {'X', 0x017A, 0x0179}, {'Z', 0x017C, 0x017B}};
  for (const auto& letter : kPolish) {
    unsigned attributes = 0;
    r->Expect(CharOf(t, letter[0], kAltGr) == static_cast<long>(letter[1]) &&
                  CharOf(t, letter[0], kShiftAltGr) == static_cast<long>(letter[2]),
              "AltGr + %c gives %04lX / %04lX", letter[0], CharOf(t, letter[0], kAltGr),
              CharOf(t, letter[0], kShiftAltGr));
    r->Expect(t.Char(letter[0], 0, nullptr, &attributes) >= 0 && attributes == 5,
              "Caps Lock on %c and AltGr + %c: attributes %X", letter[0], letter[0], attributes);
  }
  // Typographic quotes and dashes, and the euro sign.
  static const unsigned kTypography[][3] = {{0xDB, kAltGr, 0x201E}, {0xDD, kAltGr, 0x201D}, {'9', kAltGr, 0x2018},
                                            {'0', kAltGr, 0x2019}, {0xBD, kAltGr, 0x2013},
                                            {0xBD, kShiftAltGr, 0x2014}, {'U', kAltGr, 0x20AC}};
  for (const auto& c : kTypography)
    r->Expect(CharOf(t, c[0], c[1]) == static_cast<long>(c[2]), "vk %02X bits %u gives %04lX, not %04X", c[0], c[1],
              CharOf(t, c[0], c[1]), c[2]);
  r->Expect(CharOf(t, kVkOem7, 0) == '\'' && CharOf(t, kVkOem7, kShift) == '"' && CharOf(t, kVkOem3, kShift) == '~' &&
                CharOf(t, '6', kShift) == '^' && CharOf(t, kVkOem3, 0) == '`', "US ` ' \" ^ ~ typed directly");
  r->Expect(CharOf(t, kVkDecimal, 0) == '.', "keypad decimal is '.'");
  r->Expect(!t.KeyName(false, 0x01).empty() && !t.KeyName(false, 0x39).empty() && !t.KeyName(true, 0x38).empty(),
            "key names present");
  static const unsigned kRowQ[3][3] = {{'E', 'Y', 'Z'}, {'E', 'Z', 'Y'}, {'F', 'J', 'Z'}};  // scan 12, 15, 2C
  if (e.variant >= 0 && e.variant < 3)
    r->Expect(t.ScanToVk(0x12) == kRowQ[e.variant][0] && t.ScanToVk(0x15) == kRowQ[e.variant][1] &&
                  t.ScanToVk(0x2C) == kRowQ[e.variant][2], "letters of variant %d", e.variant);
  bool alternative = e.set == "alternative";
  unsigned accent = 0;
  long acute = t.Char(kVkOem7, kAltGr, &accent, nullptr);
  if (alternative) {
    r->Expect(acute == kDead && accent == 0x00B4 && t.Compose(0x00B4, 'e') == 0x00E9, "AltGr + ' then e gives é");
    r->Expect(t.Char(kVkOem7, kShiftAltGr, &accent, nullptr) == kDead && t.Compose(accent, 'u') == 0x00FC,
              "AltGr + \" then u gives ü");
    r->Expect(t.Char(kVkOem3, kShiftAltGr, &accent, nullptr) == kDead && t.Compose(accent, 'n') == 0x00F1,
              "AltGr + ~ then n gives ñ");
    r->Expect(t.Char('6', kShiftAltGr, &accent, nullptr) == kDead && t.Compose(accent, 'o') == 0x00F4,
              "AltGr + ^ then o gives ô");
    r->Expect(t.Char(kVkOem3, kAltGr, &accent, nullptr) == kDead && t.Compose(accent, ' ') == '`',
              "AltGr + ` then space gives `");
  } else {
    r->Expect(acute != kDead && t.Compose(0x00B4, 'e') == -1, "normal set has no dead keys");
  }
}

bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  uint8_t buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes->insert(bytes->end(), buffer, buffer + n);
  std::fclose(file);
  return true;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

typedef HRESULT(WINAPI* IndirectStringProc)(const wchar_t*, wchar_t*, UINT, void**);

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; *text; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
  return out;
}

// The display name as the registration's "@file,-id" form resolves it.
std::string ResolveIndirect(const std::string& library, unsigned id) {
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(library.c_str(), MAX_PATH, full, nullptr);
  HMODULE shell = LoadLibraryA("shlwapi.dll");
  auto resolve = shell ? reinterpret_cast<IndirectStringProc>(
                             reinterpret_cast<void*>(GetProcAddress(shell, "SHLoadIndirectString")))
                       : nullptr;
  std::string name;
  if (resolve && length > 0 && length < MAX_PATH) {
    std::string indirect = "@" + std::string(full) + ",-" + std::to_string(id);
    wchar_t wide[MAX_PATH + 32] = {}, out[128] = {};
    MultiByteToWideChar(CP_ACP, 0, indirect.c_str(), -1, wide, MAX_PATH + 32);
    if (SUCCEEDED(resolve(wide, out, 128, nullptr))) name = Narrow(out);
  }
  if (shell) FreeLibrary(shell);
  return name;
}

// String resource `id` in one language, as the platform picks it for a user of
// that interface language; empty when the library has none.
std::string StringInLanguage(HMODULE module, unsigned id, WORD language) {
  HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1), language);  // RT_STRING
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const WCHAR* entry = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
  if (!entry) return std::string();
  // A block holds 16 strings, each its length and then its characters.
  for (unsigned skip = id % 16; skip > 0; --skip) entry += 1 + *entry;
  std::wstring text(entry + 1, *entry);
  return Narrow(text.c_str());
}

// The display name the layout registration points to, in English and Polish,
// and a version resource.
void CheckResources(HMODULE module, const std::string& library, const Expectations& e, Report* r) {
  wchar_t text[128] = {};
  LoadStringW(module, e.displayId, text, 128);
  std::string name = Narrow(text);
  r->Expect(!e.displayName.empty() && name == e.displayName, "string %u is '%s', not '%s'", e.displayId,
            name.c_str(), e.displayName.c_str());
  std::string resolved = ResolveIndirect(library, e.displayId);
  r->Expect(resolved == e.displayName, "@file,-%u resolves to '%s'", e.displayId, resolved.c_str());
  std::string polish = StringInLanguage(module, e.displayId, MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT));
  r->Expect(!e.displayNamePolish.empty() && polish == e.displayNamePolish, "Polish string %u is '%s', not '%s'",
            e.displayId, polish.c_str(), e.displayNamePolish.c_str());
  r->Expect(StringInLanguage(module, e.displayId, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)) == e.displayName,
            "neutral string %u is not the English name", e.displayId);
  r->Expect(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16)) != nullptr,  // RT_VERSION
            "no version resource");
}

// Patches a copy as the install does, loads it and reads the changes back. The
// choices sit at the first and last entries of the scan-code and E0 tables, so
// a pattern that marked a table one entry off would show.
void CheckPatchedCopy(const std::string& library, const Expectations& e, int width, Report* r) {
  static const KeyChoice kChoices[] = {{0x0001, 0x0014}, {0x003A, 0x00A2}, {0x007E, 0x0090},
                                       {0xE010, 0x01A6}, {0xE05D, 0x01A5}, {0xE06D, 0x01A7},
                                       {0xE11D, 0x0091}, {0x0045, 0}};
  // Choices that reach no entry: a scan code past the table, prefixed scan
  // codes the tables lack, and no choice at all.
  static const KeyChoice kNoEffect[] = {{0x00FF, 0x0041}, {0xE0FF, 0x0041}, {0xE101, 0x0041}, {0x0002, 0}};
  std::vector<uint8_t> original;
  const std::vector<uint8_t>* scan = e.Pattern(147 + e.variant);
  const std::vector<uint8_t>* e0 = e.Pattern(150);
  const std::vector<uint8_t>* e1 = e.Pattern(151);
  const std::vector<uint8_t>* decimal = e.Pattern(146);
  r->Expect(ReadFile(library, &original), "cannot read the library");
  r->Expect(scan && e0 && e1 && decimal, "patterns missing from the expectations");
  r->Expect(e.scanTable.size() == 0x7F, "the expectations hold %u scan-code entries", static_cast<unsigned>(e.scanTable.size()));
  if (original.empty() || !scan || !e0 || !e1 || !decimal || e.scanTable.size() != 0x7F) return;
  ImagePatterns patterns{*scan, *e0, *e1, *decimal};

  std::vector<uint8_t> untouched = original;
  r->Expect(PatchImage(&untouched, patterns, std::vector<KeyChoice>(std::begin(kNoEffect), std::end(kNoEffect)),
                       false) && untouched == original,
            "choices that reach no entry, with the '.' decimal kept, changed the image");
  ImagePatterns missing = patterns;
  missing.decimal.assign(missing.decimal.size(), 0x5A);
  r->Expect(PatchImage(&untouched, missing, {}, false) && !PatchImage(&untouched, missing, {}, true),
            "a missing decimal pattern fails only when the ',' decimal is wanted");

  std::vector<uint8_t> image = original;
  std::vector<KeyChoice> choices(std::begin(kChoices), std::end(kChoices));
  r->Expect(PatchImage(&image, patterns, choices, true), "a pattern is missing from the image");

  char folder[MAX_PATH];
  DWORD length = GetTempPathA(MAX_PATH, folder);
  std::string copy = std::string(folder, length) + "kbdcheck-" + std::to_string(GetCurrentProcessId()) + ".dll";
  r->Expect(WriteFile(copy, image), "cannot write %s", copy.c_str());
  {
    LoadedLayout patched(copy);
    r->Expect(patched.loaded() && patched.tables(), "patched copy does not load");
    if (patched.tables()) {
      TableReader t(patched.tables(), width);
      for (const KeyChoice& c : kChoices) {
        unsigned want = c.vk ? c.vk : e.scanTable[c.scanCode].vk;
        unsigned got = c.scanCode < 0x7F ? t.ScanToVk(c.scanCode)
                                         : t.PrefixedToVk(c.scanCode >= 0xE100, c.scanCode & 0xFF);
        r->Expect(got == want, "patched %04X gives %04X, not %04X", c.scanCode, got, want);
      }
      r->Expect(CharOf(t, kVkDecimal, 0) == ',' && CharOf(t, kVkDecimal, kShift) == ',', "patched decimal is not ','");
      // Neighbours of the patched entries keep their keys.
      r->Expect(t.ScanToVk(0x02) == e.scanTable[0x02].vk && t.ScanToVk(0x3B) == e.scanTable[0x3B].vk &&
                    t.ScanToVk(0x39) == e.scanTable[0x39].vk && t.ScanToVk(0x7D) == e.scanTable[0x7D].vk,
                "patch spilled into the scan table");
      r->Expect(t.PrefixedToVk(false, 0x19) == 0x01B0 && t.PrefixedToVk(false, 0x5C) == 0x015C &&
                    t.PrefixedToVk(false, 0x5E) == 0x015E && t.PrefixedToVk(false, 0x6C) == 0x01B4,
                "patch spilled into the E0 table");
      r->Expect(CharOf(t, VK_NUMPAD9, 0) == '9', "patch spilled into the numpad table");
      r->Expect(t.PointersValid(), "patched copy has pointers this process cannot follow");
    }
  }
  DeleteFileA(copy.c_str());
}

int CheckLibrary(const std::string& library, const char* expectPath, int width, int* checks) {
  Report report(library);
  Expectations e;
  std::string error;
  if (!ReadExpectations(expectPath, &e, &error)) {
    std::printf("FAIL %s: %s\n", library.c_str(), error.c_str());
    return 1;
  }
  {
    LoadedLayout layout(library);
    report.Expect(layout.loaded(), "does not load (error %lu)", GetLastError());
    report.Expect(layout.tables() != nullptr, "KbdLayerDescriptor missing or returns nothing");
    if (layout.tables()) {
      TableReader tables(layout.tables(), width);
      CheckAgainstSource(tables, e, &report);
      CheckPromises(tables, e, &report);
      report.Expect(tables.PointersValid(), "pointers this process cannot follow");
    }
    if (layout.loaded()) CheckResources(layout.module(), library, e, &report);
  }
  CheckPatchedCopy(library, e, width, &report);
  std::printf("%s %s: %d checks, %d failed\n", report.failures() ? "FAIL" : "ok", library.c_str(), report.checks(),
              report.failures());
  *checks += report.checks();
  return report.failures();
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  int width = static_cast<int>(sizeof(void*));
  if (argc > 1 && std::string(argv[1]) == "--wide") {
    width = 8;
    first = 2;
  }
  if (argc <= first || (argc - first) % 2 != 0) {
    std::fprintf(stderr, "usage: kbdcheck.exe [--wide] LIBRARY EXPECT [LIBRARY EXPECT ...]\n");
    return 2;
  }
  int failures = 0, checks = 0;
  for (int i = first; i < argc; i += 2) failures += CheckLibrary(argv[i], argv[i + 1], width, &checks);
  std::printf("%d libraries, %d checks, %d failed\n", (argc - first) / 2, checks, failures);
  return failures ? 1 : 0;
}
