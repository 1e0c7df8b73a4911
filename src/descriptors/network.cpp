#include "descriptors/network.h"

#include "descriptors/layout.h"

namespace quillon {

namespace {

// Two 12-bit extents packed into three bytes, latitude first.
void PutExtents(ByteWriter& w, uint16_t lat, uint16_t lon) {
  w.PutBits(lat, 12);
  w.PutBits(lon, 12);
}

template <class T>
void GetExtents(ByteReader& r, T& entry) {
  entry.LatExtend = static_cast<uint16_t>(r.Bits(12));
  entry.LongExtend = static_cast<uint16_t>(r.Bits(12));
}

uint8_t Bits8(ByteReader& r, int width) { return static_cast<uint8_t>(r.Bits(width)); }

}  // namespace

// ---------------------------------------------------------------- 0x40 network name

Bytes TNetworkNameDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutChars(NetName, Length);
  return w.Take();
}

void TNetworkNameDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  NetName = r.TakeLatin1(Length);
}

// ---------------------------------------------------------------- 0x41 service list

Bytes TServiceListDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  for (const TServiceListEntry& e : Service) {
    w.PutU16(e.ServiceID);
    w.PutU8(e.ServiceType);
  }
  return w.Take();
}

void TServiceListDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  Service.assign(RoundHalfEven(Length, 3), {});
  for (TServiceListEntry& e : Service) {
    e.ServiceID = r.U16();
    e.ServiceType = r.U8();
  }
}

// ---------------------------------------------------------------- 0x42 stuffing

Bytes TStuffingDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutBytes(StuffByte);
  return w.Take();
}

void TStuffingDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  StuffByte = r.TakeBytes(Length);
}

// ---------------------------------------------------------------- 0x43 satellite

Bytes TSatDelivSysDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutU32(Freq);
  w.PutU16(OrbitPos);
  // West/east and polarisation go in unmasked; an oversized value must not spill silently.
  w.PutUnmasked(WEFlag * 128u + Pola * 32u + (RollOff & 3u) * 8 + (ModuSys & 1u) * 4 + (ModuType & 3u), 8);
  w.PutBits(Symb, 28);
  w.PutBits(FECi, 4);
  return w.Take();
}

void TSatDelivSysDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  Freq = r.U32();
  OrbitPos = r.U16();
  WEFlag = Bits8(r, 1);
  Pola = Bits8(r, 2);
  RollOff = Bits8(r, 2);
  ModuSys = Bits8(r, 1);
  ModuType = Bits8(r, 2);
  Symb = r.Bits(28);
  FECi = Bits8(r, 4);
}

// ---------------------------------------------------------------- 0x44 cable

Bytes TCableDelivSysDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutU32(Freq);
  w.PutBits(ReservedFU, 12);
  w.PutBits(FECo, 4);
  w.PutU8(Modu);
  w.PutBits(Symb, 28);
  w.PutBits(FECi, 4);
  return w.Take();
}

void TCableDelivSysDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  Freq = r.U32();
  ReservedFU = static_cast<uint16_t>(r.Bits(12));
  FECo = Bits8(r, 4);
  Modu = r.U8();
  Symb = r.Bits(28);
  FECi = Bits8(r, 4);
}

// ---------------------------------------------------------------- 0x4A linkage

namespace {

constexpr uint8_t kMobileHandOver = 8;

// Bytes of the optional hand-over fields that follow the hand-over byte.
size_t HandOverOptionalBytes(const TLinkageEntry& e) {
  return (e.HandOverType <= 3 ? 2 : 0) + (e.OriginType == 0 ? 2 : 0);
}

}  // namespace

Bytes TLinkageDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutU16(TSID);
  w.PutU16(OrgNetID);
  w.PutU16(ServiceID);
  w.PutU8(LinkType);
  if (LinkType == kMobileHandOver) {
    const TLinkageEntry& e = LinkEntry;
    w.PutUnmasked(e.HandOverType * 16u + e.ReservedFU * 2u + e.OriginType, 8);
    if (e.HandOverType <= 3) w.PutU16(e.NetworkID);
    if (e.OriginType == 0) w.PutU16(e.InitialServiceID);
    int priv = Length - 8 - static_cast<int>(HandOverOptionalBytes(e));
    if (priv > 0) w.PutBytesPrefix(e.PrivData, static_cast<size_t>(priv));
  } else if (Length >= 8) {
    w.PutBytesPrefix(LinkEntry.PrivData, Length - 7u);
  }
  return w.Take();
}

void TLinkageDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  TSID = r.U16();
  OrgNetID = r.U16();
  ServiceID = r.U16();
  LinkType = r.U8();
  LinkEntry = {};
  if (Length <= 7) return;
  if (LinkType != kMobileHandOver) {
    LinkEntry.PrivData = r.TakeBytes(Length - 7u);
    return;
  }
  TLinkageEntry& e = LinkEntry;
  e.HandOverType = Bits8(r, 4);
  e.ReservedFU = Bits8(r, 3);
  e.OriginType = Bits8(r, 1);
  if (e.HandOverType < 4) e.NetworkID = r.U16();
  if (e.OriginType == 0) e.InitialServiceID = r.U16();
  // Optional fields that run past Length leave no private data (never a negative count).
  int priv = Length - 8 - static_cast<int>(HandOverOptionalBytes(e));
  if (priv > 0) e.PrivData = r.TakeBytes(static_cast<size_t>(priv));
}

// ---------------------------------------------------------------- 0x5A terrestrial

Bytes TTerrestDelivSysDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutU32(CentreFreq);
  w.PutBits(Bandwidth, 3);
  w.PutBits(Priority, 1);
  w.PutBits(TimeSliceInd, 1);
  w.PutBits(MPEFECInd, 1);
  w.PutBits(ReservedFU1, 2);
  w.PutBits(Constellation, 2);
  w.PutBits(HierarchyInfo, 3);
  w.PutBits(CodeRateHP, 3);
  w.PutBits(CodeRateLP, 3);
  w.PutBits(GuardInterval, 2);
  w.PutBits(TransMode, 2);
  w.PutBits(OtherFreqFlag, 1);
  w.PutU32(ReservedFU2);
  return w.Take();
}

void TTerrestDelivSysDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  CentreFreq = r.U32();
  Bandwidth = Bits8(r, 3);
  Priority = Bits8(r, 1);
  TimeSliceInd = Bits8(r, 1);
  MPEFECInd = Bits8(r, 1);
  ReservedFU1 = Bits8(r, 2);
  Constellation = Bits8(r, 2);
  HierarchyInfo = Bits8(r, 3);
  CodeRateHP = Bits8(r, 3);
  CodeRateLP = Bits8(r, 3);
  GuardInterval = Bits8(r, 2);
  TransMode = Bits8(r, 2);
  OtherFreqFlag = Bits8(r, 1);
  ReservedFU2 = r.U32();
}

// ---------------------------------------------------------------- 0x5B multilingual name

namespace {

constexpr auto kMultiNetName = [](auto io, auto& d) {
  io.While(d.NameEntry, d.Length, [](auto io, auto& e) {
    io(e.LangCode, 24);
    io(e.NetNameLen, 8);
    io.DvbText(e.NetName, e.NetNameUni, e.NetNameLen);
  });
};

}  // namespace

QUILLON_LAYOUT_CODEC(TMultiNetNameDescriptor, kMultiNetName)

// ---------------------------------------------------------------- 0x5F private data specifier

Bytes TPrivDataSpecDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutU32(DataSpec);
  return w.Take();
}

void TPrivDataSpecDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  DataSpec = r.U32();
}

// ---------------------------------------------------------------- 0x62 frequency list

Bytes TFreqListDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutBits(ReservedFU, 6);
  w.PutBits(CodingType, 2);
  for (uint32_t f : CentreFreqs) w.PutU32(f);
  return w.Take();
}

void TFreqListDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  ReservedFU = Bits8(r, 6);
  CodingType = Bits8(r, 2);
  // Length 0 has no room for any frequency ((0 - 1) / 4 rounds to 0), not ~2^32 of them.
  CentreFreqs.assign(Length >= 1 ? RoundHalfEven(Length - 1u, 4) : 0, 0);
  for (uint32_t& f : CentreFreqs) f = r.U32();
}

// ---------------------------------------------------------------- 0x6C cell list

Bytes TCellListDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  for (const TCellListEntry& c : Cells) {
    w.PutU16(c.CellID);
    w.PutU16(c.Latitude);
    w.PutU16(c.Longitude);
    PutExtents(w, c.LatExtend, c.LongExtend);
    w.PutU8(c.SubCellLen);
    for (const TSubCellEntry& s : c.SubCells) {
      w.PutU8(s.CellIDExt);
      w.PutU16(s.Latitude);
      w.PutU16(s.Longitude);
      PutExtents(w, s.LatExtend, s.LongExtend);
    }
  }
  return w.Take();
}

void TCellListDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  Cells.clear();
  for (size_t o = 0; o < Length;) {
    r.SeekByte(2 + o);
    TCellListEntry& c = Cells.emplace_back();
    c.CellID = r.U16();
    c.Latitude = r.U16();
    c.Longitude = r.U16();
    GetExtents(r, c);
    c.SubCellLen = r.U8();
    c.SubCells.assign(RoundHalfEven(c.SubCellLen, 8), {});
    for (TSubCellEntry& s : c.SubCells) {
      s.CellIDExt = r.U8();
      s.Latitude = r.U16();
      s.Longitude = r.U16();
      GetExtents(r, s);
    }
    o += c.SubCellLen + 10u;
  }
}

// ---------------------------------------------------------------- 0x6D cell frequency link

Bytes TCellFreqLinkDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  for (const TCellLinkEntry& c : Cell) {
    w.PutU16(c.CellID);
    w.PutU32(c.Frequency);
    w.PutU8(c.SubCellLen);
    for (const TSubCellLinkEntry& s : c.SubCell) {
      w.PutU8(s.CellIDExt);
      w.PutU32(s.TransFreq);
    }
  }
  return w.Take();
}

void TCellFreqLinkDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  Cell.clear();
  for (size_t o = 0; o < Length;) {
    r.SeekByte(2 + o);
    TCellLinkEntry& c = Cell.emplace_back();
    c.CellID = r.U16();
    c.Frequency = r.U32();
    c.SubCellLen = r.U8();
    c.SubCell.assign(RoundHalfEven(c.SubCellLen, 5), {});
    for (TSubCellLinkEntry& s : c.SubCell) {
      s.CellIDExt = r.U8();
      s.TransFreq = r.U32();
    }
    o += c.SubCellLen + 7u;
  }
}

// ---------------------------------------------------------------- 0x79 S2 satellite

Bytes TS2SatDelivSysDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutUnmasked(ScrSeqSel * 128u + MultiInStreamFlag * 64u + BackCompInd * 32u + ReservedFU, 8);
  if (ScrSeqSel == 1) {
    w.PutUnmasked(Reserved * 4u + ((ScrSeqIdx >> 16) & 3u), 8);
    w.PutU16(ScrSeqIdx & 0xFFFF);
  }
  if (MultiInStreamFlag == 1) w.PutU8(InStreamIdent);
  return w.Take();
}

void TS2SatDelivSysDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  ScrSeqSel = Bits8(r, 1);
  MultiInStreamFlag = Bits8(r, 1);
  BackCompInd = Bits8(r, 1);
  ReservedFU = Bits8(r, 5);
  Reserved = 0;
  ScrSeqIdx = 0;
  InStreamIdent = 0;
  if (ScrSeqSel == 1) {
    Reserved = Bits8(r, 6);
    ScrSeqIdx = r.Bits(18);
  }
  if (MultiInStreamFlag == 1) InStreamIdent = r.U8();
}

}  // namespace quillon
