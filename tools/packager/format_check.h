// Checking a format text against the arguments the program passes to it.
#pragma once

#include <string>
#include <vector>

#include "packager/catalogue.h"

// True when the program's format engine formats `format` (UTF-8) with the
// arguments in order and with their types: integers as 32-bit integers, texts
// as zero-terminated UTF-16. Fewer conversions than arguments are fine; a
// conversion that reads another type or one argument too many, or a text the
// engine fails on, is not, and `reason` names the directive and the argument.
bool CheckFormat(const std::string& format, const std::vector<ArgumentKind>& arguments,
                 std::string* reason);
