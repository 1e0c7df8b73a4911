#pragma once
// What every size-dependent benchmark reports besides its time.
#include <benchmark/benchmark.h>

namespace quillon::bench {

// The number of sections, the time per section, and N for the complexity fit.
inline void CountSections(benchmark::State& state, int sections) {
  state.SetComplexityN(sections);
  state.counters["sections"] = sections;
  state.counters["per_section"] =
      benchmark::Counter(sections, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The benchmarks' argument: the number of transport streams.
inline int Streams(const benchmark::State& state) { return static_cast<int>(state.range(0)); }
// Two streams fill a section.
inline int SectionsFor(int streams) { return (streams + 1) / 2; }

// 1, 2, 4, .. 512 streams (1 to 256 sections), with a linear fit over the sections.
inline void StreamRange(benchmark::internal::Benchmark* b) {
  b->RangeMultiplier(2)->Range(1, 512)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);
}

}  // namespace quillon::bench
