// Checking a format text against the arguments the program passes to it, by
// running the program's own format engine over it.
#include "packager/format_check.h"

#include "text/format_args.h"
#include "text/gstring.h"

namespace {

// What the engine hands a text argument to: a valid zero-terminated text.
const char16_t kSampleText[] = u"text";

const char* Describe(ArgumentKind kind) {
  return kind == ArgumentKind::kInteger ? "an integer" : "a UTF-16 text";
}

const char* Describe(PointerArg kind) {
  switch (kind) {
    case PointerArg::kValue: return "a pointer value";
    case PointerArg::kWide: return "a UTF-16 text";
    case PointerArg::kNarrow: return "an 8-bit text";
    case PointerArg::kString: return "a GString";
    case PointerArg::kRecord: return "a text record";
    case PointerArg::kBytes: return "bytes to dump";
    case PointerArg::kAddress: return "an IPv4 address";
    case PointerArg::kGuid: return "a GUID";
    case PointerArg::kCounter: return "a counter to store into";
  }
  return "a pointer";
}

// Hands out the catalogue's arguments in order, an integer as 0 and a text as
// a sample text, and keeps the first read that does not fit them. After that
// every read gets a zero or null, which the engine handles like any value.
class CatalogueArgs final : public FormatArgs {
 public:
  explicit CatalogueArgs(const std::vector<ArgumentKind>& arguments) : arguments_(arguments) {}

  int32_t Int32() override {
    Take("an integer", true, false);
    return 0;
  }
  int64_t Int64() override {
    Take("a 64-bit integer", false, false);
    return 0;
  }
  double Double() override {
    Take("a floating-point number", false, false);
    return 0;
  }
  // A text fits a UTF-16 text conversion, and "p", which only prints its value.
  void* Pointer(PointerArg kind) override {
    const bool text = kind == PointerArg::kWide || kind == PointerArg::kValue;
    return Take(Describe(kind), false, text) ? const_cast<char16_t*>(kSampleText) : nullptr;
  }

  bool Fits() const { return problem_.empty(); }
  const std::string& Problem() const { return problem_; }

 private:
  // Takes the next argument; true when it is a text that fits.
  bool Take(const char* wanted, bool integerFits, bool textFits) {
    const std::size_t index = next_++;
    if (!problem_.empty()) return false;
    if (index >= arguments_.size()) {
      problem_ = std::string("takes ") + wanted + " but only " + std::to_string(arguments_.size()) +
                 " argument(s) are passed (" + DescribeArguments(arguments_) + ")";
      return false;
    }
    const ArgumentKind given = arguments_[index];
    if (given == ArgumentKind::kInteger ? integerFits : textFits) return given == ArgumentKind::kText;
    problem_ = std::string("takes ") + wanted + " where argument " + std::to_string(index + 1) +
               " is " + Describe(given);
    return false;
  }

  const std::vector<ArgumentKind>& arguments_;
  std::size_t next_ = 0;
  std::string problem_;
};

// One run of the engine over `format`; empty when it formats with the
// arguments, else what went wrong.
std::string Run(const std::u16string& format, const std::vector<ArgumentKind>& arguments) {
  GString target(u' ', 0);  // wide and empty
  CatalogueArgs args(arguments);
  const int formatted = FormatWith(target, format.c_str(), args);
  if (!args.Fits()) return args.Problem();
  return formatted ? std::string() : "makes the formatting fail";
}

std::string Utf8(const std::u16string& text) {
  std::string out(static_cast<std::size_t>(Utf8Size(text.data(), int(text.size()))), '\0');
  EncodeUtf8(text.data(), int(text.size()), &out[0]);
  return out;
}

}  // namespace

bool CheckFormat(const std::string& format, const std::vector<ArgumentKind>& arguments,
                 std::string* reason) {
  std::u16string wide(static_cast<std::size_t>(Utf16Size(format.data(), int(format.size()))), u'\0');
  const int units = DecodeUtf8(format.data(), int(format.size()), &wide[0]);
  if (units < 0) {
    *reason = "the program cannot decode the text";
    return false;
  }
  wide.resize(static_cast<std::size_t>(units));
  if (Run(wide, arguments).empty()) return true;

  // The engine reads its arguments and fails in one pass, so the shortest
  // prefix that goes wrong ends at the character that made it go wrong, and
  // goes wrong the same way; the directive is what stands behind its last "%".
  // The whole text goes wrong, so the search ends at its end at the latest.
  std::size_t end = 0;
  std::string problem;
  while (problem.empty()) problem = Run(wide.substr(0, ++end), arguments);
  const std::size_t start = wide.rfind(u'%', end - 1);
  const std::size_t from = start == std::u16string::npos ? 0 : start;
  *reason = "conversion \"" + Utf8(wide.substr(from, end - from)) + "\" at character " +
            std::to_string(from + 1) + " " + problem;
  return false;
}
