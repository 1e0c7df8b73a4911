#pragma once
// DVB elementary-stream and data descriptors: VBI and teletext, subtitles, AC-3,
// smoothing and partial transport streams, data broadcast and application signalling.
#include <cstdint>
#include <string>
#include <vector>

#include "descriptors/descriptor.h"

namespace quillon {

// One byte of a VBI data service: the line fields for ids 1, 2 and 4..7, otherwise the
// byte is Reserved1 whole.
struct TDataServiceEntry {
  uint8_t Reserved1 = 0;    // 2 bits, or 8
  uint8_t FieldParity = 0;  // 1 bit
  uint8_t LineOffset = 0;   // 5 bits
};

struct TVBIDataEntry {
  uint8_t DataServiceID = 0;
  uint8_t DataServiceDescriptorLen = 0;  // one byte per data service entry
  std::vector<TDataServiceEntry> DataServiceEntry;
};

// 0x45
class TVBIDataDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TVBIDataDescriptor)
 public:
  TVBIDataDescriptor() { Tag = 0x45; }
  std::vector<TVBIDataEntry> VBIDataEntry;
};

struct TTeletextEntry {
  uint32_t LangCode = 0;  // ISO 639, first character in bits 23..16
  uint8_t TeletextType = 0;            // 5 bits
  uint8_t TeletextMagazineNumber = 0;  // 3 bits
  uint8_t TeletextPageNumber = 0;
};
// The VBI teletext entry has the teletext layout.
using TVBITeletextEntry = TTeletextEntry;

// 0x46
class TVBITeletextDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TVBITeletextDescriptor)
 public:
  TVBITeletextDescriptor() { Tag = 0x46; }
  std::vector<TVBITeletextEntry> VBITeletextEntry;
};

// 0x52
class TStreamIdentifierDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TStreamIdentifierDescriptor)
 public:
  TStreamIdentifierDescriptor() { Tag = 0x52; }
  uint8_t ComponentTag = 0;
};

// 0x56
class TTeletextDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TTeletextDescriptor)
 public:
  TTeletextDescriptor() { Tag = 0x56; }
  std::vector<TTeletextEntry> TeletextEntry;
};

struct TSubTitlingEntry {
  uint32_t LangCode = 0;
  uint8_t SubTitlingType = 0;
  uint16_t CompositionPageID = 0;
  uint16_t AncillaryPageID = 0;
};

// 0x59
class TSubTitlingDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TSubTitlingDescriptor)
 public:
  TSubTitlingDescriptor() { Tag = 0x59; }
  std::vector<TSubTitlingEntry> SubTitlingEntry;
};

// 0x61
class TShortSmoothingBufferDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TShortSmoothingBufferDescriptor)
 public:
  TShortSmoothingBufferDescriptor() { Tag = 0x61; }
  uint8_t SBSize = 0;      // 2 bits
  uint8_t SBLeakRate = 0;  // 6 bits
  Bytes DVBReserved;       // Length - 1 bytes
};

// 0x63
class TPartialTSDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TPartialTSDescriptor)
 public:
  TPartialTSDescriptor() { Tag = 0x63; }
  uint8_t DVBReservedFU1 = 0;     // 2 bits
  uint32_t PeakRate = 0;          // 22 bits
  uint8_t DVBReservedFU2 = 0;     // 2 bits
  uint32_t MinOverallRate = 0;    // 22 bits
  uint8_t DVBReservedFU3 = 0;     // 2 bits
  uint16_t MaxOverallBuffer = 0;  // 14 bits
};

// 0x64
class TDataBroadcastDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TDataBroadcastDescriptor)
 public:
  TDataBroadcastDescriptor() { Tag = 0x64; }
  uint16_t DataBroadcastID = 0;
  uint8_t ComponentTag = 0;
  uint8_t SelectorLen = 0;
  Bytes SelectorBytes;  // all of it written; SelectorLen bytes read
  uint32_t ISOLanguageCode = 0;
  uint8_t TextLen = 0;
  std::u16string Text;  // all of it written; TextLen characters read
};

// 0x65
class TScramblingDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TScramblingDescriptor)
 public:
  TScramblingDescriptor() { Tag = 0x65; }
  uint8_t ScramblingMode = 0;
};

// 0x66
class TDataBroadcastIDDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TDataBroadcastIDDescriptor)
 public:
  TDataBroadcastIDDescriptor() { Tag = 0x66; }
  uint16_t DataBroadcastID = 0;
  Bytes IDSelectorBytes;  // Length - 2 bytes
};

// 0x6A
class TAC3Descriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TAC3Descriptor)
 public:
  TAC3Descriptor() { Tag = 0x6A; }
  uint8_t CompTypeFlag = 0;  // 1 bit
  uint8_t BSIDFlag = 0;      // 1 bit
  uint8_t MainIDFlag = 0;    // 1 bit
  uint8_t ASVCFlag = 0;      // 1 bit
  uint8_t Reserved = 0;      // 4 bits
  // Each carried only when its flag is 1.
  uint8_t AC3CompType = 0;
  uint8_t BSID = 0;
  uint8_t MainID = 0;
  uint8_t ASVC = 0;
  Bytes AdditionalInfo;  // the rest of Length
};

// 0x6B
class TAncillaryDataDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TAncillaryDataDescriptor)
 public:
  TAncillaryDataDescriptor() { Tag = 0x6B; }
  uint8_t AncDataIdent = 0;
};

struct TAppSignEntry {
  uint16_t AppType = 0;
  uint8_t ReservedFU = 0;  // 3 bits
  uint8_t AITVersion = 0;  // 5 bits
};

// 0x6F
class TApplicationSignallingDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TApplicationSignallingDescriptor)
 public:
  TApplicationSignallingDescriptor() { Tag = 0x6F; }
  std::vector<TAppSignEntry> AppSignEntry;
};

// 0x70
class TAdaptationFieldDataDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TAdaptationFieldDataDescriptor)
 public:
  TAdaptationFieldDataDescriptor() { Tag = 0x70; }
  uint8_t AdaptIdent = 0;
};

}  // namespace quillon
