// libdvbpsi as an independent peer for the NIT: it decodes the packets we build, and we
// decode the sections it generates. Both sides are reduced to one plain description of
// the network, so a value that changes on the way shows as a field that differs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <variant>

#include "core/rpages.h"
#include "descriptors/logical_channel.h"
#include "descriptors/network.h"
#include "nit/nit_table.h"
#include "peer/dvbpsi_peer.h"
#include "platform/dialogs.h"
#include "support/core_fixtures.h"
#include "support/nit_fixtures.h"
#include "support/test_util.h"

namespace quillon {
namespace {

// ------------------------------------------------------------------ the plain description

// Frequencies and symbol rates stay in their wire form (BCD digits, units of 10 Hz):
// libdvbpsi hands them out undecoded, as our classes hold them.
struct Cable {
  uint32_t frequencyBcd = 0;
  uint8_t fecOuter = 0;
  uint8_t modulation = 0;
  uint32_t symbolRateBcd = 0;
  uint8_t fecInner = 0;
  bool operator==(const Cable&) const = default;
};

struct Terrestrial {
  uint32_t centre10Hz = 0;
  uint8_t bandwidth = 0, priority = 0, timeSlicing = 0, mpeFec = 0, constellation = 0, hierarchy = 0,
          codeRateHP = 0, codeRateLP = 0, guardInterval = 0, transmissionMode = 0, otherFrequency = 0;
  bool operator==(const Terrestrial&) const = default;
};

struct Service {
  uint16_t id = 0;
  uint8_t type = 0;
  bool operator==(const Service&) const = default;
};

struct Lcn {
  uint16_t serviceId = 0;
  bool visible = false;
  uint16_t number = 0;
  bool operator==(const Lcn&) const = default;
};

struct Stream {
  uint16_t tsid = 0, onid = 0;
  std::vector<uint8_t> tags;  // the descriptors of the entry, in loop order
  std::variant<Cable, Terrestrial> delivery;
  std::vector<Service> services;
  uint32_t privateDataSpecifier = 0;
  std::vector<Lcn> lcns;
  bool operator==(const Stream&) const = default;
};

struct Network {
  uint16_t id = 0;
  uint8_t version = 0;
  bool currentNext = false;
  RawString name;  // the bytes of the network name
  std::vector<Stream> streams;
};

std::ostream& operator<<(std::ostream& o, const Cable& c) {
  return o << std::hex << "cable{f=" << c.frequencyBcd << " fecO=" << +c.fecOuter << " mod=" << +c.modulation
           << " sr=" << c.symbolRateBcd << " fecI=" << +c.fecInner << "}" << std::dec;
}
std::ostream& operator<<(std::ostream& o, const Terrestrial& t) {
  return o << "terrestrial{f=" << t.centre10Hz << " bw=" << +t.bandwidth << " prio=" << +t.priority
           << " ts=" << +t.timeSlicing << " mpe=" << +t.mpeFec << " const=" << +t.constellation
           << " hier=" << +t.hierarchy << " hp=" << +t.codeRateHP << " lp=" << +t.codeRateLP
           << " gi=" << +t.guardInterval << " mode=" << +t.transmissionMode << " of=" << +t.otherFrequency << "}";
}
std::ostream& operator<<(std::ostream& o, const Stream& s) {
  o << std::hex << "ts " << s.tsid << "/" << s.onid << " tags";
  for (uint8_t t : s.tags) o << " " << +t;
  o << std::dec << " ";
  std::visit([&](const auto& d) { o << d; }, s.delivery);
  o << " services";
  for (const Service& v : s.services) o << " " << v.id << ":" << +v.type;
  o << " pds " << s.privateDataSpecifier << " lcn";
  for (const Lcn& l : s.lcns) o << " " << l.serviceId << (l.visible ? "+" : "-") << l.number;
  return o;
}

// n digits of `value` in BCD.
uint32_t Bcd(uint32_t value, int digits) {
  uint32_t out = 0;
  for (int i = 0; i < digits; ++i, value /= 10) out |= (value % 10) << (4 * i);
  return out;
}

constexpr uint8_t kTagName = 0x40, kTagServiceList = 0x41, kTagCable = 0x44, kTagTerrestrial = 0x5A,
                  kTagPrivateData = 0x5F, kTagLcn = 0x83;

// Cable and terrestrial entries take turns; every field walks through its values, the
// 3-bit ones up to all-ones, and the channel numbers reach the 10-bit maximum.
//
// The name's length matters to the peer's generator. Before it writes an entry it checks
// the room for each descriptor without counting that descriptor itself, and it writes
// against a smaller limit than it checks; an entry that starts within the last 15 bytes
// of that window stays in the section and loses its last descriptors ("unable to carry
// all the TS descriptors") where it should have opened the next section. With this name
// no entry of a peer-made section starts there; the check of the generator's messages
// says so should the layout ever change.
Network MakeNetwork(uint16_t id, uint8_t version, bool currentNext, int streamCount) {
  Network n{id, version, currentNext, "Stadtnetz S\xFC" "d Kabel und Antenne", {}};
  static const uint8_t kFecInner[] = {1, 2, 3, 4, 5, 15};
  static const uint8_t kServiceTypes[] = {0x01, 0x02, 0x19};
  for (int i = 0; i < streamCount; ++i) {
    const int k = i / 2;
    Stream s;
    s.tsid = static_cast<uint16_t>(0x0100 + i);
    s.onid = static_cast<uint16_t>(0x2F00 + i);
    if (i % 2 == 0) {
      s.delivery = Cable{Bcd(1140000 + 80000u * i, 8), static_cast<uint8_t>(1 + k % 2), static_cast<uint8_t>(1 + k % 5),
                         Bcd(69000 - 1250u * (k % 4), 7), kFecInner[k % 6]};
    } else {
      auto bit = [&](int b) { return static_cast<uint8_t>((k >> b) & 1); };
      s.delivery = Terrestrial{(474 + 8u * i) * 100000u, static_cast<uint8_t>(k % 4), bit(0), bit(1), bit(2),
                               static_cast<uint8_t>(k % 3), static_cast<uint8_t>(k % 8), static_cast<uint8_t>(k % 5),
                               static_cast<uint8_t>((k + 3) % 5), static_cast<uint8_t>(k % 4),
                               static_cast<uint8_t>(k % 3), bit(1)};
    }
    s.tags = {i % 2 == 0 ? kTagCable : kTagTerrestrial, kTagServiceList, kTagPrivateData, kTagLcn};
    for (int j = 0; j < 3; ++j) {
      auto sid = static_cast<uint16_t>(0x1000 + 4 * i + j);
      s.services.push_back({sid, kServiceTypes[j]});
      s.lcns.push_back({sid, j != 2, static_cast<uint16_t>(j == 2 ? 1023 - i : 1 + 3 * i + j)});
    }
    s.privateDataSpecifier = kPrivSpecEacem;
    n.streams.push_back(std::move(s));
  }
  return n;
}

// ------------------------------------------------------------------ ours

std::unique_ptr<TBasicDescriptor> OurDescriptor(uint8_t tag, const Stream& s) {
  switch (tag) {
    case kTagCable: {
      const auto& c = std::get<Cable>(s.delivery);
      auto d = std::make_unique<TCableDelivSysDescriptor>();
      d->Freq = c.frequencyBcd;
      d->ReservedFU = 0xFFF;
      d->FECo = c.fecOuter;
      d->Modu = c.modulation;
      d->Symb = c.symbolRateBcd;
      d->FECi = c.fecInner;
      d->Length = 11;
      return d;
    }
    case kTagTerrestrial: {
      const auto& t = std::get<Terrestrial>(s.delivery);
      auto d = std::make_unique<TTerrestDelivSysDescriptor>();
      d->CentreFreq = t.centre10Hz;
      d->Bandwidth = t.bandwidth;
      d->Priority = t.priority;
      d->TimeSliceInd = t.timeSlicing;
      d->MPEFECInd = t.mpeFec;
      d->ReservedFU1 = 3;
      d->Constellation = t.constellation;
      d->HierarchyInfo = t.hierarchy;
      d->CodeRateHP = t.codeRateHP;
      d->CodeRateLP = t.codeRateLP;
      d->GuardInterval = t.guardInterval;
      d->TransMode = t.transmissionMode;
      d->OtherFreqFlag = t.otherFrequency;
      d->ReservedFU2 = 0xFFFFFFFF;
      d->Length = 11;
      return d;
    }
    case kTagServiceList: {
      auto d = std::make_unique<TServiceListDescriptor>();
      for (const Service& v : s.services) d->Service.push_back({v.id, v.type});
      d->Length = static_cast<uint8_t>(3 * d->Service.size());
      return d;
    }
    case kTagPrivateData: {
      auto d = std::make_unique<TPrivDataSpecDescriptor>();
      d->DataSpec = s.privateDataSpecifier;
      d->Length = 4;
      return d;
    }
    case kTagLcn: {
      auto d = std::make_unique<TEacemLogicalChannelDescriptor>();
      for (const Lcn& l : s.lcns) d->LogChEntry.push_back({l.serviceId, static_cast<uint8_t>(l.visible), 0x1F, l.number});
      d->Length = static_cast<uint8_t>(4 * d->LogChEntry.size());
      return d;
    }
  }
  ADD_FAILURE() << "no descriptor for tag " << +tag;
  return nullptr;
}

// As the editor builds: the name in section 0, a new section whenever the next entry would
// take the two loops past their budget, every length from the content, then the CRCs.
std::unique_ptr<TNITTable> BuildOurs(const Network& n) {
  auto table = std::make_unique<TNITTable>(kTableIdNitActual);
  table->SetTableIdent({kNitPID, kTableIdNitActual, 0, n.id});
  TNISection* section = nullptr;
  uint32_t loops = 0;
  auto open = [&] {
    section = table->Section(table->AddSection(kTableIdNitActual));
    test::SetGeneratedHeader(*section, n.id, n.version, n.currentNext ? 1 : 0);
    loops = 0;
  };
  open();
  auto name = std::make_unique<TNetworkNameDescriptor>();
  for (char c : n.name) name->NetName.push_back(static_cast<uint8_t>(c));
  name->Length = static_cast<uint8_t>(n.name.size());
  section->NWDesc.push_back(std::move(name));
  loops = DescriptorLoopLength(section->NWDesc);

  for (const Stream& s : n.streams) {
    auto e = std::make_unique<TTransportStreamEntry>();
    e->SetTSID(s.tsid);
    e->SetOrgNetID(s.onid);
    e->SetReservedFU(15);
    for (uint8_t tag : s.tags)
      if (auto d = OurDescriptor(tag, s)) e->TSDescriptor.push_back(std::move(d));
    uint32_t size = 6 + DescriptorLoopLength(e->TSDescriptor);
    if (loops + size > static_cast<uint32_t>(kSectionLoopBudget)) open();
    loops += size;
    section->TSEntry.push_back(std::move(e));
  }
  for (int i = 0; i < table->Sections(); ++i) {
    test::FixLengths(*table->Section(i));
    table->Section(i)->UpdateCRC();
  }
  return table;
}

// What our decoded table says, with every section's header checked on the way.
Network FromOurs(const TNITTable& t) {
  Network n;
  for (int i = 0; i < t.Sections(); ++i) {
    const TNISection* s = t.Section(i);
    if (!s) {
      ADD_FAILURE() << "no section " << i;
      continue;
    }
    SCOPED_TRACE("section " + std::to_string(i));
    EXPECT_TRUE(s->CRCOK());
    EXPECT_EQ(s->TableID(), kTableIdNitActual);
    EXPECT_EQ(s->SectionNumber(), i);
    EXPECT_EQ(s->LastSectionNumber(), t.Sections() - 1);
    if (i == 0) {
      n.id = s->NetworkID();
      n.version = s->VersionNumber();
      n.currentNext = s->CurrentNextIndicator() != 0;
    } else {
      EXPECT_EQ(s->NetworkID(), n.id);
      EXPECT_EQ(s->VersionNumber(), n.version);
      EXPECT_EQ(s->CurrentNextIndicator() != 0, n.currentNext);
    }
    for (const auto& d : s->NWDesc) {
      if (auto* name = dynamic_cast<const TNetworkNameDescriptor*>(d.get())) {
        for (char16_t c : name->NetName) {
          EXPECT_LT(c, 0x100);
          n.name.push_back(static_cast<char>(c));
        }
      } else {
        ADD_FAILURE() << "network loop: " << d->ClassName();
      }
    }
    for (const auto& e : s->TSEntry) {
      Stream st;
      st.tsid = e->TSID();
      st.onid = e->OrgNetID();
      for (const auto& d : e->TSDescriptor) {
        st.tags.push_back(d->Tag);
        if (auto* c = dynamic_cast<const TCableDelivSysDescriptor*>(d.get())) {
          st.delivery = Cable{c->Freq, c->FECo, c->Modu, c->Symb, c->FECi};
        } else if (auto* t = dynamic_cast<const TTerrestDelivSysDescriptor*>(d.get())) {
          st.delivery = Terrestrial{t->CentreFreq,    t->Bandwidth,   t->Priority,      t->TimeSliceInd,
                                    t->MPEFECInd,     t->Constellation, t->HierarchyInfo, t->CodeRateHP,
                                    t->CodeRateLP,    t->GuardInterval, t->TransMode,     t->OtherFreqFlag};
        } else if (auto* l = dynamic_cast<const TServiceListDescriptor*>(d.get())) {
          for (const TServiceListEntry& v : l->Service) st.services.push_back({v.ServiceID, v.ServiceType});
        } else if (auto* p = dynamic_cast<const TPrivDataSpecDescriptor*>(d.get())) {
          st.privateDataSpecifier = p->DataSpec;
        } else if (auto* lcn = dynamic_cast<const TEacemLogicalChannelDescriptor*>(d.get());
                   lcn && std::string(d->ClassName()) == "TEacemLogicalChannelDescriptor") {
          for (const TEacemLogChEntry& x : lcn->LogChEntry) st.lcns.push_back({x.ServiceID, x.Visible != 0, x.ChannelNo});
        } else {
          ADD_FAILURE() << "ts " << st.tsid << ": " << d->ClassName();
        }
      }
      n.streams.push_back(std::move(st));
    }
  }
  return n;
}

// ------------------------------------------------------------------ the peer

// What libdvbpsi's NIT and descriptor decoders say.
Network FromPeer(const dvbpsi_nit_t& nit) {
  Network n;
  EXPECT_EQ(nit.i_table_id, kTableIdNitActual);
  EXPECT_EQ(nit.i_extension, nit.i_network_id);
  n.id = nit.i_network_id;
  n.version = nit.i_version;
  n.currentNext = nit.b_current_next;
  for (dvbpsi_descriptor_t* d = nit.p_first_descriptor; d; d = d->p_next) {
    dvbpsi_network_name_dr_t* name = d->i_tag == kTagName ? dvbpsi_DecodeNetworkNameDr(d) : nullptr;
    if (name)
      n.name.append(reinterpret_cast<const char*>(name->i_name_byte), name->i_name_length);
    else
      ADD_FAILURE() << "network loop: tag " << +d->i_tag;
  }
  for (dvbpsi_nit_ts_t* ts = nit.p_first_ts; ts; ts = ts->p_next) {
    Stream st;
    st.tsid = ts->i_ts_id;
    st.onid = ts->i_orig_network_id;
    for (dvbpsi_descriptor_t* d = ts->p_first_descriptor; d; d = d->p_next) {
      st.tags.push_back(d->i_tag);
      bool decoded = false;
      switch (d->i_tag) {
        case kTagCable:
          if (auto* c = dvbpsi_DecodeCableDelivSysDr(d)) {
            st.delivery = Cable{c->i_frequency, c->i_fec_outer, c->i_modulation, c->i_symbol_rate, c->i_fec_inner};
            decoded = true;
          }
          break;
        case kTagTerrestrial:
          if (auto* t = dvbpsi_DecodeTerrDelivSysDr(d)) {
            st.delivery = Terrestrial{t->i_centre_frequency,      t->i_bandwidth,           t->i_priority,
                                      t->i_time_slice_indicator,  t->i_mpe_fec_indicator,   t->i_constellation,
                                      t->i_hierarchy_information, t->i_code_rate_hp_stream, t->i_code_rate_lp_stream,
                                      t->i_guard_interval,        t->i_transmission_mode,   t->i_other_frequency_flag};
            decoded = true;
          }
          break;
        case kTagServiceList:
          if (auto* l = dvbpsi_DecodeServiceListDr(d)) {
            for (int i = 0; i < l->i_service_count; ++i)
              st.services.push_back({l->i_service[i].i_service_id, l->i_service[i].i_service_type});
            decoded = true;
          }
          break;
        case kTagPrivateData:  // the library has no decoder for it
          if (d->i_length == 4) {
            st.privateDataSpecifier = (uint32_t{d->p_data[0]} << 24) | (uint32_t{d->p_data[1]} << 16) |
                                      (uint32_t{d->p_data[2]} << 8) | d->p_data[3];
            decoded = true;
          }
          break;
        case kTagLcn:
          if (auto* l = dvbpsi_DecodeLCNDr(d)) {
            for (int i = 0; i < l->i_number_of_entries; ++i)
              st.lcns.push_back({l->p_entries[i].i_service_id, l->p_entries[i].b_visible_service_flag != 0,
                                 l->p_entries[i].i_logical_channel_number});
            decoded = true;
          }
          break;
      }
      if (!decoded) ADD_FAILURE() << "ts " << st.tsid << ": tag " << +d->i_tag << " not decoded";
    }
    n.streams.push_back(std::move(st));
  }
  return n;
}

void AddCopy(dvbpsi_nit_ts_t* ts, const peer::DescriptorPtr& d) {
  ASSERT_TRUE(d);
  dvbpsi_nit_ts_descriptor_add(ts, d->i_tag, d->i_length, d->p_data);
}

peer::DescriptorPtr PeerDescriptor(uint8_t tag, const Stream& s) {
  switch (tag) {
    case kTagCable: {
      const auto& c = std::get<Cable>(s.delivery);
      dvbpsi_cable_deliv_sys_dr_t dr{c.frequencyBcd, c.modulation, c.symbolRateBcd, c.fecInner, c.fecOuter};
      peer::DescriptorPtr d(dvbpsi_GenCableDelivSysDr(&dr, false));
      // The peer's generator never writes body byte 4 (the upper eight reserved_future_use
      // bits), so the section would carry whatever the heap held; we fill it as it should.
      // It also writes the lower four reserved_future_use bits as zeros instead of ones,
      // which we leave: our decoder must keep them as they are.
      if (d) d->p_data[4] = 0xFF;
      return d;
    }
    case kTagTerrestrial: {
      const auto& t = std::get<Terrestrial>(s.delivery);
      dvbpsi_terr_deliv_sys_dr_t dr{t.centre10Hz,    t.bandwidth,     t.priority,        t.timeSlicing,
                                    t.mpeFec,        t.constellation, t.hierarchy,       t.codeRateHP,
                                    t.codeRateLP,    t.guardInterval, t.transmissionMode, t.otherFrequency};
      return peer::DescriptorPtr(dvbpsi_GenTerrDelivSysDr(&dr, false));
    }
    case kTagServiceList: {
      dvbpsi_service_list_dr_t dr{};
      dr.i_service_count = static_cast<uint8_t>(s.services.size());
      for (size_t i = 0; i < s.services.size(); ++i) {
        dr.i_service[i].i_service_id = s.services[i].id;
        dr.i_service[i].i_service_type = s.services[i].type;
      }
      peer::DescriptorPtr d(dvbpsi_GenServiceListDr(&dr, false));
      // The peer's generator tags its service list 0x83 (a logical channel tag) instead
      // of 0x41; the body is right. Left alone, our decoder takes it, correctly, as a
      // private descriptor. We put the right tag on.
      if (d) d->i_tag = kTagServiceList;
      return d;
    }
    case kTagPrivateData: {  // no generator in the library: the four bytes by hand
      uint8_t body[4] = {static_cast<uint8_t>(s.privateDataSpecifier >> 24),
                         static_cast<uint8_t>(s.privateDataSpecifier >> 16),
                         static_cast<uint8_t>(s.privateDataSpecifier >> 8),
                         static_cast<uint8_t>(s.privateDataSpecifier)};
      return peer::DescriptorPtr(dvbpsi_NewDescriptor(kTagPrivateData, 4, body));
    }
    case kTagLcn: {
      // The peer writes the five reserved bits of each entry as zeros (they are ones on
      // the wire by convention) and ORs the channel number in unmasked, so a number above
      // 1023 would spill into them; our numbers stay within ten bits.
      dvbpsi_lcn_dr_t dr{};
      dr.i_number_of_entries = static_cast<uint8_t>(s.lcns.size());
      for (size_t i = 0; i < s.lcns.size(); ++i)
        dr.p_entries[i] = {s.lcns[i].serviceId, s.lcns[i].visible ? 1 : 0, s.lcns[i].number};
      return peer::DescriptorPtr(dvbpsi_GenLCNDr(&dr, false));
    }
  }
  ADD_FAILURE() << "no peer descriptor for tag " << +tag;
  return nullptr;
}

peer::NitPtr ToPeer(const Network& n) {
  peer::NitPtr nit(dvbpsi_nit_new(kTableIdNitActual, n.id, n.id, n.version, n.currentNext));
  dvbpsi_network_name_dr_t name{};
  name.i_name_length = static_cast<uint8_t>(n.name.size());
  std::memcpy(name.i_name_byte, n.name.data(), n.name.size());
  peer::DescriptorPtr d(dvbpsi_GenNetworkNameDr(&name, false));
  dvbpsi_nit_descriptor_add(nit.get(), d->i_tag, d->i_length, d->p_data);
  for (const Stream& s : n.streams) {
    dvbpsi_nit_ts_t* ts = dvbpsi_nit_ts_add(nit.get(), s.tsid, s.onid);
    for (uint8_t tag : s.tags) AddCopy(ts, PeerDescriptor(tag, s));
  }
  return nit;
}

// A section as SectionData gives it: pointer byte 0, then table_id .. CRC_32.
Bytes WithPointerByte(const Bytes& section) {
  Bytes out(section.size() + 1, 0x00);
  std::copy(section.begin(), section.end(), out.begin() + 1);
  return out;
}

// Sections (table_id .. CRC_32) as our packetiser sends them: pointer byte 0 in front,
// each section from a packet of its own, continuity counting over the whole table.
TRPages PacketsOf(const std::vector<Bytes>& sections) {
  TByteRPages packets;
  for (const Bytes& b : sections) {
    Bytes data = WithPointerByte(b);
    PackSection(packets, data, kNitPID, PacketCount(data));
  }
  TRPages pages;
  for (const TByteRPage& p : packets) pages.emplace_back(reinterpret_cast<const char*>(p.data()), p.size());
  RenumberContinuity(pages);
  return pages;
}

// ------------------------------------------------------------------ the tests

void ExpectSameNetwork(const Network& expected, const Network& actual) {
  EXPECT_EQ(actual.id, expected.id);
  EXPECT_EQ(actual.version, expected.version);
  EXPECT_EQ(actual.currentNext, expected.currentNext);
  EXPECT_EQ(HexBytes(AsBytes(actual.name)), HexBytes(AsBytes(expected.name)));
  ASSERT_EQ(actual.streams.size(), expected.streams.size());
  for (size_t i = 0; i < expected.streams.size(); ++i)
    EXPECT_EQ(actual.streams[i], expected.streams[i]) << "stream " << i;
}

struct PeerCase {
  const char* name;
  uint16_t networkId;
  uint8_t version;
  bool currentNext;
  int streams;
  size_t minSections;
};

const PeerCase kCases[] = {
    {"ThreeSections", 0x3A5C, 23, true, 48, 3},
    {"OneSectionNextVersion", 0xC0DE, 31, false, 2, 1},
};

class DvbpsiPeerTest : public ::testing::TestWithParam<PeerCase> {
 protected:
  void SetUp() override { ResetDescriptorState(); }
  void TearDown() override { EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{}); }

  Network Model() const {
    const PeerCase& c = GetParam();
    return MakeNetwork(c.networkId, c.version, c.currentNext, c.streams);
  }

  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
};

TEST_P(DvbpsiPeerTest, PeerDecodesOurPackets) {
  const Network model = Model();
  auto table = BuildOurs(model);
  ASSERT_GE(static_cast<size_t>(table->Sections()), GetParam().minSections);
  TRPages packets = test::SplitPackets(BuildTablePackets(*table));

  peer::NitReceiver receiver;
  for (size_t i = 0; i < packets.size(); ++i) {
    receiver.Push(packets[i]);
    // The peer's table does not tell how many sections it came in; completing only with
    // the last packet shows it read our section numbers and waited for every section.
    ASSERT_EQ(receiver.tables.size(), i + 1 == packets.size() ? 1u : 0u) << "after packet " << i;
  }
  // No complaint about CRCs, lengths or continuity counters.
  EXPECT_EQ(receiver.handle.messages, std::vector<std::string>{});
  ExpectSameNetwork(model, FromPeer(*receiver.tables[0]));
}

TEST_P(DvbpsiPeerTest, WeDecodePeerSections) {
  const Network model = Model();
  peer::Handle generator;
  peer::NitPtr nit = ToPeer(model);
  peer::SectionsPtr generated(dvbpsi_nit_sections_generate(generator.get(), nit.get(), kTableIdNitActual));
  ASSERT_TRUE(generated);
  EXPECT_EQ(generator.messages, std::vector<std::string>{});

  std::vector<Bytes> sections;
  for (const dvbpsi_psi_section_t* s = generated.get(); s; s = s->p_next) {
    sections.push_back(peer::SectionBytes(*s));
    EXPECT_EQ(sections.back().size(), s->i_length + 3u) << "peer section " << sections.size() - 1;
  }
  ASSERT_GE(sections.size(), GetParam().minSections);

  TNITTable ours(kTableIdNitActual);
  ASSERT_TRUE(ours.AddRPages(PacketsOf(sections), kAnyAddID));
  ASSERT_EQ(static_cast<size_t>(ours.Sections()), sections.size());
  EXPECT_EQ(ours.TableIdent().PID, kNitPID);
  EXPECT_EQ(ours.TableIdent().AddID, model.id);
  ExpectSameNetwork(model, FromOurs(ours));

  // Everything was kept, reserved bits included: each section encodes back to the
  // peer's bytes.
  for (size_t i = 0; i < sections.size(); ++i) {
    EXPECT_BYTES_EQ(WithPointerByte(sections[i]), ours.Section(static_cast<int>(i))->SectionData())
        << "section " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Nit, DvbpsiPeerTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The peer really checks what it is given: one flipped bit in the second section, and it
// reports the CRC and completes no table.
TEST(DvbpsiPeerCheck, PeerRefusesACorruptedSection) {
  ResetDescriptorState();
  auto table = BuildOurs(MakeNetwork(0x3A5C, 1, true, 48));
  ASSERT_GE(table->Sections(), 2);
  TRPages packets = test::SplitPackets(BuildTablePackets(*table));
  auto second = std::find_if(packets.begin() + 1, packets.end(),
                             [](const RawString& p) { return IsSectionStart(p, kNitPID); });
  ASSERT_NE(second, packets.end());
  (*second)[4 + 1 + 20] ^= 0x01;  // inside the first entry of section 1

  peer::NitReceiver receiver;
  for (const RawString& p : packets) receiver.Push(p);
  EXPECT_TRUE(receiver.tables.empty());
  EXPECT_THAT(receiver.handle.messages, ::testing::Contains(::testing::HasSubstr("CRC")));
}

}  // namespace
}  // namespace quillon
