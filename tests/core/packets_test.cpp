#include <gtest/gtest.h>

#include <random>

#include "core/rpages.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "support/core_fixtures.h"
#include "support/test_util.h"

namespace quillon {
namespace {

using test::HexToBytes;
using test::MakePacket;
using test::MakeSection;

// ---------------------------------------------------------------- packet readings

// A section-start packet on PID 0x0010 whose first section header (table_id 0x40,
// section_length 0x123, section 2 of 5) follows `pointer` bytes of an earlier section.
RawString StartPacket(int pointer, int adaptationLength = -1, uint16_t pid = 0x0010) {
  Bytes payload(1 + static_cast<size_t>(pointer), 0xAA);
  payload[0] = static_cast<uint8_t>(pointer);
  Bytes header = HexToBytes("40 B1 23 00 01 C1 02 05");
  payload.insert(payload.end(), header.begin(), header.end());
  payload.resize(std::min<size_t>(payload.size(), kPacketPayload));  // the packet end may cut the header
  return MakePacket(pid, true, 3, payload, adaptationLength);
}

TEST(PacketReadingsTest, WrongSizeGivesNone) {
  for (size_t size : {size_t{0}, size_t{4}, size_t{187}, size_t{189}}) {
    RawString page = StartPacket(0);
    page.resize(size, '\xFF');
    EXPECT_FALSE(IsSectionStart(page, kAnyPID)) << size;
    EXPECT_EQ(AdaptationSize(page), kNone) << size;
    EXPECT_EQ(PointerField(page), kNone) << size;
    EXPECT_EQ(SectionHeaderOffset(page, kAnyAddID), kNone) << size;
    EXPECT_EQ(PacketSectionNumber(page, kAnyAddID), kNone) << size;
    EXPECT_EQ(PacketLastSectionNumber(page, kAnyAddID), kNone) << size;
    EXPECT_EQ(PacketSectionLength(page, kAnyAddID), kNone) << size;
    EXPECT_EQ(PacketContinuity(page), kNone) << size;
  }
}

TEST(PacketReadingsTest, IsSectionStart) {
  RawString start = StartPacket(0);
  EXPECT_TRUE(IsSectionStart(start, kAnyPID));
  EXPECT_TRUE(IsSectionStart(start, 0x0010));
  EXPECT_FALSE(IsSectionStart(start, 0x0011));
  RawString noSync = start;
  noSync[0] = 0x48;
  EXPECT_FALSE(IsSectionStart(noSync, kAnyPID));
  EXPECT_FALSE(IsSectionStart(MakePacket(0x0010, false, 0, {}), kAnyPID));
  // The priority and error bits are not part of the PID.
  RawString flagged = start;
  flagged[1] = static_cast<char>(0xE0);
  EXPECT_TRUE(IsSectionStart(flagged, 0x0010));
}

TEST(PacketReadingsTest, AdaptationAndPointer) {
  struct Case {
    const char* name;
    RawString page;
    int adaptation, pointer, headerOffset;
  };
  RawString adaptationOnly = StartPacket(0, 20);
  adaptationOnly[3] = static_cast<char>(0x23);  // adaptation field only
  RawString reserved = StartPacket(4);
  reserved[3] = static_cast<char>(0x03);  // adaptation_field_control 0
  const Case cases[] = {
      {"payload only", StartPacket(0), 0, 0, 6},
      {"pointer 10", StartPacket(10), 0, 10, 16},
      {"adaptation 9", StartPacket(0, 9), 10, 0, 16},
      {"adaptation and pointer", StartPacket(7, 9), 10, 7, 23},
      {"adaptation only has no pointer", adaptationOnly, 21, 0, 27},
      {"reserved control reads no pointer", reserved, 0, 0, 6},
      {"continuation has no pointer", MakePacket(0x10, false, 0, {0x05}), 0, 0, kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AdaptationSize(c.page), c.adaptation) << c.name;
    EXPECT_EQ(PointerField(c.page), c.pointer) << c.name;
    EXPECT_EQ(SectionHeaderOffset(c.page, kAnyAddID), c.headerOffset) << c.name;
  }
}

TEST(PacketReadingsTest, HeaderOffsetLimits) {
  // The first table_id must lie inside the packet: pointer 182 leaves it at byte 187.
  EXPECT_EQ(SectionHeaderOffset(MakePacket(0x10, true, 0, {182}), kAnyAddID), 188);
  EXPECT_EQ(SectionHeaderOffset(MakePacket(0x10, true, 0, {183}), kAnyAddID), kNone);
  EXPECT_EQ(SectionHeaderOffset(MakePacket(0x10, true, 0, {255}), kAnyAddID), kNone);
  EXPECT_EQ(SectionHeaderOffset(MakePacket(0x10, true, 0, {100}, 82), kAnyAddID), kNone);
  // An adaptation field that fills the packet leaves no pointer_field to read.
  RawString full = MakePacket(0x10, true, 0, {}, 183);
  EXPECT_EQ(PointerField(full), kNone);
  EXPECT_EQ(SectionHeaderOffset(full, kAnyAddID), kNone);
  EXPECT_EQ(PacketSectionNumber(full, kAnyAddID), kNone);
}

TEST(PacketReadingsTest, SectionHeaderFields) {
  RawString page = StartPacket(0);
  EXPECT_EQ(PacketSectionNumber(page, kAnyAddID), 2);
  EXPECT_EQ(PacketLastSectionNumber(page, kAnyAddID), 5);
  EXPECT_EQ(PacketSectionLength(page, kAnyAddID), 0x123);
  EXPECT_EQ(PacketContinuity(page), 3);
  // Near the end the header bytes run out one by one.
  RawString late = StartPacket(176);  // header at 182: section_number at 187
  EXPECT_EQ(PacketSectionLength(late, kAnyAddID), 0x123);
  EXPECT_EQ(PacketSectionNumber(late, kAnyAddID), 2);
  EXPECT_EQ(PacketLastSectionNumber(late, kAnyAddID), kNone);
  RawString later = StartPacket(180);  // header at 186: only section_length fits
  EXPECT_EQ(PacketSectionLength(later, kAnyAddID), 0x123);
  EXPECT_EQ(PacketSectionNumber(later, kAnyAddID), kNone);
}

TEST(PacketReadingsTest, SectionLengthLimitDependsOnPid) {
  struct Case {
    uint16_t pid;
    int length, expected;
  };
  const Case cases[] = {{0x0010, 1021, 1021}, {0x0010, 1022, kNone}, {0x0011, 4093, kNone},
                        {0x0012, 1022, 1022}, {0x0012, 4093, 4093}, {0x0012, 4094, kNone}};
  for (const Case& c : cases) {
    Bytes payload = {0x00, 0x40, static_cast<uint8_t>(0xB0 | (c.length >> 8)), static_cast<uint8_t>(c.length)};
    EXPECT_EQ(PacketSectionLength(MakePacket(c.pid, true, 0, payload), kAnyAddID), c.expected)
        << c.pid << " " << c.length;
  }
}

// Two program map sections in one packet: program 1 (section_length 13), program 2.
RawString TwoPmtPacket() {
  return MakePacket(0x0100, true, 0,
                    HexToBytes("00 02 B0 0D 00 01 C1 00 00 E1 00 F0 00 11 22 33 44"
                               "02 B0 0D 00 02 C1 04 04 E1 00 F0 00 55 66 77 88"));
}

TEST(PacketReadingsTest, ProgramMapSearch) {
  RawString page = TwoPmtPacket();
  EXPECT_EQ(SectionHeaderOffset(page, kAnyAddID), 6);
  EXPECT_EQ(SectionHeaderOffset(page, 0x0001), 6);
  EXPECT_EQ(SectionHeaderOffset(page, 0x0002), 22);
  EXPECT_EQ(PacketSectionNumber(page, 0x0002), 4);
  // Past the second section there is only stuffing.
  EXPECT_EQ(SectionHeaderOffset(page, 0x0003), kNone);
  // Only program map sections are searched.
  RawString nit = StartPacket(0);
  EXPECT_EQ(SectionHeaderOffset(nit, 0x0002), 6);
}

TEST(PacketReadingsTest, ProgramMapSearchEndsInsideThePacket) {
  // Zero-length "sections" whose every third byte is 0x02: the search walks the whole
  // packet three bytes at a time and must stop at its end.
  Bytes payload = {0x00};
  while (payload.size() < 184) {
    payload.push_back(0x02);
    if (payload.size() < 184) payload.push_back(0x00);
    if (payload.size() < 184) payload.push_back(0x00);
  }
  RawString page = MakePacket(0x0100, true, 0, payload);
  EXPECT_EQ(SectionHeaderOffset(page, 0x1234), kNone);
  // A huge section_length jumps straight out.
  RawString jump = MakePacket(0x0100, true, 0, HexToBytes("00 02 BF FF 00 01"));
  EXPECT_EQ(SectionHeaderOffset(jump, 0x0002), kNone);
}

TEST(PacketReadingsTest, RandomPacketsStayInRange) {
  std::mt19937 rng(1234);
  for (int n = 0; n < 20000; ++n) {
    RawString page(RPAGE_LEN, '\0');
    for (char& c : page) c = static_cast<char>(rng() % 4 == 0 ? 0x02 : rng());
    page[0] = 0x47;
    if (n % 2) page[1] = static_cast<char>(page[1] | 0x40);
    uint16_t addId = n % 3 ? static_cast<uint16_t>(rng() % 4) : kAnyAddID;
    int h = SectionHeaderOffset(page, addId);
    EXPECT_TRUE(h == kNone || (h >= 6 && h <= RPAGE_LEN));
    int pf = PointerField(page);
    EXPECT_TRUE(pf >= kNone && pf <= 255);
    int s = PacketSectionNumber(page, addId);
    EXPECT_TRUE(s >= kNone && s <= 255);
    int len = PacketSectionLength(page, addId);
    EXPECT_TRUE(len >= kNone && len <= 4093);
  }
}

// ---------------------------------------------------------------- packetiser

TEST(PacketiserTest, PacketCount) {
  const std::pair<size_t, int> cases[] = {{0, 0}, {1, 1}, {184, 1}, {185, 2}, {368, 2}, {369, 3}};
  for (auto [size, count] : cases) EXPECT_EQ(PacketCount(Bytes(size, 0)), count) << size;
}

TEST(PacketiserTest, PackSectionLayout) {
  Bytes data(200);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i);
  TByteRPages packets;
  PackSection(packets, data, 0x3ABC, PacketCount(data));
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_BYTES_EQ(HexToBytes("47 5A BC 10 00 01 02"), ByteView(packets[0]).first(7));
  EXPECT_BYTES_EQ(HexToBytes("47 1A BC 10 B8 B9"), ByteView(packets[1]).first(6));
  EXPECT_EQ(packets[0][187], 183);
  // 16 bytes of data in the last packet, then stuffing.
  EXPECT_EQ(packets[1][4 + 15], 199);
  EXPECT_BYTES_EQ(Bytes(188 - 20, 0xFF), ByteView(packets[1]).subspan(20));
  // A count below the data's needs truncates instead of overrunning.
  TByteRPages one;
  PackSection(one, data, 0x10, 1);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0][187], 183);
}

RawString TablePacketStream(const std::vector<size_t>& sizes) { return test::TableStream(test::MakeSections(sizes)); }

TEST(PacketiserTest, TwoSectionExample) {
  RawString stream = TablePacketStream({300, 28});
  ASSERT_EQ(stream.size(), 3u * RPAGE_LEN);
  TRPages pages = test::SplitPackets(stream);
  EXPECT_BYTES_EQ(HexToBytes("47 40 10 10 00 40"), AsBytes(pages[0]).first(6));
  EXPECT_BYTES_EQ(HexToBytes("47 00 10 11"), AsBytes(pages[1]).first(4));
  EXPECT_BYTES_EQ(HexToBytes("47 40 10 12 00 40"), AsBytes(pages[2]).first(6));
}

TEST(PacketiserTest, OneFullPacketHasNoStuffing) {
  auto section = MakeSection(184, 0, 0);
  Bytes data = section->SectionData();
  RawString stream = TablePacketStream({184});
  ASSERT_EQ(stream.size(), static_cast<size_t>(RPAGE_LEN));
  EXPECT_BYTES_EQ(data, AsBytes(stream).subspan(4));
}

TEST(PacketiserTest, ContinuityRunsOverTheWholeTable) {
  // 17 one-packet sections and one of two packets: counters wrap after 15.
  std::vector<size_t> sizes(17, 28);
  sizes.push_back(300);
  TRPages pages = test::SplitPackets(TablePacketStream(sizes));
  ASSERT_EQ(pages.size(), 19u);
  for (size_t m = 0; m < pages.size(); ++m) EXPECT_EQ(PacketContinuity(pages[m]), static_cast<int>(m % 16)) << m;
  EXPECT_EQ(static_cast<uint8_t>(pages[16][3]), 0x10);
}

TEST(PacketiserTest, MissingSectionsAreSkipped) {
  test::TCheckTable table;
  table.SetSection(2, MakeSection(28, 2, 2));
  TRPages pages = test::SplitPackets(BuildTablePackets(table));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(PacketContinuity(pages[0]), 0);
}

// ---------------------------------------------------------------- page lists

TEST(PageListTest, AddAndClear) {
  TRPages pages;
  EXPECT_EQ(AddRPage(pages, ""), -1);
  EXPECT_EQ(AddRPage(pages, "ab"), 0);
  EXPECT_EQ(AddRPage(pages, "cd"), 1);
  EXPECT_EQ(pages.size(), 2u);
  ClearRPages(pages);
  EXPECT_TRUE(pages.empty());
}

TEST(PageListTest, AddRPageInfoCopiesTheWholeIdentity) {
  TRPageInfoArr infos;
  EXPECT_EQ(AddRPageInfo({0x0011, 0x46, 0x7E, 0x0203}, infos), 0);
  EXPECT_EQ(AddRPageInfo({}, infos), 1);
  const TTableIdent& id = infos[0]->TableIdent;
  EXPECT_EQ(id.PID, 0x0011);
  EXPECT_EQ(id.TableID, 0x46);
  EXPECT_EQ(id.Pad, 0x7E);
  EXPECT_EQ(id.AddID, 0x0203);
  EXPECT_TRUE(infos[1]->RPages.empty());
}

TEST(PageListTest, RenumberContinuity) {
  TRPages pages;
  for (int i = 0; i < 18; ++i) {
    RawString p = MakePacket(0x10, false, 9, {});
    p[3] = static_cast<char>(0xA0 | (i % 3));
    pages.push_back(p);
  }
  pages.insert(pages.begin() + 5, RawString("\x47\x00", 2));  // too short to carry a counter; still counted
  RenumberContinuity(pages);
  for (size_t m = 0; m < pages.size(); ++m) {
    if (pages[m].size() < 4) continue;
    EXPECT_EQ(static_cast<uint8_t>(pages[m][3]), 0xA0 | (m % 16)) << m;
  }
  EXPECT_EQ(pages[5], RawString("\x47\x00", 2));
}

// ---------------------------------------------------------------- TRPageInfo

TEST(RPageInfoTest, Defaults) {
  TRPageInfo info;
  EXPECT_EQ(info.TableIdent.PID, 0xFFFF);
  EXPECT_EQ(info.TableIdent.TableID, 0xFF);
  EXPECT_EQ(info.TableIdent.AddID, 0xFFFF);
  EXPECT_EQ(info.SectionCount(), 0);
  EXPECT_FALSE(info.Complete());
  EXPECT_FALSE(info.CompleteFlag());
}

TEST(RPageInfoTest, SectionFlags) {
  TRPageInfo info;
  info.SetSectionCount(2);
  EXPECT_FALSE(info.SetSectionRead(0, true));
  // Outside 0 .. SectionCount - 1 nothing changes, but completeness is recomputed.
  EXPECT_FALSE(info.SetSectionRead(2, true));
  EXPECT_FALSE(info.SetSectionRead(-1, true));
  EXPECT_EQ(info.SectionRead(), (std::vector<bool>{true, false}));
  EXPECT_TRUE(info.SetSectionRead(1, true));
  EXPECT_TRUE(info.CompleteFlag());
  // New flags leave the stored completeness alone until the next recomputation.
  info.SetSectionCount(3);
  EXPECT_TRUE(info.CompleteFlag());
  EXPECT_FALSE(info.Complete());
  EXPECT_FALSE(info.SetSectionRead(7, true));
  EXPECT_FALSE(info.CompleteFlag());
}

TRPageInfo OneSectionRecord() {
  TRPageInfo info;
  info.TableIdent = {0x0010, 0x40, 0, 0x0001};
  info.SetSectionCount(1);
  info.SetSectionRead(0, true);
  return info;
}

TEST(RPageInfoTest, StreamBytes) {
  TMemoryStream stream;
  OneSectionRecord().SaveToStream(&stream);
  EXPECT_BYTES_EQ(HexToBytes("10 00 40 00 01 00 01 01 00 00 00 01 00 00 00 01 00 00 00 00"), stream.Data());
}

TEST(RPageInfoTest, StreamRoundTripDropsEmptyPages) {
  TRPageInfo info = OneSectionRecord();
  info.TableIdent.Pad = 0x5A;
  info.RPages = {MakePacket(0x10, true, 0, {0}), "", "xyz"};
  TMemoryStream stream;
  info.SaveToStream(&stream);
  info.SaveToStream(nullptr);
  stream.Seek(0);
  TRPageInfo back;
  back.LoadFromStream(&stream);
  back.LoadFromStream(nullptr);
  EXPECT_EQ(stream.Remaining(), 0u);
  EXPECT_EQ(back.TableIdent.Pad, 0x5A);
  EXPECT_EQ(back.TableIdent.AddID, 0x0001);
  EXPECT_TRUE(back.CompleteFlag());
  EXPECT_EQ(back.SectionCount(), 1);
  EXPECT_EQ(back.RPages, (TRPages{info.RPages[0], "xyz"}));
}

TEST(RPageInfoTest, FlagCountIndependentOfSectionCount) {
  // Five sections but one flag: flags that do not exist are never touched.
  TMemoryStream stream(HexToBytes("10 00 40 00 01 00 00 05 00 00 00 01 00 00 00 01 00 00 00 00"));
  TRPageInfo info;
  info.LoadFromStream(&stream);
  EXPECT_EQ(info.SectionCount(), 5);
  EXPECT_EQ(info.SectionRead().size(), 1u);
  EXPECT_TRUE(info.SetSectionRead(0, true));
  EXPECT_TRUE(info.SetSectionRead(3, false));
  EXPECT_EQ(info.SectionRead().size(), 1u);
}

TEST(RPageInfoTest, DamagedStreamsAreRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"ends in the identity", "10 00 40"},
      {"ends before the flag count", "10 00 40 00 01 00 01 01 00 00 00"},
      {"negative flag count", "10 00 40 00 01 00 01 01 00 00 00 FF FF FF FF 00 00 00 00"},
      {"flag count beyond the data", "10 00 40 00 01 00 01 01 00 00 00 FF FF FF 7F 00 00 00 00"},
      {"ends in the flags", "10 00 40 00 01 00 01 01 00 00 00 03 00 00 00 01 01"},
      {"missing page count", "10 00 40 00 01 00 01 01 00 00 00 00 00 00 00"},
      {"negative page count", "10 00 40 00 01 00 01 01 00 00 00 00 00 00 00 FE FF FF FF"},
      {"page count beyond the data", "10 00 40 00 01 00 01 01 00 00 00 00 00 00 00 00 00 00 40 00 00 00 00"},
      {"second page missing", "10 00 40 00 01 00 01 01 00 00 00 00 00 00 00 02 00 00 00 01 00 00 00 AA 00 00 00"},
      {"negative page length", "10 00 40 00 01 00 01 01 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF"},
      {"page longer than the data", "10 00 40 00 01 00 01 01 00 00 00 00 00 00 00 01 00 00 00 BC 00 00 00 47 00"},
  };
  for (auto [name, hex] : cases) {
    TMemoryStream stream(HexToBytes(hex));
    TRPageInfo info = OneSectionRecord();
    info.RPages = {"keep"};
    EXPECT_THROW(info.LoadFromStream(&stream), StreamError) << name;
    // The record keeps what it held.
    EXPECT_EQ(info.RPages, TRPages{"keep"}) << name;
    EXPECT_EQ(info.TableIdent.AddID, 0x0001) << name;
  }
}

}  // namespace
}  // namespace quillon
