#include <gtest/gtest.h>

#include "viewer/viewer_test_util.h"

namespace quillon {
namespace {

using test::DescriptorDisplay;
using test::DisplayCase;

const DisplayCase kMpegCases[] = {
    {"VideoStream", kNoPrivSpec, "02 03 98 48 5F",
     R"(Video Stream Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x02 |
  Descriptor Length | 8 Bit | 3 |
  Multiple Frame Rate Flag | 1 Bit | 1 |
  Frame Rate Code | 4 Bit | 3 | 25,0
  MPEG 1 Only Flag | 1 Bit | 0 |
  Constrained Parameter Flag | 1 Bit | 0 |
  Still Picture Flag | 1 Bit | 0 |
  Profile and Level Indication | 8 Bit | 72 |
  Chroma Format | 2 Bit | 1 | 4:2:0
  Frame Rate Extension Flag | 1 Bit | 0 |
  Reserved | 5 Bit | 31 |
)"},
    {"VideoStreamMpeg1Only", kNoPrivSpec, "02 01 A4",
     R"(Video Stream Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x02 |
  Descriptor Length | 8 Bit | 1 |
  Multiple Frame Rate Flag | 1 Bit | 1 |
  Frame Rate Code | 4 Bit | 4 | 29,97
  MPEG 1 Only Flag | 1 Bit | 1 |
  Constrained Parameter Flag | 1 Bit | 0 |
  Still Picture Flag | 1 Bit | 0 |
)"},
    {"AudioStream", kNoPrivSpec, "03 01 D7",
     R"(Audio Stream Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x03 |
  Descriptor Length | 8 Bit | 1 |
  Free Format Flag | 1 Bit | 1 |
  ID | 1 Bit | 1 |
  Layer | 2 Bit | 1 |
  Variable Rate Audio Indication | 1 Bit | 0 |
  Reserved | 3 Bit | 7 |
)"},
    {"Hierarchy", kNoPrivSpec, "04 04 F2 C1 C2 C3",
     R"(Hierarchy Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x04 |
  Descriptor Length | 8 Bit | 4 |
  Reserved | 4 Bit | 15 |
  Hierarchy Type | 4 Bit | 2 | ITU-T Rec. H.262|ISO/IEC 13818-2 SNR Scalability
  Reserved | 2 Bit | 3 |
  Layer Index | 6 Bit | 1 |
  Reserved | 2 Bit | 3 |
  Embedded Layer Index | 6 Bit | 2 |
  Reserved | 2 Bit | 3 |
  Channel | 6 Bit | 3 |
)"},
    {"Registration", kNoPrivSpec, "05 06 41 43 2D 33 01 02",
     R"(Registration Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x05 |
  Descriptor Length | 8 Bit | 6 |
  Format Identifier | 32 Bit | 1094921523 |
  Additional Identification Info | 2 Bytes | 01 02  |
)"},
    {"DataStreamAlignment", kNoPrivSpec, "06 01 02",
     R"(Data Stream Alignment Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x06 |
  Descriptor Length | 8 Bit | 1 |
  Alignment Type | 8 Bit | 2 | Video Access Unit | Reserved
)"},
    {"TargetBackgroundGrid", kNoPrivSpec, "07 04 0B 40 24 02",
     R"(Target Background Grid Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x07 |
  Descriptor Length | 8 Bit | 4 |
  Horizontal Size | 14 Bit | 720 | Pixel
  Vertical Size | 14 Bit | 576 | Pixel
  Aspect Ratio Info | 4 Bit | 2 | DAR 3:4
)"},
    {"VideoWindow", kNoPrivSpec, "08 04 00 28 01 4F",
     R"(Video Window Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x08 |
  Descriptor Length | 8 Bit | 4 |
  Horizontal Offset | 14 Bit | 10 | Pixel
  Vertical Offset | 14 Bit | 20 | Pixel
  Window Priority | 4 Bit | 15 | 0=Lowest 15=Highest(Always Visible)
)"},
    {"CA", kNoPrivSpec, "09 06 0B 00 E1 00 AA BB",
     R"(CA Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x09 |
  Descriptor Length | 8 Bit | 6 |
  CA System ID | 16 Bit | 0x0B00 | Norwegian Telecom
  Reserved | 3 Bit | 7 |
  CA PID | 13 Bit | 0x0100 |
  Private Data | 2 Bytes | AA BB  |
)"},
    {"ISO639LanguageCode", kNoPrivSpec, "0A 04 64 65 75 01",
     R"(ISO-639 Language Code Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x0A |
  Descriptor Length | 8 Bit | 4 |
  Language Code Loop |  |  |
    Language Code Entry |  |  |
      ISO 639 Language Code | 24 Bit | 0x646575 | deu
      Audio Type | 8 Bit | 1 | Clean Effects
)"},
    {"SystemClock", kNoPrivSpec, "0B 02 C5 5F",
     R"(System Clock Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x0B |
  Descriptor Length | 8 Bit | 2 |
  External Clock Reference Indicator | 1 Bit | 1 |
  Reserved | 1 Bit | 1 |
  Clock Accuracy Integer | 6 Bit | 5 |
  Clock Accuracy Exponent | 3 Bit | 2 |
  Reserved | 5 Bit | 31 |
)"},
    {"MultiplexBufferUtilization", kNoPrivSpec, "0C 04 80 64 80 C8",
     R"(Multiplex Buffer Utilization Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x0C |
  Descriptor Length | 8 Bit | 4 |
  Bound Valid Flag | 1 Bit | 1 |
  LTW Offset Lower Bound | 15 Bit | 100 |
  Reserved | 1 Bit | 1 |
  LTW Offset Upper Bound | 15 Bit | 200 |
)"},
    {"Copyright", kNoPrivSpec, "0D 05 12 34 56 78 99",
     R"(Copyright Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x0D |
  Descriptor Length | 8 Bit | 5 |
  Copyright Identifier | 32 Bit | 0x12345678 |
  Additional Copyright Info | 1 Bytes | 99  |
)"},
    {"MaximumBitrate", kNoPrivSpec, "0E 03 C0 27 10",
     R"(Maximum Bitrate Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x0E |
  Descriptor Length | 8 Bit | 3 |
  Reserved | 2 Bit | 3 |
  Maximum Bitrate | 22 Bit | 10000 |
)"},
    {"PrivateDataIndicator", kNoPrivSpec, "0F 04 DE AD BE EF",
     R"(Private Data Indicator Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x0F |
  Descriptor Length | 8 Bit | 4 |
  Indicator | 32 Bit | 0xDEADBEEF |
)"},
    {"SmoothingBuffer", kNoPrivSpec, "10 06 C0 03 E8 C0 07 D0",
     R"(Smoothing Buffer Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x10 |
  Descriptor Length | 8 Bit | 6 |
  Reserved | 2 Bit | 3 |
  SB Leak Rate | 22 Bit | 1000 |
  Reserved | 2 Bit | 3 |
  SB Size | 22 Bit | 2000 |
)"},
    {"SystemTargetDecoder", kNoPrivSpec, "11 01 FF",
     R"(System Target Decoder (STD) Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x11 |
  Descriptor Length | 8 Bit | 1 |
  Reserved | 7 Bit | 127 |
  Leak Valid Flag | 1 Bit | 1 |
)"},
    {"IBP", kNoPrivSpec, "12 02 80 0F",
     R"(IBP Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x12 |
  Descriptor Length | 8 Bit | 2 |
  Closed GOP Flag | 1 Bit | 1 |
  Identical GOP Flag | 1 Bit | 0 |
  Maximum GOP Length | 14 Bit | 15 |
)"},
    {"CarouselWithFormatSpecifier", kNoPrivSpec, "13 18 00 00 00 01 01 02 00 03 0F E2 00 00 10 00 00 00 00 20 00 0A 02 AB CD EE",
     R"(Carousel Identifier Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x13 |
  Descriptor Length | 8 Bit | 24 |
  Carousel ID | 32 Bit | 0x00000001 |
  Format ID | 8 Bit | 0x01 | Format Specifier Present
  Format Specifier |  |  |
    Module Version | 8 Bit | 2 |
    Module ID | 16 Bit | 0x0003 |
    Block Size | 16 Bit | 4066 |
    Module Size | 32 Bit | 4096 |
    Compression Method | 8 Bit | 0 |
    Original Size | 32 Bit | 8192 |
    Time Out | 8 Bit | 10 | Seconds
    Object Key Length | 8 Bit | 2 |
    Object Key Data | 2 Bytes | AB CD  |
  Private Data | 1 Bytes | EE  |
)"},
    {"CarouselWithoutFormatSpecifier", kNoPrivSpec, "13 06 00 00 00 02 00 FF",
     R"(Carousel Identifier Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x13 |
  Descriptor Length | 8 Bit | 6 |
  Carousel ID | 32 Bit | 0x00000002 |
  Format ID | 8 Bit | 0x00 | No Format Specifier Present
  Private Data | 1 Bytes | FF  |
)"},
    {"AssociationTagDsi", kNoPrivSpec, "14 0D 00 01 00 00 08 80 00 00 02 FF FF FF FF",
     R"(Association Tag Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x14 |
  Descriptor Length | 8 Bit | 13 |
  Association Tag | 16 Bit | 0x0001 |
  Use | 16 Bit | 0x0000 | DSI With IOP Of SGW
  Selector Length | 8 Bit | 8 | DSI Selector
  Selector |  |  |
    Transaction ID | 32 Bit | 0x80000002 |
    Time Out | 32 Bit | 0xFFFFFFFF |
  Private Data | 0 Bytes |  |
)"},
    {"AssociationTagNoSelector", kNoPrivSpec, "14 05 00 02 00 01 00",
     R"(Association Tag Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x14 |
  Descriptor Length | 8 Bit | 5 |
  Association Tag | 16 Bit | 0x0002 |
  Use | 16 Bit | 0x0001 | ?
  Selector Length | 8 Bit | 0 | No Selector Present
  Private Data | 0 Bytes |  |
)"},
    {"AssociationTagSelectorData", kNoPrivSpec, "14 08 00 03 20 00 02 11 22 33",
     R"(Association Tag Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x14 |
  Descriptor Length | 8 Bit | 8 |
  Association Tag | 16 Bit | 0x0003 |
  Use | 16 Bit | 0x2000 | User Private
  Selector Length | 8 Bit | 2 | Selector Data Present
  Selector |  |  |
    Selector Data | 2 Bytes | 11 22  |
  Private Data | 1 Bytes | 33  |
)"},
};
INSTANTIATE_TEST_SUITE_P(Mpeg, DescriptorDisplay, ::testing::ValuesIn(kMpegCases), test::CaseName);

const DisplayCase kServiceCases[] = {
    {"BouquetName", kNoPrivSpec, "47 03 42 71 31",
     R"(Bouquet Name Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x47 |
  Descriptor Length | 8 Bit | 3 |
  Bouquet Name | 3 Chars | Bq1 |
)"},
    {"ServiceWithCharacterTable", kNoPrivSpec, "48 09 01 03 05 50 72 03 44 61 73",
     "Service Descriptor |  |  |\n"
     "  Descriptor Tag | 8 Bit | 0x48 |\n"
     "  Descriptor Length | 8 Bit | 9 |\n"
     "  Service Type | 8 Bit | 0x01 | Digital Television Service\n"
     "  Service Provider Name Length | 8 Bit | 3 |\n"
     "  Service Provider Name | 3 Chars | [0x05]Pr | Pr (ISO 8859-9 - Latin Alphabet No. 5)\n"
     "  Service Name Length | 8 Bit | 3 |\n"
     "  Service Name | 3 Chars | Das |\n"},
    {"CountryAvailibility", kNoPrivSpec, "49 07 FF 44 45 55 41 55 54",
     R"(Country Availibility Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x49 |
  Descriptor Length | 8 Bit | 7 |
  Country Availibility Flag | 1 Bit | 1 |
  Reserved For Future Use | 7 Bit | 127 |
  Country Code Loop |  |  |
    Country Code | 24 Bit | 0x444555 | DEU
    Country Code | 24 Bit | 0x415554 | AUT
)"},
    {"NVODReference", kNoPrivSpec, "4B 06 00 01 00 85 00 10",
     R"(NVOD Reference Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x4B |
  Descriptor Length | 8 Bit | 6 |
  NVOD Reference Loop |  |  |
    NVOD Reference Entry |  |  |
      Transport Stream ID | 16 Bit | 0x0001 |
      Original Network ID | 16 Bit | 0x0085 |
      Service ID | 16 Bit | 0x0010 |
)"},
    {"TimeShiftedService", kNoPrivSpec, "4C 02 00 05",
     R"(Time Shifted Service Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x4C |
  Descriptor Length | 8 Bit | 2 |
  Reference Service ID | 16 Bit | 0x0005 |
)"},
    {"MosaicBouquetAndEventCells", kNoPrivSpec,
     "51 15 99 17 F9 02 CA CB 01 00 10 1B FA 00 04 00 01 00 02 00 03 00 04",
     R"(Mosaic Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x51 |
  Descriptor Length | 8 Bit | 21 |
  Mosaic Entry Point | 1 Bit | 1 |
  Number Of Horizontal Elementary Cells | 3 Bit | 1 | Two Cells
  Reserved For Future Use | 1 Bit | 1 |
  Number Of Vertical Elementary Cells | 3 Bit | 1 | Two Cells
  Mosaic Cell Loop |  |  |
    Mosaic Cell Entry |  |  |
      Logical Cell ID | 6 Bit | 0x05 |
      Reserved For Future Use | 7 Bit | 0x7F |
      Logical Cell Presentation Info | 3 Bit | 0x01 | Video
      Elementary Cell Field Length | 8 Bit | 2 Bytes |
      Elementary Cell Loop |  |  |
        Elementary Cell Entry |  |  |
          Reserved For Future Use | 2 Bit | 3 |
          Elementary Cell ID | 6 Bit | 0x0A Bytes |
        Elementary Cell Entry |  |  |
          Reserved For Future Use | 2 Bit | 3 |
          Elementary Cell ID | 6 Bit | 0x0B Bytes |
      Cell Linkage Info | 8 Bit | 0x01 | Bouquet Related
      Bouquet ID | 16 Bit | 0x0010 |
    Mosaic Cell Entry |  |  |
      Logical Cell ID | 6 Bit | 0x06 |
      Reserved For Future Use | 7 Bit | 0x7F |
      Logical Cell Presentation Info | 3 Bit | 0x02 | Still Picture
      Elementary Cell Field Length | 8 Bit | 0 Bytes |
      Elementary Cell Loop |  |  |
      Cell Linkage Info | 8 Bit | 0x04 | Event Related
      Original Network ID | 16 Bit | 0x0001 |
      Transport Stream ID | 16 Bit | 0x0002 |
      Service ID | 16 Bit | 0x0003 |
      Event ID | 16 Bit | 0x0004 |
)"},
    {"CAIdentifier", kNoPrivSpec, "53 04 0B 00 17 00",
     R"(CA Identifier Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x53 |
  Descriptor Length | 8 Bit | 4 |
  CA Identifier Loop |  |  |
    CA Identifier Entry |  |  |
      CA System ID | 16 Bit | 0x0B00 | Norwegian Telecom
    CA Identifier Entry |  |  |
      CA System ID | 16 Bit | 0x1700 | Beta Technik
)"},
    // The number's parts show their characters, not their lengths again.
    {"Telephone", kNoPrivSpec, "57 11 E2 CE B4 34 39 30 34 30 31 32 31 32 33 34 35 36 37",
     R"(Telephone Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x57 |
  Descriptor Length | 8 Bit | 17 |
  Reserved For Future Use | 2 Bit | 3 |
  Foreign Availibility | 1 Bit | 1 |
  Connection Type | 5 Bit | 2 |
  Reserved For Future Use | 1 Bit | 1 |
  Country Prefix Length | 2 Bit | 2 |
  International Area Code Length | 3 Bit | 3 |
  Operator Code Length | 2 Bit | 2 |
  Reserved For Future Use | 1 Bit | 1 |
  National Area Code Length | 3 Bit | 3 |
  Core Number Length | 4 Bit | 4 |
  Country Prefix | 2 Chars | 49 |
  International Area Code | 3 Chars | 040 |
  Operator Code | 2 Chars | 12 |
  National Area Code | 3 Chars | 123 |
  Core Number | 4 Chars | 4567 |
)"},
    {"MultilingualBouquetName", kNoPrivSpec, "5C 07 64 65 75 03 42 71 31",
     R"(Multilingual Bouquet Name Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x5C |
  Descriptor Length | 8 Bit | 7 |
  Multilingual Bouquet Name Loop |  |  |
    Multilingual Bouquet Name Entry |  |  |
      ISO 639 Language Code | 24 Bit | 0x646575 | deu
      Bouquet Name Length | 8 Bit | 3 |
      Bouquet Name | 3 | Bq1 |
)"},
    {"MultilingualServiceName", kNoPrivSpec, "5D 0B 64 65 75 02 50 72 04 05 44 61 73",
     "Multilingual Service Name Descriptor |  |  |\n"
     "  Descriptor Tag | 8 Bit | 0x5D |\n"
     "  Descriptor Length | 8 Bit | 11 |\n"
     "  Multilingual Service Name Loop |  |  |\n"
     "    Multilingual Service Name Entry |  |  |\n"
     "      ISO 639 Language Code | 24 Bit | 0x646575 | deu\n"
     "      Service Provider Name Length | 8 Bit | 2 |\n"
     "      Service Provider Name | 2 | Pr |\n"
     "      Service Name Length | 8 Bit | 4 |\n"
     "      Service Name | 4 | [0x05]Das | Das (ISO 8859-9 - Latin Alphabet No. 5)\n"},
    {"ServiceMove", kNoPrivSpec, "60 06 00 85 00 01 00 02",
     R"(Service Move Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x60 |
  Descriptor Length | 8 Bit | 6 |
  New Orginal Network ID | 16 Bit | 0x85 |
  New Transport Stream ID | 16 Bit | 0x01 |
  New Service ID | 16 Bit | 0x02 |
)"},
    {"AnnouncementSupport", kNoPrivSpec, "6E 0B 00 03 19 00 85 00 01 01 01 05 08",
     R"(Announcement Support Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x6E |
  Descriptor Length | 8 Bit | 11 |
  Announcement Support Indicator | 16 Bit | 3 | Emergency Alarm / Road Traffic Flash
  Announcement Support Loop |  |  |
    Announcement Support Entry |  |  |
      Announcement Type | 4 Bit | 1 | Road Traffic Flash
      Reserved For Future Use | 1 Bit | 1 |
      Reference Type | 3 Bit | 1 | Announcement is broadcast in a seperate audio stream that is a part of the service.
      Original Network ID | 16 Bit | 0x0085 |
      Transport Stream ID | 16 Bit | 0x0001 |
      Service ID | 16 Bit | 0x0101 |
      Component Tag | 8 Bit | 0x05 |
    Announcement Support Entry |  |  |
      Announcement Type | 4 Bit | 0 | Emergency Alarm
      Reserved For Future Use | 1 Bit | 1 |
      Reference Type | 3 Bit | 0 | Announcement is broadcast in the usual audio stream of the service.
)"},
    {"ServiceIdentifier", kNoPrivSpec, "71 03 61 62 63",
     R"(Service Identifier Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x71 |
  Descriptor Length | 8 Bit | 3 |
  Service Identifier | 3 Chars | abc |
)"},
    {"ServiceAvailability", kNoPrivSpec, "72 05 FF 00 01 00 02",
     R"(Service Availability Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x72 |
  Descriptor Length | 8 Bit | 5 |
  Availability Flag | 1 Bit | 1 | Service Available In Following Cells in Loop
  Reserved | 7 Bit | 127 |
  Cell Loop |  |  |
    Cell Entry |  |  |
      Cell ID | 16 Bit | 0x0001 |
    Cell Entry |  |  |
      Cell ID | 16 Bit | 0x0002 |
)"},
};
INSTANTIATE_TEST_SUITE_P(Service, DescriptorDisplay, ::testing::ValuesIn(kServiceCases), test::CaseName);

const DisplayCase kEventCases[] = {
    {"ShortEvent", kNoPrivSpec, "4D 0C 64 65 75 04 4E 65 77 73 03 86 48 69",
     "Short Event Descriptor |  |  |\n"
     "  Descriptor Tag | 8 Bit | 0x4D |\n"
     "  Descriptor Length | 8 Bit | 12 |\n"
     "  ISO 639 Language Code | 24 Bit | 0x646575 | deu\n"
     "  Event Name Length | 8 Bit | 4 |\n"
     "  Event Name | 4 | News | News\n"
     "  Text Length | 8 Bit | 3 |\n"
     "  Text | 3 | [0x86]Hi | Hi\n"},
    {"ExtendedEvent", kNoPrivSpec, "4E 12 01 64 65 75 09 04 43 61 73 74 03 42 6F 62 03 8A 48 69",
     "Extended Event Descriptor |  |  |\n"
     "  Descriptor Tag | 8 Bit | 0x4E |\n"
     "  Descriptor Length | 8 Bit | 18 |\n"
     "  Descriptor Number | 4 Bit | 0 |\n"
     "  Last Descriptor Number | 4 Bit | 1 |\n"
     "  ISO 639 Language Code | 24 Bit | 0x646575 | deu\n"
     "  Length Of Items | 8 Bit | 9 |\n"
     "  Items Loop |  |  |\n"
     "    Item Entry |  |  |\n"
     "      Item Description Length | 8 Bit | 4 |\n"
     "      Item Description | 4 Chars | Cast | Cast\n"
     "      Item Length | 8 Bit | 3 |\n"
     "      Item | 3 Chars | Bob | Bob\n"
     "  Text Length | 8 Bit | 3 |\n"
     "  Text | 3 Chars | [0x8A]Hi | Hi\n"},
    {"TimeShiftedEvent", kNoPrivSpec, "4F 04 00 01 00 02",
     R"(Time Shifted Event Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x4F |
  Descriptor Length | 8 Bit | 4 |
  Reference Service ID | 16 Bit | 0x0001 |
  Reference Event ID | 16 Bit | 0x0002 |
)"},
    {"Component", kNoPrivSpec, "50 0A F1 03 01 64 65 75 42 69 6C 64",
     R"(Component Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x50 |
  Descriptor Length | 8 Bit | 10 |
  Reserved For Future Use | 4 Bit | 15 |
  Stream Content | 4 Bit | 1 | Video
  Component Type | 8 Bit | 3 | MPEG-2 Video, 16:9 Aspect Ratio without Pan Vectors
  Component Tag | 8 Bit | 1 |
  ISO 639 Language Code | 24 Bit | 0x646575 | deu
  Text | 4 Bytes | Bild |
)"},
    {"Content", kNoPrivSpec, "54 04 21 AB F0 00",
     R"(Content Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x54 |
  Descriptor Length | 8 Bit | 4 |
  Content Loop |  |  |
    Content Entry |  |  |
      Content Nibble Level 1 | 4 Bit | 2 | News / Current Affairs
      Content Nibble Level 2 | 4 Bit | 1 | News/Weather Report
      User Nibble | 4 Bit | 10 |
      User Nibble |  | 11 |
    Content Entry |  |  |
      Content Nibble Level 1 | 4 Bit | 15 | User Defined
      Content Nibble Level 2 | 4 Bit | 0 | User Defined
      User Nibble | 4 Bit | 0 |
      User Nibble |  | 0 |
)"},
    {"ParentalRating", kNoPrivSpec, "55 04 44 45 55 0C",
     R"(Parental Rating Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x55 |
  Descriptor Length | 8 Bit | 4 |
  Parental Rating Loop |  |  |
    Parental Rating Entry |  |  |
      Country Code | 24 Bit | 0x444555 | DEU
      Rating | 8 Bit | 0x0C | Minimum Age = Rating + 3 Years
)"},
    {"LocalTimeOffsets", kNoPrivSpec,
     "58 1A 44 45 55 02 01 30 C0 79 12 45 00 02 00 50 52 54 17 01 00 DC A9 00 00 00 00 00",
     R"(Local Time Offset Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x58 |
  Descriptor Length | 8 Bit | 26 |
  Local Time Offset Loop |  |  |
    Local Time Offset Entry |  |  |
      Country Code | 24 Bit | 0x444555 | DEU
      Country Region ID | 6 Bit | 0 | No Time Zone Extension Used
      Reserved | 1 Bit | 1 |
      Local Time Offset Polarity | 1 Bit | 0 | Positive (+)
      Local Time Offset | 16 Bit | 0x0130 | 1h:30m
      Time of Change | 40 Bit | 0xC0 0x79 0x12 0x45 0x00 | 13.10.1993
      Next Time Offset | 16 Bit | 0x0200 | 2h:0m
    Local Time Offset Entry |  |  |
      Country Code | 24 Bit | 0x505254 | PRT
      Country Region ID | 6 Bit | 5 | Time Zone 5
      Reserved | 1 Bit | 1 |
      Local Time Offset Polarity | 1 Bit | 1 | Negative (-)
      Local Time Offset | 16 Bit | 0x0100 | 1h:0m
      Time of Change | 40 Bit | 0xDC 0xA9 0x00 0x00 0x00 | 16.07.2013
      Next Time Offset | 16 Bit | 0x0000 | 0h:0m
)"},
    {"MultilingualComponent", kNoPrivSpec, "5E 08 01 65 6E 67 03 41 75 64",
     R"(Multilingual Component Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x5E |
  Descriptor Length | 8 Bit | 8 |
  Component Tag | 8 Bit | 0x01 |
  Multilingual Component Loop |  |  |
    Multilingual Component Entry |  |  |
      ISO 639 Language Code | 24 Bit | 0x656E67 | eng
      Text Length | 8 Bit | 3 |
      Component Description | 3 | Aud |
)"},
    {"PDC", kNoPrivSpec, "69 03 F7 B5 2D",
     R"(PDC Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x69 |
  Descriptor Length | 8 Bit | 3 |
  Reserved For Future Use | 4 Bit | 15 |
  Program Identification Label | 20 Bit | 505133 | Day: 15  Month: 6  Hour: 20  Minute: 45
)"},
};
INSTANTIATE_TEST_SUITE_P(Event, DescriptorDisplay, ::testing::ValuesIn(kEventCases), test::CaseName);

const DisplayCase kStreamCases[] = {
    {"VBIDataWithAndWithoutLineFields", kNoPrivSpec, "45 07 01 02 F5 C7 03 01 AB",
     R"(VBI Data Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x45 |
  Descriptor Length | 8 Bit | 7 |
  VBI Data Loop |  |  |
    VBI Data Entry |  |  |
      Data Service ID | 8 Bit | 0x01 | EBU Teletext
      Data Service Descriptor Length | 8 Bit | 2 |
      Data Service Loop |  |  |
        Data Service Entry |  |  |
          Reserved | 2 Bit | 3 |
          Field Parity | 1 Bit | 1 |
          Line Offset | 5 Bit | 21 |
        Data Service Entry |  |  |
          Reserved | 2 Bit | 3 |
          Field Parity | 1 Bit | 0 |
          Line Offset | 5 Bit | 7 |
    VBI Data Entry |  |  |
      Data Service ID | 8 Bit | 0x03 | Reserved
      Data Service Descriptor Length | 8 Bit | 1 |
      Data Service Loop |  |  |
        Data Service Entry |  |  |
          Reserved | 8 Bit | 171 |
)"},
    {"VBITeletext", kNoPrivSpec, "46 0A 64 65 75 11 50 65 6E 67 08 00",
     R"(VBI Teletext Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x46 |
  Descriptor Length | 8 Bit | 10 |
  VBI Teletext Loop |  |  |
    VBI Teletext Entry |  |  |
      ISO 639 Language Code | 24 Bit | 0x646575 | deu
      Teletext Type | 5 Bit | 2 | Teletext Subtitle Page
      Teletext Magazine Number | 3 Bit | 1 |
      Teletext Page Number | 8 Bit | 80 |
    VBI Teletext Entry |  |  |
      ISO 639 Language Code | 24 Bit | 0x656E67 | eng
      Teletext Type | 5 Bit | 1 | Initial Teletext Page
      Teletext Magazine Number | 3 Bit | 0 |
      Teletext Page Number | 8 Bit | 0 |
)"},
    {"StreamIdentifier", kNoPrivSpec, "52 01 07",
     R"(Stream Identifier Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x52 |
  Descriptor Length | 8 Bit | 1 |
  Component Tag | 8 Bit | 0x07 |
)"},
    {"Teletext", kNoPrivSpec, "56 05 64 65 75 11 50",
     R"(Teletext Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x56 |
  Descriptor Length | 8 Bit | 5 |
  Teletext Loop |  |  |
    Teletext Entry |  |  |
      ISO 639 Language Code | 24 Bit | 0x646575 | deu
      Teletext Type | 5 Bit | 2 | Teletext Subtitle Page
      Teletext Magazine Number | 3 Bit | 1 |
      Teletext Page Number | 8 Bit | 80 |
)"},
    {"Subtitling", kNoPrivSpec, "59 08 64 65 75 10 00 01 00 02",
     R"(Subtitling Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x59 |
  Descriptor Length | 8 Bit | 8 |
  Subtitling Loop |  |  |
    Subtitling Entry |  |  |
      ISO 639 Language Code | 24 Bit | 0x646575 | deu
      Subtitling Type | 8 Bit | 16 |
      Composition Page | 16 Bit | 1 |
      Ancillary Page ID | 16 Bit | 0x0002 |
)"},
    {"ShortSmoothingBuffer", kNoPrivSpec, "61 03 5F FF EE",
     R"(Short Smoothing BufferDescriptor |  |  |
  Descriptor Tag | 8 Bit | 0x61 |
  Descriptor Length | 8 Bit | 3 |
  Smoothing Buffer Size | 2 Bit | 1 | 1536
  Smoothing Buffer Leak Rate | 6 Bit | 31 | 7,5 Mbit/s
  DVB Reserved | 2 Bytes | FF EE  |
)"},
    {"PartialTS", kNoPrivSpec, "63 08 C0 03 E8 C0 07 D0 C1 2C",
     R"(Partial Transport Stream Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x63 |
  Descriptor Length | 8 Bit | 8 |
  DVB Reserved For Future Use | 2 Bit | 3 |
  Peak Rate | 22 Bit | 1000 |
  DVB Reserved For Future Use | 2 Bit | 3 |
  Minimum Overall Smoothing Rate | 22 Bit | 2000 |
  DVB Reserved For Future Use | 2 Bit | 3 |
  Maximum Overall Smoothing Buffer | 14 Bit | 300 |
)"},
    // A data broadcast id is not a network id: no network name beside it.
    {"DataBroadcast", kNoPrivSpec, "64 0C 00 01 01 02 AA BB 64 65 75 02 48 69",
     R"(Data Broadcast Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x64 |
  Descriptor Length | 8 Bit | 12 |
  Data Broadcast ID | 16 Bit | 0x0001 |
  Component Tag | 8 Bit | 1 |
  Selector Length | 8 Bit | 2 |
  Selector Bytes | 2 Bytes | AA BB  |
  ISO 639 Language Code | 24 Bit | 0x646575 | deu
  Text Length | 8 Bit | 2 |
  Text | 2 | Hi |
)"},
    {"Scrambling", kNoPrivSpec, "65 01 01",
     R"(Scrambling Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x65 |
  Descriptor Length | 8 Bit | 1 |
  Scrambling Mode | 8 Bit | 1 | DVB Defined
)"},
    {"DataBroadcastID", kNoPrivSpec, "66 04 00 01 01 02",
     R"(Data Broadcast ID Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x66 |
  Descriptor Length | 8 Bit | 4 |
  Data Broadcast ID | 16 Bit | 0x0001 |
  ID Selector Bytes | 2 Bytes | 01 02  |
)"},
    {"AC3WithThreeOptions", kNoPrivSpec, "6A 05 DF 42 08 01 AA",
     R"(AC-3 Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x6A |
  Descriptor Length | 8 Bit | 5 |
  Component Type Flag | 1 Bit | 1 | Component Type Field Present
  BSID Flag | 1 Bit | 1 | BSID Field Present
  Main ID Flag | 1 Bit | 0 | No Main ID Field Present
  ASVC Flag | 1 Bit | 1 | ASVC Field Present
  Reserved | 4 Bit | 15 |
  AC-3 Component Type | 8 Bit | 0x42 |
  BS ID | 8 Bit | 0x08 | AC-3 Coding Version
  ASVC | 8 Bit | 0x01 | Associated Service(s)
  Additional Info | 1 Bytes | AA  |
)"},
    {"AncillaryData", kNoPrivSpec, "6B 01 03",
     R"(Ancillary Data Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x6B |
  Descriptor Length | 8 Bit | 1 |
  Ancillary Data Identifier | 8 Bit | 0x03 | DVD-Video Ancillary Data / Extended Ancillary Data
)"},
    {"ApplicationSignalling", kNoPrivSpec, "6F 03 00 01 E3",
     R"(Application Signalling Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x6F |
  Descriptor Length | 8 Bit | 3 |
  Application Signalling Loop |  |  |
    Application Signalling Entry |  |  |
      Application Type | 16 Bit | 0x0001 | DVB-J Application
      Reserved For Future Use | 3 Bit | 7 |
      AIT Version Number | 5 Bit | 3 |
)"},
    {"AdaptationFieldData", kNoPrivSpec, "70 01 01",
     R"(Adaptation Field Data Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x70 |
  Descriptor Length | 8 Bit | 1 |
  Adaptation Field Data Identifier | 8 Bit | 0x01 | Announcement Switching Data Filed
)"},
};
INSTANTIATE_TEST_SUITE_P(Stream, DescriptorDisplay, ::testing::ValuesIn(kStreamCases), test::CaseName);

}  // namespace
}  // namespace quillon
