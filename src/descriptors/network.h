#pragma once
// Network and delivery-system descriptors.
#include <cstdint>
#include <string>
#include <vector>

#include "descriptors/descriptor.h"

namespace quillon {

using TDynDWordArray = std::vector<uint32_t>;

// 0x40
class TNetworkNameDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TNetworkNameDescriptor)
 public:
  TNetworkNameDescriptor() { Tag = 0x40; }
  std::u16string NetName;  // written one byte per character
};

struct TServiceListEntry {
  uint16_t ServiceID = 0;
  uint8_t ServiceType = 0;
};

// 0x41
class TServiceListDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TServiceListDescriptor)
 public:
  TServiceListDescriptor() { Tag = 0x41; }
  std::vector<TServiceListEntry> Service;
};

// 0x42
class TStuffingDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TStuffingDescriptor)
 public:
  TStuffingDescriptor() { Tag = 0x42; }
  Bytes StuffByte;
};

// 0x43
class TSatDelivSysDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TSatDelivSysDescriptor)
 public:
  TSatDelivSysDescriptor() { Tag = 0x43; }
  uint32_t Freq = 0;      // 8 BCD digits, GHz with the point after the 3rd
  uint16_t OrbitPos = 0;  // 4 BCD digits, degrees with one decimal
  uint8_t WEFlag = 0;     // 1 bit, not masked when packed
  uint8_t Pola = 0;       // 2 bits, not masked when packed
  uint8_t RollOff = 0;    // 2 bits
  uint8_t ModuSys = 0;    // 1 bit
  uint8_t ModuType = 0;   // 2 bits
  uint32_t Symb = 0;      // 28 bits, 7 BCD digits
  uint8_t FECi = 0;       // 4 bits
};

// 0x44
class TCableDelivSysDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TCableDelivSysDescriptor)
 public:
  TCableDelivSysDescriptor() { Tag = 0x44; }
  uint32_t Freq = 0;        // 8 BCD digits, MHz with the point after the 4th
  uint16_t ReservedFU = 0;  // 12 bits
  uint8_t FECo = 0;         // 4 bits
  uint8_t Modu = 0;
  uint32_t Symb = 0;  // 28 bits, 7 BCD digits
  uint8_t FECi = 0;   // 4 bits
};

struct TLinkageEntry {
  uint8_t HandOverType = 0;  // 4 bits
  uint8_t ReservedFU = 0;    // 3 bits
  uint8_t OriginType = 0;    // 1 bit
  uint16_t NetworkID = 0;
  uint16_t InitialServiceID = 0;
  Bytes PrivData;
};

// 0x4A
class TLinkageDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TLinkageDescriptor)
 public:
  TLinkageDescriptor() { Tag = 0x4A; }
  uint16_t TSID = 0;
  uint16_t OrgNetID = 0;
  uint16_t ServiceID = 0;
  uint8_t LinkType = 0;
  TLinkageEntry LinkEntry;  // hand-over fields only when LinkType = 8; PrivData always
};

// 0x5A
class TTerrestDelivSysDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TTerrestDelivSysDescriptor)
 public:
  TTerrestDelivSysDescriptor() { Tag = 0x5A; }
  uint32_t CentreFreq = 0;  // units of 10 Hz
  uint8_t Bandwidth = 0;    // 3 bits
  uint8_t Priority = 0;     // 1 bit
  uint8_t TimeSliceInd = 0; // 1 bit
  uint8_t MPEFECInd = 0;    // 1 bit
  uint8_t ReservedFU1 = 0;  // 2 bits
  uint8_t Constellation = 0;  // 2 bits
  uint8_t HierarchyInfo = 0;  // 3 bits
  uint8_t CodeRateHP = 0;     // 3 bits
  uint8_t CodeRateLP = 0;     // 3 bits
  uint8_t GuardInterval = 0;  // 2 bits
  uint8_t TransMode = 0;      // 2 bits
  uint8_t OtherFreqFlag = 0;  // 1 bit
  uint32_t ReservedFU2 = 0;
};

struct TMultiNetNameEntry {
  uint32_t LangCode = 0;  // ISO 639, first character in bits 23..16
  uint8_t NetNameLen = 0;
  std::u16string NetName;     // through the fixed 8-bit code page; written one byte per character
  std::u16string NetNameUni;  // through the DVB character tables; filled by decoding only
};

// 0x5B
class TMultiNetNameDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TMultiNetNameDescriptor)
 public:
  TMultiNetNameDescriptor() { Tag = 0x5B; }
  std::vector<TMultiNetNameEntry> NameEntry;
};

// 0x5F
class TPrivDataSpecDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TPrivDataSpecDescriptor)
 public:
  TPrivDataSpecDescriptor() { Tag = 0x5F; }
  uint32_t DataSpec = 0;
};

// 0x62
class TFreqListDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TFreqListDescriptor)
 public:
  TFreqListDescriptor() { Tag = 0x62; }
  uint8_t ReservedFU = 0;  // 6 bits
  uint8_t CodingType = 0;  // 2 bits: 1 satellite, 2 cable, 3 terrestrial
  TDynDWordArray CentreFreqs;
};

struct TSubCellEntry {
  uint8_t CellIDExt = 0;
  uint16_t Latitude = 0;
  uint16_t Longitude = 0;
  uint16_t LatExtend = 0;   // 12 bits
  uint16_t LongExtend = 0;  // 12 bits
};

struct TCellListEntry {
  uint16_t CellID = 0;
  uint16_t Latitude = 0;
  uint16_t Longitude = 0;
  uint16_t LatExtend = 0;   // 12 bits
  uint16_t LongExtend = 0;  // 12 bits
  uint8_t SubCellLen = 0;   // byte count of the sub-cell loop, as read or set
  std::vector<TSubCellEntry> SubCells;
};

// 0x6C
class TCellListDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TCellListDescriptor)
 public:
  TCellListDescriptor() { Tag = 0x6C; }
  std::vector<TCellListEntry> Cells;
};

struct TSubCellLinkEntry {
  uint8_t CellIDExt = 0;
  uint32_t TransFreq = 0;
};

struct TCellLinkEntry {
  uint16_t CellID = 0;
  uint32_t Frequency = 0;
  uint8_t SubCellLen = 0;  // byte count of the sub-cell loop, as read or set
  std::vector<TSubCellLinkEntry> SubCell;
};

// 0x6D
class TCellFreqLinkDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TCellFreqLinkDescriptor)
 public:
  TCellFreqLinkDescriptor() { Tag = 0x6D; }
  std::vector<TCellLinkEntry> Cell;
};

// 0x79
class TS2SatDelivSysDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TS2SatDelivSysDescriptor)
 public:
  TS2SatDelivSysDescriptor() { Tag = 0x79; }
  uint8_t ScrSeqSel = 0;          // 1 bit
  uint8_t MultiInStreamFlag = 0;  // 1 bit
  uint8_t BackCompInd = 0;        // 1 bit
  uint8_t ReservedFU = 0;         // 5 bits
  uint8_t Reserved = 0;           // 6 bits
  uint32_t ScrSeqIdx = 0;         // 18 bits
  uint8_t InStreamIdent = 0;
};

}  // namespace quillon
