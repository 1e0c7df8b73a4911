// The editor's block of a project file: settings, records, the transport-stream grid's
// row order, channel lists, logical-channel variant and the NIT container.
#include <algorithm>
#include <cstring>
#include <optional>

#include "core/si_table.h"
#include "editor/nit_editor.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "project/record_stream.h"

namespace quillon {

namespace {

constexpr char16_t kStartMarker[] = u"[TABLE_EDIT_START]";
constexpr char16_t kEndMarker[] = u"[TABLE_EDIT_END]";

// The row order is stored in the grid component's own stream layout, so it stays
// readable by every program that shares the format.
constexpr uint8_t kRowSignature[12] = {0x45, 0x20, 0x56, 0x00, 0x54, 0x00, 0x02, 0x00, 0x20, 0x00, 0x46, 0x20};
constexpr size_t kRowVersionAt = 6;  // the third UTF-16 unit carries the block version
constexpr uint16_t kRowBlockVersion = 2;
constexpr size_t kChunkHeader = 8;  // type, size

enum : int32_t { kRowChunk = 1, kRowLayoutChunk = 2, kRowDataChunk = 4 };
constexpr int32_t kRowLayoutSize = 17;
constexpr int32_t kRowDataSize = 4;
constexpr int32_t kRowChunkSize = 2 * kChunkHeader + kRowLayoutSize + kRowDataSize;
constexpr int32_t kRowHeight = 18;
constexpr uint16_t kRowInitialisedVisible = 0x0081;
constexpr uint16_t kRowSelectedFlag = 0x0100;
constexpr size_t kRowStatesAt = 8;  // in the layout chunk, after child count and height
constexpr uint8_t kRowAlignment = 50;

constexpr int32_t kMaxNetworkId = 0xFFFF;
constexpr int32_t kMaxVersion = 31;

// `rows` without indexes outside 0..count-1 or repeated ones, then every record it did
// not name, in list order: always a permutation the grid can show.
std::vector<int32_t> CompleteRowOrder(const std::vector<int32_t>& rows, size_t count) {
  std::vector<bool> seen(count, false);
  std::vector<int32_t> order;
  order.reserve(count);
  for (int32_t r : rows) {
    if (r < 0 || static_cast<size_t>(r) >= count || seen[r]) continue;
    seen[r] = true;
    order.push_back(r);
  }
  for (size_t i = 0; i < count; ++i)
    if (!seen[i]) order.push_back(static_cast<int32_t>(i));
  return order;
}

void SaveRowOrder(TStream& stream, const std::vector<int32_t>& rows, int32_t selected) {
  stream.Write(kRowSignature, sizeof kRowSignature);
  stream.WriteI32(static_cast<int32_t>(rows.size()));
  for (int32_t record : rows) {
    stream.WriteI32(kRowChunk);
    stream.WriteI32(kRowChunkSize);
    stream.WriteI32(kRowLayoutChunk);
    stream.WriteI32(kRowLayoutSize);
    stream.WriteI32(0);  // child rows
    stream.WriteI32(kRowHeight);
    stream.WriteU16(record == selected ? kRowInitialisedVisible | kRowSelectedFlag : kRowInitialisedVisible);
    stream.WriteU8(kRowAlignment);
    stream.WriteU8(0);  // check state
    stream.WriteU8(0);  // check type
    stream.WriteU32(0);
    stream.WriteI32(kRowDataChunk);
    stream.WriteI32(kRowDataSize);
    stream.WriteI32(record);
  }
}

struct TChunk {
  int32_t type;
  Bytes body;
};

// One chunk; its body must fit the rest of the stream (a row's body is a stream of its own).
TChunk ReadChunk(TStream& stream) {
  const uint64_t at = stream.Position();
  if (stream.Remaining() < kChunkHeader)
    throw StreamError(Format(RecordText(RecordMsg::ChunkTooShort),
                             static_cast<unsigned long long>(stream.Remaining()), static_cast<unsigned long long>(at)));
  TChunk chunk;
  chunk.type = stream.ReadI32();
  const int32_t size = stream.ReadI32();
  if (size < 0 || static_cast<uint64_t>(size) > stream.Remaining())
    throw StreamError(Format(RecordText(RecordMsg::ChunkSize), size,
                             static_cast<unsigned long long>(at), static_cast<unsigned long long>(stream.Remaining())));
  chunk.body.resize(static_cast<size_t>(size));
  stream.ReadBuffer(chunk.body.data(), chunk.body.size());
  return chunk;
}

struct TRowOrder {
  std::vector<int32_t> rows;  // record indexes in display order
  int32_t selected = -1;
};

// The grid's rows, each naming a record of the `count` just read. Chunks of unknown
// types (nested child rows included: the grid is flat) are skipped.
TRowOrder LoadRowOrder(TStream& stream, size_t count) {
  if (stream.Remaining() < sizeof kRowSignature) throw StreamError(RecordText(RecordMsg::RowOrderTooShort));
  uint8_t signature[sizeof kRowSignature];
  stream.ReadBuffer(signature, sizeof signature);
  if (std::memcmp(signature, kRowSignature, kRowVersionAt) != 0 ||
      std::memcmp(signature + kRowVersionAt + 2, kRowSignature + kRowVersionAt + 2,
                  sizeof signature - kRowVersionAt - 2) != 0)
    throw StreamError(RecordText(RecordMsg::RowOrderFormat));
  // Older blocks carry no row count, so their end inside a project block is unknown.
  const uint16_t version = static_cast<uint16_t>(signature[kRowVersionAt] | (signature[kRowVersionAt + 1] << 8));
  if (version != kRowBlockVersion) throw StreamError(RecordText(RecordMsg::RowOrderVersion));

  TRowOrder order;
  std::vector<bool> named(count, false);
  const int32_t rowCount = stream.ReadCount(kChunkHeader, RecordText(RecordMsg::Row));
  for (int32_t row = 0; row < rowCount; ++row) {
    TChunk chunk = ReadChunk(stream);
    if (chunk.type != kRowChunk) continue;
    TMemoryStream body(std::move(chunk.body));
    std::optional<int32_t> record;
    bool selected = false;
    while (body.Remaining() > 0) {
      TChunk part = ReadChunk(body);
      TMemoryStream fields(std::move(part.body));
      if (part.type == kRowLayoutChunk && fields.Size() >= kRowStatesAt + 2) {
        fields.Seek(kRowStatesAt);
        selected = (fields.ReadU16() & kRowSelectedFlag) != 0;
      } else if (part.type == kRowDataChunk) {
        if (fields.Size() < sizeof(int32_t))
          throw StreamError(Format(RecordText(RecordMsg::RowData), row + 1,
                                   static_cast<unsigned long long>(fields.Size())));
        record = fields.ReadI32();
      }
    }
    if (!record) continue;
    const int32_t r = *record;
    if (r < 0 || static_cast<size_t>(r) >= count)
      throw StreamError(Format(RecordText(RecordMsg::RowStream), row + 1, r, count));
    if (named[r])
      throw StreamError(Format(RecordText(RecordMsg::RowTwice), row + 1, r));
    named[r] = true;
    order.rows.push_back(r);
    if (selected && order.selected < 0) order.selected = r;
  }
  // Records the block does not name still need a row; they follow in list order.
  order.rows = CompleteRowOrder(order.rows, count);
  return order;
}

int32_t ReadRanged(TStream& stream, int32_t low, int32_t high, RecordMsg what) {
  const uint64_t at = stream.Position();
  const int32_t v = stream.ReadI32();
  if (v < low || v > high)
    throw StreamError(Format(RecordText(RecordMsg::OutOfRange), RecordText(what), v,
                             static_cast<unsigned long long>(at), low, high));
  return v;
}

// Everything a block holds, read before any of it reaches the editor.
struct TProjectBlock {
  TNetworkType type = TNetworkType::Cable;
  std::u16string name;
  uint16_t networkId = 0;
  uint8_t version = 0;
  bool addSLDs = false, addLCDs = false, addHDSimulLCN = false;
  TCableEntryList cable;
  TTerrestEntryList terrest;
  TRowOrder rows;
  TChListDataList chLists;
  TLcnVariant variant = TLcnVariant::EACEM;
  TRPageInfoArr nitPages;
};

// The variant bytes act as radio buttons: a set byte selects its variant, a clear byte
// deselects it only when it is the selected one. A block of file version 1 has no ITC byte.
TLcnVariant ReadVariant(TStream& stream, TLcnVariant current, bool withITC) {
  std::optional<TLcnVariant> checked = current;
  auto apply = [&](TLcnVariant v) {
    if (stream.ReadBool())
      checked = v;
    else if (checked == v)
      checked.reset();
  };
  apply(TLcnVariant::EACEM);
  if (withITC) apply(TLcnVariant::ITC);
  apply(TLcnVariant::NorDigV1);
  apply(TLcnVariant::NorDigV2);
  // With no button checked the build falls through to NorDig V2; say so in the options.
  return checked.value_or(TLcnVariant::NorDigV2);
}

TProjectBlock ReadProjectBlock(TStream& stream, int fileVer, int prgVer, TLcnVariant current) {
  TProjectBlock b;
  ReadRecordString16(stream, RecordText(RecordMsg::StartMarker));
  b.type = static_cast<TNetworkType>(ReadRanged(stream, 0, 1, RecordMsg::NetworkType));
  b.name = ReadRecordString16(stream, RecordText(RecordMsg::NetworkName));
  b.networkId = static_cast<uint16_t>(ReadRanged(stream, 0, kMaxNetworkId, RecordMsg::NetworkId));
  b.version = static_cast<uint8_t>(ReadRanged(stream, 0, kMaxVersion, RecordMsg::VersionNumber));
  b.addSLDs = stream.ReadBool();
  b.addLCDs = stream.ReadBool();
  // Off while logical channel descriptors are off, as the check box is then.
  b.addHDSimulLCN = stream.ReadBool() && b.addLCDs;
  size_t count;
  if (b.type == TNetworkType::Terrestrial) {
    LoadRecords(stream, b.terrest, RecordText(RecordMsg::TerrestrialStream));
    count = b.terrest.size();
  } else {
    LoadRecords(stream, b.cable, RecordText(RecordMsg::CableStream));
    count = b.cable.size();
  }
  b.rows = LoadRowOrder(stream, count);
  LoadRecords(stream, b.chLists, RecordText(RecordMsg::ChannelList));
  b.variant = ReadVariant(stream, current, !(fileVer == 1 && prgVer == 2));
  b.nitPages = ReadStreamRPages(stream);
  ReadRecordString16(stream, RecordText(RecordMsg::EndMarker));
  return b;
}

}  // namespace

bool TNitEditor::SaveConfiguration(TStream* stream) {
  if (!stream) return false;
  TStream& s = *stream;
  s.WriteString16(kStartMarker);
  s.WriteI32(static_cast<int32_t>(networkType_));
  s.WriteString16(networkName_);
  s.WriteI32(networkId_);
  s.WriteI32(version_);
  s.WriteBool(addSLDs_);
  s.WriteBool(addLCDs_);
  s.WriteBool(addHDSimulLCN_);
  if (networkType_ == TNetworkType::Terrestrial)
    SaveRecords(s, terrest_);
  else
    SaveRecords(s, cable_);
  SaveRowOrder(s, CompleteRowOrder(rowOrder_, StreamCount()), selectedRow_);
  SaveRecords(s, chLists_);
  for (TLcnVariant v : {TLcnVariant::EACEM, TLcnVariant::ITC, TLcnVariant::NorDigV1, TLcnVariant::NorDigV2})
    s.WriteBool(variant_ == v);
  nit_.SaveToStream(stream);
  s.WriteString16(kEndMarker);
  ResetModified();
  return true;
}

bool TNitEditor::LoadConfiguration(TStream* stream, int fileVer, int prgVer) {
  if (!stream) return false;
  TProjectBlock b = ReadProjectBlock(*stream, fileVer, prgVer, variant_);

  // All of it was read: replace the project. The NIT holds exactly what the block held.
  ClearAll();
  networkType_ = b.type;
  networkName_ = std::move(b.name);
  networkId_ = b.networkId;
  version_ = b.version;
  addSLDs_ = b.addSLDs;
  addLCDs_ = b.addLCDs;
  addHDSimulLCN_ = b.addHDSimulLCN;
  cable_ = std::move(b.cable);
  terrest_ = std::move(b.terrest);
  rowOrder_ = std::move(b.rows.rows);
  selectedRow_ = b.rows.selected;
  chLists_ = std::move(b.chLists);
  variant_ = b.variant;
  nit_.AddRPages(b.nitPages);
  ResetModified();
  return true;
}

}  // namespace quillon
