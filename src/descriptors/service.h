#pragma once
// DVB service and bouquet descriptors: names, availability, references to other
// services, mosaic, telephone and announcement support.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "descriptors/descriptor.h"

namespace quillon {

// 0x47
class TBouquetNameDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TBouquetNameDescriptor)
 public:
  TBouquetNameDescriptor() { Tag = 0x47; }
  std::u16string DescrName;  // Length characters, one byte each
};

// 0x48
class TServiceDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TServiceDescriptor)
 public:
  TServiceDescriptor() { Tag = 0x48; }
  uint8_t ServiceType = 0;
  uint8_t ServiceProviderNameLen = 0;
  RawString ServiceProviderName;          // raw bytes
  std::u16string ServiceProviderNameUni;  // through the DVB character tables; decoding only
  uint8_t ServiceNameLen = 0;
  RawString ServiceName;
  std::u16string ServiceNameUni;
};

struct TCountryCodeEntry {
  uint32_t CountryCode = 0;  // ISO 3166, first character in bits 23..16
};

// 0x49
class TCountryAvailibilityDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TCountryAvailibilityDescriptor)
 public:
  TCountryAvailibilityDescriptor() { Tag = 0x49; }
  uint8_t CountryAvailibilityFlag = 0;  // 1 bit, packed unmasked
  uint8_t ReservedFU1 = 0;              // 7 bits, packed unmasked
  std::vector<TCountryCodeEntry> CountryCodeEntry;
};

struct TNVODReferenceEntry {
  uint16_t TranspStreamID = 0;
  uint16_t OriginalNetworkID = 0;
  uint16_t ServiceID = 0;
};

// 0x4B
class TNVODReferenceDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TNVODReferenceDescriptor)
 public:
  TNVODReferenceDescriptor() { Tag = 0x4B; }
  std::vector<TNVODReferenceEntry> NVODReference;
};

// 0x4C
class TTimeShiftedServiceDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TTimeShiftedServiceDescriptor)
 public:
  TTimeShiftedServiceDescriptor() { Tag = 0x4C; }
  uint16_t ReferenceServiceID = 0;
};

struct TElemantaryCell {
  uint8_t ReservedFU1 = 0;       // 2 bits
  uint8_t ElementaryCellID = 0;  // 6 bits
};

// One logical cell of a mosaic; owned by its TMosaicDescriptor.
class TMosaicCellEntry {
 public:
  uint8_t LogicalCellID = 0;           // 6 bits
  uint8_t ReservedFU1 = 0;             // 7 bits
  uint8_t LogicalCellPresentInfo = 0;  // 3 bits
  uint8_t ElementaryCellFieldLen = 0;  // one byte per elementary cell
  std::vector<TElemantaryCell> ElementaryCell;
  uint8_t CellLinkageInfo = 0;
  uint16_t BouquetID = 0;           // linkage 1
  uint16_t OriginalNetworkID = 0;   // linkage 2, 3 and 4
  uint16_t TransportStreamID = 0;   // linkage 2, 3 and 4
  uint16_t ServiceID = 0;           // linkage 2, 3 and 4
  uint16_t EventID = 0;             // linkage 4
};

// 0x51
class TMosaicDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TMosaicDescriptor)
 public:
  TMosaicDescriptor() { Tag = 0x51; }
  uint8_t MosaicEntryPoint = 0;           // 1 bit
  uint8_t NumHorizontalElementCells = 0;  // 3 bits
  uint8_t ReservedFU1 = 0;                // 1 bit
  uint8_t NumVerticalElementCells = 0;    // 3 bits
  std::vector<std::unique_ptr<TMosaicCellEntry>> MosaicCellEntry;
};

struct TCAIdentifierEntry {
  uint16_t CASystemID = 0;
};

// 0x53
class TCAIdentifierDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TCAIdentifierDescriptor)
 public:
  TCAIdentifierDescriptor() { Tag = 0x53; }
  std::vector<TCAIdentifierEntry> CASystemIDEntry;
};

// 0x57
class TTelephoneDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TTelephoneDescriptor)
 public:
  TTelephoneDescriptor() { Tag = 0x57; }
  uint8_t ReservedFU1 = 0;          // 2 bits
  uint8_t ForeignAvailibility = 0;  // 1 bit
  uint8_t ConnectionType = 0;       // 5 bits
  uint8_t ReservedFU2 = 0;          // 1 bit
  uint8_t CountryPrefixLen = 0;     // 2 bits
  uint8_t InternatAreaCodeLen = 0;  // 3 bits
  uint8_t OperatorCodeLen = 0;      // 2 bits
  uint8_t ReservedFU3 = 0;          // 1 bit
  uint8_t NatAreaCodeLen = 0;       // 3 bits
  uint8_t CoreNumberLen = 0;        // 4 bits
  // Each as many characters as its length field, one byte each.
  std::u16string CoutryPrefix;
  std::u16string InterNatAreaCode;
  std::u16string OperatorCode;
  std::u16string NatAreaCode;
  std::u16string CoreNumber;
};

struct TMultiBouquetNameEntry {
  uint32_t LangCode = 0;  // ISO 639, first character in bits 23..16
  uint8_t BouquetNameLen = 0;
  std::u16string BouquetName;     // through the fixed code page; written one byte per character
  std::u16string BouquetNameUni;  // through the DVB character tables; decoding only
};

// 0x5C
class TMultiBouquetNameDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TMultiBouquetNameDescriptor)
 public:
  TMultiBouquetNameDescriptor() { Tag = 0x5C; }
  std::vector<TMultiBouquetNameEntry> BouquetEntry;
};

struct TMultilingualServiceNameEntry {
  uint32_t LangCode = 0;
  uint8_t ServiceProviderNameLen = 0;
  std::u16string ServiceProviderName;  // as the bouquet name of 0x5C
  std::u16string ServiceProviderNameUni;
  uint8_t ServiceNameLen = 0;
  std::u16string ServiceName;
  std::u16string ServiceNameUni;
};

// 0x5D
class TMultiServiceNameDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TMultiServiceNameDescriptor)
 public:
  TMultiServiceNameDescriptor() { Tag = 0x5D; }
  std::vector<TMultilingualServiceNameEntry> NameEntry;
};

// 0x60
class TServiceMoveDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TServiceMoveDescriptor)
 public:
  TServiceMoveDescriptor() { Tag = 0x60; }
  uint32_t NewOrgNetID = 0;       // 16 bits
  uint32_t NewTransStreamID = 0;  // 16 bits
  uint32_t NewServiceID = 0;      // 16 bits
};

struct TAnnounceSuppEntry {
  uint8_t AnnouncementType = 0;  // 4 bits
  uint8_t ReservedFU = 0;        // 1 bit
  uint8_t ReferenceType = 0;     // 3 bits
  // Only for reference types 1, 2 and 3.
  uint16_t OriginalNetworkID = 0;
  uint16_t TranspStreamID = 0;
  uint16_t ServiceID = 0;
  uint8_t ComponentTag = 0;
};

// 0x6E
class TAnnouncementSupportDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TAnnouncementSupportDescriptor)
 public:
  TAnnouncementSupportDescriptor() { Tag = 0x6E; }
  uint16_t AnnounceSuppInd = 0;
  std::vector<TAnnounceSuppEntry> AnnounceSuppEntry;
};

// 0x71
class TServiceIndentifierDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TServiceIndentifierDescriptor)
 public:
  TServiceIndentifierDescriptor() { Tag = 0x71; }
  std::u16string Indentifier;  // all of it written; Length characters read
};

struct TServiceAvailabilityEntry {
  uint16_t CellID = 0;
};

// 0x72
class TServiceAvailabilityDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TServiceAvailabilityDescriptor)
 public:
  TServiceAvailabilityDescriptor() { Tag = 0x72; }
  uint8_t AvailabilityFlag = 0;  // 1 bit
  uint8_t Reserved = 0;          // 7 bits
  std::vector<TServiceAvailabilityEntry> Cells;
};

}  // namespace quillon
