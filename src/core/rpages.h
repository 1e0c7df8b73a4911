#pragma once
// Transport-stream packets ("RPages"), their readings, page records and the packetiser.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/bytes.h"
#include "platform/message_table.h"

namespace quillon {

// What the stored tables name in their errors, with the German defaults.
enum class TableMsg { PageRecord, SectionFlag, Page, PageByte, TooManyPackets };

inline constexpr TMessageRow<TableMsg> kTableMessageRows[] = {
    {TableMsg::PageRecord, "PageRecord", "Seiten-Record"},
    {TableMsg::SectionFlag, "SectionFlag", "Section-Kennzeichen"},
    {TableMsg::Page, "Page", "Seite"},
    {TableMsg::PageByte, "PageByte", "Seiten-Byte"},
    // The reason a table file cannot be written: the table, its packets and the most a file holds.
    {TableMsg::TooManyPackets, "TooManyPackets", "Tabelle %s hat %zu Pakete, in eine Tabellendatei passen höchstens %d"},
};
using TTableMessages = TMessageTable<TableMsg, kTableMessageRows>;

// In the active language (window "TSITable" of the language file).
const TTableMessages& TableMessages();

class TStream;
class TBasicTable;

inline constexpr int RPAGE_LEN = 188;
inline constexpr int kPacketHeader = 4;      // sync byte, flags and PID, control and counter
inline constexpr int kPacketPayload = 184;   // payload bytes of a packet without adaptation field
inline constexpr int kNone = -1;             // "none" of the packet readings
inline constexpr uint16_t kAnyPID = 0xFFFF;  // also "no PID" in a table identity
inline constexpr uint16_t kAnyAddID = 0xFFFF;

using TRPages = std::vector<RawString>;  // one packet each; an empty string is a free slot
using TByteRPage = std::array<uint8_t, RPAGE_LEN>;
using TByteRPages = std::vector<TByteRPage>;

struct TTableIdent {
  uint16_t PID = kAnyPID;
  uint8_t TableID = 0xFF;
  uint8_t Pad = 0;  // not interpreted; kept so records copy all six bytes
  uint16_t AddID = kAnyAddID;
};
using TTableIdentArr = std::vector<TTableIdent>;

class TTSHeader {
 public:
  int TransportPriority() const { return FTranspPrio; }
  void SetTransportPriority(int v) { FTranspPrio = v; }
  int ScramblingControl() const { return FScrambCrtl; }
  void SetScramblingControl(int v) { FScrambCrtl = v; }

 private:
  int FTranspPrio = 0;
  int FScrambCrtl = 0;
};

// The page record of one table: its identity, section flags and packets.
class TRPageInfo {
 public:
  TTableIdent TableIdent;
  TRPages RPages;

  int SectionCount() const { return FAnzSec; }
  // Replaces the flags by `value` flags, all false (the stored completeness stays).
  void SetSectionCount(int value);
  // Sets flag `index` when it exists; always recomputes and returns the completeness.
  bool SetSectionRead(int index, bool value);
  // True exactly when there are flags and all are set.
  bool Complete() const;
  // The completeness last computed, as streams carry it.
  bool CompleteFlag() const { return FComplete; }
  const std::vector<bool>& SectionRead() const { return FSecRead; }

  // Little-endian record format; nothing happens without a stream. Loading throws
  // StreamError on a truncated record or a count that cannot fit the rest of the stream.
  void SaveToStream(TStream* stream) const;
  void LoadFromStream(TStream* stream);

 private:
  bool FComplete = false;
  int32_t FAnzSec = 0;
  std::vector<bool> FSecRead;
};
using TRPageInfoArr = std::vector<std::unique_ptr<TRPageInfo>>;

// Page-list operations.
int AddRPage(TRPages& pages, const RawString& page);  // -1 for an empty page
void ClearRPages(TRPages& pages);
int AddRPageInfo(const TTableIdent& ident, TRPageInfoArr& infos);
// Continuity counters 0, 1, .., 15, 0, .. in list order (the upper nibble of byte 3 stays).
void RenumberContinuity(TRPages& pages);

// Packet readings: kNone unless the page has exactly RPAGE_LEN bytes.
bool IsSectionStart(const RawString& page, uint16_t pid);  // false for a page that is not 188 bytes
int AdaptationSize(const RawString& page);
int PointerField(const RawString& page);
int SectionHeaderOffset(const RawString& page, uint16_t addId);
int PacketSectionNumber(const RawString& page, uint16_t addId);
int PacketLastSectionNumber(const RawString& page, uint16_t addId);
int PacketSectionLength(const RawString& page, uint16_t addId);
int PacketContinuity(const RawString& page);

// Packetiser.
int PacketCount(const Bytes& data);
// Appends `count` packets on `pid` carrying `data` (a SectionData, pointer byte first).
void PackSection(TByteRPages& packets, const Bytes& data, uint16_t pid, int count);
// All packets of a table, continuity counters running over the whole table.
RawString BuildTablePackets(const TBasicTable& table);

}  // namespace quillon
