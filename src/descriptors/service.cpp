#include "descriptors/service.h"

#include "descriptors/layout.h"

namespace quillon {

namespace {

constexpr auto kBouquetName = [](auto io, auto& d) { io.Chars(d.DescrName, d.Length); };

constexpr auto kService = [](auto io, auto& d) {
  io(d.ServiceType, 8);
  io(d.ServiceProviderNameLen, 8);
  io.DvbText(d.ServiceProviderName, d.ServiceProviderNameUni, d.ServiceProviderNameLen);
  io(d.ServiceNameLen, 8);
  io.DvbText(d.ServiceName, d.ServiceNameUni, d.ServiceNameLen);
};

// The codes after the flag byte: entries from body offset 1 while below Length.
constexpr auto kCountryCodes = [](auto io, auto& d) {
  io.While(d.CountryCodeEntry, d.Length, [](auto io, auto& e) { io(e.CountryCode, 24); });
};

constexpr auto kNVODReference = [](auto io, auto& d) {
  io.While(d.NVODReference, d.Length, [](auto io, auto& e) {
    io(e.TranspStreamID, 16);
    io(e.OriginalNetworkID, 16);
    io(e.ServiceID, 16);
  });
};

constexpr auto kTimeShiftedService = [](auto io, auto& d) { io(d.ReferenceServiceID, 16); };

enum CellLinkage : uint8_t { kBouquetRelated = 1, kServiceRelated = 2, kMosaicRelated = 3, kEventRelated = 4 };

constexpr auto kMosaicCell = [](auto io, auto& c) {
  io(c.LogicalCellID, 6);
  io(c.ReservedFU1, 7);
  io(c.LogicalCellPresentInfo, 3);
  io(c.ElementaryCellFieldLen, 8);
  io.Count(c.ElementaryCell, c.ElementaryCellFieldLen, 1, [](auto io, auto& e) {
    io(e.ReservedFU1, 2);
    io(e.ElementaryCellID, 6);
  });
  io(c.CellLinkageInfo, 8);
  if (c.CellLinkageInfo == kBouquetRelated) io(c.BouquetID, 16);
  if (c.CellLinkageInfo >= kServiceRelated && c.CellLinkageInfo <= kEventRelated) {
    io(c.OriginalNetworkID, 16);
    io(c.TransportStreamID, 16);
    io(c.ServiceID, 16);
  }
  if (c.CellLinkageInfo == kEventRelated) io(c.EventID, 16);
};

constexpr auto kMosaic = [](auto io, auto& d) {
  io(d.MosaicEntryPoint, 1);
  io(d.NumHorizontalElementCells, 3);
  io(d.ReservedFU1, 1);
  io(d.NumVerticalElementCells, 3);
  io.While(d.MosaicCellEntry, d.Length, kMosaicCell);
};

constexpr auto kCAIdentifier = [](auto io, auto& d) {
  io.While(d.CASystemIDEntry, d.Length, [](auto io, auto& e) { io(e.CASystemID, 16); });
};

constexpr auto kTelephone = [](auto io, auto& d) {
  io(d.ReservedFU1, 2);
  io(d.ForeignAvailibility, 1);
  io(d.ConnectionType, 5);
  io(d.ReservedFU2, 1);
  io(d.CountryPrefixLen, 2);
  io(d.InternatAreaCodeLen, 3);
  io(d.OperatorCodeLen, 2);
  io(d.ReservedFU3, 1);
  io(d.NatAreaCodeLen, 3);
  io(d.CoreNumberLen, 4);
  io.Chars(d.CoutryPrefix, d.CountryPrefixLen);
  io.Chars(d.InterNatAreaCode, d.InternatAreaCodeLen);
  io.Chars(d.OperatorCode, d.OperatorCodeLen);
  io.Chars(d.NatAreaCode, d.NatAreaCodeLen);
  io.Chars(d.CoreNumber, d.CoreNumberLen);
};

constexpr auto kMultiBouquetName = [](auto io, auto& d) {
  io.While(d.BouquetEntry, d.Length, [](auto io, auto& e) {
    io(e.LangCode, 24);
    io(e.BouquetNameLen, 8);
    io.DvbText(e.BouquetName, e.BouquetNameUni, e.BouquetNameLen);
  });
};

constexpr auto kMultiServiceName = [](auto io, auto& d) {
  io.While(d.NameEntry, d.Length, [](auto io, auto& e) {
    io(e.LangCode, 24);
    io(e.ServiceProviderNameLen, 8);
    io.DvbText(e.ServiceProviderName, e.ServiceProviderNameUni, e.ServiceProviderNameLen);
    io(e.ServiceNameLen, 8);
    io.DvbText(e.ServiceName, e.ServiceNameUni, e.ServiceNameLen);
  });
};

constexpr auto kServiceMove = [](auto io, auto& d) {
  io(d.NewOrgNetID, 16);
  io(d.NewTransStreamID, 16);
  io(d.NewServiceID, 16);
};

constexpr auto kAnnouncementSupport = [](auto io, auto& d) {
  io(d.AnnounceSuppInd, 16);
  io.While(d.AnnounceSuppEntry, d.Length, [](auto io, auto& e) {
    io(e.AnnouncementType, 4);
    io(e.ReservedFU, 1);
    io(e.ReferenceType, 3);
    if (e.ReferenceType >= 1 && e.ReferenceType <= 3) {
      io(e.OriginalNetworkID, 16);
      io(e.TranspStreamID, 16);
      io(e.ServiceID, 16);
      io(e.ComponentTag, 8);
    }
  });
};

constexpr auto kServiceIdentifier = [](auto io, auto& d) { io.AllChars(d.Indentifier, d.Length); };

constexpr auto kServiceAvailability = [](auto io, auto& d) {
  io(d.AvailabilityFlag, 1);
  io(d.Reserved, 7);
  io.Count(d.Cells, d.Length - 1, 2, [](auto io, auto& e) { io(e.CellID, 16); });
};

}  // namespace

QUILLON_LAYOUT_CODEC(TBouquetNameDescriptor, kBouquetName)
QUILLON_LAYOUT_CODEC(TServiceDescriptor, kService)
QUILLON_LAYOUT_CODEC(TNVODReferenceDescriptor, kNVODReference)
QUILLON_LAYOUT_CODEC(TTimeShiftedServiceDescriptor, kTimeShiftedService)
QUILLON_LAYOUT_CODEC(TMosaicDescriptor, kMosaic)
QUILLON_LAYOUT_CODEC(TCAIdentifierDescriptor, kCAIdentifier)
QUILLON_LAYOUT_CODEC(TTelephoneDescriptor, kTelephone)
QUILLON_LAYOUT_CODEC(TMultiBouquetNameDescriptor, kMultiBouquetName)
QUILLON_LAYOUT_CODEC(TMultiServiceNameDescriptor, kMultiServiceName)
QUILLON_LAYOUT_CODEC(TServiceMoveDescriptor, kServiceMove)
QUILLON_LAYOUT_CODEC(TAnnouncementSupportDescriptor, kAnnouncementSupport)
QUILLON_LAYOUT_CODEC(TServiceIndentifierDescriptor, kServiceIdentifier)
QUILLON_LAYOUT_CODEC(TServiceAvailabilityDescriptor, kServiceAvailability)

// 0x49: the flag byte is flag x 128 or'ed with the reserved bits, unmasked, so a flag
// above 1 is refused rather than cut.
Bytes TCountryAvailibilityDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutUnmasked((CountryAvailibilityFlag * 128u) | ReservedFU1, 8);
  kCountryCodes(layout::Writer(w), *this);
  return w.Take();
}

void TCountryAvailibilityDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  layout::Reader io(r);
  io(CountryAvailibilityFlag, 1);
  io(ReservedFU1, 7);
  kCountryCodes(io, *this);
}

}  // namespace quillon
