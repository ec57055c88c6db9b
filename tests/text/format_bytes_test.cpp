// Byte dumps, IPv4 addresses and GUIDs of the format engine.
#include <cstdint>

#include "format_cases.h"

namespace {

const unsigned char kBytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0xAB};
const uint32_t kAddress = 0xC0A80001;  // 192.168.0.1 in host byte order
const uint32_t kSmallAddress = 0x0A000001;
const unsigned char kGuid[16] = {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66,
                                 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

}  // namespace

TEST(FormatBytesTest, Dumps) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"01020304", 1, u"%.4b", kBytes),
      FORMAT_CASE(u"01 02 03 04", 1, u"% .4b", kBytes),
      FORMAT_CASE(u"{01}{02}{03}{04}", 1, u"%#.4b", kBytes),
      FORMAT_CASE(u"{01} {02}", 1, u"%# .2b", kBytes),
      FORMAT_CASE(u"ab", 1, u"%.1b", kBytes + 8),
      FORMAT_CASE(u"AB", 1, u"%.1B", kBytes + 8),
      // Groups of four bytes, the last one shorter.
      FORMAT_CASE(u"{01020304}{05060708}", 1, u"%`#.8b", kBytes),
      FORMAT_CASE(u"01 02 03 04  05 06 07 08", 1, u"%` .8b", kBytes),
      FORMAT_CASE(u"01020304 05060708 ab", 1, u"%`.9b", kBytes),
      FORMAT_CASE(u"{01 02 03 04} {05}", 1, u"%`# .5b", kBytes),
      FORMAT_CASE(u"{0102}", 1, u"%`#.2b", kBytes),
      // Nothing without a precision, but the pointer is consumed.
      FORMAT_CASE(u"5", 1, u"%b%d", kBytes, 5),
      FORMAT_CASE(u"5", 1, u"%.*b%d", -2, kBytes, 5),
      FORMAT_CASE(u"", 1, u"%.0b", nullptr),
      FORMAT_CASE(u"{null}", 1, u"%.2b", nullptr),
      FORMAT_CASE(u"    01020304", 1, u"%12.4b", kBytes),
      FORMAT_CASE(u"0102      |", 1, u"%-10.2b|", kBytes),
      FORMAT_CASE(u"000102", 1, u"%06.2b", kBytes),
      // A count beyond any real dump fails instead of reading that far.
      FORMAT_CASE(u"", 0, u"%.9999999b", kBytes),
  };
  ExpectCases(cases);
}

TEST(FormatBytesTest, AddressesAndGuids) {
  const FormatCase cases[] = {
      FORMAT_CASE(u"192.168.0.1", 1, u"%w", &kAddress),
      FORMAT_CASE(u"192.168.000.001", 1, u"%0w", &kAddress),
      FORMAT_CASE(u"192.168.0.1", 1, u"%W", &kAddress),
      // "0" never selects zero fill here.
      FORMAT_CASE(u"  010.000.000.001", 1, u"%017w", &kSmallAddress),
      FORMAT_CASE(u"  10.0.0.1", 1, u"%10w", &kSmallAddress),
      FORMAT_CASE(u"10.0.0.1  |", 1, u"%-10w|", &kSmallAddress),
      FORMAT_CASE(u"  {null}", 1, u"%08w", nullptr),
      FORMAT_CASE(u"{00112233-4455-6677-8899-aabbccddeeff}", 1, u"%hw", kGuid),
      FORMAT_CASE(u"{00112233-4455-6677-8899-AABBCCDDEEFF}", 1, u"%hW", kGuid),
      FORMAT_CASE(u"  {00112233-4455-6677-8899-aabbccddeeff}", 1, u"%040hw", kGuid),
      FORMAT_CASE(u"{null}", 1, u"%hw", nullptr),
      // One argument, whatever the form.
      FORMAT_CASE(u"{00112233-4455-6677-8899-aabbccddeeff}7", 1, u"%hw%d", kGuid, 7),
  };
  ExpectCases(cases);
}
