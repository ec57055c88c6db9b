// The support table and the version arithmetic, kept apart from the calls that read the facts.
#include "system/platform_rules.h"

namespace platform {

namespace {

constexpr uint32_t Bit(uint16_t architecture) { return 1u << architecture; }

struct SupportRow {
  int32_t osVersion;
  uint32_t architectures;  // one bit per accepted architecture code
};

// Before 5.2 there was no 64-bit edition to support.
constexpr uint32_t kX86Only = Bit(kArchX86);
constexpr uint32_t kAll = Bit(kArchX86) | Bit(kArchIa64) | Bit(kArchAmd64);

constexpr SupportRow kSupportTable[] = {
    {50, kX86Only}, {51, kX86Only}, {52, kAll}, {60, kAll},
    {61, kAll},     {62, kAll},     {63, kAll}, {100, kAll},
};

}  // namespace

int32_t VersionCode(uint32_t major, uint32_t minor) {
  return int32_t(major * 10 + minor);
}

int32_t Is64BitArchitecture(uint16_t architecture) {
  return architecture == kArchAmd64 || architecture == kArchIa64 ? 1 : 0;
}

int32_t IsSupported(int32_t osVersion, uint16_t architecture) {
  if (architecture >= 32) return 0;  // no bit for it: not a code the table knows
  for (const SupportRow& row : kSupportTable) {
    if (row.osVersion == osVersion) return (row.architectures & Bit(architecture)) != 0 ? 1 : 0;
  }
  return 0;
}

}  // namespace platform
