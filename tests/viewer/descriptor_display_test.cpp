#include <gtest/gtest.h>

#include "descriptors/network.h"
#include "platform/dialogs.h"
#include "support/test_util.h"
#include "viewer/descriptor_display.h"
#include "viewer/table_tree.h"
#include "viewer/viewer_test_util.h"

namespace quillon {
namespace {

using test::DescriptorDisplay;
using test::DisplayCase;
using test::Decoded;
using test::Shown;

// Decoded as the loop parser decodes, without a message.
TEST_P(DescriptorDisplay, ShowsEveryField) {
  const DisplayCase& c = GetParam();
  std::unique_ptr<TBasicDescriptor> d = Decoded(c.hex, c.privSpec);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(c.shown, Shown(*d));
  EXPECT_TRUE(dialogs.shown.empty());
}

const DisplayCase kNetworkCases[] = {
    {"NetworkNameOf13Chars", kNoPrivSpec, "40 0D 4B 61 62 65 6C 20 4E 6F 72 64 20 30 31",
     R"(Network Name Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x40 |
  Descriptor Length | 8 Bit | 13 |
  Network Name | 13 Chars | Kabel Nord 01 |
)"},
    {"ServiceListOfTwo", kNoPrivSpec, "41 06 01 01 01 02 0A 19",
     R"(Service List Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x41 |
  Descriptor Length | 8 Bit | 6 |
  Service List Loop |  |  |
    Service List Entry |  |  | 257
      Service ID | 16 Bit | 0x0101 |
      Service Type | 8 Bit | 0x01 | Digital Television Service
    Service List Entry |  |  | 522
      Service ID | 16 Bit | 0x020A |
      Service Type | 8 Bit | 0x19 | Advanced Codec HD Digital Television Service
)"},
    {"EmptyLoop", kNoPrivSpec, "41 00",
     R"(Service List Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x41 |
  Descriptor Length | 8 Bit | 0 |
  Service List Loop |  |  |
)"},
    {"EmptyByteBlock", kNoPrivSpec, "42 00",
     R"(Stuffing Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x42 |
  Descriptor Length | 8 Bit | 0 |
  Stuffing Descriptor | 0 Bytes |  |
)"},
    {"Satellite", kNoPrivSpec, "43 0B 01 17 50 00 01 92 A1 02 75 00 03",
     R"(Satellite Delivery System Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x43 |
  Descriptor Length | 8 Bit | 11 |
  Frequency | 32 Bit | 0x01175000 | 11,75000 GHz
  Orbital Position | 16 Bit | 0x0192 | 19,2°
  West/East Flag | 1 Bit | 1 | East
  Polarisation | 2 Bit | 1 | Linear - Vertical
  Roll-Off | 2 Bit | 0 | a=0,35
  Modulation System | 1 Bit | 0 | DVB-S
  Modulation Type | 2 Bit | 1 | QPSK
  Symbol Rate | 28 Bit | 0x0275000 | 27,5000 MSym/s
  FEC Inner | 4 Bit | 3 | 3/4 Conv. Code Rate
)"},
    // The 346 MHz cable descriptor is shown in the tree test; here a frequency that is no BCD.
    {"CableFrequencyNotBcd", kNoPrivSpec, "44 0B 03 4A 00 00 00 01 05 02 74 50 03",
     R"(Cable Delivery System Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x44 |
  Descriptor Length | 8 Bit | 11 |
  Frequency | 32 Bit | 0x034A0000 | 0,0000 MHz
  Reserved For Future Use | 12 Bit | 0 |
  FEC Outer | 4 Bit | 1 | No Outer FEC Coding
  Modulation | 8 Bit | 5 | 256 QAM
  Symbol Rate | 28 Bit | 0x0274500 | 27,4500 MSym/s
  FEC Inner | 4 Bit | 3 | 3/4 Conv. Code Rate
)"},
    {"MobileHandOverLinkage", kNoPrivSpec, "4A 0E 00 01 00 85 00 10 08 1E 30 01 00 20 AA BB",
     R"(Linkage Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x4A |
  Descriptor Length | 8 Bit | 14 |
  Transport Stream ID | 16 Bit | 0x0001 |
  Original Network ID | 16 Bit | 0x0085 | - / Satellite / BetaTechnik
  Service ID | 16 Bit | 0x0010 |
  Linkage Type | 8 Bit | 0x08 | Mobile Hand-Over
  Hand-Over Type | 4 Bit | 0x01 | DVB Hand-Over To An Identical Service In A Neighbourhood Country
  Reserved For Future Use | 3 Bit | 0x07 |
  Origin Type | 1 Bit | 0x00 | NIT
  Network ID | 16 Bit | 0x3001 |
  Initial Service ID | 16 Bit | 0x0020 |
  Private Data | 2 Bytes | AA BB  |
)"},
    {"PlainLinkage", kNoPrivSpec, "4A 07 00 01 00 01 00 02 01",
     R"(Linkage Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x4A |
  Descriptor Length | 8 Bit | 7 |
  Transport Stream ID | 16 Bit | 0x0001 |
  Original Network ID | 16 Bit | 0x0001 | Astra Satellite Network 19,2°E / Satellite / SES
  Service ID | 16 Bit | 0x0002 |
  Linkage Type | 8 Bit | 0x01 | Information Service
  Private Data | 0 Bytes |  |
)"},
    {"Terrestrial474MHz", kNoPrivSpec, "5A 0B 02 D3 44 40 13 82 12 FF FF FF FF",
     R"(Terrestrial Delivery System Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x5A |
  Descriptor Length | 8 Bit | 11 |
  Centre Frequency | 32 Bit | 0x02D34440 | 474,000000 MHz
  Bandwidth | 3 Bit | 0 | 8 MHz
  Priority | 1 Bit | 1 | HP (High Priority)
  Time Slicing Indicator | 1 Bit | 0 |
  MPE-FEC Indicator | 1 Bit | 0 |
  Reserved For Future Use | 2 Bit | 3 |
  Constellation | 2 Bit | 2 | 64 QAM
  Hierarchy Information | 3 Bit | 0 | Non Hierarchical, Native Interleaver
  Code Rate HP Stream | 3 Bit | 2 | 3/4
  Code Rate LP Stream | 3 Bit | 0 | 1/2
  Guard Interval | 2 Bit | 2 | 1/8
  Transmission Mode | 2 Bit | 1 | 8k Mode
  Other Frequency Flag | 1 Bit | 0 | No Other Frequency In Use
  Reserved For Future Use | 32 Bit | 4294967295 |
)"},
    {"MultilingualNetworkNames", kNoPrivSpec, "5B 10 64 65 75 05 05 54 65 73 74 65 6E 67 03 4E 65 74",
     "Multilingual Network Name Descriptor |  |  |\n"
     "  Descriptor Tag | 8 Bit | 0x5B |\n"
     "  Descriptor Length | 8 Bit | 16 |\n"
     "  Multilingual Network Name Loop |  |  |\n"
     "    Multilingual Network Name Entry |  |  |\n"
     "      ISO 639 Language Code | 24 Bit | 0x646575 | deu\n"
     "      Network Name Length | 8 Bit | 5 |\n"
     "      Network Name | 5 | [0x05]Test | Test (ISO 8859-9 - Latin Alphabet No. 5)\n"
     "    Multilingual Network Name Entry |  |  |\n"
     "      ISO 639 Language Code | 24 Bit | 0x656E67 | eng\n"
     "      Network Name Length | 8 Bit | 3 |\n"
     "      Network Name | 3 | Net |\n"},
    {"PrivateDataSpecifier", kNoPrivSpec, "5F 04 00 00 00 29",
     R"(Private Data Specifier Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x5F |
  Descriptor Length | 8 Bit | 4 |
  Specifier | 32 Bit | 0x00000029 | NorDig
)"},
    {"TerrestrialFrequencyList", kNoPrivSpec, "62 09 FF 02 D3 44 40 02 FA F0 80",
     R"(Frequency List Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x62 |
  Descriptor Length | 8 Bit | 9 |
  Reserved For Future Use | 6 Bit | 63 |
  Coding Type | 2 Bit | 3 | Terrestrial
  Frequency List Loop |  |  |
    Frequency List Entry |  |  |
      Centre Frequency | 32 Bit | 47400000 | 474,000000 MHz
    Frequency List Entry |  |  |
      Centre Frequency | 32 Bit | 50000000 | 500,000000 MHz
)"},
    {"CellCoordinates", kNoPrivSpec, "6C 12 00 01 C0 00 20 00 10 02 00 08 05 40 00 80 00 00 0F FF",
     R"(Cell List Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x6C |
  Descriptor Length | 8 Bit | 18 |
  Cell List Loop |  |  |
    Cell List Entry |  |  |
      Cell ID | 16 Bit | 1 |
      Cell Latitude | 16 Bit | 49152 | -45,00° (South)
      Cell Longitude | 16 Bit | 8192 | 45,00° (East)
      Cell Extend Of Latitude | 12 Bit | 256 | 0,70°
      Cell Extend Of Longitude | 12 Bit | 512 | 2,81°
      Subcell Info Loop Length | 8 Bit | 8 |
      Subcell Info Loop |  |  |
        Subcell Info Entry |  |  |
          Cell ID Extension | 8 Bit | 5 |
          Subcell Latitude | 16 Bit | 16384 | 45,00° (North)
          Subcell Longitude | 16 Bit | 32768 | -180,00° (West)
          Subcell Extend Of Latitude | 12 Bit | 0 | 0,00°
          Subcell Extend Of Longitude | 12 Bit | 4095 | 22,49°
)"},
    // Cell link frequencies are terrestrial ones, in 10 Hz units.
    {"CellFrequencyLink", kNoPrivSpec, "6D 0C 00 02 02 D3 44 40 05 01 02 FA F0 80",
     R"(Cell Frequency Link Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x6D |
  Descriptor Length | 8 Bit | 12 |
  Cell Loop |  |  |
    Cell Entry |  |  |
      Cell ID | 16 Bit | 2 |
      Frequency | 32 Bit | 0x02D34440 | 474,000000 MHz
      Subcell Info Loop Length | 8 Bit | 5 |
      Subcell Info Loop |  |  |
        Subcell Info Entry |  |  |
          Cell ID Extension | 8 Bit | 1 |
          Transposer Frequency | 32 Bit | 0x02FAF080 | 500,000000 MHz
)"},
    {"S2SatelliteWithBothOptions", kNoPrivSpec, "79 05 DF FC 00 05 07",
     R"(S2 Satellite Delivery System Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x79 |
  Descriptor Length | 8 Bit | 5 |
  Scrambling Sequence Selector | 1 Bit | 1 |
  Multiple Input Stream Flag | 1 Bit | 1 |
  Backward Compatibility Indicator | 1 Bit | 0 |
  Reserved For Future Use | 5 Bit | 31 |
  Reserved | 6 Bit | 63 |
  Scrambling Sequence Index | 18 Bit | 0x000005 |
  Input Stream Identifier | 8 Bit | 7 |
)"},
    {"S2SatelliteWithoutOptions", kNoPrivSpec, "79 01 00",
     R"(S2 Satellite Delivery System Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x79 |
  Descriptor Length | 8 Bit | 1 |
  Scrambling Sequence Selector | 1 Bit | 0 |
  Multiple Input Stream Flag | 1 Bit | 0 |
  Backward Compatibility Indicator | 1 Bit | 0 |
  Reserved For Future Use | 5 Bit | 0 |
)"},
};
INSTANTIATE_TEST_SUITE_P(Network, DescriptorDisplay, ::testing::ValuesIn(kNetworkCases),
                         test::CaseName);

const DisplayCase kPrivateAndRawCases[] = {
    {"EacemVisibleAndNot", kPrivSpecEacem, "83 08 01 01 7C 01 01 02 FC 02",
     R"(EACEM Logical Channel Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x83 |
  Descriptor Length | 8 Bit | 8 |
  Channel Loop |  |  |
    Channel Entry |  |  |
      Service ID | 16 Bit | 0x0101 |
      Visible Service Flag | 1 Bit | 0 | Non-Visible / Selectable
      Reserved | 5 Bit | 31 |
      Logical Channel Number | 10 Bit | 1 |
    Channel Entry |  |  |
      Service ID | 16 Bit | 0x0102 |
      Visible Service Flag | 1 Bit | 1 | Visible / Selectable
      Reserved | 5 Bit | 31 |
      Logical Channel Number | 10 Bit | 2 |
)"},
    {"NorDigV1", kPrivSpecNorDig, "83 04 01 01 C3 E8",
     R"(NorDig Logical Channel Descriptor V1 |  |  |
  Descriptor Tag | 8 Bit | 0x83 |
  Descriptor Length | 8 Bit | 4 |
  Channel Loop |  |  |
    Channel Entry |  |  |
      Service ID | 16 Bit | 0x0101 |
      Visible Service Flag | 1 Bit | 1 | Visible / Selectable
      Reserved | 1 Bit | 1 |
      Logical Channel Number | 14 Bit | 1000 |
)"},
    {"NorDigV2OneListOfThree", kPrivSpecNorDig, "87 16 01 04 41 6C 6C 65 4E 4F 52 0C 01 01 C0 01 01 02 C0 02 01 03 40 03",
     R"(NorDig Logical Channel Descriptor V2 |  |  |
  Descriptor Tag | 8 Bit | 0x87 |
  Descriptor Length | 8 Bit | 22 |
  Channel List Loop |  |  |
    Channel List Entry |  |  |
      Channel List ID | 8 Bit | 1 |
      Channel List Name Length | 8 Bit | 4 |
      Channel List Name | 4 Chars | Alle |
      Country Code | 24 Bit | 0x4E4F52 | NOR
      Channel Loop Length | 8 Bit | 12 |
      Channel Loop |  |  |
        Channel Entry |  |  |
          Service ID | 16 Bit | 0x0101 |
          Visible Service Flag | 1 Bit | 1 | Visible / Selectable
          Reserved | 1 Bit | 1 |
          Logical Channel Number | 14 Bit | 1 |
        Channel Entry |  |  |
          Service ID | 16 Bit | 0x0102 |
          Visible Service Flag | 1 Bit | 1 | Visible / Selectable
          Reserved | 1 Bit | 1 |
          Logical Channel Number | 14 Bit | 2 |
        Channel Entry |  |  |
          Service ID | 16 Bit | 0x0103 |
          Visible Service Flag | 1 Bit | 0 | Non-Visible / Selectable
          Reserved | 1 Bit | 1 |
          Logical Channel Number | 14 Bit | 3 |
)"},
    {"UserDefinedWithoutSpecifier", kNoPrivSpec, "83 02 01 02",
     R"(User Defined |  |  |
  Descriptor Tag | 8 Bit | 0x83 |
  Descriptor Length | 8 Bit | 2 |
  Data | 2 Bytes | 01 02  |
)"},
    {"TagWithoutDisplay", kNoPrivSpec, "67 02 AB CD",
     R"(Transport Stream Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x67 |
  Descriptor Length | 8 Bit | 2 |
  Data | 2 Bytes | AB CD  |
)"},
    {"UnknownTag", kNoPrivSpec, "16 01 00",
     R"(Unknown Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x16 |
  Descriptor Length | 8 Bit | 1 |
  Data | 1 Bytes | 00  |
)"},
    {"ReservedTag", kNoPrivSpec, "7A 00",
     R"(Reserverd For Future Use |  |  |
  Descriptor Tag | 8 Bit | 0x7A |
  Descriptor Length | 8 Bit | 0 |
  Data | 0 Bytes |  |
)"},
    {"ForbiddenTag", kNoPrivSpec, "FF 01 FF",
     R"(Forbidden |  |  |
  Descriptor Tag | 8 Bit | 0xFF |
  Descriptor Length | 8 Bit | 1 |
  Data | 1 Bytes | FF  |
)"},
};
INSTANTIATE_TEST_SUITE_P(PrivateAndRaw, DescriptorDisplay, ::testing::ValuesIn(kPrivateAndRawCases),
                         test::CaseName);

// Satellite and cable lists carry BCD frequencies, as their delivery descriptors do;
// terrestrial and undefined ones count 10 Hz units.
TEST(DescriptorDisplayFields, FrequencyListCodingDecidesTheUnit) {
  test::SeparatorScope comma(u',');
  struct {
    const char* hex;
    const char* entry;
  } cases[] = {
      {"62 05 FD 01 17 50 00", "      Centre Frequency | 32 Bit | 0x01175000 | 11,75000 GHz\n"},
      {"62 05 FE 03 46 00 00", "      Centre Frequency | 32 Bit | 0x03460000 | 346,0000 MHz\n"},
      {"62 05 FF 02 D3 44 40", "      Centre Frequency | 32 Bit | 47400000 | 474,000000 MHz\n"},
      {"62 05 FC 02 D3 44 40", "      Centre Frequency | 32 Bit | 47400000 | 474,000000 MHz\n"},
  };
  for (const auto& c : cases) {
    const std::string shown = Shown(*Decoded(c.hex));
    EXPECT_TRUE(shown.ends_with(c.entry)) << shown;
  }
}

// The classes with the EACEM layout keep their own names and its 5 + 10 bits.
TEST(DescriptorDisplayFields, EacemLayoutClasses) {
  struct {
    uint32_t privSpec;
    const char* hex;
    const char16_t* name;
  } cases[] = {
      {kPrivSpecEacem, "83 04 01 01 FC 01", u"EACEM Logical Channel Descriptor"},
      {kPrivSpecItc, "83 04 01 01 FC 01", u"ITC Logical Channel Descriptor"},
      {kPrivSpecEacem, "88 04 01 01 FC 01", u"HD Simulcast Logical Channel Descriptor"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TBasicDescriptor> d = Decoded(c.hex, c.privSpec);
    TTableTree tree;
    const TTableNode& node = AddDescriptorNode(tree.AddRoot(u"loop"), *d);
    EXPECT_EQ(node.Data.Name, c.name);
    EXPECT_EQ(Shown(*node.Child(2)), R"(Channel Loop |  |  |
  Channel Entry |  |  |
    Service ID | 16 Bit | 0x0101 |
    Visible Service Flag | 1 Bit | 1 | Visible / Selectable
    Reserved | 5 Bit | 31 |
    Logical Channel Number | 10 Bit | 1 |
)");
  }
}

// A descriptor the factory failed to decode is shown raw, whatever its tag.
TEST(DescriptorDisplayDispatch, FailedDecodeShowsItsBytes) {
  RecordingDialogs dialogs;
  ScopedDialogs scoped(dialogs);
  std::unique_ptr<TBasicDescriptor> d = Decoded("44 02 03 46");
  ASSERT_STREQ(d->ClassName(), "TUnknownDescriptor");
  EXPECT_EQ(R"(Cable Delivery System Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x44 |
  Descriptor Length | 8 Bit | 2 |
  Data | 2 Bytes | 03 46  |
)",
            Shown(*d));
}

// An object of another class than its tag's shows its encoded body.
TEST(DescriptorDisplayDispatch, ClassOtherThanTheTagsShowsItsBody) {
  TNetworkNameDescriptor d;
  d.Tag = 0x41;
  d.NetName = u"Net";
  d.Length = 3;
  EXPECT_EQ(R"(Service List Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x41 |
  Descriptor Length | 8 Bit | 3 |
  Data | 3 Bytes | 4E 65 74  |
)",
            Shown(d));
}

TEST(DescriptorDisplayDispatch, NothingWithoutNodeOrDescriptor) {
  TTableTree tree;
  TTableNode& node = tree.AddRoot(u"d");
  AddDescriptorNodes(&node, nullptr);
  EXPECT_EQ(node.ChildCount(), 0);
  TNetworkNameDescriptor d;
  AddDescriptorNodes(nullptr, &d);  // must not crash
}

// Every class the factory can create displays as a fresh object; a class of its own
// shows its fields, never the raw "Data" node.
TEST(DescriptorDisplayDispatch, EveryClassShowsAFreshObject) {
  for (uint32_t privSpec : {kNoPrivSpec, kPrivSpecEacem, kPrivSpecNorDig, kPrivSpecItc}) {
    for (int tag = 0; tag < 256; ++tag) {
      std::unique_ptr<TBasicDescriptor> d = CreateDescriptorForTag(static_cast<uint8_t>(tag), privSpec);
      d->Tag = static_cast<uint8_t>(tag);
      SCOPED_TRACE(std::string(d->ClassName()) + " tag " + std::to_string(tag));
      TTableTree tree;
      TTableNode* node = nullptr;
      ASSERT_NO_THROW(node = &AddDescriptorNode(tree.AddRoot(u"loop"), *d));
      EXPECT_FALSE(node->Data.Name.empty());
      ASSERT_GE(node->ChildCount(), 3);
      EXPECT_EQ(node->Child(0)->Data.Name, u"Descriptor Tag");
      EXPECT_EQ(node->Child(1)->Data.Name, u"Descriptor Length");
      const bool raw = dynamic_cast<TUserDefinedDescriptor*>(d.get()) != nullptr;
      EXPECT_EQ(node->Child(2)->Data.Name == u"Data", raw);
    }
  }
}

}  // namespace
}  // namespace quillon
