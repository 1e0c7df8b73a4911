// Displays of the network-level and delivery-system descriptors.
#include <cstdint>

#include "descriptors/network.h"
#include "viewer/display_rows.h"
#include "viewer/node_text.h"
#include "vocabulary/si_values.h"

namespace quillon::viewer {

namespace {

constexpr uint8_t kMobileHandOver = 8;
constexpr uint8_t kCodingSatellite = 1;
constexpr uint8_t kCodingCable = 2;

// Terrestrial frequencies count 10 Hz units.
std::u16string TenHertzText(uint32_t units) { return Fixed(units / 1e5, 6, u" MHz"); }

void NetworkName(TTableNode& node, const TNetworkNameDescriptor& d) {
  node.Add(u"Network Name", Chars(d.Length), d.NetName);
}

void ServiceList(TTableNode& node, const TServiceListDescriptor& d) {
  TTableNode& loop = Group(node, u"Service List Loop");
  for (const TServiceListEntry& s : d.Service) {
    TTableNode& entry = loop.Add(u"Service List Entry", {}, {}, Dec(s.ServiceID));
    HexField(entry, u"Service ID", 16, s.ServiceID, 4);
    HexField(entry, u"Service Type", 8, s.ServiceType, 2, ServiceTypeText(s.ServiceType));
  }
}

void Stuffing(TTableNode& node, const TStuffingDescriptor& d) { BytesNode(node, u"Stuffing Descriptor", d.StuffByte); }

void Satellite(TTableNode& node, const TSatDelivSysDescriptor& d) {
  BcdField(node, u"Frequency", 32, d.Freq, 8, 5, 5, u" GHz");
  BcdField(node, u"Orbital Position", 16, d.OrbitPos, 4, 1, 1, u"°");
  DecField(node, u"West/East Flag", 1, d.WEFlag, WestEastText(d.WEFlag));
  DecField(node, u"Polarisation", 2, d.Pola, PolarizationText(d.Pola));
  DecField(node, u"Roll-Off", 2, d.RollOff, RollOffText(d.RollOff));
  DecField(node, u"Modulation System", 1, d.ModuSys, SatModulationSystemText(d.ModuSys));
  DecField(node, u"Modulation Type", 2, d.ModuType, SatModulationTypeText(d.ModuType));
  BcdField(node, u"Symbol Rate", 28, d.Symb, 7, 4, 4, u" MSym/s");
  DecField(node, u"FEC Inner", 4, d.FECi, InnerFecText(d.FECi));
}

void Cable(TTableNode& node, const TCableDelivSysDescriptor& d) {
  BcdField(node, u"Frequency", 32, d.Freq, 8, 4, 4, u" MHz");
  DecField(node, u"Reserved For Future Use", 12, d.ReservedFU);
  DecField(node, u"FEC Outer", 4, d.FECo, OuterFecText(d.FECo));
  DecField(node, u"Modulation", 8, d.Modu, CableModulationText(d.Modu));
  BcdField(node, u"Symbol Rate", 28, d.Symb, 7, 4, 4, u" MSym/s");
  DecField(node, u"FEC Inner", 4, d.FECi, InnerFecText(d.FECi));
}

void Linkage(TTableNode& node, const TLinkageDescriptor& d) {
  HexField(node, u"Transport Stream ID", 16, d.TSID, 4);
  HexField(node, u"Original Network ID", 16, d.OrgNetID, 4, OriginalNetworkIDText(d.OrgNetID));
  HexField(node, u"Service ID", 16, d.ServiceID, 4);
  HexField(node, u"Linkage Type", 8, d.LinkType, 2, LinkageTypeText(d.LinkType));
  const TLinkageEntry& e = d.LinkEntry;
  if (d.LinkType == kMobileHandOver) {
    HexField(node, u"Hand-Over Type", 4, e.HandOverType, 2, HandOverTypeText(e.HandOverType));
    HexField(node, u"Reserved For Future Use", 3, e.ReservedFU, 2);
    HexField(node, u"Origin Type", 1, e.OriginType, 2, OriginTypeText(e.OriginType));
    if (e.HandOverType < 4) HexField(node, u"Network ID", 16, e.NetworkID, 4);
    if (e.OriginType == 0) HexField(node, u"Initial Service ID", 16, e.InitialServiceID, 4);
  }
  BytesNode(node, u"Private Data", e.PrivData);
}

void Terrestrial(TTableNode& node, const TTerrestDelivSysDescriptor& d) {
  HexField(node, u"Centre Frequency", 32, d.CentreFreq, 8, TenHertzText(d.CentreFreq));
  DecField(node, u"Bandwidth", 3, d.Bandwidth, BandwidthText(d.Bandwidth));
  DecField(node, u"Priority", 1, d.Priority, PriorityText(d.Priority));
  DecField(node, u"Time Slicing Indicator", 1, d.TimeSliceInd);
  DecField(node, u"MPE-FEC Indicator", 1, d.MPEFECInd);
  DecField(node, u"Reserved For Future Use", 2, d.ReservedFU1);
  DecField(node, u"Constellation", 2, d.Constellation, ConstellationText(d.Constellation));
  DecField(node, u"Hierarchy Information", 3, d.HierarchyInfo, HierarchyInfoText(d.HierarchyInfo));
  DecField(node, u"Code Rate HP Stream", 3, d.CodeRateHP, CodeRateText(d.CodeRateHP));
  DecField(node, u"Code Rate LP Stream", 3, d.CodeRateLP, CodeRateText(d.CodeRateLP));
  DecField(node, u"Guard Interval", 2, d.GuardInterval, GuardIntervalText(d.GuardInterval));
  DecField(node, u"Transmission Mode", 2, d.TransMode, TransmissionModeText(d.TransMode));
  DecField(node, u"Other Frequency Flag", 1, d.OtherFreqFlag,
           FlagText(d.OtherFreqFlag, u"One Or More Other Frequency In Use", u"No Other Frequency In Use"));
  DecField(node, u"Reserved For Future Use", 32, d.ReservedFU2);
}

void MultiNetName(TTableNode& node, const TMultiNetNameDescriptor& d) {
  TTableNode& loop = Group(node, u"Multilingual Network Name Loop");
  for (const TMultiNetNameEntry& e : d.NameEntry) {
    TTableNode& entry = Group(loop, u"Multilingual Network Name Entry");
    LanguageField(entry, e.LangCode);
    DecField(entry, u"Network Name Length", 8, e.NetNameLen);
    CharTableText(entry, u"Network Name", Dec(e.NetNameLen), e.NetName, e.NetNameUni);
  }
}

void PrivDataSpec(TTableNode& node, const TPrivDataSpecDescriptor& d) {
  HexField(node, u"Specifier", 32, d.DataSpec, 8, PrivateDataSpecifierText(d.DataSpec));
}

// Satellite and cable lists hold their frequencies in BCD as the delivery descriptors
// do; only terrestrial ones (and undefined coding) count 10 Hz units.
void FreqList(TTableNode& node, const TFreqListDescriptor& d) {
  DecField(node, u"Reserved For Future Use", 6, d.ReservedFU);
  DecField(node, u"Coding Type", 2, d.CodingType, FreqListCodingTypeText(d.CodingType));
  TTableNode& loop = Group(node, u"Frequency List Loop");
  for (uint32_t f : d.CentreFreqs) {
    TTableNode& entry = Group(loop, u"Frequency List Entry");
    if (d.CodingType == kCodingSatellite)
      BcdField(entry, u"Centre Frequency", 32, f, 8, 5, 5, u" GHz");
    else if (d.CodingType == kCodingCable)
      BcdField(entry, u"Centre Frequency", 32, f, 8, 4, 4, u" MHz");
    else
      DecField(entry, u"Centre Frequency", 32, f, TenHertzText(f));
  }
}

// Signed 16-bit coordinates in units of 90 (latitude) or 180 (longitude) / 2^15 degrees.
std::u16string Degrees(double value, int range) { return Fixed(value * range / 32768.0, 2, u"°"); }
std::u16string LatitudeText(uint16_t v) {
  int16_t s = static_cast<int16_t>(v);
  return Degrees(s, 90) + (s >= 0 ? u" (North)" : u" (South)");
}
std::u16string LongitudeText(uint16_t v) {
  int16_t s = static_cast<int16_t>(v);
  return Degrees(s, 180) + (s >= 0 ? u" (East)" : u" (West)");
}

template <class Cell>
void CellArea(TTableNode& entry, const Cell& c, std::u16string_view prefix) {
  std::u16string p(prefix);
  DecField(entry, p + u" Latitude", 16, c.Latitude, LatitudeText(c.Latitude));
  DecField(entry, p + u" Longitude", 16, c.Longitude, LongitudeText(c.Longitude));
  DecField(entry, p + u" Extend Of Latitude", 12, c.LatExtend, Degrees(c.LatExtend, 90));
  DecField(entry, p + u" Extend Of Longitude", 12, c.LongExtend, Degrees(c.LongExtend, 180));
}

void CellList(TTableNode& node, const TCellListDescriptor& d) {
  TTableNode& loop = Group(node, u"Cell List Loop");
  for (const TCellListEntry& c : d.Cells) {
    TTableNode& entry = Group(loop, u"Cell List Entry");
    DecField(entry, u"Cell ID", 16, c.CellID);
    CellArea(entry, c, u"Cell");
    DecField(entry, u"Subcell Info Loop Length", 8, c.SubCellLen);
    TTableNode& subLoop = Group(entry, u"Subcell Info Loop");
    for (const TSubCellEntry& s : c.SubCells) {
      TTableNode& sub = Group(subLoop, u"Subcell Info Entry");
      DecField(sub, u"Cell ID Extension", 8, s.CellIDExt);
      CellArea(sub, s, u"Subcell");
    }
  }
}

// The frequencies of a cell link are terrestrial ones: 10 Hz units, not BCD.
void CellFreqLink(TTableNode& node, const TCellFreqLinkDescriptor& d) {
  TTableNode& loop = Group(node, u"Cell Loop");
  for (const TCellLinkEntry& c : d.Cell) {
    TTableNode& entry = Group(loop, u"Cell Entry");
    DecField(entry, u"Cell ID", 16, c.CellID);
    HexField(entry, u"Frequency", 32, c.Frequency, 8, TenHertzText(c.Frequency));
    DecField(entry, u"Subcell Info Loop Length", 8, c.SubCellLen);
    TTableNode& subLoop = Group(entry, u"Subcell Info Loop");
    for (const TSubCellLinkEntry& s : c.SubCell) {
      TTableNode& sub = Group(subLoop, u"Subcell Info Entry");
      DecField(sub, u"Cell ID Extension", 8, s.CellIDExt);
      HexField(sub, u"Transposer Frequency", 32, s.TransFreq, 8, TenHertzText(s.TransFreq));
    }
  }
}

void S2Satellite(TTableNode& node, const TS2SatDelivSysDescriptor& d) {
  DecField(node, u"Scrambling Sequence Selector", 1, d.ScrSeqSel);
  DecField(node, u"Multiple Input Stream Flag", 1, d.MultiInStreamFlag);
  DecField(node, u"Backward Compatibility Indicator", 1, d.BackCompInd);
  DecField(node, u"Reserved For Future Use", 5, d.ReservedFU);
  if (d.ScrSeqSel == 1) {
    DecField(node, u"Reserved", 6, d.Reserved);
    HexField(node, u"Scrambling Sequence Index", 18, d.ScrSeqIdx, 6);
  }
  if (d.MultiInStreamFlag == 1) DecField(node, u"Input Stream Identifier", 8, d.InStreamIdent);
}

constexpr DisplayRow kRows[] = {
    {0x40, As<TNetworkNameDescriptor, NetworkName>},
    {0x41, As<TServiceListDescriptor, ServiceList>},
    {0x42, As<TStuffingDescriptor, Stuffing>},
    {0x43, As<TSatDelivSysDescriptor, Satellite>},
    {0x44, As<TCableDelivSysDescriptor, Cable>},
    {0x4A, As<TLinkageDescriptor, Linkage>},
    {0x5A, As<TTerrestDelivSysDescriptor, Terrestrial>},
    {0x5B, As<TMultiNetNameDescriptor, MultiNetName>},
    {0x5F, As<TPrivDataSpecDescriptor, PrivDataSpec>},
    {0x62, As<TFreqListDescriptor, FreqList>},
    {0x6C, As<TCellListDescriptor, CellList>},
    {0x6D, As<TCellFreqLinkDescriptor, CellFreqLink>},
    {0x79, As<TS2SatDelivSysDescriptor, S2Satellite>},
};

}  // namespace

std::span<const DisplayRow> NetworkDisplayRows() { return kRows; }

}  // namespace quillon::viewer
