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

// 1, 2, 4, .. 256 sections, with a linear fit over them.
inline void SectionRange(benchmark::internal::Benchmark* b) {
  b->RangeMultiplier(2)->Range(1, 256)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);
}

}  // namespace quillon::bench
