#pragma once
// DVB event descriptors: event texts, components, content and rating, local time
// offsets and programme delivery control.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "descriptors/descriptor.h"

namespace quillon {

// 0x4D
class TShortEventDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TShortEventDescriptor)
 public:
  TShortEventDescriptor() { Tag = 0x4D; }
  uint32_t LangCode = 0;  // ISO 639, first character in bits 23..16
  uint8_t EventNameLen = 0;
  std::u16string EventName;  // EventNameLen characters, one byte each
  uint8_t TextLen = 0;
  std::u16string Text;  // TextLen characters, one byte each
};

struct TExtendedEventEntry {
  uint8_t ItemDescriptionLen = 0;
  std::u16string ItemDescription;
  uint8_t ItemLen = 0;
  std::u16string Item;
};

// 0x4E
class TExtendedEventDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TExtendedEventDescriptor)
 public:
  TExtendedEventDescriptor() { Tag = 0x4E; }
  uint8_t DescriptorNumber = 0;      // 4 bits
  uint8_t LastDescriptorNumber = 0;  // 4 bits
  uint32_t LangCode = 0;
  uint8_t LengthOfItems = 0;  // byte count of the item loop, as read or set
  std::vector<TExtendedEventEntry> ItemEntry;
  uint8_t TextLen = 0;
  std::u16string Text;
};

// 0x4F
class TTimeShiftedEventDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TTimeShiftedEventDescriptor)
 public:
  TTimeShiftedEventDescriptor() { Tag = 0x4F; }
  uint16_t ReferenceServiceID = 0;
  uint16_t ReferenceEventID = 0;
};

// 0x50
class TComponentDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TComponentDescriptor)
 public:
  TComponentDescriptor() { Tag = 0x50; }
  uint8_t ReservedFU1 = 0;    // 4 bits
  uint8_t StreamContent = 0;  // 4 bits
  uint8_t ComponentType = 0;
  uint8_t ComponentTag = 0;
  uint32_t LangCode = 0;
  std::u16string Text;  // all of it written; Length - 6 characters read
};

struct TContentEntry {
  uint8_t ContentNibbleLevel1 = 0;  // 4 bits
  uint8_t ContentNibbleLevel2 = 0;  // 4 bits
  uint8_t UserNibble1 = 0;          // 4 bits
  uint8_t UserNibble2 = 0;          // 4 bits
};

// 0x54
class TContentDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TContentDescriptor)
 public:
  TContentDescriptor() { Tag = 0x54; }
  std::vector<TContentEntry> ContentEntry;
};

struct TParentalRatingEntry {
  uint32_t CountryCode = 0;  // ISO 3166, first character in bits 23..16
  uint8_t Rating = 0;
};

// 0x55
class TParentalRatingDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TParentalRatingDescriptor)
 public:
  TParentalRatingDescriptor() { Tag = 0x55; }
  std::vector<TParentalRatingEntry> ParentalRatingEntry;
};

struct TTimeOffsetEntry {
  uint32_t CountryCode = 0;
  uint8_t CountryRegionID = 0;  // 6 bits
  uint8_t Reserved = 0;         // 1 bit
  uint8_t OffsetPolarity = 0;   // 1 bit
  uint16_t Offset = 0;          // four BCD digits hhmm
  std::array<uint8_t, 5> TimeOfChange{};  // MJD and BCD time, kept raw
  uint16_t NextTimeOffset = 0;
};

// 0x58
class TLocalTimeOffsetDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TLocalTimeOffsetDescriptor)
 public:
  TLocalTimeOffsetDescriptor() { Tag = 0x58; }
  std::vector<TTimeOffsetEntry> TimeOffsetEntry;
};

struct TMultiTextEntry {
  uint32_t LangCode = 0;
  uint8_t TextLen = 0;
  std::u16string Text;     // through the fixed code page; written one byte per character
  std::u16string TextUni;  // through the DVB character tables; decoding only
};

// 0x5E
class TMultiComponentDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TMultiComponentDescriptor)
 public:
  TMultiComponentDescriptor() { Tag = 0x5E; }
  uint8_t ComponentTag = 0;
  std::vector<TMultiTextEntry> TextEntry;
};

// 0x69
class TPDCDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TPDCDescriptor)
 public:
  TPDCDescriptor() { Tag = 0x69; }
  uint8_t ReservedFU = 0;       // 4 bits
  uint32_t ProgIdentLabel = 0;  // 20 bits: day, month, hour, minute
};

}  // namespace quillon
