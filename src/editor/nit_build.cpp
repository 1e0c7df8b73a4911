// The NIT build: table 0 of the editor's container from the transport-stream records.
// Cable and terrestrial builds share everything but the record type, the delivery
// descriptor and the mask for stored logical channel numbers.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "descriptors/logical_channel.h"
#include "descriptors/network.h"
#include "editor/nit_editor.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/text.h"

namespace quillon {

namespace {

constexpr uint16_t kCableLcnMask = 0x3FF;
constexpr uint16_t kTerrestLcnMask = 0x3FFF;
constexpr uint16_t kNorDigLcnMask = 0x3FFF;

constexpr uint8_t kDeliveryBody = 11;
constexpr size_t kDeliveryDescriptorSize = 2 + kDeliveryBody;
constexpr size_t kPrivDataSpecSize = 2 + 4;
constexpr size_t kEntryHeaderSize = 6;    // transport_stream_id, original_network_id, length
constexpr size_t kSectionOverhead = 13;   // header after section_length, two loop lengths, CRC
constexpr size_t kServiceListEntrySize = 3;
constexpr size_t kLogChEntrySize = 4;
constexpr size_t kChListHeaderSize = 6;   // id, name length, country code, entry-loop length

constexpr uint8_t kEacemReserved = 31;
constexpr uint8_t kNorDigReserved = 1;

// A project value as the delivery descriptors carry it: round(value * factor), at most
// max; the texts name it when it does not fit.
struct TScale {
  long double factor;
  uint32_t max;
  EditorMsg quantity;
  const char* unit;
  EditorMsg range;
};
// 8 BCD digits of which the builder allows 7999.9999 MHz; 7 BCD digits of Msymbol/s in
// 28 bits; a 32-bit count of 10 Hz.
constexpr TScale kCableFreq{10000.0L, 79999999, EditorMsg::strsFrequency, "MHz", EditorMsg::strsFrequencyRange};
constexpr TScale kSymbolRate{10000.0L, 9999999, EditorMsg::strsSymbolRate, "MSymbol/s", EditorMsg::strsSymbolRateRange};
constexpr TScale kCentreFreq{100000.0L, 0xFFFFFFFF, EditorMsg::strsCentreFrequency, "MHz",
                             EditorMsg::strsCentreFrequencyRange};

// A build that cannot go on. The text (empty when the user chose to stop) has not been
// shown yet.
class BuildStopped : public QuillonError {
 public:
  using QuillonError::QuillonError;
};

// round(x * factor) with halves to even, in extended precision; nothing when the result
// lies outside 0..max (or x is not a number).
std::optional<uint32_t> ScaledRound(long double x, const TScale& scale) {
  const long double v = std::nearbyint(x * scale.factor);
  if (!(v >= 0.0L && v <= static_cast<long double>(scale.max))) return std::nullopt;
  return static_cast<uint32_t>(v);
}

// The decimal digits of v read as hexadecimal: 3460000 becomes 0x03460000.
uint32_t DecimalDigitsAsBcd(uint32_t v) {
  uint32_t bcd = 0;
  for (int shift = 0; v != 0; v /= 10, shift += 4) bcd |= (v % 10) << shift;
  return bcd;
}

std::string Number(long double x) { return Format("%.10Lg", x); }

// The first character above U+00FF, as a code point (a surrogate pair combined).
std::optional<char32_t> FirstWideCharacter(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c <= 0xFF) continue;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
    return c;
  }
  return std::nullopt;
}

template <class Entry>
Entry LogChEntry(const TServiceData& service, uint8_t reserved, uint16_t channelNo) {
  Entry e;
  e.ServiceID = service.ServiceID();
  e.Visible = service.Visible() ? 1 : 0;
  e.Reserved = reserved;
  e.ChannelNo = channelNo;
  return e;
}

// The flat channel descriptors (EACEM, ITC, NorDig V1, HD simulcast): one entry per
// service, or per service with an HD simulcast number.
template <class Descriptor>
std::unique_ptr<TBasicDescriptor> FlatChannelDescriptor(const TServiceList& services, uint8_t reserved,
                                                        uint16_t mask, bool hdSimulcast) {
  using Entry = typename decltype(Descriptor::LogChEntry)::value_type;
  auto d = std::make_unique<Descriptor>();
  d->LogChEntry.reserve(services.size());
  for (const auto& s : services) {
    const int32_t nr = hdSimulcast ? s->HDSimulLogicalNumber() : s->LogicalNumber();
    if (hdSimulcast && nr <= 0) continue;
    d->LogChEntry.push_back(LogChEntry<Entry>(*s, reserved, static_cast<uint16_t>(nr & mask)));
  }
  d->Length = static_cast<uint8_t>(kLogChEntrySize * d->LogChEntry.size());
  return d;
}

class TNitBuilder {
 public:
  TNitBuilder(TNitEditor& editor, uint16_t lcnMask) : ed_(editor), lcnMask_(lcnMask) {}

  // Steps that do not depend on the streams: an empty table with its identity and the
  // first section holding the network name.
  void Start();
  template <class Record>
  void AddStream(const Record& r, size_t position);
  // Numbers the sections and gives each its CRC.
  void Finish();

 private:
  std::string Text(EditorMsg id) const { return ed_.Messages().Text(id); }
  const char* CText(EditorMsg id) const { return ed_.Messages().CText(id); }
  std::string LimitText(EditorMsg first) const {
    return Format("%s\n\r%s\r\n%s", Text(first).c_str(), Text(EditorMsg::strsMldgDecServices).c_str(),
                  Text(EditorMsg::strsMldgNITFail).c_str());
  }
  [[noreturn]] void Unrepresentable(const std::string& what) const {
    throw BuildStopped(what + "\r\n" + Text(EditorMsg::strsMldgNITFail));
  }
  std::string StreamName(const TTransportStreamData& r, size_t position) const {
    return Format(CText(EditorMsg::strsStreamName), position, unsigned{r.TSID()});
  }
  // The value of stream r scaled, or the build stops naming the stream and the value.
  uint32_t Scaled(const TTransportStreamData& r, size_t position, long double x, const TScale& scale) const {
    std::optional<uint32_t> v = ScaledRound(x, scale);
    if (!v)
      Unrepresentable(Format(CText(EditorMsg::strsOutsideRange), StreamName(r, position).c_str(),
                             CText(scale.quantity), Number(x).c_str(), scale.unit, CText(scale.range)));
    return *v;
  }

  TNISection* AddNITSection();
  bool UsesChannelList(const TTransportStreamData& r, int32_t id) const;
  size_t ChannelListsSize(const TTransportStreamData& r) const;
  size_t ChannelListEntryCount(const TTransportStreamData& r) const;
  size_t HDSimulcastCount(const TTransportStreamData& r) const;

  std::unique_ptr<TBasicDescriptor> ServiceListDescriptor(const TServiceList& services) const;
  std::unique_ptr<TBasicDescriptor> DeliveryDescriptor(const TCableDescrData& r, size_t position) const;
  std::unique_ptr<TBasicDescriptor> DeliveryDescriptor(const TTerrestrialDescrData& r, size_t position) const;
  std::unique_ptr<TBasicDescriptor> PrivDataSpecDescriptor() const;
  std::unique_ptr<TBasicDescriptor> ChannelDescriptor(const TServiceList& services) const;
  std::unique_ptr<TBasicDescriptor> NorDigV2Descriptor(const TTransportStreamData& r, size_t length) const;

  TNitEditor& ed_;
  const uint16_t lcnMask_;
  TNITTable* table_ = nullptr;
  TNISection* section_ = nullptr;
  size_t netLen_ = 0;
  size_t tsLoop_ = 0;
};

TNISection* TNitBuilder::AddNITSection() {
  const int index = table_->AddSection(kTableIdNitActual);
  if (index < 0) return nullptr;
  TNISection* s = table_->Section(index);
  s->SetSectionSyntaxIndicator(1);
  s->SetReservedFU1(1);
  s->SetReserved1(3);
  s->SetNetworkID(ed_.NetworkID());
  s->SetReserved2(3);
  s->SetVersionNumber(ed_.VersionNumber());
  s->SetCurrentNextIndicator(1);
  s->SetReservedFU2(15);
  s->SetNetworkDescriptorLength(0);
  s->SetReservedFU3(15);
  return s;
}

void TNitBuilder::Start() {
  ed_.NIT().Delete();
  table_ = ed_.NIT().Actual();
  TTableIdent ident;
  ident.PID = kNitPID;
  ident.TableID = kTableIdNitActual;
  ident.Pad = 0;
  ident.AddID = ed_.NetworkID();
  table_->SetTableIdent(ident);

  const std::u16string& name = ed_.NetworkName();
  if (name.size() > kMaxDescriptorBody)
    Unrepresentable(Format(CText(EditorMsg::strsNameTooLong), name.size(), kMaxDescriptorBody));
  if (std::optional<char32_t> c = FirstWideCharacter(name))
    Unrepresentable(Format(CText(EditorMsg::strsNameWideChar), static_cast<unsigned>(*c)));

  section_ = AddNITSection();
  auto nameDescriptor = std::make_unique<TNetworkNameDescriptor>();
  nameDescriptor->Length = static_cast<uint8_t>(name.size());
  nameDescriptor->NetName = name;
  netLen_ = nameDescriptor->Length + 2u;
  section_->NWDesc.push_back(std::move(nameDescriptor));
  section_->SetNetworkDescriptorLength(static_cast<uint16_t>(netLen_));
  tsLoop_ = 0;
  section_->SetSectionLength(static_cast<uint16_t>(netLen_ + kSectionOverhead));
}

template <class Record>
void TNitBuilder::AddStream(const Record& r, size_t position) {
  const TServiceList& services = r.ServiceList();
  const size_t n = services.size();
  const bool withSLD = ed_.AddSLDs() && n >= 1;
  const bool withLCDs = ed_.AddLCDs() && n >= 1;

  size_t d = kDeliveryDescriptorSize;
  if (withSLD) {
    const size_t b = kServiceListEntrySize * n;
    if (b > kMaxDescriptorBody) throw BuildStopped(LimitText(EditorMsg::strsSrvListTooBig));
    d += b + 2;
  }
  size_t lcdLen = 0, hdLen = 0;
  if (withLCDs) {
    d += kPrivDataSpecSize;
    if (ed_.Variant() == TLcnVariant::NorDigV2) {
      const size_t j = ChannelListsSize(r);
      if (j < 1) {
        if (Dialogs().Show(DialogKind::QuestionYesCancel, Text(EditorMsg::strsNoChList)) != DialogAnswer::Yes)
          throw BuildStopped("");
      } else {
        lcdLen = j + kLogChEntrySize * ChannelListEntryCount(r);
      }
    } else {
      lcdLen = kLogChEntrySize * n;
    }
    hdLen = ed_.AddHDSimulLCN() ? kLogChEntrySize * HDSimulcastCount(r) : 0;
    if (lcdLen + hdLen > kMaxDescriptorBody) throw BuildStopped(LimitText(EditorMsg::strsNorDigTooBig));
    if (lcdLen > 0) d += lcdLen + 2;
    if (hdLen > 0) d += hdLen + 2;
  }

  if (netLen_ + tsLoop_ + kEntryHeaderSize + d > static_cast<size_t>(kSectionLoopBudget)) {
    section_ = AddNITSection();
    if (!section_)
      Unrepresentable(Format(CText(EditorMsg::strsNoMoreSections), StreamName(r, position).c_str(), kMaxSections));
    netLen_ = 0;
    tsLoop_ = 0;
  }

  auto entry = std::make_unique<TTransportStreamEntry>();
  entry->SetTSID(r.TSID());
  entry->SetOrgNetID(r.OrgNetID());
  entry->SetReservedFU(15);
  entry->SetTransportDescriptorLength(static_cast<uint16_t>(d));
  TBasicDescriptorArray& loop = entry->TSDescriptor;
  if (withSLD) loop.push_back(ServiceListDescriptor(services));
  loop.push_back(DeliveryDescriptor(r, position));
  if (withLCDs) {
    loop.push_back(PrivDataSpecDescriptor());
    if (ed_.Variant() != TLcnVariant::NorDigV2)
      loop.push_back(ChannelDescriptor(services));
    else if (lcdLen > 0)
      loop.push_back(NorDigV2Descriptor(r, lcdLen));
    if (hdLen > 0)
      loop.push_back(FlatChannelDescriptor<THDSimulcastLogicalChannelDescriptor>(services, kEacemReserved,
                                                                                 kNorDigLcnMask, true));
  }
  section_->TSEntry.push_back(std::move(entry));

  tsLoop_ += kEntryHeaderSize + d;
  section_->SetTransportStreamLoopLength(static_cast<uint16_t>(tsLoop_));
  section_->SetSectionLength(static_cast<uint16_t>(netLen_ + tsLoop_ + kSectionOverhead));
}

void TNitBuilder::Finish() {
  const int count = table_->Sections();
  for (int i = 0; i < count; ++i) {
    TNISection* s = table_->Section(i);
    s->SetLastSectionNumber(static_cast<uint8_t>(count - 1));
    s->UpdateCRC();
  }
}

bool TNitBuilder::UsesChannelList(const TTransportStreamData& r, int32_t id) const {
  // -1 means "no list": a list whose id was never set does not collect those services.
  if (id < 0) return false;
  for (const auto& s : r.ServiceList())
    if (s->ChannelListID() == id) return true;
  return false;
}

size_t TNitBuilder::ChannelListsSize(const TTransportStreamData& r) const {
  size_t size = 0;
  for (const auto& list : ed_.ChannelList())
    if (UsesChannelList(r, list->ListID())) size += kChListHeaderSize + list->ListName().size();
  return size;
}

size_t TNitBuilder::ChannelListEntryCount(const TTransportStreamData& r) const {
  size_t count = 0;
  for (const auto& list : ed_.ChannelList()) {
    if (!UsesChannelList(r, list->ListID())) continue;
    for (const auto& s : r.ServiceList())
      if (s->ChannelListID() == list->ListID()) ++count;
  }
  return count;
}

size_t TNitBuilder::HDSimulcastCount(const TTransportStreamData& r) const {
  size_t count = 0;
  for (const auto& s : r.ServiceList())
    if (s->HDSimulLogicalNumber() > 0) ++count;
  return count;
}

std::unique_ptr<TBasicDescriptor> TNitBuilder::ServiceListDescriptor(const TServiceList& services) const {
  auto d = std::make_unique<TServiceListDescriptor>();
  d->Service.reserve(services.size());
  // The records lie wherever they were allocated; in a large project most are not in the
  // cache, so each is asked for well before it is read (this is their first read of the
  // build; the channel descriptors that follow find them in the cache).
  constexpr size_t kAhead = 16;
  for (size_t i = 0; i < std::min(kAhead, services.size()); ++i) __builtin_prefetch(services[i].get());
  for (size_t i = 0; i < services.size(); ++i) {
    if (i + kAhead < services.size()) __builtin_prefetch(services[i + kAhead].get());
    const TServiceData& s = *services[i];
    d->Service.push_back({s.ServiceID(), s.ServiceType()});
  }
  d->Length = static_cast<uint8_t>(kServiceListEntrySize * d->Service.size());
  return d;
}

std::unique_ptr<TBasicDescriptor> TNitBuilder::DeliveryDescriptor(const TCableDescrData& r, size_t position) const {
  const uint32_t freq = Scaled(r, position, r.Freq(), kCableFreq);
  const uint32_t symb = Scaled(r, position, r.SymbRate(), kSymbolRate);
  auto d = std::make_unique<TCableDelivSysDescriptor>();
  d->Length = kDeliveryBody;
  d->Freq = DecimalDigitsAsBcd(freq);
  d->ReservedFU = 0x0FFF;
  d->FECo = r.FECOut();
  d->Modu = r.Modu();
  d->Symb = DecimalDigitsAsBcd(symb);
  d->FECi = r.FECIn();
  return d;
}

std::unique_ptr<TBasicDescriptor> TNitBuilder::DeliveryDescriptor(const TTerrestrialDescrData& r,
                                                                  size_t position) const {
  auto d = std::make_unique<TTerrestDelivSysDescriptor>();
  d->Length = kDeliveryBody;
  d->CentreFreq = Scaled(r, position, r.Freq(), kCentreFreq);
  d->Bandwidth = r.BandWidth();
  d->Priority = r.Priority();
  d->TimeSliceInd = r.TimeSliceIndicator();
  d->MPEFECInd = r.MpeFecIndictor();
  d->ReservedFU1 = 3;
  d->Constellation = r.Constellation();
  d->HierarchyInfo = r.Hierarchy();
  d->CodeRateHP = r.HPCodeRate();
  d->CodeRateLP = r.LPCodeRate();
  d->GuardInterval = r.GuardInterval();
  d->TransMode = r.Mode();
  d->OtherFreqFlag = r.OtherFreqFlag();
  d->ReservedFU2 = 0xFFFFFFFF;
  return d;
}

std::unique_ptr<TBasicDescriptor> TNitBuilder::PrivDataSpecDescriptor() const {
  auto d = std::make_unique<TPrivDataSpecDescriptor>();
  d->Length = 4;
  switch (ed_.Variant()) {
    case TLcnVariant::EACEM: d->DataSpec = kPrivSpecEacem; break;
    case TLcnVariant::ITC: d->DataSpec = kPrivSpecItc; break;
    case TLcnVariant::NorDigV1:
    case TLcnVariant::NorDigV2: d->DataSpec = kPrivSpecNorDig; break;
  }
  return d;
}

std::unique_ptr<TBasicDescriptor> TNitBuilder::ChannelDescriptor(const TServiceList& services) const {
  switch (ed_.Variant()) {
    case TLcnVariant::ITC:
      return FlatChannelDescriptor<TItcLogicalChannelDescriptor>(services, kEacemReserved, lcnMask_, false);
    case TLcnVariant::NorDigV1:
      return FlatChannelDescriptor<TNorDigLogicalChannelDescriptorV1>(services, kNorDigReserved, kNorDigLcnMask,
                                                                     false);
    default:
      return FlatChannelDescriptor<TEacemLogicalChannelDescriptor>(services, kEacemReserved, lcnMask_, false);
  }
}

std::unique_ptr<TBasicDescriptor> TNitBuilder::NorDigV2Descriptor(const TTransportStreamData& r,
                                                                  size_t length) const {
  auto d = std::make_unique<TNorDigLogicalChannelDescriptorV2>();
  for (const auto& list : ed_.ChannelList()) {
    if (!UsesChannelList(r, list->ListID())) continue;
    const std::u16string& name = list->ListName();
    if (std::optional<char32_t> c = FirstWideCharacter(name))
      Unrepresentable(Format(CText(EditorMsg::strsListNameWideChar), list->ListID(), static_cast<unsigned>(*c)));
    TNorDigChListEntry& e = d->ChListEntry.emplace_back();
    e.ChListID = static_cast<uint8_t>(list->ListID());
    e.ChListNameLen = static_cast<uint8_t>(name.size());
    e.ChListName = name.substr(0, kMaxDescriptorBody);
    e.CountryCode = list->CountryCode();
    for (const auto& s : r.ServiceList()) {
      if (s->ChannelListID() != list->ListID()) continue;
      e.LogChEntry.push_back(LogChEntry<TNorDigLogChEntry>(
          *s, kNorDigReserved, static_cast<uint16_t>(s->LogicalNumber() & kNorDigLcnMask)));
      e.LogChLen = static_cast<uint8_t>(e.LogChLen + kLogChEntrySize);
    }
  }
  d->Length = static_cast<uint8_t>(length);
  return d;
}

// Runs the build; a stopped build shows its message and leaves table 0 empty.
template <class Record>
bool BuildNIT(TNitEditor& editor, const TRecordList<Record>& streams, uint16_t lcnMask) {
  std::string message;
  try {
    TNitBuilder builder(editor, lcnMask);
    builder.Start();
    for (size_t i = 0; i < streams.size(); ++i) builder.AddStream(*streams[i], i + 1);
    builder.Finish();
    return true;
  } catch (const BuildStopped& stop) {
    message = stop.what();
  } catch (const QuillonError& e) {
    message = std::string(e.what()) + "\r\n" + editor.Messages().Text(EditorMsg::strsMldgNITFail);
  }
  if (!message.empty()) Dialogs().Show(DialogKind::ErrorCancel, message);
  editor.NIT().Delete();
  return false;
}

}  // namespace

bool TNitEditor::CreateNITTable() {
  return networkType_ == TNetworkType::Terrestrial ? CreateTerrestrialNIT() : CreateCableNIT();
}

bool TNitEditor::CreateCableNIT() { return BuildNIT(*this, cable_, kCableLcnMask); }

bool TNitEditor::CreateTerrestrialNIT() { return BuildNIT(*this, terrest_, kTerrestLcnMask); }

}  // namespace quillon
