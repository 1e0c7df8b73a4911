#pragma once
// The NIT as a table of up to 256 sections, and as the container of the actual-network
// and other-network tables.
#include <cstdint>

#include "core/basic_table.h"
#include "core/si_table.h"
#include "nit/ni_section.h"

namespace quillon {

inline constexpr uint16_t kNitPID = 0x0010;
inline constexpr uint8_t kTableIdNitActual = 0x40;
inline constexpr uint8_t kTableIdNitOther = 0x41;

class TNITTable : public TBasicTable {
 public:
  explicit TNITTable(uint8_t tableId);

  // Appends a section with table_id `secType`; every section's last_section_number
  // follows. Returns its number, or -1 when the table already has section 255.
  int AddSection(uint8_t secType);
  // Decodes the held packets; the number of CRC errors, or -1 when undecodable.
  int ParseSections() override;

  TNISection* Section(int index) const { return static_cast<TNISection*>(GetSection(index)); }
};

class TNIT : public TSITable {
 public:
  TNIT();

  void Delete() override;
  bool AddRPages(const TRPageInfoArr& infos) override;

  TNITTable* Actual() const { return static_cast<TNITTable*>(FTables[0].get()); }
  TNITTable* Other() const { return static_cast<TNITTable*>(FTables[1].get()); }
};

}  // namespace quillon
