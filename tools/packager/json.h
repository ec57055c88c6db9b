// A small JSON reader and string quoting, enough for the package manifest.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct JsonValue {
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };
  Type type = Type::kNull;
  bool boolean = false;
  std::uint64_t number = 0;  // non-negative integers only
  std::string string;
  std::vector<JsonValue> array;
  std::map<std::string, JsonValue> object;

  // The member `key` of an object, or null when absent or not an object.
  const JsonValue* Member(const std::string& key) const;
};

// Parses a whole document; false with a message naming the offset on error.
bool ParseJson(const std::string& text, JsonValue* value, std::string* error);

// `text` as a JSON string literal, quotes included.
std::string QuoteJson(const std::string& text);
