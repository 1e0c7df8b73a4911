// Displays of the elementary-stream and data descriptors.
#include "descriptors/stream.h"
#include "viewer/display_rows.h"
#include "viewer/node_text.h"
#include "vocabulary/si_values.h"

namespace quillon::viewer {

namespace {

// Data service ids whose bytes carry field parity and line offset.
constexpr bool HasLineFields(uint8_t dataServiceId) {
  return dataServiceId == 1 || dataServiceId == 2 || (dataServiceId >= 4 && dataServiceId <= 7);
}

void VBIData(TTableNode& node, const TVBIDataDescriptor& d) {
  TTableNode& loop = Group(node, u"VBI Data Loop");
  for (const TVBIDataEntry& e : d.VBIDataEntry) {
    TTableNode& entry = Group(loop, u"VBI Data Entry");
    HexField(entry, u"Data Service ID", 8, e.DataServiceID, 2, VBIDataServiceIDText(e.DataServiceID));
    DecField(entry, u"Data Service Descriptor Length", 8, e.DataServiceDescriptorLen);
    TTableNode& services = Group(entry, u"Data Service Loop");
    for (const TDataServiceEntry& s : e.DataServiceEntry) {
      TTableNode& service = Group(services, u"Data Service Entry");
      if (HasLineFields(e.DataServiceID)) {
        DecField(service, u"Reserved", 2, s.Reserved1);
        DecField(service, u"Field Parity", 1, s.FieldParity);
        DecField(service, u"Line Offset", 5, s.LineOffset);
      } else {
        DecField(service, u"Reserved", 8, s.Reserved1);
      }
    }
  }
}

void TeletextLoop(TTableNode& node, std::u16string loopName, std::u16string entryName,
                  const std::vector<TTeletextEntry>& entries) {
  TTableNode& loop = Group(node, std::move(loopName));
  for (const TTeletextEntry& e : entries) {
    TTableNode& entry = Group(loop, entryName);
    LanguageField(entry, e.LangCode);
    DecField(entry, u"Teletext Type", 5, e.TeletextType, TeletextTypeText(e.TeletextType));
    DecField(entry, u"Teletext Magazine Number", 3, e.TeletextMagazineNumber);
    DecField(entry, u"Teletext Page Number", 8, e.TeletextPageNumber);
  }
}

void VBITeletext(TTableNode& node, const TVBITeletextDescriptor& d) {
  TeletextLoop(node, u"VBI Teletext Loop", u"VBI Teletext Entry", d.VBITeletextEntry);
}

void Teletext(TTableNode& node, const TTeletextDescriptor& d) {
  TeletextLoop(node, u"Teletext Loop", u"Teletext Entry", d.TeletextEntry);
}

void StreamIdentifier(TTableNode& node, const TStreamIdentifierDescriptor& d) {
  HexField(node, u"Component Tag", 8, d.ComponentTag, 2);
}

void SubTitling(TTableNode& node, const TSubTitlingDescriptor& d) {
  TTableNode& loop = Group(node, u"Subtitling Loop");
  for (const TSubTitlingEntry& e : d.SubTitlingEntry) {
    TTableNode& entry = Group(loop, u"Subtitling Entry");
    LanguageField(entry, e.LangCode);
    DecField(entry, u"Subtitling Type", 8, e.SubTitlingType);
    DecField(entry, u"Composition Page", 16, e.CompositionPageID);
    HexField(entry, u"Ancillary Page ID", 16, e.AncillaryPageID, 4);
  }
}

void ShortSmoothingBuffer(TTableNode& node, const TShortSmoothingBufferDescriptor& d) {
  DecField(node, u"Smoothing Buffer Size", 2, d.SBSize, SmoothingBufferSizeText(d.SBSize));
  DecField(node, u"Smoothing Buffer Leak Rate", 6, d.SBLeakRate, SmoothingBufferLeakRateText(d.SBLeakRate));
  BytesNode(node, u"DVB Reserved", d.DVBReserved);
}

void PartialTS(TTableNode& node, const TPartialTSDescriptor& d) {
  DecField(node, u"DVB Reserved For Future Use", 2, d.DVBReservedFU1);
  DecField(node, u"Peak Rate", 22, d.PeakRate);
  DecField(node, u"DVB Reserved For Future Use", 2, d.DVBReservedFU2);
  DecField(node, u"Minimum Overall Smoothing Rate", 22, d.MinOverallRate);
  DecField(node, u"DVB Reserved For Future Use", 2, d.DVBReservedFU3);
  DecField(node, u"Maximum Overall Smoothing Buffer", 14, d.MaxOverallBuffer);
}

// A data broadcast id is no network id: it has no name of its own here.
void DataBroadcast(TTableNode& node, const TDataBroadcastDescriptor& d) {
  HexField(node, u"Data Broadcast ID", 16, d.DataBroadcastID, 4);
  DecField(node, u"Component Tag", 8, d.ComponentTag);
  DecField(node, u"Selector Length", 8, d.SelectorLen);
  BytesNode(node, u"Selector Bytes", d.SelectorBytes);
  LanguageField(node, d.ISOLanguageCode);
  DecField(node, u"Text Length", 8, d.TextLen);
  node.Add(u"Text", Dec(d.TextLen), d.Text);
}

void Scrambling(TTableNode& node, const TScramblingDescriptor& d) {
  DecField(node, u"Scrambling Mode", 8, d.ScramblingMode, ScramblingModeText(d.ScramblingMode));
}

void DataBroadcastID(TTableNode& node, const TDataBroadcastIDDescriptor& d) {
  HexField(node, u"Data Broadcast ID", 16, d.DataBroadcastID, 4);
  BytesNode(node, u"ID Selector Bytes", d.IDSelectorBytes);
}

void AC3(TTableNode& node, const TAC3Descriptor& d) {
  DecField(node, u"Component Type Flag", 1, d.CompTypeFlag,
           FlagText(d.CompTypeFlag, u"Component Type Field Present", u"No Component Type Field Present"));
  DecField(node, u"BSID Flag", 1, d.BSIDFlag, FlagText(d.BSIDFlag, u"BSID Field Present", u"No BSID Field Present"));
  DecField(node, u"Main ID Flag", 1, d.MainIDFlag,
           FlagText(d.MainIDFlag, u"Main ID Field Present", u"No Main ID Field Present"));
  DecField(node, u"ASVC Flag", 1, d.ASVCFlag, FlagText(d.ASVCFlag, u"ASVC Field Present", u"No ASVC Field Present"));
  DecField(node, u"Reserved", 4, d.Reserved);
  if (d.CompTypeFlag == 1) HexField(node, u"AC-3 Component Type", 8, d.AC3CompType, 2);
  if (d.BSIDFlag == 1) HexField(node, u"BS ID", 8, d.BSID, 2, u"AC-3 Coding Version");
  if (d.MainIDFlag == 1) HexField(node, u"Main ID", 8, d.MainID, 2, u"Main Audio Service");
  if (d.ASVCFlag == 1) HexField(node, u"ASVC", 8, d.ASVC, 2, u"Associated Service(s)");
  BytesNode(node, u"Additional Info", d.AdditionalInfo);
}

void AncillaryData(TTableNode& node, const TAncillaryDataDescriptor& d) {
  HexField(node, u"Ancillary Data Identifier", 8, d.AncDataIdent, 2, AncillaryDataIDText(d.AncDataIdent));
}

void ApplicationSignalling(TTableNode& node, const TApplicationSignallingDescriptor& d) {
  TTableNode& loop = Group(node, u"Application Signalling Loop");
  for (const TAppSignEntry& e : d.AppSignEntry) {
    TTableNode& entry = Group(loop, u"Application Signalling Entry");
    HexField(entry, u"Application Type", 16, e.AppType, 4, ApplicationTypeText(e.AppType));
    DecField(entry, u"Reserved For Future Use", 3, e.ReservedFU);
    DecField(entry, u"AIT Version Number", 5, e.AITVersion);
  }
}

void AdaptationFieldData(TTableNode& node, const TAdaptationFieldDataDescriptor& d) {
  HexField(node, u"Adaptation Field Data Identifier", 8, d.AdaptIdent, 2, AdaptationFieldDataIDText(d.AdaptIdent));
}

constexpr DisplayRow kRows[] = {
    {0x45, As<TVBIDataDescriptor, VBIData>},
    {0x46, As<TVBITeletextDescriptor, VBITeletext>},
    {0x52, As<TStreamIdentifierDescriptor, StreamIdentifier>},
    {0x56, As<TTeletextDescriptor, Teletext>},
    {0x59, As<TSubTitlingDescriptor, SubTitling>},
    {0x61, As<TShortSmoothingBufferDescriptor, ShortSmoothingBuffer>},
    {0x63, As<TPartialTSDescriptor, PartialTS>},
    {0x64, As<TDataBroadcastDescriptor, DataBroadcast>},
    {0x65, As<TScramblingDescriptor, Scrambling>},
    {0x66, As<TDataBroadcastIDDescriptor, DataBroadcastID>},
    {0x6A, As<TAC3Descriptor, AC3>},
    {0x6B, As<TAncillaryDataDescriptor, AncillaryData>},
    {0x6F, As<TApplicationSignallingDescriptor, ApplicationSignalling>},
    {0x70, As<TAdaptationFieldDataDescriptor, AdaptationFieldData>},
};

}  // namespace

std::span<const DisplayRow> StreamDisplayRows() { return kRows; }

}  // namespace quillon::viewer
