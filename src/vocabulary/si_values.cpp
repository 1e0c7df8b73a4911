#include "vocabulary/si_values.h"

#include <algorithm>

#include "vocabulary/number_text.h"

namespace quillon {

std::u16string_view ValueTable::Name(uint32_t value) const {
  auto after = std::upper_bound(rows.begin(), rows.end(), value,
                                [](uint32_t v, const ValueName& row) { return v < row.first; });
  if (after == rows.begin()) return others;
  const ValueName& row = *(after - 1);
  return value <= row.last ? row.text : others;
}

uint8_t ValueTable::Value(std::u16string_view text) const {
  for (const ValueName& row : rows)
    if (row.text == text) return static_cast<uint8_t>(row.first);
  return 255;
}

namespace {

constexpr std::u16string_view kRfu = u"Reserved For Future Use";
constexpr std::u16string_view kReserved = u"Reserved";
constexpr std::u16string_view kUserDefined = u"User Defined";
constexpr std::u16string_view kUnknown = u"?";
// The descriptor table's own spelling.
constexpr std::u16string_view kDescriptorRfu = u"Reserverd For Future Use";

std::u16string Text(const ValueTable& table, uint32_t value) { return std::u16string(table.Name(value)); }

// ---- Section headers and identifiers ----

constexpr ValueName kTableIdRows[] = {
    {0x00, u"Program Association Section"},
    {0x01, u"Conditional Access Section"},
    {0x02, u"Program Map Section"},
    {0x03, u"Transport Stream Description Section"},
    {0x40, u"Network Information Section - Actual Network"},
    {0x41, u"Network Information Section - Other Network"},
    {0x42, u"Service Description Section - Actual Transport Stream"},
    {0x43, 0x45, kRfu},
    {0x46, u"Service Description Section - Other Transport Stream"},
    {0x47, 0x49, kRfu},
    {0x4A, u"Bouquet Association Section"},
    {0x4B, 0x4D, kRfu},
    {0x4E, u"Event Information Section - Actual Transport Stream Present/Following"},
    {0x4F, u"Event Information Section - Other Transport Stream Present/Following"},
    {0x50, 0x5F, u"Event Information Section - Actual Transport Stream Schedule"},
    {0x60, 0x6F, u"Event Information Section - Other Transport Stream Schedule"},
    {0x70, u"Time Date Section"},
    {0x71, u"Running Status Section"},
    {0x72, u"Stuffing Section"},
    {0x73, u"Time Offset Section"},
    {0x74, 0x78, kRfu},
    {0x79, u"Resolution Provider Notification Section"},
    {0x7A, 0x7D, kRfu},
    {0x7E, u"Discontinuity Information Section"},
    {0x7F, u"Selection Information Section"},
    {0x80, 0xFE, kUserDefined},
};
constexpr ValueTable kTableIds{kTableIdRows, kReserved};

constexpr ValueName kOriginalNetworkIdRows[] = {
    {0x0000, u"Reserved / Reserved / Reserved"},
    {0x0001, u"Astra Satellite Network 19,2°E / Satellite / SES"},
    {0x0002, u"Astra Satellite Network 28,2°E / Satellite / SES"},
    {0x0027, u"Hispasat 30°W / Satellite / Hispasat FSS"},
    {0x0028, u"Hispasat 30°W / Satellite / Hispasat DBS"},
    {0x0029, u"Hispasat 30°W / Satellite / Hispasat America"},
    {0x0035, u"Nethold Main Mux System / Local MPEG-2 network / Nethold IMS"},
    {0x0040, u"- / - / HPT - Croatian Post And Telecommunications"},
    {0x0050, u"- / - / HPT - Croatian Post And Telecommunications"},
    {0x0058, u"Thiacom 1 & 2 colocated 78.5°E / Satellite / Shinawatra Satellite"},
    {0x0069, u"Optus B3 156°E / Satellite / Optus Communications"},
    {0x0073, u"PanAmSat 4 68.5°E / Satellite / Pan American Satellite System"},
    {0x0085, u"- / Satellite / BetaTechnik"},
    {0x0090, u"National Network / Terrestrial Broadcast / TDF"},
    {0x00A0, u"National Cable Network / Cable / News Datacom"},
    {0x00A1, 0x00A5, u"News Satellite Network / Satellite / News Datacom"},
    {0x00B4, u"Telesat 107.3°W / Satellite / Telesat Canada"},
    {0x00B5, u"Telesat 111.1°W / Satellite / Telesat Canada"},
    {0x013E, u"Eutelsat Satellite System 13°E / Satellite / European Telecommunications Satellite Organisation"},
};
constexpr ValueTable kOriginalNetworkIds{kOriginalNetworkIdRows, u""};

constexpr ValueName kDescriptorTagRows[] = {
    {0x00, 0x01, u"Unknown Descriptor"},
    {0x02, u"Video Stream Descriptor"},
    {0x03, u"Audio Stream Descriptor"},
    {0x04, u"Hierarchy Descriptor"},
    {0x05, u"Registration Descriptor"},
    {0x06, u"Data Stream Alignment Descriptor"},
    {0x07, u"Target Background Grid Descriptor"},
    {0x08, u"Video Window Descriptor"},
    {0x09, u"CA Descriptor"},
    {0x0A, u"ISO-639 Language Code Descriptor"},
    {0x0B, u"System Clock Descriptor"},
    {0x0C, u"Multiplex Buffer Utilization Descriptor"},
    {0x0D, u"Copyright Descriptor"},
    {0x0E, u"Maximum Bitrate Descriptor"},
    {0x0F, u"Private Data Indicator Descriptor"},
    {0x10, u"Smoothing Buffer Descriptor"},
    {0x11, u"System Target Decoder (STD) Descriptor"},
    {0x12, u"IBP Descriptor"},
    {0x13, u"Carousel Identifier Descriptor"},
    {0x14, u"Association Tag Descriptor"},
    {0x15, 0x3F, u"Unknown Descriptor"},
    {0x40, u"Network Name Descriptor"},
    {0x41, u"Service List Descriptor"},
    {0x42, u"Stuffing Descriptor"},
    {0x43, u"Satellite Delivery System Descriptor"},
    {0x44, u"Cable Delivery System Descriptor"},
    {0x45, u"VBI Data Descriptor"},
    {0x46, u"VBI Teletext Descriptor"},
    {0x47, u"Bouquet Name Descriptor"},
    {0x48, u"Service Descriptor"},
    {0x49, u"Country Availibility Descriptor"},
    {0x4A, u"Linkage Descriptor"},
    {0x4B, u"NVOD Reference Descriptor"},
    {0x4C, u"Time Shifted Service Descriptor"},
    {0x4D, u"Short Event Descriptor"},
    {0x4E, u"Extended Event Descriptor"},
    {0x4F, u"Time Shifted Event Descriptor"},
    {0x50, u"Component Descriptor"},
    {0x51, u"Mosaic Descriptor"},
    {0x52, u"Stream Identifier Descriptor"},
    {0x53, u"CA Identifier Descriptor"},
    {0x54, u"Content Descriptor"},
    {0x55, u"Parental Rating Descriptor"},
    {0x56, u"Teletext Descriptor"},
    {0x57, u"Telephone Descriptor"},
    {0x58, u"Local Time Offset Descriptor"},
    {0x59, u"Subtitling Descriptor"},
    {0x5A, u"Terrestrial Delivery System Descriptor"},
    {0x5B, u"Multilingual Network Name Descriptor"},
    {0x5C, u"Multilingual Bouquet Name Descriptor"},
    {0x5D, u"Multilingual Service Name Descriptor"},
    {0x5E, u"Multilingual Component Descriptor"},
    {0x5F, u"Private Data Specifier Descriptor"},
    {0x60, u"Service Move Descriptor"},
    {0x61, u"Short Smoothing BufferDescriptor"},
    {0x62, u"Frequency List Descriptor"},
    {0x63, u"Partial Transport Stream Descriptor"},
    {0x64, u"Data Broadcast Descriptor"},
    {0x65, u"Scrambling Descriptor"},
    {0x66, u"Data Broadcast ID Descriptor"},
    {0x67, u"Transport Stream Descriptor"},
    {0x68, u"DSNG Descriptor"},
    {0x69, u"PDC Descriptor"},
    {0x6A, u"AC-3 Descriptor"},
    {0x6B, u"Ancillary Data Descriptor"},
    {0x6C, u"Cell List Descriptor"},
    {0x6D, u"Cell Frequency Link Descriptor"},
    {0x6E, u"Announcement Support Descriptor"},
    {0x6F, u"Application Signalling Descriptor"},
    {0x70, u"Adaptation Field Data Descriptor"},
    {0x71, u"Service Identifier Descriptor"},
    {0x72, u"Service Availability Descriptor"},
    {0x73, 0x78, kDescriptorRfu},
    {0x79, u"S2 Satellite Delivery System Descriptor"},
    {0x7A, 0x7F, kDescriptorRfu},
    {0x80, 0xFE, kUserDefined},
    {0xFF, u"Forbidden"},
};
constexpr ValueTable kDescriptorTags{kDescriptorTagRows, u""};

// User-defined tags that a private data specifier gives a meaning.
struct PrivateTagName {
  uint32_t privateDataSpecifier;
  uint8_t tag;
  std::u16string_view text;
};
constexpr PrivateTagName kPrivateTagNames[] = {
    {0x28, 0x83, u"EACEM Logical Channel Descriptor"},
    {0x28, 0x84, u"EACEM Preferred Name List Descriptor"},
    {0x28, 0x85, u"EACEM Preferred Name Identifier Descriptor"},
    {0x28, 0x86, u"EACEM Stream Identifier Descriptor"},
    {0x28, 0x88, u"HD Simulcast Logical Channel Descriptor"},
    {0x29, 0x83, u"NorDig Logical Channel Descriptor V1"},
    {0x29, 0x87, u"NorDig Logical Channel Descriptor V2"},
    {0x233A, 0x83, u"ITC Logical Channel Descriptor"},
};

constexpr ValueName kCurrentNextRows[] = {
    {0, u"Sub-Table is not yet applicable"},
    {1, u"Sub-Table is currently applicable"},
};
constexpr ValueTable kCurrentNext{kCurrentNextRows, kUnknown};

// ---- Linkage ----

constexpr ValueName kLinkageTypeRows[] = {
    {0x01, u"Information Service"},
    {0x02, u"EPG Service"},
    {0x03, u"CA Replacement Service"},
    {0x04, u"TS Containing Complete Network/Bouquet SI"},
    {0x05, u"Service Replacement Service"},
    {0x06, u"Data Broadcast Service"},
    {0x07, u"RCS Map"},
    {0x08, u"Mobile Hand-Over"},
    {0x09, u"System Software Update Service"},
    {0x0A, u"TS Containing SSU BAT or NIT"},
    {0x0B, u"IP/MAC Notification Service"},
    {0x0C, u"TS Containing INT BAT or NIT"},
    {0x80, 0xFE, kUserDefined},
};
constexpr ValueTable kLinkageTypes{kLinkageTypeRows, kRfu};

constexpr ValueName kHandOverTypeRows[] = {
    {1, u"DVB Hand-Over To An Identical Service In A Neighbourhood Country"},
    {2, u"DVB Hand-Over To A Local Variation Of The Same Service"},
    {3, u"DVB Hand-Over To An Associated Service"},
};
constexpr ValueTable kHandOverTypes{kHandOverTypeRows, kRfu};

constexpr ValueName kOriginTypeRows[] = {{0, u"NIT"}, {1, u"SDT"}};
constexpr ValueTable kOriginTypes{kOriginTypeRows, kUnknown};

// ---- Satellite delivery ----

constexpr ValueName kWestEastRows[] = {{0, u"West"}, {1, u"East"}};
constexpr ValueTable kWestEast{kWestEastRows, kUnknown};

constexpr ValueName kPolarizationRows[] = {
    {0, u"Linear - Horizontal"},
    {1, u"Linear - Vertical"},
    {2, u"Circular - Left"},
    {3, u"Circular - Right"},
};
constexpr ValueTable kPolarizations{kPolarizationRows, kUnknown};

constexpr ValueName kSatModulationSystemRows[] = {{0, u"DVB-S"}, {1, u"DVB-S2"}};
constexpr ValueTable kSatModulationSystems{kSatModulationSystemRows, kUnknown};

constexpr ValueName kSatModulationTypeRows[] = {{0, u"Auto"}, {1, u"QPSK"}, {2, u"8PSK"}, {3, u"16-QAM"}};
constexpr ValueTable kSatModulationTypes{kSatModulationTypeRows, kUnknown};

constexpr ValueName kRollOffRows[] = {{0, u"a=0,35"}, {1, u"a=0,25"}, {2, u"a=0,20"}, {3, kReserved}};
constexpr ValueTable kRollOffs{kRollOffRows, kUnknown};

// ---- Cable delivery ----

constexpr ValueName kCableModulationRows[] = {
    {0, u"Not Defined"}, {1, u"16 QAM"}, {2, u"32 QAM"},   {3, u"64 QAM"},
    {4, u"128 QAM"},     {5, u"256 QAM"}, {6, 255, kRfu},
};
constexpr ValueTable kCableModulations{kCableModulationRows, kRfu};

constexpr ValueName kInnerFecRows[] = {
    {0, u"Not Defined"},
    {1, u"1/2 Conv. Code Rate"},
    {2, u"2/3 Conv. Code Rate"},
    {3, u"3/4 Conv. Code Rate"},
    {4, u"5/6 Conv. Code Rate"},
    {5, u"7/8 Conv. Code Rate"},
    {6, u"8/9 Conv. Code Rate"},
    {7, u"3/5 Conv. Code Rate"},
    {8, u"4/5 Conv. Code Rate"},
    {9, u"9/10 Conv. Code Rate"},
    {10, 14, kRfu},
    {15, u"No Conv. Coding"},
};
constexpr ValueTable kInnerFecs{kInnerFecRows, kUnknown};

constexpr ValueName kOuterFecRows[] = {
    {0, u"Not Defined"},
    {1, u"No Outer FEC Coding"},
    {2, u"RS(204/188)"},
    {3, 15, kRfu},
};
constexpr ValueTable kOuterFecs{kOuterFecRows, kUnknown};

// ---- Terrestrial delivery ----

constexpr ValueName kBandwidthRows[] = {{0, u"8 MHz"}, {1, u"7 MHz"}, {2, u"6 MHz"}, {3, u"5 MHz"}, {4, 7, kRfu}};
constexpr ValueTable kBandwidths{kBandwidthRows, kUnknown};

constexpr ValueName kConstellationRows[] = {{0, u"QPSK"}, {1, u"16 QAM"}, {2, u"64 QAM"}, {3, kRfu}};
constexpr ValueTable kConstellations{kConstellationRows, kUnknown};

constexpr ValueName kHierarchyInfoRows[] = {
    {0, u"Non Hierarchical, Native Interleaver"},
    {1, u"Alpha = 1, Native Interleaver"},
    {2, u"Alpha = 2, Native Interleaver"},
    {3, u"Alpha = 4, Native Interleaver"},
    {4, u"Non Hierarchical, Native Interleaver"},
    {5, u"Alpha = 1, In-Depth Interleaver"},
    {6, u"Alpha = 2, In-Depth Interleaver"},
    {7, u"Alpha = 4, In-Depth Interleaver"},
};
constexpr ValueTable kHierarchyInfos{kHierarchyInfoRows, kUnknown};

constexpr ValueName kCodeRateRows[] = {{0, u"1/2"}, {1, u"2/3"}, {2, u"3/4"}, {3, u"5/6"}, {4, u"7/8"}, {5, 7, kRfu}};
constexpr ValueTable kCodeRates{kCodeRateRows, kUnknown};

constexpr ValueName kGuardIntervalRows[] = {{0, u"1/32"}, {1, u"1/16"}, {2, u"1/8"}, {3, u"1/4"}};
constexpr ValueTable kGuardIntervals{kGuardIntervalRows, kUnknown};

constexpr ValueName kTransmissionModeRows[] = {{0, u"2k Mode"}, {1, u"8k Mode"}, {2, u"4k Mode"}, {3, kRfu}};
constexpr ValueTable kTransmissionModes{kTransmissionModeRows, kUnknown};

constexpr ValueName kPriorityRows[] = {{0, u"LP (Low Priority)"}, {1, u"HP (High Priority)"}};
constexpr ValueTable kPriorities{kPriorityRows, kUnknown};

// ---- Services ----

constexpr ValueName kServiceTypeRows[] = {
    {0x01, u"Digital Television Service"},
    {0x02, u"Digital Radio Sound Service"},
    {0x03, u"Teletext Service"},
    {0x04, u"NVOD Reference Service"},
    {0x05, u"NVOD Time-Shifted Service"},
    {0x06, u"Mosaic Service"},
    {0x0A, u"Advanced Codec Digital Radio Sound Service"},
    {0x0B, u"Advanced Codec Mosaic Service"},
    {0x0C, u"Data Broadcast Service"},
    {0x0D, u"Reserved For Common Interface Usage"},
    {0x0E, u"RCS Map"},
    {0x0F, u"RCS FLS"},
    {0x10, u"DVB MHP Service"},
    {0x11, u"MPEG-2 HD Digital Television Service"},
    {0x16, u"Advanced Codec SD Digital Television Service"},
    {0x17, u"Advanced Codec SD NVOD Time-Shifted Service"},
    {0x18, u"Advanced Codec SD NVOD Reference Service"},
    {0x19, u"Advanced Codec HD Digital Television Service"},
    {0x1A, u"Advanced Codec HD NVOD Time-Shifted Service"},
    {0x1B, u"Advanced Codec HD NVOD Reference Service"},
    {0x80, 0xFE, kUserDefined},
};
constexpr ValueTable kServiceTypes{kServiceTypeRows, kRfu};

constexpr ValueName kRunningStatusRows[] = {
    {0, u"Undefined"}, {1, u"Not Running"}, {2, u"Starts in a few Seconds"},
    {3, u"Pausing"},   {4, u"Running"},     {5, 7, kRfu},
};
constexpr ValueTable kRunningStatuses{kRunningStatusRows, kUnknown};

constexpr ValueName kEitScheduleFlagRows[] = {
    {0, u"EIT schedule information not present"},
    {1, u"EIT schedule information present"},
};
constexpr ValueTable kEitScheduleFlags{kEitScheduleFlagRows, kUnknown};

constexpr ValueName kEitPresentFollowingFlagRows[] = {
    {0, u"EIT Present/Following information not present"},
    {1, u"EIT Present/Following information present"},
};
constexpr ValueTable kEitPresentFollowingFlags{kEitPresentFollowingFlagRows, kUnknown};

constexpr ValueName kFreeCaModeRows[] = {{0, u"Not scrambled"}, {1, u"Controlled by CA System"}};
constexpr ValueTable kFreeCaModes{kFreeCaModeRows, kUnknown};

// ---- Registered organisations and systems ----

constexpr ValueName kPrivateDataSpecifierRows[] = {
    {0x00000000, u"Reserved"},
    {0x00000001, u"SES"},
    {0x00000002, 0x00000004, u"BSkyB"},
    {0x00000005, u"ARD, ZDF, ORF"},
    {0x00000006, u"Nokia Multimedia Network Terminals"},
    {0x00000007, u"AT Entertainment Ltd."},
    {0x00000008, u"TV Cabo Portugal"},
    {0x00000009, 0x0000000D, u"Nagravision SA"},
    {0x0000000E, u"Valvision SA"},
    {0x0000000F, u"Quiero Televisión"},
    {0x00000010, u"La Télévision Par Satellite (TPS)"},
    {0x00000011, u"Echostar Communications"},
    {0x00000012, u"Telia AB"},
    {0x00000013, u"Viasat"},
    {0x00000014, u"Senda (Swedish Terrestrial TV)"},
    {0x00000015, u"MediaKabel"},
    {0x00000016, u"Casema"},
    {0x00000017, u"Humax Electronics Co. Ltd."},
    {0x00000018, u"@Sky"},
    {0x00000019, u"Singapore Digital Terrestrial Television"},
    {0x0000001A, u"Télédiffusion de France (TDF)"},
    {0x0000001B, u"Intellibyte Inc."},
    {0x0000001C, u"Digital Theater Systems Ltd."},
    {0x0000001D, u"Finlux Ltd."},
    {0x0000001E, u"Sagem SA"},
    {0x0000001F, u"Beijing Compunicate Technology Inc."},
    {0x00000020, 0x00000023, u"Lyonnaise Cable"},
    {0x00000024, u"Metronic"},
    {0x00000025, u"MTV Europe"},
    {0x00000026, u"Panasonic"},
    {0x00000027, u"Mentor Data System, Inc."},
    {0x00000028, u"EACEM"},
    {0x00000029, u"NorDig"},
    {0x0000002A, u"Intelsis Sistemas Inteligentes S.A."},
    {0x0000002B, u"DTV haber ve Gorsel yayincilik"},
    {0x0000002D, u"Alpha Digital Synthesis S.A."},
    {0x0000002E, u"Thomson"},
    {0x0000002F, u"Conax A.S."},
    {0x00000030, u"Telenor"},
    {0x00000031, u"TeleDenmark"},
    {0x00000032, u"Foxtel Management Pty. Ltd."},
    {0x00000033, 0x00000034, u"InOutTV"},
    {0x00000035, u"Europe Online Networks S.A."},
    {0x00000036, u"Groupe Canal+"},
    {0x00000037, u"FreeView New Zealand"},
    {0x00000038, u"OTE"},
    {0x00000039, u"Telewizja Polsat"},
    {0x0000003A, u"arena Sport Rechte und Marketing GmbH"},
    {0x0000003B, u"Wyplay SAS"},
    {0x0000003D, u"Interactive Digital Media GmbH"},
    {0x0000003E, u"T-Kábel Magyarország Kft."},
    {0x0000003F, u"ITI Neovision"},
    {0x00000040, u"CI Plus LLP"},
    {0x00000041, u"France Telecom Orange"},
    {0x000000A0, u"Sentech"},
    {0x000000A1, u"TechniSat Digital GmbH"},
    {0x000000A2, u"Logiways"},
    {0x000000A3, u"EFG"},
    {0x000000A4, u"Canal+ International"},
    {0x000000A5, u"Canal+ Cyfrowy"},
    {0x000000B0, u"ITI Neovision"},
    {0x000000BE, u"BetaTechnik"},
    {0x000000C0, u"Canal+"},
    {0x000000D0, u"Dolby Laboratories Inc."},
    {0x000000E0, u"ExpressVu Inc."},
    {0x000000F0, u"France Telecom, CNES and DGA (STENTOR)"},
    {0x00000100, u"OpenTV"},
    {0x0000013F, u"Eutelsat S.A."},
    {0x00000140, u"Eltrona-Interdiffusion S.A."},
    {0x00000150, u"Loewe Opta GmbH"},
    {0x00000160, u"Triax A/S"},
    {0x0000055F, u"Eutelsat S.A."},
    {0x00000600, 0x00000601, u"UPC"},
    {0x00000602, 0x00000603, u"UPC Broadband Holding Services"},
    {0x00000A2B, u"WISI"},
    {0x00000ACE, u"Ortikon Interactive Oy"},
    {0x00000AD0, u"Zenterio AB"},
    {0x00001000, u"La Télévision Par Satellite (TPS)"},
    {0x000010F0, u"Telekomunikacja Polska"},
    {0x00002000, u"UC-Connect"},
    {0x000020AA, u"Comisión Nacional de Televisión de Colombia"},
    {0x00002168, u"Ministry of Communication and Information Technology of the Republic of Indonesia"},
    {0x00002213, u"DTT Curaçao"},
    {0x0000224F, u"Autoridad Nacional de los Servicios Públicos"},
    {0x00002268, u"Office of Electronic Communications"},
    {0x000022BF, u"DTT Slovak Republic"},
    {0x000022C1, u"DTT Slovenia"},
    {0x000022C6, u"DTT South Africa"},
    {0x000022C7, u"DTT Hungary"},
    {0x000022C8, u"SIA Lattelecom"},
    {0x000022CE, u"DTT Ireland"},
    {0x000022CF, u"DTT Portugal"},
    {0x000022D4, u"Spanish Broadcasting Regulator"},
    {0x000022F1, u"Swedish Broadcasting Regulator"},
    {0x0000233A, u"Independent Television Commission"},
    {0x00002B00, u"Sky New Zealand"},
    {0x00003200, 0x0000320F, u"Australian Terrestrial Television Networks"},
    {0x0000333A, u"Digital TV Group"},
    {0x00006000, 0x00006006, u"NDS"},
    {0x00362275, u"Irdeto"},
    {0x004E544C, u"NTL"},
    {0x00532D41, u"Scientific Atlanta"},
    {0x00564F4F, u"Tecteo"},
    {0x00600000, u"Rhône Vision Cable"},
    {0x41555300, u"Foxtel Management Pty. Ltd."},
    {0x44414E59, u"NDS"},
    {0x46524549, u"NDS"},
    {0x46534154, u"BBC"},
    {0x46536174, u"BBC"},
    {0x46545600, 0x46545620, u"Free TV Australia"},
    {0x4A4F4A4F, u"Kabel Deutschland"},
    {0x4F545600, 0x4F5456FF, u"OpenTV"},
    {0x50484900, 0x504849FF, u"Philips DVS"},
    {0x53415053, u"Scientific Atlanta"},
    {0x5347444E, u"StarGuide Digital Networks"},
    {0x53475255, u"GkWare e.K."},
    {0x56444700, u"Vía Digital"},
    {0x564F564F, u"TechnoTrend Görler GmbH"},
    {0xBBBBBBBB, u"Bertelsmann Broadband Group"},
    {0xE0E0E0E0, u"eventIS"},
    {0xECCA0001, u"ECCA (European Cable Communications Association)"},
    {0xFCFCFCFC, u"France Telecom"},
};
constexpr ValueTable kPrivateDataSpecifiers{kPrivateDataSpecifierRows, kUnknown};

// All ids with the given high byte.
constexpr ValueName HighByte(uint8_t high, std::u16string_view text) {
  return {uint32_t{high} << 8, (uint32_t{high} << 8) | 0xFF, text};
}

constexpr ValueName kCaSystemIdRows[] = {
    {0x0000, u"Reserved"},
    {0x0001, 0x00FF, u"Standardized Systems"},
    HighByte(0x01, u"Canal Plus"),
    HighByte(0x02, u"CCETT"),
    HighByte(0x03, u"MSG Media Services GmbH"),
    HighByte(0x04, u"Eurodec"),
    HighByte(0x05, u"France Telecom"),
    HighByte(0x06, u"Irdeto"),
    HighByte(0x07, u"Jerrold/GI/Motorola"),
    HighByte(0x08, u"Matra Communication"),
    HighByte(0x09, u"News Datacom"),
    HighByte(0x0A, u"Nokia"),
    HighByte(0x0B, u"Norwegian Telecom"),
    HighByte(0x0C, u"NTL"),
    HighByte(0x0D, u"Philips"),
    HighByte(0x0E, u"Scientific Atlanta"),
    HighByte(0x0F, u"Sony"),
    HighByte(0x10, u"Tandberg Television"),
    HighByte(0x11, u"Thomson"),
    HighByte(0x12, u"TV/Com"),
    HighByte(0x13, u"HPT - Croatian Post and Telecommunications"),
    HighByte(0x14, u"HRT - Croatian Radio and Television"),
    HighByte(0x15, u"IBM"),
    HighByte(0x16, u"Nera"),
    HighByte(0x17, u"Beta Technik"),
    HighByte(0x18, u"Kudelski SA"),
    HighByte(0x19, u"Titan Information Systems"),
    HighByte(0x20, u"Telefonica Servicios Audiovisuales"),
    HighByte(0x21, u"STENTOR (France Telecom, CNES, DGA)"),
    HighByte(0x22, u"Tadiran Scopus"),
    HighByte(0x23, u"BARCO AS"),
    HighByte(0x24, u"StarGuide Digital networks"),
    HighByte(0x25, u"Mentor Data Systems Inc."),
    HighByte(0x26, u"European Broadcasting Union"),
    HighByte(0x47, u"General Instrument"),
    HighByte(0x48, u"Telemann"),
    HighByte(0x49, u"Digital TV Industry Alliance of China"),
    {0x4A00, 0x4A0F, u"Tsinghua TongFang"},
    {0x4A10, 0x4A1F, u"Easycas"},
};
constexpr ValueTable kCaSystemIds{kCaSystemIdRows, u""};

constexpr ValueName kBouquetIdRows[] = {
    {0x0000, u"Reserved / Reserved"},
    {0x1000, 0x101F, u"BSkyB n° / British Sky Broadcasting"},
    {0x4000, u"HPT / HPT"},
    {0x4010, u"HRT / HRT"},
    {0x5000, 0x501F, u"Betatechnik n° / Betatechnik"},
    {0x6000, 0x60BF, u"NDC n° / News Datacom"},
};
constexpr ValueTable kBouquetIds{kBouquetIdRows, u""};

// ---- Component descriptor ----

constexpr ValueName kStreamContentRows[] = {
    {1, u"Video"},
    {2, u"Audio"},
    {3, u"EBU"},
    {0x0C, 0x0F, kUserDefined},
    {0x10, 0xFF, kUnknown},
};
constexpr ValueTable kStreamContents{kStreamContentRows, kRfu};

constexpr ValueName kMpeg2VideoComponentRows[] = {
    {0x01, u"MPEG-2 Video, 4:3 Aspect Ratio, 25 Hz"},
    {0x02, u"MPEG-2 Video, 16:9 Aspect Ratio with Pan Vectors, 25 Hz"},
    {0x03, u"MPEG-2 Video, 16:9 Aspect Ratio without Pan Vectors"},
    {0x04, u"MPEG-2 Video, > 16:9 Aspect Ratio, 25 Hz"},
    {0x05, u"MPEG-2 Video, 4:3 Aspect Ratio, 30 Hz"},
    {0x06, u"MPEG-2 Video, 16:9 Aspect Ratio with Pan Vectors, 30 Hz"},
    {0x07, u"MPEG-2 Video, 16:9 Aspect Ratio without Pan Vectors, 30 Hz"},
    {0x08, u"MPEG-2 Video, > 16:9 Aspect Ratio, 30 Hz"},
    {0x09, u"MPEG-2 High Definition Video, 4:3 Aspect Ratio, 25 Hz"},
    {0x0A, u"MPEG-2 High Definition Video, 16:9 Aspect Ratio with Pan Vectors, 25 Hz"},
    {0x0B, u"MPEG-2 High Definition Video, 16:9 Aspect Ratio without Pan Vectors, 25 Hz"},
    {0x0C, u"MPEG-2 High Definition Video, > 16:9 Aspect Ratio, 25 Hz"},
    {0x0D, u"MPEG-2 High Definition Video, 4:3 Aspect Ratio, 30 Hz"},
    {0x0E, u"MPEG-2 High Definition Video, 16:9 Aspect Ratio with Pan Vectors, 30 Hz"},
    {0x0F, u"MPEG-2 High Definition Video, 16:9 Aspect Ratio without Pan Vectors, 30 Hz"},
    {0x10, u"MPEG-2 High Definition Video, > 16:9 Aspect Ratio, 30 Hz"},
    {0xB0, 0xFE, kUserDefined},
};
constexpr ValueTable kMpeg2VideoComponents{kMpeg2VideoComponentRows, kRfu};

constexpr ValueName kMpeg1AudioComponentRows[] = {
    {0x01, u"MPEG-1 Layer 2 Audio, Single Mono Channel"},
    {0x02, u"MPEG-1 Layer 2 Audio, Dual Mono Channel"},
    {0x03, u"MPEG-1 Layer 2 Audio, Stereo (2 Channel)"},
    {0x04, u"MPEG-1 Layer 2 Audio, Multi-Lingual, Multi-Channel"},
    {0x05, u"MPEG-1 Layer 2 Audio, Surround Sound"},
    {0x40, u"MPEG-1 Layer 2 Audio Description for the Visually Impaired"},
    {0x41, u"MPEG-1 Layer 2 Audio for the Hard of Hearing"},
    {0x42, u"Receiver-Mixed Supplementary Audio"},
    {0xB0, 0xFE, kUserDefined},
};
constexpr ValueTable kMpeg1AudioComponents{kMpeg1AudioComponentRows, kRfu};

constexpr ValueName kTeletextComponentRows[] = {
    {0x01, u"EBU Teletext Subtitles"},
    {0x02, u"Associated EBU Teletext"},
    {0x03, u"VBI Data"},
    {0x10, u"DVB subtitles (normal) with no monitor aspect ratio criticality"},
    {0x11, u"DVB subtitles (normal) for display on 4:3 aspect ratio monitor"},
    {0x12, u"DVB subtitles (normal) for display on 16:9 aspect ratio monitor"},
    {0x13, u"DVB subtitles (normal) for display on 2.21:1 aspect ratio monitor"},
    {0x20, u"DVB subtitles (for the hard of hearing) with no monitor aspect ratio criticality"},
    {0x21, u"DVB subtitles (for the hard of hearing) for display on 4:3 aspect ratio monitor"},
    {0x22, u"DVB subtitles (for the hard of hearing) for display on 16:9 aspect ratio monitor"},
    {0x23, u"DVB subtitles (for the hard of hearing) for display on 2.21:1 aspect ratio monitor"},
    {0xB0, 0xFE, kUserDefined},
};
constexpr ValueTable kTeletextComponents{kTeletextComponentRows, kRfu};

constexpr ValueName kAc3ComponentRows[] = {{0x00, 0x7F, u"Reserved for AC-3 Audio Modes"}};
constexpr ValueTable kAc3Components{kAc3ComponentRows, kRfu};

constexpr ValueName kAvcVideoComponentRows[] = {
    {0x01, u"H.264/AVC Standard Definition Video, 4:3 aspect ratio, 25 Hz"},
    {0x03, u"H.264/AVC Standard Definition Video, 16:9 aspect ratio, 25 Hz"},
    {0x04, u"H.264/AVC Standard Definition Video, > 16:9 aspect ratio, 25 Hz"},
    {0x05, u"H.264/AVC Standard Definition Video, 4:3 aspect ratio, 30 Hz"},
    {0x07, u"H.264/AVC Standard Definition Video, 16:9 aspect ratio, 30 Hz"},
    {0x08, u"H.264/AVC Standard Definition Video, > 16:9 aspect ratio, 30 Hz"},
    {0x0B, u"H.264/AVC High Definition Video, 16:9 aspect ratio, 25 Hz"},
    {0x0C, u"H.264/AVC High Definition Video, > 16:9 aspect ratio, 25 Hz"},
    {0x0F, u"H.264/AVC High Definition Video, 16:9 aspect ratio, 30 Hz"},
    {0x10, u"H.264/AVC High Definition Video, > 16:9 aspect ratio, 30 Hz"},
    {0xB0, 0xFE, kUserDefined},
};
constexpr ValueTable kAvcVideoComponents{kAvcVideoComponentRows, kRfu};

constexpr ValueName kHeAacAudioComponentRows[] = {
    {0x01, u"HE-AAC Audio, Single Mono Channel"},
    {0x03, u"HE-AAC Audio, Stereo"},
    {0x05, u"HE-AAC Audio, Surround Sound"},
    {0x40, u"HE-AAC Audio Description for the Visually Impaired"},
    {0x41, u"HE-AAC Audio for the Hard of Hearing"},
    {0x42, u"HE-AAC Receiver-Mixed Supplementary Audio"},
    {0x43, u"HE-AAC v2 Audio, Stereo"},
    {0x44, u"HE-AAC v2 Audio Description for the Visually Impaired"},
    {0x45, u"HE-AAC v2 Audio for the Hard of Hearing"},
    {0x46, u"HE-AAC v2 Receiver-Mixed Supplementary Audio"},
    {0xB0, 0xFE, kUserDefined},
};
constexpr ValueTable kHeAacAudioComponents{kHeAacAudioComponentRows, kRfu};

constexpr ValueName kDtsComponentRows[] = {{0x00, 0x7F, u"Reserved For DTS Audio Modes"}};
constexpr ValueTable kDtsComponents{kDtsComponentRows, kRfu};

// ---- Content descriptor ----

constexpr ValueName kContentNibble1Rows[] = {
    {0, u"Undefined Content"},
    {1, u"Movie / Drama"},
    {2, u"News / Current Affairs"},
    {3, u"Show / Game Show"},
    {4, u"Sports"},
    {5, u"Children's / Youth Programmes"},
    {6, u"Music / Ballet / Dance"},
    {7, u"Arts / Culture (Without Music)"},
    {8, u"Social / Political Issues / Economics"},
    {9, u"Education / Science / Factual Topics"},
    {10, u"Leisure Hobbies"},
    {11, u"Special Characteristics"},
    {12, 14, kRfu},
    {15, kUserDefined},
};
constexpr ValueTable kContentNibble1{kContentNibble1Rows, kUnknown};

// Level-2 names of each genre; level 2 = 15 is user defined throughout.
constexpr ValueName kMovieRows[] = {
    {0, u"Movie/Drama (General)"},
    {1, u"Detective/Thriller"},
    {2, u"Adventure/Western/War"},
    {3, u"Science Fiction/Fantasy/Horror"},
    {4, u"Comedy"},
    {5, u"Soap/Melodrama/Folklore"},
    {6, u"Romance"},
    {7, u"Serious/Classical/Religious/Historical Movie/Drama"},
    {8, u"Adult Movie/Drama"},
    {15, kUserDefined},
};
constexpr ValueName kNewsRows[] = {
    {0, u"News/Current Affairs (General)"},
    {1, u"News/Weather Report"},
    {2, u"News Magazine"},
    {3, u"Documentary"},
    {4, u"Discussion/Interview/Debate"},
    {15, kUserDefined},
};
constexpr ValueName kShowRows[] = {
    {0, u"Show/Game Show (General)"},
    {1, u"Game Show/Quiz/Contest"},
    {2, u"Variety Show"},
    {3, u"Talk Show"},
    {15, kUserDefined},
};
constexpr ValueName kSportsRows[] = {
    {0, u"Sports (General)"},
    {1, u"Special Events (Olympic Games, World Cup, etc.)"},
    {2, u"Sports Magazines"},
    {3, u"Football/Soccer"},
    {4, u"Tennis/Squash"},
    {5, u"Team Sports (Excluding Football)"},
    {6, u"Athletics"},
    {7, u"Motor Sport"},
    {8, u"Water Sport"},
    {9, u"Winter Sports"},
    {10, u"Equestrian"},
    {11, u"Martial Sports"},
    {15, kUserDefined},
};
constexpr ValueName kChildrenRows[] = {
    {0, u"Children's/Youth Programmes (General)"},
    {1, u"Pre-School Children's Programmes"},
    {2, u"Entertainment Programmes for 6 to 14"},
    {3, u"Entertainment Programmes for 10 to 16"},
    {4, u"Informational/Educational/School Programmes"},
    {5, u"Cartoons/Puppets"},
    {15, kUserDefined},
};
constexpr ValueName kMusicRows[] = {
    {0, u"Music/Ballet/Dance (General)"},
    {1, u"Rock/Pop"},
    {2, u"Serious Music/Classical Music"},
    {3, u"Folk/Traditional Music"},
    {4, u"Jazz"},
    {5, u"Musical/Opera"},
    {6, u"Ballet"},
    {15, kUserDefined},
};
constexpr ValueName kArtsRows[] = {
    {0, u"Arts/Culture (Without Music, General)"},
    {1, u"Performing Arts"},
    {2, u"Fine Arts"},
    {3, u"Religion"},
    {4, u"Popular Culture/Traditional Arts"},
    {5, u"Literature"},
    {6, u"Film/Cinema"},
    {7, u"Experimental Film/Video"},
    {8, u"Broadcasting/Press"},
    {9, u"New Media"},
    {10, u"Arts/Culture Magazines"},
    {11, u"Fashion"},
    {15, kUserDefined},
};
constexpr ValueName kSocialRows[] = {
    {0, u"Social/Political Issues/Economics(General)"},
    {1, u"Magazines/Reports/Documentary"},
    {2, u"Economics/Social Advisory"},
    {3, u"remarkable People"},
    {15, kUserDefined},
};
constexpr ValueName kEducationRows[] = {
    {0, u"Education/Science/Factual Topics (General)"},
    {1, u"Nature/Animals/Environment"},
    {2, u"Technology/Natural Sciences"},
    {3, u"Medicine/Physiology/Psychology"},
    {4, u"Foreign Countries/Expeditions"},
    {5, u"Social/Spiritual Sciences"},
    {6, u"Further Education"},
    {7, u"Languages"},
    {15, kUserDefined},
};
constexpr ValueName kLeisureRows[] = {
    {0, u"Leisure Hobbies (General)"},
    {1, u"Tourism/Travel"},
    {2, u"Handicraft"},
    {3, u"Motoring"},
    {4, u"Fitness and Health"},
    {5, u"Cooking"},
    {6, u"Advertisement/Shopping"},
    {7, u"Gardening"},
    {15, kUserDefined},
};
constexpr ValueName kSpecialRows[] = {
    {0, u"Original Language"},
    {1, u"Black and White"},
    {2, u"Unpublished"},
    {3, u"Live Broadcast"},
    {15, kUserDefined},
};
// Index = level-1 nibble - 1.
constexpr ValueTable kContentNibble2[] = {
    {kMovieRows, kRfu},   {kNewsRows, kRfu},   {kShowRows, kRfu},      {kSportsRows, kRfu},
    {kChildrenRows, kRfu}, {kMusicRows, kRfu}, {kArtsRows, kRfu},      {kSocialRows, kRfu},
    {kEducationRows, kRfu}, {kLeisureRows, kRfu}, {kSpecialRows, kRfu},
};

// ---- Rating, audio, VBI and teletext ----

constexpr ValueName kParentalRatingRows[] = {
    {0x00, u"Undefined"},
    {0x01, 0x0F, u"Minimum Age = Rating + 3 Years"},
    {0x10, 0xFF, u"Defined By The Broadcaster"},
};
constexpr ValueTable kParentalRatings{kParentalRatingRows, kUnknown};

constexpr ValueName kAudioTypeRows[] = {
    {0, u"Undefined"},
    {1, u"Clean Effects"},
    {2, u"Hearing Impaired"},
    {3, u"Visual Impaired Commentary"},
};
constexpr ValueTable kAudioTypes{kAudioTypeRows, kReserved};

constexpr ValueName kVbiDataServiceIdRows[] = {
    {1, u"EBU Teletext"}, {2, u"Inverted Teletext"}, {3, kReserved}, {4, u"VPS"},
    {5, u"WSS"},          {6, u"Closed Captioning"}, {7, u"Monochrome 4:2:2 Samples"},
};
constexpr ValueTable kVbiDataServiceIds{kVbiDataServiceIdRows, kRfu};

constexpr ValueName kTeletextTypeRows[] = {
    {1, u"Initial Teletext Page"},
    {2, u"Teletext Subtitle Page"},
    {3, u"Additional Information Page"},
    {4, u"Programme Schedule Page"},
    {5, u"Teletext Subtitle Page for Hearing Impaired People"},
};
constexpr ValueTable kTeletextTypes{kTeletextTypeRows, kRfu};

// ---- Announcements, ancillary and adaptation-field data ----

// Announcement types, and the bits of the announcement support indicator.
constexpr ValueName kAnnouncementTypeRows[] = {
    {0, u"Emergency Alarm"}, {1, u"Road Traffic Flash"}, {2, u"Public Transport Flash"}, {3, u"Warning Message"},
    {4, u"News Flash"},      {5, u"Weather Flash"},      {6, u"Event Announcement"},     {7, u"Personal Call"},
};
constexpr ValueTable kAnnouncementTypes{kAnnouncementTypeRows, kRfu};

constexpr ValueName kAnnouncementReferenceTypeRows[] = {
    {0, u"Announcement is broadcast in the usual audio stream of the service."},
    {1, u"Announcement is broadcast in a seperate audio stream that is a part of the service."},
    {2, u"Announcement is broadcast is by means of a different service within the same transport stream"},
    {3, u"Announcement is broadcast is by means of a different service within a different transport stream"},
};
constexpr ValueTable kAnnouncementReferenceTypes{kAnnouncementReferenceTypeRows, kRfu};

// Bit number -> name.
constexpr ValueName kAncillaryDataBitRows[] = {
    {0, u"DVD-Video Ancillary Data"},
    {1, u"Extended Ancillary Data"},
    {2, u"Announcement Switching Data"},
    {3, u"DAB Ancillary Data"},
    {4, u"Scale Factor Error Check (ScF-CRC)"},
    {5, u"MPEG-4 Ancillary Data"},
    {6, u"RDS via UECP"},
    {7, kRfu},
};
constexpr ValueTable kAncillaryDataBits{kAncillaryDataBitRows, u""};

constexpr std::u16string_view kFlagSeparator = u" / ";

// The names of the set bits 0..7 in bit order.
std::u16string BitNames(const ValueTable& bitNames, uint32_t flags) {
  std::u16string out;
  for (uint32_t bit = 0; bit < 8; ++bit) {
    if (!(flags & (1u << bit))) continue;
    if (!out.empty()) out += kFlagSeparator;
    out += bitNames.Name(bit);
  }
  return out;
}

// ---- Mosaic ----

constexpr ValueName kMosaicCellCountRows[] = {
    {0, u"One Cell"},  {1, u"Two Cells"},   {2, u"Three Cell"},   {3, u"Four Cells"},
    {4, u"Five Cells"}, {5, u"Six Cells"}, {6, u"Seven Cells"}, {7, u"Eight Cells"},
};
constexpr ValueTable kMosaicCellCounts{kMosaicCellCountRows, kUnknown};

constexpr ValueName kCellPresentationInfoRows[] = {
    {0, u"undefined"}, {1, u"Video"}, {2, u"Still Picture"}, {3, u"Graphics/Text"}, {4, 7, kRfu},
};
constexpr ValueTable kCellPresentationInfos{kCellPresentationInfoRows, u""};

constexpr ValueName kCellLinkageInfoRows[] = {
    {0, u"undefined"},          {1, u"Bouquet Related"}, {2, u"Service Related"},
    {3, u"Other Mosaic Related"}, {4, u"Event Related"}, {5, 7, kRfu},
};
constexpr ValueTable kCellLinkageInfos{kCellLinkageInfoRows, u""};

// ---- MPEG stream and video fields ----

constexpr ValueName kStreamTypeRows[] = {
    {0x00, u"ISO Reserved"},
    {0x01, u"ISO 11172 Video (MPEG 1)"},
    {0x02, u"ISO 13818-2 Video (MPEG 2)"},
    {0x03, u"ISO 11172 Audio (MPEG 1)"},
    {0x04, u"ISO 13818-3 Audio (MPEG 2)"},
    {0x05, u"ISO 13818-1 Private Sections"},
    {0x06, u"ISO 13818-1 PES Private Data"},
    {0x07, u"ISO 13522 MHEG"},
    {0x08, u"ISO 13818-1 Annex A DSM CC"},
    {0x09, u"ISO/IEC 13818-1/11172-1 Auxiliary"},
    {0x0A, u"ISO/IEC 13818-6 Multiprotocol Encapsulation"},
    {0x0B, u"ISO/IEC 13818-6 DSM-CC U-N Messages"},
    {0x0C, u"ISO/IEC 13818-6 Stream Descriptors"},
    {0x0D, u"ISO/IEC 13818-6 Sections"},
    {0x0E, u"ISO/IEC 13818-1 Auxiliary"},
    {0x0F, u"ISO/IEC 13818-7 Audio with ADTS transport sytax"},
    {0x10, u"ISO/IEC 14496-2 Visual"},
    {0x11, u"ISO/IEC 14496-3 Audio with LATM transport syntax"},
    {0x12, u"ISO/IEC 14496-1 SL-packetized stream or FlexMux stream carried in PES packets"},
    {0x13, u"ISO/IEC 14496-1 SL-packetized stream or FlexMux stream carried in ISO/IEC 14496 sections"},
    {0x14, u"ISO/IEC 13818-6 DSM-CC synchronized download protocol"},
    {0x15, u"Metadata carried in PES packets using the Metadata Access Unit Wrapper"},
    {0x16, u"Metadata carried in metadata_sections"},
    {0x17, u"Metadata carried in ISO/IEC 13818-6 (DSM-CC) Data Carousel"},
    {0x18, u"Metadata carried in ISO/IEC 13818-6 (DSM-CC) Object Carousel"},
    {0x19, u"Metadata carried in ISO/IEC 13818-6 Synchronized Download Protocol using the Metadata Access Unit Wrapper"},
    {0x1A, u"IPMP stream"},
    {0x1B, u"AVC video stream | ISO/IEC 14496-10 Video"},
    {0x7F, u"IPMP stream"},
    {0x80, 0xFF, u"User Private"},
};
constexpr ValueTable kStreamTypes{kStreamTypeRows, u"ITU-T Rec. H.222.0 | ISO/IEC 13818-1 reserved"};

constexpr ValueName kStreamTypeClassRows[] = {
    {0x01, u"Video"}, {0x02, u"Video"}, {0x03, u"Audio"}, {0x04, u"Audio"},
    {0x10, u"Video"}, {0x11, u"Audio"}, {0x1B, u"Video"},
};
constexpr ValueTable kStreamTypeClasses{kStreamTypeClassRows, u"Data"};

constexpr ValueName kHierarchyTypeRows[] = {
    {0, kReserved},
    {1, u"ITU-T Rec. H.262|ISO/IEC 13818-2 Spatial Scalability"},
    {2, u"ITU-T Rec. H.262|ISO/IEC 13818-2 SNR Scalability"},
    {3, u"ITU-T Rec. H.262|ISO/IEC 13818-2 Temporal Scalability"},
    {4, u"ITU-T Rec. H.262|ISO/IEC 13818-2 Data Partitioning"},
    {5, u"ISO/IEC 13818-3 Extension Bitstream"},
    {6, u"ITU-T Rec. H.220.0|ISO/IEC 13818-1 Private Stream"},
    {7, 14, kReserved},
    {15, u"Base Layer"},
};
constexpr ValueTable kHierarchyTypes{kHierarchyTypeRows, kUnknown};

constexpr ValueName kAspectRatioRows[] = {
    {0, u"Forbidden"}, {1, u"SAR 1.0 (Square Sample)"}, {2, u"DAR 3:4"}, {3, u"DAR 9:16"}, {4, u"DAR 1:2.21"},
};
constexpr ValueTable kAspectRatios{kAspectRatioRows, u"DAR Reserved"};

constexpr ValueName kFrameRateRows[] = {
    {0, u"Forbidden"}, {1, u"23,967"}, {2, u"24,0"},  {3, u"25,0"}, {4, u"29,97"},
    {5, u"30,0"},      {6, u"50,0"},   {7, u"59,94"}, {8, u"60,0"},
};
constexpr ValueTable kFrameRates{kFrameRateRows, kReserved};

constexpr ValueName kChromaFormatRows[] = {{0, kReserved}, {1, u"4:2:0"}, {2, u"4:2:2"}, {3, u"4:4:4"}};
constexpr ValueTable kChromaFormats{kChromaFormatRows, kReserved};

constexpr ValueName kVideoAlignmentRows[] = {
    {1, u"Slice, or Video Access Unit"}, {2, u"Video Access Unit"}, {3, u"GOP, or SEQ"}, {4, u"SEQ"},
};
constexpr ValueTable kVideoAlignments{kVideoAlignmentRows, kReserved};

constexpr ValueName kAudioAlignmentRows[] = {{1, u"SyncWord"}};
constexpr ValueTable kAudioAlignments{kAudioAlignmentRows, kReserved};

// ---- Buffers, frequency lists, scrambling, applications and carousels ----

constexpr std::u16string_view kDvbReserved = u"DVB_Reserved";

constexpr ValueName kSmoothingBufferSizeRows[] = {{0, kDvbReserved}, {1, u"1536"}, {2, 3, kDvbReserved}};
constexpr ValueTable kSmoothingBufferSizes{kSmoothingBufferSizeRows, kUnknown};

// The rates written out; the codes between them are computed (LeakRateNumber).
constexpr ValueName kLeakRateRows[] = {
    {0, kDvbReserved}, {1, u"0,0009"},  {2, u"0,0018"},  {3, u"0,0036"},  {4, u"0,0072"},  {5, u"0,0108"},
    {6, u"0,0144"},    {7, u"0,0216"},  {8, u"0,0288"},  {9, u"0,075"},   {10, u"0,5"},    {11, u"0,5625"},
    {12, u"0,8437"},   {13, u"1,0"},    {14, u"1,1250"}, {15, u"1,5"},    {16, u"1,6875"}, {17, u"2,0"},
    {18, u"2,2500"},   {19, u"2,5"},    {20, u"3,0"},    {21, u"3,3750"}, {22, u"3,5"},    {23, u"4,0"},
    {24, u"4,5"},      {25, u"5,0"},    {26, u"5,5"},    {27, u"6,0"},    {28, u"6,5"},    {29, u"6,7500"},
    {38, u"13,5"},     {48, u"27"},     {56, u"44"},     {57, u"48"},     {58, u"54"},     {59, u"72"},
    {60, u"108"},      {61, 63, kDvbReserved},
};
constexpr ValueTable kLeakRates{kLeakRateRows, u""};

std::u16string WholeNumber(int n) {
  std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

// The rates of 30..37, 39..47 and 49..55, which follow a step rule.
std::u16string LeakRateNumber(int code) {
  if (code >= 30 && code <= 32) return DecimalText((code - 16) / 2.0, 1);
  if (code >= 33 && code <= 37) return WholeNumber(code - 24);
  if (code >= 39 && code <= 43) return WholeNumber(code - 25);
  if (code >= 44 && code <= 47) return WholeNumber(2 * code - 68);
  return WholeNumber(2 * code - 70);  // 49..55
}

constexpr ValueName kFreqListCodingTypeRows[] = {
    {0, u"Not Defined"}, {1, u"Satellite"}, {2, u"Cable"}, {3, u"Terrestrial"},
};
constexpr ValueTable kFreqListCodingTypes{kFreqListCodingTypeRows, kUnknown};

constexpr ValueName kScramblingModeRows[] = {
    {0x00, kRfu}, {0x01, 0x7F, u"DVB Defined"}, {0x80, 0xFE, kUserDefined}, {0xFF, kRfu},
};
constexpr ValueTable kScramblingModes{kScramblingModeRows, kRfu};

constexpr ValueName kApplicationTypeRows[] = {
    {0, kRfu}, {1, u"DVB-J Application"}, {2, u"DVB-HTML Application"}, {3, 0x7FFF, u"Subject To Registration With DVB"},
};
constexpr ValueTable kApplicationTypes{kApplicationTypeRows, kUnknown};

constexpr ValueName kCarouselFormatIdRows[] = {
    {0x00, u"No Format Specifier Present"},
    {0x01, u"Format Specifier Present"},
    {0x02, 0x7F, kRfu},
    {0x80, 0xFF, u"Reserved For Private Use"},
};
constexpr ValueTable kCarouselFormatIds{kCarouselFormatIdRows, kUnknown};

constexpr ValueName kAssociationTagUseRows[] = {
    {0x0000, u"DSI With IOP Of SGW"},
    {0x0001, 0x00FF, kUnknown},
    {0x0100, 0x1FFF, u"DVB Reserved"},
    {0x2000, 0xFFFF, u"User Private"},
};
constexpr ValueTable kAssociationTagUses{kAssociationTagUseRows, kUnknown};

constexpr NamedValueTable kAllTables[] = {
    {"TableID", &kTableIds},
    {"OriginalNetworkID", &kOriginalNetworkIds},
    {"DescriptorTag", &kDescriptorTags},
    {"CurrentNext", &kCurrentNext},
    {"LinkageType", &kLinkageTypes},
    {"HandOverType", &kHandOverTypes},
    {"OriginType", &kOriginTypes},
    {"WestEast", &kWestEast},
    {"Polarization", &kPolarizations},
    {"SatModulationSystem", &kSatModulationSystems},
    {"SatModulationType", &kSatModulationTypes},
    {"RollOff", &kRollOffs},
    {"CableModulation", &kCableModulations},
    {"InnerFec", &kInnerFecs},
    {"OuterFec", &kOuterFecs},
    {"Bandwidth", &kBandwidths},
    {"Constellation", &kConstellations},
    {"HierarchyInfo", &kHierarchyInfos},
    {"CodeRate", &kCodeRates},
    {"GuardInterval", &kGuardIntervals},
    {"TransmissionMode", &kTransmissionModes},
    {"Priority", &kPriorities},
    {"ServiceType", &kServiceTypes},
    {"RunningStatus", &kRunningStatuses},
    {"EITScheduleFlag", &kEitScheduleFlags},
    {"EITPresentFollowingFlag", &kEitPresentFollowingFlags},
    {"FreeCAMode", &kFreeCaModes},
    {"PrivateDataSpecifier", &kPrivateDataSpecifiers},
    {"CASystemID", &kCaSystemIds},
    {"BouquetID", &kBouquetIds},
    {"StreamContent", &kStreamContents},
    {"ComponentType/MPEG-2 video", &kMpeg2VideoComponents},
    {"ComponentType/MPEG-1 audio", &kMpeg1AudioComponents},
    {"ComponentType/teletext", &kTeletextComponents},
    {"ComponentType/AC-3", &kAc3Components},
    {"ComponentType/AVC video", &kAvcVideoComponents},
    {"ComponentType/HE-AAC audio", &kHeAacAudioComponents},
    {"ComponentType/DTS", &kDtsComponents},
    {"ContentNibble1", &kContentNibble1},
    {"ContentNibble2/1", &kContentNibble2[0]},
    {"ContentNibble2/2", &kContentNibble2[1]},
    {"ContentNibble2/3", &kContentNibble2[2]},
    {"ContentNibble2/4", &kContentNibble2[3]},
    {"ContentNibble2/5", &kContentNibble2[4]},
    {"ContentNibble2/6", &kContentNibble2[5]},
    {"ContentNibble2/7", &kContentNibble2[6]},
    {"ContentNibble2/8", &kContentNibble2[7]},
    {"ContentNibble2/9", &kContentNibble2[8]},
    {"ContentNibble2/10", &kContentNibble2[9]},
    {"ContentNibble2/11", &kContentNibble2[10]},
    {"ParentalRating", &kParentalRatings},
    {"AudioType", &kAudioTypes},
    {"VBIDataServiceID", &kVbiDataServiceIds},
    {"TeletextType", &kTeletextTypes},
    {"AnnouncementType", &kAnnouncementTypes},
    {"AnnouncementReferenceType", &kAnnouncementReferenceTypes},
    {"AncillaryDataID bits", &kAncillaryDataBits},
    {"MosaicCellCount", &kMosaicCellCounts},
    {"CellPresentationInfo", &kCellPresentationInfos},
    {"CellLinkageInfo", &kCellLinkageInfos},
    {"StreamType", &kStreamTypes},
    {"StreamTypeClass", &kStreamTypeClasses},
    {"HierarchyType", &kHierarchyTypes},
    {"AspectRatioInfo", &kAspectRatios},
    {"FrameRateCode", &kFrameRates},
    {"ChromaFormat", &kChromaFormats},
    {"VideoAlignmentType", &kVideoAlignments},
    {"AudioAlignmentType", &kAudioAlignments},
    {"SmoothingBufferSize", &kSmoothingBufferSizes},
    {"SmoothingBufferLeakRate", &kLeakRates},
    {"FreqListCodingType", &kFreqListCodingTypes},
    {"ScramblingMode", &kScramblingModes},
    {"ApplicationType", &kApplicationTypes},
    {"CarouselFormatID", &kCarouselFormatIds},
    {"AssociationTagUse", &kAssociationTagUses},
};

}  // namespace

std::span<const NamedValueTable> AllValueTables() { return kAllTables; }

std::vector<std::u16string> PickListTexts(std::u16string (*text)(uint8_t), uint8_t last) {
  std::vector<std::u16string> out;
  for (unsigned code = 0; code <= last; ++code) out.push_back(text(static_cast<uint8_t>(code)));
  return out;
}

std::u16string TableIDText(uint8_t tableId) { return Text(kTableIds, tableId); }
std::u16string OriginalNetworkIDText(uint16_t originalNetworkId) {
  return Text(kOriginalNetworkIds, originalNetworkId);
}

std::u16string DescriptorTagText(uint8_t tag, uint32_t privateDataSpecifier) {
  for (const PrivateTagName& p : kPrivateTagNames)
    if (p.privateDataSpecifier == privateDataSpecifier && p.tag == tag) return std::u16string(p.text);
  return Text(kDescriptorTags, tag);
}

std::u16string CurrentNextText(uint8_t currentNext) { return Text(kCurrentNext, currentNext); }

std::u16string LinkageTypeText(uint8_t linkageType) { return Text(kLinkageTypes, linkageType); }
std::u16string HandOverTypeText(uint8_t handOverType) { return Text(kHandOverTypes, handOverType); }
std::u16string OriginTypeText(uint8_t originType) { return Text(kOriginTypes, originType); }

std::u16string WestEastText(uint8_t westEast) { return Text(kWestEast, westEast); }
std::u16string PolarizationText(uint8_t polarization) { return Text(kPolarizations, polarization); }
std::u16string SatModulationSystemText(uint8_t modulationSystem) {
  return Text(kSatModulationSystems, modulationSystem & 1);
}
std::u16string SatModulationTypeText(uint8_t modulationType) { return Text(kSatModulationTypes, modulationType & 3); }
std::u16string RollOffText(uint8_t rollOff) { return Text(kRollOffs, rollOff & 3); }

std::u16string CableModulationText(uint8_t modulation) { return Text(kCableModulations, modulation); }
uint8_t CableModulationValue(std::u16string_view text) { return kCableModulations.Value(text); }
std::u16string InnerFecText(uint8_t fecInner) { return Text(kInnerFecs, fecInner); }
uint8_t InnerFecValue(std::u16string_view text) { return kInnerFecs.Value(text); }
std::u16string OuterFecText(uint8_t fecOuter) { return Text(kOuterFecs, fecOuter); }
uint8_t OuterFecValue(std::u16string_view text) { return kOuterFecs.Value(text); }

std::u16string BandwidthText(uint8_t bandwidth) { return Text(kBandwidths, bandwidth); }
uint8_t BandwidthValue(std::u16string_view text) { return kBandwidths.Value(text); }
std::u16string ConstellationText(uint8_t constellation) { return Text(kConstellations, constellation); }
uint8_t ConstellationValue(std::u16string_view text) { return kConstellations.Value(text); }
std::u16string HierarchyInfoText(uint8_t hierarchyInfo) { return Text(kHierarchyInfos, hierarchyInfo); }
uint8_t HierarchyInfoValue(std::u16string_view text) { return kHierarchyInfos.Value(text); }
std::u16string CodeRateText(uint8_t codeRate) { return Text(kCodeRates, codeRate); }
uint8_t CodeRateValue(std::u16string_view text) { return kCodeRates.Value(text); }
std::u16string GuardIntervalText(uint8_t guardInterval) { return Text(kGuardIntervals, guardInterval); }
uint8_t GuardIntervalValue(std::u16string_view text) { return kGuardIntervals.Value(text); }
std::u16string TransmissionModeText(uint8_t transmissionMode) { return Text(kTransmissionModes, transmissionMode); }
uint8_t TransmissionModeValue(std::u16string_view text) { return kTransmissionModes.Value(text); }
std::u16string PriorityText(uint8_t priority) { return Text(kPriorities, priority & 1); }
uint8_t PriorityValue(std::u16string_view text) { return kPriorities.Value(text); }

std::u16string ServiceTypeText(uint8_t serviceType) { return Text(kServiceTypes, serviceType); }
std::u16string RunningStatusText(uint8_t runningStatus) { return Text(kRunningStatuses, runningStatus); }
std::u16string EITScheduleFlagText(uint8_t flag) { return Text(kEitScheduleFlags, flag); }
std::u16string EITPresentFollowingFlagText(uint8_t flag) { return Text(kEitPresentFollowingFlags, flag); }
std::u16string FreeCAModeText(uint8_t freeCaMode) { return Text(kFreeCaModes, freeCaMode); }

std::u16string PrivateDataSpecifierText(uint32_t privateDataSpecifier) {
  return Text(kPrivateDataSpecifiers, privateDataSpecifier);
}
std::u16string CASystemIDText(uint16_t caSystemId) { return Text(kCaSystemIds, caSystemId); }
std::u16string BouquetIDText(uint16_t bouquetId) { return Text(kBouquetIds, bouquetId); }

std::u16string StreamContentText(uint8_t streamContent) { return Text(kStreamContents, streamContent); }

std::u16string ComponentTypeText(uint8_t streamContent, uint8_t componentType) {
  const ValueTable* table = nullptr;
  switch (streamContent) {
    case 1: table = &kMpeg2VideoComponents; break;
    case 2: table = &kMpeg1AudioComponents; break;
    case 3: table = &kTeletextComponents; break;
    case 4: table = &kAc3Components; break;
    case 5: table = &kAvcVideoComponents; break;
    case 6: table = &kHeAacAudioComponents; break;
    case 7: table = &kDtsComponents; break;
  }
  if (table) return Text(*table, componentType);
  if (streamContent > 0x0F) return u"Not Defined";
  if (streamContent >= 0x0C) return std::u16string(kUserDefined);
  return std::u16string(kRfu);  // 0 and 8..11
}

std::u16string ContentNibble1Text(uint8_t level1) { return Text(kContentNibble1, level1); }

std::u16string ContentNibble2Text(uint8_t level1, uint8_t level2) {
  if (level1 > 15) return std::u16string(kUnknown);
  if (level1 == 0) return u"Undefined Content";
  if (level2 > 15) return {};
  if (level1 <= 11) return Text(kContentNibble2[level1 - 1], level2);
  return Text(kContentNibble1, level1);  // 12..14 reserved, 15 user defined
}

std::u16string ParentalRatingText(uint8_t rating) { return Text(kParentalRatings, rating); }
std::u16string AudioTypeText(uint8_t audioType) { return Text(kAudioTypes, audioType); }
std::u16string VBIDataServiceIDText(uint8_t dataServiceId) { return Text(kVbiDataServiceIds, dataServiceId); }
std::u16string TeletextTypeText(uint8_t teletextType) { return Text(kTeletextTypes, teletextType); }

std::u16string AnnouncementSupportText(uint16_t supportIndicator) {
  std::u16string out = BitNames(kAnnouncementTypes, supportIndicator);
  if (supportIndicator >> 8) {
    if (!out.empty()) out += kFlagSeparator;
    out += kRfu;
  }
  return out;
}
std::u16string AnnouncementTypeText(uint8_t announcementType) { return Text(kAnnouncementTypes, announcementType); }
std::u16string AnnouncementReferenceTypeText(uint8_t referenceType) {
  return Text(kAnnouncementReferenceTypes, referenceType);
}
std::u16string AncillaryDataIDText(uint8_t ancillaryDataId) { return BitNames(kAncillaryDataBits, ancillaryDataId); }

std::u16string AdaptationFieldDataIDText(uint8_t adaptationFieldDataId) {
  std::u16string out;
  if (adaptationFieldDataId & 1) out = u"Announcement Switching Data Filed";
  if (adaptationFieldDataId > 1) {
    if (!out.empty()) out += kFlagSeparator;
    out += u"Reserved For Future Use ";
  }
  return out;
}

std::u16string MosaicCellCountText(uint8_t cellCount) { return Text(kMosaicCellCounts, cellCount); }
std::u16string CellPresentationInfoText(uint8_t presentationInfo) {
  return Text(kCellPresentationInfos, presentationInfo);
}
std::u16string CellLinkageInfoText(uint8_t linkageInfo) { return Text(kCellLinkageInfos, linkageInfo); }

std::u16string StreamTypeText(uint8_t streamType) { return Text(kStreamTypes, streamType); }
std::u16string StreamTypeClassText(uint8_t streamType) { return Text(kStreamTypeClasses, streamType); }
std::u16string HierarchyTypeText(uint8_t hierarchyType) { return Text(kHierarchyTypes, hierarchyType); }
std::u16string AspectRatioInfoText(uint8_t aspectRatio) { return Text(kAspectRatios, aspectRatio & 15); }
std::u16string FrameRateCodeText(uint8_t frameRateCode) { return Text(kFrameRates, frameRateCode & 15); }
std::u16string ChromaFormatText(uint8_t chromaFormat) { return Text(kChromaFormats, chromaFormat & 3); }
std::u16string VideoAlignmentTypeText(uint8_t alignmentType) { return Text(kVideoAlignments, alignmentType); }
std::u16string AudioAlignmentTypeText(uint8_t alignmentType) { return Text(kAudioAlignments, alignmentType); }

std::u16string AlignmentTypeText(uint8_t alignmentType, uint8_t streamKind) {
  switch (streamKind) {
    case 0: return VideoAlignmentTypeText(alignmentType) + u" | " + AudioAlignmentTypeText(alignmentType);
    case 1: return VideoAlignmentTypeText(alignmentType);
    case 2: return AudioAlignmentTypeText(alignmentType);
  }
  return std::u16string(kUnknown);
}

std::u16string SmoothingBufferSizeText(uint8_t sbSize) { return Text(kSmoothingBufferSizes, sbSize); }

std::u16string SmoothingBufferLeakRateText(uint8_t sbLeakRate) {
  if (sbLeakRate >= 64) return std::u16string(kUnknown);
  std::u16string number = Text(kLeakRates, sbLeakRate);
  if (number.empty()) number = LeakRateNumber(sbLeakRate);
  return number + u" Mbit/s";
}

std::u16string FreqListCodingTypeText(uint8_t codingType) { return Text(kFreqListCodingTypes, codingType); }
std::u16string ScramblingModeText(uint8_t scramblingMode) { return Text(kScramblingModes, scramblingMode); }
std::u16string ApplicationTypeText(uint16_t applicationType) { return Text(kApplicationTypes, applicationType); }
std::u16string CarouselFormatIDText(uint8_t formatId) { return Text(kCarouselFormatIds, formatId); }
std::u16string AssociationTagUseText(uint16_t use) { return Text(kAssociationTagUses, use); }

}  // namespace quillon
