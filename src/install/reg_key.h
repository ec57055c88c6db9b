// An owned registry key handle, closed when it goes out of scope.
#pragma once

#include <windows.h>

class RegKey {
 public:
  explicit RegKey(HKEY key = nullptr) : key_(key) {}
  ~RegKey() { Reset(nullptr); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  void Reset(HKEY key) {
    if (key_) RegCloseKey(key_);
    key_ = key;
  }
  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_;
};
