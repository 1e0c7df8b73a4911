#include "descriptors/logical_channel.h"

#include <gtest/gtest.h>

#include "descriptor_test_util.h"

namespace quillon {
namespace {

using test::Build;
using test::DecodeAs;
using test::GoldenVectors;
using test::HexToBytes;
using test::TruncatedInput;

TEacemLogChEntry Eacem(uint16_t serviceId, uint8_t visible, uint16_t lcn) { return {serviceId, visible, 31, lcn}; }
TNorDigLogChEntry NorDig(uint16_t serviceId, uint8_t visible, uint16_t lcn) { return {serviceId, visible, 1, lcn}; }

template <class D, class Entry>
test::DescriptorBuilder Flat(std::vector<Entry> entries) {
  return Build<D>(static_cast<uint8_t>(4 * entries.size()), [=](auto& d) { d.LogChEntry = entries; });
}

TNorDigChListEntry MainList() {
  TNorDigChListEntry list;
  list.ChListID = 1;
  list.ChListNameLen = 4;
  list.ChListName = u"Main";
  list.CountryCode = 0x4E4F52;  // NOR
  list.LogChLen = 8;
  list.LogChEntry = {NorDig(0x0101, 1, 1), NorDig(0x0102, 0, 2)};
  return list;
}

// ---------------------------------------------------------------- golden vectors, both ways

const test::GoldenCase kLogicalChannelGolden[] = {
    {"EacemLcn5", Flat<TEacemLogicalChannelDescriptor>(std::vector{Eacem(0x0101, 1, 5)}), "83 04 01 01 FC 05"},
    {"EacemLcn1000", Flat<TEacemLogicalChannelDescriptor>(std::vector{Eacem(0x0101, 1, 1000)}), "83 04 01 01 FF E8"},
    {"EacemHidden", Flat<TEacemLogicalChannelDescriptor>(std::vector{Eacem(0xFFFF, 0, 0x3FF)}), "83 04 FF FF 7F FF"},
    {"EacemTwo", Flat<TEacemLogicalChannelDescriptor>(std::vector{Eacem(1, 1, 1), Eacem(2, 1, 2)}),
     "83 08 00 01 FC 01 00 02 FC 02"},
    {"ItcSameAsEacem", Flat<TItcLogicalChannelDescriptor>(std::vector{Eacem(1, 1, 1), Eacem(2, 1, 2)}),
     "83 08 00 01 FC 01 00 02 FC 02"},
    {"HDSimulcastOnlyTagDiffers",
     Flat<THDSimulcastLogicalChannelDescriptor>(std::vector{Eacem(1, 1, 1), Eacem(2, 1, 2)}),
     "88 08 00 01 FC 01 00 02 FC 02"},
    {"NorDigV1Lcn1000", Flat<TNorDigLogicalChannelDescriptorV1>(std::vector{NorDig(0x0101, 1, 1000)}),
     "83 04 01 01 C3 E8"},
    {"NorDigV1Lcn16383", Flat<TNorDigLogicalChannelDescriptorV1>(std::vector{NorDig(0x0101, 1, 16383)}),
     "83 04 01 01 FF FF"},
    {"NorDigV1Hidden", Flat<TNorDigLogicalChannelDescriptorV1>(std::vector{NorDig(0x0101, 0, 1)}),
     "83 04 01 01 40 01"},
    {"FlatRoomLeftZero", Build<TEacemLogicalChannelDescriptor>(8, [](auto& d) { d.LogChEntry = {Eacem(1, 1, 1)}; }),
     "83 08 00 01 FC 01 00 00 00 00"},
    {"NorDigV2Main", Build<TNorDigLogicalChannelDescriptorV2>(18, [](auto& d) { d.ChListEntry = {MainList()}; }),
     "87 12 01 04 4D 61 69 6E 4E 4F 52 08 01 01 C0 01 01 02 40 02"},
    {"NorDigV2TwoLists",
     Build<TNorDigLogicalChannelDescriptorV2>(24,
                                              [](auto& d) {
                                                TNorDigChListEntry empty;
                                                empty.ChListID = 2;
                                                empty.CountryCode = 0x535745;  // SWE
                                                d.ChListEntry = {MainList(), empty};
                                              }),
     "87 18 01 04 4D 61 69 6E 4E 4F 52 08 01 01 C0 01 01 02 40 02 02 00 53 57 45 00"},
    {"NorDigV2Empty", Build<TNorDigLogicalChannelDescriptorV2>(0, [](auto&) {}), "87 00"},
};

INSTANTIATE_TEST_SUITE_P(LogicalChannel, GoldenVectors, testing::ValuesIn(kLogicalChannelGolden),
                         [](const auto& info) { return test::CaseName(info); });

// ---------------------------------------------------------------- classes

TEST(LogicalChannel, ClassesCarryTheirTagAndPrivateDataSpecifier) {
  struct Case {
    std::unique_ptr<TBasicDescriptor> d;
    const char* className;
    uint8_t tag;
    uint32_t privSpec;
  };
  Case cases[] = {
      {std::make_unique<TEacemLogicalChannelDescriptor>(), "TEacemLogicalChannelDescriptor", 0x83, 40},
      {std::make_unique<TItcLogicalChannelDescriptor>(), "TItcLogicalChannelDescriptor", 0x83, 9018},
      {std::make_unique<THDSimulcastLogicalChannelDescriptor>(), "THDSimulcastLogicalChannelDescriptor", 0x88, 40},
      {std::make_unique<TNorDigLogicalChannelDescriptorV1>(), "TNorDigLogicalChannelDescriptorV1", 0x83, 41},
      {std::make_unique<TNorDigLogicalChannelDescriptorV2>(), "TNorDigLogicalChannelDescriptorV2", 0x87, 41},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    EXPECT_STREQ(c.className, c.d->ClassName());
    EXPECT_EQ(c.tag, c.d->Tag);
    EXPECT_EQ(c.privSpec, c.d->PrivSpec);
    EXPECT_EQ(0, c.d->Length);
  }
}

// ---------------------------------------------------------------- entries

TEST(LogicalChannel, OnlyTheChannelNumberBitsOfTheLayoutAreWritten) {
  struct Case {
    const char* name;
    test::DescriptorBuilder build;
    const char* hex;
  };
  const Case cases[] = {
      {"EACEM 1025 is LCN 1", Flat<TEacemLogicalChannelDescriptor>(std::vector{Eacem(0x0101, 1, 1025)}),
       "83 04 01 01 FC 01"},
      {"EACEM reserved masked",
       Flat<TEacemLogicalChannelDescriptor>(std::vector{TEacemLogChEntry{0x0101, 0xFE, 0xE0, 0xFC00}}),
       "83 04 01 01 00 00"},
      {"NorDig 16385 is LCN 1", Flat<TNorDigLogicalChannelDescriptorV1>(std::vector{NorDig(0x0101, 1, 16385)}),
       "83 04 01 01 C0 01"},
      {"NorDig reserved masked",
       Flat<TNorDigLogicalChannelDescriptorV1>(std::vector{TNorDigLogChEntry{0x0101, 0xFE, 0xFE, 0xC000}}),
       "83 04 01 01 00 00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_BYTES_EQ(HexToBytes(c.hex), c.build()->DescriptorData());
  }
}

TEST(LogicalChannelBitWalk, EacemEntry) {
  using D = TEacemLogicalChannelDescriptor;
  test::WalkBits<D>(4, [](D& d) { d.LogChEntry.resize(1); },
                    {QUILLON_BIT_FIELD(D, LogChEntry[0].ServiceID, 16), QUILLON_BIT_FIELD(D, LogChEntry[0].Visible, 1),
                     QUILLON_BIT_FIELD(D, LogChEntry[0].Reserved, 5),
                     QUILLON_BIT_FIELD(D, LogChEntry[0].ChannelNo, 10)});
}

TEST(LogicalChannelBitWalk, NorDigEntry) {
  using D = TNorDigLogicalChannelDescriptorV1;
  test::WalkBits<D>(4, [](D& d) { d.LogChEntry.resize(1); },
                    {QUILLON_BIT_FIELD(D, LogChEntry[0].ServiceID, 16), QUILLON_BIT_FIELD(D, LogChEntry[0].Visible, 1),
                     QUILLON_BIT_FIELD(D, LogChEntry[0].Reserved, 1),
                     QUILLON_BIT_FIELD(D, LogChEntry[0].ChannelNo, 14)});
}

TEST(LogicalChannelBitWalk, NorDigV2ListEntry) {
  using D = TNorDigLogicalChannelDescriptorV2;
  test::WalkBits<D>(
      10,
      [](D& d) {
        d.ChListEntry.resize(1);
        d.ChListEntry[0].LogChLen = 4;
        d.ChListEntry[0].LogChEntry.resize(1);
      },
      {QUILLON_BIT_FIELD(D, ChListEntry[0].ChListID, 8), QUILLON_BIT_FIELD(D, ChListEntry[0].CountryCode, 24),
       QUILLON_BIT_FIELD(D, ChListEntry[0].LogChEntry[0].ServiceID, 16),
       QUILLON_BIT_FIELD(D, ChListEntry[0].LogChEntry[0].Visible, 1),
       QUILLON_BIT_FIELD(D, ChListEntry[0].LogChEntry[0].Reserved, 1),
       QUILLON_BIT_FIELD(D, ChListEntry[0].LogChEntry[0].ChannelNo, 14)});
}

// ---------------------------------------------------------------- decoding

TEST(LogicalChannelDecode, FlatCountRoundsHalfToEven) {
  struct Case {
    const char* hex;
    size_t eacem, nordig;
  };
  const Case cases[] = {
      {"83 00", 0, 0},
      {"83 02 00 01 FC 01", 0, 0},                   // 0.5
      {"83 06 00 01 FC 01 00 02 FC 02", 2, 2},       // 1.5
      {"83 0A 00 01 FC 01 00 02 FC 02 00 03 FC 03", 2, 2},  // 2.5
      {"83 0E 00 01 FC 01 00 02 FC 02 00 03 FC 03 00 04 FC 04", 4, 4},  // 3.5
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(c.eacem, DecodeAs<TEacemLogicalChannelDescriptor>(HexToBytes(c.hex))->LogChEntry.size());
    EXPECT_EQ(c.nordig, DecodeAs<TNorDigLogicalChannelDescriptorV1>(HexToBytes(c.hex))->LogChEntry.size());
  }
}

TEST(LogicalChannelDecode, RoundedUpEntryIsCompletedFromTheFollowingBytes) {
  const Bytes bytes = HexToBytes("83 06 01 01 FC 05 02 02 FF E8");
  auto eacem = DecodeAs<TEacemLogicalChannelDescriptor>(bytes);
  ASSERT_EQ(2u, eacem->LogChEntry.size());
  EXPECT_EQ(0x0101, eacem->LogChEntry[0].ServiceID);
  EXPECT_EQ(1, eacem->LogChEntry[0].Visible);
  EXPECT_EQ(31, eacem->LogChEntry[0].Reserved);
  EXPECT_EQ(5, eacem->LogChEntry[0].ChannelNo);
  EXPECT_EQ(0x0202, eacem->LogChEntry[1].ServiceID);
  EXPECT_EQ(1000, eacem->LogChEntry[1].ChannelNo);

  auto nordig = DecodeAs<TNorDigLogicalChannelDescriptorV1>(bytes);
  ASSERT_EQ(2u, nordig->LogChEntry.size());
  EXPECT_EQ(1, nordig->LogChEntry[0].Reserved);
  EXPECT_EQ(0x3C05, nordig->LogChEntry[0].ChannelNo);
  EXPECT_EQ(0x3FE8, nordig->LogChEntry[1].ChannelNo);
}

TEST(LogicalChannelDecode, NorDigV2Fields) {
  auto d = DecodeAs<TNorDigLogicalChannelDescriptorV2>(
      HexToBytes("87 12 01 04 4D 61 69 6E 4E 4F 52 08 01 01 C0 01 01 02 40 02"));
  ASSERT_EQ(1u, d->ChListEntry.size());
  const TNorDigChListEntry& list = d->ChListEntry[0];
  EXPECT_EQ(1, list.ChListID);
  EXPECT_EQ(4, list.ChListNameLen);
  EXPECT_EQ(u"Main", list.ChListName);
  EXPECT_EQ(0x4E4F52u, list.CountryCode);
  EXPECT_EQ(8, list.LogChLen);
  ASSERT_EQ(2u, list.LogChEntry.size());
  EXPECT_EQ(0x0102, list.LogChEntry[1].ServiceID);
  EXPECT_EQ(0, list.LogChEntry[1].Visible);
  EXPECT_EQ(2, list.LogChEntry[1].ChannelNo);
}

TEST(LogicalChannelDecode, NorDigV2NameBytesAreTheirCharacters) {
  auto d = DecodeAs<TNorDigLogicalChannelDescriptorV2>(HexToBytes("87 08 01 02 80 E9 4E 4F 52 00"));
  ASSERT_EQ(1u, d->ChListEntry.size());
  EXPECT_EQ(u"\u0080\u00E9", d->ChListEntry[0].ChListName);
}

TEST(LogicalChannelDecode, NorDigV2NextListFollowsTheEntriesRead) {
  // List 1 declares 6 entry bytes: 1.5 rounds to 2 entries, which read 8 bytes. The
  // consumed count grows by 12, but list 2 is read where the entries ended (2 bytes on).
  auto d = DecodeAs<TNorDigLogicalChannelDescriptorV2>(
      HexToBytes("87 12 01 00 4E 4F 52 06 00 01 C0 01 00 02 C0 02 02 00 53 57 45 00"));
  ASSERT_EQ(2u, d->ChListEntry.size());
  EXPECT_EQ(2u, d->ChListEntry[0].LogChEntry.size());
  EXPECT_EQ(2, d->ChListEntry[0].LogChEntry[1].ChannelNo);
  EXPECT_EQ(2, d->ChListEntry[1].ChListID);
  EXPECT_EQ(0x535745u, d->ChListEntry[1].CountryCode);
  EXPECT_TRUE(d->ChListEntry[1].LogChEntry.empty());
}

TEST(LogicalChannelDecode, SecondDecodeReplacesTheArrays) {
  const Bytes first = HexToBytes("87 12 01 04 4D 61 69 6E 4E 4F 52 08 01 01 C0 01 01 02 40 02");
  const Bytes second = HexToBytes("87 06 02 00 53 57 45 00");
  TNorDigLogicalChannelDescriptorV2 v2;
  v2.Length = first[1];
  v2.SetDescriptorData(first);
  v2.Length = second[1];
  v2.SetDescriptorData(second);
  EXPECT_BYTES_EQ(second, v2.DescriptorData());

  TEacemLogicalChannelDescriptor eacem;
  const Bytes two = HexToBytes("83 08 00 01 FC 01 00 02 FC 02"), one = HexToBytes("83 04 00 03 FC 03");
  eacem.Length = two[1];
  eacem.SetDescriptorData(two);
  eacem.Length = one[1];
  eacem.SetDescriptorData(one);
  EXPECT_BYTES_EQ(one, eacem.DescriptorData());
}

// ---------------------------------------------------------------- encoding failures

TEST(LogicalChannelEncode, InconsistentObjectsAreRefused) {
  const test::EncodeFailureCase cases[] = {
      {"EACEM entries past Length", Build<TEacemLogicalChannelDescriptor>(7, [](auto& d) { d.LogChEntry.resize(2); })},
      {"NorDig entries past Length",
       Build<TNorDigLogicalChannelDescriptorV1>(4, [](auto& d) { d.LogChEntry.resize(2); })},
      {"V2 name shorter than its length",
       Build<TNorDigLogicalChannelDescriptorV2>(18,
                                                [](auto& d) {
                                                  d.ChListEntry = {MainList()};
                                                  d.ChListEntry[0].ChListName = u"Mai";
                                                })},
      {"V2 name above U+00FF",
       Build<TNorDigLogicalChannelDescriptorV2>(18,
                                                [](auto& d) {
                                                  d.ChListEntry = {MainList()};
                                                  d.ChListEntry[0].ChListName = u"Ma\u0131n";
                                                })},
      {"V2 lists past Length",
       Build<TNorDigLogicalChannelDescriptorV2>(17, [](auto& d) { d.ChListEntry = {MainList()}; })},
  };
  test::CheckEncodeFailures(cases);
}

// ---------------------------------------------------------------- truncated input

const test::TruncatedCase kLogicalChannelTruncated[] = {
    {"Eacem", kPrivSpecEacem, "83 06 01 01 FC 05 02 02", "TEacemLogicalChannelDescriptor"},
    {"Itc", kPrivSpecItc, "83 03 01 01 FC", "TItcLogicalChannelDescriptor"},
    {"HDSimulcast", kPrivSpecEacem, "88 06 01 01 FC 05 02 02", "THDSimulcastLogicalChannelDescriptor"},
    {"NorDigV1", kPrivSpecNorDig, "83 06 01 01 C3 E8 00 01", "TNorDigLogicalChannelDescriptorV1"},
    {"NorDigV2Name", kPrivSpecNorDig, "87 04 01 08 4D 61", "TNorDigLogicalChannelDescriptorV2"},
    {"NorDigV2Entries", kPrivSpecNorDig, "87 08 01 00 4E 4F 52 04 01 01", "TNorDigLogicalChannelDescriptorV2"},
};

INSTANTIATE_TEST_SUITE_P(LogicalChannel, TruncatedInput, testing::ValuesIn(kLogicalChannelTruncated),
                         [](const auto& info) { return test::CaseName(info); });

}  // namespace
}  // namespace quillon
