// Parses a conversion specification: flags, width, precision, size, letter, in this order.
#include "format_spec.h"

#include "format_args.h"

namespace {

// Width and precision read at most this many digits; a further digit is left
// for the next part of the specification.
constexpr int kMaxDigits = 10;

unsigned FlagOf(char16_t c) {
  switch (c) {
    case u'-': return kFlagLeft;
    case u'+': return kFlagPlus;
    case u' ': return kFlagSpace;
    case u'0': return kFlagZero;
    case u'#': return kFlagAlternate;
    case u'$': return kFlagEscapeAll;
    case u'`': return kFlagGroup;
    default: return 0;
  }
}

bool IsConversionLetter(char16_t c) {
  for (const char16_t* l = u"diuxXoypPcCsSzZbBfeEgGaAFIUwWNnTtY"; *l; ++l)
    if (*l == c) return true;
  return false;
}

const char16_t* ReadNumber(const char16_t* text, int64_t* value) {
  *value = 0;
  for (int i = 0; i < kMaxDigits && *text >= u'0' && *text <= u'9'; ++i, ++text)
    *value = *value * 10 + (*text - u'0');
  return text;
}

}  // namespace

const char16_t* ParseSpec(const char16_t* text, FormatArgs& args, FormatSpec* spec) {
  *spec = FormatSpec();
  while (const unsigned flag = FlagOf(*text)) {
    spec->flags |= flag;
    ++text;
  }

  if (*text == u'*') {
    const int64_t width = args.Int32();
    if (width < 0) spec->flags |= kFlagLeft;
    spec->width = width < 0 ? -width : width;
    ++text;
  } else if (*text >= u'0' && *text <= u'9') {
    text = ReadNumber(text, &spec->width);
  }

  if (*text == u'.') {
    ++text;
    if (*text == u'*') {
      spec->precision = args.Int32();
      ++text;
    } else {
      text = ReadNumber(text, &spec->precision);
    }
  }

  if (*text == u'h') {
    spec->size = FormatSize::kShort;
    ++text;
  } else if (*text == u'L') {
    spec->size = FormatSize::kLong;
    ++text;
  } else if (*text == u'l') {
    ++text;
    if (*text == u'l') {
      spec->size = FormatSize::kLong;
      ++text;
    }
  }

  if (!IsConversionLetter(*text)) return text;  // also the end of the format
  spec->letter = *text;
  return text + 1;
}
