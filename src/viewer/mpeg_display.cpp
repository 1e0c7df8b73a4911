// Displays of the MPEG-2 systems descriptors.
#include "descriptors/mpeg.h"
#include "viewer/display_rows.h"
#include "viewer/node_text.h"
#include "vocabulary/si_values.h"

namespace quillon::viewer {

namespace {

constexpr uint8_t kFormatSpecifierPresent = 1;
constexpr uint16_t kUseDsi = 0;
constexpr uint16_t kUseNoSelector = 1;
constexpr uint8_t kStreamKindUnknown = 0;  // a descriptor does not know its stream's kind

void VideoStream(TTableNode& node, const TVideoStreamDescriptor& d) {
  DecField(node, u"Multiple Frame Rate Flag", 1, d.MultipleFrameRateFlag);
  DecField(node, u"Frame Rate Code", 4, d.FrameRateCode, FrameRateCodeText(d.FrameRateCode));
  DecField(node, u"MPEG 1 Only Flag", 1, d.MPEG1OnlyFlag);
  DecField(node, u"Constrained Parameter Flag", 1, d.ConstrainedParaFlag);
  DecField(node, u"Still Picture Flag", 1, d.StillPictureFlag);
  if (d.MPEG1OnlyFlag != 0) return;
  DecField(node, u"Profile and Level Indication", 8, d.ProfileLevelIndication);
  DecField(node, u"Chroma Format", 2, d.ChromaFormat, ChromaFormatText(d.ChromaFormat));
  DecField(node, u"Frame Rate Extension Flag", 1, d.FrameRateExtFlag);
  DecField(node, u"Reserved", 5, d.Reserved);
}

void AudioStream(TTableNode& node, const TAudioStreamDescriptor& d) {
  DecField(node, u"Free Format Flag", 1, d.FreeFormatFlag);
  DecField(node, u"ID", 1, d.ID);
  DecField(node, u"Layer", 2, d.Layer);
  DecField(node, u"Variable Rate Audio Indication", 1, d.VarRateAudioIndication);
  DecField(node, u"Reserved", 3, d.Reserved);
}

void Hierarchy(TTableNode& node, const THierarchyDescriptor& d) {
  DecField(node, u"Reserved", 4, d.Reserved1);
  DecField(node, u"Hierarchy Type", 4, d.HierType, HierarchyTypeText(d.HierType));
  DecField(node, u"Reserved", 2, d.Reserved2);
  DecField(node, u"Layer Index", 6, d.LayerIndex);
  DecField(node, u"Reserved", 2, d.Reserved3);
  DecField(node, u"Embedded Layer Index", 6, d.EmbeddedLayerIndex);
  DecField(node, u"Reserved", 2, d.Reserved4);
  DecField(node, u"Channel", 6, d.Channel);
}

void Registration(TTableNode& node, const TRegistrationDescriptor& d) {
  DecField(node, u"Format Identifier", 32, d.FormatIdent);
  BytesNode(node, u"Additional Identification Info", d.AddIdentInfo);
}

void DataStreamAlignment(TTableNode& node, const TDataStreamAlignmentDescriptor& d) {
  DecField(node, u"Alignment Type", 8, d.AlignmentType, AlignmentTypeText(d.AlignmentType, kStreamKindUnknown));
}

void TargetBackgroundGrid(TTableNode& node, const TTargetBackgroundGridDescriptor& d) {
  DecField(node, u"Horizontal Size", 14, d.HorizontalSize, u"Pixel");
  DecField(node, u"Vertical Size", 14, d.VerticalSize, u"Pixel");
  DecField(node, u"Aspect Ratio Info", 4, d.AspectRatioInfo, AspectRatioInfoText(d.AspectRatioInfo));
}

void VideoWindow(TTableNode& node, const TVideoWindowDescriptor& d) {
  DecField(node, u"Horizontal Offset", 14, d.HorizontalOffset, u"Pixel");
  DecField(node, u"Vertical Offset", 14, d.VerticalOffset, u"Pixel");
  DecField(node, u"Window Priority", 4, d.WindowPriority, u"0=Lowest 15=Highest(Always Visible)");
}

void CA(TTableNode& node, const TCADescriptor& d) {
  HexField(node, u"CA System ID", 16, d.CASystemID, 4, CASystemIDText(d.CASystemID));
  DecField(node, u"Reserved", 3, d.Reserved);
  HexField(node, u"CA PID", 13, d.CAPID, 4);
  BytesNode(node, u"Private Data", d.PrivateData);
}

void ISO639LanguageCode(TTableNode& node, const TISO639LanguageCodeDescriptor& d) {
  TTableNode& loop = Group(node, u"Language Code Loop");
  for (const TISO639LanguageCodeEntry& e : d.Languages) {
    TTableNode& entry = Group(loop, u"Language Code Entry");
    LanguageField(entry, e.LanguageCode);
    DecField(entry, u"Audio Type", 8, e.AudioType, AudioTypeText(e.AudioType));
  }
}

void SystemClock(TTableNode& node, const TSystemClockDescriptor& d) {
  DecField(node, u"External Clock Reference Indicator", 1, d.ExtClockRefInd);
  DecField(node, u"Reserved", 1, d.Reserved1);
  DecField(node, u"Clock Accuracy Integer", 6, d.ClockAccuracyInteger);
  DecField(node, u"Clock Accuracy Exponent", 3, d.ClockAccuracyExponent);
  DecField(node, u"Reserved", 5, d.Reserved2);
}

void MultiplexBufferUtilization(TTableNode& node, const TMultiplexBufferUtilizationDescriptor& d) {
  DecField(node, u"Bound Valid Flag", 1, d.BoundValidFlag);
  DecField(node, u"LTW Offset Lower Bound", 15, d.LTWOffsetLowerBound);
  DecField(node, u"Reserved", 1, d.Reserved);
  DecField(node, u"LTW Offset Upper Bound", 15, d.LTWOffsetUpperBound);
}

void Copyright(TTableNode& node, const TCopyrightDescriptor& d) {
  HexField(node, u"Copyright Identifier", 32, d.CopyrightIdent, 8);
  BytesNode(node, u"Additional Copyright Info", d.AdditionalData);
}

void MaximumBitrate(TTableNode& node, const TMaximumBitrateDescriptor& d) {
  DecField(node, u"Reserved", 2, d.Reserved);
  DecField(node, u"Maximum Bitrate", 22, d.MaxBitrate);
}

void PrivDataInd(TTableNode& node, const TPrivDataIndDescriptor& d) {
  HexField(node, u"Indicator", 32, d.DataInd, 8);
}

void SmoothingBuffer(TTableNode& node, const TSmoothingBufferDescriptor& d) {
  DecField(node, u"Reserved", 2, d.Reserved1);
  DecField(node, u"SB Leak Rate", 22, d.SBLeakRate);
  DecField(node, u"Reserved", 2, d.Reserved2);
  DecField(node, u"SB Size", 22, d.SBSize);
}

void SystemTargetDecoder(TTableNode& node, const TSystemTargetDecoderDescriptor& d) {
  DecField(node, u"Reserved", 7, d.Reserved);
  DecField(node, u"Leak Valid Flag", 1, d.LeakValidFlag);
}

void IBP(TTableNode& node, const TIBPDescriptor& d) {
  DecField(node, u"Closed GOP Flag", 1, d.ClosedGOPFlag);
  DecField(node, u"Identical GOP Flag", 1, d.IdenticalGOPFlag);
  DecField(node, u"Maximum GOP Length", 14, d.MaxGOPLen);
}

void CarouselIdentifier(TTableNode& node, const TCarouselIdentifierDescriptor& d) {
  HexField(node, u"Carousel ID", 32, d.CarouselID, 8);
  HexField(node, u"Format ID", 8, d.FormatID, 2, CarouselFormatIDText(d.FormatID));
  if (d.FormatID == kFormatSpecifierPresent) {
    const TFormatSpecifier& f = d.FormatSpecifier;
    TTableNode& format = Group(node, u"Format Specifier");
    DecField(format, u"Module Version", 8, f.ModuleVersion);
    HexField(format, u"Module ID", 16, f.ModuleID, 4);
    DecField(format, u"Block Size", 16, f.BlockSize);
    DecField(format, u"Module Size", 32, f.ModuleSize);
    DecField(format, u"Compression Method", 8, f.CompressionMethod);
    DecField(format, u"Original Size", 32, f.OriginalSize);
    DecField(format, u"Time Out", 8, f.TimeOut, u"Seconds");
    DecField(format, u"Object Key Length", 8, f.ObjectKeyLen);
    if (f.ObjectKeyLen != 0) BytesNode(format, u"Object Key Data", f.ObjectKeyData);
  }
  BytesNode(node, u"Private Data", d.PrivateData);
}

std::u16string SelectorInfo(uint16_t use, uint8_t selectorLength) {
  if (use == kUseDsi) return u"DSI Selector";
  if (use == kUseNoSelector) return u"No Selector Present";
  return selectorLength != 0 ? u"Selector Data Present" : u"";
}

void AssociationTag(TTableNode& node, const TAssociationTagDescriptor& d) {
  const TSelector& s = d.Selector;
  HexField(node, u"Association Tag", 16, d.AssociationTag, 4);
  HexField(node, u"Use", 16, d.Use, 4, AssociationTagUseText(d.Use));
  DecField(node, u"Selector Length", 8, s.SelectorLen, SelectorInfo(d.Use, s.SelectorLen));
  if (d.Use == kUseDsi) {
    TTableNode& selector = Group(node, u"Selector");
    HexField(selector, u"Transaction ID", 32, s.TransactionID, 8);
    HexField(selector, u"Time Out", 32, s.TimeOut, 8);
  } else if (d.Use != kUseNoSelector && s.SelectorLen != 0) {
    BytesNode(Group(node, u"Selector"), u"Selector Data", s.SelectorData);
  }
  BytesNode(node, u"Private Data", d.PrivateData);
}

constexpr DisplayRow kRows[] = {
    {0x02, As<TVideoStreamDescriptor, VideoStream>},
    {0x03, As<TAudioStreamDescriptor, AudioStream>},
    {0x04, As<THierarchyDescriptor, Hierarchy>},
    {0x05, As<TRegistrationDescriptor, Registration>},
    {0x06, As<TDataStreamAlignmentDescriptor, DataStreamAlignment>},
    {0x07, As<TTargetBackgroundGridDescriptor, TargetBackgroundGrid>},
    {0x08, As<TVideoWindowDescriptor, VideoWindow>},
    {0x09, As<TCADescriptor, CA>},
    {0x0A, As<TISO639LanguageCodeDescriptor, ISO639LanguageCode>},
    {0x0B, As<TSystemClockDescriptor, SystemClock>},
    {0x0C, As<TMultiplexBufferUtilizationDescriptor, MultiplexBufferUtilization>},
    {0x0D, As<TCopyrightDescriptor, Copyright>},
    {0x0E, As<TMaximumBitrateDescriptor, MaximumBitrate>},
    {0x0F, As<TPrivDataIndDescriptor, PrivDataInd>},
    {0x10, As<TSmoothingBufferDescriptor, SmoothingBuffer>},
    {0x11, As<TSystemTargetDecoderDescriptor, SystemTargetDecoder>},
    {0x12, As<TIBPDescriptor, IBP>},
    {0x13, As<TCarouselIdentifierDescriptor, CarouselIdentifier>},
    {0x14, As<TAssociationTagDescriptor, AssociationTag>},
};

}  // namespace

std::span<const DisplayRow> MpegDisplayRows() { return kRows; }

}  // namespace quillon::viewer
