#pragma once
// Logical channel number descriptors of the private groups (EACEM, ITC, NorDig).
#include <cstdint>
#include <string>
#include <vector>

#include "descriptors/descriptor.h"

namespace quillon {

struct TEacemLogChEntry {
  uint16_t ServiceID = 0;
  uint8_t Visible = 0;    // 1 bit
  uint8_t Reserved = 0;   // 5 bits
  uint16_t ChannelNo = 0; // low 10 bits written
};

// 0x83 under private data specifier 0x28
class TEacemLogicalChannelDescriptor : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TEacemLogicalChannelDescriptor)
 public:
  TEacemLogicalChannelDescriptor() {
    Tag = 0x83;
    PrivSpec = kPrivSpecEacem;
  }
  std::vector<TEacemLogChEntry> LogChEntry;
};

// 0x83 under 0x233A: the EACEM layout.
class TItcLogicalChannelDescriptor : public TEacemLogicalChannelDescriptor {
 public:
  TItcLogicalChannelDescriptor() { PrivSpec = kPrivSpecItc; }
  const char* ClassName() const override { return "TItcLogicalChannelDescriptor"; }
};

// 0x88 under 0x28: the EACEM layout.
class THDSimulcastLogicalChannelDescriptor : public TEacemLogicalChannelDescriptor {
 public:
  THDSimulcastLogicalChannelDescriptor() { Tag = 0x88; }
  const char* ClassName() const override { return "THDSimulcastLogicalChannelDescriptor"; }
};

struct TNorDigLogChEntry {
  uint16_t ServiceID = 0;
  uint8_t Visible = 0;    // 1 bit
  uint8_t Reserved = 0;   // 1 bit
  uint16_t ChannelNo = 0; // low 14 bits written
};

// 0x83 under 0x29
class TNorDigLogicalChannelDescriptorV1 : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TNorDigLogicalChannelDescriptorV1)
 public:
  TNorDigLogicalChannelDescriptorV1() {
    Tag = 0x83;
    PrivSpec = kPrivSpecNorDig;
  }
  std::vector<TNorDigLogChEntry> LogChEntry;
};

struct TNorDigChListEntry {
  uint8_t ChListID = 0;
  uint8_t ChListNameLen = 0;
  std::u16string ChListName;  // written one byte per character
  uint32_t CountryCode = 0;   // ISO 3166 alpha-3, first letter in bits 23..16
  uint8_t LogChLen = 0;       // byte count of the entry loop, as read or set
  std::vector<TNorDigLogChEntry> LogChEntry;
};

// 0x87 under 0x29
class TNorDigLogicalChannelDescriptorV2 : public TBasicDescriptor {
  QUILLON_DESCRIPTOR(TNorDigLogicalChannelDescriptorV2)
 public:
  TNorDigLogicalChannelDescriptorV2() {
    Tag = 0x87;
    PrivSpec = kPrivSpecNorDig;
  }
  std::vector<TNorDigChListEntry> ChListEntry;
};

}  // namespace quillon
