// libdvbpsi's side: the same network built by its descriptor generators and its NIT
// generator, and our packets decoded by its demux and NIT decoder, with and without its
// descriptor decoders.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "bench_counters.h"
#include "bench_network.h"
#include "nit/capture_reader.h"
#include "peer/dvbpsi_peer.h"

namespace quillon::bench {
namespace {

constexpr uint8_t kTableId = 0x40;
constexpr uint16_t kPid = 0x0010;
constexpr size_t kPacket = 188, kPayload = 184;

// Hands a generated descriptor to a loop without copying it.
void Append(dvbpsi_descriptor_t*& list, dvbpsi_descriptor_t* d) {
  if (!d) Abort("libdvbpsi did not generate a descriptor");
  list = dvbpsi_AddDescriptor(list, d);
}

// The library generates sections but does not packetize them: each section starts a
// packet with pointer 0, the rest is padded with 0xFF, the counter runs over the table.
Bytes Packetize(const dvbpsi_psi_section_t* sections) {
  Bytes out;
  unsigned counter = 0;
  for (const dvbpsi_psi_section_t* s = sections; s; s = s->p_next) {
    const uint8_t* data = s->p_data;
    const size_t size = static_cast<size_t>(s->p_payload_end + 4 - s->p_data) + 1;  // with the pointer byte
    for (size_t pos = 0; pos < size; pos += kPayload) {
      const size_t at = out.size();
      out.resize(at + kPacket, 0xFF);
      uint8_t* p = out.data() + at;
      p[0] = 0x47;
      p[1] = static_cast<uint8_t>((pos == 0 ? 0x40 : 0x00) | (kPid >> 8));
      p[2] = static_cast<uint8_t>(kPid);
      p[3] = static_cast<uint8_t>(0x10 | (counter++ & 0x0F));
      const size_t n = std::min(kPayload, size - pos);
      if (pos == 0) {
        p[4] = 0;
        std::memcpy(p + 5, data, n - 1);
      } else {
        std::memcpy(p + 4, data + pos - 1, n);
      }
    }
  }
  return out;
}

Bytes BuildPeerPackets(dvbpsi_t* handle, const BenchNetwork& network) {
  peer::NitPtr nit(dvbpsi_nit_new(kTableId, network.id, network.id, network.version, true));
  dvbpsi_network_name_dr_t name{};
  name.i_name_length = static_cast<uint8_t>(network.name.size());
  std::memcpy(name.i_name_byte, network.name.data(), network.name.size());
  Append(nit->p_first_descriptor, dvbpsi_GenNetworkNameDr(&name, false));

  for (const BenchStream& s : network.streams) {
    dvbpsi_nit_ts_t* ts = dvbpsi_nit_ts_add(nit.get(), s.tsid, s.onid);
    if (!ts) Abort("libdvbpsi did not add a stream");

    dvbpsi_service_list_dr_t list{};
    list.i_service_count = static_cast<uint8_t>(s.services.size());
    for (size_t i = 0; i < s.services.size(); ++i) list.i_service[i] = {s.services[i].id, s.services[i].type};
    dvbpsi_descriptor_t* d = dvbpsi_GenServiceListDr(&list, false);
    if (d) d->i_tag = 0x41;  // the generator tags it 0x83
    Append(ts->p_first_descriptor, d);

    dvbpsi_cable_deliv_sys_dr_t cable{Bcd4(s.frequencyMHz), s.modulation, Bcd4(s.symbolRateMsym), s.fecInner,
                                      s.fecOuter};
    d = dvbpsi_GenCableDelivSysDr(&cable, false);
    if (d) d->p_data[4] = 0xFF;  // the generator never writes this reserved byte
    Append(ts->p_first_descriptor, d);

    uint8_t specifier[4] = {0x00, 0x00, 0x00, 0x28};  // EACEM; the library has no generator for it
    Append(ts->p_first_descriptor, dvbpsi_NewDescriptor(0x5F, 4, specifier));

    dvbpsi_lcn_dr_t lcn{};
    lcn.i_number_of_entries = static_cast<uint8_t>(s.services.size());
    for (size_t i = 0; i < s.services.size(); ++i)
      lcn.p_entries[i] = {s.services[i].id, s.services[i].visible, s.services[i].lcn};
    Append(ts->p_first_descriptor, dvbpsi_GenLCNDr(&lcn, false));
  }
  peer::SectionsPtr sections(dvbpsi_nit_sections_generate(handle, nit.get(), kTableId));
  return Packetize(sections.get());
}

struct PeerCount {
  size_t streams = 0, services = 0, channels = 0;
};

// Every descriptor through the library's decoder, as our decoder turns every one into
// an object.
PeerCount DecodePeerDescriptors(const dvbpsi_nit_t& nit) {
  PeerCount count;
  for (dvbpsi_descriptor_t* d = nit.p_first_descriptor; d; d = d->p_next)
    if (d->i_tag == 0x40 && !dvbpsi_DecodeNetworkNameDr(d)) Abort("libdvbpsi did not decode the network name");
  for (dvbpsi_nit_ts_t* ts = nit.p_first_ts; ts; ts = ts->p_next) {
    ++count.streams;
    for (dvbpsi_descriptor_t* d = ts->p_first_descriptor; d; d = d->p_next) {
      bool decoded = true;
      switch (d->i_tag) {
        case 0x41:
          if (auto* l = dvbpsi_DecodeServiceListDr(d)) count.services += l->i_service_count;
          else decoded = false;
          break;
        case 0x44: decoded = dvbpsi_DecodeCableDelivSysDr(d) != nullptr; break;
        case 0x5F: decoded = d->i_length == 4; break;
        case 0x83:
          if (auto* l = dvbpsi_DecodeLCNDr(d)) count.channels += l->i_number_of_entries;
          else decoded = false;
          break;
        default: decoded = false;
      }
      if (!decoded) Abort("libdvbpsi did not decode descriptor " + std::to_string(d->i_tag));
    }
  }
  return count;
}

// Our packets through the library's demux; the completed table, its descriptors decoded
// when `descriptors` is set.
PeerCount DecodePeer(Bytes& packets, bool descriptors) {
  peer::NitReceiver receiver;
  for (size_t p = 0; p + kPacket <= packets.size(); p += kPacket) receiver.Push(packets.data() + p);
  if (receiver.tables.size() != 1) Abort("libdvbpsi completed " + std::to_string(receiver.tables.size()) + " tables");
  if (descriptors) return DecodePeerDescriptors(*receiver.tables[0]);
  PeerCount count;
  for (dvbpsi_nit_ts_t* ts = receiver.tables[0]->p_first_ts; ts; ts = ts->p_next) ++count.streams;
  return count;
}

void BuildDvbpsi(benchmark::State& state) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  const BenchNetwork network = MakeBenchNetwork(streams);
  peer::Handle handle;
  for (auto _ : state) {
    Bytes packets = BuildPeerPackets(handle.get(), network);
    benchmark::DoNotOptimize(packets.data());
  }
  // Its table is the one we build: every section there, every stream whole.
  const TCaptureResult read = ReadNitCapture(BuildPeerPackets(handle.get(), network));
  if (!handle.messages.empty()) Abort("libdvbpsi's generator reported: " + handle.messages.front());
  if (!read.Ok() || read.Run->Sections.size() != static_cast<size_t>(sections))
    Abort("libdvbpsi laid the sections out otherwise");
  CountSections(state, sections);
}

void DecodeDvbpsi(benchmark::State& state, bool descriptors) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  const BuiltNetwork built(streams);
  Bytes packets(built.packets.begin(), built.packets.end());
  for (auto _ : state) benchmark::DoNotOptimize(DecodePeer(packets, descriptors).streams);
  const PeerCount count = DecodePeer(packets, true);
  const size_t services = built.network.streams.size() * kServicesPerStream;
  if (count.streams != built.network.streams.size() || count.services != services || count.channels != services)
    Abort("libdvbpsi read another table than was built");
  CountSections(state, sections);
}

}  // namespace

void RegisterPeerBenchmarks() {
  StreamRange(benchmark::RegisterBenchmark("build/dvbpsi", BuildDvbpsi));
  StreamRange(benchmark::RegisterBenchmark("decode/dvbpsi", DecodeDvbpsi, true));
  StreamRange(benchmark::RegisterBenchmark("decode-table/dvbpsi", DecodeDvbpsi, false));
}

}  // namespace quillon::bench
