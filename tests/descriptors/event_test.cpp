#include "descriptors/event.h"

#include <gtest/gtest.h>

#include "catalogue_cases.h"

namespace quillon {
namespace {

using test::Build;
using test::DecodeAs;
using test::GoldenVectors;
using test::HexToBytes;
using test::TruncatedInput;

// ---------------------------------------------------------------- golden vectors, both ways

const test::GoldenCase kEventGolden[] = {
    {"ShortEvent", Build<TShortEventDescriptor>(11,
                                                [](auto& d) {
                                                  d.LangCode = 0x646575;
                                                  d.EventNameLen = 4;
                                                  d.EventName = u"News";
                                                  d.TextLen = 2;
                                                  d.Text = u"Hi";
                                                }),
     "4D 0B 64 65 75 04 4E 65 77 73 02 48 69"},
    {"ExtendedEvent", Build<TExtendedEventDescriptor>(16,
                                                      [](auto& d) {
                                                        d.DescriptorNumber = 1;
                                                        d.LastDescriptorNumber = 2;
                                                        d.LangCode = 0x656E67;
                                                        d.LengthOfItems = 7;
                                                        d.ItemEntry = {{3, u"Dir", 2, u"Bo"}};
                                                        d.TextLen = 3;
                                                        d.Text = u"abc";
                                                      }),
     "4E 10 12 65 6E 67 07 03 44 69 72 02 42 6F 03 61 62 63"},
    {"TimeShiftedEvent", Build<TTimeShiftedEventDescriptor>(4,
                                                            [](auto& d) {
                                                              d.ReferenceServiceID = 0x0102;
                                                              d.ReferenceEventID = 0x0304;
                                                            }),
     "4F 04 01 02 03 04"},
    {"Component", Build<TComponentDescriptor>(11,
                                              [](auto& d) {
                                                d.ReservedFU1 = 15;
                                                d.StreamContent = 1;
                                                d.ComponentType = 3;
                                                d.ComponentTag = 1;
                                                d.LangCode = 0x646575;
                                                d.Text = u"Video";
                                              }),
     "50 0B F1 03 01 64 65 75 56 69 64 65 6F"},
    {"Content", Build<TContentDescriptor>(4, [](auto& d) { d.ContentEntry = {{1, 2, 3, 4}, {15, 0, 0, 15}}; }),
     "54 04 12 34 F0 0F"},
    {"ParentalRating", Build<TParentalRatingDescriptor>(4, [](auto& d) { d.ParentalRatingEntry = {{0x444555, 12}}; }),
     "55 04 44 45 55 0C"},
    {"LocalTimeOffset", Build<TLocalTimeOffsetDescriptor>(13,
                                                          [](auto& d) {
                                                            TTimeOffsetEntry& e = d.TimeOffsetEntry.emplace_back();
                                                            e.CountryCode = 0x444555;
                                                            e.Reserved = 1;
                                                            e.Offset = 0x0100;
                                                            e.TimeOfChange = {0xC0, 0x79, 0x12, 0x45, 0x00};
                                                            e.NextTimeOffset = 0x0200;
                                                          }),
     "58 0D 44 45 55 02 01 00 C0 79 12 45 00 02 00"},
    {"MultiComponent", Build<TMultiComponentDescriptor>(7,
                                                        [](auto& d) {
                                                          d.ComponentTag = 5;
                                                          d.TextEntry = {{0x656E67, 2, u"HD", u""}};
                                                        }),
     "5E 07 05 65 6E 67 02 48 44"},
    // Day 15, month 6, 20:30.
    {"PDC", Build<TPDCDescriptor>(3,
                                  [](auto& d) {
                                    d.ReservedFU = 15;
                                    d.ProgIdentLabel = (15u << 15) | (6u << 11) | (20u << 6) | 30u;
                                  }),
     "69 03 F7 B5 1E"},
};

INSTANTIATE_TEST_SUITE_P(Event, GoldenVectors, testing::ValuesIn(kEventGolden),
                         [](const auto& info) { return test::CaseName(info); });

// ---------------------------------------------------------------- decoded field values

TEST(EventDecode, ComponentTextIsWhatLengthLeavesAfterSixBytes) {
  struct Case {
    const char* hex;
    std::u16string text;
  };
  const Case cases[] = {
      {"50 0B F1 03 01 64 65 75 56 69 64 65 6F", u"Video"},
      {"50 06 F1 03 01 64 65 75 56", u""},
      // Shorter than the fixed part: that is read on from what follows, and no text.
      {"50 04 F1 03 01 64 65 75", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    auto d = DecodeAs<TComponentDescriptor>(HexToBytes(c.hex));
    EXPECT_EQ(15, d->ReservedFU1);
    EXPECT_EQ(1, d->StreamContent);
    EXPECT_EQ(3, d->ComponentType);
    EXPECT_EQ(1, d->ComponentTag);
    EXPECT_EQ(0x646575u, d->LangCode);
    EXPECT_EQ(c.text, d->Text);
  }
}

TEST(EventDecode, ExtendedEventTextFollowsTheDeclaredItemLength) {
  // The loop declares 2 item bytes, the one item read takes 5: the text length is read at
  // byte 9 all the same, inside the item.
  auto d = DecodeAs<TExtendedEventDescriptor>(HexToBytes("4E 0A 12 65 6E 67 02 01 41 02 78 79"));
  EXPECT_EQ(1, d->DescriptorNumber);
  EXPECT_EQ(2, d->LastDescriptorNumber);
  EXPECT_EQ(0x656E67u, d->LangCode);
  ASSERT_EQ(1u, d->ItemEntry.size());
  EXPECT_EQ(u"A", d->ItemEntry[0].ItemDescription);
  EXPECT_EQ(u"xy", d->ItemEntry[0].Item);
  EXPECT_EQ(2, d->TextLen);
  EXPECT_EQ(u"xy", d->Text);

  d->Length = 5;
  d->SetDescriptorData(HexToBytes("4E 05 12 65 6E 67 00 00"));
  EXPECT_TRUE(d->ItemEntry.empty());
  EXPECT_EQ(u"", d->Text);
}

TEST(EventDecode, EventTextsTakeEachByteAsItsCharacter) {
  auto d = DecodeAs<TShortEventDescriptor>(HexToBytes("4D 08 64 65 75 02 05 E9 01 80"));
  EXPECT_EQ(u"\u0005\u00E9", d->EventName);
  EXPECT_EQ(u"\u0080", d->Text);
}

TEST(EventDecode, MultiComponentTextGoesThroughCodePageAndCharacterTables) {
  auto d = DecodeAs<TMultiComponentDescriptor>(HexToBytes("5E 0A 05 64 65 75 05 0B A4 80 41 42"));
  EXPECT_EQ(5, d->ComponentTag);
  ASSERT_EQ(1u, d->TextEntry.size());
  EXPECT_EQ(u"\u000B\u00A4\u20ACAB", d->TextEntry[0].Text);
  EXPECT_EQ(u"\u20AC\u0080AB", d->TextEntry[0].TextUni);
}

TEST(EventDecode, EntriesWithEmptyTextsStillAdvance) {
  auto d = DecodeAs<TMultiComponentDescriptor>(HexToBytes("5E 09 05 64 65 75 00 65 6E 67 00"));
  ASSERT_EQ(2u, d->TextEntry.size());
  EXPECT_EQ(0x656E67u, d->TextEntry[1].LangCode);

  auto e = DecodeAs<TExtendedEventDescriptor>(HexToBytes("4E 0A 12 65 6E 67 04 00 00 00 00 00"));
  EXPECT_EQ(2u, e->ItemEntry.size());
}

// ---------------------------------------------------------------- bit walks

TEST(EventBitWalk, FixedLayouts) {
  {
    using D = TShortEventDescriptor;
    test::WalkBits<D>(5, [](D&) {}, {QUILLON_BIT_FIELD(D, LangCode, 24)});
  }
  {
    using D = TExtendedEventDescriptor;
    test::WalkBits<D>(6, [](D&) {},
                      {QUILLON_BIT_FIELD(D, DescriptorNumber, 4), QUILLON_BIT_FIELD(D, LastDescriptorNumber, 4),
                       QUILLON_BIT_FIELD(D, LangCode, 24)});
  }
  {
    using D = TTimeShiftedEventDescriptor;
    test::WalkBits<D>(4, [](D&) {},
                      {QUILLON_BIT_FIELD(D, ReferenceServiceID, 16), QUILLON_BIT_FIELD(D, ReferenceEventID, 16)});
  }
  {
    using D = TComponentDescriptor;
    test::WalkBits<D>(6, [](D&) {},
                      {QUILLON_BIT_FIELD(D, ReservedFU1, 4), QUILLON_BIT_FIELD(D, StreamContent, 4),
                       QUILLON_BIT_FIELD(D, ComponentType, 8), QUILLON_BIT_FIELD(D, ComponentTag, 8),
                       QUILLON_BIT_FIELD(D, LangCode, 24)});
  }
  {
    using D = TContentDescriptor;
    test::WalkBits<D>(2, [](D& d) { d.ContentEntry.resize(1); },
                      {QUILLON_BIT_FIELD(D, ContentEntry[0].ContentNibbleLevel1, 4),
                       QUILLON_BIT_FIELD(D, ContentEntry[0].ContentNibbleLevel2, 4),
                       QUILLON_BIT_FIELD(D, ContentEntry[0].UserNibble1, 4),
                       QUILLON_BIT_FIELD(D, ContentEntry[0].UserNibble2, 4)});
  }
  {
    using D = TParentalRatingDescriptor;
    test::WalkBits<D>(4, [](D& d) { d.ParentalRatingEntry.resize(1); },
                      {QUILLON_BIT_FIELD(D, ParentalRatingEntry[0].CountryCode, 24),
                       QUILLON_BIT_FIELD(D, ParentalRatingEntry[0].Rating, 8)});
  }
  {
    using D = TLocalTimeOffsetDescriptor;
    test::WalkBits<D>(13, [](D& d) { d.TimeOffsetEntry.resize(1); },
                      {QUILLON_BIT_FIELD(D, TimeOffsetEntry[0].CountryCode, 24),
                       QUILLON_BIT_FIELD(D, TimeOffsetEntry[0].CountryRegionID, 6),
                       QUILLON_BIT_FIELD(D, TimeOffsetEntry[0].Reserved, 1),
                       QUILLON_BIT_FIELD(D, TimeOffsetEntry[0].OffsetPolarity, 1),
                       QUILLON_BIT_FIELD(D, TimeOffsetEntry[0].Offset, 16),
                       QUILLON_BIT_FIELD(D, TimeOffsetEntry[0].TimeOfChange[0], 8),
                       QUILLON_BIT_FIELD(D, TimeOffsetEntry[0].TimeOfChange[4], 8),
                       QUILLON_BIT_FIELD(D, TimeOffsetEntry[0].NextTimeOffset, 16)});
  }
  {
    using D = TMultiComponentDescriptor;
    test::WalkBits<D>(5, [](D& d) { d.TextEntry.resize(1); },
                      {QUILLON_BIT_FIELD(D, ComponentTag, 8), QUILLON_BIT_FIELD(D, TextEntry[0].LangCode, 24)});
  }
  {
    using D = TPDCDescriptor;
    test::WalkBits<D>(3, [](D&) {}, {QUILLON_BIT_FIELD(D, ReservedFU, 4), QUILLON_BIT_FIELD(D, ProgIdentLabel, 20)});
  }
}

TEST(EventEncode, InconsistentObjectsAreRefused) {
  const test::EncodeFailureCase cases[] = {
      {"event name shorter than its length",
       Build<TShortEventDescriptor>(7,
                                    [](auto& d) {
                                      d.EventNameLen = 2;
                                      d.EventName = u"N";
                                    })},
      {"event text above U+00FF",
       Build<TShortEventDescriptor>(6,
                                    [](auto& d) {
                                      d.TextLen = 1;
                                      d.Text = u"\u0394";
                                    })},
      {"items past Length", Build<TExtendedEventDescriptor>(7, [](auto& d) { d.ItemEntry.resize(1); })},
      {"component text longer than Length - 6", Build<TComponentDescriptor>(7, [](auto& d) { d.Text = u"ab"; })},
      {"component text shorter than Length - 6", Build<TComponentDescriptor>(8, [](auto& d) { d.Text = u"a"; })},
      {"more ratings than fit", Build<TParentalRatingDescriptor>(7, [](auto& d) { d.ParentalRatingEntry.resize(2); })},
      {"component description above U+00FF",
       Build<TMultiComponentDescriptor>(6,
                                        [](auto& d) {
                                          d.TextEntry.resize(1);
                                          d.TextEntry[0].TextLen = 1;
                                          d.TextEntry[0].Text = u"\u20AC";
                                        })},
  };
  test::CheckEncodeFailures(cases);
}

// ---------------------------------------------------------------- truncated input

const test::TruncatedCase kEventTruncated[] = {
    {"ShortEventNameRunsOff", kNoPrivSpec, "4D 05 64 65 75 04 4E", "TShortEventDescriptor"},
    {"ExtendedEventItemRunsOff", kNoPrivSpec, "4E 05 12 65 6E 67 09", "TExtendedEventDescriptor"},
    {"ExtendedEventTextLengthPastTheEnd", kNoPrivSpec, "4E 05 12 65 6E 67 00", "TExtendedEventDescriptor"},
    {"TimeShiftedEvent", kNoPrivSpec, "4F 03 01 02 03", "TTimeShiftedEventDescriptor"},
    {"ComponentFixedPart", kNoPrivSpec, "50 02 F1 03", "TComponentDescriptor"},
    {"ContentEntryRunsOff", kNoPrivSpec, "54 01 12", "TContentDescriptor"},
    {"ParentalRatingEntryRunsOff", kNoPrivSpec, "55 02 44 45", "TParentalRatingDescriptor"},
    {"LocalTimeOffsetEntryRunsOff", kNoPrivSpec, "58 05 44 45 55 02 01", "TLocalTimeOffsetDescriptor"},
    {"MultiComponentTextRunsOff", kNoPrivSpec, "5E 05 05 65 6E 67 03", "TMultiComponentDescriptor"},
    {"PDC", kNoPrivSpec, "69 02 F7 B5", "TPDCDescriptor"},
};

INSTANTIATE_TEST_SUITE_P(Event, TruncatedInput, testing::ValuesIn(kEventTruncated),
                         [](const auto& info) { return test::CaseName(info); });

}  // namespace

std::span<const test::GoldenCase> test::EventGoldenCases() { return kEventGolden; }

}  // namespace quillon
