// Reading records back out of a built Package, with the program's own checks.
#include "packager/package_inspect.h"

#include <cstdlib>

#include "package/guard.h"
#include "package/record.h"
#include "package/string_table.h"

bool ExtractPackageRecord(const Package& package, const PackageRecord& record, Bytes* content,
                          std::string* problem) {
  if (record.offset > package.binary.size() ||
      package.binary.size() - record.offset < record.size) {
    *problem = "runs past the end of the binary file";
    return false;
  }
  CGuard guard;
  if (!guard.Load(package.guard.data(), static_cast<std::uint32_t>(package.guard.size()))) {
    *problem = "the guard block has the wrong size";
    return false;
  }
  RecordContent out;
  const RecordStatus status =
      DecodeRecord(guard, package.binary.data() + record.offset, record.size, &out);
  if (status != RecordStatus::kOk) {
    *problem = RecordStatusText(status);
    return false;
  }
  content->assign(out.data, out.data + out.size);
  if (record.strings) {
    StringTable table;
    if (out.extra != record.entries) {
      *problem = "the header's entry count differs from the manifest's";
    } else if (!table.SetData(out.data, out.size, out.extra)) {
      *problem = "the content is not a well-formed string table";
    } else {
      return true;  // the table owns and frees the buffer
    }
  }
  std::free(out.data);
  return !record.strings;
}
