// Stream forms of the project records, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "project/record_fixtures.h"
#include "support/test_util.h"

namespace quillon::test {
namespace {

struct GoldenCase {
  const char* name;
  std::function<Bytes()> save;
  // Loads a record from the stream and saves it again.
  std::function<Bytes(TStream&)> reload;
  std::string hex;
};

template <class R>
GoldenCase Golden(const char* name, std::function<R()> make, std::string hex) {
  return {name, [make] { return Saved(make()); },
          [](TStream& stream) {
            R record;
            record.LoadFromStream(stream);
            return Saved(record);
          },
          std::move(hex)};
}

const std::string kFreshCableHex =
    "00000000 00000000 0000 0000 0000 00000000000000000000 00 00 "
    "00000000000000000000 00 00000000";

TEST(ProjectRecordFormat, WritesAndReadsTheGoldenVectors) {
  const GoldenCase cases[] = {
      Golden<TChListData>("channel list Main, NOR", MainNorway,
                          "03000000 04000000 4D00 6100 6900 6E00 524F4E00"),
      Golden<TChListData>(
          "fresh channel list", [] { return TChListData(); }, "FFFFFFFF 00000000 00000000"),
      Golden<TServiceData>(
          "fresh service", [] { return TServiceData("", 0, 1); }, kFreshServiceHex),
      Golden<TServiceData>(
          "every service field set", [] { return *FullService(); }, kFullServiceHex),
      Golden<TCableDescrData>(
          "fresh cable stream", [] { return TCableDescrData(); }, kFreshCableHex),
      Golden<TCableDescrData>("cable stream with two services", CableSample,
                              std::string("01000000 4300 05000000 0201 0403 0605 00000000000000AD0740 02 05 "
                                          "CDCCCCCCCCCCCCDC0140 03 02000000") +
                                  kFreshServiceHex + kFullServiceHex),
      Golden<TTerrestrialDescrData>(
          "fresh terrestrial stream", [] { return TTerrestrialDescrData(); },
          "00000000 00000000 0000 0000 0000 00000000000000000000 "
          "0000000000000000000000 00000000"),
      Golden<TTerrestrialDescrData>(
          "terrestrial stream with one service",
          [] {
            TTerrestrialDescrData ts = TerrestrialSample();
            ts.ServiceList().clear();
            ts.ServiceList().push_back(FullService());
            return ts;
          },
          std::string("01000000 5400 FFFFFFFF 0B0A 0000 0020 00000000000000ED0740 "
                      "0102030405060708090A0B 01000000") +
              kFullServiceHex),
  };
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes expected = HexToBytes(c.hex);
    EXPECT_BYTES_EQ(expected, c.save());

    // Read back from a stream with a byte after the record: the reader stops at its end.
    Bytes withTrailer = expected;
    withTrailer.push_back(0xEE);
    TMemoryStream stream(withTrailer);
    EXPECT_BYTES_EQ(expected, c.reload(stream));
    EXPECT_EQ(expected.size(), stream.Position());
  }
}

// The readers size their count checks from these.
TEST(ProjectRecordFormat, MinimumSizesAreThoseOfEmptyRecords) {
  EXPECT_EQ(TServiceData::kMinStreamSize, Saved(TServiceData()).size());
  EXPECT_EQ(TChListData::kMinStreamSize, Saved(TChListData()).size());
  EXPECT_EQ(TCableDescrData::kMinStreamSize, Saved(TCableDescrData()).size());
  EXPECT_EQ(TTerrestrialDescrData::kMinStreamSize, Saved(TTerrestrialDescrData()).size());
}

// Frequency of a cable record: after the empty ident (4), Auto (4) and three ids (6).
constexpr size_t kCableFreqOffset = 14;

TEST(ProjectRecordFormat, ExtendedValuesUseTheTenByteX87Form) {
  const struct {
    long double value;
    const char* hex;
  } cases[] = {
      {346.0L, "00 00 00 00 00 00 00 AD 07 40"}, {6.9L, "CD CC CC CC CC CC CC DC 01 40"},
      {0.0L, "00 00 00 00 00 00 00 00 00 00"},   {1.0L, "00 00 00 00 00 00 00 80 FF 3F"},
      {-1.0L, "00 00 00 00 00 00 00 80 FF BF"},  {474.0L, "00 00 00 00 00 00 00 ED 07 40"},
      {6.875L, "00 00 00 00 00 00 00 DC 01 40"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hex);
    TCableDescrData ts;
    ts.SetFreq(c.value);
    Bytes bytes = Saved(ts);
    EXPECT_BYTES_EQ(HexToBytes(c.hex),
                    Bytes(bytes.begin() + kCableFreqOffset, bytes.begin() + kCableFreqOffset + 10));
    EXPECT_EQ(c.value, Loaded<TCableDescrData>(bytes).Freq());
  }
}

TEST(ProjectRecordFormat, ExtendedBitPatternsSurviveALoadAndSave) {
  // Values a file may hold that arithmetic would not produce: NaN, negative zero,
  // a denormal and an unnormal (integer bit clear).
  for (const char* hex : {"00 00 00 00 00 00 00 C0 FF 7F", "00 00 00 00 00 00 00 00 00 80",
                          "01 00 00 00 00 00 00 00 00 00", "00 00 00 00 00 00 00 40 FF 3F"}) {
    SCOPED_TRACE(hex);
    Bytes bytes = HexToBytes(kFreshCableHex);
    const Bytes pattern = HexToBytes(hex);
    std::memcpy(bytes.data() + kCableFreqOffset, pattern.data(), pattern.size());
    EXPECT_BYTES_EQ(bytes, Saved(Loaded<TCableDescrData>(bytes)));
  }
}

TEST(ProjectRecordFormat, LoadingAStreamWithoutServicesEmptiesTheList) {
  TCableDescrData empty;
  const Bytes bytes = Saved(empty);
  EXPECT_BYTES_EQ(HexToBytes("00000000"), Bytes(bytes.end() - 4, bytes.end()));

  TCableDescrData target = CableSample();
  TMemoryStream stream(bytes);
  target.LoadFromStream(stream);
  EXPECT_TRUE(target.ServiceList().empty());
  EXPECT_EQ(0.0L, target.Freq());
}

TEST(ProjectRecordFormat, TerrestrialRoundTripKeepsFieldsAndServiceOrder) {
  const TTerrestrialDescrData original = TerrestrialSample();
  const Bytes bytes = Saved(original);

  TTerrestrialDescrData loaded;
  loaded.ServiceList().push_back(FullService(u"old"));
  TMemoryStream stream(bytes);
  loaded.LoadFromStream(stream);

  EXPECT_BYTES_EQ(bytes, Saved(loaded));
  ASSERT_EQ(3u, loaded.ServiceList().size());
  EXPECT_EQ(u"A", loaded.ServiceList()[0]->ServiceName());
  EXPECT_EQ(u"B", loaded.ServiceList()[1]->ServiceName());
  EXPECT_EQ(u"C", loaded.ServiceList()[2]->ServiceName());
  EXPECT_TRUE(original.FrequencyList().empty());
  EXPECT_TRUE(loaded.FrequencyList().empty());
}

TEST(ProjectRecordFormat, RecordListsRoundTripThroughTheirCount) {
  TChListDataList lists;
  lists.push_back(std::make_unique<TChListData>(MainNorway()));
  lists.push_back(std::make_unique<TChListData>());
  TMemoryStream out;
  SaveRecords(out, lists);
  EXPECT_BYTES_EQ(HexToBytes("02000000 03000000 04000000 4D00 6100 6900 6E00 524F4E00 "
                             "FFFFFFFF 00000000 00000000"),
                  out.Data());

  TChListDataList loaded;
  TMemoryStream in(out.Data());
  LoadRecords(in, loaded, "channel list");
  ASSERT_EQ(2u, loaded.size());
  EXPECT_EQ(u"Main", loaded[0]->ListName());
  EXPECT_EQ(-1, loaded[1]->ListID());
}

}  // namespace
}  // namespace quillon::test
