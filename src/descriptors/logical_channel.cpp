#include "descriptors/logical_channel.h"

namespace quillon {

namespace {

// Both entry layouts are 16 bits of service id, then visible flag, reserved bits and
// the channel number in the remaining 15 bits; only the split of those 15 differs.
template <class Entry>
constexpr int kLcnBits = 0;
template <>
constexpr int kLcnBits<TEacemLogChEntry> = 10;
template <>
constexpr int kLcnBits<TNorDigLogChEntry> = 14;

template <class Entry>
constexpr int kReservedBits = 15 - kLcnBits<Entry>;

constexpr uint32_t Mask(int bits) { return (1u << bits) - 1; }

// An entry is one 32-bit word; the fields go in and out masked to their widths, as
// field by field, but in one step (large tables have tens of thousands of entries).
template <class Entry>
void PutEntry(ByteWriter& w, const Entry& e) {
  constexpr int lcn = kLcnBits<Entry>;
  w.PutU32((uint32_t{e.ServiceID} << 16) | ((e.Visible & 1u) << 15) |
           ((e.Reserved & Mask(kReservedBits<Entry>)) << lcn) | (e.ChannelNo & Mask(lcn)));
}

template <class Entry>
void GetEntry(ByteReader& r, Entry& e) {
  constexpr int lcn = kLcnBits<Entry>;
  const uint32_t word = r.U32();
  e.ServiceID = static_cast<uint16_t>(word >> 16);
  e.Visible = static_cast<uint8_t>((word >> 15) & 1);
  e.Reserved = static_cast<uint8_t>((word >> lcn) & Mask(kReservedBits<Entry>));
  e.ChannelNo = static_cast<uint16_t>(word & Mask(lcn));
}

template <class Entry>
void PutEntries(ByteWriter& w, const std::vector<Entry>& entries) {
  for (const Entry& e : entries) PutEntry(w, e);
}

// `byteCount` / 4 entries, rounded half to even; a partial last entry takes the bytes
// that follow.
template <class Entry>
void GetEntries(ByteReader& r, uint32_t byteCount, std::vector<Entry>& entries) {
  entries.assign(RoundHalfEven(byteCount, 4), {});
  for (Entry& e : entries) GetEntry(r, e);
}

// The flat layouts: the entries one after another from byte 2.
template <class Entry>
Bytes EncodeFlat(ByteWriter w, const std::vector<Entry>& entries) {
  PutEntries(w, entries);
  return w.Take();
}

template <class Entry>
void DecodeFlat(ByteReader r, uint8_t length, std::vector<Entry>& entries) {
  GetEntries(r, length, entries);
}

}  // namespace

Bytes TEacemLogicalChannelDescriptor::DescriptorData() const { return EncodeFlat(NewWriter(), LogChEntry); }

void TEacemLogicalChannelDescriptor::SetDescriptorData(ByteView data) {
  DecodeFlat(BodyReader(data), Length, LogChEntry);
}

Bytes TNorDigLogicalChannelDescriptorV1::DescriptorData() const { return EncodeFlat(NewWriter(), LogChEntry); }

void TNorDigLogicalChannelDescriptorV1::SetDescriptorData(ByteView data) {
  DecodeFlat(BodyReader(data), Length, LogChEntry);
}

Bytes TNorDigLogicalChannelDescriptorV2::DescriptorData() const {
  ByteWriter w = NewWriter();
  for (const TNorDigChListEntry& list : ChListEntry) {
    w.PutU8(list.ChListID);
    w.PutU8(list.ChListNameLen);
    w.PutChars(list.ChListName, list.ChListNameLen);
    w.PutU24(list.CountryCode);
    w.PutU8(list.LogChLen);
    PutEntries(w, list.LogChEntry);
  }
  return w.Take();
}

void TNorDigLogicalChannelDescriptorV2::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  ChListEntry.clear();
  // The consumed count follows the declared lengths (at least 6 per list, so the loop
  // ends); the read position follows the entries actually read.
  for (size_t consumed = 0; consumed < Length;) {
    TNorDigChListEntry& list = ChListEntry.emplace_back();
    list.ChListID = r.U8();
    list.ChListNameLen = r.U8();
    list.ChListName = r.TakeLatin1(list.ChListNameLen);
    list.CountryCode = r.U24();
    list.LogChLen = r.U8();
    GetEntries(r, list.LogChLen, list.LogChEntry);
    consumed += 6u + list.ChListNameLen + list.LogChLen;
  }
}

}  // namespace quillon
