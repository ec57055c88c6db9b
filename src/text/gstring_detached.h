// Detached: a private copy of a source text that lies inside the target GString.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gstring.h"

// A source text that lies inside the target's own buffer would be moved by
// growth or overwritten by emptying: such a text is copied out first.
class Detached {
 public:
  // count characters of charSize bytes each; the product may exceed an int.
  Detached(const GString& target, const void* text, int count, int charSize) : text_(text) {
    const uintptr_t p = reinterpret_cast<uintptr_t>(text);
    const uintptr_t begin = reinterpret_cast<uintptr_t>(target.Buffer);
    if (target.Buffer && count > 0 && p >= begin && p < begin + uintptr_t(target.Allocated)) {
      const size_t bytes = size_t(count) * size_t(charSize);
      copy_ = malloc(bytes);
      if (copy_) memcpy(copy_, text, bytes);
      text_ = copy_;
    }
  }
  ~Detached() { free(copy_); }
  Detached(const Detached&) = delete;
  Detached& operator=(const Detached&) = delete;

  // Null only when the copy could not be made.
  const void* Text() const { return text_; }

 private:
  const void* text_;
  void* copy_ = nullptr;
};
