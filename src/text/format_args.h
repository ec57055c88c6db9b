// The arguments of one formatting call, taken strictly left to right.
#pragma once

#include <cstdint>

class GString;

// What a pointer argument addresses. A variable argument list cannot tell, and
// ignores it; an argument source that must hand out valid pointers of every
// kind (the fuzz target) uses it.
enum class PointerArg {
  kValue,    // "p": only the value is printed
  kWide,     // zero-terminated UTF-16 text
  kNarrow,   // zero-terminated 8-bit text
  kString,   // GString
  kRecord,   // TextRecord
  kBytes,    // byte dump, as many bytes as the precision says
  kAddress,  // 32-bit IPv4 address
  kGuid,     // 16 bytes
  kCounter,  // int32_t that receives a count
};

class FormatArgs {
 public:
  virtual int32_t Int32() = 0;
  virtual int64_t Int64() = 0;
  virtual double Double() = 0;
  virtual void* Pointer(PointerArg kind) = 0;

 protected:
  ~FormatArgs() = default;
};

// The engine behind FormatAppend: appends to a wide target, 1 or 0 as FormatAppend.
[[nodiscard]] int FormatWith(GString& target, const char16_t* format, FormatArgs& args);
