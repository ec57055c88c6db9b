// kbd-packager: builds the Package from content/ and lists, verifies or extracts one.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "packager/catalogue.h"
#include "packager/guard_maker.h"
#include "packager/package_builder.h"
#include "packager/package_inspect.h"
#include "packager/table_check.h"
#include "packager/text_source.h"

namespace {

// The guard block is the same in every build, so the same content gives the same program.
constexpr std::uint64_t kGuardSeed = 0x4B72657368613139ull;

const char kUsage[] =
    "usage:\n"
    "  kbd-packager build --texts DIR --catalogue FILE --cpp FILE --bin FILE --manifest FILE\n"
    "                     [--file SYMBOL=PATH]...\n"
    "      DIR holds base/, installer/, en/ and pl/, each a table of *.txt sources;\n"
    "      SYMBOL is a record of the program, e.g. kLicenceRecords[0] or kLocalFileRecord.\n"
    "  kbd-packager list MANIFEST\n"
    "  kbd-packager verify MANIFEST\n"
    "  kbd-packager extract MANIFEST SYMBOL OUTPUT\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "kbd-packager: %s\n", message.c_str());
  return 1;
}

bool ReadBytes(const std::string& path, Bytes* bytes) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  if (!file) return false;
  const std::string text = content.str();
  bytes->assign(text.begin(), text.end());
  return true;
}

bool WriteBytes(const std::string& path, const void* data, std::size_t size) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(file);
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int Build(int argc, char** argv) {
  std::string texts, catalogueFile, cppFile, binFile, manifestFile;
  std::vector<std::string> files;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return Fail(option + " needs a value\n" + kUsage);
    const std::string value = argv[++i];
    if (option == "--texts") texts = value;
    else if (option == "--catalogue") catalogueFile = value;
    else if (option == "--cpp") cppFile = value;
    else if (option == "--bin") binFile = value;
    else if (option == "--manifest") manifestFile = value;
    else if (option == "--file") files.push_back(value);
    else return Fail("unknown option " + option + "\n" + kUsage);
  }
  if (texts.empty() || catalogueFile.empty() || cppFile.empty() || binFile.empty() ||
      manifestFile.empty()) {
    return Fail(std::string("missing options\n") + kUsage);
  }

  std::string error;
  std::vector<CatalogueEntry> catalogue;
  if (!LoadCatalogue(catalogueFile, &catalogue, &error)) return Fail(error);
  TextTables tables;
  struct Table {
    const char* folder;
    const char* symbol;
    std::vector<TextEntry>* entries;
  } const tableList[] = {{"base", "kBaseTextsRecord", &tables.base},
                         {"installer", "kInstallerTextsRecord", &tables.installer},
                         {"en", "kLanguageTextsRecords[0]", &tables.language[0]},
                         {"pl", "kLanguageTextsRecords[1]", &tables.language[1]}};
  for (const Table& table : tableList) {
    if (!LoadTextFolder(texts + "/" + table.folder, table.entries, &error)) return Fail(error);
  }
  const std::vector<std::string> problems = CheckTables(catalogue, tables);
  for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
  if (!problems.empty()) {
    return Fail(std::to_string(problems.size()) + " problem(s) in the texts; no package written");
  }

  std::vector<PackageInput> inputs;
  for (const Table& table : tableList) {
    PackageInput input;
    input.symbol = table.symbol;
    input.content = SerializeTable(*table.entries);
    input.extra = static_cast<std::uint32_t>(table.entries->size());
    input.strings = true;
    input.source = texts + "/" + table.folder;
    if (input.extra == 0) return Fail(input.source + ": the table has no texts");
    inputs.push_back(input);
  }
  for (const std::string& file : files) {
    const std::size_t equals = file.find('=');
    if (equals == std::string::npos) return Fail("--file " + file + ": expected SYMBOL=PATH");
    PackageInput input;
    input.symbol = file.substr(0, equals);
    input.source = file.substr(equals + 1);
    if (!ReadBytes(input.source, &input.content)) return Fail(input.source + ": cannot read");
    inputs.push_back(input);
  }

  Package package;
  if (!BuildPackage(MakeGuardBlock(kGuardSeed), inputs, &package, &error)) return Fail(error);
  const std::string source = EmitPackageSource(package);
  const std::string manifest = EmitManifest(package, BaseName(binFile));
  if (!WriteBytes(binFile, package.binary.data(), package.binary.size())) {
    return Fail(binFile + ": cannot write");
  }
  if (!WriteBytes(manifestFile, manifest.data(), manifest.size())) {
    return Fail(manifestFile + ": cannot write");
  }
  if (!WriteBytes(cppFile, source.data(), source.size())) return Fail(cppFile + ": cannot write");
  return 0;
}

int List(const Package& package) {
  std::printf("%-28s %10s %10s  %s\n", "record", "offset", "size", "source");
  for (const PackageRecord& record : package.records) {
    std::printf("%-28s %10llu %10u  %s\n", record.symbol.c_str(),
                static_cast<unsigned long long>(record.offset), record.size,
                record.source.c_str());
  }
  return 0;
}

int Verify(const Package& package) {
  int damaged = 0;
  for (const PackageRecord& record : package.records) {
    Bytes content;
    std::string problem;
    if (ExtractPackageRecord(package, record, &content, &problem)) {
      std::printf("ok       %-28s %u bytes\n", record.symbol.c_str(),
                  static_cast<unsigned>(content.size()));
    } else {
      std::printf("DAMAGED  %-28s %s\n", record.symbol.c_str(), problem.c_str());
      ++damaged;
    }
  }
  if (damaged != 0) return Fail(std::to_string(damaged) + " damaged record(s)");
  return 0;
}

int Extract(const Package& package, const std::string& symbol, const std::string& output) {
  for (const PackageRecord& record : package.records) {
    if (record.symbol != symbol) continue;
    Bytes content;
    std::string problem;
    if (!ExtractPackageRecord(package, record, &content, &problem)) {
      return Fail(symbol + ": " + problem);
    }
    if (!WriteBytes(output, content.data(), content.size())) return Fail(output + ": cannot write");
    return 0;
  }
  return Fail(symbol + ": no such record in the package");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail(kUsage);
  const std::string command = argv[1];
  if (command == "build") return Build(argc, argv);
  if ((command == "list" || command == "verify") && argc == 3) {
    Package package;
    std::string error;
    if (!ReadPackage(argv[2], &package, &error)) return Fail(error);
    return command == "list" ? List(package) : Verify(package);
  }
  if (command == "extract" && argc == 5) {
    Package package;
    std::string error;
    if (!ReadPackage(argv[2], &package, &error)) return Fail(error);
    return Extract(package, argv[3], argv[4]);
  }
  return Fail(kUsage);
}
