#include "nit/ni_section.h"

#include "core/crc32.h"
#include "platform/errors.h"

namespace quillon {

Bytes TNISection::SectionData() const {
  const size_t n = static_cast<size_t>(FSectionLength) + 4;
  ByteWriter w(n);
  WriteHeader(w);
  w.PutBits(FReservedFU2, 4);
  w.PutBits(FNetDescLen, 12);
  for (const auto& d : NWDesc) w.PutBytes(d->DescriptorData());
  w.PutBits(FReservedFU3, 4);
  w.PutBits(FTSLoopLen, 12);
  for (const auto& e : TSEntry) {
    w.PutU16(e->TSID());
    w.PutU16(e->OrgNetID());
    w.PutBits(e->ReservedFU(), 4);
    w.PutBits(e->TransportDescriptorLength(), 12);
    for (const auto& d : e->TSDescriptor) w.PutBytes(d->DescriptorData());
  }
  // Content running into the CRC bytes would be overwritten by them: refuse it.
  if (w.BytePosition() + 4 > n)
    throw EncodeError("The NIT section content is longer than its section_length allows.");
  w.SeekByte(n - 4);
  w.PutU32(FCRC32);
  return w.Take();
}

TNISection::DecodeResult TNISection::Decode(ByteView bytes) {
  try {
    ByteReader r(bytes);
    ReadHeader(r);
    FReservedFU2 = static_cast<uint8_t>(r.Bits(4));
    FNetDescLen = static_cast<uint16_t>(r.Bits(12));
    ByteView rest = bytes.subspan(r.BytePosition());
    if (!ParseDescriptorLoop(rest, FNetDescLen, NWDesc)) return DecodeResult::DescriptorFailed;

    ByteReader lr(rest);
    FReservedFU3 = static_cast<uint8_t>(lr.Bits(4));
    FTSLoopLen = static_cast<uint16_t>(lr.Bits(12));
    rest = rest.subspan(2);
    size_t consumed = 0;
    while (consumed < FTSLoopLen) {
      auto e = std::make_unique<TTransportStreamEntry>();
      ByteReader er(rest);
      e->SetTSID(er.U16());
      e->SetOrgNetID(er.U16());
      e->SetReservedFU(static_cast<uint8_t>(er.Bits(4)));
      e->SetTransportDescriptorLength(static_cast<uint16_t>(er.Bits(12)));
      rest = rest.subspan(6);
      consumed += 6;
      size_t before = rest.size();
      bool ok = ParseDescriptorLoop(rest, e->TransportDescriptorLength(), e->TSDescriptor);
      consumed += before - rest.size();
      TSEntry.push_back(std::move(e));
      if (!ok) return DecodeResult::DescriptorFailed;
    }
  } catch (const DecodeError&) {
    return DecodeResult::Undecodable;
  }

  const size_t n = bytes.size();
  uint32_t stored = (static_cast<uint32_t>(bytes[n - 4]) << 24) | (static_cast<uint32_t>(bytes[n - 3]) << 16) |
                    (static_cast<uint32_t>(bytes[n - 2]) << 8) | bytes[n - 1];
  SetReceivedCRC(stored, CalcCRC32(bytes.data(), n - 4, kCrcInit) == stored);
  return DecodeResult::Ok;
}

}  // namespace quillon
