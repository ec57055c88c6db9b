// Platform facts as plain numbers: the version code, the 64-bit flag and the support table.
#pragma once

#include <cstdint>

namespace platform {

// Processor architecture codes as the system-information call reports them.
constexpr uint16_t kArchX86 = 0;
constexpr uint16_t kArchIa64 = 6;
constexpr uint16_t kArchAmd64 = 9;
constexpr uint16_t kArchUnknown = 0xFFFF;

// Major version x 10 + minor version: 5.1 is 51, 10.0 is 100.
[[nodiscard]] int32_t VersionCode(uint32_t major, uint32_t minor);

// 1 for the 64-bit architectures (IA64, AMD64), else 0.
[[nodiscard]] int32_t Is64BitArchitecture(uint16_t architecture);

// 1 when the wizard runs on this pair of version code and architecture, else 0.
[[nodiscard]] int32_t IsSupported(int32_t osVersion, uint16_t architecture);

}  // namespace platform
