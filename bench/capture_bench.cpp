// The capture reader over a recording of a whole multiplex: a 1 GiB file of packets on
// many PIDs whose NIT comes only near its end, as `quillon-cli dump` meets it. Measured
// as bytes a second: the file read plainly in 1 MiB pieces, and the same read feeding
// every piece to the reader; and `quillon-cli dump` of the file with its peak memory. The
// file is generated once, next to this program, and is
// read from the page cache (it is read once after writing, before anything is timed).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <span>
#include <fstream>
#include <system_error>
#include <vector>

#include "bench_counters.h"
#include "bench_network.h"
#include "core/rpages.h"
#include "nit/capture_reader.h"
#include "platform/files.h"

namespace quillon::bench {
namespace {

constexpr size_t kPieceBytes = size_t{1} << 20;
constexpr size_t kPackets = (size_t{1} << 30) / RPAGE_LEN;
// The NIT is sent every 25000 packets (about every 1.5 s at 25 Mbit/s), here only in the
// last 100000 packets of the file.
constexpr size_t kNitFrom = kPackets - 100000;
constexpr size_t kNitEvery = 25000;
constexpr int kNitStreams = 6;  // three sections

// A small fast generator for the payloads: their content means nothing to the reader.
struct XorShift {
  uint64_t state = 0x9E3779B97F4A7C15ull;
  uint64_t operator()() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
};

// The packets of one multiplex slot after slot: eight programs of a video and two audio
// PIDs, their PMTs, PAT, SDT and EIT at their rates, null packets for stuffing, and the NIT
// on PID 0x0010 near the end. Counters run per PID; a PES start carries an adaptation
// field with a PCR, as video PIDs do.
class MultiplexWriter {
 public:
  explicit MultiplexWriter(const RawString& nitPackets) : nit_(nitPackets) {}

  void Packet(size_t slot, uint8_t* p) {
    if (slot >= kNitFrom && (slot - kNitFrom) % kNitEvery < nit_.size() / RPAGE_LEN) {
      std::memcpy(p, nit_.data() + ((slot - kNitFrom) % kNitEvery) * RPAGE_LEN, RPAGE_LEN);
      p[3] = static_cast<uint8_t>((p[3] & 0xF0) | (cc_[kNitPID]++ & 0x0F));
      return;
    }
    const size_t phase = slot % 2000;
    if (phase == 0) return Section(p, 0x0000, 0x00);               // PAT
    if (phase <= 8) return Section(p, 0x1000 + (phase - 1), 0x02);  // PMT of each program
    if (slot % 5000 == 9) return Section(p, 0x0011, 0x42);          // SDT
    if (slot % 400 == 10) return Section(p, 0x0012, 0x4E);          // EIT
    const uint64_t r = rng_();
    const unsigned program = r % 8, kind = (r >> 8) % 100;
    if (kind < 5) return Null(p);
    const uint16_t pid = static_cast<uint16_t>(0x0100 + 16 * program + (kind < 15 ? 1 + kind % 2 : 0));
    const bool start = (r >> 16) % 64 == 0;
    Header(p, pid, start, start ? 0x30 : 0x10);
    size_t at = 4;
    if (start) {
      p[4] = 7;     // adaptation field length
      p[5] = 0x10;  // PCR flag
      at = 12;
    }
    Fill(p + at, RPAGE_LEN - at);
  }

 private:
  void Header(uint8_t* p, uint16_t pid, bool start, uint8_t control) {
    p[0] = 0x47;
    p[1] = static_cast<uint8_t>((start ? 0x40 : 0) | (pid >> 8));
    p[2] = static_cast<uint8_t>(pid);
    p[3] = static_cast<uint8_t>(control | (cc_[pid]++ & 0x0F));
  }
  // A table start: pointer 0, the table_id and a section header, stuffing after it.
  void Section(uint8_t* p, uint16_t pid, uint8_t tableId) {
    Header(p, pid, true, 0x10);
    std::memset(p + 4, 0xFF, RPAGE_LEN - 4);
    const uint8_t head[] = {0x00, tableId, 0xB0, 0x40, 0x00, 0x01, 0xC1, 0x00, 0x00};
    std::memcpy(p + 4, head, sizeof head);
    Fill(p + 4 + sizeof head, 64);
  }
  void Null(uint8_t* p) {
    Header(p, 0x1FFF, false, 0x10);
    std::memset(p + 4, 0xFF, RPAGE_LEN - 4);
  }
  void Fill(uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; i += 8) {
      const uint64_t r = rng_();
      std::memcpy(p + i, &r, std::min<size_t>(8, n - i));
    }
  }

  const RawString& nit_;
  XorShift rng_;
  uint8_t cc_[0x2000] = {};
};

// Reads the file with read(2) into one page-aligned buffer (the system copies into such
// a buffer about twice as fast), handing each piece to `piece`.
template <class F>
size_t ReadPieces(const std::filesystem::path& file, F&& piece) {
  static constexpr std::align_val_t kPage{4096};
  const std::unique_ptr<uint8_t[], void (*)(uint8_t*)> owned(
      static_cast<uint8_t*>(::operator new[](kPieceBytes, kPage)), [](uint8_t* p) { ::operator delete[](p, kPage); });
  const std::span<uint8_t> buffer(owned.get(), kPieceBytes);
  const int fd = open(file.c_str(), O_RDONLY);
  if (fd < 0) Abort("cannot open " + file.string() + ": " + std::strerror(errno));
  size_t total = 0;
  for (;;) {
    const ssize_t n = read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Abort("cannot read " + file.string() + ": " + std::strerror(errno));
    if (n == 0) break;
    piece(ByteView(buffer.data(), static_cast<size_t>(n)));
    total += static_cast<size_t>(n);
  }
  close(fd);
  return total;
}

struct Capture {
  std::filesystem::path file;
  uint16_t networkId = 0;
  size_t bytes = 0;
};

// The capture, written once into the benchmark's build folder; a file of the right size
// from an earlier run is taken as it is.
const Capture& TheCapture() {
  static const Capture capture = [] {
    const BuiltNetwork nit(kNitStreams);
    Capture c{std::filesystem::path(QUILLON_BENCH_DATA_DIR) / "capture-bench-1gib-v1.ts", nit.network.id,
              kPackets * RPAGE_LEN};
    std::error_code error;
    if (std::filesystem::file_size(c.file, error) != c.bytes) {
      const std::filesystem::path part = c.file.string() + ".part";
      std::ofstream out(part, std::ios::binary | std::ios::trunc);
      MultiplexWriter writer(nit.packets);
      std::vector<uint8_t> block(kPieceBytes / RPAGE_LEN * RPAGE_LEN);
      for (size_t slot = 0; slot < kPackets;) {
        size_t n = 0;
        for (; n < block.size() / RPAGE_LEN && slot < kPackets; ++n, ++slot) writer.Packet(slot, &block[n * RPAGE_LEN]);
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n * RPAGE_LEN));
      }
      out.close();
      if (!out) Abort("cannot write the benchmark capture " + part.string() + " (1 GiB of disk space needed)");
      std::filesystem::rename(part, c.file);
    }
    ReadPieces(c.file, [](ByteView) {});  // into the page cache
    return c;
  }();
  return capture;
}

void ReadFile(benchmark::State& state) {
  const Capture& capture = TheCapture();
  for (auto _ : state) {
    const size_t bytes = ReadPieces(capture.file, [](ByteView piece) { benchmark::DoNotOptimize(piece.data()); });
    if (bytes != capture.bytes) Abort("the benchmark capture changed while read");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * capture.bytes));
}

void ReadFileIntoCaptureReader(benchmark::State& state) {
  const Capture& capture = TheCapture();
  size_t settledAt = 0;
  for (auto _ : state) {
    TCaptureReader reader(TCaptureFormat::Packets);
    size_t at = 0;
    settledAt = 0;
    // As the command reads it: the input's own pieces.
    TInputFile input(capture.file);
    for (std::span<uint8_t> piece; !(piece = input.ReadPiece()).empty();) {
      reader.Feed(piece);
      at += piece.size();
      if (!settledAt && reader.Settled()) settledAt = at;
    }
    const TCaptureResult result = reader.Finish();
    if (!result.Ok() || result.Run->NetworkID != capture.networkId ||
        result.Run->Sections.size() != static_cast<size_t>(SectionsFor(kNitStreams)))
      Abort("the reader did not find the NIT of the benchmark capture: " + result.Error);
    if (settledAt < kNitFrom * RPAGE_LEN) Abort("the reader settled before the NIT came");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * capture.bytes));
  state.counters["settled_at_MiB"] = static_cast<double>(settledAt) / kPieceBytes;
}

// The whole command as a user runs it, in a process of its own: its time includes the
// start, the decoded tree and the output; its peak memory is the process's largest
// resident set.
void DumpCommand(benchmark::State& state) {
  const Capture& capture = TheCapture();
  long peakKiB = 0;
  for (auto _ : state) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 1);
      ::execl(QUILLON_CLI, QUILLON_CLI, "dump", capture.file.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
      Abort("quillon-cli dump failed on the benchmark capture");
    peakKiB = std::max(peakKiB, usage.ru_maxrss);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * capture.bytes));
  state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024;
}

BENCHMARK(ReadFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadFileIntoCaptureReader)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DumpCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quillon::bench

BENCHMARK_MAIN();
