#include "core/rpages.h"

#include <algorithm>

#include "core/basic_table.h"
#include "platform/language.h"
#include "platform/stream.h"

namespace quillon {

namespace {

uint8_t At(const RawString& page, int offset) { return static_cast<uint8_t>(page[static_cast<size_t>(offset)]); }

int WordAt(const RawString& page, int offset) { return (At(page, offset) << 8) | At(page, offset + 1); }

bool IsPacket(const RawString& page) { return page.size() == static_cast<size_t>(RPAGE_LEN); }

int AdaptationFieldControl(const RawString& page) { return (At(page, 3) >> 4) & 0x03; }

int PacketPID(const RawString& page) { return WordAt(page, 1) & 0x1FFF; }

}  // namespace

const TTableMessages& TableMessages() { return ModuleMessages<TTableMessages>("TSITable"); }

// ---------------------------------------------------------------- TRPageInfo

void TRPageInfo::SetSectionCount(int value) {
  FAnzSec = value;
  FSecRead.assign(static_cast<size_t>(std::max(value, 0)), false);
}

bool TRPageInfo::SetSectionRead(int index, bool value) {
  // A loaded record may carry fewer flags than sections; only existing flags change.
  if (index >= 0 && index < FAnzSec && static_cast<size_t>(index) < FSecRead.size()) FSecRead[index] = value;
  FComplete = Complete();
  return FComplete;
}

bool TRPageInfo::Complete() const {
  return !FSecRead.empty() && std::all_of(FSecRead.begin(), FSecRead.end(), [](bool b) { return b; });
}

void TRPageInfo::SaveToStream(TStream* stream) const {
  if (!stream) return;
  stream->WriteU16(TableIdent.PID);
  stream->WriteU8(TableIdent.TableID);
  stream->WriteU8(TableIdent.Pad);
  stream->WriteU16(TableIdent.AddID);
  stream->WriteBool(FComplete);
  stream->WriteI32(FAnzSec);
  stream->WriteI32(static_cast<int32_t>(FSecRead.size()));
  for (bool b : FSecRead) stream->WriteBool(b);
  stream->WriteI32(static_cast<int32_t>(RPages.size()));
  for (const RawString& page : RPages) stream->WriteString8(page);
}

void TRPageInfo::LoadFromStream(TStream* stream) {
  if (!stream) return;
  // Read into locals so a damaged record leaves this one as it was.
  TTableIdent ident;
  ident.PID = stream->ReadU16();
  ident.TableID = stream->ReadU8();
  ident.Pad = stream->ReadU8();
  ident.AddID = stream->ReadU16();
  bool complete = stream->ReadBool();
  int32_t anzSec = stream->ReadI32();
  int32_t flagCount = stream->ReadCount(1, TableMessages().CText(TableMsg::SectionFlag));
  std::vector<bool> flags(static_cast<size_t>(flagCount));
  for (int32_t i = 0; i < flagCount; ++i) flags[i] = stream->ReadBool();
  int32_t pageCount = stream->ReadCount(4, TableMessages().CText(TableMsg::Page));
  TRPages pages;
  for (int32_t i = 0; i < pageCount; ++i) {
    // Not ReadString8: a page whose length is missing means a truncated record.
    int32_t len = stream->ReadCount(1, TableMessages().CText(TableMsg::PageByte));
    RawString page(static_cast<size_t>(len), '\0');
    stream->ReadBuffer(page.data(), page.size());
    AddRPage(pages, page);
  }
  TableIdent = ident;
  FComplete = complete;
  FAnzSec = anzSec;
  FSecRead = std::move(flags);
  RPages = std::move(pages);
}

// ---------------------------------------------------------------- page lists

int AddRPage(TRPages& pages, const RawString& page) {
  if (page.empty()) return -1;
  pages.push_back(page);
  return static_cast<int>(pages.size()) - 1;
}

void ClearRPages(TRPages& pages) { pages.clear(); }

int AddRPageInfo(const TTableIdent& ident, TRPageInfoArr& infos) {
  auto info = std::make_unique<TRPageInfo>();
  info->TableIdent = ident;
  infos.push_back(std::move(info));
  return static_cast<int>(infos.size()) - 1;
}

void RenumberContinuity(TRPages& pages) {
  int m = 0;
  for (RawString& page : pages) {
    if (page.size() > 3) page[3] = static_cast<char>((At(page, 3) & 0xF0) | (m & 0x0F));
    ++m;
  }
}

// ---------------------------------------------------------------- packet readings

bool IsSectionStart(const RawString& page, uint16_t pid) {
  if (!IsPacket(page) || At(page, 0) != 0x47 || !(At(page, 1) & 0x40)) return false;
  return pid == kAnyPID || PacketPID(page) == pid;
}

int AdaptationSize(const RawString& page) {
  if (!IsPacket(page)) return kNone;
  int afc = AdaptationFieldControl(page);
  return (afc == 2 || afc == 3) ? At(page, 4) + 1 : 0;
}

int PointerField(const RawString& page) {
  if (!IsPacket(page)) return kNone;
  int afc = AdaptationFieldControl(page);
  if ((afc != 1 && afc != 3) || !IsSectionStart(page, kAnyPID)) return 0;
  int offset = kPacketHeader + AdaptationSize(page);
  // An adaptation field that claims the whole packet leaves no pointer_field.
  return offset < RPAGE_LEN ? At(page, offset) : kNone;
}

int SectionHeaderOffset(const RawString& page, uint16_t addId) {
  if (!IsSectionStart(page, kAnyPID)) return kNone;
  int pointer = PointerField(page);
  if (pointer < 0) return kNone;
  int p = AdaptationSize(page) + pointer;
  // The first table_id, at 5 + p, must lie inside the packet.
  if (p + 1 > RPAGE_LEN - 5) return kNone;
  int h = 6 + p;  // just after it
  if (addId == kAnyAddID || At(page, h - 1) != 0x02) return h;
  // Several program map sections may share the packet: find the one for program addId.
  // h grows by at least 3 per step and every read lies below h + 4, so this ends
  // inside the packet.
  for (;;) {
    if (h + 4 > RPAGE_LEN || At(page, h - 1) != 0x02) return kNone;
    if (WordAt(page, h + 2) == addId) return h;
    h += (WordAt(page, h) & 0x0FFF) + 3;
  }
}

namespace {
int HeaderByte(const RawString& page, uint16_t addId, int delta) {
  int h = SectionHeaderOffset(page, addId);
  if (h <= 0 || h + delta >= RPAGE_LEN) return kNone;
  return At(page, h + delta);
}
}  // namespace

int PacketSectionNumber(const RawString& page, uint16_t addId) { return HeaderByte(page, addId, 5); }

int PacketLastSectionNumber(const RawString& page, uint16_t addId) { return HeaderByte(page, addId, 6); }

int PacketSectionLength(const RawString& page, uint16_t addId) {
  int h = SectionHeaderOffset(page, addId);
  if (h <= 0 || h + 2 > RPAGE_LEN) return kNone;
  int len = WordAt(page, h) & 0x0FFF;
  int limit = PacketPID(page) == 0x0012 ? 4093 : 1021;
  return len > limit ? kNone : len;
}

int PacketContinuity(const RawString& page) {
  if (!IsPacket(page)) return kNone;
  return At(page, 3) & 0x0F;
}

// ---------------------------------------------------------------- packetiser

int PacketCount(const Bytes& data) {
  if (data.empty()) return 0;
  return static_cast<int>((data.size() + kPacketPayload - 1) / kPacketPayload);
}

void PackSection(TByteRPages& packets, const Bytes& data, uint16_t pid, int count) {
  size_t pos = 0;
  for (int k = 0; k < count; ++k) {
    TByteRPage packet;
    packet.fill(0xFF);
    uint16_t header = k == 0 ? ((pid & 0x1FFF) | 0x4000) : (pid & 0x1FFF);
    packet[0] = 0x47;
    packet[1] = static_cast<uint8_t>(header >> 8);
    packet[2] = static_cast<uint8_t>(header);
    packet[3] = 0x10;  // not scrambled, payload only, counter set by the table
    size_t n = std::min<size_t>(kPacketPayload, data.size() - pos);
    std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(pos), n, packet.begin() + kPacketHeader);
    pos += n;
    packets.push_back(packet);
  }
}

RawString BuildTablePackets(const TBasicTable& table) {
  TByteRPages packets;
  for (int s = 0; s < table.Sections(); ++s) {
    const TBasicSection* section = table.GetSection(s);
    if (!section) continue;
    Bytes data = section->SectionData();
    PackSection(packets, data, table.TableIdent().PID, PacketCount(data));
  }
  RawString out;
  out.reserve(packets.size() * RPAGE_LEN);
  for (size_t m = 0; m < packets.size(); ++m) {
    TByteRPage& packet = packets[m];
    packet[3] = static_cast<uint8_t>((packet[3] & 0xF0) | (m & 0x0F));
    out.append(reinterpret_cast<const char*>(packet.data()), packet.size());
  }
  return out;
}

}  // namespace quillon
