// Displays of the event descriptors.
#include "descriptors/event.h"
#include "viewer/date_text.h"
#include "viewer/display_rows.h"
#include "viewer/node_text.h"
#include "vocabulary/dvb_text.h"
#include "vocabulary/si_values.h"

namespace quillon::viewer {

namespace {

constexpr uint8_t kLastTimeZone = 59;

// Event texts carry emphasis and line-break codes; the Info shows them without.
TTableNode& EventText(TTableNode& parent, std::u16string name, std::u16string length, const std::u16string& text) {
  return parent.Add(std::move(name), std::move(length), text, StripControlChars(text));
}

void ShortEvent(TTableNode& node, const TShortEventDescriptor& d) {
  LanguageField(node, d.LangCode);
  DecField(node, u"Event Name Length", 8, d.EventNameLen);
  EventText(node, u"Event Name", Dec(d.EventNameLen), d.EventName);
  DecField(node, u"Text Length", 8, d.TextLen);
  EventText(node, u"Text", Dec(d.TextLen), d.Text);
}

void ExtendedEvent(TTableNode& node, const TExtendedEventDescriptor& d) {
  DecField(node, u"Descriptor Number", 4, d.DescriptorNumber);
  DecField(node, u"Last Descriptor Number", 4, d.LastDescriptorNumber);
  LanguageField(node, d.LangCode);
  DecField(node, u"Length Of Items", 8, d.LengthOfItems);
  TTableNode& loop = Group(node, u"Items Loop");
  for (const TExtendedEventEntry& e : d.ItemEntry) {
    TTableNode& entry = Group(loop, u"Item Entry");
    DecField(entry, u"Item Description Length", 8, e.ItemDescriptionLen);
    EventText(entry, u"Item Description", Chars(e.ItemDescriptionLen), e.ItemDescription);
    DecField(entry, u"Item Length", 8, e.ItemLen);
    EventText(entry, u"Item", Chars(e.ItemLen), e.Item);
  }
  DecField(node, u"Text Length", 8, d.TextLen);
  EventText(node, u"Text", Chars(d.TextLen), d.Text);
}

void TimeShiftedEvent(TTableNode& node, const TTimeShiftedEventDescriptor& d) {
  HexField(node, u"Reference Service ID", 16, d.ReferenceServiceID, 4);
  HexField(node, u"Reference Event ID", 16, d.ReferenceEventID, 4);
}

void Component(TTableNode& node, const TComponentDescriptor& d) {
  DecField(node, u"Reserved For Future Use", 4, d.ReservedFU1);
  DecField(node, u"Stream Content", 4, d.StreamContent, StreamContentText(d.StreamContent));
  DecField(node, u"Component Type", 8, d.ComponentType, ComponentTypeText(d.StreamContent, d.ComponentType));
  DecField(node, u"Component Tag", 8, d.ComponentTag);
  LanguageField(node, d.LangCode);
  node.Add(u"Text", Fmt("%d Bytes", static_cast<int>(d.Text.size())), d.Text);
}

void Content(TTableNode& node, const TContentDescriptor& d) {
  TTableNode& loop = Group(node, u"Content Loop");
  for (const TContentEntry& e : d.ContentEntry) {
    TTableNode& entry = Group(loop, u"Content Entry");
    DecField(entry, u"Content Nibble Level 1", 4, e.ContentNibbleLevel1, ContentNibble1Text(e.ContentNibbleLevel1));
    DecField(entry, u"Content Nibble Level 2", 4, e.ContentNibbleLevel2,
             ContentNibble2Text(e.ContentNibbleLevel1, e.ContentNibbleLevel2));
    DecField(entry, u"User Nibble", 4, e.UserNibble1);
    entry.Add(u"User Nibble", {}, Dec(e.UserNibble2));
  }
}

void ParentalRating(TTableNode& node, const TParentalRatingDescriptor& d) {
  TTableNode& loop = Group(node, u"Parental Rating Loop");
  for (const TParentalRatingEntry& e : d.ParentalRatingEntry) {
    TTableNode& entry = Group(loop, u"Parental Rating Entry");
    CodeField(entry, u"Country Code", e.CountryCode);
    HexField(entry, u"Rating", 8, e.Rating, 2, ParentalRatingText(e.Rating));
  }
}

std::u16string RegionText(uint8_t region) {
  if (region == 0) return u"No Time Zone Extension Used";
  if (region <= kLastTimeZone) return Fmt("Time Zone %d", region);
  return u"Reserved";
}

// Four BCD digits hhmm.
std::u16string OffsetText(uint16_t hhmm) {
  auto digit = [hhmm](int i) { return (hhmm >> (12 - 4 * i)) & 0xF; };
  return Fmt("%dh:%dm", 10 * digit(0) + digit(1), 10 * digit(2) + digit(3));
}

void LocalTimeOffset(TTableNode& node, const TLocalTimeOffsetDescriptor& d) {
  TTableNode& loop = Group(node, u"Local Time Offset Loop");
  for (const TTimeOffsetEntry& e : d.TimeOffsetEntry) {
    TTableNode& entry = Group(loop, u"Local Time Offset Entry");
    CodeField(entry, u"Country Code", e.CountryCode);
    DecField(entry, u"Country Region ID", 6, e.CountryRegionID, RegionText(e.CountryRegionID));
    DecField(entry, u"Reserved", 1, e.Reserved);
    DecField(entry, u"Local Time Offset Polarity", 1, e.OffsetPolarity,
             FlagText(e.OffsetPolarity, u"Negative (-)", u"Positive (+)"));
    HexField(entry, u"Local Time Offset", 16, e.Offset, 4, OffsetText(e.Offset));
    const auto& t = e.TimeOfChange;
    const uint16_t mjd = static_cast<uint16_t>((t[0] << 8) | t[1]);
    Field(entry, u"Time of Change", 40, Fmt("0x%2.2X 0x%2.2X 0x%2.2X 0x%2.2X 0x%2.2X", t[0], t[1], t[2], t[3], t[4]),
          ShortDateText(MjdToDate(mjd)));
    HexField(entry, u"Next Time Offset", 16, e.NextTimeOffset, 4, OffsetText(e.NextTimeOffset));
  }
}

void MultiComponent(TTableNode& node, const TMultiComponentDescriptor& d) {
  HexField(node, u"Component Tag", 8, d.ComponentTag, 2);
  TTableNode& loop = Group(node, u"Multilingual Component Loop");
  for (const TMultiTextEntry& e : d.TextEntry) {
    TTableNode& entry = Group(loop, u"Multilingual Component Entry");
    LanguageField(entry, e.LangCode);
    DecField(entry, u"Text Length", 8, e.TextLen);
    CharTableText(entry, u"Component Description", Dec(e.TextLen), e.Text, e.TextUni);
  }
}

// The label packs day (bits 19..15), month (14..11), hour (10..6) and minute (5..0).
void PDC(TTableNode& node, const TPDCDescriptor& d) {
  const uint32_t pil = d.ProgIdentLabel;
  DecField(node, u"Reserved For Future Use", 4, d.ReservedFU);
  DecField(node, u"Program Identification Label", 20, pil,
           Fmt("Day: %u  Month: %u  Hour: %u  Minute: %u", (pil >> 15) & 0x1F, (pil >> 11) & 0xF, (pil >> 6) & 0x1F,
               pil & 0x3F));
}

constexpr DisplayRow kRows[] = {
    {0x4D, As<TShortEventDescriptor, ShortEvent>},
    {0x4E, As<TExtendedEventDescriptor, ExtendedEvent>},
    {0x4F, As<TTimeShiftedEventDescriptor, TimeShiftedEvent>},
    {0x50, As<TComponentDescriptor, Component>},
    {0x54, As<TContentDescriptor, Content>},
    {0x55, As<TParentalRatingDescriptor, ParentalRating>},
    {0x58, As<TLocalTimeOffsetDescriptor, LocalTimeOffset>},
    {0x5E, As<TMultiComponentDescriptor, MultiComponent>},
    {0x69, As<TPDCDescriptor, PDC>},
};

}  // namespace

std::span<const DisplayRow> EventDisplayRows() { return kRows; }

}  // namespace quillon::viewer
