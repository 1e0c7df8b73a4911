// Checks that span the whole descriptor catalogue: the factory's class for every tag,
// a golden round trip for every class, and hostile bodies for every tag.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "catalogue_cases.h"
#include "descriptors/descriptor.h"
#include "platform/errors.h"
#include "platform/text.h"

namespace quillon {
namespace {

// Tags 0x02..0x14, in order.
const char* const kMpegClasses[] = {
    "TVideoStreamDescriptor",        "TAudioStreamDescriptor",
    "THierarchyDescriptor",          "TRegistrationDescriptor",
    "TDataStreamAlignmentDescriptor", "TTargetBackgroundGridDescriptor",
    "TVideoWindowDescriptor",        "TCADescriptor",
    "TISO639LanguageCodeDescriptor", "TSystemClockDescriptor",
    "TMultiplexBufferUtilizationDescriptor", "TCopyrightDescriptor",
    "TMaximumBitrateDescriptor",     "TPrivDataIndDescriptor",
    "TSmoothingBufferDescriptor",    "TSystemTargetDecoderDescriptor",
    "TIBPDescriptor",                "TCarouselIdentifierDescriptor",
    "TAssociationTagDescriptor",
};

// Tags 0x40..0x72, in order; nullptr for the two tags without a class.
const char* const kDvbClasses[] = {
    "TNetworkNameDescriptor",          "TServiceListDescriptor",
    "TStuffingDescriptor",             "TSatDelivSysDescriptor",
    "TCableDelivSysDescriptor",        "TVBIDataDescriptor",
    "TVBITeletextDescriptor",          "TBouquetNameDescriptor",
    "TServiceDescriptor",              "TCountryAvailibilityDescriptor",
    "TLinkageDescriptor",              "TNVODReferenceDescriptor",
    "TTimeShiftedServiceDescriptor",   "TShortEventDescriptor",
    "TExtendedEventDescriptor",        "TTimeShiftedEventDescriptor",
    "TComponentDescriptor",            "TMosaicDescriptor",
    "TStreamIdentifierDescriptor",     "TCAIdentifierDescriptor",
    "TContentDescriptor",              "TParentalRatingDescriptor",
    "TTeletextDescriptor",             "TTelephoneDescriptor",
    "TLocalTimeOffsetDescriptor",      "TSubTitlingDescriptor",
    "TTerrestDelivSysDescriptor",      "TMultiNetNameDescriptor",
    "TMultiBouquetNameDescriptor",     "TMultiServiceNameDescriptor",
    "TMultiComponentDescriptor",       "TPrivDataSpecDescriptor",
    "TServiceMoveDescriptor",          "TShortSmoothingBufferDescriptor",
    "TFreqListDescriptor",             "TPartialTSDescriptor",
    "TDataBroadcastDescriptor",        "TScramblingDescriptor",
    "TDataBroadcastIDDescriptor",      nullptr,
    nullptr,                           "TPDCDescriptor",
    "TAC3Descriptor",                  "TAncillaryDataDescriptor",
    "TCellListDescriptor",             "TCellFreqLinkDescriptor",
    "TAnnouncementSupportDescriptor",  "TApplicationSignallingDescriptor",
    "TAdaptationFieldDataDescriptor",  "TServiceIndentifierDescriptor",
    "TServiceAvailabilityDescriptor",
};
static_assert(std::size(kMpegClasses) == 0x14 - 0x02 + 1);
static_assert(std::size(kDvbClasses) == 0x72 - 0x40 + 1);

// The class of its own for `tag`, or nullptr.
const char* OwnClass(int tag) {
  if (tag >= 0x02 && tag <= 0x14) return kMpegClasses[tag - 0x02];
  if (tag >= 0x40 && tag <= 0x72) return kDvbClasses[tag - 0x40];
  if (tag == 0x79) return "TS2SatDelivSysDescriptor";
  return nullptr;
}

// The classes of the network and delivery-system family, kept elsewhere.
bool IsNetworkTag(int tag) {
  return (tag >= 0x40 && tag <= 0x44) || tag == 0x4A || tag == 0x5A || tag == 0x5B || tag == 0x5F || tag == 0x62 ||
         tag == 0x6C || tag == 0x6D || tag == 0x79;
}

TEST(Catalogue, FactoryCreatesTheClassOfEveryTag) {
  for (int tag = 0; tag < 256; ++tag) {
    SCOPED_TRACE(Format("tag 0x%02X", tag));
    std::unique_ptr<TBasicDescriptor> d = CreateDescriptorForTag(static_cast<uint8_t>(tag), kNoPrivSpec);
    ASSERT_NE(nullptr, d);
    if (const char* own = OwnClass(tag)) {
      EXPECT_STREQ(own, d->ClassName());
      EXPECT_EQ(tag, d->Tag);
    } else {
      EXPECT_STREQ(tag >= 0x80 && tag <= 0xFE ? "TUserDefinedDescriptor" : "TUnknownDescriptor", d->ClassName());
      EXPECT_EQ(0, d->Tag);
    }
    EXPECT_EQ(0, d->Length);
    EXPECT_EQ(kNoPrivSpec, d->PrivSpec);
  }
}

// The golden tables of the families hold a filled example of every catalogue class, each
// checked object -> bytes -> object -> bytes.
TEST(Catalogue, EveryClassHasAGoldenRoundTrip) {
  std::set<std::string> covered;
  for (std::span<const test::GoldenCase> cases : {test::MpegGoldenCases(), test::ServiceGoldenCases(),
                                                  test::EventGoldenCases(), test::StreamGoldenCases()})
    for (const test::GoldenCase& c : cases) {
      std::unique_ptr<TBasicDescriptor> d = c.build();
      EXPECT_STREQ(OwnClass(d->Tag), d->ClassName()) << c.name;
      EXPECT_FALSE(IsNetworkTag(d->Tag)) << c.name;
      covered.insert(d->ClassName());
    }
  for (int tag = 0; tag < 256; ++tag) {
    const char* own = OwnClass(tag);
    if (own && !IsNetworkTag(tag)) {
      EXPECT_TRUE(covered.count(own)) << own;
    }
  }
}

// Random bodies of every length up to 40 (with a few random bytes after them, as in a
// section) and bodies of zeros up to the largest length: every class either decodes or
// throws DecodeError, and what it decoded encodes to Length + 2 bytes or throws
// EncodeError. Nothing else escapes, nothing hangs.
TEST(Catalogue, HostileBodiesDecodeOrFailCleanly) {
  std::mt19937 rng(0x51C0FFEE);
  auto tryOne = [](uint8_t tag, uint32_t privSpec, const Bytes& data) {
    std::unique_ptr<TBasicDescriptor> d = CreateDescriptorForTag(tag, privSpec);
    d->Tag = tag;
    d->Length = data[1];
    try {
      d->SetDescriptorData(data);
    } catch (const DecodeError&) {
      return;
    }
    try {
      EXPECT_EQ(data[1] + 2u, d->DescriptorData().size());
    } catch (const EncodeError&) {
    }
  };
  for (int tag = 0; tag < 256; ++tag) {
    SCOPED_TRACE(Format("tag 0x%02X", tag));
    const bool isPrivate = tag >= 0x80 && tag <= 0xFE;
    for (uint32_t privSpec : {kNoPrivSpec, kPrivSpecEacem, kPrivSpecNorDig, kPrivSpecItc}) {
      if (!isPrivate && privSpec != kNoPrivSpec) continue;
      for (int length = 0; length <= 40; ++length)
        for (int round = 0; round < 8; ++round) {
          Bytes data(2 + length + rng() % 8);
          data[0] = static_cast<uint8_t>(tag);
          data[1] = static_cast<uint8_t>(length);
          for (size_t i = 2; i < data.size(); ++i) data[i] = static_cast<uint8_t>(rng());
          tryOne(static_cast<uint8_t>(tag), privSpec, data);
        }
      Bytes zeros(2 + kMaxDescriptorBody, 0);
      zeros[0] = static_cast<uint8_t>(tag);
      zeros[1] = static_cast<uint8_t>(kMaxDescriptorBody);
      tryOne(static_cast<uint8_t>(tag), privSpec, zeros);
    }
  }
}

}  // namespace
}  // namespace quillon
