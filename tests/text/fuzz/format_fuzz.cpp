// Fuzz target: arbitrary format texts over a fixed set of arguments of every kind.
// Each input byte is one UTF-16 unit of the format. The arguments are valid for
// any conversion that asks for them, so every fault found is the engine's own.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "format_args.h"
#include "format_field.h"
#include "gstring.h"

namespace {

// Exact text counts and byte dumps may read up to kMaxFieldWidth elements,
// an 8-bit character up to four bytes.
constexpr size_t kUnits = size_t(kMaxFieldWidth) + 1;
constexpr size_t kBytes = 4 * size_t(kMaxFieldWidth) + 8;

struct Fixtures {
  char16_t wide[kUnits];
  char narrow[kBytes];       // valid UTF-8 with control characters
  char brokenNarrow[kBytes];  // with bytes that do not decode
  unsigned char bytes[kUnits];
  unsigned char narrowRecord[4 + 8];
  unsigned char wideRecord[1 + 4 + 8];  // at an odd address, as in the package
  unsigned char guid[16];
  uint32_t address = 0xC0A80001;
  int32_t counter = 0;
  GString wideString;
  GString narrowString;

  Fixtures() {
    static const char16_t kWide[] = u"ab\tc\x0416\x00e9 \x01z";
    for (size_t i = 0; i + 1 < kUnits; ++i) wide[i] = kWide[i % (sizeof kWide / 2 - 1)];
    // Texts end early at a zero; exact counts read on into the rest.
    wide[40] = 0;
    wide[kUnits - 1] = 0;
    static const char kNarrow[] = "a\x01\xC3\xA9 \xE2\x82\xAC\x1F";
    for (size_t i = 0; i + 1 < kBytes; ++i) narrow[i] = kNarrow[i % (sizeof kNarrow - 1)];
    narrow[45] = 0;
    narrow[kBytes - 1] = 0;
    std::memcpy(brokenNarrow, narrow, kBytes);
    brokenNarrow[2] = '\x80';
    brokenNarrow[40] = '\xF0';
    for (size_t i = 0; i < kUnits; ++i) bytes[i] = static_cast<unsigned char>(i * 37);
    StoreTextHeader(narrowRecord, true, 5);
    std::memcpy(narrowRecord + 4, "\xC3\xA9t\x01xyz", 8);
    StoreTextHeader(wideRecord + 1, false, 3);
    std::memcpy(wideRecord + 5, u"h\x0416!?", 8);
    for (int i = 0; i < 16; ++i) guid[i] = static_cast<unsigned char>(i * 17);
    (void)wideString.AssignWide(u"wide\tstring");
    (void)narrowString.AssignNarrow("n\xC3\xA9 \x01");
  }
};

// Hands out the fixtures in a fixed rotation per kind of argument.
class FixedArgs final : public FormatArgs {
 public:
  FixedArgs(Fixtures& f, GString& target) : f_(f), target_(target) {}

  int32_t Int32() override {
    static const int32_t kValues[] = {0, 1, -1, 7, -3, 42, 0x80, 0xE9, 0x416, 2048,
                                      65536, 70000, INT32_MIN, INT32_MAX, 300, -300};
    return kValues[int32_++ % (sizeof kValues / sizeof *kValues)];
  }
  int64_t Int64() override {
    static const int64_t kValues[] = {0, -1, INT64_MIN, INT64_MAX, int64_t(1) << 40, 12345};
    return kValues[int64_++ % (sizeof kValues / sizeof *kValues)];
  }
  double Double() override {
    static const double kValues[] = {0.0, -0.0, 3.5, -2.5, 1e308, -DBL_MAX, 5e-324,
                                     DBL_MIN, 0.000047, 1234.5, std::nan(""), HUGE_VAL,
                                     -HUGE_VAL, 1.96875, 1e-24, 999.96};
    return kValues[double_++ % (sizeof kValues / sizeof *kValues)];
  }
  void* Pointer(PointerArg kind) override {
    const bool null = pointer_++ % 5 == 4;
    if (null) return nullptr;
    switch (kind) {
      case PointerArg::kValue: return &f_.counter;
      case PointerArg::kWide: return f_.wide;
      case PointerArg::kNarrow: return pointer_ % 3 ? f_.narrow : f_.brokenNarrow;
      case PointerArg::kString:
        // The target may be its own argument, but only once a call: a caller
        // repeating it would double the text with every conversion.
        if (pointer_ % 3 == 2 && !targetGiven_) {
          targetGiven_ = true;
          return &target_;
        }
        return pointer_ % 3 == 1 ? &f_.narrowString : &f_.wideString;
      case PointerArg::kRecord: return pointer_ % 2 ? f_.narrowRecord : f_.wideRecord + 1;
      case PointerArg::kBytes: return f_.bytes;
      case PointerArg::kAddress: return &f_.address;
      case PointerArg::kGuid: return f_.guid;
      case PointerArg::kCounter: return &f_.counter;
    }
    return nullptr;
  }

 private:
  Fixtures& f_;
  GString& target_;
  unsigned int32_ = 0, int64_ = 0, double_ = 0, pointer_ = 0;
  bool targetGiven_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Fixtures* fixtures = new Fixtures;
  char16_t* format = static_cast<char16_t*>(std::malloc((size + 1) * sizeof(char16_t)));
  if (!format) return 0;
  for (size_t i = 0; i < size; ++i) format[i] = data[i];
  format[size] = 0;

  GString target;
  (void)target.AssignWide(u"");  // the engine appends to wide strings only
  for (int pass = 0; pass < 2; ++pass) {  // the second pass appends to the first's text
    FixedArgs args(*fixtures, target);
    const int result = FormatWith(target, format, args);
    if (result != 0 && result != 1) std::abort();
    if (!target.Wide || (target.Length && target.WideText(0)[target.Length] != 0)) std::abort();
  }
  std::free(format);
  return 0;
}
