#include "descriptors/mpeg.h"

#include "descriptors/layout.h"

namespace quillon {

namespace {

constexpr auto kVideoStream = [](auto io, auto& d) {
  io(d.MultipleFrameRateFlag, 1);
  io(d.FrameRateCode, 4);
  io(d.MPEG1OnlyFlag, 1);
  io(d.ConstrainedParaFlag, 1);
  io(d.StillPictureFlag, 1);
  const bool second = d.MPEG1OnlyFlag == 0 && (io.kReading || d.Length == 3);
  io.Optional(second, d.ProfileLevelIndication, 8);
  io.Optional(second, d.ChromaFormat, 2);
  io.Optional(second, d.FrameRateExtFlag, 1);
  io.Optional(second, d.Reserved, 5);
};

constexpr auto kAudioStream = [](auto io, auto& d) {
  io(d.FreeFormatFlag, 1);
  io(d.ID, 1);
  io(d.Layer, 2);
  io(d.VarRateAudioIndication, 1);
  io(d.Reserved, 3);
};

constexpr auto kHierarchy = [](auto io, auto& d) {
  io(d.Reserved1, 4);
  io(d.HierType, 4);
  io(d.Reserved2, 2);
  io(d.LayerIndex, 6);
  io(d.Reserved3, 2);
  io(d.EmbeddedLayerIndex, 6);
  io(d.Reserved4, 2);
  io(d.Channel, 6);
};

constexpr auto kRegistration = [](auto io, auto& d) {
  io(d.FormatIdent, 32);
  io.Run(d.AddIdentInfo, d.Length - 4);
};

constexpr auto kDataStreamAlignment = [](auto io, auto& d) { io(d.AlignmentType, 8); };

constexpr auto kTargetBackgroundGrid = [](auto io, auto& d) {
  io(d.HorizontalSize, 14);
  io(d.VerticalSize, 14);
  io(d.AspectRatioInfo, 4);
};

constexpr auto kVideoWindow = [](auto io, auto& d) {
  io(d.HorizontalOffset, 14);
  io(d.VerticalOffset, 14);
  io(d.WindowPriority, 4);
};

constexpr auto kCA = [](auto io, auto& d) {
  io(d.CASystemID, 16);
  io(d.Reserved, 3);
  io(d.CAPID, 13);
  io.Run(d.PrivateData, d.Length - 4);
};

constexpr auto kISO639Language = [](auto io, auto& d) {
  io.Count(d.Languages, d.Length, 4, [](auto io, auto& e) {
    io(e.LanguageCode, 24);
    io(e.AudioType, 8);
  });
};

constexpr auto kSystemClock = [](auto io, auto& d) {
  io(d.ExtClockRefInd, 1);
  io(d.Reserved1, 1);
  io(d.ClockAccuracyInteger, 6);
  io(d.ClockAccuracyExponent, 3);
  io(d.Reserved2, 5);
};

constexpr auto kMultiplexBufferUtilization = [](auto io, auto& d) {
  io(d.BoundValidFlag, 1);
  io(d.LTWOffsetLowerBound, 15);
  io(d.Reserved, 1);
  io(d.LTWOffsetUpperBound, 15);
};

constexpr auto kCopyright = [](auto io, auto& d) {
  io(d.CopyrightIdent, 32);
  io.Run(d.AdditionalData, d.Length - 4);
};

constexpr auto kMaximumBitrate = [](auto io, auto& d) {
  io(d.Reserved, 2);
  io(d.MaxBitrate, 22);
};

constexpr auto kPrivDataInd = [](auto io, auto& d) { io(d.DataInd, 32); };

constexpr auto kSmoothingBuffer = [](auto io, auto& d) {
  io(d.Reserved1, 2);
  io(d.SBLeakRate, 22);
  io(d.Reserved2, 2);
  io(d.SBSize, 22);
};

constexpr auto kIBP = [](auto io, auto& d) {
  io(d.ClosedGOPFlag, 1);
  io(d.IdenticalGOPFlag, 1);
  io(d.MaxGOPLen, 14);
};

constexpr uint8_t kFormatSpecifierPresent = 1;

constexpr auto kCarouselIdentifier = [](auto io, auto& d) {
  io.Reset(d.FormatSpecifier);
  io(d.CarouselID, 32);
  io(d.FormatID, 8);
  int header = 7;  // tag, length, carousel id and format id
  if (d.FormatID == kFormatSpecifierPresent) {
    auto& f = d.FormatSpecifier;
    io(f.ModuleVersion, 8);
    io(f.ModuleID, 16);
    io(f.BlockSize, 16);
    io(f.ModuleSize, 32);
    io(f.CompressionMethod, 8);
    io(f.OriginalSize, 32);
    io(f.TimeOut, 8);
    io(f.ObjectKeyLen, 8);
    io.Run(f.ObjectKeyData, f.ObjectKeyLen);
    header = 23 + f.ObjectKeyLen;
  }
  io.Run(d.PrivateData, d.Length + 2 - header);
};

constexpr auto kAssociationTag = [](auto io, auto& d) {
  io.Reset(d.Selector);
  io(d.AssociationTag, 16);
  io(d.Use, 16);
  auto& s = d.Selector;
  io(s.SelectorLen, 8);
  if (d.Use == 0) {
    io(s.TransactionID, 32);
    io(s.TimeOut, 32);
  } else if (d.Use != 1) {
    io.Run(s.SelectorData, s.SelectorLen);
  }
  io.Run(d.PrivateData, d.Length + 2 - (7 + s.SelectorLen));
};

}  // namespace

QUILLON_LAYOUT_CODEC(TVideoStreamDescriptor, kVideoStream)
QUILLON_LAYOUT_CODEC(TAudioStreamDescriptor, kAudioStream)
QUILLON_LAYOUT_CODEC(THierarchyDescriptor, kHierarchy)
QUILLON_LAYOUT_CODEC(TRegistrationDescriptor, kRegistration)
QUILLON_LAYOUT_CODEC(TDataStreamAlignmentDescriptor, kDataStreamAlignment)
QUILLON_LAYOUT_CODEC(TTargetBackgroundGridDescriptor, kTargetBackgroundGrid)
QUILLON_LAYOUT_CODEC(TVideoWindowDescriptor, kVideoWindow)
QUILLON_LAYOUT_CODEC(TCADescriptor, kCA)
QUILLON_LAYOUT_CODEC(TISO639LanguageCodeDescriptor, kISO639Language)
QUILLON_LAYOUT_CODEC(TSystemClockDescriptor, kSystemClock)
QUILLON_LAYOUT_CODEC(TMultiplexBufferUtilizationDescriptor, kMultiplexBufferUtilization)
QUILLON_LAYOUT_CODEC(TCopyrightDescriptor, kCopyright)
QUILLON_LAYOUT_CODEC(TMaximumBitrateDescriptor, kMaximumBitrate)
QUILLON_LAYOUT_CODEC(TPrivDataIndDescriptor, kPrivDataInd)
QUILLON_LAYOUT_CODEC(TSmoothingBufferDescriptor, kSmoothingBuffer)
QUILLON_LAYOUT_CODEC(TIBPDescriptor, kIBP)
QUILLON_LAYOUT_CODEC(TCarouselIdentifierDescriptor, kCarouselIdentifier)
QUILLON_LAYOUT_CODEC(TAssociationTagDescriptor, kAssociationTag)

// 0x11: one byte of Reserved x 2 + LeakValidFlag, added up unmasked; a sum beyond the
// byte is refused rather than cut.
Bytes TSystemTargetDecoderDescriptor::DescriptorData() const {
  ByteWriter w = NewWriter();
  w.PutUnmasked(Reserved * 2u + LeakValidFlag, 8);
  return w.Take();
}

void TSystemTargetDecoderDescriptor::SetDescriptorData(ByteView data) {
  ByteReader r = BodyReader(data);
  layout::Reader io(r);
  io(Reserved, 7);
  io(LeakValidFlag, 1);
}

}  // namespace quillon
