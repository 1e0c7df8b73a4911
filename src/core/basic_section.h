#pragma once
// One PSI/SI section in the long section syntax: the shared header and its CRC_32.
#include <cstdint>

#include "core/bits.h"
#include "platform/bytes.h"

namespace quillon {

class TBasicSection {
 public:
  TBasicSection() = default;
  virtual ~TBasicSection() = default;
  TBasicSection(const TBasicSection&) = delete;
  TBasicSection& operator=(const TBasicSection&) = delete;

  uint8_t TableID() const { return FTableID; }
  void SetTableID(uint8_t v) { FTableID = v; }
  uint8_t SectionSyntaxIndicator() const { return FSecSyntaxInd; }
  void SetSectionSyntaxIndicator(uint8_t v) { FSecSyntaxInd = v; }
  uint8_t ReservedFU1() const { return FReservedFU1; }
  void SetReservedFU1(uint8_t v) { FReservedFU1 = v; }
  uint8_t Reserved1() const { return FReserved1; }
  void SetReserved1(uint8_t v) { FReserved1 = v; }
  uint16_t SectionLength() const { return FSectionLength; }
  void SetSectionLength(uint16_t v) { FSectionLength = v; }
  uint8_t Reserved2() const { return FReserved2; }
  void SetReserved2(uint8_t v) { FReserved2 = v; }
  uint8_t VersionNumber() const { return FVersionNr; }
  void SetVersionNumber(uint8_t v) { FVersionNr = v; }
  uint8_t CurrentNextIndicator() const { return FCurNextInd; }
  void SetCurrentNextIndicator(uint8_t v) { FCurNextInd = v; }
  uint8_t SectionNumber() const { return FSecNr; }
  void SetSectionNumber(uint8_t v) { FSecNr = v; }
  uint8_t LastSectionNumber() const { return FLastSecNr; }
  void SetLastSectionNumber(uint8_t v) { FLastSecNr = v; }
  uint32_t CRC32() const { return FCRC32; }
  bool CRCOK() const { return FCRCOK; }

  // The section's bytes, preceded by the pointer_field 0x00: SectionLength + 4 bytes,
  // built afresh from the fields on every call.
  virtual Bytes SectionData() const = 0;

  // Computes the CRC_32 over the current content and stores it (CRCOK becomes true).
  void UpdateCRC();

 protected:
  // Writes offsets 0..8 of SectionData (pointer byte and the long header).
  void WriteHeader(ByteWriter& w) const;
  // Reads the eight header bytes (table_id .. last_section_number) of received bytes.
  void ReadHeader(ByteReader& r);
  // For decoders: the CRC_32 as received and whether it matched.
  void SetReceivedCRC(uint32_t crc, bool ok) {
    FCRC32 = crc;
    FCRCOK = ok;
  }

  uint8_t FTableID = 0;
  uint8_t FSecSyntaxInd = 0;
  uint8_t FReservedFU1 = 0;
  uint8_t FReserved1 = 0;
  uint16_t FSectionLength = 0;
  uint16_t FResNetIDPrgNrTSID = 0;
  uint8_t FReserved2 = 0;
  uint8_t FVersionNr = 0;
  uint8_t FCurNextInd = 0;
  uint8_t FSecNr = 0;
  uint8_t FLastSecNr = 0;
  uint32_t FCRC32 = 0;
  bool FCRCOK = false;
};

}  // namespace quillon
