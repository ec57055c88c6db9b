// Reading records back out of a built Package, with the program's own checks.
#pragma once

#include <string>

#include "packager/package_builder.h"

// Extracts one record as the program would; for string records also checks
// that the content forms a table. False with the reason on any fault.
bool ExtractPackageRecord(const Package& package, const PackageRecord& record, Bytes* content,
                          std::string* problem);
