// Our side: the NIT built from a project and packed, decoded from its packets, the
// project saved and loaded, the decoded tree, and the whole way from project to decoded
// table.
#include <benchmark/benchmark.h>

#include "bench_counters.h"
#include "bench_network.h"
#include "core/rpages.h"
#include "editor/project_file.h"
#include "nit/capture_reader.h"
#include "nit/nit_table.h"
#include "platform/stream.h"
#include "viewer/table_node.h"
#include "viewer/table_tree.h"

namespace quillon::bench {
namespace {

// The packets of a table read back: the capture reader's checks, then the table's own
// reassembly and every descriptor decoded.
void DecodeCapture(TNIT& nit, ByteView packets) {
  TCaptureResult result = ReadNitCapture(packets);
  if (!result.Ok() || !LoadCaptureRun(nit, std::move(*result.Run))) Abort("our decoder refused the benchmark packets: " + result.Error);
}

void ExpectDecoded(const TNIT& nit, const BenchNetwork& network, int sections) {
  const TNITTable& t = *nit.Actual();
  size_t streams = 0;
  for (int i = 0; i < t.Sections(); ++i) streams += t.Section(i)->TSEntry.size();
  if (t.Sections() != sections || streams != network.streams.size())
    Abort("our decoder read " + std::to_string(t.Sections()) + " sections and " + std::to_string(streams) +
          " streams; " + std::to_string(sections) + " and " + std::to_string(network.streams.size()) + " were built");
}

void BuildOurs(benchmark::State& state) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  BenchProject project(MakeBenchNetwork(streams));
  for (auto _ : state) {
    RawString packets = BuildOurPackets(project.Editor());
    benchmark::DoNotOptimize(packets.data());
  }
  if (project.Editor().NIT().Actual()->Sections() != sections) Abort("our build laid the sections out otherwise");
  CountSections(state, sections);
}

// The same packets as a capture: the capture reader (sync, counters, repeated and
// foreign sections, CRC) in front of the table, as `quillon-cli dump` reads a file.
void DecodeCaptureOurs(benchmark::State& state) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  const BuiltNetwork built(streams);
  for (auto _ : state) {
    TNIT nit;
    DecodeCapture(nit, AsBytes(built.packets));
    benchmark::DoNotOptimize(nit.Actual());
  }
  TNIT check;
  DecodeCapture(check, AsBytes(built.packets));
  ExpectDecoded(check, built.network, sections);
  CountSections(state, sections);
}

// The packets of the table as its page record, into the table: what a project's saved
// packets and libdvbpsi's demux go through (sorting, reassembly, CRC, every descriptor).
void DecodeOurs(benchmark::State& state) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  const BuiltNetwork built(streams);
  TRPageInfoArr infos;
  TRPageInfo& info =
      *infos[static_cast<size_t>(AddRPageInfo({kNitPID, kTableIdNitActual, 0, built.network.id}, infos))];
  for (size_t p = 0; p < built.packets.size(); p += RPAGE_LEN) info.RPages.push_back(built.packets.substr(p, RPAGE_LEN));
  for (auto _ : state) {
    TNIT nit;
    if (!nit.AddRPages(infos)) Abort("our table refused the benchmark packets");
    benchmark::DoNotOptimize(nit.Actual());
  }
  TNIT check;
  check.AddRPages(infos);
  ExpectDecoded(check, built.network, sections);
  CountSections(state, sections);
}

void TreeOurs(benchmark::State& state) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  const BuiltNetwork built(streams);
  TNIT nit;
  DecodeCapture(nit, AsBytes(built.packets));
  for (auto _ : state) {
    TTableTree tree = CreateTree(nit);
    benchmark::DoNotOptimize(&tree);
  }
  CountSections(state, sections);
}

// The project block in memory: what saving and loading cost without the disk.
void SaveOurs(benchmark::State& state) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  BenchProject project(MakeBenchNetwork(streams));
  for (auto _ : state) {
    TMemoryStream stream;
    project.Editor().SaveConfiguration(&stream);
    benchmark::DoNotOptimize(stream.Data().data());
  }
  CountSections(state, sections);
}

void LoadOurs(benchmark::State& state) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  BenchProject project(MakeBenchNetwork(streams));
  TMemoryStream saved;
  project.Editor().SaveConfiguration(&saved);
  BenchProject target(MakeBenchNetwork(1));
  for (auto _ : state) {
    TMemoryStream stream(saved.Data());
    if (!target.Editor().LoadConfiguration(&stream, kProjectFileVersion, kProjectFileVersion))
      Abort("the saved benchmark project does not load");
  }
  if (target.Editor().StreamCount() != project.Editor().StreamCount()) Abort("the loaded project lost streams");
  CountSections(state, sections);
}

// The .nip file on the scratch folder's file system, with its sync and rename.
void SaveLoadFileOurs(benchmark::State& state) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  BenchProject project(MakeBenchNetwork(streams));
  const std::filesystem::path file = project.Folder() / "bench.nip";
  for (auto _ : state) {
    SaveProjectFile(project.Editor(), file);
    LoadProjectFile(project.Editor(), file);
  }
  CountSections(state, sections);
}

// From the project to the decoded table: built, packed, scrambled as the head-end file
// holds it, descrambled and read back.
void PipelineOurs(benchmark::State& state) {
  const int streams = Streams(state), sections = SectionsFor(streams);
  const BenchNetwork network = MakeBenchNetwork(streams);
  BenchProject project(network);
  for (auto _ : state) {
    const Bytes exported = TNitEditor::ScrambleExport(AsBytes(BuildOurPackets(project.Editor())));
    TNIT nit;
    DecodeCapture(nit, TNitEditor::ScrambleExport(exported));
    benchmark::DoNotOptimize(nit.Actual());
  }
  CountSections(state, sections);
}

}  // namespace

void RegisterOurBenchmarks() {
  StreamRange(benchmark::RegisterBenchmark("build/ours", BuildOurs));
  StreamRange(benchmark::RegisterBenchmark("decode/ours", DecodeOurs));
  StreamRange(benchmark::RegisterBenchmark("decode-capture/ours", DecodeCaptureOurs));
  StreamRange(benchmark::RegisterBenchmark("tree/ours", TreeOurs));
  StreamRange(benchmark::RegisterBenchmark("save/ours", SaveOurs));
  StreamRange(benchmark::RegisterBenchmark("load/ours", LoadOurs));
  StreamRange(benchmark::RegisterBenchmark("save-load-file/ours", SaveLoadFileOurs));
  StreamRange(benchmark::RegisterBenchmark("pipeline/ours", PipelineOurs));
}

}  // namespace quillon::bench
