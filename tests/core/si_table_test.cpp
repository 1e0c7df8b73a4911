#include <gtest/gtest.h>

#include <chrono>

#include "core/si_table.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/ini_file.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "support/core_fixtures.h"
#include "support/test_util.h"

namespace quillon {
namespace {

using test::HexToBytes;
using test::MakePacket;
using test::MakeSections;
using test::TablePackets;
using test::TCheckTable;

// A container of check tables that also keeps a copy of every record it is handed.
class TTestContainer : public TSITable {
 public:
  explicit TTestContainer(TSITableType kind = TSITableType::sittNIT, std::vector<uint8_t> tableIds = {0x40, 0x41}) {
    FSIType = kind;
    for (uint8_t id : tableIds) {
      FTables.push_back(std::make_unique<TCheckTable>(id));
      FDescription.push_back("Table " + std::to_string(id));
    }
  }
  void Delete() override { Clear(-1); }
  bool AddRPages(const TRPageInfoArr& infos) override {
    bool ok = true;
    for (const auto& info : infos) {
      received.push_back(*info);
      for (auto& table : FTables)
        if (table->TableIdent().TableID == info->TableIdent.TableID)
          ok = table->AddRPages(info->RPages, info->TableIdent.AddID) && ok;
    }
    return ok;
  }
  TCheckTable& Table(int i) { return static_cast<TCheckTable&>(*FTables[i]); }

  std::vector<TRPageInfo> received;
};

std::string PageHex(const RawString& page) {
  std::string out;
  for (char c : page) out += HexDigits(static_cast<uint8_t>(c), 2) + " ";
  return out;
}

class SITableTest : public ::testing::Test {
 protected:
  // Fills table `idx` of `c` from the packets of sections with the given sizes.
  static TRPages Fill(TTestContainer& c, int idx, const std::vector<size_t>& sizes) {
    TRPages pages = TablePackets(MakeSections(sizes, c.Table(idx).TableIdent().TableID));
    EXPECT_TRUE(c.Table(idx).AddRPages(pages, kAnyAddID));
    return pages;
  }

  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
  test::TempDir dir;
  TTestContainer nit;
};

TEST_F(SITableTest, AccessByIndex) {
  EXPECT_EQ(nit.TableCount(), 2);
  EXPECT_EQ(nit.GetTable(1), &nit.Table(1));
  EXPECT_EQ(nit.GetTable(2), nullptr);
  EXPECT_EQ(nit.GetTable(-1), nullptr);
  EXPECT_EQ(nit.GetDescription(1), "Table 65");
  EXPECT_EQ(nit.GetDescription(2), "");
  EXPECT_EQ(nit.GetDescription(-1), "");
}

TEST_F(SITableTest, Clear) {
  Fill(nit, 0, {300});
  Fill(nit, 1, {28});
  nit.Clear(5);
  nit.Clear(-2);
  EXPECT_EQ(nit.Table(0).Sections(), 1);
  EXPECT_EQ(nit.Table(1).Sections(), 1);
  nit.Clear(1);
  EXPECT_EQ(nit.Table(0).Sections(), 1);
  EXPECT_EQ(nit.Table(1).Sections(), 0);
  nit.Clear(-1);
  EXPECT_EQ(nit.Table(0).Sections(), 0);
}

TEST_F(SITableTest, GetRPagesGivesOneContinuousRunPerTable) {
  Fill(nit, 0, {300, 28, 400});
  TRPageInfoArr infos = nit.GetRPages();
  ASSERT_EQ(infos.size(), 2u);
  const TRPageInfo& actual = *infos[0];
  EXPECT_EQ(actual.TableIdent.PID, 0x0010);
  EXPECT_EQ(actual.TableIdent.TableID, 0x40);
  EXPECT_EQ(actual.SectionCount(), 3);
  EXPECT_TRUE(actual.CompleteFlag());
  ASSERT_EQ(actual.RPages.size(), 6u);
  // Stored per section as 0,1 / 0 / 0,1,2; handed out as one run.
  for (int m = 0; m < 6; ++m) EXPECT_EQ(PacketContinuity(actual.RPages[m]), m);
  const TRPageInfo& other = *infos[1];
  EXPECT_EQ(other.TableIdent.PID, 0xFFFF);
  EXPECT_EQ(other.TableIdent.TableID, 0x41);
  EXPECT_EQ(other.SectionCount(), 0);
  EXPECT_FALSE(other.CompleteFlag());
  EXPECT_TRUE(other.RPages.empty());
}

TEST_F(SITableTest, StreamOfATableBuiltBySections) {
  TCheckTable& t = nit.Table(0);
  t.SetTableIdent({0x0010, 0x40, 0, 0x1234});
  auto sections = MakeSections({28, 28, 28});
  for (int j = 0; j < 3; ++j) t.SetSection(j, std::move(sections[j]));
  TMemoryStream stream;
  nit.SaveToStream(&stream);
  nit.SaveToStream(nullptr);
  EXPECT_BYTES_EQ(HexToBytes("02 00 00 00"
                             "10 00 40 00 34 12 01 03 00 00 00 03 00 00 00 01 01 01 00 00 00 00"
                             "FF FF 41 00 FF FF 00 00 00 00 00 00 00 00 00 00 00 00 00"),
                  stream.Data());
  // Records without packets leave both tables empty.
  Fill(nit, 1, {28});
  stream.Seek(0);
  nit.LoadFromStream(&stream);
  EXPECT_EQ(nit.Table(0).Sections(), 0);
  EXPECT_EQ(nit.Table(1).Sections(), 0);
}

TEST_F(SITableTest, StreamRoundTripRebuildsTheSections) {
  TRPages pages = Fill(nit, 0, {300, 700});
  std::vector<Bytes> expected = nit.Table(0).parsed;
  TMemoryStream stream;
  nit.SaveToStream(&stream);
  stream.Seek(0);
  TTestContainer loaded;
  loaded.LoadFromStream(&stream);
  EXPECT_EQ(stream.Remaining(), 0u);
  ASSERT_EQ(loaded.Table(0).Sections(), 2);
  EXPECT_BYTES_EQ(expected[0], loaded.Table(0).parsed[0]);
  EXPECT_BYTES_EQ(expected[1], loaded.Table(0).parsed[1]);
  EXPECT_EQ(loaded.received[0].RPages, pages);
  EXPECT_EQ(loaded.Table(1).Sections(), 0);
}

TEST_F(SITableTest, TableWithoutARecordKeepsItsContent) {
  Fill(nit, 0, {300});
  TMemoryStream stream;
  stream.WriteI32(1);
  TRPageInfo other;
  other.TableIdent = {0x0010, 0x41, 0, kAnyAddID};
  other.RPages = TablePackets(MakeSections({28}, 0x41));
  other.SaveToStream(&stream);
  stream.Seek(0);
  nit.LoadFromStream(&stream);
  EXPECT_EQ(nit.Table(0).Sections(), 1);
  EXPECT_EQ(nit.Table(1).Sections(), 1);
}

TEST_F(SITableTest, DamagedStreamsAreRefusedBeforeAnyTableChanges) {
  TMemoryStream good;
  nit.SaveToStream(&good);  // two empty records
  Bytes oneRecord(good.Data().begin() + 4, good.Data().begin() + 4 + 19);
  auto withCount = [&](const char* count) {
    Bytes b = HexToBytes(count);
    b.insert(b.end(), oneRecord.begin(), oneRecord.end());
    return b;
  };
  Bytes pageMissing = withCount("01 00 00 00");
  pageMissing[pageMissing.size() - 4] = 0x01;  // the record claims one page
  const std::pair<const char*, Bytes> cases[] = {
      {"negative count", withCount("FF FF FF FF")},
      {"count beyond the data", withCount("FF FF FF 7F")},
      {"second record missing", withCount("02 00 00 00")},
      {"record cut short", pageMissing},
      {"count cut short", HexToBytes("02 00")},
  };
  Fill(nit, 0, {300});
  for (const auto& [name, bytes] : cases) {
    TMemoryStream stream(bytes);
    EXPECT_THROW(nit.LoadFromStream(&stream), StreamError) << name;
    EXPECT_TRUE(nit.received.empty()) << name;
    EXPECT_EQ(nit.Table(0).Sections(), 1) << name;
  }
  nit.LoadFromStream(nullptr);
  EXPECT_TRUE(nit.received.empty());
}

TEST_F(SITableTest, SaveToFileLayout) {
  TRPages pages = Fill(nit, 0, {500});
  ASSERT_EQ(pages.size(), 3u);
  auto path = dir / "table.ini";
  nit.SaveToFile(path);
  EXPECT_EQ(test::ReadTextFile(path), "[STAMP]\nType=B\n[RPAGES PID 0010 - TID 40]\nFD=" + PageHex(pages[0]) +
                                "\nFE=" + PageHex(pages[1]) + "\nFF=" + PageHex(pages[2]) + "\n");
}

TEST_F(SITableTest, SecondSaveRewritesOnlyItsKeys) {
  TRPages three = Fill(nit, 0, {500});
  auto path = dir / "table.ini";
  nit.SaveToFile(path);
  TTestContainer second;
  TRPages one = Fill(second, 0, {28});
  second.SaveToFile(path);
  IniFile ini(path);
  EXPECT_EQ(ini.ReadSectionKeys("RPAGES PID 0010 - TID 40"), (std::vector<std::string>{"FD", "FE", "FF"}));

  TTestContainer loaded;
  loaded.LoadFromFile(path);
  ASSERT_EQ(loaded.received.size(), 1u);
  EXPECT_EQ(loaded.received[0].RPages, (TRPages{three[0], three[1], one[0]}));
}

TEST_F(SITableTest, NothingToSave) {
  auto path = dir / "none.ini";
  nit.SaveToFile(path);  // no table has packets
  EXPECT_FALSE(std::filesystem::exists(path));
  Fill(nit, 0, {28});
  nit.SaveToFile("");
  nit.LoadFromFile("");
  EXPECT_TRUE(nit.received.empty());
  EXPECT_EQ(nit.Table(0).Sections(), 1);
}

TEST_F(SITableTest, TooManyPacketsForATableFile) {
  nit.Table(0).SetMaxSecRP(6);
  Fill(nit, 0, std::vector<size_t>(129, 300));  // 258 packets
  auto path = dir / "big.ini";
  try {
    nit.SaveToFile(path);
    FAIL() << "no error";
  } catch (const StreamError& e) {
    EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SITableTest, MalformedValuesDropThePage) {
  RawString page = TablePackets(MakeSections({28}))[0];
  auto path = dir / "odd.ini";
  test::WriteTextFile(path, "[STAMP]\nType=B\n[RPAGES PID 0010 - TID 40]\nFC=47 4\nFD=" + PageHex(page) +
                      "\nFE=47 XY\nFF=\n");
  nit.LoadFromFile(path);
  ASSERT_EQ(nit.received.size(), 1u);
  EXPECT_EQ(nit.received[0].RPages, TRPages{page});
  EXPECT_EQ(nit.Table(0).Sections(), 1);
}

TEST_F(SITableTest, LowerCaseDigitsAndMissingSpacesAreRead) {
  RawString page = TablePackets(MakeSections({28}))[0];
  std::string hex;
  for (char c : page) hex += Format("%02x", static_cast<uint8_t>(c));
  auto path = dir / "lower.ini";
  test::WriteTextFile(path, "[stamp]\ntype=B\n[rpages pid 0010 - tid 40]\nff=" + hex + "\n");
  nit.LoadFromFile(path);
  ASSERT_EQ(nit.received.size(), 1u);
  EXPECT_EQ(nit.received[0].RPages, TRPages{page});
}

TEST_F(SITableTest, FileWithoutStampLoadsNothing) {
  RawString page = TablePackets(MakeSections({28}))[0];
  for (const char* stamp : {"", "[STAMP]\nType=A\n"}) {
    auto path = dir / "nostamp.ini";
    test::WriteTextFile(path, std::string(stamp) + "[RPAGES PID 0010 - TID 40]\nFF=" + PageHex(page) + "\n");
    nit.LoadFromFile(path);
    EXPECT_TRUE(nit.received.empty()) << stamp;
  }
  nit.LoadFromFile(dir / "missing.ini");
  EXPECT_TRUE(nit.received.empty());
}

// An SDT section start on PID 0x0011 for transport stream `tsid`.
RawString SdtStart(uint16_t tsid, uint8_t tableId) {
  return MakePacket(0x0011, true, 0,
                    {0x00, tableId, 0xF0, 0x20, static_cast<uint8_t>(tsid >> 8), static_cast<uint8_t>(tsid), 0xC1});
}

RawString Continuation(uint16_t pid, uint8_t mark) { return MakePacket(pid, false, 1, {mark}); }

struct KindCase {
  const char* name;
  TSITableType kind;
  std::vector<std::tuple<uint16_t, uint8_t, uint16_t, size_t>> records;  // PID, table_id, AddID, pages
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

class TableFileKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(TableFileKindTest, LoadsTheKindsIdentities) {
  test::TempDir dir;
  auto path = dir / "all.ini";
  auto line = [](const char* key, const RawString& page) { return std::string(key) + "=" + PageHex(page) + "\n"; };
  test::WriteTextFile(path, "[STAMP]\nType=B\n"
                  "[PMT_PIDS]\nCount=2\n1=0100_0001\n2=0200_000A\n3=0300_0003\n"
                  "[RPAGES PID 0010 - TID 40]\n" + line("FF", Continuation(0x10, 1)) +
                  "[RPAGES PID 0010 - TID 41]\n" + line("FF", Continuation(0x10, 2)) +
                  "[RPAGES PID 0011 - TID 42]\n" + line("FE", Continuation(0x11, 3)) + line("FF", SdtStart(7, 0x42)) +
                  "[RPAGES PID 0011 - TID 46]\n" + line("FB", Continuation(0x11, 4)) + line("FC", SdtStart(1, 0x46)) +
                  line("FD", Continuation(0x11, 5)) + line("FE", SdtStart(1, 0x46)) + line("FF", SdtStart(2, 0x46)) +
                  "[RPAGES PID 0000 - TID 00]\n" + line("FF", Continuation(0x00, 6)) +
                  "[RPAGES PID 0100 - TID 02 - PNR 0001]\n" + line("FF", Continuation(0x100, 7)) +
                  "[RPAGES PID 0200 - TID 02 - PNR 000A]\n" + line("FF", Continuation(0x200, 8)) +
                  "[RPAGES PID 0300 - TID 02 - PNR 0003]\n" + line("FF", Continuation(0x300, 9)));
  const KindCase& c = GetParam();
  TTestContainer container(c.kind, {});
  container.LoadFromFile(path);
  ASSERT_EQ(container.received.size(), c.records.size());
  for (size_t i = 0; i < c.records.size(); ++i) {
    auto [pid, tid, addId, pages] = c.records[i];
    const TRPageInfo& r = container.received[i];
    EXPECT_EQ(r.TableIdent.PID, pid) << i;
    EXPECT_EQ(r.TableIdent.TableID, tid) << i;
    EXPECT_EQ(r.TableIdent.AddID, addId) << i;
    EXPECT_EQ(r.RPages.size(), pages) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TableFileKindTest,
    ::testing::ValuesIn(std::vector<KindCase>{
        {"Unknown", TSITableType::sittUnknown,
         {{0x10, 0x40, 0xFFFF, 1}, {0x10, 0x41, 0xFFFF, 1}, {0x11, 0x42, 7, 2}, {0x11, 0x46, 1, 3},
          {0x11, 0x46, 2, 1}, {0x00, 0x00, 0xFFFF, 1}, {0x100, 0x02, 1, 1}, {0x200, 0x02, 0x0A, 1}}},
        {"NIT", TSITableType::sittNIT, {{0x10, 0x40, 0xFFFF, 1}, {0x10, 0x41, 0xFFFF, 1}}},
        {"SDT", TSITableType::sittSDT, {{0x11, 0x42, 7, 2}, {0x11, 0x46, 1, 3}, {0x11, 0x46, 2, 1}}},
        {"PAT", TSITableType::sittPAT, {{0x00, 0x00, 0xFFFF, 1}}},
        {"PMT", TSITableType::sittPMT, {{0x100, 0x02, 1, 1}, {0x200, 0x02, 0x0A, 1}}},
        {"EIT", TSITableType::sittEIT, {}},
    }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SITableTest, HugePmtCountCostsNothing) {
  auto path = dir / "pmt.ini";
  test::WriteTextFile(path, "[STAMP]\nType=B\n[PMT_PIDS]\nCount=2147483647\n01=0400_0004\n2=zz_0001\n5=0100_0001\n"
                  "[RPAGES PID 0100 - TID 02 - PNR 0001]\nFF=47\n");
  TTestContainer pmt(TSITableType::sittPMT, {});
  auto start = std::chrono::steady_clock::now();
  pmt.LoadFromFile(path);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  ASSERT_EQ(pmt.received.size(), 1u);
  EXPECT_EQ(pmt.received[0].TableIdent.PID, 0x0100);
}

TEST_F(SITableTest, ProgramMapTablesAreListed) {
  TTestContainer pmt(TSITableType::sittPMT, {0x02});
  TRPages pages = TablePackets(MakeSections({28}, 0x02, 0x0001), 0x0100);
  ASSERT_TRUE(pmt.Table(0).AddRPages(pages, 0x0001));
  auto path = dir / "pmt.ini";
  pmt.SaveToFile(path);
  pmt.SaveToFile(path);
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("PMT_PIDS", "Count", ""), "2");
  EXPECT_EQ(ini.ReadString("PMT_PIDS", "1", ""), "0100_0001");
  EXPECT_EQ(ini.ReadString("PMT_PIDS", "2", ""), "0100_0001");
  EXPECT_EQ(ini.ReadSectionKeys("RPAGES PID 0100 - TID 02 - PNR 0001"), std::vector<std::string>{"FF"});

  TTestContainer loaded(TSITableType::sittPMT, {0x02});
  loaded.LoadFromFile(path);
  ASSERT_EQ(loaded.received.size(), 2u);  // one per entry
  ASSERT_EQ(loaded.Table(0).Sections(), 1);
  EXPECT_EQ(loaded.Table(0).parsed, pmt.Table(0).parsed);
}

TEST(TableFileSectionNameTest, Names) {
  const std::pair<TTableIdent, const char*> cases[] = {
      {{0x0010, 0x40, 0, 0xFFFF}, "RPAGES PID 0010 - TID 40"},
      {{0x1ABC, 0xCD, 0, 0x0001}, "RPAGES PID 1ABC - TID CD"},
      {{0x0100, 0x02, 0, 0x001A}, "RPAGES PID 0100 - TID 02 - PNR 001A"},
      {{0x0000, 0x02, 0, 0x0005}, "RPAGES PID 0000 - TID 02 - TSID 0005"},
      {{0x0011, 0x02, 0, 0xBEEF}, "RPAGES PID 0011 - TID 02 - TSID BEEF"},
      {{0x0010, 0x02, 0, 0x0001}, "RPAGES PID 0010 - TID 02 - NID 0001"},
  };
  for (const auto& [ident, name] : cases) EXPECT_EQ(TableFileSectionName(ident), name);
}

}  // namespace
}  // namespace quillon
