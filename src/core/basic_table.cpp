#include "core/basic_table.h"

#include <algorithm>

#include "core/crc32.h"
#include "platform/dialogs.h"

namespace quillon {

namespace {

bool ValidSecNr(int secNr) { return secNr >= 0 && secNr < kMaxSections; }

bool IsPacket(const RawString& page) { return page.size() == static_cast<size_t>(RPAGE_LEN); }

bool HasPayloadStart(const RawString& page) { return (static_cast<uint8_t>(page[1]) & 0x40) != 0; }

// Appends `count` bytes of `page` from `offset`; false when they are not all in the packet.
bool AppendPayload(Bytes& acc, const RawString& page, int offset, int count) {
  if (offset < 0 || count < 0 || offset + count > RPAGE_LEN) return false;
  const auto* from = reinterpret_cast<const uint8_t*>(page.data()) + offset;
  acc.insert(acc.end(), from, from + count);
  return true;
}

// The bytes before the first new section of a packet (the tail of the previous one).
// False unless the packet has such bytes and they lie inside it.
bool AppendPointedTail(Bytes& acc, const RawString& page) {
  if (!IsPacket(page)) return false;
  int p = PointerField(page);
  if (p <= 0) return false;
  return AppendPayload(acc, page, kPacketHeader + AdaptationSize(page) + 1, p);
}

}  // namespace

TBasicTable::TBasicTable() {
  FTableIdent.TableID = 0;
  SetMaxSecRP(6);
  TBasicTable::Reset();
}

TBasicTable::~TBasicTable() { TBasicTable::Reset(); }

void TBasicTable::SetMaxSecRP(int n) {
  FMaxSecRP = (n >= 6 && n <= 24) ? n : 6;
  // A section's slots are made when its first packet arrives.
  for (TRPages& pages : FRPage) pages.clear();
}

void TBasicTable::Reset() {
  FTableIdent.PID = kAnyPID;
  FTableIdent.AddID = kAnyAddID;
  FHeader.SetTransportPriority(0);
  FHeader.SetScramblingControl(0);
  FContCnt = 0;
  FActSec = 0;
  FLastSec = -1;
  FSecLen.fill(0);
  for (TRPages& pages : FRPage)
    for (RawString& page : pages) page.clear();
  for (auto& section : FSec) section.reset();
}

bool TBasicTable::AddRPages(const TRPages& pages, uint16_t addId) {
  Reset();
  FTableIdent.AddID = addId;
  for (const RawString& page : pages) {
    if (AddPage(page) < -1) {
      Reset();
      return false;
    }
  }
  if (pages.empty()) return false;
  // Packets of which none opens a section hold no table: kept, they would pass for one
  // with no sections, whose identity came from a stray packet.
  if (FLastSec < 0) {
    Reset();
    return false;
  }
  if (ParseSections() != 0) {
    Reset();
    return false;
  }
  return true;
}

int TBasicTable::AddPage(const RawString& page) {
  if (!IsPacket(page)) return -2;
  int s = PacketSectionNumber(page, FTableIdent.AddID);
  // A packet that only finishes a section before starting one already opened continues
  // the section being filled.
  if (s != kNone && PointerField(page) != 0 && !GetRPage(s, 0).empty()) s = kNone;
  if (s != kNone) {
    int last = PacketLastSectionNumber(page, FTableIdent.AddID);
    if (last == kNone) return -2;
    // A section beyond the last one, or sections that disagree on which is the last, make
    // no table: the sections kept would not be those the saved packets read back as.
    if (s > last || (FLastSec >= 0 && last != FLastSec)) return -2;
    int len = PacketSectionLength(page, FTableIdent.AddID);
    if (len == kNone) return -2;
    FLastSec = last;
    FSecLen[s] = len;
    FActSec = s;
  }
  int cc = PacketContinuity(page);
  if (s != kNone && IsSectionStart(page, kAnyPID)) FContCnt = cc;
  // Slots follow the counter distance from the section's first packet, so continuation
  // packets may come in any order; a second run of 16 counters uses the slots from 16 on.
  int i = ((cc - FContCnt) % 16 + 16) % 16;
  if (!ValidSecNr(FActSec)) return -2;
  NoteSlot(FActSec);
  TRPages& slots = FRPage[FActSec];
  if (slots.empty()) slots.resize(static_cast<size_t>(FMaxSecRP));
  const int slotCount = static_cast<int>(std::min<size_t>(static_cast<size_t>(FMaxSecRP), slots.size()));
  while (i < slotCount && !slots[i].empty()) i += 16;
  // Refused rather than overwriting a packet already stored.
  if (i >= slotCount) return -2;
  RawString stored = page;
  stored[3] = static_cast<char>((static_cast<uint8_t>(page[3]) & 0xF0) | (i & 0x0F));
  slots[i] = std::move(stored);
  return s;
}

void TBasicTable::GetSectionData(int secNr, Bytes& data) const {
  data.clear();
  if (!ValidSecNr(secNr)) return;
  const size_t need = static_cast<size_t>(FSecLen[secNr]) + 3;
  if (need <= 3) return;
  static const TRPages kNoSlots;
  const TRPages& slots = static_cast<size_t>(secNr) < FRPage.size() ? FRPage[secNr] : kNoSlots;
  Bytes acc;
  acc.reserve(need);
  static const RawString kNoPage;
  for (int i = 0; acc.size() < need; ++i) {
    // Every slot used and the section still short: it cannot be rebuilt. A section
    // without slots has FMaxSecRP empty ones.
    if (i >= FMaxSecRP || (!slots.empty() && static_cast<size_t>(i) >= slots.size())) return;
    const RawString& page = static_cast<size_t>(i) < slots.size() ? slots[i] : kNoPage;
    if (!IsPacket(page)) {
      ShowMessage("TBasicTable.GetSectionData: Length(Page) <> RPAGE_LEN");
      // The next section's first packet may carry this section's tail before its start.
      if (!AppendPointedTail(acc, GetRPage(secNr + 1, 0)) || acc.size() < need) return;
      break;
    }
    int h = kPacketHeader + AdaptationSize(page);
    int missing = static_cast<int>(need - acc.size());
    int p = PointerField(page);
    if (p < 0) return;
    if (i > 0 && HasPayloadStart(page) && p > 0) {
      // This packet ends the section and starts another.
      if (p != missing || !AppendPayload(acc, page, h + 1, p)) return;
      continue;
    }
    int offset = HasPayloadStart(page) ? h + 1 + p : h;
    // A packet whose adaptation field fills it carries no payload.
    int count = std::clamp(RPAGE_LEN - offset, 0, missing);
    if (count > 0 && !AppendPayload(acc, page, offset, count)) return;
  }
  acc.resize(need);
  data = std::move(acc);
}

RawString TBasicTable::GetRPage(int secNr, int pageNr) const {
  if (!ValidSecNr(secNr) || static_cast<size_t>(secNr) >= FRPage.size() || pageNr < 0 ||
      static_cast<size_t>(pageNr) >= FRPage[secNr].size())
    return {};
  return FRPage[secNr][pageNr];
}

TBasicSection* TBasicTable::GetSection(int index) const {
  return ValidSecNr(index) && static_cast<size_t>(index) < FSec.size() ? FSec[index].get() : nullptr;
}

void TBasicTable::SetSection(int index, std::unique_ptr<TBasicSection> section) {
  if (!ValidSecNr(index)) return;
  NoteSlot(index);
  FLastSec = index;
  FSec[index] = std::move(section);
}

namespace {
// The section bytes when they have the length the header promised; empty otherwise.
Bytes CheckedSectionData(const TBasicTable& table, int secNr, int secLen) {
  Bytes data;
  table.GetSectionData(secNr, data);
  if (data.size() < 4 || data.size() != static_cast<size_t>(secLen) + 3) data.clear();
  return data;
}
}  // namespace

uint32_t TBasicTable::StoredCRC(int secNr) const {
  if (!ValidSecNr(secNr)) return 0;
  Bytes data = CheckedSectionData(*this, secNr, FSecLen[secNr]);
  if (data.empty()) return 0;
  size_t n = data.size();
  return (static_cast<uint32_t>(data[n - 4]) << 24) | (static_cast<uint32_t>(data[n - 3]) << 16) |
         (static_cast<uint32_t>(data[n - 2]) << 8) | data[n - 1];
}

uint32_t TBasicTable::ComputedCRC(int secNr) const {
  if (!ValidSecNr(secNr)) return 0;
  Bytes data = CheckedSectionData(*this, secNr, FSecLen[secNr]);
  if (data.empty()) return 0;
  return CalcCRC32(data.data(), data.size() - 4, kCrcInit);
}

}  // namespace quillon
