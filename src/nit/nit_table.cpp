#include "nit/nit_table.h"

#include "descriptors/descriptor.h"

namespace quillon {

TNITTable::TNITTable(uint8_t tableId) {
  TTableIdent ident = TableIdent();
  ident.TableID = tableId;
  SetTableIdent(ident);
}

int TNITTable::AddSection(uint8_t secType) {
  int index = FLastSec + 1;
  if (index >= kMaxSections) return -1;
  auto section = std::make_unique<TNISection>();
  section->SetTableID(secType);
  section->SetSectionNumber(static_cast<uint8_t>(index));
  SetSection(index, std::move(section));
  for (int i = 0; i <= index; ++i)
    if (FSec[i]) FSec[i]->SetLastSectionNumber(static_cast<uint8_t>(index));
  return index;
}

int TNITTable::ParseSections() {
  DescriptorModuleState& state = DescriptorState();
  state.CurrentPrivSpec = kNoPrivSpec;
  if (state.ReportUnknownTags) state.UnknownTags.clear();

  const RawString first = GetRPage(0, 0);
  if (first.size() < 4) return -1;
  auto b = [&](int i) { return static_cast<uint8_t>(first[i]); };
  FHeader.SetTransportPriority((b(1) >> 5) & 1);
  FTableIdent.PID = static_cast<uint16_t>(((b(1) & 0x1F) << 8) | b(2));
  FHeader.SetScramblingControl(b(3) >> 6);
  // The NIT travels on its own PID. A table kept from packets of another PID would be
  // saved under that PID, which no NIT record carries, and be lost on loading.
  if (FTableIdent.PID != kNitPID) return -1;

  int result = 0;
  for (int j = 0; j <= FLastSec && j < kMaxSections; ++j) {
    auto section = std::make_unique<TNISection>();
    TNISection* s = section.get();
    // Stored directly: SetSection would move the last section number while we walk it.
    NoteSlot(j);
    FSec[j] = std::move(section);
    Bytes data;
    GetSectionData(j, data);
    if (data.empty()) {
      result = -1;
      break;
    }
    TNISection::DecodeResult r = s->Decode(data);
    if (r == TNISection::DecodeResult::DescriptorFailed) return -1;
    if (r == TNISection::DecodeResult::Undecodable) {
      result = -1;
      break;
    }
    FTableIdent.AddID = s->NetworkID();
    if (!s->CRCOK()) ++result;
  }
  ShowUnknownTagReport();
  return result;
}

TNIT::TNIT() {
  FSIType = TSITableType::sittNIT;
  FTables.push_back(std::make_unique<TNITTable>(kTableIdNitActual));
  FTables.push_back(std::make_unique<TNITTable>(kTableIdNitOther));
  FDescription = {"NIT - Actual Network", "NIT - Other Network"};
}

void TNIT::Delete() { Clear(-1); }

bool TNIT::AddRPages(const TRPageInfoArr& infos) {
  bool result = true, actualSeen = false, otherSeen = false;
  for (const auto& info : infos) {
    if (!info || info->TableIdent.PID != kNitPID) continue;
    if (info->TableIdent.TableID == kTableIdNitActual) {
      if (TBasicTable* t = GetTable(0)) result = t->AddRPages(info->RPages, kAnyAddID) && result;
      actualSeen = true;
    } else if (info->TableIdent.TableID == kTableIdNitOther) {
      if (TBasicTable* t = GetTable(1)) result = t->AddRPages(info->RPages, kAnyAddID) && result;
      otherSeen = true;
    }
    if (actualSeen && otherSeen) break;
  }
  return result;
}

}  // namespace quillon
