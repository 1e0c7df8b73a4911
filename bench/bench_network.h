#pragma once
// The network every benchmark measures, as plain values that both our editor and
// libdvbpsi are filled from, so both sides build and decode the same table.
//
// A cable network whose streams each carry 63 services (the most one logical channel
// descriptor holds), with a service list, the private data specifier and an EACEM
// logical channel descriptor: 470 bytes a stream, two streams a section. With a network
// name of at most 66 characters, our builder and libdvbpsi's generator lay the sections
// out alike, so n streams make (n + 1) / 2 sections on either side.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/nit_editor.h"

namespace quillon::bench {

inline constexpr int kServicesPerStream = 63;

struct BenchService {
  uint16_t id = 0;
  uint8_t type = 0;
  uint16_t lcn = 0;  // 10 bits, as cable carries it
  bool visible = true;
};

struct BenchStream {
  uint16_t tsid = 0;
  uint16_t onid = 0;
  double frequencyMHz = 0;
  double symbolRateMsym = 0;
  uint8_t fecOuter = 0, modulation = 0, fecInner = 0;
  std::vector<BenchService> services;
};

struct BenchNetwork {
  uint16_t id = 0;
  uint8_t version = 0;
  std::string name;  // Latin-1, one byte a character
  std::vector<BenchStream> streams;
};

// The network of `streams` transport streams.
BenchNetwork MakeBenchNetwork(int streams);

// Round(value * 10^4) as eight BCD digits: how the cable delivery descriptor carries
// MHz and Msymbol/s.
uint32_t Bcd4(double value);

// A scratch folder removed with the object.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// An editor holding the network as a project, over a scratch program folder that the
// editor never writes back to.
class BenchProject {
 public:
  explicit BenchProject(const BenchNetwork& network);
  TNitEditor& Editor() { return *editor_; }
  const std::filesystem::path& Folder() const { return scratch_.Path(); }

 private:
  ScratchFolder scratch_;
  std::unique_ptr<TNitEditor> editor_;
};

// The 188-byte packets of the project's NIT, as the export sends them.
RawString BuildOurPackets(TNitEditor& editor);

// A network of `streams` streams, its project and the packets we build of it: what the
// decoding benchmarks read.
struct BuiltNetwork {
  explicit BuiltNetwork(int streams)
      : network(MakeBenchNetwork(streams)), project(network), packets(BuildOurPackets(project.Editor())) {}
  BenchNetwork network;
  BenchProject project;
  RawString packets;
};

// Stops the benchmark program with a message: a figure taken from a wrong table is worse
// than none.
[[noreturn]] void Abort(const std::string& what);

}  // namespace quillon::bench
