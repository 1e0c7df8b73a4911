// Runs every benchmark, then sets our figures beside libdvbpsi's: per size of the network,
// the times of both and their ratio, the time per section, and the whole largest table
// from project to decoded table against its budget of a tenth of a second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench_counters.h"

namespace quillon::bench {
void RegisterOurBenchmarks();
void RegisterPeerBenchmarks();
}  // namespace quillon::bench

namespace {

double ToMicroseconds(double value, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond: return value / 1e3;
    case benchmark::kMicrosecond: return value;
    case benchmark::kMillisecond: return value * 1e3;
    case benchmark::kSecond: return value * 1e6;
  }
  return value;
}

// The console output as usual, and each run's CPU time kept by family and number of
// streams; with repetitions the median stands for the run.
class SideBySideReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if (r.run_type == Run::RT_Aggregate && !median) {
        if (r.report_rms) rms_[r.run_name.function_name] = r.GetAdjustedCPUTime();
        continue;
      }
      double& slot = times_[r.run_name.function_name][std::stoi(r.run_name.args)];
      if (median || slot == 0) slot = ToMicroseconds(r.GetAdjustedCPUTime(), r.time_unit);
    }
  }

  std::optional<double> Time(const std::string& family, int streams) const {
    auto f = times_.find(family);
    if (f == times_.end()) return std::nullopt;
    auto t = f->second.find(streams);
    if (t == f->second.end()) return std::nullopt;
    return t->second;
  }
  std::optional<double> Rms(const std::string& family) const {
    auto r = rms_.find(family);
    return r == rms_.end() ? std::nullopt : std::optional<double>(r->second);
  }
  std::vector<int> Sizes() const {
    std::vector<int> sizes;
    for (const auto& [family, byN] : times_)
      for (const auto& [n, t] : byN)
        if (std::find(sizes.begin(), sizes.end(), n) == sizes.end()) sizes.push_back(n);
    std::sort(sizes.begin(), sizes.end());
    return sizes;
  }
  std::vector<std::string> Families() const {
    std::vector<std::string> names;
    for (const auto& [family, byN] : times_) names.push_back(family);
    return names;
  }

 private:
  std::map<std::string, std::map<int, double>> times_;
  std::map<std::string, double> rms_;
};

std::string Cell(std::optional<double> v, const char* format = "%12.1f") {
  if (!v) return std::string(12, ' ').replace(11, 1, "-");
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, *v);
  return buffer;
}

std::optional<double> Ratio(std::optional<double> peer, std::optional<double> ours) {
  if (!peer || !ours || *ours <= 0) return std::nullopt;
  return *peer / *ours;
}

void PrintSideBySide(const SideBySideReporter& r) {
  std::printf("\nOurs beside libdvbpsi, CPU time in microseconds; ratio = libdvbpsi / ours (above 1: ours is faster)\n");
  std::printf("%7s %8s %12s %12s %12s %12s %12s %12s %12s\n", "streams", "sections", "build ours", "build dvbpsi",
              "ratio", "decode ours", "decode dvbpsi", "ratio", "dvbpsi table");
  for (int n : r.Sizes()) {
    auto bo = r.Time("build/ours", n), bp = r.Time("build/dvbpsi", n);
    auto d_o = r.Time("decode/ours", n), dp = r.Time("decode/dvbpsi", n);
    std::printf("%7d %8d %s %s %s %s %s %s %s\n", n, quillon::bench::SectionsFor(n), Cell(bo).c_str(), Cell(bp).c_str(),
                Cell(Ratio(bp, bo), "%12.2f").c_str(), Cell(d_o).c_str(), Cell(dp).c_str(),
                Cell(Ratio(dp, d_o), "%12.2f").c_str(), Cell(r.Time("decode-table/dvbpsi", n)).c_str());
  }

  std::printf("\nTime per section in microseconds (flat when the cost grows linearly); RMS of the linear fit\n");
  const std::vector<int> sizes = r.Sizes();
  std::printf("%-22s", "streams");
  for (int n : sizes) std::printf(" %8d", n);
  std::printf("\n%-22s", "sections");
  for (int n : sizes) std::printf(" %8d", quillon::bench::SectionsFor(n));
  std::printf(" %8s\n", "RMS");
  for (const std::string& family : r.Families()) {
    std::printf("%-22s", family.c_str());
    for (int n : sizes) {
      auto t = r.Time(family, n);
      if (t)
        std::printf(" %8.2f", *t / quillon::bench::SectionsFor(n));
      else
        std::printf(" %8s", "-");
    }
    auto rms = r.Rms(family);
    if (rms)
      std::printf(" %7.0f%%\n", *rms * 100);
    else
      std::printf(" %8s\n", "-");
  }

  if (auto whole = r.Time("pipeline/ours", 512))
    std::printf("\nThe largest NIT (512 streams, 256 sections) built, packed, scrambled, descrambled and decoded: "
                "%.2f ms (budget 100 ms)\n",
                *whole / 1000);
}

}  // namespace

int main(int argc, char** argv) {
  quillon::bench::RegisterOurBenchmarks();
  quillon::bench::RegisterPeerBenchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SideBySideReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintSideBySide(reporter);
  return 0;
}
