#include "descriptors/descriptor.h"

#include <algorithm>
#include <iterator>

#include "descriptors/event.h"
#include "descriptors/logical_channel.h"
#include "descriptors/mpeg.h"
#include "descriptors/network.h"
#include "descriptors/service.h"
#include "descriptors/stream.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/text.h"

namespace quillon {

ByteWriter TBasicDescriptor::NewWriter() const {
  ByteWriter w(static_cast<size_t>(Length) + 2);
  w.PutU8(Tag);
  w.PutU8(Length);
  return w;
}

Bytes TUserDefinedDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutBytesPrefix(Data, Length);
  return w.Take();
}

void TUserDefinedDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  Data = r.TakeBytes(Length);
}

// ---------------------------------------------------------------- module state

DescriptorModuleState& DescriptorState() {
  static DescriptorModuleState state;
  return state;
}

void ResetDescriptorState() { DescriptorState() = DescriptorModuleState{}; }

// ---------------------------------------------------------------- tag table

namespace {

using Creator = std::unique_ptr<TBasicDescriptor> (*)();

template <class T>
std::unique_ptr<TBasicDescriptor> Make() {
  return std::make_unique<T>();
}

struct TagRow {
  uint8_t first, last;
  TagKind kind;
  Creator create;  // for Class rows
};

// One row per tag range; together the rows cover all 256 tags.
constexpr TagRow kTagTable[] = {
    {0x00, 0x01, TagKind::UnknownReported, nullptr},
    {0x02, 0x02, TagKind::Class, Make<TVideoStreamDescriptor>},
    {0x03, 0x03, TagKind::Class, Make<TAudioStreamDescriptor>},
    {0x04, 0x04, TagKind::Class, Make<THierarchyDescriptor>},
    {0x05, 0x05, TagKind::Class, Make<TRegistrationDescriptor>},
    {0x06, 0x06, TagKind::Class, Make<TDataStreamAlignmentDescriptor>},
    {0x07, 0x07, TagKind::Class, Make<TTargetBackgroundGridDescriptor>},
    {0x08, 0x08, TagKind::Class, Make<TVideoWindowDescriptor>},
    {0x09, 0x09, TagKind::Class, Make<TCADescriptor>},
    {0x0A, 0x0A, TagKind::Class, Make<TISO639LanguageCodeDescriptor>},
    {0x0B, 0x0B, TagKind::Class, Make<TSystemClockDescriptor>},
    {0x0C, 0x0C, TagKind::Class, Make<TMultiplexBufferUtilizationDescriptor>},
    {0x0D, 0x0D, TagKind::Class, Make<TCopyrightDescriptor>},
    {0x0E, 0x0E, TagKind::Class, Make<TMaximumBitrateDescriptor>},
    {0x0F, 0x0F, TagKind::Class, Make<TPrivDataIndDescriptor>},
    {0x10, 0x10, TagKind::Class, Make<TSmoothingBufferDescriptor>},
    {0x11, 0x11, TagKind::Class, Make<TSystemTargetDecoderDescriptor>},
    {0x12, 0x12, TagKind::Class, Make<TIBPDescriptor>},
    {0x13, 0x13, TagKind::Class, Make<TCarouselIdentifierDescriptor>},
    {0x14, 0x14, TagKind::Class, Make<TAssociationTagDescriptor>},
    {0x15, 0x3F, TagKind::UnknownReported, nullptr},
    {0x40, 0x40, TagKind::Class, Make<TNetworkNameDescriptor>},
    {0x41, 0x41, TagKind::Class, Make<TServiceListDescriptor>},
    {0x42, 0x42, TagKind::Class, Make<TStuffingDescriptor>},
    {0x43, 0x43, TagKind::Class, Make<TSatDelivSysDescriptor>},
    {0x44, 0x44, TagKind::Class, Make<TCableDelivSysDescriptor>},
    {0x45, 0x45, TagKind::Class, Make<TVBIDataDescriptor>},
    {0x46, 0x46, TagKind::Class, Make<TVBITeletextDescriptor>},
    {0x47, 0x47, TagKind::Class, Make<TBouquetNameDescriptor>},
    {0x48, 0x48, TagKind::Class, Make<TServiceDescriptor>},
    {0x49, 0x49, TagKind::Class, Make<TCountryAvailibilityDescriptor>},
    {0x4A, 0x4A, TagKind::Class, Make<TLinkageDescriptor>},
    {0x4B, 0x4B, TagKind::Class, Make<TNVODReferenceDescriptor>},
    {0x4C, 0x4C, TagKind::Class, Make<TTimeShiftedServiceDescriptor>},
    {0x4D, 0x4D, TagKind::Class, Make<TShortEventDescriptor>},
    {0x4E, 0x4E, TagKind::Class, Make<TExtendedEventDescriptor>},
    {0x4F, 0x4F, TagKind::Class, Make<TTimeShiftedEventDescriptor>},
    {0x50, 0x50, TagKind::Class, Make<TComponentDescriptor>},
    {0x51, 0x51, TagKind::Class, Make<TMosaicDescriptor>},
    {0x52, 0x52, TagKind::Class, Make<TStreamIdentifierDescriptor>},
    {0x53, 0x53, TagKind::Class, Make<TCAIdentifierDescriptor>},
    {0x54, 0x54, TagKind::Class, Make<TContentDescriptor>},
    {0x55, 0x55, TagKind::Class, Make<TParentalRatingDescriptor>},
    {0x56, 0x56, TagKind::Class, Make<TTeletextDescriptor>},
    {0x57, 0x57, TagKind::Class, Make<TTelephoneDescriptor>},
    {0x58, 0x58, TagKind::Class, Make<TLocalTimeOffsetDescriptor>},
    {0x59, 0x59, TagKind::Class, Make<TSubTitlingDescriptor>},
    {0x5A, 0x5A, TagKind::Class, Make<TTerrestDelivSysDescriptor>},
    {0x5B, 0x5B, TagKind::Class, Make<TMultiNetNameDescriptor>},
    {0x5C, 0x5C, TagKind::Class, Make<TMultiBouquetNameDescriptor>},
    {0x5D, 0x5D, TagKind::Class, Make<TMultiServiceNameDescriptor>},
    {0x5E, 0x5E, TagKind::Class, Make<TMultiComponentDescriptor>},
    {0x5F, 0x5F, TagKind::Class, Make<TPrivDataSpecDescriptor>},
    {0x60, 0x60, TagKind::Class, Make<TServiceMoveDescriptor>},
    {0x61, 0x61, TagKind::Class, Make<TShortSmoothingBufferDescriptor>},
    {0x62, 0x62, TagKind::Class, Make<TFreqListDescriptor>},
    {0x63, 0x63, TagKind::Class, Make<TPartialTSDescriptor>},
    {0x64, 0x64, TagKind::Class, Make<TDataBroadcastDescriptor>},
    {0x65, 0x65, TagKind::Class, Make<TScramblingDescriptor>},
    {0x66, 0x66, TagKind::Class, Make<TDataBroadcastIDDescriptor>},
    {0x67, 0x68, TagKind::UnknownReported, nullptr},
    {0x69, 0x69, TagKind::Class, Make<TPDCDescriptor>},
    {0x6A, 0x6A, TagKind::Class, Make<TAC3Descriptor>},
    {0x6B, 0x6B, TagKind::Class, Make<TAncillaryDataDescriptor>},
    {0x6C, 0x6C, TagKind::Class, Make<TCellListDescriptor>},
    {0x6D, 0x6D, TagKind::Class, Make<TCellFreqLinkDescriptor>},
    {0x6E, 0x6E, TagKind::Class, Make<TAnnouncementSupportDescriptor>},
    {0x6F, 0x6F, TagKind::Class, Make<TApplicationSignallingDescriptor>},
    {0x70, 0x70, TagKind::Class, Make<TAdaptationFieldDataDescriptor>},
    {0x71, 0x71, TagKind::Class, Make<TServiceIndentifierDescriptor>},
    {0x72, 0x72, TagKind::Class, Make<TServiceAvailabilityDescriptor>},
    {0x73, 0x78, TagKind::UnknownSilent, nullptr},
    {0x79, 0x79, TagKind::Class, Make<TS2SatDelivSysDescriptor>},
    {0x7A, 0x7F, TagKind::UnknownSilent, nullptr},
    {0x80, 0xFE, TagKind::Private, nullptr},
    {0xFF, 0xFF, TagKind::UnknownReported, nullptr},
};

const TagRow& RowOf(uint8_t tag) {
  for (const TagRow& row : kTagTable)
    if (tag >= row.first && tag <= row.last) return row;
  return kTagTable[0];  // unreachable: the rows cover every tag
}

std::unique_ptr<TBasicDescriptor> CreatePrivate(uint8_t tag, uint32_t privSpec) {
  switch (privSpec) {
    case kPrivSpecEacem:
      if (tag == 0x83) return std::make_unique<TEacemLogicalChannelDescriptor>();
      if (tag == 0x88) return std::make_unique<THDSimulcastLogicalChannelDescriptor>();
      break;
    case kPrivSpecNorDig:
      if (tag == 0x83) return std::make_unique<TNorDigLogicalChannelDescriptorV1>();
      if (tag == 0x87) return std::make_unique<TNorDigLogicalChannelDescriptorV2>();
      break;
    case kPrivSpecItc:
      if (tag == 0x83) return std::make_unique<TItcLogicalChannelDescriptor>();
      break;
  }
  return std::make_unique<TUserDefinedDescriptor>();
}

}  // namespace

TagKind TagKindOf(uint8_t tag) { return RowOf(tag).kind; }

std::unique_ptr<TBasicDescriptor> CreateDescriptorForTag(uint8_t tag, uint32_t privSpec) {
  const TagRow& row = RowOf(tag);
  switch (row.kind) {
    case TagKind::Class:
      return row.create();
    case TagKind::Private:
      return CreatePrivate(tag, privSpec);
    case TagKind::UnknownReported:
    case TagKind::UnknownSilent:
      break;
  }
  return std::make_unique<TUnknownDescriptor>();
}

// ---------------------------------------------------------------- factory

int AddDescriptor(std::unique_ptr<TBasicDescriptor>& slot, ByteView data) {
  DescriptorModuleState& state = DescriptorState();
  if (data.empty()) {
    ShowMessage(Format("Error #1: Length = %d < 1", 0));
    return -1;
  }
  if (data.size() < 2) {
    // A single byte holds a tag but no length byte: no descriptor can be taken from it.
    ShowMessage(Format("Error #1: Length = %d < 2", static_cast<int>(data.size())));
    return -1;
  }
  uint8_t tag = data[0];
  uint8_t length = data[1];
  if (data.size() < static_cast<size_t>(length) + 2) {
    ShowMessage(Format("Error #2: Length = %d < DescLen = %d (+2)", static_cast<int>(data.size()), length));
    return -1;
  }

  if (TagKindOf(tag) == TagKind::UnknownReported &&
      std::find(state.UnknownTags.begin(), state.UnknownTags.end(), tag) == state.UnknownTags.end())
    state.UnknownTags.push_back(tag);

  std::unique_ptr<TBasicDescriptor> d = CreateDescriptorForTag(tag, state.CurrentPrivSpec);
  d->Tag = tag;
  d->Length = length;
  try {
    d->SetDescriptorData(data);
  } catch (const QuillonError&) {
    Dialogs().Show(DialogKind::ErrorOk,
                   Format("DVB_Descriptors.AddDescriptor:\r\nDescriptor %s (Tag: 0x%2.2X (%d)) with wrong data - "
                          "using TUnknownDescriptor instead",
                          d->ClassName(), tag, tag));
    d = std::make_unique<TUnknownDescriptor>();
    d->Tag = tag;
    d->Length = length;
    d->SetDescriptorData(data);  // a raw copy of the Length body bytes, known to be present
  }

  if (tag == 0x5F && data.size() >= 6)
    state.CurrentPrivSpec = (static_cast<uint32_t>(data[2]) << 24) | (static_cast<uint32_t>(data[3]) << 16) |
                            (static_cast<uint32_t>(data[4]) << 8) | data[5];
  slot = std::move(d);
  return length + 2;
}

bool ParseDescriptorLoop(ByteView& data, size_t loopLength, TBasicDescriptorArray& out) {
  size_t consumed = 0;
  while (consumed < loopLength) {
    std::unique_ptr<TBasicDescriptor> slot;
    int n = AddDescriptor(slot, data);
    if (n < 0) return false;
    out.push_back(std::move(slot));
    data = data.subspan(static_cast<size_t>(n));
    consumed += static_cast<size_t>(n);
  }
  return true;
}

Bytes EncodeDescriptorLoop(const TBasicDescriptorArray& loop) {
  Bytes out;
  for (const auto& d : loop) {
    Bytes b = d->DescriptorData();
    out.insert(out.end(), b.begin(), b.end());
  }
  return out;
}

uint32_t DescriptorLoopLength(const TBasicDescriptorArray& loop) {
  uint32_t n = 0;
  for (const auto& d : loop) n += static_cast<uint32_t>(d->Length) + 2;
  return n;
}

std::string UnknownTagReportText() {
  const auto& tags = DescriptorState().UnknownTags;
  if (tags.empty()) return {};
  std::string s = "Unknown Descriptor(s): ";
  for (uint8_t t : tags) s += Format("0x%2.2X ", t);
  return s;
}

void ShowUnknownTagReport() {
  if (!DescriptorState().ReportUnknownTags) return;
  std::string text = UnknownTagReportText();
  if (!text.empty()) ShowMessage(text);
}

}  // namespace quillon
