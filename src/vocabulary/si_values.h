#pragma once
// SI field values as display names, and the pick-list names back to values.
//
// Every name comes from a table of (value or value range -> text) with a text for
// the values no row covers; the tree views and the grids' pick lists read the same
// tables. Byte functions take the raw field; where a field is masked first, the
// comment says so.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The values first..last (inclusive) read as `text`.
struct ValueName {
  constexpr ValueName(uint32_t value, std::u16string_view name) : first(value), last(value), text(name) {}
  constexpr ValueName(uint32_t from, uint32_t to, std::u16string_view name) : first(from), last(to), text(name) {}
  uint32_t first;
  uint32_t last;
  std::u16string_view text;
};

// Rows in ascending value order, not overlapping; `others` names every value no row covers.
struct ValueTable {
  std::span<const ValueName> rows;
  std::u16string_view others;

  std::u16string_view Name(uint32_t value) const;
  // The first value of the first row whose text equals `text` exactly (case included); 255 when none does.
  // Meant for the pick-list tables, whose values are bytes.
  uint8_t Value(std::u16string_view text) const;
};

// Every table behind the functions below, by a short name (for checks over the data).
struct NamedValueTable {
  std::string_view name;
  const ValueTable* table;
};
std::span<const NamedValueTable> AllValueTables();

// The texts of codes 0..last in code order, as a pick list offers them.
std::vector<std::u16string> PickListTexts(std::u16string (*text)(uint8_t), uint8_t last);

// Section headers and identifiers.
std::u16string TableIDText(uint8_t tableId);
std::u16string OriginalNetworkIDText(uint16_t originalNetworkId);
// Tags 0x80..0xFE are named by the private data specifier in force, else "User Defined".
std::u16string DescriptorTagText(uint8_t tag, uint32_t privateDataSpecifier);
std::u16string CurrentNextText(uint8_t currentNext);

// Linkage.
std::u16string LinkageTypeText(uint8_t linkageType);
std::u16string HandOverTypeText(uint8_t handOverType);
std::u16string OriginTypeText(uint8_t originType);

// Satellite delivery.
std::u16string WestEastText(uint8_t westEast);
std::u16string PolarizationText(uint8_t polarization);
std::u16string SatModulationSystemText(uint8_t modulationSystem);  // bit 0
std::u16string SatModulationTypeText(uint8_t modulationType);      // low 2 bits
std::u16string RollOffText(uint8_t rollOff);                       // low 2 bits

// Cable delivery, with the reverse of each for the cable grid.
std::u16string CableModulationText(uint8_t modulation);
uint8_t CableModulationValue(std::u16string_view text);
std::u16string InnerFecText(uint8_t fecInner);
uint8_t InnerFecValue(std::u16string_view text);
std::u16string OuterFecText(uint8_t fecOuter);
uint8_t OuterFecValue(std::u16string_view text);

// Terrestrial delivery, with the reverse of each for the terrestrial grid.
std::u16string BandwidthText(uint8_t bandwidth);
uint8_t BandwidthValue(std::u16string_view text);
std::u16string ConstellationText(uint8_t constellation);
uint8_t ConstellationValue(std::u16string_view text);
std::u16string HierarchyInfoText(uint8_t hierarchyInfo);
uint8_t HierarchyInfoValue(std::u16string_view text);
std::u16string CodeRateText(uint8_t codeRate);
uint8_t CodeRateValue(std::u16string_view text);
std::u16string GuardIntervalText(uint8_t guardInterval);
uint8_t GuardIntervalValue(std::u16string_view text);
std::u16string TransmissionModeText(uint8_t transmissionMode);
uint8_t TransmissionModeValue(std::u16string_view text);
std::u16string PriorityText(uint8_t priority);  // bit 0
uint8_t PriorityValue(std::u16string_view text);

// Services.
std::u16string ServiceTypeText(uint8_t serviceType);
std::u16string RunningStatusText(uint8_t runningStatus);
std::u16string EITScheduleFlagText(uint8_t flag);
std::u16string EITPresentFollowingFlagText(uint8_t flag);
std::u16string FreeCAModeText(uint8_t freeCaMode);

// Registered organisations and systems.
std::u16string PrivateDataSpecifierText(uint32_t privateDataSpecifier);
std::u16string CASystemIDText(uint16_t caSystemId);
std::u16string BouquetIDText(uint16_t bouquetId);

// Component and content descriptors.
std::u16string StreamContentText(uint8_t streamContent);
std::u16string ComponentTypeText(uint8_t streamContent, uint8_t componentType);
std::u16string ContentNibble1Text(uint8_t level1);
// Level 1 decides first: 0 is "Undefined Content" and above 15 "?" whatever level 2 is;
// otherwise a level 2 above 15 gives an empty text.
std::u16string ContentNibble2Text(uint8_t level1, uint8_t level2);

// Rating, audio, VBI and teletext.
std::u16string ParentalRatingText(uint8_t rating);
std::u16string AudioTypeText(uint8_t audioType);
std::u16string VBIDataServiceIDText(uint8_t dataServiceId);
std::u16string TeletextTypeText(uint8_t teletextType);

// Announcements, ancillary and adaptation-field data. The flag functions join the names of the set bits with " / ".
std::u16string AnnouncementSupportText(uint16_t supportIndicator);
std::u16string AnnouncementTypeText(uint8_t announcementType);
std::u16string AnnouncementReferenceTypeText(uint8_t referenceType);
std::u16string AncillaryDataIDText(uint8_t ancillaryDataId);
std::u16string AdaptationFieldDataIDText(uint8_t adaptationFieldDataId);

// Mosaic.
std::u16string MosaicCellCountText(uint8_t cellCount);
std::u16string CellPresentationInfoText(uint8_t presentationInfo);
std::u16string CellLinkageInfoText(uint8_t linkageInfo);

// MPEG stream and video fields.
std::u16string StreamTypeText(uint8_t streamType);
std::u16string StreamTypeClassText(uint8_t streamType);  // "Video", "Audio" or "Data"
std::u16string HierarchyTypeText(uint8_t hierarchyType);
std::u16string AspectRatioInfoText(uint8_t aspectRatio);  // low 4 bits
std::u16string FrameRateCodeText(uint8_t frameRateCode);  // low 4 bits
std::u16string ChromaFormatText(uint8_t chromaFormat);    // low 2 bits
std::u16string VideoAlignmentTypeText(uint8_t alignmentType);
std::u16string AudioAlignmentTypeText(uint8_t alignmentType);
// Stream kind 0 (not known) names both readings, 1 the video one, 2 the audio one.
std::u16string AlignmentTypeText(uint8_t alignmentType, uint8_t streamKind);

// Buffers, frequency lists, scrambling, applications and carousels.
std::u16string SmoothingBufferSizeText(uint8_t sbSize);
// In Mbit/s; a few rates are formatted with the user's decimal separator (number_text.h).
std::u16string SmoothingBufferLeakRateText(uint8_t sbLeakRate);
std::u16string FreqListCodingTypeText(uint8_t codingType);
std::u16string ScramblingModeText(uint8_t scramblingMode);
std::u16string ApplicationTypeText(uint16_t applicationType);  // 0x8000 and above (negative) give "?"
std::u16string CarouselFormatIDText(uint8_t formatId);
std::u16string AssociationTagUseText(uint16_t use);

}  // namespace quillon
