#include "core/si_table.h"

#include <algorithm>
#include <charconv>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/hex.h"
#include "platform/ini_file.h"
#include "platform/stream.h"
#include "platform/text.h"

namespace quillon {

namespace {

constexpr char kStampSection[] = "STAMP";
constexpr char kPmtSection[] = "PMT_PIDS";
constexpr uint8_t kPmtTableID = 0x02;
constexpr uint8_t kSdtOtherTableID = 0x46;
constexpr uint16_t kSdtPID = 0x0011;
// Page keys are two hex digits ending at FF.
constexpr int kMaxFilePages = 256;
// Smallest stream form of a page record: identity, completeness and three zero counts.
constexpr size_t kMinRecordBytes = 19;

constexpr TTableIdent kStandardIdents[] = {
    {0x0010, 0x40, 0, kAnyAddID},  // NIT actual network
    {0x0010, 0x41, 0, kAnyAddID},  // NIT other network
    {0x0011, 0x42, 0, kAnyAddID},  // SDT actual transport stream
    {0x0011, 0x46, 0, kAnyAddID},  // SDT other transport stream
    {0x0000, 0x00, 0, kAnyAddID},  // PAT
};

const char* SectionLabel(const TTableIdent& ident) {
  if (ident.PID == 0x0000 || ident.PID == 0x0011) return "TSID";
  if (ident.PID == 0x0010) return "NID";
  if (ident.TableID == kPmtTableID) return "PNR";
  return "?";
}

bool ParseHex16(std::string_view text, uint16_t& out) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out, 16);
  return ec == std::errc() && end == text.data() + text.size();
}

std::string PageHexText(const RawString& page) {
  std::string out;
  out.reserve(page.size() * 3);
  for (char c : page) {
    out += HexDigits(static_cast<uint8_t>(c), 2);
    out += ' ';
  }
  return out;
}

// transport_stream_id of the section a packet on the SDT PID starts, or -1.
int SdtTransportStreamID(const RawString& page) {
  if (!IsSectionStart(page, kSdtPID)) return -1;
  int h = SectionHeaderOffset(page, kAnyAddID);
  if (h <= 0 || h + 4 > RPAGE_LEN) return -1;
  return (static_cast<uint8_t>(page[h + 2]) << 8) | static_cast<uint8_t>(page[h + 3]);
}

// The "PMT_PIDS" entries 1 .. Count in order. Only keys present in the file are visited,
// so a huge Count costs nothing.
TTableIdentArr PmtIdents(const IniFile& ini) {
  int count = ini.ReadInteger(kPmtSection, "Count", 0);
  std::vector<int> numbers;
  for (const std::string& key : ini.ReadSectionKeys(kPmtSection)) {
    int n = 0;
    auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), n);
    if (ec == std::errc() && end == key.data() + key.size() && n >= 1 && n <= count && std::to_string(n) == key)
      numbers.push_back(n);
  }
  std::sort(numbers.begin(), numbers.end());
  TTableIdentArr idents;
  for (int n : numbers) {
    std::string value = ini.ReadString(kPmtSection, std::to_string(n), "");
    size_t sep = value.find('_');
    TTableIdent ident;
    ident.TableID = kPmtTableID;
    if (value.empty() || sep == std::string::npos) continue;
    if (!ParseHex16(std::string_view(value).substr(0, sep), ident.PID) ||
        !ParseHex16(std::string_view(value).substr(sep + 1), ident.AddID))
      continue;
    idents.push_back(ident);
  }
  return idents;
}

TTableIdentArr IdentsFor(TSITableType kind, const IniFile& ini) {
  TTableIdentArr idents;
  auto rows = [&](int from, int to) {
    for (int r = from; r <= to; ++r) idents.push_back(kStandardIdents[r]);
  };
  auto pmts = [&] {
    TTableIdentArr p = PmtIdents(ini);
    idents.insert(idents.end(), p.begin(), p.end());
  };
  switch (kind) {
    case TSITableType::sittUnknown: rows(0, 4); pmts(); break;
    case TSITableType::sittNIT: rows(0, 1); break;
    case TSITableType::sittSDT: rows(2, 3); break;
    case TSITableType::sittPAT: rows(4, 4); break;
    case TSITableType::sittPMT: pmts(); break;
    default: break;
  }
  return idents;
}

}  // namespace

std::string TableFileSectionName(const TTableIdent& ident) {
  if (ident.TableID == kPmtTableID)
    return Format("RPAGES PID %4.4X - TID %2.2X - %s %4.4X", ident.PID, ident.TableID, SectionLabel(ident),
                  ident.AddID);
  return Format("RPAGES PID %4.4X - TID %2.2X", ident.PID, ident.TableID);
}

void TSITable::Clear(int idx) {
  if (idx == -1) {
    for (auto& table : FTables) table->Reset();
  } else if (GetTable(idx)) {
    FTables[idx]->Reset();
  }
}

TBasicTable* TSITable::GetTable(int idx) const {
  return idx >= 0 && idx < TableCount() ? FTables[idx].get() : nullptr;
}

std::string TSITable::GetDescription(int idx) const {
  return idx >= 0 && static_cast<size_t>(idx) < FDescription.size() ? FDescription[idx] : std::string();
}

TRPageInfoArr TSITable::GetRPages() const {
  TRPageInfoArr infos;
  for (const auto& table : FTables) {
    TRPageInfo& info = *infos[AddRPageInfo(table->TableIdent(), infos)];
    info.SetSectionCount(table->Sections());
    for (int j = 0; j < table->Sections(); ++j) {
      info.SetSectionRead(j, true);
      for (int p = 0; p < table->MaxSecRP(); ++p) AddRPage(info.RPages, table->GetRPage(j, p));
    }
    // Stored packets carry counters per section; a record holds one run over the table.
    RenumberContinuity(info.RPages);
  }
  return infos;
}

void TSITable::SaveToStream(TStream* stream) const {
  if (!stream) return;
  TRPageInfoArr infos = GetRPages();
  stream->WriteI32(static_cast<int32_t>(infos.size()));
  for (const auto& info : infos) info->SaveToStream(stream);
}

TRPageInfoArr ReadStreamRPages(TStream& stream) {
  int32_t n = stream.ReadCount(kMinRecordBytes, TableMessages().CText(TableMsg::PageRecord));
  TRPageInfoArr infos;
  for (int32_t i = 0; i < n; ++i) {
    infos.push_back(std::make_unique<TRPageInfo>());
    infos.back()->LoadFromStream(&stream);
  }
  return infos;
}

void TSITable::LoadFromStream(TStream* stream) {
  if (!stream) return;
  AddRPages(ReadStreamRPages(*stream));
}

void TSITable::SaveToFile(const std::filesystem::path& dat) const {
  TRPageInfoArr infos = GetRPages();
  if (dat.empty() || infos.empty()) return;
  // Keys run from 256 - N to FF; refuse before touching the file rather than write
  // keys that cannot be read back.
  for (const auto& info : infos)
    if (info->RPages.size() > static_cast<size_t>(kMaxFilePages))
      throw StreamError(Format(FileMessages().CText(FileMsg::CannotWrite), dat.c_str(),
                               Format(TableMessages().CText(TableMsg::TooManyPackets),
                                      TableFileSectionName(info->TableIdent).c_str(), info->RPages.size(), kMaxFilePages)
                                   .c_str()));
  std::unique_ptr<IniFile> ini;  // opened with the first record that has pages
  for (const auto& info : infos) {
    if (info->RPages.empty()) continue;
    if (!ini) ini = std::make_unique<IniFile>(dat);
    ini->WriteString(kStampSection, "Type", "B");
    const TTableIdent& ident = info->TableIdent;
    if (ident.TableID == kPmtTableID) {
      int count = ini->ReadInteger(kPmtSection, "Count", 0) + 1;
      ini->WriteInteger(kPmtSection, "Count", count);
      ini->WriteString(kPmtSection, std::to_string(count), HexDigits(ident.PID, 4) + "_" + HexDigits(ident.AddID, 4));
    }
    std::string section = TableFileSectionName(ident);
    int n = static_cast<int>(info->RPages.size());
    for (int k = 0; k < n; ++k)
      ini->WriteString(section, HexDigits(static_cast<uint64_t>(kMaxFilePages - n + k), 2), PageHexText(info->RPages[k]));
  }
  if (ini) ini->UpdateFile();
}

void TSITable::LoadFromFile(const std::filesystem::path& dat) {
  if (dat.empty()) return;
  IniFile ini(dat);
  TRPageInfoArr infos;
  for (const TTableIdent& ident : IdentsFor(FSIType, ini)) {
    std::string section = TableFileSectionName(ident);
    int n = static_cast<int>(ini.ReadSectionKeys(section).size());
    if (n == 0 || ini.ReadString(kStampSection, "Type", "") != "B") continue;
    TRPageInfo* record = nullptr;
    if (ident.TableID != kSdtOtherTableID) record = infos[AddRPageInfo(ident, infos)].get();
    int lastTsid = -1;
    for (int k = std::max(kMaxFilePages - n, 0); k < kMaxFilePages; ++k) {
      Bytes bytes;
      // A value with an odd digit count or a stray character is not one we wrote: the
      // page is taken as empty, which AddRPage drops.
      if (!ParseHexBytes(ini.ReadString(section, HexDigits(static_cast<uint64_t>(k), 2), ""), bytes)) bytes.clear();
      RawString page = ToRaw(bytes);
      int tsid = SdtTransportStreamID(page);
      if (ident.TableID == kSdtOtherTableID) {
        // Several sub-tables share the file section: each new transport_stream_id opens
        // a record of its own.
        if (tsid >= 0 && tsid != lastTsid) {
          TTableIdent sub = ident;
          sub.AddID = static_cast<uint16_t>(tsid);
          record = infos[AddRPageInfo(sub, infos)].get();
          lastTsid = tsid;
        }
      } else if (tsid >= 0) {
        record->TableIdent.AddID = static_cast<uint16_t>(tsid);
      }
      if (record) AddRPage(record->RPages, page);
    }
  }
  AddRPages(infos);
}

}  // namespace quillon
