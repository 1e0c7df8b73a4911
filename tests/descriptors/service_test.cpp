#include "descriptors/service.h"

#include <gtest/gtest.h>

#include "catalogue_cases.h"

namespace quillon {
namespace {

using test::Build;
using test::DecodeAs;
using test::GoldenVectors;
using test::HexToBytes;
using test::TruncatedInput;

std::unique_ptr<TMosaicCellEntry> MosaicCell(uint8_t id, uint8_t linkage) {
  auto c = std::make_unique<TMosaicCellEntry>();
  c->LogicalCellID = id;
  c->CellLinkageInfo = linkage;
  return c;
}

// ---------------------------------------------------------------- golden vectors, both ways

const test::GoldenCase kServiceGolden[] = {
    {"BouquetName", Build<TBouquetNameDescriptor>(5, [](auto& d) { d.DescrName = u"Zarem"; }), "47 05 5A 61 72 65 6D"},
    {"Service", Build<TServiceDescriptor>(8,
                                          [](auto& d) {
                                            d.ServiceType = 1;
                                            d.ServiceProviderNameLen = 2;
                                            d.ServiceProviderName = "\x05" "A";
                                            d.ServiceNameLen = 3;
                                            d.ServiceName = "One";
                                          }),
     "48 08 01 02 05 41 03 4F 6E 65"},
    {"CountryAvailibility", Build<TCountryAvailibilityDescriptor>(7,
                                                                  [](auto& d) {
                                                                    d.CountryAvailibilityFlag = 1;
                                                                    d.ReservedFU1 = 0x7F;
                                                                    d.CountryCodeEntry = {{0x444555}, {0x415554}};
                                                                  }),
     "49 07 FF 44 45 55 41 55 54"},
    {"NVODReference", Build<TNVODReferenceDescriptor>(12,
                                                      [](auto& d) {
                                                        d.NVODReference = {{1, 2, 3}, {0x1111, 0x2222, 0x3333}};
                                                      }),
     "4B 0C 00 01 00 02 00 03 11 11 22 22 33 33"},
    {"TimeShiftedService", Build<TTimeShiftedServiceDescriptor>(2, [](auto& d) { d.ReferenceServiceID = 0xABCD; }),
     "4C 02 AB CD"},
    {"Mosaic", Build<TMosaicDescriptor>(21,
                                        [](auto& d) {
                                          d.MosaicEntryPoint = 1;
                                          d.NumHorizontalElementCells = 1;
                                          d.ReservedFU1 = 1;
                                          d.NumVerticalElementCells = 1;
                                          auto event = MosaicCell(5, 4);
                                          event->ReservedFU1 = 0x7F;
                                          event->LogicalCellPresentInfo = 2;
                                          event->ElementaryCellFieldLen = 2;
                                          event->ElementaryCell = {{3, 1}, {3, 2}};
                                          event->OriginalNetworkID = 1;
                                          event->TransportStreamID = 2;
                                          event->ServiceID = 3;
                                          event->EventID = 4;
                                          auto bouquet = MosaicCell(6, 1);
                                          bouquet->LogicalCellPresentInfo = 1;
                                          bouquet->BouquetID = 0x1234;
                                          d.MosaicCellEntry.push_back(std::move(event));
                                          d.MosaicCellEntry.push_back(std::move(bouquet));
                                        }),
     "51 15 99 17 FA 02 C1 C2 04 00 01 00 02 00 03 00 04 18 01 00 01 12 34"},
    {"CAIdentifier", Build<TCAIdentifierDescriptor>(4, [](auto& d) { d.CASystemIDEntry = {{0x0B00}, {0x1702}}; }),
     "53 04 0B 00 17 02"},
    // Byte 3 packs ReservedFU2 1, the prefix length 2, area code length 3, operator length 1.
    {"Telephone", Build<TTelephoneDescriptor>(15,
                                              [](auto& d) {
                                                d.ReservedFU1 = 3;
                                                d.ForeignAvailibility = 1;
                                                d.ConnectionType = 2;
                                                d.ReservedFU2 = 1;
                                                d.CountryPrefixLen = 2;
                                                d.InternatAreaCodeLen = 3;
                                                d.OperatorCodeLen = 1;
                                                d.ReservedFU3 = 1;
                                                d.NatAreaCodeLen = 2;
                                                d.CoreNumberLen = 4;
                                                d.CoutryPrefix = u"49";
                                                d.InterNatAreaCode = u"030";
                                                d.OperatorCode = u"1";
                                                d.NatAreaCode = u"12";
                                                d.CoreNumber = u"3456";
                                              }),
     "57 0F E2 CD A4 34 39 30 33 30 31 31 32 33 34 35 36"},
    {"MultiBouquetName", Build<TMultiBouquetNameDescriptor>(11,
                                                            [](auto& d) {
                                                              d.BouquetEntry.resize(2);
                                                              d.BouquetEntry[0].LangCode = 0x646575;
                                                              d.BouquetEntry[0].BouquetNameLen = 2;
                                                              d.BouquetEntry[0].BouquetName = u"Bq";
                                                              d.BouquetEntry[1].LangCode = 0x656E67;
                                                              d.BouquetEntry[1].BouquetNameLen = 1;
                                                              d.BouquetEntry[1].BouquetName = u"B";
                                                            }),
     "5C 0B 64 65 75 02 42 71 65 6E 67 01 42"},
    {"MultiServiceName", Build<TMultiServiceNameDescriptor>(8,
                                                            [](auto& d) {
                                                              TMultilingualServiceNameEntry& e = d.NameEntry.emplace_back();
                                                              e.LangCode = 0x646575;
                                                              e.ServiceProviderNameLen = 1;
                                                              e.ServiceProviderName = u"P";
                                                              e.ServiceNameLen = 2;
                                                              e.ServiceName = u"S1";
                                                            }),
     "5D 08 64 65 75 01 50 02 53 31"},
    {"ServiceMove", Build<TServiceMoveDescriptor>(6,
                                                  [](auto& d) {
                                                    d.NewOrgNetID = 0x10001;  // held wide, written in 16 bits
                                                    d.NewTransStreamID = 2;
                                                    d.NewServiceID = 3;
                                                  }),
     "60 06 00 01 00 02 00 03"},
    {"AnnouncementSupport", Build<TAnnouncementSupportDescriptor>(11,
                                                                  [](auto& d) {
                                                                    d.AnnounceSuppInd = 3;
                                                                    d.AnnounceSuppEntry = {{1, 1, 1, 1, 2, 3, 4},
                                                                                           {2, 1, 0, 9, 9, 9, 9}};
                                                                  }),
     "6E 0B 00 03 19 00 01 00 02 00 03 04 28"},
    {"ServiceIndentifier", Build<TServiceIndentifierDescriptor>(3, [](auto& d) { d.Indentifier = u"svc"; }),
     "71 03 73 76 63"},
    {"ServiceAvailability", Build<TServiceAvailabilityDescriptor>(5,
                                                                  [](auto& d) {
                                                                    d.AvailabilityFlag = 1;
                                                                    d.Reserved = 0x7F;
                                                                    d.Cells = {{1}, {2}};
                                                                  }),
     "72 05 FF 00 01 00 02"},
};

INSTANTIATE_TEST_SUITE_P(Service, GoldenVectors, testing::ValuesIn(kServiceGolden),
                         [](const auto& info) { return test::CaseName(info); });

// ---------------------------------------------------------------- decoded field values

TEST(ServiceDecode, ServiceNamesKeepTheirBytesAndDecodeThroughTheCharacterTables) {
  // 0x05 selects ISO/IEC 8859-9: the raw form keeps the selector, the decoded one drops it.
  auto d = DecodeAs<TServiceDescriptor>(HexToBytes("48 05 01 02 05 41 00"));
  EXPECT_EQ(1, d->ServiceType);
  EXPECT_EQ(2, d->ServiceProviderNameLen);
  EXPECT_EQ("\x05" "A", d->ServiceProviderName);
  EXPECT_EQ(u"A", d->ServiceProviderNameUni);
  EXPECT_EQ(0, d->ServiceNameLen);
  EXPECT_EQ("", d->ServiceName);
  EXPECT_EQ(u"", d->ServiceNameUni);
}

// "0B A4 80 41 42": the code page keeps the selector and reads 0x80 as the euro sign; the
// DVB tables read 8859-15, where 0xA4 is the euro sign.
TEST(ServiceDecode, MultilingualNamesGoThroughCodePageAndCharacterTables) {
  const std::u16string plain = u"\u000B\u00A4\u20ACAB", uni = u"\u20AC\u0080AB";
  auto b = DecodeAs<TMultiBouquetNameDescriptor>(HexToBytes("5C 09 64 65 75 05 0B A4 80 41 42"));
  ASSERT_EQ(1u, b->BouquetEntry.size());
  EXPECT_EQ(5, b->BouquetEntry[0].BouquetNameLen);
  EXPECT_EQ(plain, b->BouquetEntry[0].BouquetName);
  EXPECT_EQ(uni, b->BouquetEntry[0].BouquetNameUni);

  auto s = DecodeAs<TMultiServiceNameDescriptor>(HexToBytes("5D 0F 64 65 75 05 0B A4 80 41 42 05 0B A4 80 41 42"));
  ASSERT_EQ(1u, s->NameEntry.size());
  EXPECT_EQ(plain, s->NameEntry[0].ServiceProviderName);
  EXPECT_EQ(uni, s->NameEntry[0].ServiceProviderNameUni);
  EXPECT_EQ(plain, s->NameEntry[0].ServiceName);
  EXPECT_EQ(uni, s->NameEntry[0].ServiceNameUni);
}

TEST(ServiceDecode, MosaicLinkageDecidesTheBytesThatFollow) {
  struct Case {
    const char* name;
    const char* hex;
    size_t cells;
    uint16_t bouquet, network, event;
  };
  const Case cases[] = {
      {"bouquet related", "51 07 99 17 FA 00 01 12 34", 1, 0x1234, 0, 0},
      {"service related", "51 0B 99 17 FA 00 02 00 01 00 02 00 03", 1, 0, 1, 0},
      {"event related: 8 bytes", "51 0D 99 17 FA 00 04 00 01 00 02 00 03 00 04", 1, 0, 1, 4},
      // Linkage 5 carries nothing, so the next cell starts straight after it.
      {"reserved: none", "51 09 99 17 FA 00 05 18 01 00 00", 2, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto d = DecodeAs<TMosaicDescriptor>(HexToBytes(c.hex));
    ASSERT_EQ(c.cells, d->MosaicCellEntry.size());
    const TMosaicCellEntry& cell = *d->MosaicCellEntry[0];
    EXPECT_EQ(5, cell.LogicalCellID);
    EXPECT_EQ(0x7F, cell.ReservedFU1);
    EXPECT_EQ(2, cell.LogicalCellPresentInfo);
    EXPECT_EQ(c.bouquet, cell.BouquetID);
    EXPECT_EQ(c.network, cell.OriginalNetworkID);
    EXPECT_EQ(c.event, cell.EventID);
  }
}

TEST(ServiceDecode, WhileLoopsReadTheLastEntryWholePastLength) {
  auto ca = DecodeAs<TCAIdentifierDescriptor>(HexToBytes("53 03 0B 00 17 02"));
  ASSERT_EQ(2u, ca->CASystemIDEntry.size());
  EXPECT_EQ(0x1702, ca->CASystemIDEntry[1].CASystemID);

  // The country codes start after the flag byte and run while below Length - 1.
  auto country = DecodeAs<TCountryAvailibilityDescriptor>(HexToBytes("49 02 80 44 45 55 41"));
  EXPECT_EQ(1, country->CountryAvailibilityFlag);
  ASSERT_EQ(1u, country->CountryCodeEntry.size());
  EXPECT_EQ(0x444555u, country->CountryCodeEntry[0].CountryCode);
  EXPECT_TRUE(DecodeAs<TCountryAvailibilityDescriptor>(HexToBytes("49 01 80"))->CountryCodeEntry.empty());

  // Announcement entries start after the indicator and run while below Length - 2.
  auto ann = DecodeAs<TAnnouncementSupportDescriptor>(HexToBytes("6E 03 00 03 19 00 01 00 02 00 03 04"));
  ASSERT_EQ(1u, ann->AnnounceSuppEntry.size());
  EXPECT_EQ(4, ann->AnnounceSuppEntry[0].ComponentTag);
}

TEST(ServiceDecode, ServiceAvailabilityCountRoundsHalfToEven) {
  struct Case {
    const char* hex;
    size_t cells;
  };
  const Case cases[] = {
      {"72 00 80", 0},                 // (0 - 1) / 2: none
      {"72 02 80 00 01", 0},           // 0.5
      {"72 04 80 00 01 00 02", 2},     // 1.5
      {"72 06 80 00 01 00 02 00 03", 2},  // 2.5
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(c.cells, DecodeAs<TServiceAvailabilityDescriptor>(HexToBytes(c.hex))->Cells.size());
  }
}

TEST(ServiceDecode, SecondDecodeReplacesTheEntries) {
  auto d = DecodeAs<TMosaicDescriptor>(HexToBytes("51 15 99 17 FA 02 C1 C2 04 00 01 00 02 00 03 00 04 18 01 00 01 12 34"));
  ASSERT_EQ(2u, d->MosaicCellEntry.size());
  d->Length = 1;
  d->SetDescriptorData(HexToBytes("51 01 00"));
  EXPECT_TRUE(d->MosaicCellEntry.empty());
  EXPECT_BYTES_EQ(HexToBytes("51 01 00"), d->DescriptorData());
}

// ---------------------------------------------------------------- bit walks

TEST(ServiceBitWalk, FixedLayouts) {
  {
    using D = TCountryAvailibilityDescriptor;
    test::WalkBits<D>(4, [](D& d) { d.CountryCodeEntry.resize(1); },
                      {QUILLON_BIT_FIELD(D, CountryAvailibilityFlag, 1), QUILLON_BIT_FIELD(D, ReservedFU1, 7),
                       QUILLON_BIT_FIELD(D, CountryCodeEntry[0].CountryCode, 24)});
  }
  {
    using D = TNVODReferenceDescriptor;
    test::WalkBits<D>(6, [](D& d) { d.NVODReference.resize(1); },
                      {QUILLON_BIT_FIELD(D, NVODReference[0].TranspStreamID, 16),
                       QUILLON_BIT_FIELD(D, NVODReference[0].OriginalNetworkID, 16),
                       QUILLON_BIT_FIELD(D, NVODReference[0].ServiceID, 16)});
  }
  {
    using D = TTimeShiftedServiceDescriptor;
    test::WalkBits<D>(2, [](D&) {}, {QUILLON_BIT_FIELD(D, ReferenceServiceID, 16)});
  }
  {
    using D = TMosaicDescriptor;
    test::WalkBits<D>(
        14,
        [](D& d) {
          d.MosaicCellEntry.push_back(MosaicCell(0, 4));
          d.MosaicCellEntry[0]->ElementaryCellFieldLen = 1;
          d.MosaicCellEntry[0]->ElementaryCell.resize(1);
        },
        {QUILLON_BIT_FIELD(D, MosaicEntryPoint, 1), QUILLON_BIT_FIELD(D, NumHorizontalElementCells, 3),
         QUILLON_BIT_FIELD(D, ReservedFU1, 1), QUILLON_BIT_FIELD(D, NumVerticalElementCells, 3),
         QUILLON_BIT_FIELD(D, MosaicCellEntry[0]->LogicalCellID, 6),
         QUILLON_BIT_FIELD(D, MosaicCellEntry[0]->ReservedFU1, 7),
         QUILLON_BIT_FIELD(D, MosaicCellEntry[0]->LogicalCellPresentInfo, 3),
         QUILLON_BIT_FIELD(D, MosaicCellEntry[0]->ElementaryCell[0].ReservedFU1, 2),
         QUILLON_BIT_FIELD(D, MosaicCellEntry[0]->ElementaryCell[0].ElementaryCellID, 6),
         QUILLON_BIT_FIELD(D, MosaicCellEntry[0]->OriginalNetworkID, 16),
         QUILLON_BIT_FIELD(D, MosaicCellEntry[0]->TransportStreamID, 16),
         QUILLON_BIT_FIELD(D, MosaicCellEntry[0]->ServiceID, 16), QUILLON_BIT_FIELD(D, MosaicCellEntry[0]->EventID, 16)});
  }
  {
    using D = TTelephoneDescriptor;
    test::WalkBits<D>(3, [](D&) {},
                      {QUILLON_BIT_FIELD(D, ReservedFU1, 2), QUILLON_BIT_FIELD(D, ForeignAvailibility, 1),
                       QUILLON_BIT_FIELD(D, ConnectionType, 5), QUILLON_BIT_FIELD(D, ReservedFU2, 1),
                       QUILLON_BIT_FIELD(D, ReservedFU3, 1)});
  }
  {
    using D = TServiceMoveDescriptor;
    test::WalkBits<D>(6, [](D&) {},
                      {QUILLON_BIT_FIELD(D, NewOrgNetID, 16), QUILLON_BIT_FIELD(D, NewTransStreamID, 16),
                       QUILLON_BIT_FIELD(D, NewServiceID, 16)});
  }
  {
    using D = TAnnouncementSupportDescriptor;
    test::WalkBits<D>(
        10,
        [](D& d) {
          d.AnnounceSuppEntry.resize(1);
          d.AnnounceSuppEntry[0].ReferenceType = 2;
        },
        {QUILLON_BIT_FIELD(D, AnnounceSuppInd, 16), QUILLON_BIT_FIELD(D, AnnounceSuppEntry[0].AnnouncementType, 4),
         QUILLON_BIT_FIELD(D, AnnounceSuppEntry[0].ReservedFU, 1),
         QUILLON_BIT_FIELD(D, AnnounceSuppEntry[0].OriginalNetworkID, 16),
         QUILLON_BIT_FIELD(D, AnnounceSuppEntry[0].TranspStreamID, 16),
         QUILLON_BIT_FIELD(D, AnnounceSuppEntry[0].ServiceID, 16),
         QUILLON_BIT_FIELD(D, AnnounceSuppEntry[0].ComponentTag, 8)});
  }
  {
    using D = TServiceAvailabilityDescriptor;
    test::WalkBits<D>(3, [](D& d) { d.Cells.resize(1); },
                      {QUILLON_BIT_FIELD(D, AvailabilityFlag, 1), QUILLON_BIT_FIELD(D, Reserved, 7),
                       QUILLON_BIT_FIELD(D, Cells[0].CellID, 16)});
  }
}

TEST(ServiceEncode, InconsistentObjectsAreRefused) {
  const test::EncodeFailureCase cases[] = {
      {"bouquet name shorter than Length", Build<TBouquetNameDescriptor>(3, [](auto& d) { d.DescrName = u"ab"; })},
      {"bouquet name above U+00FF", Build<TBouquetNameDescriptor>(1, [](auto& d) { d.DescrName = u"\u0100"; })},
      {"service name shorter than its length",
       Build<TServiceDescriptor>(5,
                                 [](auto& d) {
                                   d.ServiceNameLen = 3;
                                   d.ServiceName = "ab";
                                 })},
      {"country flag unmasked", Build<TCountryAvailibilityDescriptor>(1, [](auto& d) { d.CountryAvailibilityFlag = 2; })},
      {"more references than fit", Build<TNVODReferenceDescriptor>(11, [](auto& d) { d.NVODReference.resize(2); })},
      {"elementary cells past Length",
       Build<TMosaicDescriptor>(5,
                                [](auto& d) {
                                  d.MosaicCellEntry.push_back(MosaicCell(1, 0));
                                  d.MosaicCellEntry[0]->ElementaryCell.resize(1);
                                })},
      {"empty mosaic cell slot", Build<TMosaicDescriptor>(5, [](auto& d) { d.MosaicCellEntry.emplace_back(); })},
      {"core number shorter than its length",
       Build<TTelephoneDescriptor>(7,
                                   [](auto& d) {
                                     d.CoreNumberLen = 4;
                                     d.CoreNumber = u"123";
                                   })},
      {"multilingual name above U+00FF",
       Build<TMultiServiceNameDescriptor>(6,
                                          [](auto& d) {
                                            d.NameEntry.resize(1);
                                            d.NameEntry[0].ServiceNameLen = 1;
                                            d.NameEntry[0].ServiceName = u"\u20AC";
                                          })},
      {"identifier shorter than Length", Build<TServiceIndentifierDescriptor>(4, [](auto& d) { d.Indentifier = u"abc"; })},
      {"identifier longer than Length", Build<TServiceIndentifierDescriptor>(2, [](auto& d) { d.Indentifier = u"abc"; })},
  };
  test::CheckEncodeFailures(cases);
}

// ---------------------------------------------------------------- truncated input

const test::TruncatedCase kServiceTruncated[] = {
    {"ServiceNameRunsOff", kNoPrivSpec, "48 04 01 00 05 41", "TServiceDescriptor"},
    {"CountryCodeRunsOff", kNoPrivSpec, "49 03 80 44 45", "TCountryAvailibilityDescriptor"},
    {"NVODEntryRunsOff", kNoPrivSpec, "4B 04 00 01 00 02", "TNVODReferenceDescriptor"},
    {"TimeShiftedService", kNoPrivSpec, "4C 01 AB", "TTimeShiftedServiceDescriptor"},
    {"MosaicLinkageRunsOff", kNoPrivSpec, "51 05 99 17 FA 00 04", "TMosaicDescriptor"},
    {"TelephoneNumberRunsOff", kNoPrivSpec, "57 04 00 00 04 33", "TTelephoneDescriptor"},
    {"MultiBouquetNameRunsOff", kNoPrivSpec, "5C 05 64 65 75 03 42", "TMultiBouquetNameDescriptor"},
    {"MultiServiceNameRunsOff", kNoPrivSpec, "5D 05 64 65 75 00 02", "TMultiServiceNameDescriptor"},
    {"ServiceMove", kNoPrivSpec, "60 04 00 01 00 02", "TServiceMoveDescriptor"},
    {"AnnouncementReferenceRunsOff", kNoPrivSpec, "6E 03 00 03 19", "TAnnouncementSupportDescriptor"},
    {"ServiceAvailabilityRoundedUp", kNoPrivSpec, "72 04 80 00 01 00", "TServiceAvailabilityDescriptor"},
};

INSTANTIATE_TEST_SUITE_P(Service, TruncatedInput, testing::ValuesIn(kServiceTruncated),
                         [](const auto& info) { return test::CaseName(info); });

}  // namespace

std::span<const test::GoldenCase> test::ServiceGoldenCases() { return kServiceGolden; }

}  // namespace quillon
