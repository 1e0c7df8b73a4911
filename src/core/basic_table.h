#pragma once
// One table (all sections sharing PID, table_id and table_id_extension) with its
// packet store: received packets are sorted by section and continuity counter, then
// reassembled and decoded by the descendant.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/basic_section.h"
#include "core/rpages.h"

namespace quillon {

inline constexpr int kMaxSections = 256;

class TBasicTable {
 public:
  TBasicTable();
  virtual ~TBasicTable();
  TBasicTable(const TBasicTable&) = delete;
  TBasicTable& operator=(const TBasicTable&) = delete;

  virtual void Reset();
  virtual int Sections() const { return FLastSec + 1; }
  // The reassembled section `secNr` from table_id to CRC_32; empty when it cannot be rebuilt.
  virtual void GetSectionData(int secNr, Bytes& data) const;
  // Decodes all sections; returns the number of CRC errors, or -1 when undecodable.
  virtual int ParseSections() = 0;

  int MaxSecRP() const { return FMaxSecRP; }
  void SetMaxSecRP(int n);
  const TTableIdent& TableIdent() const { return FTableIdent; }
  void SetTableIdent(const TTableIdent& ident) { FTableIdent = ident; }
  const TTSHeader& TSHeader() const { return FHeader; }

  // Replaces the content by what the packets hold; false (and an empty table) on failure.
  bool AddRPages(const TRPages& pages, uint16_t addId);
  // Sorts one packet into the store: the section it opens, -1 for a continuation, -2 refused.
  int AddPage(const RawString& page);
  RawString GetRPage(int secNr, int pageNr) const;
  TBasicSection* GetSection(int index) const;
  void SetSection(int index, std::unique_ptr<TBasicSection> section);
  uint32_t StoredCRC(int secNr) const;
  uint32_t ComputedCRC(int secNr) const;

 protected:
  int FContCnt = 0;
  int FMaxSecRP = 6;
  int FActSec = 0;
  // Packets and section objects by section number; both grow to the highest section
  // that got either (see NoteSlot), since most tables use few of the 256 and a table is
  // made for every read.
  std::vector<TRPages> FRPage;
  TTableIdent FTableIdent;
  TTSHeader FHeader;
  int FLastSec = -1;
  std::array<int, kMaxSections> FSecLen{};
  std::vector<std::unique_ptr<TBasicSection>> FSec;

  // Makes room for section `index` (0..255) in FRPage and FSec.
  void NoteSlot(int index) {
    const auto n = static_cast<size_t>(index) + 1;
    if (FSec.size() < n) {
      FRPage.resize(n);
      FSec.resize(n);
    }
  }
};

}  // namespace quillon
