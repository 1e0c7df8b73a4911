// The NIT build from the editor's project. Every successful build is also decoded from
// its packets by the fixture (editor_fixture.h).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "descriptors/logical_channel.h"
#include "descriptors/network.h"
#include "editor_fixture.h"

namespace quillon {
namespace {

using test::HexToBytes;
using test::Layout;

const char* const kFail = "\r\nNIT kann nicht erstellt werden!";
const char* const kSrvListTooBig =
    "Die Länge des ServiceList-Descriptors ist zu groß.\n\r"
    "Verringern Sie die Anzahl von Programmen im Transportstrom\r\n"
    "NIT kann nicht erstellt werden!";
const char* const kNorDigTooBig =
    "Die Länge des NorDig/EACEM-Descriptors ist zu groß.\n\r"
    "Verringern Sie die Anzahl von Programmen im Transportstrom\r\n"
    "NIT kann nicht erstellt werden!";
const char* const kNoChList = "Keine NorDigV2 Kanallisten vorhanden!\r\nTrotzdem fortsetzen?";

constexpr uint32_t Country(char a, char b, char c) {
  return (static_cast<uint32_t>(a) << 16) | (static_cast<uint32_t>(b) << 8) | static_cast<uint32_t>(c);
}

template <class T>
const T& As(const std::unique_ptr<TBasicDescriptor>& d) {
  auto* p = dynamic_cast<const T*>(d.get());
  if (!p) throw std::runtime_error(std::string("descriptor is a ") + d->ClassName());
  return *p;
}

class NitBuild : public test::EditorTest {
 protected:
  // One ErrorCancel box with exactly this text.
  void ExpectErrorBox(const std::string& text) {
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::ErrorCancel);
    EXPECT_EQ(dialogs.shown[0].text, text);
  }
};

TEST_F(NitBuild, EmptyProjectIsOneSectionWithTheNetworkName) {
  editor.SetNetworkID(0x1234);
  editor.SetVersionNumber(5);
  ASSERT_TRUE(Build());
  ASSERT_TRUE(Build());  // every build starts from scratch
  ASSERT_EQ(Built().Sections(), 1);
  const TNISection& s = BuiltSection(0);
  EXPECT_EQ(s.NetworkDescriptorLength(), 15);
  EXPECT_EQ(s.TransportStreamLoopLength(), 0);
  EXPECT_EQ(s.SectionLength(), 28);
  Bytes data = s.SectionData();
  ASSERT_EQ(data.size(), 32u);
  // pointer, table_id, all flags and reserved bits set, network_id, version 5 current,
  // sections 0 of 0, the name descriptor, an empty loop.
  EXPECT_BYTES_EQ(HexToBytes("00 40 F0 1C 12 34 CB 00 00 F0 0F 40 0D 5A 61 72 65 6D 20 4E 65 74 77 6F 72 6B F0 00"),
                  Bytes(data.begin(), data.begin() + 28));
  const TTableIdent& ident = Built().TableIdent();
  EXPECT_EQ(ident.PID, 0x0010);
  EXPECT_EQ(ident.TableID, 0x40);
  EXPECT_EQ(ident.Pad, 0);
  EXPECT_EQ(ident.AddID, 0x1234);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(NitBuild, DescriptorsOfAStreamFollowTheOptions) {
  struct Case {
    const char* name;
    bool sld, lcd, hd;
    TLcnVariant variant;
    size_t services;
    int hdNumbers;
    std::vector<std::string> layout;
    int transportDescriptorLength;
  };
  const Case cases[] = {
      {"all options off", false, false, false, TLcnVariant::EACEM, 2, 0, {"44/11 TCableDelivSysDescriptor"}, 13},
      {"SLD, EACEM and one HD number",
       true, true, true, TLcnVariant::EACEM, 2, 1,
       {"41/6 TServiceListDescriptor", "44/11 TCableDelivSysDescriptor", "5F/4 TPrivDataSpecDescriptor",
        "83/8 TEacemLogicalChannelDescriptor", "88/4 THDSimulcastLogicalChannelDescriptor"},
       43},
      {"ITC without SLD",
       false, true, false, TLcnVariant::ITC, 2, 0,
       {"44/11 TCableDelivSysDescriptor", "5F/4 TPrivDataSpecDescriptor", "83/8 TItcLogicalChannelDescriptor"},
       29},
      {"NorDig V1, HD on but no HD numbers",
       false, true, true, TLcnVariant::NorDigV1, 2, 0,
       {"44/11 TCableDelivSysDescriptor", "5F/4 TPrivDataSpecDescriptor",
        "83/8 TNorDigLogicalChannelDescriptorV1"},
       29},
      {"HD numbers with HD off", false, true, false, TLcnVariant::EACEM, 2, 2,
       {"44/11 TCableDelivSysDescriptor", "5F/4 TPrivDataSpecDescriptor", "83/8 TEacemLogicalChannelDescriptor"},
       29},
      {"no services, everything on", true, true, true, TLcnVariant::EACEM, 0, 0,
       {"44/11 TCableDelivSysDescriptor"}, 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.DeleteStream(0);
    SetOptions(c.sld, c.lcd, c.hd, c.variant);
    TTransportStreamData& r = AddStream(0x0A01, c.services);
    for (int i = 0; i < c.hdNumbers; ++i) r.ServiceList()[i]->SetHDSimulLogicalNumber(500 + i);
    ASSERT_TRUE(Build());
    const TTransportStreamEntry& e = DecodedEntry(0, 0);
    EXPECT_EQ(Layout(e.TSDescriptor), c.layout);
    EXPECT_EQ(e.TransportDescriptorLength(), c.transportDescriptorLength);
    EXPECT_EQ(e.TSID(), 0x0A01);
    EXPECT_EQ(e.OrgNetID(), 0x0085);
    EXPECT_EQ(e.ReservedFU(), 15);
  }
}

TEST_F(NitBuild, ServiceListCarriesIdAndTypeInServiceOrder) {
  SetOptions(true, false, false);
  TTransportStreamData& r = AddStream(1, 2);
  r.ServiceList()[0]->SetServiceType(0x19);
  r.ServiceList()[1]->SetServiceID(0x0042);
  r.ServiceList()[1]->SetServiceType(0x02);
  ASSERT_TRUE(Build());
  EXPECT_BYTES_EQ(HexToBytes("41 06 01 01 19 00 42 02"), DecodedEntry(0, 0).TSDescriptor[0]->DescriptorData());
}

TEST_F(NitBuild, VariantChoosesSpecifierAndEntryLayout) {
  struct Case {
    TLcnVariant variant;
    uint32_t dataSpec;
    const char* lcdClass;
    uint8_t reserved;
  };
  const Case cases[] = {
      {TLcnVariant::EACEM, 0x28, "TEacemLogicalChannelDescriptor", 31},
      {TLcnVariant::ITC, 0x233A, "TItcLogicalChannelDescriptor", 31},
      {TLcnVariant::NorDigV1, 0x29, "TNorDigLogicalChannelDescriptorV1", 1},
      {TLcnVariant::NorDigV2, 0x29, "TNorDigLogicalChannelDescriptorV2", 1},
  };
  AddChannelList(3, u"L", Country('D', 'E', 'U'));
  TTransportStreamData& r = AddStream(1, 2);
  r.ServiceList()[1]->SetVisible(false);
  for (auto& s : r.ServiceList()) s->SetChannelListID(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lcdClass);
    SetOptions(false, true, false, c.variant);
    ASSERT_TRUE(Build());
    const TBasicDescriptorArray& loop = DecodedEntry(0, 0).TSDescriptor;
    ASSERT_EQ(loop.size(), 3u);
    EXPECT_EQ(As<TPrivDataSpecDescriptor>(loop[1]).DataSpec, c.dataSpec);
    EXPECT_STREQ(loop[2]->ClassName(), c.lcdClass);
    // Both entries, visible or not, with the variant's reserved bits.
    std::vector<TNorDigLogChEntry> entries;
    if (c.variant == TLcnVariant::NorDigV2) {
      const auto& v2 = As<TNorDigLogicalChannelDescriptorV2>(loop[2]);
      ASSERT_EQ(v2.ChListEntry.size(), 1u);
      entries = v2.ChListEntry[0].LogChEntry;
    } else if (c.variant == TLcnVariant::NorDigV1) {
      entries = As<TNorDigLogicalChannelDescriptorV1>(loop[2]).LogChEntry;
    } else {
      for (const auto& e : As<TEacemLogicalChannelDescriptor>(loop[2]).LogChEntry)
        entries.push_back({e.ServiceID, e.Visible, e.Reserved, e.ChannelNo});
    }
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].ServiceID, 0x101);
    EXPECT_EQ(entries[0].Visible, 1);
    EXPECT_EQ(entries[1].ServiceID, 0x102);
    EXPECT_EQ(entries[1].Visible, 0);
    EXPECT_EQ(entries[1].ChannelNo, 2);
    for (const auto& e : entries) EXPECT_EQ(e.Reserved, c.reserved);
  }
}

TEST_F(NitBuild, StoredChannelNumbersAreMaskedByNetworkType) {
  // The stored number keeps 10 bits in a cable and 14 in a terrestrial network (NorDig
  // and HD simulcast always 14); the EACEM family transmits 10 bits, NorDig 14.
  struct Case {
    TNetworkType type;
    TLcnVariant variant;
    uint16_t stored, transmitted;
  };
  const Case cases[] = {
      {TNetworkType::Cable, TLcnVariant::EACEM, 476, 476},
      {TNetworkType::Terrestrial, TLcnVariant::EACEM, 1500, 476},
      {TNetworkType::Cable, TLcnVariant::ITC, 476, 476},
      {TNetworkType::Cable, TLcnVariant::NorDigV1, 1500, 1500},
      {TNetworkType::Terrestrial, TLcnVariant::NorDigV1, 1500, 1500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << static_cast<int>(c.type) << " variant "
                                    << static_cast<int>(c.variant));
    editor.SetNetworkType(c.type);
    editor.DeleteStream(0);
    SetOptions(false, true, true, c.variant);
    TTransportStreamData& r = AddStream(1, 1);
    r.ServiceList()[0]->SetLogicalNumber(1500);
    r.ServiceList()[0]->SetHDSimulLogicalNumber(1500 + 0x4000);
    ASSERT_TRUE(Build());

    auto channelNo = [](const TBasicDescriptorArray& loop) -> uint16_t {
      if (auto* v1 = dynamic_cast<const TNorDigLogicalChannelDescriptorV1*>(loop.at(2).get()))
        return v1->LogChEntry.at(0).ChannelNo;
      return As<TEacemLogicalChannelDescriptor>(loop.at(2)).LogChEntry.at(0).ChannelNo;
    };
    const TBasicDescriptorArray& built = BuiltSection(0).TSEntry[0]->TSDescriptor;
    const TBasicDescriptorArray& decoded = DecodedEntry(0, 0).TSDescriptor;
    EXPECT_EQ(channelNo(built), c.stored);
    EXPECT_EQ(channelNo(decoded), c.transmitted);
    EXPECT_EQ(As<THDSimulcastLogicalChannelDescriptor>(built.at(3)).LogChEntry.at(0).ChannelNo, 1500);
    // service 0x0101, visible, reserved 31, channel 476
    EXPECT_BYTES_EQ(HexToBytes("88 04 01 01 FD DC"), decoded.at(3)->DescriptorData());
  }
}

TEST_F(NitBuild, DescriptorSizeLimits) {
  struct Case {
    const char* name;
    size_t services;
    bool sld, lcd, hd;
    int hdNumbers;
    const char* stop;  // the box text, or nullptr when the build succeeds
    std::vector<std::string> shape;
  };
  const Case cases[] = {
      {"85 services fill the service list", 85, true, false, false, 0, nullptr, {"41/255", "44/11"}},
      {"86 services", 86, true, false, false, 0, kSrvListTooBig, {}},
      {"63 EACEM entries", 63, false, true, false, 0, nullptr, {"44/11", "5F/4", "83/252"}},
      {"64 EACEM entries", 64, false, true, false, 0, kNorDigTooBig, {}},
      {"60 entries and 3 HD numbers", 60, false, true, true, 3, nullptr, {"44/11", "5F/4", "83/240", "88/12"}},
      {"60 entries and 4 HD numbers", 60, false, true, true, 4, kNorDigTooBig, {}},
      {"4 HD numbers not asked for", 60, false, true, false, 4, nullptr, {"44/11", "5F/4", "83/240"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    while (editor.StreamCount() > 0) editor.DeleteStream(0);
    SetOptions(c.sld, c.lcd, c.hd);
    AddStream(1, 2);
    ASSERT_TRUE(Build());
    TTransportStreamData& r = AddStream(2, c.services);
    for (int i = 0; i < c.hdNumbers; ++i) r.ServiceList()[i]->SetHDSimulLogicalNumber(900 + i);
    dialogs.Clear();
    const bool ok = Build();
    EXPECT_EQ(ok, c.stop == nullptr);
    if (c.stop) {
      ExpectErrorBox(c.stop);
    } else {
      EXPECT_TRUE(dialogs.shown.empty());
      EXPECT_EQ(test::Shape(DecodedEntry(0, 1).TSDescriptor), c.shape);
    }
  }
}

TEST_F(NitBuild, CableFrequencyAndSymbolRateAsBcd) {
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  struct Case {
    long double freq, symb;
    uint32_t bcdFreq, bcdSymb;
    const char* stop;  // part of the message, or nullptr
  };
  const Case cases[] = {
      {346.0L, 6.9L, 0x03460000, 0x0069000, nullptr},
      {7999.9999L, 999.9999L, 0x79999999, 0x9999999, nullptr},
      {0.03125L, 0.09375L, 0x312, 0x938, nullptr},  // 312.5 and 937.5: halves go to even
      {0.0L, 0.0L, 0, 0, nullptr},
      {8000.0L, 6.9L, 0, 0, "Transportstrom 1 (TSID 7): Die Frequenz 8000 MHz"},
      {-0.0001L, 6.9L, 0, 0, "Die Frequenz -0.0001 MHz"},
      {nan, 6.9L, 0, 0, "Die Frequenz nan MHz"},
      {346.0L, 1000.0L, 0, 0, "Transportstrom 1 (TSID 7): Die Symbolrate 1000 MSymbol/s"},
  };
  TCableDescrData& r = static_cast<TCableDescrData&>(AddStream(7, 0));
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<double>(c.freq) << " MHz, " << static_cast<double>(c.symb));
    r.SetFreq(c.freq);
    r.SetSymbRate(c.symb);
    dialogs.Clear();
    if (c.stop) {
      EXPECT_FALSE(Build());
      ASSERT_EQ(dialogs.shown.size(), 1u);
      EXPECT_EQ(dialogs.shown[0].kind, DialogKind::ErrorCancel);
      EXPECT_NE(dialogs.shown[0].text.find(c.stop), std::string::npos) << dialogs.shown[0].text;
      EXPECT_TRUE(dialogs.shown[0].text.ends_with(kFail));
      continue;
    }
    ASSERT_TRUE(Build());
    const auto& d = As<TCableDelivSysDescriptor>(DecodedEntry(0, 0).TSDescriptor[0]);
    EXPECT_EQ(d.Freq, c.bcdFreq);
    EXPECT_EQ(d.Symb, c.bcdSymb);
  }
}

TEST_F(NitBuild, CableDeliveryDescriptorBytes) {
  AddStream(1, 0);  // 346 MHz, FEC outer 2, modulation 5, 6.9 Msymbol/s, FEC inner 0
  ASSERT_TRUE(Build());
  EXPECT_BYTES_EQ(HexToBytes("44 0B 03 46 00 00 FF F2 05 00 69 00 00"),
                  DecodedEntry(0, 0).TSDescriptor[0]->DescriptorData());
}

TEST_F(NitBuild, TerrestrialCentreFrequencyInTenHertz) {
  struct Case {
    long double freq;
    uint32_t centre;
    bool ok;
  };
  const Case cases[] = {
      {474.0L, 0x02D34440, true},
      {0.015625L, 1562, true},  // 1562.5: the half goes to even
      {0.046875L, 4688, true},  // 4687.5
      {42949.67295L, 0xFFFFFFFF, true},
      {42949.67296L, 0, false},
      {-0.00001L, 0, false},
  };
  editor.SetNetworkType(TNetworkType::Terrestrial);
  TTransportStreamData& r = AddStream(9, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.freq));
    r.SetFreq(c.freq);
    dialogs.Clear();
    if (!c.ok) {
      EXPECT_FALSE(Build());
      ASSERT_EQ(dialogs.shown.size(), 1u);
      EXPECT_EQ(dialogs.shown[0].kind, DialogKind::ErrorCancel);
      EXPECT_NE(dialogs.shown[0].text.find("Transportstrom 1 (TSID 9): Die Mittenfrequenz"), std::string::npos);
      continue;
    }
    ASSERT_TRUE(Build());
    EXPECT_EQ(As<TTerrestDelivSysDescriptor>(DecodedEntry(0, 0).TSDescriptor[0]).CentreFreq, c.centre);
  }
}

TEST_F(NitBuild, TerrestrialDeliveryDescriptorBytes) {
  editor.SetNetworkType(TNetworkType::Terrestrial);
  auto& r = static_cast<TTerrestrialDescrData&>(AddStream(1, 0));
  r.SetFreq(474.0L);
  r.SetBandWidth(2);
  r.SetPriority(1);
  r.SetTimeSliceIndicator(0);
  r.SetMpeFecIndictor(1);
  r.SetConstellation(2);
  r.SetHierarchy(3);
  r.SetHPCodeRate(4);
  r.SetLPCodeRate(1);
  r.SetGuardInterval(3);
  r.SetMode(2);
  r.SetOtherFreqFlag(1);
  ASSERT_TRUE(Build());
  // 010 1 0 1 11 | 10 011 100 | 001 11 10 1, reserved bits all set
  EXPECT_BYTES_EQ(HexToBytes("5A 0B 02 D3 44 40 57 9C 3D FF FF FF FF"),
                  DecodedEntry(0, 0).TSDescriptor[0]->DescriptorData());
}

TEST_F(NitBuild, EntriesBeyondTheLoopBudgetStartASection) {
  // Seven entries of 6 + 13 + 2 + 120 = 141 bytes: 987. With a name of n characters
  // the first section holds n + 2 + 987 bytes of loops.
  struct Case {
    size_t nameLength;
    int sections;
  };
  const Case cases[] = {{19, 1}, {20, 2}};
  SetOptions(true, false, false);
  for (uint16_t tsid = 1; tsid <= 7; ++tsid) AddStream(tsid, 40);
  editor.SetNetworkID(0x0BAD);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nameLength);
    editor.SetNetworkName(std::u16string(c.nameLength, u'N'));
    ASSERT_TRUE(Build());
    ASSERT_EQ(Decoded().Sections(), c.sections);
    const TNISection& first = *Decoded().Section(0);
    EXPECT_EQ(first.NetworkDescriptorLength(), c.nameLength + 2);
    if (c.sections == 1) {
      EXPECT_EQ(first.TSEntry.size(), 7u);
      EXPECT_EQ(first.NetworkDescriptorLength() + first.TransportStreamLoopLength(), kSectionLoopBudget);
      continue;
    }
    const TNISection& second = *Decoded().Section(1);
    EXPECT_EQ(first.TSEntry.size(), 6u);
    EXPECT_EQ(second.TSEntry.size(), 1u);
    EXPECT_EQ(second.TSEntry[0]->TSID(), 7);
    EXPECT_EQ(second.NetworkDescriptorLength(), 0);
    EXPECT_TRUE(second.NWDesc.empty());
    EXPECT_EQ(second.TransportStreamLoopLength(), 141);
    EXPECT_EQ(second.SectionLength(), 154);
    EXPECT_EQ(second.SectionNumber(), 1);
    for (const TNISection* s : {&first, &second}) {
      EXPECT_EQ(s->LastSectionNumber(), 1);
      EXPECT_EQ(s->NetworkID(), 0x0BAD);
      EXPECT_EQ(s->VersionNumber(), 1);
    }
  }
}

TEST_F(NitBuild, NorDigV2HoldsOnlyTheListsAStreamUses) {
  SetOptions(false, true, false, TLcnVariant::NorDigV2);
  AddChannelList(1, u"Liste A", Country('D', 'E', 'U'));
  AddChannelList(2, u"Liste B", Country('N', 'O', 'R'));
  AddChannelList(-1, u"Ohne", Country('S', 'W', 'E'));  // id never set: collects nothing
  TTransportStreamData& r = AddStream(1, 3);
  r.ServiceList()[0]->SetChannelListID(2);
  r.ServiceList()[0]->SetLogicalNumber(10);
  r.ServiceList()[2]->SetChannelListID(2);
  r.ServiceList()[2]->SetLogicalNumber(20000);  // 14 bits kept: 3616
  r.ServiceList()[2]->SetVisible(false);
  ASSERT_TRUE(Build());
  EXPECT_TRUE(dialogs.shown.empty());
  const TBasicDescriptorArray& loop = DecodedEntry(0, 0).TSDescriptor;
  ASSERT_EQ(test::Shape(loop), (std::vector<std::string>{"44/11", "5F/4", "87/21"}));
  // list 2, 7 name bytes, NOR, 8 entry bytes: 0x0101 visible 10, 0x0103 hidden 3616
  EXPECT_BYTES_EQ(HexToBytes("87 15 02 07 4C 69 73 74 65 20 42 4E 4F 52 08 01 01 C0 0A 01 03 4E 20"),
                  loop[2]->DescriptorData());
  const auto& v2 = As<TNorDigLogicalChannelDescriptorV2>(loop[2]);
  ASSERT_EQ(v2.ChListEntry.size(), 1u);
  EXPECT_EQ(v2.ChListEntry[0].ChListName, u"Liste B");
}

TEST_F(NitBuild, NorDigV2WithoutListsAsksPerStream) {
  struct Case {
    const char* name;
    std::vector<size_t> services;  // per stream
    std::vector<DialogAnswer> answers;
    bool ok;
    size_t questions;
  };
  const Case cases[] = {
      {"Yes", {2}, {DialogAnswer::Yes}, true, 1},
      {"Cancel", {2}, {DialogAnswer::Cancel}, false, 1},
      {"Yes for both streams", {2, 1}, {DialogAnswer::Yes, DialogAnswer::Yes}, true, 2},
      {"Cancel for the second", {2, 1}, {DialogAnswer::Yes, DialogAnswer::Cancel}, false, 2},
      {"a stream without services is not asked about", {0, 1}, {DialogAnswer::Yes}, true, 1},
  };
  SetOptions(false, true, true, TLcnVariant::NorDigV2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    while (editor.StreamCount() > 0) editor.DeleteStream(0);
    for (size_t n : c.services) {
      TTransportStreamData& r = AddStream(1, n);
      if (n > 0) r.ServiceList()[0]->SetHDSimulLogicalNumber(700);
    }
    dialogs.Clear();
    dialogs.answers.assign(c.answers.begin(), c.answers.end());
    EXPECT_EQ(Build(), c.ok);
    ASSERT_EQ(dialogs.shown.size(), c.questions);
    for (const auto& box : dialogs.shown) {
      EXPECT_EQ(box.kind, DialogKind::QuestionYesCancel);
      EXPECT_EQ(box.text, kNoChList);
    }
    if (c.ok) {
      // No V2 descriptor, but the specifier and the HD simulcast numbers stay.
      const size_t last = c.services.size() - 1;
      EXPECT_EQ(test::Shape(DecodedEntry(0, last).TSDescriptor),
                (std::vector<std::string>{"44/11", "5F/4", "88/4"}));
    }
  }
}

TEST_F(NitBuild, UnrepresentableValuesStopTheBuild) {
  struct Case {
    const char* name;
    std::function<void()> spoil;
    const char* message;  // how the first line starts
  };
  const Case cases[] = {
      {"network name of 256 characters", [&] { editor.SetNetworkName(std::u16string(256, u'x')); },
       "Der Netzwerk-Name hat 256 Zeichen"},
      {"network name beyond Latin-1", [&] { editor.SetNetworkName(u"Zarem \u03A9"); },
       "Der Netzwerk-Name enthält das Zeichen U+03A9"},
      {"network name with a character outside the BMP", [&] { editor.SetNetworkName(u"TV \U0001F4FA"); },
       "Der Netzwerk-Name enthält das Zeichen U+1F4FA"},
      {"channel list name beyond Latin-1",
       [&] {
         SetOptions(false, true, false, TLcnVariant::NorDigV2);
         AddChannelList(2, u"Liste \u20AC", 0);
         editor.Stream(0)->ServiceList()[0]->SetChannelListID(2);
       },
       "Der Name der Kanalliste 2 enthält das Zeichen U+20AC"},
      {"cable frequency", [&] { editor.Stream(1)->SetFreq(9000.0L); },
       "Transportstrom 2 (TSID 2): Die Frequenz 9000 MHz"},
      {"257th section",
       [&] {
         // 470-byte entries, two to a section.
         SetOptions(true, true, false);
         while (editor.StreamCount() > 0) editor.DeleteStream(0);
         for (int i = 0; i < 2 * kMaxSections + 1; ++i) AddStream(static_cast<uint16_t>(i + 1), 63);
       },
       "Transportstrom 513 (TSID 513) passt nicht mehr in die NIT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.SetNetworkName(u"Zarem Network");
    SetOptions(false, false, false);
    editor.ChannelList().clear();
    while (editor.StreamCount() > 0) editor.DeleteStream(0);
    AddStream(1, 1);
    AddStream(2, 1);
    ASSERT_TRUE(Build());
    c.spoil();
    dialogs.Clear();
    EXPECT_FALSE(Build());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::ErrorCancel);
    EXPECT_TRUE(dialogs.shown[0].text.starts_with(c.message)) << dialogs.shown[0].text;
    EXPECT_TRUE(dialogs.shown[0].text.ends_with(kFail));
  }
}

}  // namespace
}  // namespace quillon
