// The formatting engine: one pass over a UTF-16 format text, appending to a wide GString.
#include <cstdarg>

#include "format_args.h"
#include "format_conversions.h"
#include "format_field.h"
#include "format_directive.h"
#include "gstring.h"

namespace {

// Arguments from a C variable argument list; it cannot tell pointer kinds apart.
class VaFormatArgs final : public FormatArgs {
 public:
  explicit VaFormatArgs(va_list args) { va_copy(args_, args); }
  ~VaFormatArgs() { va_end(args_); }
  VaFormatArgs(const VaFormatArgs&) = delete;
  VaFormatArgs& operator=(const VaFormatArgs&) = delete;

  int32_t Int32() override { return va_arg(args_, int32_t); }
  int64_t Int64() override { return va_arg(args_, long long); }
  double Double() override { return va_arg(args_, double); }
  void* Pointer(PointerArg) override { return va_arg(args_, void*); }

 private:
  va_list args_;
};

// Runs the conversion of one directive; 0 makes the whole call fail.
int Convert(GString& target, const FormatDirective& directive, FormatArgs& args, int startLength,
            const TextSpan& origin) {
  switch (directive.letter) {
    case u'd': case u'i': case u'u': case u'x': case u'X': case u'o': case u'y': case u'p': case u'P':
      return FormatInteger(target, directive, args);
    case u'c': case u'C':
      return FormatCharacter(target, directive, args);
    case u's': case u'S': case u'z': case u'Z':
      return FormatText(target, directive, args, origin);
    case u'b': case u'B':
      return FormatBytes(target, directive, args, origin);
    case u'w': case u'W':
      return FormatAddress(target, directive, args);
    case u'f': case u'e': case u'E': case u'g': case u'G': case u'a': case u'A': case u'F':
      return FormatFloat(target, directive, args);
    case u'I': case u'U':
      return FormatScaled(target, directive, args);
    case u'N':
      return target.AppendWide(u"\r\n", 2);
    case u'n': {
      auto* count = static_cast<int32_t*>(args.Pointer(PointerArg::kCounter));
      if (count) *count = target.Length - startLength;
      return 1;
    }
    default:  // "T", "t", "Y": the argument goes, the formatting fails
      args.Int32();
      return 0;
  }
}

}  // namespace

int FormatWith(GString& target, const char16_t* format, FormatArgs& args) {
  if (!format || !target.Wide) return 0;
  const int startLength = target.Length;
  const TextSpan origin(target);
  const char16_t* text = format;
  for (;;) {
    const char16_t* percent = text;
    while (*percent && *percent != u'%') ++percent;
    if (percent > text && !target.AppendWide(text, int(percent - text))) return 0;
    if (!*percent) break;
    if (percent[1] == u'%') {
      if (!target.AppendWide(u"%", 1)) return 0;
      text = percent + 2;
      continue;
    }
    FormatDirective directive;
    text = ParseDirective(percent + 1, args, &directive);
    if (directive.letter && !Convert(target, directive, args, startLength, origin)) {
      target.Terminate();  // a failed field leaves nothing behind the text
      return 0;
    }
  }
  target.Terminate();
  return 1;
}

int GString::FormatAppend(const char16_t* format, va_list args) {
  VaFormatArgs source(args);
  return FormatWith(*this, format, source);
}

int GString::Format(const char16_t* format, ...) {
  Wide = 1;
  Length = 0;
  Start = 0;
  Terminate();
  va_list args;
  va_start(args, format);
  const int result = FormatAppend(format, args);
  va_end(args);
  return result;
}
