#include "descriptors/network.h"

#include <gtest/gtest.h>

#include "descriptor_test_util.h"

namespace quillon {
namespace {

using test::Build;
using test::DecodeAs;
using test::GoldenVectors;
using test::HexToBytes;
using test::TruncatedInput;

// ---------------------------------------------------------------- golden vectors, both ways

const test::GoldenCase kNetworkGolden[] = {
    {"NetworkName", Build<TNetworkNameDescriptor>(13, [](auto& d) { d.NetName = u"Zarem Network"; }),
     "40 0D 5A 61 72 65 6D 20 4E 65 74 77 6F 72 6B"},
    {"NetworkNameEmpty", Build<TNetworkNameDescriptor>(0, [](auto&) {}), "40 00"},
    {"ServiceList", Build<TServiceListDescriptor>(6, [](auto& d) { d.Service = {{0x0001, 0x01}, {0x1234, 0x19}}; }),
     "41 06 00 01 01 12 34 19"},
    {"ServiceListRoomLeftZero", Build<TServiceListDescriptor>(6, [](auto& d) { d.Service = {{0x0001, 0x01}}; }),
     "41 06 00 01 01 00 00 00"},
    {"Stuffing", Build<TStuffingDescriptor>(3, [](auto& d) { d.StuffByte = {0xFF, 0x00, 0xA5}; }), "42 03 FF 00 A5"},
    {"Satellite", Build<TSatDelivSysDescriptor>(11,
                                                [](auto& d) {
                                                  d.Freq = 0x01175000;
                                                  d.OrbitPos = 0x0192;
                                                  d.WEFlag = 1;
                                                  d.Pola = 1;
                                                  d.RollOff = 2;
                                                  d.ModuSys = 1;
                                                  d.ModuType = 2;
                                                  d.Symb = 0x0275000;
                                                  d.FECi = 3;
                                                }),
     "43 0B 01 17 50 00 01 92 B6 02 75 00 03"},
    {"Cable", Build<TCableDelivSysDescriptor>(11,
                                              [](auto& d) {
                                                d.Freq = 0x03460000;
                                                d.ReservedFU = 0xFFF;
                                                d.FECo = 2;
                                                d.Modu = 3;
                                                d.Symb = 0x0069000;
                                                d.FECi = 15;
                                              }),
     "44 0B 03 46 00 00 FF F2 03 00 69 00 0F"},
    {"LinkageHandOverBothIds", Build<TLinkageDescriptor>(14,
                                                         [](auto& d) {
                                                           d.TSID = 1;
                                                           d.OrgNetID = 2;
                                                           d.ServiceID = 3;
                                                           d.LinkType = 8;
                                                           d.LinkEntry.HandOverType = 1;
                                                           d.LinkEntry.ReservedFU = 7;
                                                           d.LinkEntry.OriginType = 0;
                                                           d.LinkEntry.NetworkID = 4;
                                                           d.LinkEntry.InitialServiceID = 5;
                                                           d.LinkEntry.PrivData = {0xAA, 0xBB};
                                                         }),
     "4A 0E 00 01 00 02 00 03 08 1E 00 04 00 05 AA BB"},
    {"LinkageHandOverNoIds", Build<TLinkageDescriptor>(10,
                                                       [](auto& d) {
                                                         d.TSID = 1;
                                                         d.OrgNetID = 2;
                                                         d.ServiceID = 3;
                                                         d.LinkType = 8;
                                                         d.LinkEntry.HandOverType = 4;
                                                         d.LinkEntry.ReservedFU = 7;
                                                         d.LinkEntry.OriginType = 1;
                                                         d.LinkEntry.NetworkID = 4;         // not carried
                                                         d.LinkEntry.InitialServiceID = 5;  // not carried
                                                         d.LinkEntry.PrivData = {0xAA, 0xBB};
                                                       }),
     "4A 0A 00 01 00 02 00 03 08 4F AA BB"},
    {"LinkageOtherType", Build<TLinkageDescriptor>(9,
                                                   [](auto& d) {
                                                     d.TSID = 0x1111;
                                                     d.OrgNetID = 0x2222;
                                                     d.ServiceID = 0x3333;
                                                     d.LinkType = 1;
                                                     d.LinkEntry.PrivData = {0xAA, 0xBB, 0xCC};  // only 2 fit
                                                   }),
     "4A 09 11 11 22 22 33 33 01 AA BB"},
    {"LinkageHeaderOnly", Build<TLinkageDescriptor>(7,
                                                    [](auto& d) {
                                                      d.TSID = 1;
                                                      d.LinkType = 2;
                                                      d.LinkEntry.PrivData = {0xAA};
                                                    }),
     "4A 07 00 01 00 00 00 00 02"},
    {"Terrestrial474MHz", Build<TTerrestDelivSysDescriptor>(11,
                                                            [](auto& d) {
                                                              d.CentreFreq = 47400000;
                                                              d.Bandwidth = 0;
                                                              d.Priority = 1;
                                                              d.TimeSliceInd = 1;
                                                              d.MPEFECInd = 1;
                                                              d.ReservedFU1 = 3;
                                                              d.Constellation = 2;
                                                              d.HierarchyInfo = 0;
                                                              d.CodeRateHP = 2;
                                                              d.CodeRateLP = 0;
                                                              d.GuardInterval = 0;
                                                              d.TransMode = 1;
                                                              d.OtherFreqFlag = 0;
                                                              d.ReservedFU2 = 0xFFFFFFFF;
                                                            }),
     "5A 0B 02 D3 44 40 1F 82 02 FF FF FF FF"},
    {"MultiNetName", Build<TMultiNetNameDescriptor>(13,
                                                    [](auto& d) {
                                                      d.NameEntry.resize(2);
                                                      d.NameEntry[0].LangCode = 0x646575;
                                                      d.NameEntry[0].NetNameLen = 3;
                                                      d.NameEntry[0].NetName = u"Net";
                                                      d.NameEntry[1].LangCode = 0x656E67;
                                                      d.NameEntry[1].NetNameLen = 2;
                                                      d.NameEntry[1].NetName = u"N\u00E9";
                                                    }),
     "5B 0D 64 65 75 03 4E 65 74 65 6E 67 02 4E E9"},
    {"PrivDataSpec", Build<TPrivDataSpecDescriptor>(4, [](auto& d) { d.DataSpec = 0x0000233A; }), "5F 04 00 00 23 3A"},
    {"FreqList", Build<TFreqListDescriptor>(9,
                                            [](auto& d) {
                                              d.ReservedFU = 63;
                                              d.CodingType = 2;
                                              d.CentreFreqs = {0x03460000, 0x03540000};
                                            }),
     "62 09 FE 03 46 00 00 03 54 00 00"},
    {"CellList", Build<TCellListDescriptor>(18,
                                            [](auto& d) {
                                              TCellListEntry& c = d.Cells.emplace_back();
                                              c.CellID = 0x0102;
                                              c.Latitude = 0x1122;
                                              c.Longitude = 0x3344;
                                              c.LatExtend = 0xABC;
                                              c.LongExtend = 0xDEF;
                                              c.SubCellLen = 8;
                                              c.SubCells.push_back({0x05, 0x5566, 0x7788, 0x123, 0x456});
                                            }),
     "6C 12 01 02 11 22 33 44 AB CD EF 08 05 55 66 77 88 12 34 56"},
    {"CellFreqLink", Build<TCellFreqLinkDescriptor>(17,
                                                    [](auto& d) {
                                                      TCellLinkEntry& c = d.Cell.emplace_back();
                                                      c.CellID = 7;
                                                      c.Frequency = 0x02FAF080;
                                                      c.SubCellLen = 10;
                                                      c.SubCell = {{1, 0x02FAF080}, {2, 0x02FBEBC0}};
                                                    }),
     "6D 11 00 07 02 FA F0 80 0A 01 02 FA F0 80 02 02 FB EB C0"},
    {"S2InputStreamOnly", Build<TS2SatDelivSysDescriptor>(2,
                                                          [](auto& d) {
                                                            d.MultiInStreamFlag = 1;
                                                            d.BackCompInd = 1;
                                                            d.ReservedFU = 0x1F;
                                                            d.InStreamIdent = 0x42;
                                                          }),
     "79 02 7F 42"},
    {"S2ScramblingAndInputStream", Build<TS2SatDelivSysDescriptor>(5,
                                                                   [](auto& d) {
                                                                     d.ScrSeqSel = 1;
                                                                     d.MultiInStreamFlag = 1;
                                                                     d.ReservedFU = 0x1F;
                                                                     d.Reserved = 63;
                                                                     d.ScrSeqIdx = 0x2ABCD;
                                                                     d.InStreamIdent = 0x42;
                                                                   }),
     "79 05 DF FE AB CD 42"},
    {"S2FlagsOnly", Build<TS2SatDelivSysDescriptor>(1,
                                                    [](auto& d) {
                                                      d.BackCompInd = 1;
                                                      d.InStreamIdent = 0x42;  // flag off: not carried
                                                    }),
     "79 01 20"},
};

INSTANTIATE_TEST_SUITE_P(Network, GoldenVectors, testing::ValuesIn(kNetworkGolden),
                         [](const auto& info) { return test::CaseName(info); });

// ---------------------------------------------------------------- decoded field values

TEST(NetworkDecode, CableFields) {
  auto d = DecodeAs<TCableDelivSysDescriptor>(HexToBytes("44 0B 03 46 00 00 FF F2 03 00 69 00 0F"));
  EXPECT_EQ(0x03460000u, d->Freq);
  EXPECT_EQ(0xFFF, d->ReservedFU);
  EXPECT_EQ(2, d->FECo);
  EXPECT_EQ(3, d->Modu);
  EXPECT_EQ(0x0069000u, d->Symb);
  EXPECT_EQ(15, d->FECi);
}

TEST(NetworkDecode, NetworkNameTakesEachByteAsItsCharacter) {
  // No code page and no character table: 0x80 stays U+0080, 0x05 stays a character.
  auto d = DecodeAs<TNetworkNameDescriptor>(HexToBytes("40 03 05 E9 80 FF"));
  EXPECT_EQ(u"\u0005\u00E9\u0080", d->NetName);
}

TEST(NetworkDecode, LinkageOptionalFields) {
  struct Case {
    const char* name;
    const char* hex;
    uint16_t networkId, initialServiceId;
    const char* privData;
  };
  const Case cases[] = {
      {"both ids", "4A 0E 00 01 00 02 00 03 08 1E 00 04 00 05 AA BB", 4, 5, "AA BB"},
      {"network id only", "4A 0C 00 01 00 02 00 03 08 01 00 04 AA BB", 4, 0, "AA BB"},
      {"initial service id only", "4A 0C 00 01 00 02 00 03 08 40 00 05 AA BB", 0, 5, "AA BB"},
      {"no ids", "4A 0A 00 01 00 02 00 03 08 41 AA BB", 0, 0, "AA BB"},
      // The optional fields run past Length: read from what follows, no private data.
      {"ids past length", "4A 08 00 01 00 02 00 03 08 10 00 04 00 05", 4, 5, ""},
      {"header only", "4A 07 00 01 00 02 00 03 08 1E 00 04", 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto d = DecodeAs<TLinkageDescriptor>(HexToBytes(c.hex));
    EXPECT_EQ(1, d->TSID);
    EXPECT_EQ(2, d->OrgNetID);
    EXPECT_EQ(3, d->ServiceID);
    EXPECT_EQ(8, d->LinkType);
    EXPECT_EQ(c.networkId, d->LinkEntry.NetworkID);
    EXPECT_EQ(c.initialServiceId, d->LinkEntry.InitialServiceID);
    EXPECT_BYTES_EQ(HexToBytes(c.privData), d->LinkEntry.PrivData);
  }
}

TEST(NetworkDecode, S2InputStreamIdentFollowsTheScramblingBytes) {
  auto plain = DecodeAs<TS2SatDelivSysDescriptor>(HexToBytes("79 02 40 42"));
  EXPECT_EQ(0, plain->ScrSeqSel);
  EXPECT_EQ(1, plain->MultiInStreamFlag);
  EXPECT_EQ(0x42, plain->InStreamIdent);

  auto scrambled = DecodeAs<TS2SatDelivSysDescriptor>(HexToBytes("79 05 C0 FE AB CD 42"));
  EXPECT_EQ(1, scrambled->ScrSeqSel);
  EXPECT_EQ(63, scrambled->Reserved);
  EXPECT_EQ(0x2ABCDu, scrambled->ScrSeqIdx);
  EXPECT_EQ(0x42, scrambled->InStreamIdent);
}

TEST(NetworkDecode, MultiNetNameGoesThroughCodePageAndCharacterTables) {
  // Entry 1 is "0B A4 80 41 42": the code page keeps the selector and reads 0x80 as the
  // euro sign; the DVB tables read 8859-15, where 0xA4 is the euro sign.
  auto d = DecodeAs<TMultiNetNameDescriptor>(HexToBytes("5B 0F 64 65 75 05 0B A4 80 41 42 65 6E 67 02 4E 4F"));
  ASSERT_EQ(2u, d->NameEntry.size());
  EXPECT_EQ(0x646575u, d->NameEntry[0].LangCode);
  EXPECT_EQ(5, d->NameEntry[0].NetNameLen);
  EXPECT_EQ(u"\u000B\u00A4\u20ACAB", d->NameEntry[0].NetName);
  EXPECT_EQ(u"\u20AC\u0080AB", d->NameEntry[0].NetNameUni);
  EXPECT_EQ(0x656E67u, d->NameEntry[1].LangCode);
  EXPECT_EQ(u"NO", d->NameEntry[1].NetName);
  EXPECT_EQ(u"NO", d->NameEntry[1].NetNameUni);
}

TEST(NetworkDecode, CellLoopsAdvanceByTheDeclaredSubCellLength) {
  // Cell 1 declares 4 sub-cell bytes (0.5 sub-cells rounds to 0); the next cell starts 4
  // bytes on all the same.
  auto d = DecodeAs<TCellListDescriptor>(
      HexToBytes("6C 18 00 01 00 00 00 00 00 00 00 04 EE EE EE EE 00 02 00 00 00 00 00 00 00 00"));
  ASSERT_EQ(2u, d->Cells.size());
  EXPECT_EQ(1, d->Cells[0].CellID);
  EXPECT_EQ(4, d->Cells[0].SubCellLen);
  EXPECT_TRUE(d->Cells[0].SubCells.empty());
  EXPECT_EQ(2, d->Cells[1].CellID);

  auto f = DecodeAs<TCellFreqLinkDescriptor>(HexToBytes("6D 0F 00 01 00 00 00 00 01 EE 00 02 00 00 00 00 00"));
  ASSERT_EQ(2u, f->Cell.size());
  EXPECT_TRUE(f->Cell[0].SubCell.empty());
  EXPECT_EQ(2, f->Cell[1].CellID);
}

// Decoding replaces every array, so nothing of an earlier decode survives.
TEST(NetworkDecode, SecondDecodeReplacesTheArrays) {
  struct Case {
    const char* name;
    const char* first;
    const char* second;
  };
  const Case cases[] = {
      {"service list", "41 06 00 01 01 00 02 02", "41 03 00 09 09"},
      {"stuffing", "42 02 FF FF", "42 01 AA"},
      {"multilingual name", "5B 07 64 65 75 03 4E 65 74", "5B 00"},
      {"frequency list", "62 05 03 01 02 03 04", "62 01 02"},
      {"cell list", "6C 12 01 02 11 22 33 44 AB CD EF 08 05 55 66 77 88 12 34 56", "6C 0A 00 09 00 00 00 00 00 00 00 00"},
      {"cell frequency link", "6D 0C 00 07 02 FA F0 80 05 01 02 FA F0 80", "6D 00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes first = HexToBytes(c.first), second = HexToBytes(c.second);
    std::unique_ptr<TBasicDescriptor> d = CreateDescriptorForTag(first[0], kNoPrivSpec);
    d->Length = first[1];
    d->SetDescriptorData(first);
    d->Length = second[1];
    d->SetDescriptorData(second);
    EXPECT_BYTES_EQ(second, d->DescriptorData());
  }
}

// ---------------------------------------------------------------- entry counts

// Counts are Length over the entry size, rounded to the nearest, halves to even; a
// rounded-up entry is completed from the bytes after the descriptor.
TEST(NetworkDecode, EntryCountsRoundHalfToEven) {
  struct Case {
    const char* name;
    const char* hex;
    size_t (*count)(ByteView);
    size_t expected;
  };
  auto services = [](ByteView b) { return DecodeAs<TServiceListDescriptor>(b)->Service.size(); };
  auto freqs = [](ByteView b) { return DecodeAs<TFreqListDescriptor>(b)->CentreFreqs.size(); };
  auto subCells = [](ByteView b) { return DecodeAs<TCellListDescriptor>(b)->Cells.at(0).SubCells.size(); };
  auto linkSubCells = [](ByteView b) { return DecodeAs<TCellFreqLinkDescriptor>(b)->Cell.at(0).SubCell.size(); };
  auto names = [](ByteView b) { return DecodeAs<TMultiNetNameDescriptor>(b)->NameEntry.size(); };
  const Case cases[] = {
      {"services 0 bytes", "41 00", services, 0},
      {"services 1 byte (1/3)", "41 01 00 01 01", services, 0},
      {"services 4 bytes (4/3)", "41 04 00 01 01 00 02", services, 1},
      {"services 5 bytes (5/3)", "41 05 00 01 01 00 02 19", services, 2},
      {"frequencies length 0", "62 00 FE", freqs, 0},
      {"frequencies length 3 (0.5)", "62 03 FE 00 00 00 00", freqs, 0},
      {"frequencies length 7 (1.5)", "62 07 FE 01 02 03 04 05 06 07 08", freqs, 2},
      {"frequencies length 11 (2.5)", "62 0B FE 01 02 03 04 05 06 07 08 09 0A 0B 0C", freqs, 2},
      {"sub-cells 12 bytes (1.5)", "6C 16 00 01 00 00 00 00 00 00 00 0C 00000000000000000000000000000000",
       subCells, 2},
      {"sub-cells 20 bytes (2.5)",
       "6C 1E 00 01 00 00 00 00 00 00 00 14 000000000000000000000000000000000000000000000000", subCells, 2},
      {"link sub-cells 12 bytes (2.4)", "6D 13 00 01 00 00 00 00 0C 000000000000000000000000", linkSubCells, 2},
      {"link sub-cells 13 bytes (2.6)", "6D 14 00 01 00 00 00 00 0D 000000000000000000000000000000",
       linkSubCells, 3},
      {"names length 0", "5B 00", names, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.expected, c.count(HexToBytes(c.hex)));
  }
}

TEST(NetworkDecode, RoundedUpServiceTakesTheFollowingByte) {
  auto d = DecodeAs<TServiceListDescriptor>(HexToBytes("41 05 00 01 01 00 02 19"));
  ASSERT_EQ(2u, d->Service.size());
  EXPECT_EQ(0x0002, d->Service[1].ServiceID);
  EXPECT_EQ(0x19, d->Service[1].ServiceType);
}

TEST(NetworkDecode, ShortFixedLayoutReadsOnPastLength) {
  // Length 4, but the 11-byte layout is read whole from the bytes that follow.
  auto d = DecodeAs<TCableDelivSysDescriptor>(HexToBytes("44 04 03 46 00 00 FF F2 03 00 69 00 0F"));
  EXPECT_EQ(0x03460000u, d->Freq);
  EXPECT_EQ(0x0069000u, d->Symb);
  EXPECT_EQ(15, d->FECi);
}

// ---------------------------------------------------------------- bit walks

TEST(NetworkBitWalk, Satellite) {
  using D = TSatDelivSysDescriptor;
  test::WalkBits<D>(11, [](D&) {},
                    {QUILLON_BIT_FIELD(D, Freq, 32), QUILLON_BIT_FIELD(D, OrbitPos, 16),
                     QUILLON_BIT_FIELD(D, WEFlag, 1), QUILLON_BIT_FIELD(D, Pola, 2), QUILLON_BIT_FIELD(D, RollOff, 2),
                     QUILLON_BIT_FIELD(D, ModuSys, 1), QUILLON_BIT_FIELD(D, ModuType, 2),
                     QUILLON_BIT_FIELD(D, Symb, 28), QUILLON_BIT_FIELD(D, FECi, 4)});
}

TEST(NetworkBitWalk, Cable) {
  using D = TCableDelivSysDescriptor;
  test::WalkBits<D>(11, [](D&) {},
                    {QUILLON_BIT_FIELD(D, Freq, 32), QUILLON_BIT_FIELD(D, ReservedFU, 12),
                     QUILLON_BIT_FIELD(D, FECo, 4), QUILLON_BIT_FIELD(D, Modu, 8), QUILLON_BIT_FIELD(D, Symb, 28),
                     QUILLON_BIT_FIELD(D, FECi, 4)});
}

TEST(NetworkBitWalk, Terrestrial) {
  using D = TTerrestDelivSysDescriptor;
  test::WalkBits<D>(
      11, [](D&) {},
      {QUILLON_BIT_FIELD(D, CentreFreq, 32), QUILLON_BIT_FIELD(D, Bandwidth, 3), QUILLON_BIT_FIELD(D, Priority, 1),
       QUILLON_BIT_FIELD(D, TimeSliceInd, 1), QUILLON_BIT_FIELD(D, MPEFECInd, 1), QUILLON_BIT_FIELD(D, ReservedFU1, 2),
       QUILLON_BIT_FIELD(D, Constellation, 2), QUILLON_BIT_FIELD(D, HierarchyInfo, 3),
       QUILLON_BIT_FIELD(D, CodeRateHP, 3), QUILLON_BIT_FIELD(D, CodeRateLP, 3),
       QUILLON_BIT_FIELD(D, GuardInterval, 2), QUILLON_BIT_FIELD(D, TransMode, 2),
       QUILLON_BIT_FIELD(D, OtherFreqFlag, 1), QUILLON_BIT_FIELD(D, ReservedFU2, 32)});
}

TEST(NetworkBitWalk, S2WithAllOptionalFields) {
  using D = TS2SatDelivSysDescriptor;
  test::WalkBits<D>(
      5,
      [](D& d) {
        d.ScrSeqSel = 1;
        d.MultiInStreamFlag = 1;
      },
      {QUILLON_BIT_FIELD(D, BackCompInd, 1), QUILLON_BIT_FIELD(D, ReservedFU, 5), QUILLON_BIT_FIELD(D, Reserved, 6),
       QUILLON_BIT_FIELD(D, ScrSeqIdx, 18), QUILLON_BIT_FIELD(D, InStreamIdent, 8)});
}

TEST(NetworkBitWalk, MaskedFieldsDropHighBits) {
  // Bits beyond a field's width never reach its neighbours.
  TCableDelivSysDescriptor c;
  c.Length = 11;
  c.ReservedFU = 0xF000;
  c.FECo = 0xF0;
  c.Symb = 0xF0000000;
  c.FECi = 0xF0;
  EXPECT_BYTES_EQ(HexToBytes("44 0B 00 00 00 00 00 00 00 00 00 00 00"), c.DescriptorData());

  TTerrestDelivSysDescriptor t;
  t.Length = 11;
  t.Bandwidth = 0xF8;
  t.ReservedFU1 = 0xFC;
  t.HierarchyInfo = 0xF8;
  t.OtherFreqFlag = 0xFE;
  EXPECT_BYTES_EQ(HexToBytes("5A 0B 00 00 00 00 00 00 00 00 00 00 00"), t.DescriptorData());
}

// ---------------------------------------------------------------- encoding failures

TEST(NetworkEncode, InconsistentObjectsAreRefused) {
  const test::EncodeFailureCase cases[] = {
      {"name character above U+00FF", Build<TNetworkNameDescriptor>(3, [](auto& d) { d.NetName = u"AĀB"; })},
      {"name shorter than Length", Build<TNetworkNameDescriptor>(5, [](auto& d) { d.NetName = u"Abc"; })},
      {"more services than fit", Build<TServiceListDescriptor>(5, [](auto& d) { d.Service.resize(2); })},
      {"more stuffing than fits", Build<TStuffingDescriptor>(1, [](auto& d) { d.StuffByte = {1, 2}; })},
      {"satellite west/east unmasked", Build<TSatDelivSysDescriptor>(11, [](auto& d) { d.WEFlag = 2; })},
      {"satellite polarisation unmasked",
       Build<TSatDelivSysDescriptor>(11,
                                     [](auto& d) {
                                       d.WEFlag = 1;
                                       d.Pola = 4;
                                     })},
      {"cable layout longer than Length", Build<TCableDelivSysDescriptor>(10, [](auto&) {})},
      {"linkage private data short",
       Build<TLinkageDescriptor>(10,
                                 [](auto& d) {
                                   d.LinkType = 1;
                                   d.LinkEntry.PrivData = {1, 2};
                                 })},
      {"hand-over byte unmasked",
       Build<TLinkageDescriptor>(8,
                                 [](auto& d) {
                                   d.LinkType = 8;
                                   d.LinkEntry.HandOverType = 16;
                                   d.LinkEntry.OriginType = 1;
                                 })},
      {"hand-over private data short",
       Build<TLinkageDescriptor>(10,
                                 [](auto& d) {
                                   d.LinkType = 8;
                                   d.LinkEntry.HandOverType = 4;
                                   d.LinkEntry.OriginType = 1;
                                   d.LinkEntry.PrivData = {1};
                                 })},
      {"hand-over ids past Length",
       Build<TLinkageDescriptor>(8, [](auto& d) { d.LinkType = 8; })},
      {"multilingual name above U+00FF",
       Build<TMultiNetNameDescriptor>(5,
                                      [](auto& d) {
                                        d.NameEntry.resize(1);
                                        d.NameEntry[0].NetNameLen = 1;
                                        d.NameEntry[0].NetName = u"€";
                                      })},
      {"more frequencies than fit", Build<TFreqListDescriptor>(5, [](auto& d) { d.CentreFreqs = {1, 2}; })},
      {"sub-cells past Length",
       Build<TCellListDescriptor>(10, [](auto& d) { d.Cells.emplace_back().SubCells.resize(1); })},
      {"link sub-cells past Length",
       Build<TCellFreqLinkDescriptor>(7, [](auto& d) { d.Cell.emplace_back().SubCell.resize(1); })},
      {"S2 flag byte unmasked",
       Build<TS2SatDelivSysDescriptor>(5,
                                       [](auto& d) {
                                         d.ScrSeqSel = 1;
                                         d.MultiInStreamFlag = 1;
                                         d.BackCompInd = 1;
                                         d.ReservedFU = 32;
                                       })},
      {"S2 scrambling byte unmasked",
       Build<TS2SatDelivSysDescriptor>(4,
                                       [](auto& d) {
                                         d.ScrSeqSel = 1;
                                         d.Reserved = 64;
                                       })},
      {"S2 input stream past Length", Build<TS2SatDelivSysDescriptor>(1, [](auto& d) { d.MultiInStreamFlag = 1; })},
  };
  test::CheckEncodeFailures(cases);
}

// ---------------------------------------------------------------- truncated input

const test::TruncatedCase kNetworkTruncated[] = {
    {"Satellite", kNoPrivSpec, "43 03 01 17 50", "TSatDelivSysDescriptor"},
    {"Cable", kNoPrivSpec, "44 05 03 46 00 00 FF", "TCableDelivSysDescriptor"},
    {"Terrestrial", kNoPrivSpec, "5A 0A 02 D3 44 40 1F 82 02 FF FF FF", "TTerrestDelivSysDescriptor"},
    {"ServiceListRoundedUp", kNoPrivSpec, "41 05 00 01 01 00 02", "TServiceListDescriptor"},
    {"Linkage", kNoPrivSpec, "4A 03 00 01 00", "TLinkageDescriptor"},
    {"LinkageHandOverIds", kNoPrivSpec, "4A 08 00 01 00 02 00 03 08 10", "TLinkageDescriptor"},
    {"MultiNetName", kNoPrivSpec, "5B 04 64 65 75 05", "TMultiNetNameDescriptor"},
    {"PrivDataSpec", kNoPrivSpec, "5F 02 00 00", "TPrivDataSpecDescriptor"},
    {"FreqList", kNoPrivSpec, "62 07 FE 03 46 00 00 03 54", "TFreqListDescriptor"},
    {"CellListSubCells", kNoPrivSpec, "6C 0A 01 02 11 22 33 44 AB CD EF 08", "TCellListDescriptor"},
    {"CellFreqLinkSubCells", kNoPrivSpec, "6D 07 00 07 02 FA F0 80 05", "TCellFreqLinkDescriptor"},
    {"S2", kNoPrivSpec, "79 01 C0", "TS2SatDelivSysDescriptor"},
};

INSTANTIATE_TEST_SUITE_P(Network, TruncatedInput, testing::ValuesIn(kNetworkTruncated),
                         [](const auto& info) { return test::CaseName(info); });

}  // namespace
}  // namespace quillon
