#pragma once
// MPEG-2 systems descriptors (tags 0x02..0x14).
#include <cstdint>
#include <vector>

#include "descriptors/descriptor.h"

namespace quillon {

// 0x02
class TVideoStreamDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TVideoStreamDescriptor)
 public:
  TVideoStreamDescriptor() { Tag = 0x02; }
  uint8_t MultipleFrameRateFlag = 0;  // 1 bit
  uint8_t FrameRateCode = 0;          // 4 bits
  uint8_t MPEG1OnlyFlag = 0;          // 1 bit
  uint8_t ConstrainedParaFlag = 0;    // 1 bit
  uint8_t StillPictureFlag = 0;       // 1 bit
  // Only when MPEG1OnlyFlag = 0; written only when Length is 3 as well.
  uint8_t ProfileLevelIndication = 0;
  uint8_t ChromaFormat = 0;      // 2 bits
  uint8_t FrameRateExtFlag = 0;  // 1 bit
  uint8_t Reserved = 0;          // 5 bits
};

// 0x03
class TAudioStreamDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TAudioStreamDescriptor)
 public:
  TAudioStreamDescriptor() { Tag = 0x03; }
  uint8_t FreeFormatFlag = 0;          // 1 bit
  uint8_t ID = 0;                      // 1 bit
  uint8_t Layer = 0;                   // 2 bits
  uint8_t VarRateAudioIndication = 0;  // 1 bit
  uint8_t Reserved = 0;                // 3 bits
};

// 0x04
class THierarchyDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(THierarchyDescriptor)
 public:
  THierarchyDescriptor() { Tag = 0x04; }
  uint8_t Reserved1 = 0;           // 4 bits
  uint8_t HierType = 0;            // 4 bits
  uint8_t Reserved2 = 0;           // 2 bits
  uint8_t LayerIndex = 0;          // 6 bits
  uint8_t Reserved3 = 0;           // 2 bits
  uint8_t EmbeddedLayerIndex = 0;  // 6 bits
  uint8_t Reserved4 = 0;           // 2 bits
  uint8_t Channel = 0;             // 6 bits
};

// 0x05
class TRegistrationDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TRegistrationDescriptor)
 public:
  TRegistrationDescriptor() { Tag = 0x05; }
  uint32_t FormatIdent = 0;
  Bytes AddIdentInfo;  // Length - 4 bytes
};

// 0x06
class TDataStreamAlignmentDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TDataStreamAlignmentDescriptor)
 public:
  TDataStreamAlignmentDescriptor() { Tag = 0x06; }
  uint8_t AlignmentType = 0;
};

// 0x07
class TTargetBackgroundGridDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TTargetBackgroundGridDescriptor)
 public:
  TTargetBackgroundGridDescriptor() { Tag = 0x07; }
  uint16_t HorizontalSize = 0;  // 14 bits
  uint16_t VerticalSize = 0;    // 14 bits
  uint8_t AspectRatioInfo = 0;  // 4 bits
};

// 0x08
class TVideoWindowDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TVideoWindowDescriptor)
 public:
  TVideoWindowDescriptor() { Tag = 0x08; }
  uint16_t HorizontalOffset = 0;  // 14 bits
  uint16_t VerticalOffset = 0;    // 14 bits
  uint8_t WindowPriority = 0;     // 4 bits
};

// 0x09
class TCADescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TCADescriptor)
 public:
  TCADescriptor() { Tag = 0x09; }
  uint16_t CASystemID = 0;
  uint8_t Reserved = 0;  // 3 bits
  uint16_t CAPID = 0;    // 13 bits
  Bytes PrivateData;     // Length - 4 bytes
};

struct TISO639LanguageCodeEntry {
  uint32_t LanguageCode = 0;  // ISO 639, first character in bits 23..16
  uint8_t AudioType = 0;
};

// 0x0A
class TISO639LanguageCodeDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TISO639LanguageCodeDescriptor)
 public:
  TISO639LanguageCodeDescriptor() { Tag = 0x0A; }
  std::vector<TISO639LanguageCodeEntry> Languages;
};

// 0x0B
class TSystemClockDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TSystemClockDescriptor)
 public:
  TSystemClockDescriptor() { Tag = 0x0B; }
  uint8_t ExtClockRefInd = 0;         // 1 bit
  uint8_t Reserved1 = 0;              // 1 bit
  uint8_t ClockAccuracyInteger = 0;   // 6 bits
  uint8_t ClockAccuracyExponent = 0;  // 3 bits
  uint8_t Reserved2 = 0;              // 5 bits
};

// 0x0C
class TMultiplexBufferUtilizationDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TMultiplexBufferUtilizationDescriptor)
 public:
  TMultiplexBufferUtilizationDescriptor() { Tag = 0x0C; }
  uint8_t BoundValidFlag = 0;         // 1 bit
  uint16_t LTWOffsetLowerBound = 0;   // 15 bits
  uint8_t Reserved = 0;               // 1 bit
  uint16_t LTWOffsetUpperBound = 0;   // 15 bits
};

// 0x0D
class TCopyrightDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TCopyrightDescriptor)
 public:
  TCopyrightDescriptor() { Tag = 0x0D; }
  uint32_t CopyrightIdent = 0;
  Bytes AdditionalData;  // Length - 4 bytes
};

// 0x0E
class TMaximumBitrateDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TMaximumBitrateDescriptor)
 public:
  TMaximumBitrateDescriptor() { Tag = 0x0E; }
  uint8_t Reserved = 0;     // 2 bits
  uint32_t MaxBitrate = 0;  // 22 bits
};

// 0x0F
class TPrivDataIndDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TPrivDataIndDescriptor)
 public:
  TPrivDataIndDescriptor() { Tag = 0x0F; }
  uint32_t DataInd = 0;
};

// 0x10
class TSmoothingBufferDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TSmoothingBufferDescriptor)
 public:
  TSmoothingBufferDescriptor() { Tag = 0x10; }
  uint8_t Reserved1 = 0;    // 2 bits
  uint32_t SBLeakRate = 0;  // 22 bits
  uint8_t Reserved2 = 0;    // 2 bits
  uint32_t SBSize = 0;      // 22 bits
};

// 0x11
class TSystemTargetDecoderDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TSystemTargetDecoderDescriptor)
 public:
  TSystemTargetDecoderDescriptor() { Tag = 0x11; }
  uint8_t Reserved = 0;       // 7 bits, packed unmasked
  uint8_t LeakValidFlag = 0;  // 1 bit, packed unmasked
};

// 0x12
class TIBPDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TIBPDescriptor)
 public:
  TIBPDescriptor() { Tag = 0x12; }
  uint8_t ClosedGOPFlag = 0;     // 1 bit
  uint8_t IdenticalGOPFlag = 0;  // 1 bit
  uint16_t MaxGOPLen = 0;        // 14 bits
};

struct TFormatSpecifier {
  uint8_t ModuleVersion = 0;
  uint16_t ModuleID = 0;
  uint16_t BlockSize = 0;
  uint32_t ModuleSize = 0;
  uint8_t CompressionMethod = 0;
  uint32_t OriginalSize = 0;
  uint8_t TimeOut = 0;
  uint8_t ObjectKeyLen = 0;
  Bytes ObjectKeyData;  // ObjectKeyLen bytes
};

// 0x13
class TCarouselIdentifierDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TCarouselIdentifierDescriptor)
 public:
  TCarouselIdentifierDescriptor() { Tag = 0x13; }
  uint32_t CarouselID = 0;
  uint8_t FormatID = 0;
  TFormatSpecifier FormatSpecifier;  // carried only when FormatID = 1
  Bytes PrivateData;                 // the rest of Length
};

struct TSelector {
  uint8_t SelectorLen = 0;
  uint32_t TransactionID = 0;  // Use 0
  uint32_t TimeOut = 0;        // Use 0
  Bytes SelectorData;          // Use other than 0 and 1: SelectorLen bytes
};

// 0x14
class TAssociationTagDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TAssociationTagDescriptor)
 public:
  TAssociationTagDescriptor() { Tag = 0x14; }
  uint16_t AssociationTag = 0;
  uint16_t Use = 0;
  TSelector Selector;
  Bytes PrivateData;  // Length + 2 - (7 + SelectorLen) bytes
};

}  // namespace quillon
