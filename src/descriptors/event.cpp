#include "descriptors/event.h"

#include "descriptors/layout.h"

namespace quillon {

namespace {

constexpr auto kShortEvent = [](auto io, auto& d) {
  io(d.LangCode, 24);
  io(d.EventNameLen, 8);
  io.Chars(d.EventName, d.EventNameLen);
  io(d.TextLen, 8);
  io.Chars(d.Text, d.TextLen);
};

// The item loop starts at body offset 5. The reader takes the text length right after the
// loop's declared byte count, wherever the last item ended; the writer puts it after the
// last item.
constexpr int kFirstItem = 5;

constexpr auto kExtendedEvent = [](auto io, auto& d) {
  io(d.DescriptorNumber, 4);
  io(d.LastDescriptorNumber, 4);
  io(d.LangCode, 24);
  io(d.LengthOfItems, 8);
  io.While(d.ItemEntry, kFirstItem + d.LengthOfItems, [](auto io, auto& e) {
    io(e.ItemDescriptionLen, 8);
    io.Chars(e.ItemDescription, e.ItemDescriptionLen);
    io(e.ItemLen, 8);
    io.Chars(e.Item, e.ItemLen);
  });
  io.ReadFrom(kFirstItem + d.LengthOfItems);
  io(d.TextLen, 8);
  io.Chars(d.Text, d.TextLen);
};

constexpr auto kTimeShiftedEvent = [](auto io, auto& d) {
  io(d.ReferenceServiceID, 16);
  io(d.ReferenceEventID, 16);
};

constexpr auto kComponent = [](auto io, auto& d) {
  io(d.ReservedFU1, 4);
  io(d.StreamContent, 4);
  io(d.ComponentType, 8);
  io(d.ComponentTag, 8);
  io(d.LangCode, 24);
  io.AllChars(d.Text, d.Length - 6);
};

constexpr auto kContent = [](auto io, auto& d) {
  io.While(d.ContentEntry, d.Length, [](auto io, auto& e) {
    io(e.ContentNibbleLevel1, 4);
    io(e.ContentNibbleLevel2, 4);
    io(e.UserNibble1, 4);
    io(e.UserNibble2, 4);
  });
};

constexpr auto kParentalRating = [](auto io, auto& d) {
  io.While(d.ParentalRatingEntry, d.Length, [](auto io, auto& e) {
    io(e.CountryCode, 24);
    io(e.Rating, 8);
  });
};

constexpr auto kLocalTimeOffset = [](auto io, auto& d) {
  io.While(d.TimeOffsetEntry, d.Length, [](auto io, auto& e) {
    io(e.CountryCode, 24);
    io(e.CountryRegionID, 6);
    io(e.Reserved, 1);
    io(e.OffsetPolarity, 1);
    io(e.Offset, 16);
    for (auto& b : e.TimeOfChange) io(b, 8);
    io(e.NextTimeOffset, 16);
  });
};

constexpr auto kMultiComponent = [](auto io, auto& d) {
  io(d.ComponentTag, 8);
  io.While(d.TextEntry, d.Length, [](auto io, auto& e) {
    io(e.LangCode, 24);
    io(e.TextLen, 8);
    io.DvbText(e.Text, e.TextUni, e.TextLen);
  });
};

constexpr auto kPDC = [](auto io, auto& d) {
  io(d.ReservedFU, 4);
  io(d.ProgIdentLabel, 20);
};

}  // namespace

QUILLON_LAYOUT_CODEC(TShortEventDescriptor, kShortEvent)
QUILLON_LAYOUT_CODEC(TExtendedEventDescriptor, kExtendedEvent)
QUILLON_LAYOUT_CODEC(TTimeShiftedEventDescriptor, kTimeShiftedEvent)
QUILLON_LAYOUT_CODEC(TComponentDescriptor, kComponent)
QUILLON_LAYOUT_CODEC(TContentDescriptor, kContent)
QUILLON_LAYOUT_CODEC(TParentalRatingDescriptor, kParentalRating)
QUILLON_LAYOUT_CODEC(TLocalTimeOffsetDescriptor, kLocalTimeOffset)
QUILLON_LAYOUT_CODEC(TMultiComponentDescriptor, kMultiComponent)
QUILLON_LAYOUT_CODEC(TPDCDescriptor, kPDC)

}  // namespace quillon
