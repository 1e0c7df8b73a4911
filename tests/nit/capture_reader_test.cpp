#include "nit/capture_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "core/crc32.h"
#include "descriptors/logical_channel.h"
#include "descriptors/network.h"
#include "nit/nit_table.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "vocabulary/dvb_text.h"
#include "support/core_fixtures.h"
#include "support/test_util.h"

namespace quillon {
namespace {

// A section from table_id to CRC_32 of `size` bytes (16 at least: an NIT header with
// both loop lengths) whose body is a counting pattern.
Bytes Sec(uint8_t tableId, uint16_t networkId, uint8_t version, uint8_t secNr, uint8_t lastNr, size_t size = 40) {
  auto s = test::MakeSection(size + 1, secNr, lastNr, tableId, networkId);
  s->SetVersionNumber(version);
  s->UpdateCRC();
  return test::SectionProper(*s);
}

// Sections 0..n-1 of one table.
std::vector<Bytes> Table(uint16_t networkId, const std::vector<size_t>& sizes, uint8_t tableId = 0x40,
                         uint8_t version = 1) {
  std::vector<Bytes> out;
  for (size_t i = 0; i < sizes.size(); ++i)
    out.push_back(Sec(tableId, networkId, version, static_cast<uint8_t>(i), static_cast<uint8_t>(sizes.size() - 1),
                      sizes[i]));
  return out;
}

void Resign(Bytes& s) {
  uint32_t crc = CalcCRC32(s.data(), s.size() - 4, kCrcInit);
  for (int i = 0; i < 4; ++i) s[s.size() - 4 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
}

Bytes Concat(const std::vector<Bytes>& parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// Every section starts a packet with pointer 0, continuity counters run on from `cc`.
TRPages PackEach(const std::vector<Bytes>& sections, int cc = 0) {
  TByteRPages packets;
  for (const Bytes& s : sections) {
    Bytes data(s.size() + 1, 0x00);
    std::copy(s.begin(), s.end(), data.begin() + 1);
    PackSection(packets, data, kNitPID, PacketCount(data));
  }
  TRPages pages;
  for (const TByteRPage& p : packets) {
    pages.emplace_back(p.begin(), p.end());
    pages.back()[3] = static_cast<char>(0x10 | (cc++ & 0x0F));
  }
  return pages;
}

// Sections back to back as a multiplexer sends them: a packet in which a section starts
// carries the pointer to it, several sections share a packet, headers run across packet
// ends. Every packet gets an adaptation field of `adaptation` (its length byte's value)
// when that is not negative.
TRPages PackTight(const std::vector<Bytes>& sections, int adaptation = -1, int cc = 0) {
  Bytes stream;
  std::vector<size_t> starts;
  for (const Bytes& s : sections) {
    starts.push_back(stream.size());
    stream.insert(stream.end(), s.begin(), s.end());
  }
  const size_t room = static_cast<size_t>(kPacketPayload - (adaptation >= 0 ? adaptation + 1 : 0));
  auto startIn = [&](size_t from, size_t to) {
    for (size_t s : starts)
      if (s >= from && s < to) return static_cast<int>(s - from);
    return -1;
  };
  TRPages pages;
  for (size_t pos = 0; pos < stream.size();) {
    int pointer = startIn(pos, pos + room - 1);
    Bytes payload;
    size_t take;
    if (pointer >= 0) {
      payload.push_back(static_cast<uint8_t>(pointer));
      take = room - 1;
    } else {
      // A section starting in the last byte would need a pointer: leave the byte as stuffing.
      take = startIn(pos, pos + room) >= 0 ? room - 1 : room;
    }
    take = std::min(take, stream.size() - pos);
    payload.insert(payload.end(), stream.begin() + static_cast<std::ptrdiff_t>(pos),
                   stream.begin() + static_cast<std::ptrdiff_t>(pos + take));
    pos += take;
    pages.push_back(test::MakePacket(kNitPID, pointer >= 0, cc++, payload, adaptation));
  }
  return pages;
}

Bytes Join(const TRPages& pages) {
  Bytes out;
  for (const RawString& p : pages) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TRPages operator+(TRPages a, const TRPages& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TCaptureResult Read(const TRPages& pages, std::optional<uint16_t> network = std::nullopt) {
  return ReadNitCapture(Join(pages), {network});
}

class CaptureReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetDescriptorState(); }

  // The run must be exactly `expected`, and its packets must rebuild it in a table.
  void ExpectRun(const TCaptureResult& r, const std::vector<Bytes>& expected) {
    ASSERT_TRUE(r.Ok()) << r.Error;
    ASSERT_EQ(r.Run->Sections.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_BYTES_EQ(expected[i], r.Run->Sections[i]) << "section " << i;
    test::TCheckTable table(r.Run->TableID);
    ASSERT_TRUE(table.AddRPages(r.Run->RPages, kAnyAddID));
    ASSERT_EQ(table.parsed.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_BYTES_EQ(expected[i], table.parsed[i]);
  }

  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
};

TEST_F(CaptureReaderTest, RepeatedTableEnteredMidSectionGivesOneRunRepackedForATable) {
  std::vector<Bytes> table = Table(0x1234, {400, 16, 1024});
  TRPages once = PackEach(table);
  // The capture begins inside section 0 and carries the table twice more.
  TRPages capture = TRPages(once.begin() + 1, once.end()) + PackEach(table, 8) + PackEach(table, 3);
  TCaptureResult r = Read(capture);
  ExpectRun(r, table);
  EXPECT_EQ(r.Run->TableID, 0x40);
  EXPECT_EQ(r.Run->NetworkID, 0x1234);
  EXPECT_EQ(r.Run->Version, 1);
  // Packed as the export packs a table: pointer 0 in each first packet, counters from 0.
  ASSERT_EQ(r.Run->RPages.size(), once.size());
  for (size_t m = 0; m < once.size(); ++m) {
    EXPECT_EQ(PacketContinuity(r.Run->RPages[m]), static_cast<int>(m % 16));
    EXPECT_EQ(r.Run->RPages[m], once[m]);
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CaptureReaderTest, SectionsPackedBackToBack) {
  // A foreign table on the PID comes first; the size of the first NIT section walks the
  // second one's header across the end of the first packet.
  const Bytes foreign = Sec(0x72, 0x0001, 0, 0, 0, 30);
  for (size_t first = 140; first <= 160; ++first) {
    std::vector<Bytes> nit = Table(0x0042, {first, 200});
    ExpectRun(Read(PackTight({foreign, nit[0], nit[1], foreign, nit[0]})), nit);
    if (HasFailure()) {
      ADD_FAILURE() << "first section of " << first << " bytes";
      break;
    }
  }
  // Many small sections in one packet.
  std::vector<Bytes> small = Table(0x0042, {16, 16, 16, 16, 16, 16, 16, 16, 16, 16});
  EXPECT_EQ(PackTight(small).size(), 1u);
  ExpectRun(Read(PackTight(small)), small);
}

struct PacketCase {
  const char* name;
  std::function<void(TRPages&)> damage;  // applied to the five packets of a two-section table
  bool survives;                          // the damaged copy alone still gives the table
};

void SetCounter(RawString& page, int cc) { page[3] = static_cast<char>((page[3] & 0xF0) | (cc & 0x0F)); }

TEST_F(CaptureReaderTest, PacketDamageCostsOnlyTheSectionItHits) {
  // Section 0 spans packets 0..2, section 1 packets 3..4.
  const std::vector<Bytes> table = Table(0x0777, {400, 250});
  const RawString otherPid = test::MakePacket(0x0011, true, 0, {0x00, 0x40, 0xF0, 0x20});
  const PacketCase cases[] = {
      {"untouched", [](TRPages&) {}, true},
      {"lost continuation", [](TRPages& p) { p.erase(p.begin() + 1); }, false},
      {"repeated continuation", [](TRPages& p) { p.insert(p.begin() + 1, p[1]); }, true},
      {"continuations swapped", [](TRPages& p) { std::swap(p[1], p[2]); }, false},
      {"other PIDs between", [&](TRPages& p) { p.insert(p.begin() + 1, otherPid); p.insert(p.begin() + 4, otherPid); },
       true},
      {"sync byte lost in a packet of another PID",
       [&](TRPages& p) {
         RawString bad = otherPid;
         bad[0] = 0x00;
         p.insert(p.begin() + 2, bad);
       },
       true},
      {"adaptation-only packet between, counter unchanged",
       [](TRPages& p) {
         RawString a = test::MakePacket(kNitPID, false, PacketContinuity(p[0]), {}, 183);
         a[3] = static_cast<char>(0x20 | PacketContinuity(p[0]));
         p.insert(p.begin() + 1, a);
       },
       true},
      {"counter jump announced by the discontinuity indicator",
       [](TRPages& p) {
         // Section 1's last packet takes an adaptation field with the indicator (its
         // payload ends in stuffing, so it keeps every section byte) and jumps ahead.
         RawString& q = p[4];
         q = q.substr(0, 4) + RawString("\x01\x80", 2) + q.substr(4, RPAGE_LEN - 4 - 2);
         q[3] = static_cast<char>(0x30 | ((q[3] + 7) & 0x0F));
       },
       true},
      {"transport error in a continuation", [](TRPages& p) { p[1][1] = static_cast<char>(p[1][1] | 0x80); }, false},
      {"scrambled continuation", [](TRPages& p) { p[4][3] = static_cast<char>(p[4][3] | 0x80); }, false},
      {"pointer beyond the payload", [](TRPages& p) { p[3][4] = static_cast<char>(184); }, false},
      {"section cut short by the next start",
       [](TRPages& p) {
         RawString again = p[3];
         SetCounter(again, PacketContinuity(again) + 1);
         p[4] = again;
       },
       false},
  };
  for (const PacketCase& c : cases) {
    SCOPED_TRACE(c.name);
    TRPages damaged = PackEach(table);
    c.damage(damaged);
    TCaptureResult alone = Read(damaged);
    EXPECT_EQ(alone.Ok(), c.survives);
    if (!alone.Ok()) {
      EXPECT_EQ(alone.Error, "Keine vollständige NIT gefunden");
    }
    // A clean copy after the damage always completes the table.
    ExpectRun(Read(damaged + PackEach(table, 9)), table);
  }
}

TEST_F(CaptureReaderTest, AdaptationFieldsOnEveryPacket) {
  std::vector<Bytes> table = Table(0x0100, {300, 60, 16});
  for (int adaptation : {0, 1, 7, 100}) {
    SCOPED_TRACE(adaptation);
    ExpectRun(Read(PackTight({table[2], table[0], table[1], table[2]}, adaptation)), table);
  }
}

TEST_F(CaptureReaderTest, JunkAroundThePacketsIsSkipped) {
  std::vector<Bytes> table = Table(0x0100, {300, 16});
  Bytes capture(5, 0x47);  // stray sync bytes that no packet follows
  Bytes packets = Join(PackEach(table));
  capture.insert(capture.end(), packets.begin(), packets.end());
  capture.insert(capture.end(), packets.begin(), packets.begin() + 100);  // cut off
  TCaptureResult r = ReadNitCapture(capture);
  ExpectRun(r, table);
  EXPECT_FALSE(ReadNitCapture(ByteView(capture).first(150)).Ok());
  EXPECT_FALSE(ReadNitCapture({}).Ok());
}

struct SelectionCase {
  const char* name;
  std::vector<Bytes> sections;  // in capture order
  std::optional<uint16_t> network;
  std::optional<std::pair<uint8_t, uint16_t>> chosen;  // table_id, network_id; none: no run
  uint8_t version;
};

TEST_F(CaptureReaderTest, WhichRunIsTaken) {
  auto s = [](uint8_t tid, uint16_t nid, uint8_t v, uint8_t sec, uint8_t last) { return Sec(tid, nid, v, sec, last); };
  const SelectionCase cases[] = {
      {"first network by default", {s(0x40, 0xA, 1, 0, 0), s(0x40, 0xB, 1, 0, 0)}, {}, {{0x40, 0xA}}, 1},
      {"the network asked for", {s(0x40, 0xA, 1, 0, 0), s(0x40, 0xB, 1, 0, 0)}, 0xB, {{0x40, 0xB}}, 1},
      {"a network not there", {s(0x40, 0xA, 1, 0, 0), s(0x40, 0xB, 1, 0, 0)}, 0xC, {}, 0},
      {"actual before other", {s(0x41, 0xA, 1, 0, 0), s(0x40, 0xB, 2, 0, 0)}, {}, {{0x40, 0xB}}, 2},
      {"other when asked for", {s(0x41, 0xA, 1, 0, 0), s(0x40, 0xB, 2, 0, 0)}, 0xA, {{0x41, 0xA}}, 1},
      {"other when there is no actual", {s(0x41, 0xA, 1, 0, 1), s(0x41, 0xB, 3, 0, 0)}, {}, {{0x41, 0xB}}, 3},
      {"the version completed first",
       {s(0x40, 0xA, 4, 0, 1), s(0x40, 0xA, 5, 1, 1), s(0x40, 0xA, 5, 0, 1), s(0x40, 0xA, 4, 1, 1)},
       {},
       {{0x40, 0xA}},
       5},
      {"sections of another version do not mix in", {s(0x40, 0xA, 4, 0, 1), s(0x40, 0xA, 5, 1, 1)}, {}, {}, 0},
      {"nor does a different section count", {s(0x40, 0xA, 4, 0, 1), s(0x40, 0xA, 4, 1, 2)}, {}, {}, 0},
      {"a section number past the last", {s(0x40, 0xA, 1, 2, 1)}, {}, {}, 0},
  };
  for (const SelectionCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCaptureResult r = ReadNitSections(Concat(c.sections), {c.network});
    ASSERT_EQ(r.Ok(), c.chosen.has_value()) << r.Error;
    if (!r.Ok()) {
      EXPECT_EQ(r.Error, c.network ? "Keine vollständige NIT des Netzwerks 0x000C gefunden"
                                   : "Keine vollständige NIT gefunden");
      continue;
    }
    EXPECT_EQ(r.Run->TableID, c.chosen->first);
    EXPECT_EQ(r.Run->NetworkID, c.chosen->second);
    EXPECT_EQ(r.Run->Version, c.version);
    for (size_t i = 0; i < r.Run->Sections.size(); ++i) EXPECT_EQ(static_cast<size_t>(r.Run->Sections[i][6]), i);
  }
}

TEST_F(CaptureReaderTest, NetworksSeenAreListedInOrder) {
  TCaptureResult r = ReadNitSections(Concat({Sec(0x41, 0x3038, 0, 0, 0), Sec(0x40, 0x3031, 7, 0, 1),
                                             Sec(0x41, 0x3038, 0, 0, 0), Sec(0x40, 0x3031, 7, 0, 1)}),
                                     {0x3031});
  EXPECT_FALSE(r.Ok());
  ASSERT_EQ(r.Networks.size(), 2u);
  EXPECT_EQ(r.Networks[0].NetworkID, 0x3038);
  EXPECT_EQ(r.Networks[0].TableID, 0x41);
  EXPECT_TRUE(r.Networks[0].Complete);
  EXPECT_EQ(r.Networks[1].NetworkID, 0x3031);
  EXPECT_EQ(r.Networks[1].TableID, 0x40);
  EXPECT_FALSE(r.Networks[1].Complete);
}

TEST_F(CaptureReaderTest, SectionsThatFailACheckAreIgnored) {
  const Bytes good = Sec(0x40, 0x0001, 1, 0, 0);
  auto changed = [&](std::function<void(Bytes&)> f, bool resign = true) {
    Bytes s = good;
    f(s);
    if (resign) Resign(s);
    return s;
  };
  const struct {
    const char* name;
    Bytes section;
  } cases[] = {
      {"CRC wrong", changed([](Bytes& s) { s[10] ^= 1; }, false)},
      {"table_id of another table", changed([](Bytes& s) { s[0] = 0x42; })},
      {"syntax indicator clear", changed([](Bytes& s) { s[1] &= 0x7F; })},
      {"next, not current", changed([](Bytes& s) { s[5] &= 0xFE; })},
      {"section number past the last", changed([](Bytes& s) { s[6] = 1; })},
      {"too short for the NIT header", Sec(0x40, 0x0001, 1, 0, 0, 15)},
      {"longer than 1024 bytes", Sec(0x40, 0x0001, 1, 0, 0, 1025)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(ReadNitSections(c.section).Ok());
    EXPECT_TRUE(ReadNitSections(c.section).Networks.empty());
    EXPECT_FALSE(Read(PackEach({c.section})).Ok());
    // The bad section does not stop the good one behind it.
    ExpectRun(ReadNitSections(Concat({c.section, good})), {good});
    ExpectRun(Read(PackTight({c.section, good})), {good});
  }
  ExpectRun(ReadNitSections(Sec(0x40, 0x0001, 1, 0, 0, 1024)), {Sec(0x40, 0x0001, 1, 0, 0, 1024)});
}

TEST_F(CaptureReaderTest, RawSectionFiles) {
  std::vector<Bytes> table = Table(0x0200, {500, 16, 70});
  Bytes stuffing(3, 0xFF);
  Bytes file = Concat({table[1], stuffing, table[2], table[0], stuffing});
  ExpectRun(ReadNitSections(file), table);
  // A section cut off at the end of the file is not there.
  Bytes cut = Concat({table[0], table[1], table[2]});
  cut.pop_back();
  EXPECT_FALSE(ReadNitSections(cut).Ok());
  EXPECT_FALSE(ReadNitSections(Bytes{0x40, 0xF0}).Ok());
}

TEST_F(CaptureReaderTest, ManyUnfinishedTablesDoNotCrowdOutALaterOne) {
  std::vector<Bytes> capture;
  for (uint16_t n = 0; n < 300; ++n) capture.push_back(Sec(0x40, n, 0, 0, 255));
  std::vector<Bytes> late = Table(0x9999, {16, 16});
  capture.insert(capture.end(), late.begin(), late.end());
  TCaptureResult r = ReadNitSections(Concat(capture));
  ExpectRun(r, late);
}

TEST_F(CaptureReaderTest, LoadedRunReplacesBothTables) {
  // An NIT other of one empty section: header, two empty loops, CRC.
  Bytes other = test::HexToBytes("41 F0 0D 12 34 C3 00 00 F0 00 F0 00 00 00 00 00");
  Resign(other);
  TCaptureResult r = ReadNitSections(other);
  ASSERT_TRUE(r.Ok());
  TNIT nit;
  nit.Actual()->AddSection(0x40);
  ASSERT_TRUE(LoadCaptureRun(nit, *r.Run));
  EXPECT_EQ(nit.Actual()->Sections(), 0);
  ASSERT_EQ(nit.Other()->Sections(), 1);
  EXPECT_EQ(nit.Other()->Section(0)->NetworkID(), 0x1234);
  EXPECT_EQ(nit.Other()->Section(0)->VersionNumber(), 1);
  EXPECT_TRUE(nit.Other()->Section(0)->CRCOK());
  EXPECT_EQ(nit.Other()->TableIdent().PID, kNitPID);
}

// Untrusted input: nothing fed to the reader, and nothing it hands on to a table, may
// crash, hang or read out of bounds.
TEST_F(CaptureReaderTest, HostileBytes) {
  std::mt19937 rng(20240611);
  auto byte = [&] { return static_cast<uint8_t>(rng() & 0xFF); };
  const std::vector<Bytes> table = Table(0x0001, {400, 16, 1024});
  const Bytes clean = Join(PackTight(table, 3));
  for (int round = 0; round < 300; ++round) {
    // Packet-shaped noise on the NIT PID, and the clean table with bytes changed.
    Bytes noise(static_cast<size_t>(rng() % (6 * RPAGE_LEN)));
    for (size_t i = 0; i < noise.size(); ++i) {
      noise[i] = byte();
      if (i % RPAGE_LEN == 0) noise[i] = 0x47;
      if (i % RPAGE_LEN == 1 && rng() % 2) noise[i] = static_cast<uint8_t>(0x40 | (noise[i] & 0x20));
      if (i % RPAGE_LEN == 2 && rng() % 2) noise[i] = 0x10;
    }
    Bytes mutated = clean;
    for (int k = 0; k < 1 + round % 8; ++k) mutated[rng() % mutated.size()] = byte();
    for (const Bytes& input : {noise, mutated}) {
      TCaptureResult r = ReadNitCapture(input);
      if (r.Ok()) {
        TNIT nit;
        LoadCaptureRun(nit, *r.Run);
      }
      ReadNitSections(input);
    }
  }
}


// ---------------------------------------------------------------- the shared captures

TCaptureResult ReadSample(const std::string& name, std::optional<uint16_t> network = std::nullopt) {
  Bytes bytes = ReadFileBytes(test::SamplesDir() / name);
  return name.ends_with(".bin") ? ReadNitSections(bytes, {network}) : ReadNitCapture(bytes, {network});
}

std::string Classes(const TBasicDescriptorArray& loop) {
  std::string out;
  for (const auto& d : loop) out += (out.empty() ? "" : " ") + std::string(d->ClassName());
  return out;
}

template <class D>
std::vector<const D*> All(const TBasicDescriptorArray& loop) {
  std::vector<const D*> out;
  for (const auto& d : loop)
    if (auto* x = dynamic_cast<const D*>(d.get())) out.push_back(x);
  return out;
}

template <class D>
const D& One(const TBasicDescriptorArray& loop) {
  std::vector<const D*> all = All<D>(loop);
  if (all.size() != 1) throw std::runtime_error("expected one descriptor of the class");
  return *all[0];
}

// Entries as "service:number", "!" for an invisible service; the numbers masked.
template <class Entries>
std::string Lcns(const Entries& entries, int mask = 0xFFFF) {
  std::string out;
  for (const auto& e : entries)
    out += (out.empty() ? "" : " ") + HexDigits(e.ServiceID, 4) + ":" + (e.Visible ? "" : "!") +
           std::to_string(e.ChannelNo & mask);
  return out;
}

// Logical channel numbers of a body held raw, read in the EACEM layout.
std::vector<int> RawEacemNumbers(const Bytes& body) {
  std::vector<int> out;
  for (size_t i = 0; i + 4 <= body.size(); i += 4) out.push_back(((body[i + 2] & 0x03) << 8) | body[i + 3]);
  return out;
}

struct SampleCase {
  const char* file;
  std::optional<uint16_t> network;
  uint8_t tableId;
  uint16_t networkId;
  uint8_t version;
  size_t sections;
  size_t streams;          // transport-stream entries over all sections
  const char* nwClasses;   // network loop of section 0
  const char* tsClasses;   // every transport-stream loop
};

const char* const kAstra006 =
    "TNetworkNameDescriptor TLinkageDescriptor TLinkageDescriptor TLinkageDescriptor TLinkageDescriptor "
    "TLinkageDescriptor TLinkageDescriptor TLinkageDescriptor TPrivDataSpecDescriptor TLinkageDescriptor "
    "TLinkageDescriptor TLinkageDescriptor TLinkageDescriptor TLinkageDescriptor";
const char* const kNorDig053 =
    "TPrivDataSpecDescriptor TNorDigLogicalChannelDescriptorV1 TNorDigLogicalChannelDescriptorV2 "
    "TNorDigLogicalChannelDescriptorV1 TNorDigLogicalChannelDescriptorV2";
const char* const kItc067 =
    "TPrivDataSpecDescriptor TItcLogicalChannelDescriptor TUserDefinedDescriptor TUserDefinedDescriptor "
    "TUserDefinedDescriptor TItcLogicalChannelDescriptor TUserDefinedDescriptor TUserDefinedDescriptor "
    "TUserDefinedDescriptor TUserDefinedDescriptor TUserDefinedDescriptor TUserDefinedDescriptor "
    "TUserDefinedDescriptor TUserDefinedDescriptor TUserDefinedDescriptor";
const char* const kArib165 = "TUserDefinedDescriptor TUserDefinedDescriptor TUserDefinedDescriptor TUserDefinedDescriptor";

const SampleCase kSamples[] = {
    {"petrj-cn-cts-nit.ts", {}, 0x40, 0x3334, 30, 1, 1, "TNetworkNameDescriptor",
     "TFreqListDescriptor TTerrestDelivSysDescriptor TServiceListDescriptor"},
    {"petrj-cz-dvbt2-mux21-nit.ts", {}, 0x40, 0x3140, 2, 1, 1, "TNetworkNameDescriptor",
     "TServiceListDescriptor TUnknownDescriptor"},
    {"petrj-de-dvbt2-626mhz-nit.ts", {}, 0x40, 0x3031, 0, 1, 1, "TNetworkNameDescriptor TCellListDescriptor",
     "TUnknownDescriptor TServiceListDescriptor"},
    {"petrj-de-dvbt2-626mhz-nit.ts", 0x3098, 0x41, 0x3098, 0, 1, 1, "TNetworkNameDescriptor TCellListDescriptor",
     "TUnknownDescriptor TServiceListDescriptor"},
    {"petrj-dvbttelevizor-cz-mux1-nit.ts", {}, 0x40, 0x3110, 3, 1, 1, "TLinkageDescriptor TNetworkNameDescriptor",
     "TTerrestDelivSysDescriptor TFreqListDescriptor"},
    {"petrj-gr-crete-dvbt-nit.ts", {}, 0x40, 0x3401, 9, 1, 2, "TNetworkNameDescriptor",
     "TServiceListDescriptor TPrivDataSpecDescriptor TTerrestDelivSysDescriptor TUserDefinedDescriptor"},
    {"synthetic-tsduck-test-053-nordig-lcn.bin", {}, 0x40, 0x0000, 0, 1, 0, kNorDig053, ""},
    {"synthetic-tsduck-test-053-nordig-lcn.ts", {}, 0x40, 0x0000, 0, 1, 0, kNorDig053, ""},
    {"synthetic-tsduck-test-067-dtg-lcn-hdsimulcast.bin", {}, 0x40, 0x0000, 0, 1, 0, kItc067, ""},
    {"synthetic-tsduck-test-067-dtg-lcn-hdsimulcast.ts", {}, 0x40, 0x0000, 0, 1, 0, kItc067, ""},
    {"tsduck-test-006-astra-dvbs-nit-3sec.bin", {}, 0x40, 0x0001, 26, 3, 104, kAstra006, "TSatDelivSysDescriptor"},
    {"tsduck-test-006-astra-dvbs-nit-3sec.ts", {}, 0x40, 0x0001, 26, 3, 104, kAstra006, "TSatDelivSysDescriptor"},
    {"tsduck-test-108-it-dvbt-nit.ts", {}, 0x40, 0x3001, 10, 1, 1, "TNetworkNameDescriptor",
     "TTerrestDelivSysDescriptor TServiceListDescriptor TUserDefinedDescriptor"},
    {"tsduck-test-134-au-dvbt-nit.ts", {}, 0x40, 0x321D, 10, 1, 1, "TNetworkNameDescriptor",
     "TTerrestDelivSysDescriptor TServiceListDescriptor TPrivDataSpecDescriptor TUserDefinedDescriptor"},
    {"tsduck-test-134-au-dvbt-nit.ts", 0x321B, 0x40, 0x321B, 15, 1, 1, "TNetworkNameDescriptor",
     "TTerrestDelivSysDescriptor TServiceListDescriptor TPrivDataSpecDescriptor TUserDefinedDescriptor"},
    {"tsduck-test-165-jp-cable-nit.bin", {}, 0x40, 0x0003, 1, 1, 1, kArib165,
     "TServiceListDescriptor TCableDelivSysDescriptor"},
    {"tsduck-test-165-jp-cable-nit.ts", {}, 0x40, 0x0003, 1, 1, 1, kArib165,
     "TServiceListDescriptor TCableDelivSysDescriptor"},
    {"tsduck-test-184-fr-dvbt-nit.ts", {}, 0x40, 0x20FA, 30, 1, 7, "TNetworkNameDescriptor",
     "TTerrestDelivSysDescriptor TPrivDataSpecDescriptor TEacemLogicalChannelDescriptor TServiceListDescriptor"},
};

class CaptureSampleTest : public CaptureReaderTest {
 protected:
  // The sample's chosen run loaded into `nit`; the table it went to, or null.
  const TNITTable* Load(const std::string& file, std::optional<uint16_t> network = std::nullopt) {
    TCaptureResult r = ReadSample(file, network);
    if (!r.Ok()) {
      ADD_FAILURE() << file << ": " << r.Error;
      return nullptr;
    }
    if (!LoadCaptureRun(nit, *r.Run)) {
      ADD_FAILURE() << file << ": the table refused the run";
      return nullptr;
    }
    return r.Run->TableID == kTableIdNitActual ? nit.Actual() : nit.Other();
  }

  // The network loop of a synthetic sample after its private data specifier `privSpec`.
  const TBasicDescriptorArray& NetworkLoop(const std::string& file, uint32_t privSpec) {
    const TNITTable* t = Load(file);
    if (!t) throw std::runtime_error("sample not loaded");
    const TBasicDescriptorArray& loop = t->Section(0)->NWDesc;
    EXPECT_EQ(One<TPrivDataSpecDescriptor>(loop).DataSpec, privSpec);
    return loop;
  }

  TNIT nit;
};

TEST_F(CaptureSampleTest, EverySampleDecodesCleanly) {
  for (const SampleCase& c : kSamples) {
    SCOPED_TRACE(c.file);
    dialogs.Clear();
    const TNITTable* t = Load(c.file, c.network);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->TableIdent().TableID, c.tableId);
    EXPECT_EQ(t->TableIdent().AddID, c.networkId);
    ASSERT_EQ(static_cast<size_t>(t->Sections()), c.sections);
    size_t streams = 0;
    for (int i = 0; i < t->Sections(); ++i) {
      const TNISection& s = *t->Section(i);
      EXPECT_TRUE(s.CRCOK()) << "section " << i;
      EXPECT_EQ(s.TableID(), c.tableId);
      EXPECT_EQ(s.NetworkID(), c.networkId);
      EXPECT_EQ(s.VersionNumber(), c.version);
      EXPECT_EQ(s.SectionNumber(), i);
      for (const auto& e : s.TSEntry) EXPECT_EQ(Classes(e->TSDescriptor), c.tsClasses) << HexDigits(e->TSID(), 4);
      streams += s.TSEntry.size();
    }
    EXPECT_EQ(streams, c.streams);
    EXPECT_EQ(Classes(t->Section(0)->NWDesc), c.nwClasses);
    // Nothing reported: no descriptor taken as unknown for want of data, no gap in a
    // section, and no tag outside the silent ranges (0x7F and the private ones are silent).
    EXPECT_TRUE(dialogs.Texts().empty()) << dialogs.Texts().front();
  }
}

TEST_F(CaptureSampleTest, SectionFilesAndTheirPacketsGiveTheSameSections) {
  for (const char* stem : {"synthetic-tsduck-test-053-nordig-lcn", "synthetic-tsduck-test-067-dtg-lcn-hdsimulcast",
                           "tsduck-test-006-astra-dvbs-nit-3sec", "tsduck-test-165-jp-cable-nit"}) {
    SCOPED_TRACE(stem);
    TCaptureResult bin = ReadSample(std::string(stem) + ".bin");
    TCaptureResult ts = ReadSample(std::string(stem) + ".ts");
    ASSERT_TRUE(bin.Ok() && ts.Ok());
    EXPECT_EQ(bin.Run->Sections, ts.Run->Sections);
  }
}

TEST_F(CaptureSampleTest, FranceSharedLogicalChannelNumbersUnderEacem) {
  const TNITTable* t = Load("tsduck-test-184-fr-dvbt-nit.ts");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(One<TNetworkNameDescriptor>(t->Section(0)->NWDesc).NetName, u"F");
  std::map<int, int> uses;
  for (const auto& e : t->Section(0)->TSEntry) {
    EXPECT_EQ(e->OrgNetID(), 0x20FA);
    EXPECT_EQ(One<TTerrestDelivSysDescriptor>(e->TSDescriptor).CentreFreq, 0xFFFFFFFFu);
    EXPECT_EQ(One<TPrivDataSpecDescriptor>(e->TSDescriptor).DataSpec, kPrivSpecEacem);
    for (const TEacemLogChEntry& l : One<TEacemLogicalChannelDescriptor>(e->TSDescriptor).LogChEntry) {
      EXPECT_EQ(l.Visible, 1);
      EXPECT_EQ(l.Reserved, 31);  // the bytes read FC xx
      ++uses[l.ChannelNo];
    }
  }
  EXPECT_EQ(uses[3], 9);
  EXPECT_GT(uses[32], 1);
  EXPECT_GT(uses[33], 1);
  const TTransportStreamEntry& first = *t->Section(0)->TSEntry[0];
  EXPECT_EQ(first.TSID(), 0x0001);
  EXPECT_EQ(Lcns(One<TEacemLogicalChannelDescriptor>(first.TSDescriptor).LogChEntry).substr(0, 26),
            "0101:2 0104:14 0105:19 010");
}

TEST_F(CaptureSampleTest, ItalyLogicalChannelsWithoutSpecifierStayRaw) {
  const TNITTable* t = Load("tsduck-test-108-it-dvbt-nit.ts");
  ASSERT_NE(t, nullptr);
  const TTransportStreamEntry& e = *t->Section(0)->TSEntry.at(0);
  EXPECT_EQ(e.OrgNetID(), 0x013E);
  EXPECT_EQ(One<TTerrestDelivSysDescriptor>(e.TSDescriptor).CentreFreq, 49800000u);  // 498 MHz in 10 Hz
  const TBasicDescriptor& lcn = *e.TSDescriptor.at(2);
  EXPECT_EQ(lcn.Tag, 0x83);
  EXPECT_STREQ(lcn.ClassName(), "TUserDefinedDescriptor");
  EXPECT_EQ(RawEacemNumbers(static_cast<const TUserDefinedDescriptor&>(lcn).Data),
            (std::vector<int>{1, 100, 2, 3, 48, 701, 702, 703}));
}

TEST_F(CaptureSampleTest, AustraliaTwoNetworksOnOnePid) {
  TCaptureResult r = ReadSample("tsduck-test-134-au-dvbt-nit.ts");
  ASSERT_EQ(r.Networks.size(), 2u);
  EXPECT_EQ(r.Networks[0].NetworkID, 0x321D);
  EXPECT_EQ(r.Networks[1].NetworkID, 0x321B);
  EXPECT_TRUE(r.Networks[0].Complete && r.Networks[1].Complete);
  const struct {
    uint16_t network;
    const char16_t* name;
    uint32_t privSpec;
  } cases[] = {{0x321D, u"Nine Network Australia", 0x3200}, {0x321B, u"ABC Melbourne", 0x3201}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.network);
    const TNITTable* t = Load("tsduck-test-134-au-dvbt-nit.ts", c.network);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(One<TNetworkNameDescriptor>(t->Section(0)->NWDesc).NetName, c.name);
    const TBasicDescriptorArray& loop = t->Section(0)->TSEntry.at(0)->TSDescriptor;
    EXPECT_EQ(One<TPrivDataSpecDescriptor>(loop).DataSpec, c.privSpec);
    // A Free TV specifier selects no class of ours.
    const TBasicDescriptor& lcn = *loop.back();
    EXPECT_EQ(lcn.Tag, 0x83);
    EXPECT_STREQ(lcn.ClassName(), "TUserDefinedDescriptor");
    for (int n : RawEacemNumbers(static_cast<const TUserDefinedDescriptor&>(lcn).Data)) {
      EXPECT_GE(n, 2);
      EXPECT_LE(n, 204);
    }
  }
}

TEST_F(CaptureSampleTest, GermanyEightNetworksWithTheirNames) {
  const struct {
    uint16_t network;
    uint8_t tableId;
    const char16_t* name;
  } expected[] = {{0x3038, 0x41, u"ARD SWR"},      {0x3030, 0x41, u"ARD Bayern"}, {0x3039, 0x41, u"SWR Regional"},
                  {0x303A, 0x41, u"MDR 2"},        {0x303B, 0x41, u"MDR 1"},      {0x3046, 0x41, u"HR-Süd"},
                  {0x3098, 0x41, u"ARD-Hessen"},   {0x3031, 0x40, u"BR"}};
  TCaptureResult r = ReadSample("petrj-de-dvbt2-626mhz-nit.ts");
  ASSERT_EQ(r.Networks.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(r.Networks[i].NetworkID, expected[i].network);
    EXPECT_EQ(r.Networks[i].TableID, expected[i].tableId);
    EXPECT_TRUE(r.Networks[i].Complete);
  }

  for (const auto& c : expected) {
    SCOPED_TRACE(HexDigits(c.network, 4));
    const TNITTable* t = Load("petrj-de-dvbt2-626mhz-nit.ts", c.network);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->TableIdent().TableID, c.tableId);
    // The container holds only the table that was read.
    EXPECT_EQ((c.tableId == kTableIdNitActual ? nit.Other() : nit.Actual())->Sections(), 0);
    EXPECT_EQ(t->Section(0)->TSEntry.at(0)->OrgNetID(), 0x2114);
    // The name holds one byte per character, a character-table byte first where there is one.
    const std::u16string& name = One<TNetworkNameDescriptor>(t->Section(0)->NWDesc).NetName;
    EXPECT_EQ(DvbTextToWide(RawString(name.begin(), name.end())), c.name);
  }
  const TNITTable* hr = Load("petrj-de-dvbt2-626mhz-nit.ts", 0x3046);
  ASSERT_NE(hr, nullptr);
  EXPECT_EQ(One<TNetworkNameDescriptor>(hr->Section(0)->NWDesc).NetName, std::u16string(u"\x05HR-S\xFC" u"d"));
  // The T2 delivery system descriptor sits behind the extension tag, held raw.
  EXPECT_EQ(All<TUnknownDescriptor>(hr->Section(0)->TSEntry.at(0)->TSDescriptor).at(0)->Tag, 0x7F);
  const TNITTable* br = Load("petrj-de-dvbt2-626mhz-nit.ts");
  ASSERT_NE(br, nullptr);
  EXPECT_EQ(br->TableIdent().AddID, 0x3031);
  EXPECT_EQ(One<TCellListDescriptor>(br->Section(0)->NWDesc).Cells.size(), 9u);
}

TEST_F(CaptureSampleTest, GreeceResynchronisesAfterLossAndKeepsTheOnidSpecifierRaw) {
  const TNITTable* t = Load("petrj-gr-crete-dvbt-nit.ts");
  ASSERT_NE(t, nullptr);
  const TNISection& s = *t->Section(0);
  ASSERT_EQ(s.TSEntry.size(), 2u);
  EXPECT_EQ(s.TSEntry[0]->TSID(), 0x0002);
  EXPECT_EQ(s.TSEntry[1]->TSID(), 0x0001);
  std::vector<int> numbers;
  for (const auto& e : s.TSEntry) {
    EXPECT_EQ(e->OrgNetID(), 0x212C);
    EXPECT_EQ(One<TPrivDataSpecDescriptor>(e->TSDescriptor).DataSpec, 0x212Cu);
    const TBasicDescriptor& lcn = *e->TSDescriptor.back();
    EXPECT_EQ(lcn.Tag, 0x83);
    EXPECT_STREQ(lcn.ClassName(), "TUserDefinedDescriptor");
    for (int n : RawEacemNumbers(static_cast<const TUserDefinedDescriptor&>(lcn).Data)) numbers.push_back(n);
  }
  for (int n : numbers) EXPECT_TRUE((n >= 1 && n <= 25) || (n >= 600 && n <= 708)) << n;
  EXPECT_NE(std::find(numbers.begin(), numbers.end(), 1), numbers.end());
  EXPECT_NE(std::find(numbers.begin(), numbers.end(), 600), numbers.end());
}

TEST_F(CaptureSampleTest, AstraThreeSectionsOfSatelliteStreams) {
  const TNITTable* t = Load("tsduck-test-006-astra-dvbs-nit-3sec.ts");
  ASSERT_NE(t, nullptr);
  const int lengths[] = {1009, 1011, 156};
  for (int i = 0; i < 3; ++i) {
    const TNISection& s = *t->Section(i);
    EXPECT_EQ(s.SectionLength(), lengths[i]);
    EXPECT_EQ(s.LastSectionNumber(), 2);
    EXPECT_EQ(One<TNetworkNameDescriptor>(s.NWDesc).NetName, std::u16string(u"ASTRA 1\0", 8));
    for (const auto& e : s.TSEntry) {
      EXPECT_TRUE(e->OrgNetID() == 0x0001 || e->OrgNetID() == 0x0035 || e->OrgNetID() == 0x0085) << e->OrgNetID();
      EXPECT_EQ(One<TSatDelivSysDescriptor>(e->TSDescriptor).Tag, 0x43);
    }
  }
  EXPECT_EQ(All<TLinkageDescriptor>(t->Section(0)->NWDesc).size(), 12u);
  EXPECT_EQ(One<TPrivDataSpecDescriptor>(t->Section(0)->NWDesc).DataSpec, 1u);
}

TEST_F(CaptureSampleTest, JapanCableDelivery) {
  for (const char* file : {"tsduck-test-165-jp-cable-nit.bin", "tsduck-test-165-jp-cable-nit.ts"}) {
    SCOPED_TRACE(file);
    const TNITTable* t = Load(file);
    ASSERT_NE(t, nullptr);
    std::vector<int> tags;
    for (const auto& d : t->Section(0)->NWDesc) tags.push_back(d->Tag);
    EXPECT_EQ(tags, (std::vector<int>{0x82, 0x8B, 0x99, 0x9A}));
    const TTransportStreamEntry& e = *t->Section(0)->TSEntry.at(0);
    EXPECT_EQ(e.TSID(), 0x110B);
    std::set<int> types;
    for (const TServiceListEntry& sv : One<TServiceListDescriptor>(e.TSDescriptor).Service) types.insert(sv.ServiceType);
    EXPECT_EQ(types, (std::set<int>{0x01, 0x81}));
    const auto& cable = One<TCableDelivSysDescriptor>(e.TSDescriptor);
    EXPECT_EQ(cable.Freq, 0x03750000u);  // 375.0000 MHz
    EXPECT_EQ(cable.FECo, 2);            // Reed-Solomon
    EXPECT_EQ(cable.Modu, 3);            // 64-QAM
    EXPECT_EQ(cable.Symb, 0x0052740u);   // 5.274 Msymbol/s
    EXPECT_EQ(cable.FECi, 15);           // no inner code
  }
}

TEST_F(CaptureSampleTest, NorDigVersionOneAndTwo) {
  const TBasicDescriptorArray& loop = NetworkLoop("synthetic-tsduck-test-053-nordig-lcn.ts", kPrivSpecNorDig);
  std::vector<const TNorDigLogicalChannelDescriptorV1*> v1 = All<TNorDigLogicalChannelDescriptorV1>(loop);
  ASSERT_EQ(v1.size(), 2u);
  EXPECT_TRUE(v1[0]->LogChEntry.empty());
  EXPECT_EQ(Lcns(v1[1]->LogChEntry), "1234:1 2345:!200 3456:16383");

  std::vector<const TNorDigLogicalChannelDescriptorV2*> v2 = All<TNorDigLogicalChannelDescriptorV2>(loop);
  ASSERT_EQ(v2.size(), 2u);
  EXPECT_TRUE(v2[0]->ChListEntry.empty());
  const std::vector<TNorDigChListEntry>& lists = v2[1]->ChListEntry;
  ASSERT_EQ(lists.size(), 3u);
  const struct {
    uint8_t id;
    const char16_t* name;
    const char16_t* country;
    size_t services;
  } expected[] = {{0x01, u"list1", u"foo", 0}, {0xAB, u"list2", u"bar", 3}, {0x05, u"", u"abc", 0}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(lists[i].ChListID, expected[i].id);
    EXPECT_EQ(lists[i].ChListName, expected[i].name);
    EXPECT_EQ(ThreeCharCodeText(lists[i].CountryCode), expected[i].country);
    EXPECT_EQ(lists[i].LogChEntry.size(), expected[i].services);
  }
  // These lists carry 10-bit numbers under five set reserved bits; the 14-bit field
  // keeps four of those bits, so only the low ten are the channel numbers.
  EXPECT_EQ(Lcns(lists[1].LogChEntry, 0x3FF), "1234:1 2345:!200 3456:1023");
}

TEST_F(CaptureSampleTest, ItcNumbersAndARawHdSimulcastUnderTheUkSpecifier) {
  const TBasicDescriptorArray& loop = NetworkLoop("synthetic-tsduck-test-067-dtg-lcn-hdsimulcast.ts", kPrivSpecItc);
  std::vector<const TItcLogicalChannelDescriptor*> itc = All<TItcLogicalChannelDescriptor>(loop);
  ASSERT_EQ(itc.size(), 2u);
  EXPECT_TRUE(itc[0]->LogChEntry.empty());
  EXPECT_EQ(Lcns(itc[1]->LogChEntry), "1234:1021 5678:!10 9ABC:85");
  // No HD simulcast class outside EACEM: the 0x88 keeps its bytes.
  std::vector<const TUserDefinedDescriptor*> raw;
  for (const auto* d : All<TUserDefinedDescriptor>(loop))
    if (d->Tag == 0x88) raw.push_back(d);
  ASSERT_EQ(raw.size(), 2u);
  EXPECT_TRUE(raw[0]->Data.empty());
  ASSERT_EQ(raw[1]->Data.size(), 4u);
  EXPECT_EQ(HexDigits((raw[1]->Data[0] << 8) | raw[1]->Data[1], 4), "1234");
  EXPECT_EQ(raw[1]->Data[2] >> 7, 0);  // invisible
  EXPECT_EQ(RawEacemNumbers(raw[1]->Data), std::vector<int>{987});
}

// Damaged captures: bytes changed in the packets, and sections changed with their CRC
// made right again so that the descriptor decoders see the damage.
TEST_F(CaptureSampleTest, DamagedSamplesNeverCrash) {
  std::mt19937 rng(7);
  for (const SampleCase& c : kSamples) {
    SCOPED_TRACE(c.file);
    const Bytes clean = ReadFileBytes(test::SamplesDir() / c.file);
    TCaptureResult good = ReadSample(c.file, c.network);
    ASSERT_TRUE(good.Ok());
    for (int round = 0; round < 40; ++round) {
      Bytes bytes = clean;
      for (int k = 0; k < 1 + round % 5; ++k) bytes[rng() % bytes.size()] = static_cast<uint8_t>(rng());
      ReadNitCapture(bytes);
      ReadNitSections(bytes);

      std::vector<Bytes> sections = good.Run->Sections;
      Bytes& s = sections[rng() % sections.size()];
      for (int k = 0; k < 1 + round % 3; ++k) s[8 + rng() % (s.size() - 12)] = static_cast<uint8_t>(rng());
      Resign(s);
      TCaptureResult r = ReadNitSections(Concat(sections));
      if (r.Ok()) {
        TNIT damaged;
        LoadCaptureRun(damaged, *r.Run);
      }
    }
  }
}

// ---------------------------------------------------------------- reading in pieces

// The capture fed in pieces that end at `cuts` (ascending), then the rest.
TCaptureResult ReadCut(TCaptureFormat format, ByteView bytes, const std::vector<size_t>& cuts,
                       const TCaptureOptions& options = {}) {
  TCaptureReader reader(format, options);
  size_t from = 0;
  for (size_t cut : cuts) {
    reader.Feed(bytes.subspan(from, cut - from));
    from = cut;
  }
  reader.Feed(bytes.subspan(from));
  return reader.Finish();
}

// Cuts every `step` bytes, the first at `first` (at `step` when 0).
std::vector<size_t> Cuts(size_t size, size_t step, size_t first = 0) {
  std::vector<size_t> cuts;
  for (size_t at = first == 0 ? step : first; at < size; at += step) cuts.push_back(at);
  return cuts;
}

std::vector<size_t> RandomCuts(size_t size, size_t most, std::mt19937& rng) {
  std::vector<size_t> cuts;
  for (size_t at = 1 + rng() % most; at < size; at += 1 + rng() % most) cuts.push_back(at);
  return cuts;
}

// Enough of a result to tell two apart in a failure message.
std::string Summary(const TCaptureResult& r) {
  std::string out = r.Ok() ? Format("run %2.2X/%4.4X v%d, %zu sections", r.Run->TableID, r.Run->NetworkID,
                                    r.Run->Version, r.Run->Sections.size())
                           : "no run: " + r.Error;
  for (const TSeenNetwork& n : r.Networks)
    out += Format("; %2.2X/%4.4X%s", n.TableID, n.NetworkID, n.Complete ? " complete" : "");
  return out;
}

struct PieceCapture {
  std::string name;
  TCaptureFormat format;
  Bytes bytes;
  TCaptureOptions options;
  bool ok;  // the whole capture gives a run
};

std::vector<PieceCapture> PieceCaptures() {
  std::vector<PieceCapture> out;
  for (const SampleCase& c : kSamples) {
    const bool raw = std::string_view(c.file).ends_with(".bin");
    out.push_back({c.file, raw ? TCaptureFormat::Sections : TCaptureFormat::Packets,
                   ReadFileBytes(test::SamplesDir() / c.file), {c.network}, true});
  }
  const std::vector<Bytes> table = Table(0x0777, {400, 250});
  const Bytes clean = Join(PackEach(table));

  Bytes junk(5, 0x47);
  junk.insert(junk.end(), clean.begin(), clean.end());
  junk.insert(junk.end(), clean.begin(), clean.begin() + 100);
  out.push_back({"stray sync bytes before, a packet cut off after", TCaptureFormat::Packets, junk, {}, true});

  TRPages damaged = PackEach(table);
  damaged.erase(damaged.begin() + 1);
  RawString lostSync = test::MakePacket(0x0011, true, 0, {0x00, 0x40, 0xF0, 0x20});
  lostSync[0] = 0x00;
  damaged.insert(damaged.begin() + 2, lostSync);
  out.push_back({"a lost packet and a lost sync byte, then a clean copy", TCaptureFormat::Packets,
                 Join(damaged + PackEach(table, 9)), {}, true});

  Bytes resync = clean;
  const Bytes gap = {0x00, 0x47, 0x00};
  resync.insert(resync.begin() + 2 * RPAGE_LEN, gap.begin(), gap.end());
  resync.insert(resync.end(), clean.begin(), clean.end());
  out.push_back({"sync lost and found again between packets", TCaptureFormat::Packets, resync, {}, true});

  Bytes lone = {0x00, 0x00};
  const Bytes single = Join(PackEach({Sec(0x40, 0x0005, 2, 0, 0, 100)}));
  lone.insert(lone.end(), single.begin(), single.end());
  out.push_back({"one packet after junk, ending the capture", TCaptureFormat::Packets, lone, {}, true});

  const Bytes foreign = Sec(0x72, 0x0001, 0, 0, 0, 30);
  const std::vector<Bytes> actual = Table(0x000B, {150, 300});
  out.push_back({"back to back with adaptation fields, the network asked for",
                 TCaptureFormat::Packets,
                 Join(PackTight({foreign, Sec(0x41, 0x000A, 1, 0, 0), actual[1], actual[0], actual[1],
                                 Sec(0x40, 0x000A, 3, 0, 0)},
                                7)),
                 {0x000A},
                 true});

  // A foreign section as long as the length field allows: the tail holds nearly all of it.
  Bytes longest(0x0FFF + 3, 0x5A);
  longest[0] = 0x72;
  longest[1] = 0x7F;
  longest[2] = 0xFF;
  const std::vector<Bytes> raw = Table(0x0200, {500, 16, 1024});
  Bytes cut = raw[0];
  cut.pop_back();
  out.push_back({"raw sections with stuffing, the longest foreign one and one cut off at the end",
                 TCaptureFormat::Sections,
                 Concat({Bytes(2, 0xFF), raw[1], longest, Bytes(3, 0xFF), raw[2], raw[0], cut}),
                 {},
                 true});
  // The header's length reaches past the end, so nothing after it may count.
  out.push_back({"a raw header that swallows the rest", TCaptureFormat::Sections,
                 Concat({raw[0], Bytes{0x40, 0x8F, 0xFF}, raw[0], raw[1], raw[2]}), {}, false});
  return out;
}

TCaptureResult ReadWhole(const PieceCapture& c) {
  return c.format == TCaptureFormat::Packets ? ReadNitCapture(c.bytes, c.options) : ReadNitSections(c.bytes, c.options);
}

TEST_F(CaptureReaderTest, PiecesGiveWhatTheWholeCaptureGives) {
  std::mt19937 rng(188);
  for (const PieceCapture& c : PieceCaptures()) {
    SCOPED_TRACE(c.name);
    const TCaptureResult whole = ReadWhole(c);
    ASSERT_EQ(whole.Ok(), c.ok) << Summary(whole);
    const size_t size = c.bytes.size();
    std::vector<std::pair<std::string, std::vector<size_t>>> ways;
    for (size_t step : {1, 187, 188, 189, 4096}) ways.emplace_back(Format("every %zu bytes", step), Cuts(size, step));
    for (size_t most : {5, 400, 400, 6000})
      ways.emplace_back(Format("random up to %zu", most), RandomCuts(size, most, rng));
    // Around the packet borders: all of them shifted, and each one alone.
    for (size_t shift = 1; shift <= 4; ++shift)
      ways.emplace_back(Format("every packet, shifted by %zu", shift), Cuts(size, RPAGE_LEN, shift));
    if (c.format == TCaptureFormat::Sections) {
      for (size_t at = 1; at < size; ++at) ways.emplace_back(Format("at %zu", at), std::vector<size_t>{at});
    } else {
      for (size_t border = 0; border <= size; border += RPAGE_LEN)
        for (size_t at = border < 2 ? 1 : border - 2; at <= border + 2 && at < size; ++at)
          ways.emplace_back(Format("at %zu", at), std::vector<size_t>{at});
    }
    for (const auto& [way, cuts] : ways) {
      const TCaptureResult pieces = ReadCut(c.format, c.bytes, cuts, c.options);
      ASSERT_TRUE(pieces == whole) << way << ": " << Summary(pieces) << " instead of " << Summary(whole);
    }
  }
}

TEST_F(CaptureReaderTest, FalseSyncByteAtTheEndOfAPiece) {
  // The one copy of the table starts right after a stray sync byte; a packet further
  // on from that byte lies in the next piece and has none, so the byte must wait for it.
  const std::vector<Bytes> table = Table(0x0321, {300, 16});
  const Bytes packets = Join(PackEach(table));
  for (const Bytes& junk : {Bytes{0x47}, Bytes{0x00, 0x47}, Bytes{0x47, 0x47, 0x47}}) {
    SCOPED_TRACE(HexBytes(junk));
    Bytes capture = Concat({junk, packets});
    ASSERT_NE(capture[junk.size() - 1 + RPAGE_LEN], 0x47);
    for (size_t cut : {junk.size(), junk.size() + 1, junk.size() - 1 + RPAGE_LEN, junk.size() + RPAGE_LEN}) {
      SCOPED_TRACE(cut);
      ExpectRun(ReadCut(TCaptureFormat::Packets, capture, {cut}), table);
    }
    ExpectRun(ReadCut(TCaptureFormat::Packets, capture, Cuts(capture.size(), 1)), table);
  }
}

struct SettleCase {
  const char* name;
  std::vector<Bytes> sections;  // fed one a piece
  std::optional<uint16_t> network;
  std::vector<bool> settled;  // after each piece
  uint16_t chosen;            // the network of the run that settled it
};

TEST_F(CaptureReaderTest, SettledOnceAnActualTableOfTheNetworkIsComplete) {
  auto s = [](uint8_t tid, uint16_t nid, uint8_t v, uint8_t sec, uint8_t last) { return Sec(tid, nid, v, sec, last); };
  const SettleCase cases[] = {
      {"an actual table when its last section comes", {s(0x40, 0xA, 1, 1, 1), s(0x40, 0xA, 1, 0, 1)}, {}, {false, true},
       0xA},
      {"never for other tables alone", {s(0x41, 0xA, 1, 0, 0), s(0x41, 0xB, 1, 0, 0)}, {}, {false, false}, 0},
      {"nor for the other table of the network asked for, until its actual one",
       {s(0x41, 0xA, 1, 0, 0), s(0x40, 0xB, 1, 0, 0), s(0x40, 0xA, 2, 0, 0)},
       0xA,
       {false, false, true},
       0xA},
      {"not by sections of two versions", {s(0x40, 0xA, 4, 0, 1), s(0x40, 0xA, 5, 1, 1)}, {}, {false, false}, 0},
      {"and for good", {s(0x40, 0xA, 1, 0, 0), s(0x40, 0xB, 1, 0, 0), s(0x41, 0xC, 1, 0, 0)}, {}, {true, true, true},
       0xA},
  };
  for (const SettleCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (TCaptureFormat format : {TCaptureFormat::Sections, TCaptureFormat::Packets}) {
      TCaptureReader reader(format, {c.network});
      EXPECT_FALSE(reader.Settled());
      // Twice: the reader starts afresh after Finish.
      for (int round = 0; round < 2; ++round) {
        // Packets: a packet of another PID first, so that sync is held and each packet
        // of ours counts in the piece that brings it.
        if (format == TCaptureFormat::Packets) reader.Feed(AsBytes(test::MakePacket(0x1FFF, false, 0, {})));
        for (size_t i = 0; i < c.sections.size(); ++i) {
          reader.Feed(format == TCaptureFormat::Sections ? c.sections[i]
                                                         : Join(PackEach({c.sections[i]}, static_cast<int>(i))));
          EXPECT_EQ(reader.Settled(), c.settled[i]) << "after piece " << i;
        }
        const TCaptureResult r = reader.Finish();
        EXPECT_FALSE(reader.Settled());
        if (c.settled.back()) {
          ASSERT_TRUE(r.Ok());
          EXPECT_EQ(r.Run->TableID, 0x40);
          EXPECT_EQ(r.Run->NetworkID, c.chosen);
        }
      }
    }
  }
}

}  // namespace
}  // namespace quillon
