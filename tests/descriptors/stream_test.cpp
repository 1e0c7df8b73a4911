#include "descriptors/stream.h"

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

const test::GoldenCase kStreamGolden[] = {
    {"VBIData", Build<TVBIDataDescriptor>(7,
                                          [](auto& d) {
                                            d.VBIDataEntry = {{1, 2, {{3, 1, 0x15}, {0, 0, 7}}}, {3, 1, {{0xAB, 0, 0}}}};
                                          }),
     "45 07 01 02 F5 07 03 01 AB"},
    {"VBITeletext", Build<TVBITeletextDescriptor>(10,
                                                  [](auto& d) {
                                                    d.VBITeletextEntry = {{0x646575, 2, 1, 0x00}, {0x656E67, 5, 7, 0x88}};
                                                  }),
     "46 0A 64 65 75 11 00 65 6E 67 2F 88"},
    {"StreamIdentifier", Build<TStreamIdentifierDescriptor>(1, [](auto& d) { d.ComponentTag = 0x42; }), "52 01 42"},
    {"Teletext", Build<TTeletextDescriptor>(5, [](auto& d) { d.TeletextEntry = {{0x646575, 2, 1, 0x00}}; }),
     "56 05 64 65 75 11 00"},
    {"SubTitling", Build<TSubTitlingDescriptor>(8, [](auto& d) { d.SubTitlingEntry = {{0x646575, 0x10, 1, 2}}; }),
     "59 08 64 65 75 10 00 01 00 02"},
    {"ShortSmoothingBuffer", Build<TShortSmoothingBufferDescriptor>(3,
                                                                    [](auto& d) {
                                                                      d.SBSize = 2;
                                                                      d.SBLeakRate = 0x15;
                                                                      d.DVBReserved = {0xFF, 0xFF};
                                                                    }),
     "61 03 95 FF FF"},
    // The last unit packs DVBReservedFU3 3 and MaxOverallBuffer 0x1234 into D2 34.
    {"PartialTS", Build<TPartialTSDescriptor>(8,
                                              [](auto& d) {
                                                d.DVBReservedFU1 = 3;
                                                d.PeakRate = 0x12345;
                                                d.DVBReservedFU2 = 3;
                                                d.MinOverallRate = 0x3FFFFF;
                                                d.DVBReservedFU3 = 3;
                                                d.MaxOverallBuffer = 0x1234;
                                              }),
     "63 08 C1 23 45 FF FF FF D2 34"},
    {"DataBroadcast", Build<TDataBroadcastDescriptor>(13,
                                                      [](auto& d) {
                                                        d.DataBroadcastID = 5;
                                                        d.ComponentTag = 0x0A;
                                                        d.SelectorLen = 2;
                                                        d.SelectorBytes = {1, 2};
                                                        d.ISOLanguageCode = 0x656E67;
                                                        d.TextLen = 3;
                                                        d.Text = u"MHP";
                                                      }),
     "64 0D 00 05 0A 02 01 02 65 6E 67 03 4D 48 50"},
    {"Scrambling", Build<TScramblingDescriptor>(1, [](auto& d) { d.ScramblingMode = 1; }), "65 01 01"},
    {"DataBroadcastID", Build<TDataBroadcastIDDescriptor>(4,
                                                          [](auto& d) {
                                                            d.DataBroadcastID = 0x0123;
                                                            d.IDSelectorBytes = {0xAA, 0xBB};
                                                          }),
     "66 04 01 23 AA BB"},
    {"AC3AllFields", Build<TAC3Descriptor>(6,
                                           [](auto& d) {
                                             d.CompTypeFlag = d.BSIDFlag = d.MainIDFlag = d.ASVCFlag = 1;
                                             d.Reserved = 15;
                                             d.AC3CompType = 0x42;
                                             d.BSID = 8;
                                             d.MainID = 1;
                                             d.ASVC = 2;
                                             d.AdditionalInfo = {0x99};
                                           }),
     "6A 06 FF 42 08 01 02 99"},
    // BSID then ASVC, and the additional info from byte 5.
    {"AC3BsidAndAsvc", Build<TAC3Descriptor>(5,
                                             [](auto& d) {
                                               d.BSIDFlag = d.ASVCFlag = 1;
                                               d.AC3CompType = 0x42;  // flag off: not carried
                                               d.BSID = 8;
                                               d.ASVC = 2;
                                               d.AdditionalInfo = {0xA1, 0xA2};
                                             }),
     "6A 05 50 08 02 A1 A2"},
    {"AncillaryData", Build<TAncillaryDataDescriptor>(1, [](auto& d) { d.AncDataIdent = 1; }), "6B 01 01"},
    {"ApplicationSignalling", Build<TApplicationSignallingDescriptor>(6,
                                                                      [](auto& d) {
                                                                        d.AppSignEntry = {{0x0010, 7, 3}, {1, 7, 0x1F}};
                                                                      }),
     "6F 06 00 10 E3 00 01 FF"},
    {"AdaptationFieldData", Build<TAdaptationFieldDataDescriptor>(1, [](auto& d) { d.AdaptIdent = 1; }), "70 01 01"},
};

INSTANTIATE_TEST_SUITE_P(Stream, GoldenVectors, testing::ValuesIn(kStreamGolden),
                         [](const auto& info) { return test::CaseName(info); });

// ---------------------------------------------------------------- decoded field values

TEST(StreamDecode, VBIAndPlainTeletextShareTheEntryLayout) {
  const TTeletextEntry entry{0x646575, 0x13, 2, 0x64};
  TVBITeletextDescriptor vbi;
  vbi.Length = 5;
  vbi.VBITeletextEntry = {entry};
  TTeletextDescriptor plain;
  plain.Length = 5;
  plain.TeletextEntry = {entry};
  const Bytes vbiBytes = vbi.DescriptorData(), plainBytes = plain.DescriptorData();
  // Type 0x13 in bits 7..3, magazine 2 in bits 2..0.
  EXPECT_BYTES_EQ(HexToBytes("46 05 64 65 75 9A 64"), vbiBytes);
  EXPECT_BYTES_EQ(Bytes(vbiBytes.begin() + 2, vbiBytes.end()), Bytes(plainBytes.begin() + 2, plainBytes.end()));

  for (const TTeletextEntry& back : {DecodeAs<TVBITeletextDescriptor>(vbiBytes)->VBITeletextEntry.at(0),
                                     DecodeAs<TTeletextDescriptor>(plainBytes)->TeletextEntry.at(0)}) {
    EXPECT_EQ(0x646575u, back.LangCode);
    EXPECT_EQ(0x13, back.TeletextType);
    EXPECT_EQ(2, back.TeletextMagazineNumber);
    EXPECT_EQ(0x64, back.TeletextPageNumber);
  }
}

TEST(StreamDecode, VBIDataServiceBytesDependOnTheServiceId) {
  auto d = DecodeAs<TVBIDataDescriptor>(HexToBytes("45 09 01 02 F5 07 03 01 AB 07 00"));
  ASSERT_EQ(3u, d->VBIDataEntry.size());
  const TVBIDataEntry& lines = d->VBIDataEntry[0];
  ASSERT_EQ(2u, lines.DataServiceEntry.size());
  EXPECT_EQ(3, lines.DataServiceEntry[0].Reserved1);
  EXPECT_EQ(1, lines.DataServiceEntry[0].FieldParity);
  EXPECT_EQ(0x15, lines.DataServiceEntry[0].LineOffset);
  EXPECT_EQ(7, lines.DataServiceEntry[1].LineOffset);
  const TVBIDataEntry& other = d->VBIDataEntry[1];
  ASSERT_EQ(1u, other.DataServiceEntry.size());
  EXPECT_EQ(0xAB, other.DataServiceEntry[0].Reserved1);
  EXPECT_EQ(0, other.DataServiceEntry[0].FieldParity);
  EXPECT_EQ(0, other.DataServiceEntry[0].LineOffset);
  // A zero-length entry still takes its two header bytes.
  EXPECT_EQ(7, d->VBIDataEntry[2].DataServiceID);
  EXPECT_TRUE(d->VBIDataEntry[2].DataServiceEntry.empty());
}

TEST(StreamDecode, AC3OptionalFieldsFollowTheirFlags) {
  auto d = DecodeAs<TAC3Descriptor>(HexToBytes("6A 06 FF 42 08 01 02 99"));
  EXPECT_EQ(0x42, d->AC3CompType);
  EXPECT_EQ(1, d->MainID);
  d->Length = 5;
  d->SetDescriptorData(HexToBytes("6A 05 50 08 02 A1 A2"));
  EXPECT_EQ(0, d->CompTypeFlag);
  EXPECT_EQ(1, d->BSIDFlag);
  EXPECT_EQ(0, d->MainIDFlag);
  EXPECT_EQ(1, d->ASVCFlag);
  EXPECT_EQ(0, d->AC3CompType);
  EXPECT_EQ(8, d->BSID);
  EXPECT_EQ(0, d->MainID);
  EXPECT_EQ(2, d->ASVC);
  EXPECT_BYTES_EQ(HexToBytes("A1 A2"), d->AdditionalInfo);
}

TEST(StreamDecode, DataBroadcastLengthsComeFromTheirFields) {
  auto d = DecodeAs<TDataBroadcastDescriptor>(HexToBytes("64 0D 00 05 0A 02 01 02 65 6E 67 03 4D 48 50"));
  EXPECT_EQ(5, d->DataBroadcastID);
  EXPECT_EQ(0x0A, d->ComponentTag);
  EXPECT_BYTES_EQ(HexToBytes("01 02"), d->SelectorBytes);
  EXPECT_EQ(0x656E67u, d->ISOLanguageCode);
  EXPECT_EQ(u"MHP", d->Text);
}

TEST(StreamDecode, ApplicationCountRoundsHalfToEven) {
  struct Case {
    const char* hex;
    size_t entries;
  };
  const Case cases[] = {
      {"6F 00", 0},
      {"6F 04 00 10 E3 00", 1},           // 1.33
      {"6F 05 00 10 E3 00 01 FF", 2},     // 1.67, the second completed from what follows
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(c.entries, DecodeAs<TApplicationSignallingDescriptor>(HexToBytes(c.hex))->AppSignEntry.size());
  }
}

// ---------------------------------------------------------------- bit walks

TEST(StreamBitWalk, FixedLayouts) {
  {
    using D = TVBIDataDescriptor;
    test::WalkBits<D>(
        3,
        [](D& d) {
          d.VBIDataEntry = {{1, 1, {{}}}};
        },
        {QUILLON_BIT_FIELD(D, VBIDataEntry[0].DataServiceEntry[0].Reserved1, 2),
         QUILLON_BIT_FIELD(D, VBIDataEntry[0].DataServiceEntry[0].FieldParity, 1),
         QUILLON_BIT_FIELD(D, VBIDataEntry[0].DataServiceEntry[0].LineOffset, 5)});
  }
  {
    using D = TVBITeletextDescriptor;
    test::WalkBits<D>(5, [](D& d) { d.VBITeletextEntry.resize(1); },
                      {QUILLON_BIT_FIELD(D, VBITeletextEntry[0].LangCode, 24),
                       QUILLON_BIT_FIELD(D, VBITeletextEntry[0].TeletextType, 5),
                       QUILLON_BIT_FIELD(D, VBITeletextEntry[0].TeletextMagazineNumber, 3),
                       QUILLON_BIT_FIELD(D, VBITeletextEntry[0].TeletextPageNumber, 8)});
  }
  {
    using D = TStreamIdentifierDescriptor;
    test::WalkBits<D>(1, [](D&) {}, {QUILLON_BIT_FIELD(D, ComponentTag, 8)});
  }
  {
    using D = TSubTitlingDescriptor;
    test::WalkBits<D>(8, [](D& d) { d.SubTitlingEntry.resize(1); },
                      {QUILLON_BIT_FIELD(D, SubTitlingEntry[0].LangCode, 24),
                       QUILLON_BIT_FIELD(D, SubTitlingEntry[0].SubTitlingType, 8),
                       QUILLON_BIT_FIELD(D, SubTitlingEntry[0].CompositionPageID, 16),
                       QUILLON_BIT_FIELD(D, SubTitlingEntry[0].AncillaryPageID, 16)});
  }
  {
    using D = TShortSmoothingBufferDescriptor;
    test::WalkBits<D>(1, [](D&) {}, {QUILLON_BIT_FIELD(D, SBSize, 2), QUILLON_BIT_FIELD(D, SBLeakRate, 6)});
  }
  {
    using D = TPartialTSDescriptor;
    test::WalkBits<D>(8, [](D&) {},
                      {QUILLON_BIT_FIELD(D, DVBReservedFU1, 2), QUILLON_BIT_FIELD(D, PeakRate, 22),
                       QUILLON_BIT_FIELD(D, DVBReservedFU2, 2), QUILLON_BIT_FIELD(D, MinOverallRate, 22),
                       QUILLON_BIT_FIELD(D, DVBReservedFU3, 2), QUILLON_BIT_FIELD(D, MaxOverallBuffer, 14)});
  }
  {
    using D = TDataBroadcastDescriptor;
    test::WalkBits<D>(8, [](D&) {},
                      {QUILLON_BIT_FIELD(D, DataBroadcastID, 16), QUILLON_BIT_FIELD(D, ComponentTag, 8),
                       QUILLON_BIT_FIELD(D, ISOLanguageCode, 24)});
  }
  {
    using D = TScramblingDescriptor;
    test::WalkBits<D>(1, [](D&) {}, {QUILLON_BIT_FIELD(D, ScramblingMode, 8)});
  }
  {
    using D = TDataBroadcastIDDescriptor;
    test::WalkBits<D>(2, [](D&) {}, {QUILLON_BIT_FIELD(D, DataBroadcastID, 16)});
  }
  {
    using D = TAC3Descriptor;
    test::WalkBits<D>(5, [](D& d) { d.CompTypeFlag = d.BSIDFlag = d.MainIDFlag = d.ASVCFlag = 1; },
                      {QUILLON_BIT_FIELD(D, Reserved, 4), QUILLON_BIT_FIELD(D, AC3CompType, 8),
                       QUILLON_BIT_FIELD(D, BSID, 8), QUILLON_BIT_FIELD(D, MainID, 8), QUILLON_BIT_FIELD(D, ASVC, 8)});
  }
  {
    using D = TAncillaryDataDescriptor;
    test::WalkBits<D>(1, [](D&) {}, {QUILLON_BIT_FIELD(D, AncDataIdent, 8)});
  }
  {
    using D = TApplicationSignallingDescriptor;
    test::WalkBits<D>(3, [](D& d) { d.AppSignEntry.resize(1); },
                      {QUILLON_BIT_FIELD(D, AppSignEntry[0].AppType, 16),
                       QUILLON_BIT_FIELD(D, AppSignEntry[0].ReservedFU, 3),
                       QUILLON_BIT_FIELD(D, AppSignEntry[0].AITVersion, 5)});
  }
  {
    using D = TAdaptationFieldDataDescriptor;
    test::WalkBits<D>(1, [](D&) {}, {QUILLON_BIT_FIELD(D, AdaptIdent, 8)});
  }
}

TEST(StreamEncode, InconsistentObjectsAreRefused) {
  const test::EncodeFailureCase cases[] = {
      {"data service bytes past Length",
       Build<TVBIDataDescriptor>(2, [](auto& d) { d.VBIDataEntry = {{1, 1, {{}}}}; })},
      {"more teletext entries than fit", Build<TTeletextDescriptor>(9, [](auto& d) { d.TeletextEntry.resize(2); })},
      {"reserved bytes shorter than Length - 1",
       Build<TShortSmoothingBufferDescriptor>(3, [](auto& d) { d.DVBReserved = {0xFF}; })},
      {"selector bytes fewer than their length",
       Build<TDataBroadcastDescriptor>(10,
                                       [](auto& d) {
                                         d.SelectorLen = 2;
                                         d.SelectorBytes = {1};
                                       })},
      {"text shorter than its length",
       Build<TDataBroadcastDescriptor>(10,
                                       [](auto& d) {
                                         d.TextLen = 2;
                                         d.Text = u"a";
                                       })},
      {"id selector bytes short", Build<TDataBroadcastIDDescriptor>(4, [](auto& d) { d.IDSelectorBytes = {1}; })},
      {"AC-3 optional byte past Length",
       Build<TAC3Descriptor>(1, [](auto& d) { d.MainIDFlag = 1; })},
      {"AC-3 additional info short",
       Build<TAC3Descriptor>(4,
                             [](auto& d) {
                               d.BSIDFlag = 1;
                               d.AdditionalInfo = {1};
                             })},
  };
  test::CheckEncodeFailures(cases);
}

// ---------------------------------------------------------------- truncated input

const test::TruncatedCase kStreamTruncated[] = {
    {"VBIDataServiceBytesRunOff", kNoPrivSpec, "45 03 01 02 F5", "TVBIDataDescriptor"},
    {"VBITeletextEntryRunsOff", kNoPrivSpec, "46 03 64 65 75", "TVBITeletextDescriptor"},
    {"StreamIdentifier", kNoPrivSpec, "52 00", "TStreamIdentifierDescriptor"},
    {"SubTitlingEntryRunsOff", kNoPrivSpec, "59 04 64 65 75 10", "TSubTitlingDescriptor"},
    {"PartialTS", kNoPrivSpec, "63 04 C1 23 45 FF", "TPartialTSDescriptor"},
    {"DataBroadcastSelectorRunsOff", kNoPrivSpec, "64 04 00 05 0A 03 01", "TDataBroadcastDescriptor"},
    {"AC3OptionalBytePastTheEnd", kNoPrivSpec, "6A 01 50 08", "TAC3Descriptor"},
    {"ApplicationRoundedUp", kNoPrivSpec, "6F 02 00 10", "TApplicationSignallingDescriptor"},
    {"Scrambling", kNoPrivSpec, "65 00", "TScramblingDescriptor"},
    // Length too small for the fixed part: the byte run would be negative.
    {"ShortSmoothingBufferNegativeRun", kNoPrivSpec, "61 00 95", "TShortSmoothingBufferDescriptor"},
    {"DataBroadcastIDNegativeRun", kNoPrivSpec, "66 01 01 23", "TDataBroadcastIDDescriptor"},
    {"AC3NegativeRun", kNoPrivSpec, "6A 01 50 08 02", "TAC3Descriptor"},
};

INSTANTIATE_TEST_SUITE_P(Stream, TruncatedInput, testing::ValuesIn(kStreamTruncated),
                         [](const auto& info) { return test::CaseName(info); });

}  // namespace

std::span<const test::GoldenCase> test::StreamGoldenCases() { return kStreamGolden; }

}  // namespace quillon
