// A small JSON reader and string quoting, enough for the package manifest.
#include "packager/json.h"

#include "packager/utf8.h"

const JsonValue* JsonValue::Member(const std::string& key) const {
  if (type != Type::kObject) return nullptr;
  const auto found = object.find(key);
  return found == object.end() ? nullptr : &found->second;
}

namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : text_(text) {}

  bool Document(JsonValue* value, std::string* error) {
    if (!Value(value, 0) || (SkipSpace(), pos_ != text_.size())) {
      *error = "JSON error at offset " + std::to_string(pos_);
      return false;
    }
    return true;
  }

 private:
  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\t')) {
      ++pos_;
    }
  }

  bool Literal(const char* word) {
    const std::string w = word;
    if (text_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }

  bool String(std::string* out) {
    if (pos_ >= text_.size() || text_[pos_] != '"') return false;
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      char c = text_[pos_++];
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out->push_back(c);
        continue;
      }
      if (pos_ >= text_.size()) return false;
      c = text_[pos_++];
      switch (c) {
        case '"': case '\\': case '/': out->push_back(c); break;
        case 'n': out->push_back('\n'); break;
        case 'r': out->push_back('\r'); break;
        case 't': out->push_back('\t'); break;
        case 'b': out->push_back('\b'); break;
        case 'f': out->push_back('\f'); break;
        case 'u': {
          if (pos_ + 4 > text_.size()) return false;
          std::uint32_t code = 0;
          for (int k = 0; k < 4; ++k) {
            const char h = text_[pos_++];
            code <<= 4;
            if (h >= '0' && h <= '9') code |= static_cast<std::uint32_t>(h - '0');
            else if (h >= 'a' && h <= 'f') code |= static_cast<std::uint32_t>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') code |= static_cast<std::uint32_t>(h - 'A' + 10);
            else return false;
          }
          if (code >= 0xD800 && code <= 0xDFFF) return false;  // not written by the packager
          AppendUtf8(static_cast<char16_t>(code), out);
          break;
        }
        default: return false;
      }
    }
    if (pos_ >= text_.size()) return false;
    ++pos_;
    return true;
  }

  bool Value(JsonValue* value, int depth) {
    if (depth > 64) return false;
    SkipSpace();
    if (pos_ >= text_.size()) return false;
    const char c = text_[pos_];
    if (c == '{') {
      value->type = JsonValue::Type::kObject;
      ++pos_;
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == '}') return ++pos_, true;
      for (;;) {
        std::string key;
        SkipSpace();
        if (!String(&key)) return false;
        SkipSpace();
        if (pos_ >= text_.size() || text_[pos_++] != ':') return false;
        if (!Value(&value->object[key], depth + 1)) return false;
        SkipSpace();
        if (pos_ >= text_.size()) return false;
        if (text_[pos_] == '}') return ++pos_, true;
        if (text_[pos_++] != ',') return false;
      }
    }
    if (c == '[') {
      value->type = JsonValue::Type::kArray;
      ++pos_;
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == ']') return ++pos_, true;
      for (;;) {
        value->array.emplace_back();
        if (!Value(&value->array.back(), depth + 1)) return false;
        SkipSpace();
        if (pos_ >= text_.size()) return false;
        if (text_[pos_] == ']') return ++pos_, true;
        if (text_[pos_++] != ',') return false;
      }
    }
    if (c == '"') {
      value->type = JsonValue::Type::kString;
      return String(&value->string);
    }
    if (c >= '0' && c <= '9') {
      value->type = JsonValue::Type::kNumber;
      int digits = 0;
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
        if (++digits > 15) return false;
        value->number = value->number * 10 + static_cast<std::uint64_t>(text_[pos_++] - '0');
      }
      return true;
    }
    if (Literal("true")) return value->type = JsonValue::Type::kBool, value->boolean = true, true;
    if (Literal("false")) return value->type = JsonValue::Type::kBool, true;
    if (Literal("null")) return true;
    return false;
  }

  const std::string& text_;
  std::size_t pos_ = 0;
};

}  // namespace

bool ParseJson(const std::string& text, JsonValue* value, std::string* error) {
  *value = JsonValue();
  return Parser(text).Document(value, error);
}

std::string QuoteJson(const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      out += "\\u00";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}
