// Parses a conversion directive: flags, width, precision, size, letter, in this order.
#include "format_directive.h"

#include "format_args.h"

namespace {

// Width and precision read at most this many digits; a further digit is left
// for the next part of the directive.
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

const char16_t* ParseDirective(const char16_t* text, FormatArgs& args, FormatDirective* directive) {
  *directive = FormatDirective();
  while (const unsigned flag = FlagOf(*text)) {
    directive->flags |= flag;
    ++text;
  }

  if (*text == u'*') {
    const int64_t width = args.Int32();
    if (width < 0) directive->flags |= kFlagLeft;
    directive->width = width < 0 ? -width : width;
    ++text;
  } else if (*text >= u'0' && *text <= u'9') {
    text = ReadNumber(text, &directive->width);
  }

  if (*text == u'.') {
    ++text;
    if (*text == u'*') {
      directive->precision = args.Int32();
      ++text;
    } else {
      text = ReadNumber(text, &directive->precision);
    }
  }

  if (*text == u'h') {
    directive->size = FormatSize::kShort;
    ++text;
  } else if (*text == u'L') {
    directive->size = FormatSize::kLong;
    ++text;
  } else if (*text == u'l') {
    ++text;
    if (*text == u'l') {
      directive->size = FormatSize::kLong;
      ++text;
    }
  }

  if (!IsConversionLetter(*text)) return text;  // also the end of the format
  directive->letter = *text;
  return text + 1;
}
