// The Package's stored records, defined by the source that the packager generates.
#pragma once

// One stored record: its enciphered block and the block's size. A record the
// build did not supply is {nullptr, 0}.
struct StoredRecord { const unsigned char* data; unsigned int size; };

extern const unsigned char kGuardBlock[];
extern const unsigned int kGuardBlockLength;

extern const StoredRecord kBaseTextsRecord, kInstallerTextsRecord, kLanguageTextsRecords[2],
    kLicenceRecords[2], kLayoutRecords[78], kFirstDocumentRecord, kSecondDocumentRecord,
    kLocalFileRecord;
