// Assembling a Package: stored records, the generated C++ source, the manifest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packager/record_writer.h"

// "kLayoutRecords[17]" or "kBaseTextsRecord": one of the record symbols the
// program declares. False when there is no such symbol or index.
bool IsRecordSymbol(const std::string& symbol);

struct PackageInput {
  std::string symbol;
  Bytes content;
  std::uint32_t extra = 0;  // string records: number of entries
  bool strings = false;
  std::string source;       // where the content came from, for the manifest
};

struct PackageRecord {
  std::string symbol;
  std::uint64_t offset = 0;  // of the stored block in `Package::binary`
  std::uint32_t size = 0;    // stored size
  bool strings = false;
  std::uint32_t entries = 0;  // string records: number of entries
  std::string source;
};

struct Package {
  Bytes guard;   // the stored guard block
  Bytes binary;  // every distinct stored block, one after another
  std::vector<PackageRecord> records;
};

// Seals every input with the key the guard block yields; identical records
// are stored once. False with a message on a bad symbol or guard block.
bool BuildPackage(const Bytes& guard, const std::vector<PackageInput>& inputs, Package* package,
                  std::string* error);

// The C++ source defining every record symbol ({nullptr, 0} where none was given).
std::string EmitPackageSource(const Package& package);

// The manifest: binary file name, guard block, and per record its name,
// offset, stored size and source.
std::string EmitManifest(const Package& package, const std::string& binaryName);

// Reads a manifest and the binary file it names (relative to the manifest).
bool ReadPackage(const std::string& manifestPath, Package* package, std::string* error);
