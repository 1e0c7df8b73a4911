#include "descriptors/mpeg.h"

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

const test::GoldenCase kMpegGolden[] = {
    {"VideoStreamWithProfile", Build<TVideoStreamDescriptor>(3,
                                                             [](auto& d) {
                                                               d.MultipleFrameRateFlag = 1;
                                                               d.FrameRateCode = 3;
                                                               d.ConstrainedParaFlag = 1;
                                                               d.ProfileLevelIndication = 0x48;
                                                               d.ChromaFormat = 1;
                                                               d.FrameRateExtFlag = 1;
                                                               d.Reserved = 0x1F;
                                                             }),
     "02 03 9A 48 7F"},
    {"VideoStreamMpeg1Only", Build<TVideoStreamDescriptor>(1,
                                                           [](auto& d) {
                                                             d.FrameRateCode = 4;
                                                             d.MPEG1OnlyFlag = 1;
                                                             d.ProfileLevelIndication = 0x48;  // not carried
                                                           }),
     "02 01 24"},
    {"AudioStream", Build<TAudioStreamDescriptor>(1,
                                                  [](auto& d) {
                                                    d.FreeFormatFlag = 1;
                                                    d.Layer = 2;
                                                    d.VarRateAudioIndication = 1;
                                                    d.Reserved = 5;
                                                  }),
     "03 01 AD"},
    {"Hierarchy", Build<THierarchyDescriptor>(4,
                                              [](auto& d) {
                                                d.Reserved1 = 15;
                                                d.HierType = 3;
                                                d.Reserved2 = 3;
                                                d.LayerIndex = 5;
                                                d.Reserved3 = 3;
                                                d.EmbeddedLayerIndex = 63;
                                                d.Channel = 7;
                                              }),
     "04 04 F3 C5 FF 07"},
    {"Registration", Build<TRegistrationDescriptor>(6,
                                                    [](auto& d) {
                                                      d.FormatIdent = 0x41432D33;
                                                      d.AddIdentInfo = {0x01, 0x02};
                                                    }),
     "05 06 41 43 2D 33 01 02"},
    {"DataStreamAlignment", Build<TDataStreamAlignmentDescriptor>(1, [](auto& d) { d.AlignmentType = 2; }), "06 01 02"},
    {"TargetBackgroundGrid", Build<TTargetBackgroundGridDescriptor>(4,
                                                                    [](auto& d) {
                                                                      d.HorizontalSize = 720;
                                                                      d.VerticalSize = 576;
                                                                      d.AspectRatioInfo = 2;
                                                                    }),
     "07 04 0B 40 24 02"},
    {"VideoWindow", Build<TVideoWindowDescriptor>(4,
                                                  [](auto& d) {
                                                    d.HorizontalOffset = 0x3FFF;
                                                    d.VerticalOffset = 1;
                                                    d.WindowPriority = 15;
                                                  }),
     "08 04 FF FC 00 1F"},
    {"CA", Build<TCADescriptor>(5,
                                [](auto& d) {
                                  d.CASystemID = 0x0B00;
                                  d.Reserved = 7;
                                  d.CAPID = 0x1234;
                                  d.PrivateData = {0xAA};
                                }),
     "09 05 0B 00 F2 34 AA"},
    {"ISO639Language", Build<TISO639LanguageCodeDescriptor>(8,
                                                            [](auto& d) {
                                                              d.Languages = {{0x646575, 1}, {0x656E67, 3}};
                                                            }),
     "0A 08 64 65 75 01 65 6E 67 03"},
    {"SystemClock", Build<TSystemClockDescriptor>(2,
                                                  [](auto& d) {
                                                    d.ExtClockRefInd = 1;
                                                    d.ClockAccuracyInteger = 0x2A;
                                                    d.ClockAccuracyExponent = 5;
                                                    d.Reserved2 = 0x1F;
                                                  }),
     "0B 02 AA BF"},
    {"MultiplexBufferUtilization", Build<TMultiplexBufferUtilizationDescriptor>(4,
                                                                                [](auto& d) {
                                                                                  d.BoundValidFlag = 1;
                                                                                  d.LTWOffsetLowerBound = 0x1234;
                                                                                  d.Reserved = 1;
                                                                                  d.LTWOffsetUpperBound = 0x7FFF;
                                                                                }),
     "0C 04 92 34 FF FF"},
    {"Copyright", Build<TCopyrightDescriptor>(7,
                                              [](auto& d) {
                                                d.CopyrightIdent = 0x12345678;
                                                d.AdditionalData = {0xC0, 0xFF, 0xEE};
                                              }),
     "0D 07 12 34 56 78 C0 FF EE"},
    {"MaximumBitrate", Build<TMaximumBitrateDescriptor>(3,
                                                        [](auto& d) {
                                                          d.Reserved = 3;
                                                          d.MaxBitrate = 0x12345;
                                                        }),
     "0E 03 C1 23 45"},
    {"PrivDataInd", Build<TPrivDataIndDescriptor>(4, [](auto& d) { d.DataInd = 0xDEADBEEF; }), "0F 04 DE AD BE EF"},
    {"SmoothingBuffer", Build<TSmoothingBufferDescriptor>(6,
                                                          [](auto& d) {
                                                            d.Reserved1 = 3;
                                                            d.SBLeakRate = 0x1ABCD;
                                                            d.Reserved2 = 3;
                                                            d.SBSize = 0x3FFFFF;
                                                          }),
     "10 06 C1 AB CD FF FF FF"},
    {"SystemTargetDecoderReserved", Build<TSystemTargetDecoderDescriptor>(1, [](auto& d) { d.Reserved = 0x7F; }),
     "11 01 FE"},
    {"SystemTargetDecoderLeakValid", Build<TSystemTargetDecoderDescriptor>(1, [](auto& d) { d.LeakValidFlag = 1; }),
     "11 01 01"},
    {"IBP", Build<TIBPDescriptor>(2,
                                  [](auto& d) {
                                    d.ClosedGOPFlag = 1;
                                    d.MaxGOPLen = 0x0ABC;
                                  }),
     "12 02 8A BC"},
    {"CarouselPlain", Build<TCarouselIdentifierDescriptor>(7,
                                                           [](auto& d) {
                                                             d.CarouselID = 1;
                                                             d.PrivateData = {0x11, 0x22};
                                                           }),
     "13 07 00 00 00 01 00 11 22"},
    {"CarouselFormatSpecifier",
     Build<TCarouselIdentifierDescriptor>(24,
                                          [](auto& d) {
                                            d.CarouselID = 0x0A0B0C0D;
                                            d.FormatID = 1;
                                            TFormatSpecifier& f = d.FormatSpecifier;
                                            f.ModuleVersion = 2;
                                            f.ModuleID = 0x0304;
                                            f.BlockSize = 4000;
                                            f.ModuleSize = 0x10000;
                                            f.CompressionMethod = 8;
                                            f.OriginalSize = 0x20000;
                                            f.TimeOut = 30;
                                            f.ObjectKeyLen = 2;
                                            f.ObjectKeyData = {0xAB, 0xCD};
                                            d.PrivateData = {0x99};
                                          }),
     "13 18 0A 0B 0C 0D 01 02 03 04 0F A0 00 01 00 00 08 00 02 00 00 1E 02 AB CD 99"},
    {"AssociationTagDsi", Build<TAssociationTagDescriptor>(14,
                                                           [](auto& d) {
                                                             d.AssociationTag = 0x0102;
                                                             d.Selector.SelectorLen = 8;
                                                             d.Selector.TransactionID = 0x80000001;
                                                             d.Selector.TimeOut = 0xFFFFFFFF;
                                                             d.PrivateData = {0x55};
                                                           }),
     "14 0E 01 02 00 00 08 80 00 00 01 FF FF FF FF 55"},
    {"AssociationTagNoSelector", Build<TAssociationTagDescriptor>(6,
                                                                  [](auto& d) {
                                                                    d.AssociationTag = 7;
                                                                    d.Use = 1;
                                                                    d.PrivateData = {0xEE};
                                                                  }),
     "14 06 00 07 00 01 00 EE"},
    {"AssociationTagSelectorData", Build<TAssociationTagDescriptor>(8,
                                                                    [](auto& d) {
                                                                      d.AssociationTag = 7;
                                                                      d.Use = 0x0100;
                                                                      d.Selector.SelectorLen = 3;
                                                                      d.Selector.SelectorData = {1, 2, 3};
                                                                    }),
     "14 08 00 07 01 00 03 01 02 03"},
};

INSTANTIATE_TEST_SUITE_P(Mpeg, GoldenVectors, testing::ValuesIn(kMpegGolden),
                         [](const auto& info) { return test::CaseName(info); });

// ---------------------------------------------------------------- decoded field values

TEST(MpegDecode, VideoSecondPartFollowsTheMpeg1OnlyFlagNotLength) {
  // Flag 0 with Length 1: profile and chroma are read from the bytes that follow.
  auto d = DecodeAs<TVideoStreamDescriptor>(HexToBytes("02 01 9A 48 7F"));
  EXPECT_EQ(1, d->MultipleFrameRateFlag);
  EXPECT_EQ(3, d->FrameRateCode);
  EXPECT_EQ(0, d->MPEG1OnlyFlag);
  EXPECT_EQ(0x48, d->ProfileLevelIndication);
  EXPECT_EQ(1, d->ChromaFormat);
  EXPECT_EQ(1, d->FrameRateExtFlag);
  EXPECT_EQ(0x1F, d->Reserved);
  // ... but are written only with Length 3.
  EXPECT_BYTES_EQ(HexToBytes("02 01 9A"), d->DescriptorData());

  // Flag 1 with Length 3: nothing more is read, and a second decode clears the part.
  d->Length = 3;
  d->SetDescriptorData(HexToBytes("02 03 24 48 7F"));
  EXPECT_EQ(1, d->MPEG1OnlyFlag);
  EXPECT_EQ(0, d->ProfileLevelIndication);
  EXPECT_EQ(0, d->ChromaFormat);
  EXPECT_EQ(0, d->Reserved);
  EXPECT_BYTES_EQ(HexToBytes("02 03 24 00 00"), d->DescriptorData());
}

TEST(MpegDecode, CarouselAndAssociationOptionalParts) {
  auto c = DecodeAs<TCarouselIdentifierDescriptor>(
      HexToBytes("13 18 0A 0B 0C 0D 01 02 03 04 0F A0 00 01 00 00 08 00 02 00 00 1E 02 AB CD 99"));
  EXPECT_EQ(4000, c->FormatSpecifier.BlockSize);
  EXPECT_EQ(0x20000u, c->FormatSpecifier.OriginalSize);
  EXPECT_BYTES_EQ(HexToBytes("AB CD"), c->FormatSpecifier.ObjectKeyData);
  EXPECT_BYTES_EQ(HexToBytes("99"), c->PrivateData);
  c->Length = 7;
  c->SetDescriptorData(HexToBytes("13 07 00 00 00 01 00 11 22"));
  EXPECT_EQ(0, c->FormatSpecifier.BlockSize);
  EXPECT_TRUE(c->FormatSpecifier.ObjectKeyData.empty());
  EXPECT_BYTES_EQ(HexToBytes("11 22"), c->PrivateData);

  auto a = DecodeAs<TAssociationTagDescriptor>(HexToBytes("14 0E 01 02 00 00 08 80 00 00 01 FF FF FF FF 55"));
  EXPECT_EQ(0x80000001u, a->Selector.TransactionID);
  EXPECT_EQ(0xFFFFFFFFu, a->Selector.TimeOut);
  EXPECT_BYTES_EQ(HexToBytes("55"), a->PrivateData);
  a->Length = 8;
  a->SetDescriptorData(HexToBytes("14 08 00 07 01 00 03 01 02 03"));
  EXPECT_EQ(0u, a->Selector.TransactionID);
  EXPECT_BYTES_EQ(HexToBytes("01 02 03"), a->Selector.SelectorData);
  EXPECT_TRUE(a->PrivateData.empty());
}

TEST(MpegDecode, LanguageCountRoundsHalfToEven) {
  struct Case {
    const char* hex;
    size_t entries;
  };
  const Case cases[] = {
      {"0A 00", 0},
      {"0A 02 64 65 75 01", 0},                    // 0.5
      {"0A 06 64 65 75 01 65 6E 67 03", 2},        // 1.5, the second completed from what follows
      {"0A 0A 64 65 75 01 65 6E 67 03 00 00 00 00", 2},  // 2.5
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(c.entries, DecodeAs<TISO639LanguageCodeDescriptor>(HexToBytes(c.hex))->Languages.size());
  }
}

// ---------------------------------------------------------------- bit walks

TEST(MpegBitWalk, FixedLayouts) {
  {
    using D = TVideoStreamDescriptor;
    test::WalkBits<D>(3, [](D&) {},
                      {QUILLON_BIT_FIELD(D, MultipleFrameRateFlag, 1), QUILLON_BIT_FIELD(D, FrameRateCode, 4),
                       QUILLON_BIT_FIELD(D, MPEG1OnlyFlag, 1), QUILLON_BIT_FIELD(D, ConstrainedParaFlag, 1),
                       QUILLON_BIT_FIELD(D, StillPictureFlag, 1), QUILLON_BIT_FIELD(D, ProfileLevelIndication, 8),
                       QUILLON_BIT_FIELD(D, ChromaFormat, 2), QUILLON_BIT_FIELD(D, FrameRateExtFlag, 1),
                       QUILLON_BIT_FIELD(D, Reserved, 5)});
  }
  {
    using D = TAudioStreamDescriptor;
    test::WalkBits<D>(1, [](D&) {},
                      {QUILLON_BIT_FIELD(D, FreeFormatFlag, 1), QUILLON_BIT_FIELD(D, ID, 1),
                       QUILLON_BIT_FIELD(D, Layer, 2), QUILLON_BIT_FIELD(D, VarRateAudioIndication, 1),
                       QUILLON_BIT_FIELD(D, Reserved, 3)});
  }
  {
    using D = THierarchyDescriptor;
    test::WalkBits<D>(4, [](D&) {},
                      {QUILLON_BIT_FIELD(D, Reserved1, 4), QUILLON_BIT_FIELD(D, HierType, 4),
                       QUILLON_BIT_FIELD(D, Reserved2, 2), QUILLON_BIT_FIELD(D, LayerIndex, 6),
                       QUILLON_BIT_FIELD(D, Reserved3, 2), QUILLON_BIT_FIELD(D, EmbeddedLayerIndex, 6),
                       QUILLON_BIT_FIELD(D, Reserved4, 2), QUILLON_BIT_FIELD(D, Channel, 6)});
  }
  {
    using D = TRegistrationDescriptor;
    test::WalkBits<D>(4, [](D&) {}, {QUILLON_BIT_FIELD(D, FormatIdent, 32)});
  }
  {
    using D = TDataStreamAlignmentDescriptor;
    test::WalkBits<D>(1, [](D&) {}, {QUILLON_BIT_FIELD(D, AlignmentType, 8)});
  }
  {
    using D = TTargetBackgroundGridDescriptor;
    test::WalkBits<D>(4, [](D&) {},
                      {QUILLON_BIT_FIELD(D, HorizontalSize, 14), QUILLON_BIT_FIELD(D, VerticalSize, 14),
                       QUILLON_BIT_FIELD(D, AspectRatioInfo, 4)});
  }
  {
    using D = TVideoWindowDescriptor;
    test::WalkBits<D>(4, [](D&) {},
                      {QUILLON_BIT_FIELD(D, HorizontalOffset, 14), QUILLON_BIT_FIELD(D, VerticalOffset, 14),
                       QUILLON_BIT_FIELD(D, WindowPriority, 4)});
  }
  {
    using D = TCADescriptor;
    test::WalkBits<D>(4, [](D&) {},
                      {QUILLON_BIT_FIELD(D, CASystemID, 16), QUILLON_BIT_FIELD(D, Reserved, 3),
                       QUILLON_BIT_FIELD(D, CAPID, 13)});
  }
  {
    using D = TISO639LanguageCodeDescriptor;
    test::WalkBits<D>(4, [](D& d) { d.Languages.resize(1); },
                      {QUILLON_BIT_FIELD(D, Languages[0].LanguageCode, 24),
                       QUILLON_BIT_FIELD(D, Languages[0].AudioType, 8)});
  }
  {
    using D = TSystemClockDescriptor;
    test::WalkBits<D>(2, [](D&) {},
                      {QUILLON_BIT_FIELD(D, ExtClockRefInd, 1), QUILLON_BIT_FIELD(D, Reserved1, 1),
                       QUILLON_BIT_FIELD(D, ClockAccuracyInteger, 6), QUILLON_BIT_FIELD(D, ClockAccuracyExponent, 3),
                       QUILLON_BIT_FIELD(D, Reserved2, 5)});
  }
  {
    using D = TMultiplexBufferUtilizationDescriptor;
    test::WalkBits<D>(4, [](D&) {},
                      {QUILLON_BIT_FIELD(D, BoundValidFlag, 1), QUILLON_BIT_FIELD(D, LTWOffsetLowerBound, 15),
                       QUILLON_BIT_FIELD(D, Reserved, 1), QUILLON_BIT_FIELD(D, LTWOffsetUpperBound, 15)});
  }
  {
    using D = TCopyrightDescriptor;
    test::WalkBits<D>(4, [](D&) {}, {QUILLON_BIT_FIELD(D, CopyrightIdent, 32)});
  }
  {
    using D = TMaximumBitrateDescriptor;
    test::WalkBits<D>(3, [](D&) {}, {QUILLON_BIT_FIELD(D, Reserved, 2), QUILLON_BIT_FIELD(D, MaxBitrate, 22)});
  }
  {
    using D = TPrivDataIndDescriptor;
    test::WalkBits<D>(4, [](D&) {}, {QUILLON_BIT_FIELD(D, DataInd, 32)});
  }
  {
    using D = TSmoothingBufferDescriptor;
    test::WalkBits<D>(6, [](D&) {},
                      {QUILLON_BIT_FIELD(D, Reserved1, 2), QUILLON_BIT_FIELD(D, SBLeakRate, 22),
                       QUILLON_BIT_FIELD(D, Reserved2, 2), QUILLON_BIT_FIELD(D, SBSize, 22)});
  }
  {
    using D = TSystemTargetDecoderDescriptor;
    test::WalkBits<D>(1, [](D&) {}, {QUILLON_BIT_FIELD(D, Reserved, 7), QUILLON_BIT_FIELD(D, LeakValidFlag, 1)});
  }
  {
    using D = TIBPDescriptor;
    test::WalkBits<D>(2, [](D&) {},
                      {QUILLON_BIT_FIELD(D, ClosedGOPFlag, 1), QUILLON_BIT_FIELD(D, IdenticalGOPFlag, 1),
                       QUILLON_BIT_FIELD(D, MaxGOPLen, 14)});
  }
  {
    using D = TCarouselIdentifierDescriptor;
    test::WalkBits<D>(21, [](D& d) { d.FormatID = 1; },
                      {QUILLON_BIT_FIELD(D, CarouselID, 32), QUILLON_BIT_FIELD(D, FormatSpecifier.ModuleVersion, 8),
                       QUILLON_BIT_FIELD(D, FormatSpecifier.ModuleID, 16),
                       QUILLON_BIT_FIELD(D, FormatSpecifier.BlockSize, 16),
                       QUILLON_BIT_FIELD(D, FormatSpecifier.ModuleSize, 32),
                       QUILLON_BIT_FIELD(D, FormatSpecifier.CompressionMethod, 8),
                       QUILLON_BIT_FIELD(D, FormatSpecifier.OriginalSize, 32),
                       QUILLON_BIT_FIELD(D, FormatSpecifier.TimeOut, 8)});
  }
  {
    using D = TAssociationTagDescriptor;
    test::WalkBits<D>(13, [](D& d) { d.Selector.SelectorLen = 8; },
                      {QUILLON_BIT_FIELD(D, AssociationTag, 16), QUILLON_BIT_FIELD(D, Selector.TransactionID, 32),
                       QUILLON_BIT_FIELD(D, Selector.TimeOut, 32)});
  }
}

TEST(MpegEncode, MaskedFieldsDropHighBits) {
  THierarchyDescriptor h;
  h.Length = 4;
  h.Reserved1 = 0xF0;
  h.HierType = 0xF0;
  h.Reserved2 = 0xFC;
  h.LayerIndex = 0xC0;
  h.Channel = 0xC0;
  EXPECT_BYTES_EQ(HexToBytes("04 04 00 00 00 00"), h.DescriptorData());

  TTargetBackgroundGridDescriptor g;
  g.Length = 4;
  g.HorizontalSize = 0xC000;
  g.VerticalSize = 0xC000;
  g.AspectRatioInfo = 0xF0;
  EXPECT_BYTES_EQ(HexToBytes("07 04 00 00 00 00"), g.DescriptorData());
}

TEST(MpegEncode, InconsistentObjectsAreRefused) {
  const test::EncodeFailureCase cases[] = {
      {"fixed layout longer than Length", Build<THierarchyDescriptor>(3, [](auto&) {})},
      {"identification info shorter than Length - 4",
       Build<TRegistrationDescriptor>(6, [](auto& d) { d.AddIdentInfo = {1}; })},
      {"more languages than fit", Build<TISO639LanguageCodeDescriptor>(7, [](auto& d) { d.Languages.resize(2); })},
      {"system target decoder byte overflows",
       Build<TSystemTargetDecoderDescriptor>(1, [](auto& d) { d.Reserved = 0x80; })},
      {"object key shorter than its length",
       Build<TCarouselIdentifierDescriptor>(23,
                                            [](auto& d) {
                                              d.FormatID = 1;
                                              d.FormatSpecifier.ObjectKeyLen = 2;
                                              d.FormatSpecifier.ObjectKeyData = {1};
                                            })},
      {"selector data shorter than its length",
       Build<TAssociationTagDescriptor>(8,
                                        [](auto& d) {
                                          d.Use = 2;
                                          d.Selector.SelectorLen = 3;
                                          d.Selector.SelectorData = {1, 2};
                                        })},
  };
  test::CheckEncodeFailures(cases);
}

// ---------------------------------------------------------------- truncated input

const test::TruncatedCase kMpegTruncated[] = {
    {"VideoSecondPartMissing", kNoPrivSpec, "02 01 9A", "TVideoStreamDescriptor"},
    {"Hierarchy", kNoPrivSpec, "04 02 F3 C5", "THierarchyDescriptor"},
    {"CA", kNoPrivSpec, "09 03 0B 00 F2", "TCADescriptor"},
    {"LanguageRoundedUp", kNoPrivSpec, "0A 06 64 65 75 01 65 6E", "TISO639LanguageCodeDescriptor"},
    {"SmoothingBuffer", kNoPrivSpec, "10 03 C1 AB CD", "TSmoothingBufferDescriptor"},
    {"CarouselObjectKey", kNoPrivSpec, "13 15 0A 0B 0C 0D 01 02 03 04 0F A0 00 01 00 00 08 00 02 00 00 1E 05",
     "TCarouselIdentifierDescriptor"},
    {"AssociationTagDsiSelector", kNoPrivSpec, "14 05 01 02 00 00 08", "TAssociationTagDescriptor"},
    // Length too small for the fixed part: the byte run would be negative.
    {"RegistrationNegativeRun", kNoPrivSpec, "05 03 41 43 2D 33", "TRegistrationDescriptor"},
    {"CANegativeRun", kNoPrivSpec, "09 02 0B 00 F2 34", "TCADescriptor"},
    {"CopyrightNegativeRun", kNoPrivSpec, "0D 00 12 34 56 78", "TCopyrightDescriptor"},
    {"CarouselNegativeRun", kNoPrivSpec, "13 04 00 00 00 01 00", "TCarouselIdentifierDescriptor"},
    {"AssociationTagNegativeRun", kNoPrivSpec, "14 05 00 07 00 01 05", "TAssociationTagDescriptor"},
};

INSTANTIATE_TEST_SUITE_P(Mpeg, TruncatedInput, testing::ValuesIn(kMpegTruncated),
                         [](const auto& info) { return test::CaseName(info); });

}  // namespace

std::span<const test::GoldenCase> test::MpegGoldenCases() { return kMpegGolden; }

}  // namespace quillon
