// Checking a format text against the arguments the program passes to it.
#pragma once

#include <string>
#include <vector>

#include "packager/catalogue.h"

// True when every conversion of `format` (UTF-8) takes the next argument with
// its type: integers as 32-bit integers, texts as zero-terminated UTF-16.
// Fewer conversions than arguments are fine; more, or another type, are not.
bool CheckFormat(const std::string& format, const std::vector<ArgumentKind>& arguments,
                 std::string* reason);
