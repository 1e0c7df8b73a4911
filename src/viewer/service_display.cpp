// Displays of the service and bouquet descriptors.
#include "descriptors/service.h"
#include "viewer/display_rows.h"
#include "viewer/node_text.h"
#include "vocabulary/si_values.h"

namespace quillon::viewer {

namespace {

enum CellLinkage : uint8_t { kBouquetRelated = 1, kServiceRelated = 2, kEventRelated = 4 };

// Provider and service name as the service descriptor and its multilingual form hold them.
template <class Names>
void NamePair(TTableNode& node, const Names& n, std::u16string (*lengthText)(int64_t)) {
  DecField(node, u"Service Provider Name Length", 8, n.ServiceProviderNameLen);
  CharTableText(node, u"Service Provider Name", lengthText(n.ServiceProviderNameLen), n.ServiceProviderName,
                n.ServiceProviderNameUni);
  DecField(node, u"Service Name Length", 8, n.ServiceNameLen);
  CharTableText(node, u"Service Name", lengthText(n.ServiceNameLen), n.ServiceName, n.ServiceNameUni);
}

std::u16string CharCount(int64_t n) { return Chars(static_cast<int>(n)); }

void BouquetName(TTableNode& node, const TBouquetNameDescriptor& d) {
  node.Add(u"Bouquet Name", Chars(d.Length), d.DescrName);
}

void Service(TTableNode& node, const TServiceDescriptor& d) {
  HexField(node, u"Service Type", 8, d.ServiceType, 2, ServiceTypeText(d.ServiceType));
  NamePair(node, d, CharCount);
}

void CountryAvailibility(TTableNode& node, const TCountryAvailibilityDescriptor& d) {
  DecField(node, u"Country Availibility Flag", 1, d.CountryAvailibilityFlag);
  DecField(node, u"Reserved For Future Use", 7, d.ReservedFU1);
  TTableNode& loop = Group(node, u"Country Code Loop");
  for (const TCountryCodeEntry& e : d.CountryCodeEntry)
    CodeField(loop, u"Country Code", e.CountryCode);
}

void NVODReference(TTableNode& node, const TNVODReferenceDescriptor& d) {
  TTableNode& loop = Group(node, u"NVOD Reference Loop");
  for (const TNVODReferenceEntry& e : d.NVODReference) {
    TTableNode& entry = Group(loop, u"NVOD Reference Entry");
    HexField(entry, u"Transport Stream ID", 16, e.TranspStreamID, 4);
    HexField(entry, u"Original Network ID", 16, e.OriginalNetworkID, 4);
    HexField(entry, u"Service ID", 16, e.ServiceID, 4);
  }
}

void TimeShiftedService(TTableNode& node, const TTimeShiftedServiceDescriptor& d) {
  HexField(node, u"Reference Service ID", 16, d.ReferenceServiceID, 4);
}

void MosaicCell(TTableNode& loop, const TMosaicCellEntry& c) {
  TTableNode& entry = Group(loop, u"Mosaic Cell Entry");
  HexField(entry, u"Logical Cell ID", 6, c.LogicalCellID, 2);
  HexField(entry, u"Reserved For Future Use", 7, c.ReservedFU1, 2);
  HexField(entry, u"Logical Cell Presentation Info", 3, c.LogicalCellPresentInfo, 2,
           CellPresentationInfoText(c.LogicalCellPresentInfo));
  Field(entry, u"Elementary Cell Field Length", 8, Fmt("%d Bytes", c.ElementaryCellFieldLen));
  TTableNode& cells = Group(entry, u"Elementary Cell Loop");
  for (const TElemantaryCell& e : c.ElementaryCell) {
    TTableNode& cell = Group(cells, u"Elementary Cell Entry");
    DecField(cell, u"Reserved For Future Use", 2, e.ReservedFU1);
    Field(cell, u"Elementary Cell ID", 6, Fmt("0x%2.2X Bytes", e.ElementaryCellID));
  }
  HexField(entry, u"Cell Linkage Info", 8, c.CellLinkageInfo, 2, CellLinkageInfoText(c.CellLinkageInfo));
  if (c.CellLinkageInfo == kBouquetRelated) HexField(entry, u"Bouquet ID", 16, c.BouquetID, 4, BouquetIDText(c.BouquetID));
  if (c.CellLinkageInfo >= kServiceRelated && c.CellLinkageInfo <= kEventRelated) {
    HexField(entry, u"Original Network ID", 16, c.OriginalNetworkID, 4);
    HexField(entry, u"Transport Stream ID", 16, c.TransportStreamID, 4);
    HexField(entry, u"Service ID", 16, c.ServiceID, 4);
  }
  if (c.CellLinkageInfo == kEventRelated) HexField(entry, u"Event ID", 16, c.EventID, 4);
}

void Mosaic(TTableNode& node, const TMosaicDescriptor& d) {
  DecField(node, u"Mosaic Entry Point", 1, d.MosaicEntryPoint);
  DecField(node, u"Number Of Horizontal Elementary Cells", 3, d.NumHorizontalElementCells,
           MosaicCellCountText(d.NumHorizontalElementCells));
  DecField(node, u"Reserved For Future Use", 1, d.ReservedFU1);
  DecField(node, u"Number Of Vertical Elementary Cells", 3, d.NumVerticalElementCells,
           MosaicCellCountText(d.NumVerticalElementCells));
  TTableNode& loop = Group(node, u"Mosaic Cell Loop");
  for (const auto& c : d.MosaicCellEntry)
    if (c) MosaicCell(loop, *c);
}

void CAIdentifier(TTableNode& node, const TCAIdentifierDescriptor& d) {
  TTableNode& loop = Group(node, u"CA Identifier Loop");
  for (const TCAIdentifierEntry& e : d.CASystemIDEntry)
    HexField(Group(loop, u"CA Identifier Entry"), u"CA System ID", 16, e.CASystemID, 4, CASystemIDText(e.CASystemID));
}

void Telephone(TTableNode& node, const TTelephoneDescriptor& d) {
  DecField(node, u"Reserved For Future Use", 2, d.ReservedFU1);
  DecField(node, u"Foreign Availibility", 1, d.ForeignAvailibility);
  DecField(node, u"Connection Type", 5, d.ConnectionType);
  DecField(node, u"Reserved For Future Use", 1, d.ReservedFU2);
  DecField(node, u"Country Prefix Length", 2, d.CountryPrefixLen);
  DecField(node, u"International Area Code Length", 3, d.InternatAreaCodeLen);
  DecField(node, u"Operator Code Length", 2, d.OperatorCodeLen);
  DecField(node, u"Reserved For Future Use", 1, d.ReservedFU3);
  DecField(node, u"National Area Code Length", 3, d.NatAreaCodeLen);
  DecField(node, u"Core Number Length", 4, d.CoreNumberLen);
  // The number's parts themselves, each as long as its length field says.
  node.Add(u"Country Prefix", Chars(d.CountryPrefixLen), d.CoutryPrefix);
  node.Add(u"International Area Code", Chars(d.InternatAreaCodeLen), d.InterNatAreaCode);
  node.Add(u"Operator Code", Chars(d.OperatorCodeLen), d.OperatorCode);
  node.Add(u"National Area Code", Chars(d.NatAreaCodeLen), d.NatAreaCode);
  node.Add(u"Core Number", Chars(d.CoreNumberLen), d.CoreNumber);
}

void MultiBouquetName(TTableNode& node, const TMultiBouquetNameDescriptor& d) {
  TTableNode& loop = Group(node, u"Multilingual Bouquet Name Loop");
  for (const TMultiBouquetNameEntry& e : d.BouquetEntry) {
    TTableNode& entry = Group(loop, u"Multilingual Bouquet Name Entry");
    LanguageField(entry, e.LangCode);
    DecField(entry, u"Bouquet Name Length", 8, e.BouquetNameLen);
    CharTableText(entry, u"Bouquet Name", Dec(e.BouquetNameLen), e.BouquetName, e.BouquetNameUni);
  }
}

void MultiServiceName(TTableNode& node, const TMultiServiceNameDescriptor& d) {
  TTableNode& loop = Group(node, u"Multilingual Service Name Loop");
  for (const TMultilingualServiceNameEntry& e : d.NameEntry) {
    TTableNode& entry = Group(loop, u"Multilingual Service Name Entry");
    LanguageField(entry, e.LangCode);
    NamePair(entry, e, Dec);
  }
}

void ServiceMove(TTableNode& node, const TServiceMoveDescriptor& d) {
  HexField(node, u"New Orginal Network ID", 16, d.NewOrgNetID, 2);
  HexField(node, u"New Transport Stream ID", 16, d.NewTransStreamID, 2);
  HexField(node, u"New Service ID", 16, d.NewServiceID, 2);
}

void AnnouncementSupport(TTableNode& node, const TAnnouncementSupportDescriptor& d) {
  DecField(node, u"Announcement Support Indicator", 16, d.AnnounceSuppInd, AnnouncementSupportText(d.AnnounceSuppInd));
  TTableNode& loop = Group(node, u"Announcement Support Loop");
  for (const TAnnounceSuppEntry& e : d.AnnounceSuppEntry) {
    TTableNode& entry = Group(loop, u"Announcement Support Entry");
    DecField(entry, u"Announcement Type", 4, e.AnnouncementType, AnnouncementTypeText(e.AnnouncementType));
    DecField(entry, u"Reserved For Future Use", 1, e.ReservedFU);
    DecField(entry, u"Reference Type", 3, e.ReferenceType, AnnouncementReferenceTypeText(e.ReferenceType));
    if (e.ReferenceType < 1 || e.ReferenceType > 3) continue;
    HexField(entry, u"Original Network ID", 16, e.OriginalNetworkID, 4);
    HexField(entry, u"Transport Stream ID", 16, e.TranspStreamID, 4);
    HexField(entry, u"Service ID", 16, e.ServiceID, 4);
    HexField(entry, u"Component Tag", 8, e.ComponentTag, 2);
  }
}

void ServiceIdentifier(TTableNode& node, const TServiceIndentifierDescriptor& d) {
  node.Add(u"Service Identifier", Chars(d.Length), d.Indentifier);
}

void ServiceAvailability(TTableNode& node, const TServiceAvailabilityDescriptor& d) {
  DecField(node, u"Availability Flag", 1, d.AvailabilityFlag,
           FlagText(d.AvailabilityFlag, u"Service Available In Following Cells in Loop",
                    u"Service Available Only In Other Cells Than Loop"));
  DecField(node, u"Reserved", 7, d.Reserved);
  TTableNode& loop = Group(node, u"Cell Loop");
  for (const TServiceAvailabilityEntry& e : d.Cells) HexField(Group(loop, u"Cell Entry"), u"Cell ID", 16, e.CellID, 4);
}

constexpr DisplayRow kRows[] = {
    {0x47, As<TBouquetNameDescriptor, BouquetName>},
    {0x48, As<TServiceDescriptor, Service>},
    {0x49, As<TCountryAvailibilityDescriptor, CountryAvailibility>},
    {0x4B, As<TNVODReferenceDescriptor, NVODReference>},
    {0x4C, As<TTimeShiftedServiceDescriptor, TimeShiftedService>},
    {0x51, As<TMosaicDescriptor, Mosaic>},
    {0x53, As<TCAIdentifierDescriptor, CAIdentifier>},
    {0x57, As<TTelephoneDescriptor, Telephone>},
    {0x5C, As<TMultiBouquetNameDescriptor, MultiBouquetName>},
    {0x5D, As<TMultiServiceNameDescriptor, MultiServiceName>},
    {0x60, As<TServiceMoveDescriptor, ServiceMove>},
    {0x6E, As<TAnnouncementSupportDescriptor, AnnouncementSupport>},
    {0x71, As<TServiceIndentifierDescriptor, ServiceIdentifier>},
    {0x72, As<TServiceAvailabilityDescriptor, ServiceAvailability>},
};

}  // namespace

std::span<const DisplayRow> ServiceDisplayRows() { return kRows; }

}  // namespace quillon::viewer
