#pragma once
// Small building blocks for the section, packet and table tests: a section with a raw
// body, hand-made transport packets and a table that only checks CRCs.
#include <stdexcept>
#include <vector>

#include "core/basic_section.h"
#include "core/basic_table.h"
#include "core/crc32.h"
#include "core/rpages.h"

namespace quillon::test {

class TRawSection : public TBasicSection {
 public:
  // Header as a DVB builder sets it, section_length sized from the body.
  explicit TRawSection(Bytes body = {}, uint8_t tableId = 0x40, uint16_t extension = 0x0001)
      : body_(std::move(body)) {
    FTableID = tableId;
    FSecSyntaxInd = 1;
    FReservedFU1 = 1;
    FReserved1 = 3;
    FReserved2 = 3;
    FCurNextInd = 1;
    FResNetIDPrgNrTSID = extension;
    FSectionLength = static_cast<uint16_t>(body_.size() + 9);
  }

  Bytes SectionData() const override {
    ByteWriter w(static_cast<size_t>(FSectionLength) + 4);
    WriteHeader(w);
    w.PutBytes(body_);
    w.PutU32(FCRC32);
    return w.Take();
  }

 private:
  Bytes body_;
};

// A ready section: `sectionBytes` is its SectionData length (pointer byte included),
// the body a counting pattern so misplaced bytes show.
inline std::unique_ptr<TRawSection> MakeSection(size_t sectionBytes, uint8_t secNr, uint8_t lastSecNr,
                                                uint8_t tableId = 0x40, uint16_t extension = 0x0001) {
  if (sectionBytes < 13) throw std::invalid_argument("a section has at least 13 bytes");
  Bytes body(sectionBytes - 13);
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<uint8_t>(i * 7 + secNr);
  auto s = std::make_unique<TRawSection>(std::move(body), tableId, extension);
  s->SetSectionNumber(secNr);
  s->SetLastSectionNumber(lastSecNr);
  s->UpdateCRC();
  return s;
}

// Sections 0 .. n-1 of one table with the given SectionData lengths.
inline std::vector<std::unique_ptr<TRawSection>> MakeSections(const std::vector<size_t>& sizes,
                                                              uint8_t tableId = 0x40, uint16_t extension = 0x0001) {
  std::vector<std::unique_ptr<TRawSection>> out;
  for (size_t i = 0; i < sizes.size(); ++i)
    out.push_back(MakeSection(sizes[i], static_cast<uint8_t>(i), static_cast<uint8_t>(sizes.size() - 1), tableId,
                              extension));
  return out;
}

// The section proper (without the pointer byte), as reassembly returns it.
inline Bytes SectionProper(const TBasicSection& s) {
  Bytes d = s.SectionData();
  return Bytes(d.begin() + 1, d.end());
}

// One 188-byte packet; an adaptation field of `adaptationLength` (its length byte's
// value) comes before the payload when not negative. The rest is 0xFF stuffing.
inline RawString MakePacket(uint16_t pid, bool pusi, int cc, const Bytes& payload, int adaptationLength = -1) {
  RawString p(RPAGE_LEN, '\xFF');
  p[0] = 0x47;
  p[1] = static_cast<char>((pusi ? 0x40 : 0) | ((pid >> 8) & 0x1F));
  p[2] = static_cast<char>(pid & 0xFF);
  p[3] = static_cast<char>((adaptationLength >= 0 ? 0x30 : 0x10) | (cc & 0x0F));
  size_t at = 4;
  if (adaptationLength >= 0) {
    p[4] = static_cast<char>(adaptationLength);
    if (adaptationLength > 0) p[5] = 0x00;  // no adaptation flags; the rest is stuffing
    at += static_cast<size_t>(adaptationLength) + 1;
  }
  if (at + payload.size() > p.size()) throw std::invalid_argument("payload does not fit the packet");
  std::copy(payload.begin(), payload.end(), p.begin() + static_cast<std::ptrdiff_t>(at));
  return p;
}

inline TRPages SplitPackets(const RawString& stream) {
  TRPages pages;
  for (size_t i = 0; i + RPAGE_LEN <= stream.size(); i += RPAGE_LEN) pages.push_back(stream.substr(i, RPAGE_LEN));
  return pages;
}

// A table whose parse only reassembles every section and checks its CRC, keeping the
// bytes it saw.
class TCheckTable : public TBasicTable {
 public:
  explicit TCheckTable(uint8_t tableId = 0x40) {
    TTableIdent ident = TableIdent();
    ident.TableID = tableId;
    SetTableIdent(ident);
  }

  int ParseSections() override {
    parsed.clear();
    RawString first = GetRPage(0, 0);
    if (first.size() < 4) return -1;
    TTableIdent ident = TableIdent();
    ident.PID = static_cast<uint16_t>(((static_cast<uint8_t>(first[1]) & 0x1F) << 8) | static_cast<uint8_t>(first[2]));
    SetTableIdent(ident);
    int errors = 0;
    for (int j = 0; j < Sections(); ++j) {
      Bytes data;
      GetSectionData(j, data);
      if (data.empty()) return -1;
      size_t n = data.size();
      uint32_t stored = (static_cast<uint32_t>(data[n - 4]) << 24) | (static_cast<uint32_t>(data[n - 3]) << 16) |
                        (static_cast<uint32_t>(data[n - 2]) << 8) | data[n - 1];
      if (stored != CalcCRC32(data.data(), n - 4, kCrcInit)) ++errors;
      parsed.push_back(std::move(data));
    }
    return errors;
  }

  std::vector<Bytes> parsed;
};

// The packets of `sections` as one table on `pid` (continuity running over the table).
inline RawString TableStream(std::vector<std::unique_ptr<TRawSection>> sections, uint16_t pid = 0x0010) {
  TCheckTable table;
  TTableIdent ident = table.TableIdent();
  ident.PID = pid;
  table.SetTableIdent(ident);
  for (size_t i = 0; i < sections.size(); ++i) table.SetSection(static_cast<int>(i), std::move(sections[i]));
  return BuildTablePackets(table);
}

inline TRPages TablePackets(std::vector<std::unique_ptr<TRawSection>> sections, uint16_t pid = 0x0010) {
  return SplitPackets(TableStream(std::move(sections), pid));
}

}  // namespace quillon::test
