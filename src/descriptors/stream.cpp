#include "descriptors/stream.h"

#include "descriptors/layout.h"

namespace quillon {

namespace {

// Data service ids whose bytes carry field parity and line offset.
constexpr bool HasLineFields(uint8_t dataServiceId) {
  return dataServiceId == 1 || dataServiceId == 2 || (dataServiceId >= 4 && dataServiceId <= 7);
}

constexpr auto kVBIData = [](auto io, auto& d) {
  io.While(d.VBIDataEntry, d.Length, [](auto io, auto& e) {
    io(e.DataServiceID, 8);
    io(e.DataServiceDescriptorLen, 8);
    const bool lineFields = HasLineFields(e.DataServiceID);
    io.Count(e.DataServiceEntry, e.DataServiceDescriptorLen, 1, [lineFields](auto io, auto& s) {
      if (lineFields) {
        io(s.Reserved1, 2);
        io(s.FieldParity, 1);
        io(s.LineOffset, 5);
      } else {
        io(s.Reserved1, 8);
      }
    });
  });
};

constexpr auto kTeletextEntry = [](auto io, auto& e) {
  io(e.LangCode, 24);
  io(e.TeletextType, 5);
  io(e.TeletextMagazineNumber, 3);
  io(e.TeletextPageNumber, 8);
};

constexpr auto kVBITeletext = [](auto io, auto& d) { io.While(d.VBITeletextEntry, d.Length, kTeletextEntry); };

constexpr auto kStreamIdentifier = [](auto io, auto& d) { io(d.ComponentTag, 8); };

constexpr auto kTeletext = [](auto io, auto& d) { io.While(d.TeletextEntry, d.Length, kTeletextEntry); };

constexpr auto kSubTitling = [](auto io, auto& d) {
  io.While(d.SubTitlingEntry, d.Length, [](auto io, auto& e) {
    io(e.LangCode, 24);
    io(e.SubTitlingType, 8);
    io(e.CompositionPageID, 16);
    io(e.AncillaryPageID, 16);
  });
};

constexpr auto kShortSmoothingBuffer = [](auto io, auto& d) {
  io(d.SBSize, 2);
  io(d.SBLeakRate, 6);
  io.Run(d.DVBReserved, d.Length - 1);
};

constexpr auto kPartialTS = [](auto io, auto& d) {
  io(d.DVBReservedFU1, 2);
  io(d.PeakRate, 22);
  io(d.DVBReservedFU2, 2);
  io(d.MinOverallRate, 22);
  io(d.DVBReservedFU3, 2);
  io(d.MaxOverallBuffer, 14);
};

constexpr auto kDataBroadcast = [](auto io, auto& d) {
  io(d.DataBroadcastID, 16);
  io(d.ComponentTag, 8);
  io(d.SelectorLen, 8);
  io.AllBytes(d.SelectorBytes, d.SelectorLen);
  io(d.ISOLanguageCode, 24);
  io(d.TextLen, 8);
  io.AllChars(d.Text, d.TextLen);
};

constexpr auto kScrambling = [](auto io, auto& d) { io(d.ScramblingMode, 8); };

constexpr auto kDataBroadcastID = [](auto io, auto& d) {
  io(d.DataBroadcastID, 16);
  io.Run(d.IDSelectorBytes, d.Length - 2);
};

constexpr auto kAC3 = [](auto io, auto& d) {
  io(d.CompTypeFlag, 1);
  io(d.BSIDFlag, 1);
  io(d.MainIDFlag, 1);
  io(d.ASVCFlag, 1);
  io(d.Reserved, 4);
  io.Optional(d.CompTypeFlag == 1, d.AC3CompType, 8);
  io.Optional(d.BSIDFlag == 1, d.BSID, 8);
  io.Optional(d.MainIDFlag == 1, d.MainID, 8);
  io.Optional(d.ASVCFlag == 1, d.ASVC, 8);
  const int optional = (d.CompTypeFlag == 1) + (d.BSIDFlag == 1) + (d.MainIDFlag == 1) + (d.ASVCFlag == 1);
  io.Run(d.AdditionalInfo, d.Length - 1 - optional);
};

constexpr auto kAncillaryData = [](auto io, auto& d) { io(d.AncDataIdent, 8); };

constexpr auto kApplicationSignalling = [](auto io, auto& d) {
  io.Count(d.AppSignEntry, d.Length, 3, [](auto io, auto& e) {
    io(e.AppType, 16);
    io(e.ReservedFU, 3);
    io(e.AITVersion, 5);
  });
};

constexpr auto kAdaptationFieldData = [](auto io, auto& d) { io(d.AdaptIdent, 8); };

}  // namespace

QUILLON_LAYOUT_CODEC(TVBIDataDescriptor, kVBIData)
QUILLON_LAYOUT_CODEC(TVBITeletextDescriptor, kVBITeletext)
QUILLON_LAYOUT_CODEC(TStreamIdentifierDescriptor, kStreamIdentifier)
QUILLON_LAYOUT_CODEC(TTeletextDescriptor, kTeletext)
QUILLON_LAYOUT_CODEC(TSubTitlingDescriptor, kSubTitling)
QUILLON_LAYOUT_CODEC(TShortSmoothingBufferDescriptor, kShortSmoothingBuffer)
QUILLON_LAYOUT_CODEC(TPartialTSDescriptor, kPartialTS)
QUILLON_LAYOUT_CODEC(TDataBroadcastDescriptor, kDataBroadcast)
QUILLON_LAYOUT_CODEC(TScramblingDescriptor, kScrambling)
QUILLON_LAYOUT_CODEC(TDataBroadcastIDDescriptor, kDataBroadcastID)
QUILLON_LAYOUT_CODEC(TAC3Descriptor, kAC3)
QUILLON_LAYOUT_CODEC(TAncillaryDataDescriptor, kAncillaryData)
QUILLON_LAYOUT_CODEC(TApplicationSignallingDescriptor, kApplicationSignalling)
QUILLON_LAYOUT_CODEC(TAdaptationFieldDataDescriptor, kAdaptationFieldData)

}  // namespace quillon
