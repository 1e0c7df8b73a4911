#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/basic_table.h"
#include "platform/dialogs.h"
#include "support/core_fixtures.h"
#include "support/test_util.h"

namespace quillon {
namespace {

using test::MakePacket;
using test::MakeSection;
using test::SectionProper;
using test::TCheckTable;
using test::TRawSection;

constexpr char kShortSlotMessage[] = "TBasicTable.GetSectionData: Length(Page) <> RPAGE_LEN";

std::vector<std::unique_ptr<TRawSection>> Sections(const std::vector<size_t>& sizes) {
  return test::MakeSections(sizes);
}

std::vector<Bytes> ProperBytes(const std::vector<std::unique_ptr<TRawSection>>& sections) {
  std::vector<Bytes> out;
  for (const auto& s : sections) out.push_back(SectionProper(*s));
  return out;
}

class BasicTableTest : public ::testing::Test {
 protected:
  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
  TCheckTable table;
};

TEST_F(BasicTableTest, CreateAndReset) {
  EXPECT_EQ(table.TableIdent().TableID, 0x40);
  EXPECT_EQ(table.TableIdent().PID, 0xFFFF);
  EXPECT_EQ(table.TableIdent().AddID, 0xFFFF);
  EXPECT_EQ(table.MaxSecRP(), 6);
  EXPECT_EQ(table.Sections(), 0);
  ASSERT_TRUE(table.AddRPages(test::TablePackets(Sections({300})), 0x1234));
  EXPECT_EQ(table.TableIdent().PID, 0x0010);
  EXPECT_EQ(table.TableIdent().AddID, 0x1234);
  table.Reset();
  EXPECT_EQ(table.TableIdent().PID, 0xFFFF);
  EXPECT_EQ(table.TableIdent().AddID, 0xFFFF);
  EXPECT_EQ(table.TableIdent().TableID, 0x40);
  EXPECT_EQ(table.Sections(), 0);
  EXPECT_TRUE(table.GetRPage(0, 0).empty());
  Bytes data;
  table.GetSectionData(0, data);
  EXPECT_TRUE(data.empty());
}

TEST(BasicTableTableIdTest, BaseConstructorSetsTableIdZero) {
  struct Bare : TBasicTable {
    int ParseSections() override { return 0; }
  } bare;
  EXPECT_EQ(bare.TableIdent().TableID, 0);
}

struct RoundTripCase {
  const char* name;
  std::vector<size_t> sizes;  // SectionData lengths
  uint16_t pid;
  int maxSecRP;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class RoundTripTest : public BasicTableTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(RoundTripTest, PacketsRebuildTheSameSections) {
  const RoundTripCase& c = GetParam();
  auto sections = Sections(c.sizes);
  std::vector<Bytes> expected = ProperBytes(sections);
  table.SetMaxSecRP(c.maxSecRP);
  ASSERT_TRUE(table.AddRPages(test::TablePackets(std::move(sections), c.pid), kAnyAddID));
  ASSERT_EQ(table.Sections(), static_cast<int>(c.sizes.size()));
  ASSERT_EQ(table.parsed.size(), expected.size());
  for (size_t j = 0; j < expected.size(); ++j) {
    EXPECT_BYTES_EQ(expected[j], table.parsed[j]) << "section " << j;
    uint32_t crc = static_cast<uint32_t>(expected[j][expected[j].size() - 4]) << 24 |
                   static_cast<uint32_t>(expected[j][expected[j].size() - 3]) << 16 |
                   static_cast<uint32_t>(expected[j][expected[j].size() - 2]) << 8 | expected[j].back();
    EXPECT_EQ(table.StoredCRC(static_cast<int>(j)), crc);
    EXPECT_EQ(table.ComputedCRC(static_cast<int>(j)), crc);
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, RoundTripTest,
    ::testing::ValuesIn(std::vector<RoundTripCase>{
        {"Smallest", {13}, 0x0010, 6},
        {"OneFullPacket", {184}, 0x0010, 6},
        {"OneByteMore", {185}, 0x0010, 6},
        {"LongestOnNitPid", {1025}, 0x0010, 6},
        {"ThreeSections", {300, 28, 1000}, 0x0010, 6},
        {"SixFullSlots", {1104}, 0x0012, 6},
        {"SecondCounterRun", {4097}, 0x0012, 24},
        {"ManySections", std::vector<size_t>(40, 200), 0x0010, 6},
    }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BasicTableTest, SectionBeyondTheSlotsIsRefused) {
  // 1105 bytes need a seventh packet.
  TRPages pages = test::TablePackets(Sections({1105}), 0x0012);
  ASSERT_EQ(pages.size(), 7u);
  EXPECT_FALSE(table.AddRPages(pages, kAnyAddID));
  EXPECT_EQ(table.Sections(), 0);
  table.SetMaxSecRP(7);
  EXPECT_TRUE(table.AddRPages(pages, kAnyAddID));
}

TEST_F(BasicTableTest, ContinuationsInReverseOrderAreSortedBack) {
  auto sections = Sections({700});
  Bytes expected = SectionProper(*sections[0]);
  TRPages pages = test::TablePackets(std::move(sections));
  ASSERT_EQ(pages.size(), 4u);
  std::reverse(pages.begin() + 1, pages.end());
  ASSERT_TRUE(table.AddRPages(pages, kAnyAddID));
  EXPECT_BYTES_EQ(expected, table.parsed[0]);
  // Stored copies carry their slot's counter.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(PacketContinuity(table.GetRPage(0, i)), i);
}

TEST_F(BasicTableTest, CountersNeedNotStartAtZero) {
  auto sections = Sections({400, 28});
  std::vector<Bytes> expected = ProperBytes(sections);
  TRPages pages = test::TablePackets(std::move(sections));
  for (size_t m = 0; m < pages.size(); ++m) pages[m][3] = static_cast<char>(0x10 | ((m + 14) & 0x0F));
  ASSERT_TRUE(table.AddRPages(pages, kAnyAddID));
  EXPECT_BYTES_EQ(expected[0], table.parsed[0]);
  EXPECT_BYTES_EQ(expected[1], table.parsed[1]);
}

TEST_F(BasicTableTest, ContinuationBeforeItsFirstPacket) {
  // A lone section: its continuation lands in section 0, which it belongs to.
  auto one = Sections({300});
  Bytes expected = SectionProper(*one[0]);
  TRPages pages = test::TablePackets(std::move(one));
  std::swap(pages[0], pages[1]);
  ASSERT_TRUE(table.AddRPages(pages, kAnyAddID));
  EXPECT_BYTES_EQ(expected, table.parsed[0]);

  // Section 1's continuation arriving while section 0 is being filled lands there.
  table.Reset();
  TRPages two = test::TablePackets(Sections({28, 300}));
  ASSERT_EQ(two.size(), 3u);
  EXPECT_EQ(table.AddPage(two[0]), 0);
  EXPECT_EQ(table.AddPage(two[2]), -1);
  EXPECT_EQ(table.AddPage(two[1]), 1);
  EXPECT_EQ(PacketContinuity(table.GetRPage(0, 2)), 2);
  EXPECT_FALSE(table.GetRPage(1, 0).empty());
  EXPECT_TRUE(table.GetRPage(1, 1).empty());
}

TEST_F(BasicTableTest, SectionLengthLimit) {
  auto start = [](uint16_t pid, int length) {
    return MakePacket(pid, true, 0,
                      {0x00, 0x40, static_cast<uint8_t>(0xB0 | (length >> 8)), static_cast<uint8_t>(length), 0x00,
                       0x01, 0xC1, 0x00, 0x00});
  };
  EXPECT_EQ(table.AddPage(start(0x0010, 1022)), -2);
  EXPECT_FALSE(table.AddRPages({start(0x0010, 1022)}, kAnyAddID));
  EXPECT_EQ(table.AddPage(start(0x0010, 1021)), 0);
  table.Reset();
  EXPECT_EQ(table.AddPage(start(0x0012, 4093)), 0);
  // A section start whose last_section_number is cut off by the packet end is refused.
  table.Reset();
  EXPECT_EQ(table.AddPage(MakePacket(0x0010, true, 0, {176})), -2);
}

TEST_F(BasicTableTest, RefusedPages) {
  EXPECT_EQ(table.AddPage(RawString(187, '\x47')), -2);
  EXPECT_EQ(table.AddPage(""), -2);
  EXPECT_FALSE(table.AddRPages({}, kAnyAddID));
  // More than one run of 16 counters beyond the slots.
  TRPages pages = test::TablePackets(Sections({300}));
  EXPECT_EQ(table.AddPage(pages[0]), 0);
  EXPECT_EQ(table.AddPage(pages[1]), -1);
  EXPECT_EQ(table.AddPage(pages[1]), -2);  // slot 1 taken, slot 17 beyond 6
  table.SetMaxSecRP(24);
  EXPECT_EQ(table.AddPage(pages[0]), 0);
  EXPECT_EQ(table.AddPage(pages[1]), -1);
  EXPECT_EQ(table.AddPage(pages[1]), -1);  // slot 17
  EXPECT_EQ(table.AddPage(pages[1]), -2);  // never overwrites slot 17
}

// Continuation packets alone, even ones that fill section 0's first slot, are no table:
// the parse must not get to take the table's PID from them.
TEST_F(BasicTableTest, PacketsThatOpenNoSectionAreNoTable) {
  TRPages pages = test::TablePackets(Sections({700}));
  pages.erase(pages.begin());
  ASSERT_FALSE(pages.empty());
  EXPECT_FALSE(table.AddRPages(pages, kAnyAddID));
  EXPECT_EQ(table.Sections(), 0);
  EXPECT_EQ(table.TableIdent().PID, kAnyPID);
  EXPECT_TRUE(table.GetRPage(0, 0).empty());

  RawString stray(RPAGE_LEN, '\xE0');  // no sync byte, "PID" 0x00E0
  EXPECT_FALSE(table.AddRPages({stray}, kAnyAddID));
  EXPECT_EQ(table.TableIdent().PID, kAnyPID);
  EXPECT_TRUE(table.GetRPage(0, 0).empty());
}

// Sections must agree on the last section number and none may lie beyond it. Otherwise
// the table kept the sections up to whichever packet came last, while its saved packets
// (section by section) read back as another, incomplete table: loaded once, lost on the
// next load.
TEST_F(BasicTableTest, SectionsDisagreeingOnTheLastAreNoTable) {
  using Numbers = std::vector<std::pair<uint8_t, uint8_t>>;  // section, last section
  for (const Numbers& numbers : {Numbers{{0, 1}, {1, 1}, {2, 1}}, Numbers{{1, 5}, {0, 1}}, Numbers{{0, 2}, {1, 1}}}) {
    std::vector<std::unique_ptr<TRawSection>> sections;
    for (auto [nr, last] : numbers) sections.push_back(test::MakeSection(300, nr, last));
    EXPECT_FALSE(table.AddRPages(test::TablePackets(std::move(sections)), kAnyAddID)) << numbers.size();
    EXPECT_EQ(table.Sections(), 0);
    EXPECT_TRUE(table.GetRPage(0, 0).empty());
  }
  std::vector<std::unique_ptr<TRawSection>> agreeing;
  agreeing.push_back(test::MakeSection(300, 1, 1));
  agreeing.push_back(test::MakeSection(300, 0, 1));
  EXPECT_TRUE(table.AddRPages(test::TablePackets(std::move(agreeing)), kAnyAddID));
  EXPECT_EQ(table.Sections(), 2);
}

TEST_F(BasicTableTest, SetMaxSecRP) {
  const std::pair<int, int> cases[] = {{5, 6}, {25, 6}, {24, 24}, {6, 6}, {0, 6}, {-3, 6}, {12, 12}};
  for (auto [n, expected] : cases) {
    table.SetMaxSecRP(n);
    EXPECT_EQ(table.MaxSecRP(), expected) << n;
  }
}

TEST_F(BasicTableTest, MissingPacketShowsTheMessage) {
  TRPages pages = test::TablePackets(Sections({300}));
  ASSERT_EQ(table.AddPage(pages[0]), 0);
  Bytes data;
  table.GetSectionData(0, data);
  EXPECT_TRUE(data.empty());
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kShortSlotMessage});
  EXPECT_EQ(table.StoredCRC(0), 0u);
  EXPECT_EQ(table.ComputedCRC(0), 0u);
  dialogs.Clear();
  EXPECT_FALSE(table.AddRPages({pages[0]}, kAnyAddID));
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(BasicTableTest, AllSlotsUsedStopsWithoutData) {
  // A first packet that claims 4093 bytes while six full slots hold far fewer.
  table.SetMaxSecRP(6);
  TRPages pages = test::TablePackets(Sections({1104}), 0x0012);
  pages[0][6] = static_cast<char>(0xBF);  // section_length 0xFFD
  pages[0][7] = static_cast<char>(0xFD);
  for (const RawString& p : pages) ASSERT_GE(table.AddPage(p), -1);
  Bytes data;
  table.GetSectionData(0, data);
  EXPECT_TRUE(data.empty());
  EXPECT_TRUE(dialogs.shown.empty());
}

// Section 0 of 200 bytes and section 1 of 50: the first packet has an adaptation field,
// the second finishes section 0 after its pointer_field and then starts section 1.
struct SharedPacket {
  Bytes a, b;
  RawString p0, p1;
};

SharedPacket MakeSharedPacket() {
  SharedPacket s;
  s.a = SectionProper(*MakeSection(201, 0, 1));
  s.b = SectionProper(*MakeSection(51, 1, 1));
  const size_t first = 188 - 4 - 10 - 1;  // after a 10-byte adaptation field and the pointer
  Bytes payload0 = {0x00};
  payload0.insert(payload0.end(), s.a.begin(), s.a.begin() + first);
  s.p0 = MakePacket(0x0010, true, 0, payload0, 9);
  Bytes payload1 = {static_cast<uint8_t>(s.a.size() - first)};
  payload1.insert(payload1.end(), s.a.begin() + first, s.a.end());
  payload1.insert(payload1.end(), s.b.begin(), s.b.end());
  s.p1 = MakePacket(0x0010, true, 1, payload1);
  return s;
}

TEST_F(BasicTableTest, PacketEndingOneSectionAndStartingTheNext) {
  SharedPacket s = MakeSharedPacket();
  ASSERT_TRUE(table.AddRPages({s.p0, s.p1}, kAnyAddID));
  ASSERT_EQ(table.parsed.size(), 2u);
  EXPECT_BYTES_EQ(s.a, table.parsed[0]);
  EXPECT_BYTES_EQ(s.b, table.parsed[1]);
  // Section 0 runs out of slots and takes its tail from section 1's first packet.
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kShortSlotMessage});
}

TEST_F(BasicTableTest, SharedPacketStoredAsContinuation) {
  // Section 1 already has its first packet, so the repeated one continues section 0.
  SharedPacket s = MakeSharedPacket();
  ASSERT_TRUE(table.AddRPages({s.p1, s.p0, s.p1}, kAnyAddID));
  EXPECT_BYTES_EQ(s.a, table.parsed[0]);
  EXPECT_BYTES_EQ(s.b, table.parsed[1]);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BasicTableTest, ContinuationWithAdaptationField) {
  Bytes a = SectionProper(*MakeSection(401, 0, 0));
  Bytes payload0 = {0x00};
  payload0.insert(payload0.end(), a.begin(), a.begin() + 183);
  Bytes payload1(a.begin() + 183, a.begin() + 183 + 163);  // after a 21-byte adaptation field
  Bytes payload2(a.begin() + 183 + 163, a.end());
  TRPages pages = {MakePacket(0x0010, true, 5, payload0), MakePacket(0x0010, false, 6, payload1, 20),
                   MakePacket(0x0010, false, 8, payload2), MakePacket(0x0010, false, 7, {}, 183)};
  pages[3][3] = static_cast<char>(0x27);  // adaptation field only: no payload at all
  ASSERT_TRUE(table.AddRPages(pages, kAnyAddID));
  EXPECT_BYTES_EQ(a, table.parsed[0]);
}

TEST_F(BasicTableTest, CrcErrorEmptiesTheTable) {
  TRPages pages = test::TablePackets(Sections({300}));
  pages[1][10] = static_cast<char>(pages[1][10] ^ 0x01);
  for (const RawString& p : pages) table.AddPage(p);
  EXPECT_NE(table.StoredCRC(0), table.ComputedCRC(0));
  EXPECT_FALSE(table.AddRPages(pages, kAnyAddID));
  EXPECT_EQ(table.Sections(), 0);
  EXPECT_TRUE(table.GetRPage(0, 0).empty());
}

TEST_F(BasicTableTest, AccessorsOutsideTheirRange) {
  TRPages pages = test::TablePackets(Sections({300}));
  ASSERT_TRUE(table.AddRPages(pages, kAnyAddID));
  EXPECT_FALSE(table.GetRPage(0, 1).empty());
  const std::pair<int, int> outside[] = {{-1, 0}, {256, 0}, {0, -1}, {0, 6}, {0, 1000}};
  for (auto [sec, page] : outside)
    EXPECT_TRUE(table.GetRPage(sec, page).empty()) << sec << "/" << page;
  for (int idx : {-1, 256, 1, 255}) EXPECT_EQ(table.GetSection(idx), nullptr) << idx;
  for (int sec : {-1, 256, 5}) {
    Bytes data{1};
    table.GetSectionData(sec, data);
    EXPECT_TRUE(data.empty()) << sec;
    EXPECT_EQ(table.StoredCRC(sec), 0u) << sec;
    EXPECT_EQ(table.ComputedCRC(sec), 0u) << sec;
  }
  table.SetSection(256, MakeSection(28, 0, 0));
  table.SetSection(-1, MakeSection(28, 0, 0));
  EXPECT_EQ(table.Sections(), 1);
  auto s = MakeSection(28, 0, 0);
  TBasicSection* raw = s.get();
  table.SetSection(255, std::move(s));
  EXPECT_EQ(table.Sections(), 256);
  EXPECT_EQ(table.GetSection(255), raw);
}

// Whatever arrives, nothing reads outside a packet and every call returns.
TEST_F(BasicTableTest, GarbagePacketsNeverCrash) {
  std::mt19937 rng(77);
  TRPages good = test::TablePackets(Sections({700, 300, 28}));
  for (int round = 0; round < 3000; ++round) {
    TRPages pages;
    size_t n = 1 + rng() % 12;
    for (size_t k = 0; k < n; ++k) {
      RawString p = good[rng() % good.size()];
      int flips = static_cast<int>(rng() % 6);
      if (rng() % 4 == 0) {
        for (char& c : p) c = static_cast<char>(rng());
        p[0] = 0x47;
      }
      for (int f = 0; f < flips; ++f) p[rng() % p.size()] = static_cast<char>(rng());
      pages.push_back(p);
    }
    dialogs.Clear();
    table.SetMaxSecRP(rng() % 2 ? 6 : 24);
    table.AddRPages(pages, rng() % 2 ? kAnyAddID : static_cast<uint16_t>(rng() % 3));
    // And the store as the packets leave it, reassembled section by section.
    table.Reset();
    for (const RawString& p : pages) table.AddPage(p);
    for (int s = 0; s < 256; ++s) {
      Bytes data;
      table.GetSectionData(s, data);
      table.StoredCRC(s);
    }
  }
  SUCCEED();
}

}  // namespace
}  // namespace quillon
