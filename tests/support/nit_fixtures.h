#pragma once
// NIT sections built by hand, as a generator fills them.
#include <cstdint>
#include <memory>

#include <string>

#include "descriptors/network.h"
#include "nit/ni_section.h"

namespace quillon::test {

// Syntax 1, every reserved bit set.
inline void SetGeneratedHeader(TNISection& s, uint16_t networkId, uint8_t version, uint8_t currentNext = 1) {
  s.SetSectionSyntaxIndicator(1);
  s.SetReservedFU1(1);
  s.SetReserved1(3);
  s.SetReserved2(3);
  s.SetReservedFU2(15);
  s.SetReservedFU3(15);
  s.SetNetworkID(networkId);
  s.SetVersionNumber(version);
  s.SetCurrentNextIndicator(currentNext);
}

// Sets every length from the content, as a builder does.
inline void FixLengths(TNISection& s) {
  s.SetNetworkDescriptorLength(static_cast<uint16_t>(DescriptorLoopLength(s.NWDesc)));
  uint32_t loop = 0;
  for (auto& e : s.TSEntry) {
    e->SetTransportDescriptorLength(static_cast<uint16_t>(DescriptorLoopLength(e->TSDescriptor)));
    loop += 6 + e->TransportDescriptorLength();
  }
  s.SetTransportStreamLoopLength(static_cast<uint16_t>(loop));
  s.SetSectionLength(static_cast<uint16_t>(13 + s.NetworkDescriptorLength() + loop));
}

inline std::unique_ptr<TTransportStreamEntry> Entry(uint16_t tsid, uint16_t onid) {
  auto e = std::make_unique<TTransportStreamEntry>();
  e->SetTSID(tsid);
  e->SetOrgNetID(onid);
  e->SetReservedFU(15);
  return e;
}

inline std::unique_ptr<TNetworkNameDescriptor> NetworkNameDescriptor(const std::u16string& name) {
  auto d = std::make_unique<TNetworkNameDescriptor>();
  d->NetName = name;
  d->Length = static_cast<uint8_t>(name.size());
  return d;
}

}  // namespace quillon::test
