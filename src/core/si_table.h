#pragma once
// The container of all tables of one SI kind, with its stream form and table files.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/basic_table.h"
#include "core/rpages.h"

namespace quillon {

class TStream;

enum class TSITableType { sittUnknown, sittNIT, sittSDT, sittPAT, sittPMT, sittCAT, sittBAT, sittEIT, sittTDT, sittTOT };

class TSITable {
 public:
  TSITable() = default;
  virtual ~TSITable() = default;
  TSITable(const TSITable&) = delete;
  TSITable& operator=(const TSITable&) = delete;

  virtual void Delete() = 0;
  virtual bool AddRPages(const TRPageInfoArr& infos) = 0;
  // Table file (INI text); an empty name does nothing. Saving throws StreamError when
  // the file cannot be written or a table has more packets than the keys 00..FF hold
  // (the file is then left alone); loading throws it when an existing file cannot be read.
  virtual void SaveToFile(const std::filesystem::path& dat) const;
  virtual void LoadFromFile(const std::filesystem::path& dat);
  // Stream form: record count, then the page records. Nothing happens without a stream;
  // loading throws StreamError on a damaged stream.
  virtual void SaveToStream(TStream* stream) const;
  virtual void LoadFromStream(TStream* stream);

  // -1 resets every table; an index outside the list does nothing.
  void Clear(int idx);
  int TableCount() const { return static_cast<int>(FTables.size()); }
  TBasicTable* GetTable(int idx) const;
  std::string GetDescription(int idx) const;
  TRPageInfoArr GetRPages() const;
  TSITableType SIType() const { return FSIType; }

 protected:
  TSITableType FSIType = TSITableType::sittUnknown;
  std::vector<std::unique_ptr<TBasicTable>> FTables;
  std::vector<std::string> FDescription;
};

// The page records of the stream form, read but not yet sorted into tables: a caller that
// must not change a container before all of its input was read applies them later with
// AddRPages. Throws StreamError on a damaged stream.
TRPageInfoArr ReadStreamRPages(TStream& stream);

// "RPAGES PID 0010 - TID 40" (and the PMT form with label and AddID for table_id 0x02).
std::string TableFileSectionName(const TTableIdent& ident);

}  // namespace quillon
