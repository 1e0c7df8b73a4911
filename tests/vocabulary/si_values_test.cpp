#include "vocabulary/si_values.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "vocabulary/number_text.h"

namespace quillon {
namespace {

// One spot check: the call as written, what it returned, what it must return.
struct TextCase {
  const char* call;
  std::u16string actual;
  std::u16string expected;
};
#define TEXT_CASE(call, expected) \
  TextCase { #call, call, expected }

void ExpectTexts(std::initializer_list<TextCase> cases) {
  for (const TextCase& c : cases) EXPECT_EQ(c.expected, c.actual) << c.call;
}

constexpr const char16_t* kRfu = u"Reserved For Future Use";

// Restores the decimal separator a test changes.
class SeparatorGuard {
 public:
  SeparatorGuard() : saved_(DecimalSeparator()) {}
  ~SeparatorGuard() { SetDecimalSeparator(saved_); }

 private:
  char16_t saved_;
};

TEST(SiValues, TableIdRangesAndFallbacks) {
  ExpectTexts({
      TEXT_CASE(TableIDText(0x00), u"Program Association Section"),
      TEXT_CASE(TableIDText(0x03), u"Transport Stream Description Section"),
      TEXT_CASE(TableIDText(0x04), u"Reserved"),
      TEXT_CASE(TableIDText(0x3F), u"Reserved"),
      TEXT_CASE(TableIDText(0x40), u"Network Information Section - Actual Network"),
      TEXT_CASE(TableIDText(0x41), u"Network Information Section - Other Network"),
      TEXT_CASE(TableIDText(0x43), kRfu),
      TEXT_CASE(TableIDText(0x45), kRfu),
      TEXT_CASE(TableIDText(0x46), u"Service Description Section - Other Transport Stream"),
      TEXT_CASE(TableIDText(0x4D), kRfu),
      TEXT_CASE(TableIDText(0x4F), u"Event Information Section - Other Transport Stream Present/Following"),
      TEXT_CASE(TableIDText(0x50), u"Event Information Section - Actual Transport Stream Schedule"),
      TEXT_CASE(TableIDText(0x5F), u"Event Information Section - Actual Transport Stream Schedule"),
      TEXT_CASE(TableIDText(0x60), u"Event Information Section - Other Transport Stream Schedule"),
      TEXT_CASE(TableIDText(0x6F), u"Event Information Section - Other Transport Stream Schedule"),
      TEXT_CASE(TableIDText(0x73), u"Time Offset Section"),
      TEXT_CASE(TableIDText(0x78), kRfu),
      TEXT_CASE(TableIDText(0x79), u"Resolution Provider Notification Section"),
      TEXT_CASE(TableIDText(0x7D), kRfu),
      TEXT_CASE(TableIDText(0x7F), u"Selection Information Section"),
      TEXT_CASE(TableIDText(0x80), u"User Defined"),
      TEXT_CASE(TableIDText(0xFE), u"User Defined"),
      TEXT_CASE(TableIDText(0xFF), u"Reserved"),
  });
}

TEST(SiValues, DescriptorTagsAndPrivateTags) {
  ExpectTexts({
      TEXT_CASE(DescriptorTagText(0x00, 0), u"Unknown Descriptor"),
      TEXT_CASE(DescriptorTagText(0x01, 0), u"Unknown Descriptor"),
      TEXT_CASE(DescriptorTagText(0x02, 0), u"Video Stream Descriptor"),
      TEXT_CASE(DescriptorTagText(0x0A, 0), u"ISO-639 Language Code Descriptor"),
      TEXT_CASE(DescriptorTagText(0x11, 0), u"System Target Decoder (STD) Descriptor"),
      TEXT_CASE(DescriptorTagText(0x14, 0), u"Association Tag Descriptor"),
      TEXT_CASE(DescriptorTagText(0x15, 0), u"Unknown Descriptor"),
      TEXT_CASE(DescriptorTagText(0x3F, 0), u"Unknown Descriptor"),
      TEXT_CASE(DescriptorTagText(0x40, 0), u"Network Name Descriptor"),
      TEXT_CASE(DescriptorTagText(0x49, 0), u"Country Availibility Descriptor"),
      TEXT_CASE(DescriptorTagText(0x5A, 0), u"Terrestrial Delivery System Descriptor"),
      TEXT_CASE(DescriptorTagText(0x5F, 0), u"Private Data Specifier Descriptor"),
      TEXT_CASE(DescriptorTagText(0x61, 0), u"Short Smoothing BufferDescriptor"),
      TEXT_CASE(DescriptorTagText(0x6A, 0), u"AC-3 Descriptor"),
      TEXT_CASE(DescriptorTagText(0x72, 0), u"Service Availability Descriptor"),
      TEXT_CASE(DescriptorTagText(0x73, 0), u"Reserverd For Future Use"),
      TEXT_CASE(DescriptorTagText(0x78, 0), u"Reserverd For Future Use"),
      TEXT_CASE(DescriptorTagText(0x79, 0), u"S2 Satellite Delivery System Descriptor"),
      TEXT_CASE(DescriptorTagText(0x7A, 0), u"Reserverd For Future Use"),
      TEXT_CASE(DescriptorTagText(0x7F, 0), u"Reserverd For Future Use"),
      TEXT_CASE(DescriptorTagText(0x80, 0x28), u"User Defined"),
      TEXT_CASE(DescriptorTagText(0xFE, 0x28), u"User Defined"),
      TEXT_CASE(DescriptorTagText(0xFF, 0x28), u"Forbidden"),
      // The same user-defined tag under each specifier.
      TEXT_CASE(DescriptorTagText(0x83, 0x28), u"EACEM Logical Channel Descriptor"),
      TEXT_CASE(DescriptorTagText(0x83, 0x29), u"NorDig Logical Channel Descriptor V1"),
      TEXT_CASE(DescriptorTagText(0x83, 0x233A), u"ITC Logical Channel Descriptor"),
      TEXT_CASE(DescriptorTagText(0x83, 0xFFFFFFFF), u"User Defined"),
      TEXT_CASE(DescriptorTagText(0x83, 0), u"User Defined"),
      TEXT_CASE(DescriptorTagText(0x84, 0x28), u"EACEM Preferred Name List Descriptor"),
      TEXT_CASE(DescriptorTagText(0x85, 0x28), u"EACEM Preferred Name Identifier Descriptor"),
      TEXT_CASE(DescriptorTagText(0x86, 0x28), u"EACEM Stream Identifier Descriptor"),
      TEXT_CASE(DescriptorTagText(0x88, 0x28), u"HD Simulcast Logical Channel Descriptor"),
      TEXT_CASE(DescriptorTagText(0x88, 0x29), u"User Defined"),
      TEXT_CASE(DescriptorTagText(0x87, 0x29), u"NorDig Logical Channel Descriptor V2"),
      TEXT_CASE(DescriptorTagText(0x87, 0x28), u"User Defined"),
      TEXT_CASE(DescriptorTagText(0x87, 0x233A), u"User Defined"),
      // A specifier only renames user-defined tags.
      TEXT_CASE(DescriptorTagText(0x44, 0x29), u"Cable Delivery System Descriptor"),
  });
}

TEST(SiValues, NetworkBouquetAndCaIds) {
  ExpectTexts({
      TEXT_CASE(OriginalNetworkIDText(0x0000), u"Reserved / Reserved / Reserved"),
      TEXT_CASE(OriginalNetworkIDText(0x0001), u"Astra Satellite Network 19,2°E / Satellite / SES"),
      TEXT_CASE(OriginalNetworkIDText(0x0003), u""),
      TEXT_CASE(OriginalNetworkIDText(0x0040), u"- / - / HPT - Croatian Post And Telecommunications"),
      TEXT_CASE(OriginalNetworkIDText(0x0050), u"- / - / HPT - Croatian Post And Telecommunications"),
      TEXT_CASE(OriginalNetworkIDText(0x0058), u"Thiacom 1 & 2 colocated 78.5°E / Satellite / Shinawatra Satellite"),
      TEXT_CASE(OriginalNetworkIDText(0x00A0), u"National Cable Network / Cable / News Datacom"),
      TEXT_CASE(OriginalNetworkIDText(0x00A1), u"News Satellite Network / Satellite / News Datacom"),
      TEXT_CASE(OriginalNetworkIDText(0x00A5), u"News Satellite Network / Satellite / News Datacom"),
      TEXT_CASE(OriginalNetworkIDText(0x00A6), u""),
      TEXT_CASE(OriginalNetworkIDText(0x013E),
                u"Eutelsat Satellite System 13°E / Satellite / European Telecommunications Satellite Organisation"),
      TEXT_CASE(OriginalNetworkIDText(0xFFFF), u""),

      TEXT_CASE(BouquetIDText(0x0000), u"Reserved / Reserved"),
      TEXT_CASE(BouquetIDText(0x0FFF), u""),
      TEXT_CASE(BouquetIDText(0x1000), u"BSkyB n° / British Sky Broadcasting"),
      TEXT_CASE(BouquetIDText(0x101F), u"BSkyB n° / British Sky Broadcasting"),
      TEXT_CASE(BouquetIDText(0x1020), u""),
      TEXT_CASE(BouquetIDText(0x4000), u"HPT / HPT"),
      TEXT_CASE(BouquetIDText(0x4010), u"HRT / HRT"),
      TEXT_CASE(BouquetIDText(0x501F), u"Betatechnik n° / Betatechnik"),
      TEXT_CASE(BouquetIDText(0x60BF), u"NDC n° / News Datacom"),
      TEXT_CASE(BouquetIDText(0x60C0), u""),

      TEXT_CASE(CASystemIDText(0x0000), u"Reserved"),
      TEXT_CASE(CASystemIDText(0x0001), u"Standardized Systems"),
      TEXT_CASE(CASystemIDText(0x00FF), u"Standardized Systems"),
      TEXT_CASE(CASystemIDText(0x0100), u"Canal Plus"),
      TEXT_CASE(CASystemIDText(0x01FF), u"Canal Plus"),
      TEXT_CASE(CASystemIDText(0x0B00), u"Norwegian Telecom"),
      TEXT_CASE(CASystemIDText(0x19FF), u"Titan Information Systems"),
      TEXT_CASE(CASystemIDText(0x1A00), u""),
      TEXT_CASE(CASystemIDText(0x1FFF), u""),
      TEXT_CASE(CASystemIDText(0x2000), u"Telefonica Servicios Audiovisuales"),
      TEXT_CASE(CASystemIDText(0x26FF), u"European Broadcasting Union"),
      TEXT_CASE(CASystemIDText(0x2700), u""),
      TEXT_CASE(CASystemIDText(0x46FF), u""),
      TEXT_CASE(CASystemIDText(0x4700), u"General Instrument"),
      TEXT_CASE(CASystemIDText(0x49FF), u"Digital TV Industry Alliance of China"),
      TEXT_CASE(CASystemIDText(0x4A00), u"Tsinghua TongFang"),
      TEXT_CASE(CASystemIDText(0x4A0F), u"Tsinghua TongFang"),
      TEXT_CASE(CASystemIDText(0x4A10), u"Easycas"),
      TEXT_CASE(CASystemIDText(0x4A1F), u"Easycas"),
      TEXT_CASE(CASystemIDText(0x4A20), u""),
      TEXT_CASE(CASystemIDText(0xFFFF), u""),
  });
}

TEST(SiValues, PrivateDataSpecifiers) {
  ExpectTexts({
      TEXT_CASE(PrivateDataSpecifierText(0x00000000), u"Reserved"),
      TEXT_CASE(PrivateDataSpecifierText(0x00000028), u"EACEM"),
      TEXT_CASE(PrivateDataSpecifierText(0x00000029), u"NorDig"),
      TEXT_CASE(PrivateDataSpecifierText(0x0000233A), u"Independent Television Commission"),
      TEXT_CASE(PrivateDataSpecifierText(0x0000002C), u"?"),
      TEXT_CASE(PrivateDataSpecifierText(0x0000003C), u"?"),
      TEXT_CASE(PrivateDataSpecifierText(0x00000042), u"?"),
      TEXT_CASE(PrivateDataSpecifierText(0x00003210), u"?"),
      TEXT_CASE(PrivateDataSpecifierText(0x00006007), u"?"),
      TEXT_CASE(PrivateDataSpecifierText(0x46545621), u"?"),
      TEXT_CASE(PrivateDataSpecifierText(0xFFFFFFFF), u"?"),
  });
  // Ranges read the same at both ends, and an owner of several keys has one text.
  const std::pair<uint32_t, uint32_t> same[] = {
      {0x02, 0x04},         {0x09, 0x0D},           {0x20, 0x23},         {0x3200, 0x320F},
      {0x6000, 0x6006},     {0x4F545600, 0x4F5456FF}, {0x50484900, 0x504849FF}, {0x46545600, 0x46545620},
      {0x13F, 0x55F},       {0x32, 0x41555300},     {0x10, 0x1000},       {0x100, 0x4F545600},
      {0x532D41, 0x53415053},
  };
  for (auto [a, b] : same) {
    SCOPED_TRACE(Format("0x%X and 0x%X", a, b));
    EXPECT_NE(u"?", PrivateDataSpecifierText(a));
    EXPECT_EQ(PrivateDataSpecifierText(a), PrivateDataSpecifierText(b));
  }
}

TEST(SiValues, SectionLinkageAndSatelliteFields) {
  ExpectTexts({
      TEXT_CASE(CurrentNextText(0), u"Sub-Table is not yet applicable"),
      TEXT_CASE(CurrentNextText(1), u"Sub-Table is currently applicable"),
      TEXT_CASE(CurrentNextText(2), u"?"),
      TEXT_CASE(LinkageTypeText(0x00), kRfu),
      TEXT_CASE(LinkageTypeText(0x04), u"TS Containing Complete Network/Bouquet SI"),
      TEXT_CASE(LinkageTypeText(0x0C), u"TS Containing INT BAT or NIT"),
      TEXT_CASE(LinkageTypeText(0x0D), kRfu),
      TEXT_CASE(LinkageTypeText(0x80), u"User Defined"),
      TEXT_CASE(LinkageTypeText(0xFE), u"User Defined"),
      TEXT_CASE(LinkageTypeText(0xFF), kRfu),
      TEXT_CASE(HandOverTypeText(0), kRfu),
      TEXT_CASE(HandOverTypeText(1), u"DVB Hand-Over To An Identical Service In A Neighbourhood Country"),
      TEXT_CASE(HandOverTypeText(3), u"DVB Hand-Over To An Associated Service"),
      TEXT_CASE(HandOverTypeText(4), kRfu),
      TEXT_CASE(OriginTypeText(0), u"NIT"),
      TEXT_CASE(OriginTypeText(1), u"SDT"),
      TEXT_CASE(OriginTypeText(2), u"?"),
      TEXT_CASE(WestEastText(1), u"East"),
      TEXT_CASE(WestEastText(2), u"?"),
      TEXT_CASE(PolarizationText(3), u"Circular - Right"),
      TEXT_CASE(PolarizationText(4), u"?"),
      // Masked fields: only the field's own bits count.
      TEXT_CASE(SatModulationSystemText(0xFE), u"DVB-S"),
      TEXT_CASE(SatModulationSystemText(0x03), u"DVB-S2"),
      TEXT_CASE(SatModulationTypeText(0x00), u"Auto"),
      TEXT_CASE(SatModulationTypeText(0xFF), u"16-QAM"),
      TEXT_CASE(SatModulationTypeText(0x06), u"8PSK"),
      TEXT_CASE(RollOffText(0), u"a=0,35"),
      TEXT_CASE(RollOffText(0x05), u"a=0,25"),
      TEXT_CASE(RollOffText(0x07), u"Reserved"),
  });
}

TEST(SiValues, CableAndTerrestrialTexts) {
  ExpectTexts({
      TEXT_CASE(CableModulationText(0), u"Not Defined"),
      TEXT_CASE(CableModulationText(5), u"256 QAM"),
      TEXT_CASE(CableModulationText(6), kRfu),
      TEXT_CASE(CableModulationText(255), kRfu),
      TEXT_CASE(InnerFecText(9), u"9/10 Conv. Code Rate"),
      TEXT_CASE(InnerFecText(10), kRfu),
      TEXT_CASE(InnerFecText(12), kRfu),
      TEXT_CASE(InnerFecText(14), kRfu),
      TEXT_CASE(InnerFecText(15), u"No Conv. Coding"),
      TEXT_CASE(InnerFecText(16), u"?"),
      TEXT_CASE(OuterFecText(2), u"RS(204/188)"),
      TEXT_CASE(OuterFecText(3), kRfu),
      TEXT_CASE(OuterFecText(15), kRfu),
      TEXT_CASE(OuterFecText(16), u"?"),
      TEXT_CASE(BandwidthText(3), u"5 MHz"),
      TEXT_CASE(BandwidthText(4), kRfu),
      TEXT_CASE(BandwidthText(7), kRfu),
      TEXT_CASE(BandwidthText(8), u"?"),
      TEXT_CASE(ConstellationText(2), u"64 QAM"),
      TEXT_CASE(ConstellationText(3), kRfu),
      TEXT_CASE(ConstellationText(4), u"?"),
      TEXT_CASE(HierarchyInfoText(0), u"Non Hierarchical, Native Interleaver"),
      TEXT_CASE(HierarchyInfoText(4), u"Non Hierarchical, Native Interleaver"),
      TEXT_CASE(HierarchyInfoText(5), u"Alpha = 1, In-Depth Interleaver"),
      TEXT_CASE(HierarchyInfoText(7), u"Alpha = 4, In-Depth Interleaver"),
      TEXT_CASE(HierarchyInfoText(8), u"?"),
      TEXT_CASE(CodeRateText(4), u"7/8"),
      TEXT_CASE(CodeRateText(5), kRfu),
      TEXT_CASE(CodeRateText(7), kRfu),
      TEXT_CASE(CodeRateText(8), u"?"),
      TEXT_CASE(GuardIntervalText(3), u"1/4"),
      TEXT_CASE(GuardIntervalText(4), u"?"),
      TEXT_CASE(TransmissionModeText(2), u"4k Mode"),
      TEXT_CASE(TransmissionModeText(3), kRfu),
      TEXT_CASE(TransmissionModeText(4), u"?"),
      TEXT_CASE(PriorityText(0), u"LP (Low Priority)"),
      TEXT_CASE(PriorityText(0xFF), u"HP (High Priority)"),
      TEXT_CASE(PriorityText(0xFE), u"LP (Low Priority)"),
  });
}

TEST(SiValues, ReverseFunctions) {
  struct Case {
    uint8_t (*value)(std::u16string_view);
    const char* name;
    const char16_t* text;
    int expected;
  };
  const Case cases[] = {
      {CableModulationValue, "cable modulation", u"Not Defined", 0},
      {CableModulationValue, "cable modulation", u"64 QAM", 3},
      {CableModulationValue, "cable modulation", u"256 QAM", 5},
      {CableModulationValue, "cable modulation", kRfu, 6},
      {CableModulationValue, "cable modulation", u"64-QAM", 255},
      {CableModulationValue, "cable modulation", u"64 qam", 255},
      {CableModulationValue, "cable modulation", u"64 QAM ", 255},
      {CableModulationValue, "cable modulation", u"", 255},
      {InnerFecValue, "inner FEC", u"9/10 Conv. Code Rate", 9},
      {InnerFecValue, "inner FEC", kRfu, 10},
      {InnerFecValue, "inner FEC", u"No Conv. Coding", 15},
      {InnerFecValue, "inner FEC", u"?", 255},
      {OuterFecValue, "outer FEC", u"RS(204/188)", 2},
      {OuterFecValue, "outer FEC", kRfu, 3},
      {OuterFecValue, "outer FEC", u"?", 255},
      {BandwidthValue, "bandwidth", u"8 MHz", 0},
      {BandwidthValue, "bandwidth", u"5 MHz", 3},
      {BandwidthValue, "bandwidth", kRfu, 4},
      {BandwidthValue, "bandwidth", u"8MHz", 255},
      {ConstellationValue, "constellation", u"QPSK", 0},
      {ConstellationValue, "constellation", kRfu, 3},
      {ConstellationValue, "constellation", u"256 QAM", 255},
      {HierarchyInfoValue, "hierarchy", u"Non Hierarchical, Native Interleaver", 0},
      {HierarchyInfoValue, "hierarchy", u"Alpha = 4, Native Interleaver", 3},
      {HierarchyInfoValue, "hierarchy", u"Alpha = 1, In-Depth Interleaver", 5},
      {HierarchyInfoValue, "hierarchy", u"Alpha = 4, In-Depth Interleaver", 7},
      {HierarchyInfoValue, "hierarchy", kRfu, 255},
      {CodeRateValue, "code rate", u"7/8", 4},
      {CodeRateValue, "code rate", kRfu, 5},
      {CodeRateValue, "code rate", u"1/2 Conv. Code Rate", 255},
      {GuardIntervalValue, "guard interval", u"1/32", 0},
      {GuardIntervalValue, "guard interval", u"1/4", 3},
      {GuardIntervalValue, "guard interval", kRfu, 255},
      {TransmissionModeValue, "transmission mode", u"4k Mode", 2},
      {TransmissionModeValue, "transmission mode", kRfu, 3},
      {TransmissionModeValue, "transmission mode", u"2k", 255},
      {PriorityValue, "priority", u"LP (Low Priority)", 0},
      {PriorityValue, "priority", u"HP (High Priority)", 1},
      {PriorityValue, "priority", u"HP", 255},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, c.value(c.text)) << c.name << ": " << Utf16ToUtf8(c.text);
}

TEST(SiValues, EveryPickTextMapsBackToTheFirstValueWithThatText) {
  struct Pair {
    const char* name;
    std::u16string (*text)(uint8_t);
    uint8_t (*value)(std::u16string_view);
  };
  const Pair pairs[] = {
      {"cable modulation", CableModulationText, CableModulationValue},
      {"inner FEC", InnerFecText, InnerFecValue},
      {"outer FEC", OuterFecText, OuterFecValue},
      {"bandwidth", BandwidthText, BandwidthValue},
      {"constellation", ConstellationText, ConstellationValue},
      {"hierarchy", HierarchyInfoText, HierarchyInfoValue},
      {"code rate", CodeRateText, CodeRateValue},
      {"guard interval", GuardIntervalText, GuardIntervalValue},
      {"transmission mode", TransmissionModeText, TransmissionModeValue},
      {"priority", PriorityText, PriorityValue},
  };
  for (const Pair& p : pairs) {
    for (unsigned v = 0; v <= 255; ++v) {
      SCOPED_TRACE(Format("%s %u", p.name, v));
      std::u16string text = p.text(static_cast<uint8_t>(v));
      uint8_t back = p.value(text);
      if (text == u"?") {
        EXPECT_EQ(255, back);
      } else {
        ASSERT_NE(255, back);
        EXPECT_LE(back, v);
        EXPECT_EQ(text, p.text(back));
      }
    }
  }
}

TEST(SiValues, PickListsOfTheGrids) {
  using List = std::vector<std::u16string>;
  EXPECT_EQ((List{u"Not Defined", u"No Outer FEC Coding", u"RS(204/188)"}), PickListTexts(OuterFecText, 2));
  EXPECT_EQ((List{u"Not Defined", u"16 QAM", u"32 QAM", u"64 QAM", u"128 QAM", u"256 QAM"}),
            PickListTexts(CableModulationText, 5));
  EXPECT_EQ((List{u"Not Defined", u"1/2 Conv. Code Rate", u"2/3 Conv. Code Rate", u"3/4 Conv. Code Rate",
                  u"5/6 Conv. Code Rate", u"7/8 Conv. Code Rate", u"8/9 Conv. Code Rate", u"3/5 Conv. Code Rate",
                  u"4/5 Conv. Code Rate", u"9/10 Conv. Code Rate", kRfu, kRfu, kRfu, kRfu, kRfu,
                  u"No Conv. Coding"}),
            PickListTexts(InnerFecText, 15));
  EXPECT_EQ((List{u"Non Hierarchical, Native Interleaver", u"Alpha = 1, Native Interleaver",
                  u"Alpha = 2, Native Interleaver", u"Alpha = 4, Native Interleaver"}),
            PickListTexts(HierarchyInfoText, 3));
  EXPECT_EQ((List{u"LP (Low Priority)", u"HP (High Priority)"}), PickListTexts(PriorityText, 1));
  EXPECT_EQ(256u, PickListTexts(TableIDText, 255).size());
}

TEST(SiValues, ServiceFields) {
  ExpectTexts({
      TEXT_CASE(ServiceTypeText(0x00), kRfu),
      TEXT_CASE(ServiceTypeText(0x01), u"Digital Television Service"),
      TEXT_CASE(ServiceTypeText(0x06), u"Mosaic Service"),
      TEXT_CASE(ServiceTypeText(0x07), kRfu),
      TEXT_CASE(ServiceTypeText(0x09), kRfu),
      TEXT_CASE(ServiceTypeText(0x0A), u"Advanced Codec Digital Radio Sound Service"),
      TEXT_CASE(ServiceTypeText(0x0D), u"Reserved For Common Interface Usage"),
      TEXT_CASE(ServiceTypeText(0x11), u"MPEG-2 HD Digital Television Service"),
      TEXT_CASE(ServiceTypeText(0x12), kRfu),
      TEXT_CASE(ServiceTypeText(0x15), kRfu),
      TEXT_CASE(ServiceTypeText(0x16), u"Advanced Codec SD Digital Television Service"),
      TEXT_CASE(ServiceTypeText(0x1B), u"Advanced Codec HD NVOD Reference Service"),
      TEXT_CASE(ServiceTypeText(0x1C), kRfu),
      TEXT_CASE(ServiceTypeText(0x80), u"User Defined"),
      TEXT_CASE(ServiceTypeText(0xFE), u"User Defined"),
      TEXT_CASE(ServiceTypeText(0xFF), kRfu),
      TEXT_CASE(RunningStatusText(2), u"Starts in a few Seconds"),
      TEXT_CASE(RunningStatusText(4), u"Running"),
      TEXT_CASE(RunningStatusText(5), kRfu),
      TEXT_CASE(RunningStatusText(7), kRfu),
      TEXT_CASE(RunningStatusText(8), u"?"),
      TEXT_CASE(EITScheduleFlagText(0), u"EIT schedule information not present"),
      TEXT_CASE(EITScheduleFlagText(1), u"EIT schedule information present"),
      TEXT_CASE(EITScheduleFlagText(2), u"?"),
      TEXT_CASE(EITPresentFollowingFlagText(0), u"EIT Present/Following information not present"),
      TEXT_CASE(EITPresentFollowingFlagText(1), u"EIT Present/Following information present"),
      TEXT_CASE(EITPresentFollowingFlagText(2), u"?"),
      TEXT_CASE(FreeCAModeText(0), u"Not scrambled"),
      TEXT_CASE(FreeCAModeText(1), u"Controlled by CA System"),
      TEXT_CASE(FreeCAModeText(2), u"?"),
  });
}

TEST(SiValues, StreamContentAndComponentType) {
  ExpectTexts({
      TEXT_CASE(StreamContentText(0), kRfu),
      TEXT_CASE(StreamContentText(1), u"Video"),
      TEXT_CASE(StreamContentText(3), u"EBU"),
      TEXT_CASE(StreamContentText(4), kRfu),
      TEXT_CASE(StreamContentText(0x0B), kRfu),
      TEXT_CASE(StreamContentText(0x0C), u"User Defined"),
      TEXT_CASE(StreamContentText(0x0F), u"User Defined"),
      TEXT_CASE(StreamContentText(0x10), u"?"),
      TEXT_CASE(StreamContentText(0xFF), u"?"),

      TEXT_CASE(ComponentTypeText(1, 0x00), kRfu),
      TEXT_CASE(ComponentTypeText(1, 0x01), u"MPEG-2 Video, 4:3 Aspect Ratio, 25 Hz"),
      TEXT_CASE(ComponentTypeText(1, 0x03), u"MPEG-2 Video, 16:9 Aspect Ratio without Pan Vectors"),
      TEXT_CASE(ComponentTypeText(1, 0x10), u"MPEG-2 High Definition Video, > 16:9 Aspect Ratio, 30 Hz"),
      TEXT_CASE(ComponentTypeText(1, 0x11), kRfu),
      TEXT_CASE(ComponentTypeText(1, 0xAF), kRfu),
      TEXT_CASE(ComponentTypeText(1, 0xB0), u"User Defined"),
      TEXT_CASE(ComponentTypeText(1, 0xFE), u"User Defined"),
      TEXT_CASE(ComponentTypeText(1, 0xFF), kRfu),
      TEXT_CASE(ComponentTypeText(2, 0x05), u"MPEG-1 Layer 2 Audio, Surround Sound"),
      TEXT_CASE(ComponentTypeText(2, 0x06), kRfu),
      TEXT_CASE(ComponentTypeText(2, 0x42), u"Receiver-Mixed Supplementary Audio"),
      TEXT_CASE(ComponentTypeText(3, 0x03), u"VBI Data"),
      TEXT_CASE(ComponentTypeText(3, 0x14), kRfu),
      TEXT_CASE(ComponentTypeText(3, 0x23),
                u"DVB subtitles (for the hard of hearing) for display on 2.21:1 aspect ratio monitor"),
      TEXT_CASE(ComponentTypeText(3, 0xB0), u"User Defined"),
      TEXT_CASE(ComponentTypeText(4, 0x00), u"Reserved for AC-3 Audio Modes"),
      TEXT_CASE(ComponentTypeText(4, 0x7F), u"Reserved for AC-3 Audio Modes"),
      TEXT_CASE(ComponentTypeText(4, 0x80), kRfu),
      TEXT_CASE(ComponentTypeText(4, 0xB0), kRfu),
      TEXT_CASE(ComponentTypeText(5, 0x01), u"H.264/AVC Standard Definition Video, 4:3 aspect ratio, 25 Hz"),
      TEXT_CASE(ComponentTypeText(5, 0x02), kRfu),
      TEXT_CASE(ComponentTypeText(5, 0x10), u"H.264/AVC High Definition Video, > 16:9 aspect ratio, 30 Hz"),
      TEXT_CASE(ComponentTypeText(5, 0xFE), u"User Defined"),
      TEXT_CASE(ComponentTypeText(6, 0x02), kRfu),
      TEXT_CASE(ComponentTypeText(6, 0x46), u"HE-AAC v2 Receiver-Mixed Supplementary Audio"),
      TEXT_CASE(ComponentTypeText(7, 0x00), u"Reserved For DTS Audio Modes"),
      TEXT_CASE(ComponentTypeText(7, 0x80), kRfu),
      TEXT_CASE(ComponentTypeText(0, 0x01), kRfu),
      TEXT_CASE(ComponentTypeText(8, 0x01), kRfu),
      TEXT_CASE(ComponentTypeText(11, 0xB0), kRfu),
      TEXT_CASE(ComponentTypeText(0x0C, 0x01), u"User Defined"),
      TEXT_CASE(ComponentTypeText(0x0F, 0x01), u"User Defined"),
      TEXT_CASE(ComponentTypeText(0x10, 0x01), u"Not Defined"),
      TEXT_CASE(ComponentTypeText(0xFF, 0xFF), u"Not Defined"),
  });
}

TEST(SiValues, ContentNibbles) {
  ExpectTexts({
      TEXT_CASE(ContentNibble1Text(0), u"Undefined Content"),
      TEXT_CASE(ContentNibble1Text(5), u"Children's / Youth Programmes"),
      TEXT_CASE(ContentNibble1Text(11), u"Special Characteristics"),
      TEXT_CASE(ContentNibble1Text(12), kRfu),
      TEXT_CASE(ContentNibble1Text(14), kRfu),
      TEXT_CASE(ContentNibble1Text(15), u"User Defined"),
      TEXT_CASE(ContentNibble1Text(16), u"?"),

      TEXT_CASE(ContentNibble2Text(0, 0), u"Undefined Content"),
      TEXT_CASE(ContentNibble2Text(0, 15), u"Undefined Content"),
      TEXT_CASE(ContentNibble2Text(0, 200), u"Undefined Content"),
      TEXT_CASE(ContentNibble2Text(1, 0), u"Movie/Drama (General)"),
      TEXT_CASE(ContentNibble2Text(1, 8), u"Adult Movie/Drama"),
      TEXT_CASE(ContentNibble2Text(1, 9), kRfu),
      TEXT_CASE(ContentNibble2Text(1, 14), kRfu),
      TEXT_CASE(ContentNibble2Text(1, 15), u"User Defined"),
      TEXT_CASE(ContentNibble2Text(1, 16), u""),
      TEXT_CASE(ContentNibble2Text(2, 0), u"News/Current Affairs (General)"),
      TEXT_CASE(ContentNibble2Text(2, 5), kRfu),
      TEXT_CASE(ContentNibble2Text(3, 3), u"Talk Show"),
      TEXT_CASE(ContentNibble2Text(3, 4), kRfu),
      TEXT_CASE(ContentNibble2Text(4, 0), u"Sports (General)"),
      TEXT_CASE(ContentNibble2Text(4, 1), u"Special Events (Olympic Games, World Cup, etc.)"),
      TEXT_CASE(ContentNibble2Text(4, 11), u"Martial Sports"),
      TEXT_CASE(ContentNibble2Text(4, 12), kRfu),
      TEXT_CASE(ContentNibble2Text(5, 2), u"Entertainment Programmes for 6 to 14"),
      TEXT_CASE(ContentNibble2Text(5, 3), u"Entertainment Programmes for 10 to 16"),
      TEXT_CASE(ContentNibble2Text(5, 6), kRfu),
      TEXT_CASE(ContentNibble2Text(6, 6), u"Ballet"),
      TEXT_CASE(ContentNibble2Text(6, 7), kRfu),
      TEXT_CASE(ContentNibble2Text(7, 0), u"Arts/Culture (Without Music, General)"),
      TEXT_CASE(ContentNibble2Text(7, 11), u"Fashion"),
      TEXT_CASE(ContentNibble2Text(7, 12), kRfu),
      TEXT_CASE(ContentNibble2Text(8, 0), u"Social/Political Issues/Economics(General)"),
      TEXT_CASE(ContentNibble2Text(8, 3), u"remarkable People"),
      TEXT_CASE(ContentNibble2Text(8, 4), kRfu),
      TEXT_CASE(ContentNibble2Text(9, 7), u"Languages"),
      TEXT_CASE(ContentNibble2Text(9, 8), kRfu),
      TEXT_CASE(ContentNibble2Text(10, 0), u"Leisure Hobbies (General)"),
      TEXT_CASE(ContentNibble2Text(10, 7), u"Gardening"),
      TEXT_CASE(ContentNibble2Text(10, 8), kRfu),
      TEXT_CASE(ContentNibble2Text(11, 0), u"Original Language"),
      TEXT_CASE(ContentNibble2Text(11, 1), u"Black and White"),
      TEXT_CASE(ContentNibble2Text(11, 2), u"Unpublished"),
      TEXT_CASE(ContentNibble2Text(11, 3), u"Live Broadcast"),
      TEXT_CASE(ContentNibble2Text(11, 4), kRfu),
      TEXT_CASE(ContentNibble2Text(11, 15), u"User Defined"),
      TEXT_CASE(ContentNibble2Text(12, 0), kRfu),
      TEXT_CASE(ContentNibble2Text(14, 15), kRfu),
      TEXT_CASE(ContentNibble2Text(15, 0), u"User Defined"),
      TEXT_CASE(ContentNibble2Text(15, 16), u""),
      TEXT_CASE(ContentNibble2Text(16, 0), u"?"),
      TEXT_CASE(ContentNibble2Text(16, 16), u"?"),
  });
}

TEST(SiValues, RatingAudioVbiTeletextAndMosaic) {
  ExpectTexts({
      TEXT_CASE(ParentalRatingText(0x00), u"Undefined"),
      TEXT_CASE(ParentalRatingText(0x01), u"Minimum Age = Rating + 3 Years"),
      TEXT_CASE(ParentalRatingText(0x0F), u"Minimum Age = Rating + 3 Years"),
      TEXT_CASE(ParentalRatingText(0x10), u"Defined By The Broadcaster"),
      TEXT_CASE(ParentalRatingText(0xFF), u"Defined By The Broadcaster"),
      TEXT_CASE(AudioTypeText(3), u"Visual Impaired Commentary"),
      TEXT_CASE(AudioTypeText(4), u"Reserved"),
      TEXT_CASE(VBIDataServiceIDText(0), kRfu),
      TEXT_CASE(VBIDataServiceIDText(1), u"EBU Teletext"),
      TEXT_CASE(VBIDataServiceIDText(3), u"Reserved"),
      TEXT_CASE(VBIDataServiceIDText(7), u"Monochrome 4:2:2 Samples"),
      TEXT_CASE(VBIDataServiceIDText(8), kRfu),
      TEXT_CASE(TeletextTypeText(0), kRfu),
      TEXT_CASE(TeletextTypeText(5), u"Teletext Subtitle Page for Hearing Impaired People"),
      TEXT_CASE(TeletextTypeText(6), kRfu),
      TEXT_CASE(MosaicCellCountText(0), u"One Cell"),
      TEXT_CASE(MosaicCellCountText(2), u"Three Cell"),
      TEXT_CASE(MosaicCellCountText(7), u"Eight Cells"),
      TEXT_CASE(MosaicCellCountText(8), u"?"),
      TEXT_CASE(CellPresentationInfoText(0), u"undefined"),
      TEXT_CASE(CellPresentationInfoText(3), u"Graphics/Text"),
      TEXT_CASE(CellPresentationInfoText(4), kRfu),
      TEXT_CASE(CellPresentationInfoText(7), kRfu),
      TEXT_CASE(CellPresentationInfoText(8), u""),
      TEXT_CASE(CellLinkageInfoText(4), u"Event Related"),
      TEXT_CASE(CellLinkageInfoText(5), kRfu),
      TEXT_CASE(CellLinkageInfoText(7), kRfu),
      TEXT_CASE(CellLinkageInfoText(8), u""),
  });
}

TEST(SiValues, AnnouncementAncillaryAndAdaptationFieldFlags) {
  ExpectTexts({
      TEXT_CASE(AnnouncementSupportText(0x0000), u""),
      TEXT_CASE(AnnouncementSupportText(0x0003), u"Emergency Alarm / Road Traffic Flash"),
      TEXT_CASE(AnnouncementSupportText(0x0100), kRfu),
      TEXT_CASE(AnnouncementSupportText(0x8081), u"Emergency Alarm / Personal Call / Reserved For Future Use"),
      TEXT_CASE(AnnouncementSupportText(0x00FF),
                u"Emergency Alarm / Road Traffic Flash / Public Transport Flash / Warning Message / News Flash / "
                u"Weather Flash / Event Announcement / Personal Call"),
      TEXT_CASE(AnnouncementTypeText(0), u"Emergency Alarm"),
      TEXT_CASE(AnnouncementTypeText(7), u"Personal Call"),
      TEXT_CASE(AnnouncementTypeText(8), kRfu),
      TEXT_CASE(AnnouncementReferenceTypeText(0), u"Announcement is broadcast in the usual audio stream of the service."),
      TEXT_CASE(AnnouncementReferenceTypeText(1),
                u"Announcement is broadcast in a seperate audio stream that is a part of the service."),
      TEXT_CASE(AnnouncementReferenceTypeText(3),
                u"Announcement is broadcast is by means of a different service within a different transport stream"),
      TEXT_CASE(AnnouncementReferenceTypeText(4), kRfu),
      TEXT_CASE(AncillaryDataIDText(0x00), u""),
      TEXT_CASE(AncillaryDataIDText(0x01), u"DVD-Video Ancillary Data"),
      TEXT_CASE(AncillaryDataIDText(0x50), u"Scale Factor Error Check (ScF-CRC) / RDS via UECP"),
      TEXT_CASE(AncillaryDataIDText(0x80), kRfu),
      TEXT_CASE(AncillaryDataIDText(0xFF),
                u"DVD-Video Ancillary Data / Extended Ancillary Data / Announcement Switching Data / DAB Ancillary "
                u"Data / Scale Factor Error Check (ScF-CRC) / MPEG-4 Ancillary Data / RDS via UECP / Reserved For "
                u"Future Use"),
      TEXT_CASE(AdaptationFieldDataIDText(0), u""),
      TEXT_CASE(AdaptationFieldDataIDText(1), u"Announcement Switching Data Filed"),
      TEXT_CASE(AdaptationFieldDataIDText(2), u"Reserved For Future Use "),
      TEXT_CASE(AdaptationFieldDataIDText(3), u"Announcement Switching Data Filed / Reserved For Future Use "),
      TEXT_CASE(AdaptationFieldDataIDText(0xFE), u"Reserved For Future Use "),
  });
}

TEST(SiValues, MpegStreamAndVideoFields) {
  ExpectTexts({
      TEXT_CASE(StreamTypeText(0x00), u"ISO Reserved"),
      TEXT_CASE(StreamTypeText(0x0F), u"ISO/IEC 13818-7 Audio with ADTS transport sytax"),
      TEXT_CASE(StreamTypeText(0x19),
                u"Metadata carried in ISO/IEC 13818-6 Synchronized Download Protocol using the Metadata Access Unit "
                u"Wrapper"),
      TEXT_CASE(StreamTypeText(0x1A), u"IPMP stream"),
      TEXT_CASE(StreamTypeText(0x1B), u"AVC video stream | ISO/IEC 14496-10 Video"),
      TEXT_CASE(StreamTypeText(0x1C), u"ITU-T Rec. H.222.0 | ISO/IEC 13818-1 reserved"),
      TEXT_CASE(StreamTypeText(0x7E), u"ITU-T Rec. H.222.0 | ISO/IEC 13818-1 reserved"),
      TEXT_CASE(StreamTypeText(0x7F), u"IPMP stream"),
      TEXT_CASE(StreamTypeText(0x80), u"User Private"),
      TEXT_CASE(StreamTypeText(0xFF), u"User Private"),
      TEXT_CASE(StreamTypeClassText(0x00), u"Data"),
      TEXT_CASE(StreamTypeClassText(0x02), u"Video"),
      TEXT_CASE(StreamTypeClassText(0x04), u"Audio"),
      TEXT_CASE(StreamTypeClassText(0x06), u"Data"),
      TEXT_CASE(StreamTypeClassText(0x10), u"Video"),
      TEXT_CASE(StreamTypeClassText(0x11), u"Audio"),
      TEXT_CASE(StreamTypeClassText(0x1B), u"Video"),
      TEXT_CASE(StreamTypeClassText(0x0F), u"Data"),
      TEXT_CASE(HierarchyTypeText(0), u"Reserved"),
      TEXT_CASE(HierarchyTypeText(1), u"ITU-T Rec. H.262|ISO/IEC 13818-2 Spatial Scalability"),
      TEXT_CASE(HierarchyTypeText(6), u"ITU-T Rec. H.220.0|ISO/IEC 13818-1 Private Stream"),
      TEXT_CASE(HierarchyTypeText(7), u"Reserved"),
      TEXT_CASE(HierarchyTypeText(14), u"Reserved"),
      TEXT_CASE(HierarchyTypeText(15), u"Base Layer"),
      TEXT_CASE(HierarchyTypeText(16), u"?"),
      TEXT_CASE(AspectRatioInfoText(0), u"Forbidden"),
      TEXT_CASE(AspectRatioInfoText(0x11), u"SAR 1.0 (Square Sample)"),
      TEXT_CASE(AspectRatioInfoText(4), u"DAR 1:2.21"),
      TEXT_CASE(AspectRatioInfoText(5), u"DAR Reserved"),
      TEXT_CASE(AspectRatioInfoText(0x0F), u"DAR Reserved"),
      TEXT_CASE(FrameRateCodeText(1), u"23,967"),
      TEXT_CASE(FrameRateCodeText(0x18), u"60,0"),
      TEXT_CASE(FrameRateCodeText(9), u"Reserved"),
      TEXT_CASE(FrameRateCodeText(0xF0), u"Forbidden"),
      TEXT_CASE(ChromaFormatText(0), u"Reserved"),
      TEXT_CASE(ChromaFormatText(0x05), u"4:2:0"),
      TEXT_CASE(ChromaFormatText(3), u"4:4:4"),
      TEXT_CASE(VideoAlignmentTypeText(0), u"Reserved"),
      TEXT_CASE(VideoAlignmentTypeText(4), u"SEQ"),
      TEXT_CASE(VideoAlignmentTypeText(5), u"Reserved"),
      TEXT_CASE(AudioAlignmentTypeText(1), u"SyncWord"),
      TEXT_CASE(AudioAlignmentTypeText(2), u"Reserved"),
      TEXT_CASE(AlignmentTypeText(1, 0), u"Slice, or Video Access Unit | SyncWord"),
      TEXT_CASE(AlignmentTypeText(3, 0), u"GOP, or SEQ | Reserved"),
      TEXT_CASE(AlignmentTypeText(1, 1), u"Slice, or Video Access Unit"),
      TEXT_CASE(AlignmentTypeText(1, 2), u"SyncWord"),
      TEXT_CASE(AlignmentTypeText(1, 3), u"?"),
  });
}

TEST(SiValues, BufferFrequencyListScramblingApplicationAndCarousel) {
  ExpectTexts({
      TEXT_CASE(SmoothingBufferSizeText(0), u"DVB_Reserved"),
      TEXT_CASE(SmoothingBufferSizeText(1), u"1536"),
      TEXT_CASE(SmoothingBufferSizeText(3), u"DVB_Reserved"),
      TEXT_CASE(SmoothingBufferSizeText(4), u"?"),
      TEXT_CASE(FreqListCodingTypeText(3), u"Terrestrial"),
      TEXT_CASE(FreqListCodingTypeText(4), u"?"),
      TEXT_CASE(ScramblingModeText(0x00), kRfu),
      TEXT_CASE(ScramblingModeText(0x01), u"DVB Defined"),
      TEXT_CASE(ScramblingModeText(0x7F), u"DVB Defined"),
      TEXT_CASE(ScramblingModeText(0x80), u"User Defined"),
      TEXT_CASE(ScramblingModeText(0xFE), u"User Defined"),
      TEXT_CASE(ScramblingModeText(0xFF), kRfu),
      TEXT_CASE(ApplicationTypeText(0x0000), kRfu),
      TEXT_CASE(ApplicationTypeText(0x0002), u"DVB-HTML Application"),
      TEXT_CASE(ApplicationTypeText(0x0003), u"Subject To Registration With DVB"),
      TEXT_CASE(ApplicationTypeText(0x7FFF), u"Subject To Registration With DVB"),
      TEXT_CASE(ApplicationTypeText(0x8000), u"?"),
      TEXT_CASE(ApplicationTypeText(0xFFFF), u"?"),
      TEXT_CASE(CarouselFormatIDText(0x00), u"No Format Specifier Present"),
      TEXT_CASE(CarouselFormatIDText(0x02), kRfu),
      TEXT_CASE(CarouselFormatIDText(0x7F), kRfu),
      TEXT_CASE(CarouselFormatIDText(0x80), u"Reserved For Private Use"),
      TEXT_CASE(CarouselFormatIDText(0xFF), u"Reserved For Private Use"),
      TEXT_CASE(AssociationTagUseText(0x0000), u"DSI With IOP Of SGW"),
      TEXT_CASE(AssociationTagUseText(0x0001), u"?"),
      TEXT_CASE(AssociationTagUseText(0x00FF), u"?"),
      TEXT_CASE(AssociationTagUseText(0x0100), u"DVB Reserved"),
      TEXT_CASE(AssociationTagUseText(0x1FFF), u"DVB Reserved"),
      TEXT_CASE(AssociationTagUseText(0x2000), u"User Private"),
      TEXT_CASE(AssociationTagUseText(0xFFFF), u"User Private"),
  });
}

TEST(SiValues, SmoothingBufferLeakRates) {
  SeparatorGuard guard;
  SetDecimalSeparator(u',');
  ExpectTexts({
      TEXT_CASE(SmoothingBufferLeakRateText(0), u"DVB_Reserved Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(1), u"0,0009 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(29), u"6,7500 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(30), u"7,0 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(31), u"7,5 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(32), u"8,0 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(33), u"9 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(37), u"13 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(38), u"13,5 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(39), u"14 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(43), u"18 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(44), u"20 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(45), u"22 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(47), u"26 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(48), u"27 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(49), u"28 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(55), u"40 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(56), u"44 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(60), u"108 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(61), u"DVB_Reserved Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(63), u"DVB_Reserved Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(64), u"?"),
      TEXT_CASE(SmoothingBufferLeakRateText(255), u"?"),
  });

  // Only the computed rates follow the separator; the written-out ones keep their comma.
  SetDecimalSeparator(u'.');
  ExpectTexts({
      TEXT_CASE(SmoothingBufferLeakRateText(31), u"7.5 Mbit/s"),
      TEXT_CASE(SmoothingBufferLeakRateText(38), u"13,5 Mbit/s"),
  });
}

// The lookups every function relies on: rows ascending and disjoint, each row read back at both ends.
TEST(SiValues, EveryTableRowReadsBackAtBothEnds) {
  ASSERT_FALSE(AllValueTables().empty());
  for (const NamedValueTable& named : AllValueTables()) {
    SCOPED_TRACE(std::string(named.name));
    const ValueTable& table = *named.table;
    ASSERT_FALSE(table.rows.empty());
    for (size_t i = 0; i < table.rows.size(); ++i) {
      const ValueName& row = table.rows[i];
      SCOPED_TRACE(Format("row 0x%X..0x%X", row.first, row.last));
      EXPECT_LE(row.first, row.last);
      if (i > 0) {
        EXPECT_LT(table.rows[i - 1].last, row.first);
      }
      EXPECT_FALSE(row.text.empty());
      EXPECT_EQ(row.text, table.Name(row.first));
      EXPECT_EQ(row.text, table.Name(row.last));
      if (row.first > 0 && (i == 0 || table.rows[i - 1].last + 1 < row.first)) {
        EXPECT_EQ(table.others, table.Name(row.first - 1));
      }
    }
  }
}

TEST(DecimalText, FollowsTheSeparatorAndRoundsLikePrintf) {
  SeparatorGuard guard;
  EXPECT_EQ(u',', DecimalSeparator());  // the German default until the program sets the user's
  struct Case {
    double value;
    int decimals;
    const char16_t* comma;
    const char16_t* point;
  };
  const Case cases[] = {
      {346.0, 3, u"346,000", u"346.000"},   {474.0, 3, u"474,000", u"474.000"},
      {7.5, 1, u"7,5", u"7.5"},             {346.0, 0, u"346", u"346"},
      {0.0005, 3, u"0,001", u"0.001"},      {0.125, 2, u"0,12", u"0.12"},  // exact tie: to even, as printf
      {1.005, 2, u"1,00", u"1.00"},         {-0.25, 1, u"-0,2", u"-0.2"},
      {12345.6789, 4, u"12345,6789", u"12345.6789"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Format("%.17g with %d decimals", c.value, c.decimals));
    SetDecimalSeparator(u',');
    EXPECT_EQ(c.comma, DecimalText(c.value, c.decimals));
    SetDecimalSeparator(u'.');
    EXPECT_EQ(c.point, DecimalText(c.value, c.decimals));
  }
}

}  // namespace
}  // namespace quillon
