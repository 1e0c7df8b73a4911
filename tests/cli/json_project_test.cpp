// The JSON form of a project: reading every key, the new-row defaults, the refusals with
// their key paths, and exact round trips of every stored field.
#include "cli/json_project.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "editor/nit_editor.h"
#include "platform/dialogs.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "support/language_fixture.h"
#include "support/test_util.h"

namespace quillon::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr uint32_t kNOR = ('N' << 16) | ('O' << 8) | 'R';

// The project of the issue that asked for the JSON form.
const char* const kCableExample = R"({
  "network": {"type": "cable", "name": "Zarem Network", "id": "0x1234", "version": 1},
  "options": {"serviceLists": true, "logicalChannels": true, "hdSimulcast": false, "variant": "EACEM"},
  "channelLists": [{"id": 1, "name": "Main", "country": "NOR"}],
  "transportStreams": [
    {"tsid": "0x0001", "onid": "0x0085", "frequency": 346.0, "symbolRate": 6.9,
     "fecOuter": 2, "modulation": 5, "fecInner": 0,
     "services": [{"name": "Eins", "id": "0x0101", "type": 1, "visible": true,
                   "lcn": 1, "hdLcn": 0, "channelList": -1}]}
  ]
})";

class JsonProjectTest : public ::testing::Test {
 protected:
  // The refusals below are checked in English, word for word.
  const test::TEnglishTexts english_;

  std::unique_ptr<TNitEditor> NewEditor() {
    auto e = std::make_unique<TNitEditor>(TProgramPaths{dir_.Path()});
    e->StoreLastIPOnClose = false;
    return e;
  }
  // Reads `json` into a fresh editor.
  std::unique_ptr<TNitEditor> Read(const std::string& json) {
    auto e = NewEditor();
    ProjectFromJson(*e, json);
    return e;
  }
  // The message of the refusal of `json`, or "" when it is accepted.
  std::string Refusal(const std::string& json) {
    try {
      Read(json);
    } catch (const JsonError& e) {
      return e.what();
    }
    return "";
  }

  test::TempDir dir_;
  RecordingDialogs dialogs_;
  ScopedDialogs scope_{dialogs_};
};

template <class R>
Bytes Saved(const R& record) {
  TMemoryStream stream;
  record.SaveToStream(stream);
  return stream.Data();
}

Bytes ExtendedBytes(long double v) {
  Bytes b(10);
  std::memcpy(b.data(), &v, 10);
  return b;
}

// The one-byte codes of a terrestrial stream in stream order.
Bytes Codes(const TTerrestrialDescrData& t) {
  return {t.BandWidth(),     t.Priority(),  t.TimeSliceIndicator(), t.MpeFecIndictor(),
          t.Constellation(), t.Hierarchy(), t.HPCodeRate(),         t.LPCodeRate(),
          t.GuardInterval(), t.Mode(),      t.OtherFreqFlag()};
}

TEST_F(JsonProjectTest, ReadsEveryKeyOfTheCableExample) {
  auto e = Read(kCableExample);
  EXPECT_EQ(e->NetworkType(), TNetworkType::Cable);
  EXPECT_EQ(e->NetworkName(), u"Zarem Network");
  EXPECT_EQ(e->NetworkID(), 0x1234);
  EXPECT_EQ(e->VersionNumber(), 1);
  EXPECT_TRUE(e->AddSLDs());
  EXPECT_TRUE(e->AddLCDs());
  EXPECT_FALSE(e->AddHDSimulLCN());
  EXPECT_EQ(e->Variant(), TLcnVariant::EACEM);
  EXPECT_FALSE(e->Modified());

  ASSERT_EQ(e->ChannelList().size(), 1u);
  EXPECT_EQ(e->ChannelList()[0]->ListID(), 1);
  EXPECT_EQ(e->ChannelList()[0]->ListName(), u"Main");
  EXPECT_EQ(e->ChannelList()[0]->CountryCode(), kNOR);

  ASSERT_EQ(e->CableEntryList().size(), 1u);
  const TCableDescrData& c = *e->CableEntryList()[0];
  EXPECT_EQ(c.TSID(), 1);
  EXPECT_EQ(c.OrgNetID(), 0x85);
  // The stream form of the record holds the exact 80-bit values.
  EXPECT_BYTES_EQ(ExtendedBytes(c.Freq()), test::HexToBytes("00 00 00 00 00 00 00 AD 07 40"));
  EXPECT_BYTES_EQ(ExtendedBytes(c.SymbRate()), test::HexToBytes("CD CC CC CC CC CC CC DC 01 40"));
  EXPECT_EQ(c.FECOut(), 2);
  EXPECT_EQ(c.Modu(), 5);
  EXPECT_EQ(c.FECIn(), 0);

  ASSERT_EQ(c.ServiceList().size(), 1u);
  const TServiceData& s = *c.ServiceList()[0];
  EXPECT_EQ(s.ServiceName(), u"Eins");
  EXPECT_EQ(s.OrgServiceName(), "Eins");
  EXPECT_EQ(s.OrgServiceNameUni(), u"Eins");
  EXPECT_EQ(s.ServiceID(), 0x0101);
  EXPECT_EQ(s.ServiceType(), 1);
  EXPECT_TRUE(s.Visible());
  EXPECT_EQ(s.LogicalNumber(), 1);
  EXPECT_EQ(s.HDSimulLogicalNumber(), 0);
  EXPECT_EQ(s.ChannelListID(), -1);
  EXPECT_EQ(e->RowOrder(), std::vector<int32_t>{0});
}

TEST_F(JsonProjectTest, ReadsEveryKeyOfATerrestrialStream) {
  auto e = Read(R"({"network": {"type": "terrestrial"}, "transportStreams": [
    {"tsid": 7, "onid": "0x2174", "netId": "0x3001", "ident": "T1", "auto": 2, "frequency": 474,
     "bandwidth": 1, "priority": 0, "timeSlicing": 200, "mpeFec": 0, "constellation": 1, "hierarchy": 3,
     "codeRateHP": 2, "codeRateLP": 1, "guardInterval": 2, "mode": 2, "otherFrequency": 1}]})");
  EXPECT_EQ(e->NetworkType(), TNetworkType::Terrestrial);
  ASSERT_EQ(e->TerrestrialEntryList().size(), 1u);
  const TTerrestrialDescrData& t = *e->TerrestrialEntryList()[0];
  EXPECT_EQ(t.TSID(), 7);
  EXPECT_EQ(t.OrgNetID(), 0x2174);
  EXPECT_EQ(t.NetID(), 0x3001);
  EXPECT_EQ(t.Ident(), u"T1");
  EXPECT_EQ(t.Auto(), 2);
  EXPECT_EQ(t.Freq(), 474.0L);
  EXPECT_EQ(Codes(t), (Bytes{1, 0, 200, 0, 1, 3, 2, 1, 2, 2, 1}));
}

TEST_F(JsonProjectTest, MissingKeysTakeTheValuesOfANewRow) {
  auto e = Read(R"({"transportStreams": [{"ident": "S", "services": [{}, {"name": "Zwei"}]}]})");
  EXPECT_EQ(e->NetworkType(), TNetworkType::Cable);
  EXPECT_EQ(e->NetworkName(), u"Zarem Network");
  EXPECT_EQ(e->VersionNumber(), 1);
  EXPECT_FALSE(e->AddSLDs());
  EXPECT_EQ(e->Variant(), TLcnVariant::EACEM);
  const TCableDescrData& c = *e->CableEntryList()[0];
  EXPECT_EQ(c.TSID(), 0);
  EXPECT_EQ(c.Freq(), 0.0L);
  EXPECT_EQ(c.FECOut(), 2);
  EXPECT_EQ(c.Modu(), 5);
  EXPECT_EQ(c.SymbRate(), 6.9L);
  EXPECT_EQ(c.FECIn(), 0);

  const TServiceData& fresh = *c.ServiceList()[0];
  EXPECT_EQ(fresh.Ident(), u"S");  // copied from the stream, as a new grid row is
  EXPECT_EQ(fresh.ServiceType(), 0x01);
  EXPECT_EQ(fresh.ServiceID(), 0xFFFF);
  EXPECT_EQ(fresh.OrgServiceID(), 0xFFFF);
  EXPECT_TRUE(fresh.Visible());
  EXPECT_EQ(fresh.ChannelListID(), -1);
  EXPECT_EQ(fresh.Channel(), 1);
  EXPECT_EQ(fresh.OrgServiceName(), "");
  // A name sets the original names as typing it into the grid does.
  const TServiceData& named = *c.ServiceList()[1];
  EXPECT_EQ(named.OrgServiceName(), "Zwei");
  EXPECT_EQ(named.OrgServiceNameUni(), u"Zwei");

  auto t = Read(R"({"network": {"type": "terrestrial"}, "transportStreams": [{}]})");
  EXPECT_EQ(Codes(*t->TerrestrialEntryList()[0]), (Bytes{0, 1, 1, 1, 2, 0, 4, 4, 0, 1, 0}));
}

TEST_F(JsonProjectTest, IntegersAreNumbersOrHexStrings) {
  struct Case {
    const char* value;
    uint16_t tsid;
  } cases[] = {{"1", 1}, {"\"0x0001\"", 1}, {"\"0x1\"", 1}, {"\"0xFFFF\"", 0xFFFF}, {"\"0xabCD\"", 0xABCD}, {"0", 0}};
  for (const Case& c : cases) {
    auto e = Read(std::string(R"({"transportStreams": [{"tsid": )") + c.value + "}]}");
    EXPECT_EQ(e->CableEntryList()[0]->TSID(), c.tsid) << c.value;
  }
}

TEST_F(JsonProjectTest, RefusesWithTheKeyPath) {
  const std::string twoStreams = R"({"transportStreams": [{}, {"services": [{"lcn": 16384}]}]})";
  struct Case {
    std::string json, message;
  } cases[] = {
      // unknown keys
      {R"({"foo": 1})", "foo: unknown key of a project"},
      {R"({"transportStreams": [{"services": [{}, {"lcnn": 1}]}]})",
       "transportStreams[0].services[1].lcnn: unknown key of a service"},
      {R"({"network": {"type": "terrestrial"}, "transportStreams": [{"symbolRate": 6.9}]})",
       "transportStreams[0].symbolRate: unknown key of a terrestrial transport stream"},
      {R"({"transportStreams": [{"mode": 1}]})", "transportStreams[0].mode: unknown key of a cable transport stream"},
      {R"({"network": {"type": "cable", "type": "cable"}})", "network.type: duplicate key"},
      {R"({"transportStreams": [{}, {"services": [{}, {"id": 1, "id": 2}]}]})",
       "transportStreams[1].services[1].id: duplicate key"},
      // wrong types
      {"[]", "expected an object"},
      {R"({"network": 3})", "network: expected an object"},
      {R"({"transportStreams": {}})", "transportStreams: expected an array"},
      {R"({"transportStreams": [{"services": [{"visible": 1}]}]})",
       "transportStreams[0].services[0].visible: expected true or false"},
      {R"({"network": {"version": "1"}})", "network.version: expected an integer (a number or a \"0x\" hex string)"},
      {R"({"network": {"version": 1.0}})", "network.version: expected an integer (a number or a \"0x\" hex string)"},
      {R"({"network": {"id": "0x"}})", "network.id: expected an integer (a number or a \"0x\" hex string)"},
      {R"({"network": {"id": "0X12"}})", "network.id: expected an integer (a number or a \"0x\" hex string)"},
      {R"({"network": {"name": 5}})", "network.name: expected a text"},
      {R"({"transportStreams": [{"frequency": "346"}]})", "transportStreams[0].frequency: expected a number"},
      {R"({"network": {"type": "satellite"}})", "network.type: \"satellite\" is not one of \"cable\", \"terrestrial\""},
      {R"({"options": {"variant": 2}})",
       "options.variant: expected one of \"EACEM\", \"ITC\", \"NorDigV1\", \"NorDigV2\""},
      // out of range
      {twoStreams, "transportStreams[1].services[0].lcn: 16384 is out of range 0..16383"},
      {R"({"transportStreams": [{"services": [{"hdLcn": -1}]}]})",
       "transportStreams[0].services[0].hdLcn: -1 is out of range 0..16383"},
      {R"({"transportStreams": [{"tsid": "0x10000"}]})", "transportStreams[0].tsid: 0x10000 is out of range 0..65535"},
      {R"({"network": {"id": 18446744073709551615}})", "network.id: 18446744073709551615 is out of range 0..65535"},
      {R"({"network": {"version": 32}})", "network.version: 32 is out of range 0..31"},
      {R"({"transportStreams": [{"fecInner": 16}]})", "transportStreams[0].fecInner: 16 is out of range 0..15"},
      {R"({"transportStreams": [{"services": [{"type": 256}]}]})",
       "transportStreams[0].services[0].type: 256 is out of range 0..255"},
      {R"({"transportStreams": [{"services": [{"channelList": -2}]}]})",
       "transportStreams[0].services[0].channelList: -2 is out of range -1..255"},
      {R"({"transportStreams": [{"services": [{"moduleName": "Ω"}]}]})",
       "transportStreams[0].services[0].moduleName: \"Ω\" has characters that Windows-1252 cannot hold"},
      {R"({"channelLists": [{"id": 256}]})", "channelLists[0].id: 256 is out of range -1..255"},
      {R"({"channelLists": [{"id": 1}, {"id": -1}, {"id": 1}]})",
       "channelLists[2].id: 1 is the id of an earlier channel list"},
      {R"({"channelLists": [{"country": "NORW"}]})", "channelLists[0].country: \"NORW\" is not a three-letter country code"},
      {R"({"channelLists": [{"country": "NΩR"}]})", "channelLists[0].country: \"NΩR\" is not a three-letter country code"},
      {R"({"channelLists": [{"name": ")" + std::string(256, 'x') + "\"}]}",
       "channelLists[0].name: is longer than 255 characters"},
      // rules between keys
      {R"({"options": {"hdSimulcast": true}})", "options.hdSimulcast: needs \"logicalChannels\": true"},
      {R"({"transportStreams": [{}, {}], "rowOrder": [0, 2]})", "rowOrder[1]: 2 is out of range 0..1"},
      {R"({"transportStreams": [{}, {}], "rowOrder": [1, 1]})",
       "rowOrder: The row order must list each of the 2 transport streams once."},
      {R"({"transportStreams": [{}], "selectedRow": 1})", "selectedRow: 1 is out of range -1..0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(c.json), c.message) << c.json;
}

TEST_F(JsonProjectTest, SyntaxErrorsNameTheirPlace) {
  EXPECT_THAT(Refusal("{\n  \"network\": }"), StartsWith("parse error at line 2, column 14"));
  EXPECT_THAT(Refusal(""), StartsWith("parse error at line 1, column 1"));
  // Beyond even the 80-bit range: the parser's overflow is a refusal like any other.
  EXPECT_EQ(Refusal(R"({"transportStreams": [{"frequency": 1e99999}]})"), "number overflow parsing '1e99999'");
  EXPECT_EQ(Refusal("[-9e9999999999]"), "number overflow parsing '-9e9999999999'");
}

// A project in which every stored field differs from what reading assumes when the
// key is missing.
void FillFullProject(TNitEditor& e, TNetworkType type) {
  e.SetNetworkType(type);
  e.SetNetworkName(u"Netz \u00C4\u20AC \U0001F4FA");
  e.SetNetworkID(0xBEEF);
  e.SetVersionNumber(17);
  e.SetAddSLDs(true);
  e.SetAddLCDs(true);
  e.SetAddHDSimulLCN(true);
  e.SetVariant(TLcnVariant::NorDigV2);
  for (int i = 0; i < 2; ++i) {
    auto list = std::make_unique<TChListData>();
    list->SetListID(i == 0 ? 4 : -1);
    list->SetListName(i == 0 ? u"Haupt" : u"");
    list->SetCountryCode(i == 0 ? kNOR : 0x01020304);
    e.ChannelList().push_back(std::move(list));
  }
  for (int i = 0; i < 3; ++i) {
    size_t index = e.AddStream();
    TTransportStreamData& r = *e.Stream(index);
    r.SetTSID(static_cast<uint16_t>(0x100 + i));
    r.SetOrgNetID(0x85);
    r.SetNetID(static_cast<uint16_t>(i));
    r.SetIdent(i == 1 ? u"ident" : u"");
    r.SetAuto(i);
    // Values whose shortest decimal needs all 21 digits, and one without any.
    r.SetFreq(i == 0 ? std::nextafterl(346.0L, 400.0L) : i == 1 ? 0.1L : std::numeric_limits<long double>::infinity());
    if (type == TNetworkType::Cable) {
      auto& c = *e.CableEntryList()[index];
      c.SetSymbRate(i == 2 ? std::numeric_limits<long double>::denorm_min() : 6.875L);
      c.SetFECOut(1);
      c.SetModu(static_cast<uint8_t>(i));
      c.SetFECIn(15);
    } else {
      auto& t = *e.TerrestrialEntryList()[index];
      t.SetBandWidth(3);
      t.SetPriority(0);
      t.SetTimeSliceIndicator(255);
      t.SetMpeFecIndictor(0);
      t.SetConstellation(1);
      t.SetHierarchy(3);
      t.SetHPCodeRate(0);
      t.SetLPCodeRate(3);
      t.SetGuardInterval(3);
      t.SetMode(2);
      t.SetOtherFreqFlag(1);
    }
    for (int k = 0; k < i + 1; ++k) {
      auto s = std::make_unique<TServiceData>(k == 0 ? RawString("Mod\x81\xFF") : RawString(), 3 + k, -k);
      s->SetIdent(k == 0 ? u"own" : r.Ident());
      s->SetAuto(k);
      s->SetServiceName(k == 1 ? u"\u0416" : u"S\u00E9rvice");
      s->SetServiceID(static_cast<uint16_t>(0x1000 + k));
      s->SetOrgServiceName(k == 2 ? "x" : "S\xE9rvice");
      s->SetOrgServiceNameUni(k == 2 ? u"y" : u"S\u00E9rvice");
      s->SetOrgServiceID(static_cast<uint16_t>(k));
      s->SetServiceType(0x19);
      s->SetVisible(k != 1);
      s->SetLogicalNumber(16383 - k);
      s->SetHDSimulLogicalNumber(k);
      s->SetChannelListID(k == 0 ? 4 : -1);
      r.ServiceList().push_back(std::move(s));
    }
  }
  e.SetRowOrder({2, 0, 1});
  e.SetSelectedRow(1);
}

// Everything the project block stores, field for field.
void ExpectSameProject(const TNitEditor& a, const TNitEditor& b) {
  EXPECT_EQ(a.NetworkType(), b.NetworkType());
  EXPECT_EQ(a.NetworkName(), b.NetworkName());
  EXPECT_EQ(a.NetworkID(), b.NetworkID());
  EXPECT_EQ(a.VersionNumber(), b.VersionNumber());
  EXPECT_EQ(a.AddSLDs(), b.AddSLDs());
  EXPECT_EQ(a.AddLCDs(), b.AddLCDs());
  EXPECT_EQ(a.AddHDSimulLCN(), b.AddHDSimulLCN());
  EXPECT_EQ(a.Variant(), b.Variant());
  EXPECT_EQ(a.RowOrder(), b.RowOrder());
  EXPECT_EQ(a.SelectedRow(), b.SelectedRow());
  ASSERT_EQ(a.ChannelList().size(), b.ChannelList().size());
  for (size_t i = 0; i < a.ChannelList().size(); ++i)
    EXPECT_BYTES_EQ(Saved(*a.ChannelList()[i]), Saved(*b.ChannelList()[i])) << "channel list " << i;
  ASSERT_EQ(a.StreamCount(), b.StreamCount());
  for (size_t i = 0; i < a.StreamCount(); ++i)
    EXPECT_BYTES_EQ(Saved(*a.Stream(i)), Saved(*b.Stream(i))) << "stream " << i;
}

TEST_F(JsonProjectTest, EveryStoredFieldSurvivesARoundTrip) {
  for (TNetworkType type : {TNetworkType::Cable, TNetworkType::Terrestrial}) {
    auto original = NewEditor();
    FillFullProject(*original, type);
    const std::string json = ProjectToJson(*original);
    auto copy = Read(json);
    ExpectSameProject(*original, *copy);
    EXPECT_EQ(ProjectToJson(*copy), json);
  }
}

TEST_F(JsonProjectTest, ReadingReplacesTheEditorsProject) {
  auto e = NewEditor();
  FillFullProject(*e, TNetworkType::Cable);
  ProjectFromJson(*e, R"({"transportStreams": [{}]})");
  EXPECT_EQ(e->StreamCount(), 1u);
  EXPECT_TRUE(e->ChannelList().empty());
  EXPECT_EQ(e->RowOrder(), std::vector<int32_t>{0});
  EXPECT_EQ(e->SelectedRow(), -1);
}

TEST_F(JsonProjectTest, WritesOneLinePerService) {
  auto e = Read(kCableExample);
  EXPECT_EQ(ProjectToJson(*e), R"({
  "network": {"type": "cable", "name": "Zarem Network", "id": "0x1234", "version": 1},
  "options": {"serviceLists": true, "logicalChannels": true, "hdSimulcast": false, "variant": "EACEM"},
  "channelLists": [
    {"id": 1, "name": "Main", "country": "NOR"}
  ],
  "transportStreams": [
    {
      "tsid": "0x0001",
      "onid": "0x0085",
      "frequency": 346.0,
      "symbolRate": 6.9,
      "fecOuter": 2,
      "modulation": 5,
      "fecInner": 0,
      "services": [
        {"name": "Eins", "id": "0x0101", "type": 1, "visible": true, "lcn": 1, "hdLcn": 0, "channelList": -1}
      ]
    }
  ]
}
)");
}

TEST_F(JsonProjectTest, ExtendedValuesAsShortestDecimals) {
  struct Case {
    long double value;
    const char* text;
  } cases[] = {
      {346.0L, "346.0"},
      {6.9L, "6.9"},
      {0.1L, "0.1"},
      {-0.0L, "-0.0"},
      {7999.9999L, "7999.9999"},
      {1e-5L, "1e-05"},
      {std::nextafterl(346.0L, 400.0L), "346.00000000000000003"},
      {std::numeric_limits<long double>::infinity(), "0x7FFF8000000000000000"},
      {-std::numeric_limits<long double>::infinity(), "0xFFFF8000000000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtendedToJsonText(c.value), c.text);
}

// Ten bytes as a record read them from a project file.
long double FromBytes(const char* hex) {
  Bytes b = test::HexToBytes(hex);
  long double v = 0;
  std::memcpy(&v, b.data(), 10);
  return v;
}

TEST_F(JsonProjectTest, ExtendedValuesWithoutADecimalKeepTheirBits) {
  const char* encodings[] = {
      "00 00 00 00 00 00 00 C0 FF 7F",  // quiet NaN
      "01 00 00 00 00 00 00 80 FF 7F",  // signalling NaN
      "00 00 00 00 00 00 00 80 00 00",  // pseudo-denormal: the integer bit set, exponent 0
      "00 00 00 00 00 00 00 00 07 40",  // unnormal: exponent set, integer bit clear
  };
  for (const char* hex : encodings) {
    auto e = NewEditor();
    e->AddStream();
    e->Stream(0)->SetFreq(FromBytes(hex));
    const std::string json = ProjectToJson(*e);
    EXPECT_THAT(json, HasSubstr("\"frequency\": \"0x")) << hex;
    auto copy = Read(json);
    EXPECT_BYTES_EQ(ExtendedBytes(copy->Stream(0)->Freq()), test::HexToBytes(hex));
  }
}

TEST_F(JsonProjectTest, EightBitTextsKeepEveryByte) {
  RawString all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  auto e = NewEditor();
  e->AddStream();
  e->Stream(0)->ServiceList().push_back(std::make_unique<TServiceData>(all, 0, 1));
  e->Stream(0)->ServiceList()[0]->SetOrgServiceName(all);
  auto copy = Read(ProjectToJson(*e));
  EXPECT_EQ(copy->Stream(0)->ServiceList()[0]->ModuleName(), all);
  EXPECT_EQ(copy->Stream(0)->ServiceList()[0]->OrgServiceName(), all);
}

TEST_F(JsonProjectTest, CountryCodes) {
  struct Case {
    const char* json;
    uint32_t code;
  } cases[] = {{"\"NOR\"", kNOR}, {"\"\"", 0}, {"\"d\u00E4u\"", ('d' << 16) | (0xE4 << 8) | 'u'}, {"16909060", 0x01020304}};
  for (const Case& c : cases) {
    auto e = Read(std::string(R"({"channelLists": [{"country": )") + c.json + "}]}");
    EXPECT_EQ(e->ChannelList()[0]->CountryCode(), c.code) << c.json;
  }
}

TEST_F(JsonProjectTest, TextsWithoutAJsonFormAreRefusedWhenWriting) {
  auto e = NewEditor();
  e->SetNetworkName(std::u16string(u"A") + char16_t(0xD800));
  try {
    ProjectToJson(*e);
    FAIL() << "a lone surrogate was written";
  } catch (const JsonError& error) {
    EXPECT_STREQ(error.what(), "network.name: the text holds a lone UTF-16 surrogate, which JSON cannot carry");
  }
}

// `n` copies of `item`, comma-separated.
std::string Repeated(const std::string& item, size_t n) {
  std::string out;
  out.reserve(n * (item.size() + 1));
  for (size_t i = 0; i < n; ++i) out += (i ? "," : "") + item;
  return out;
}

// `n` services without keys in one stream's array.
std::string Services(size_t n) { return R"({"services": [)" + Repeated("{}", n) + "]}"; }

// Each limit just beyond, and the largest accepted where that is cheap; an accepted
// text shows as the refusal that comes after reading.
TEST_F(JsonProjectTest, RefusesWhatNoProjectHoldsWhereItStarts) {
  const std::string deep = R"({"transportStreams": [{"services": [{"name": )";
  const std::string text = std::string(131072, 'x'), e2 = "\u00E9";
  std::string twoByteText;
  for (int i = 0; i < 65536; ++i) twoByteText += e2;
  auto keys = [](int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += std::string(i ? ", " : "") + "\"k" + std::to_string(i) + "\": 0";
    return out;
  };
  struct Case {
    std::string json, message;
  } cases[] = {
      // nesting: a project uses 5 levels
      {deep + "[[[[]]]]}]}]}", "transportStreams[0].services[0].name[0][0][0]: more than 8 levels of nesting, the most a project allows"},
      {deep + "[[[]]]}]}]}", "transportStreams[0].services[0].name: expected a text"},
      {std::string(9, '[') + std::string(9, ']'), "[0][0][0][0][0][0][0][0]: more than 8 levels of nesting, the most a project allows"},
      // texts and keys, counted in bytes of UTF-8
      {R"({"network": {"name": ")" + text + "x\"}}", "network.name: a text longer than 131,072 bytes, the most a project allows"},
      {R"({"network": {"name": ")" + twoByteText + "\"}}", ""},
      {R"({"network": {"name": ")" + twoByteText + "x\"}}", "network.name: a text longer than 131,072 bytes, the most a project allows"},
      {R"({"transportStreams": [{"ident": ")" + text + "\"}]}", ""},
      {R"({"network": {")" + text + "x\": 1}}", "network: a key longer than 131,072 bytes, the most a project allows"},
      // keys of one object
      {R"({"network": {)" + keys(33) + "}}", "network: more than 32 keys in one object, the most a project allows"},
      {R"({"network": {)" + keys(32) + "}}", "network.k0: unknown key of the network"},
      {"{" + keys(33) + "}", "more than 32 keys in one object, the most a project allows"},
      // arrays
      {R"({"transportStreams": [)" + Services(262145) + "]}",
       "transportStreams[0].services: more than 262,144 services, the most a project holds"},
      {R"({"transportStreams": [)" + Services(131072) + "," + Services(131072) + "]}", ""},
      {R"({"transportStreams": [)" + Services(131072) + "," + Services(131073) + "]}",
       "transportStreams[1].services: more than 262,144 services in all transport streams, the most a project holds"},
      {R"({"transportStreams": [)" + Repeated("{}", 65536) + "]}",
       "transportStreams: more than 65,535 transport streams, the most a project holds"},
      {R"({"transportStreams": [)" + Repeated("{}", 65535) + "]}", ""},
      {R"({"channelLists": [)" + Repeated("{}", 65536) + "]}",
       "channelLists: more than 65,535 channel lists, the most a project holds"},
      {R"({"rowOrder": [)" + Repeated("0", 65536) + "]}", "rowOrder: more than 65,535 rows, the most a project holds"},
      {R"({"network": {"name": [)" + Repeated("[]", 65536) + "]}}",
       "network.name: more than 65,535 elements in one array, the most a project holds"},
      {R"({"network": {"name": [)" + Repeated("[]", 65535) + "]}}", "network.name: expected a text"},
      {"[" + Repeated("0", 65536) + "]", "more than 65,535 elements in one array, the most a project holds"},
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(c.json), c.message) << c.json.substr(0, 80);
}

// Nesting and many objects once cost time and memory out of all proportion to the text.
TEST_F(JsonProjectTest, HugeInputsAreReadOrRefusedInProportionToTheirSize) {
  const std::string nested8 = "[0][0][0][0][0][0][0][0]: more than 8 levels of nesting, the most a project allows";
  for (size_t depth : {size_t{40000}, size_t{1} << 19}) {  // the second is 1 MB
    EXPECT_EQ(Refusal(std::string(depth, '[') + std::string(depth, ']')), nested8) << depth;
    std::string objects;
    for (size_t i = 0; i < depth / 5; ++i) objects += R"({"a":)";
    EXPECT_EQ(Refusal(objects), "a.a.a.a.a.a.a.a: more than 8 levels of nesting, the most a project allows") << depth;
  }
  auto e = Read(R"({"transportStreams": [)" + Services(200000) + "]}");
  ASSERT_EQ(e->StreamCount(), 1u);
  EXPECT_EQ(e->Stream(0)->ServiceList().size(), 200000u);
}

TEST_F(JsonProjectTest, DuplicateKeysAreRefusedWithTheirPath) {
  struct Case {
    const char* json;
    const char* message;
  } cases[] = {
      {R"({"network": {}, "options": {}, "network": {}})", "network: duplicate key"},
      {R"({"channelLists": [1, [2, 3], {"id": 1, "name": "", "id": 1}]})", "channelLists[2].id: duplicate key"},
      // after a nested container closed
      {R"({"transportStreams": [{"services": [{}, {"a": [1]}]}, {"services": [], "tsid": 1, "services": []}]})",
       "transportStreams[1].services: duplicate key"},
      {R"({"transportStreams": [{"services": [{"name": "a", "id": 1}, {"id": 1, "name": "b", "name": "b"}]}]})",
       "transportStreams[0].services[1].name: duplicate key"},
      // the same key in different objects is no duplicate
      {R"({"a": {"a": {"a": 1}}, "b": 1})", "a: unknown key of a project"},
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(c.json), c.message) << c.json;
}

// What reading refuses is never written: the file would not read back.
TEST_F(JsonProjectTest, WritingRefusesWhatReadingWould) {
  auto Written = [](const TNitEditor& e) -> std::string {
    try {
      ProjectToJson(e);
    } catch (const JsonError& error) {
      return error.what();
    }
    return "";
  };
  const std::string tooLong = ": a text longer than 131,072 bytes, the most a project allows";
  {
    auto e = NewEditor();
    e->SetNetworkName(std::u16string(65536, u'\u00E9'));  // 131,072 bytes of UTF-8
    auto copy = Read(ProjectToJson(*e));
    EXPECT_EQ(copy->NetworkName(), e->NetworkName());
    e->SetNetworkName(e->NetworkName() + u"x");
    EXPECT_EQ(Written(*e), "network.name" + tooLong);
  }
  {
    auto e = NewEditor();
    e->AddStream();
    // Each Windows-1252 euro sign is 3 bytes of UTF-8.
    e->AddService(0, 1);
    e->Stream(0)->ServiceList()[0] = std::make_unique<TServiceData>(RawString(43691, '\x80'), 0, 1);
    EXPECT_EQ(Written(*e), "transportStreams[0].services[0].moduleName" + tooLong);
  }
  {
    auto e = NewEditor();
    for (int i = 0; i < 65536; ++i) e->ChannelList().push_back(std::make_unique<TChListData>());
    EXPECT_EQ(Written(*e), "channelLists: more than 65,535 channel lists, the most a project holds");
    e->ChannelList().clear();
    for (int i = 0; i < 65536; ++i) e->AddStream();
    EXPECT_EQ(Written(*e), "transportStreams: more than 65,535 transport streams, the most a project holds");
  }
  {
    auto e = NewEditor();
    e->AddStream();
    e->AddStream();
    for (int i = 0; i < 262145; ++i) e->AddService(1, 1);
    EXPECT_EQ(Written(*e), "transportStreams[1].services: more than 262,144 services, the most a project holds");
    e->DeleteService(1, 0);
    e->AddService(0, 1);
    EXPECT_EQ(Written(*e),
              "transportStreams[1].services: more than 262,144 services in all transport streams, the most a project holds");
  }
}

}  // namespace
}  // namespace quillon::cli
