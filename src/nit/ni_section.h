#pragma once
// One NIT section (table_id 0x40 / 0x41) with its network loop and transport-stream loop.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/basic_section.h"
#include "descriptors/descriptor.h"

namespace quillon {

// Budget of the two loops of one generated section, so a section stays within the
// 1024-byte limit of the PID with room for header and CRC.
inline constexpr int kSectionLoopBudget = 1008;

class TTransportStreamEntry {
 public:
  uint16_t TSID() const { return FTSID; }
  void SetTSID(uint16_t v) { FTSID = v; }
  uint16_t OrgNetID() const { return FOrgNetID; }
  void SetOrgNetID(uint16_t v) { FOrgNetID = v; }
  uint8_t ReservedFU() const { return FReservedFU; }
  void SetReservedFU(uint8_t v) { FReservedFU = v; }
  uint16_t TransportDescriptorLength() const { return FTransDescLen; }
  void SetTransportDescriptorLength(uint16_t v) { FTransDescLen = v; }

  TBasicDescriptorArray TSDescriptor;

 private:
  uint16_t FTSID = 0;
  uint16_t FOrgNetID = 0;
  uint8_t FReservedFU = 0;
  uint16_t FTransDescLen = 0;
};

using TTSEntryArr = std::vector<std::unique_ptr<TTransportStreamEntry>>;

class TNISection : public TBasicSection {
 public:
  uint16_t NetworkID() const { return FResNetIDPrgNrTSID; }
  void SetNetworkID(uint16_t v) { FResNetIDPrgNrTSID = v; }
  uint8_t ReservedFU2() const { return FReservedFU2; }
  void SetReservedFU2(uint8_t v) { FReservedFU2 = v; }
  uint16_t NetworkDescriptorLength() const { return FNetDescLen; }
  void SetNetworkDescriptorLength(uint16_t v) { FNetDescLen = v; }
  uint8_t ReservedFU3() const { return FReservedFU3; }
  void SetReservedFU3(uint8_t v) { FReservedFU3 = v; }
  uint16_t TransportStreamLoopLength() const { return FTSLoopLen; }
  void SetTransportStreamLoopLength(uint16_t v) { FTSLoopLen = v; }

  TBasicDescriptorArray NWDesc;
  TTSEntryArr TSEntry;

  // Pointer byte, header, both loops as stored, CRC_32 in the last four bytes.
  // Throws EncodeError when the content does not fit SectionLength.
  Bytes SectionData() const override;

  enum class DecodeResult { Ok, Undecodable, DescriptorFailed };
  // Fills the section from received bytes (table_id .. CRC_32, no pointer byte) and
  // checks the CRC. DescriptorFailed: a descriptor could not be taken from the bytes.
  DecodeResult Decode(ByteView bytes);

 private:
  uint8_t FReservedFU2 = 0;
  uint16_t FNetDescLen = 0;
  uint8_t FReservedFU3 = 0;
  uint16_t FTSLoopLen = 0;
};

}  // namespace quillon
