// The era conversion's cost: the first entry, the last entry and every four-digit year.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "era/wareki.h"

namespace {

void Convert(benchmark::State& state, const std::string& year) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(era::SeirekiWarekiChange(year));
  }
}

// Matches the first era entry.
void BM_BestCase(benchmark::State& state) {
  Convert(state, "0000");
}
BENCHMARK(BM_BestCase);

// Passes every era entry and tests every period entry.
void BM_WorstCase(benchmark::State& state) {
  Convert(state, "9999");
}
BENCHMARK(BM_WorstCase);

std::vector<std::string> AllFourDigitYears() {
  std::vector<std::string> years;
  for (int year = 0; year <= 9999; ++year) {
    char text[8];
    std::snprintf(text, sizeof text, "%04d", year);
    years.emplace_back(text);
  }
  return years;
}

// One iteration converts all 10,000 years; per_call is the mean time of one conversion.
void BM_Sweep(benchmark::State& state) {
  const std::vector<std::string> years = AllFourDigitYears();
  for (auto _ : state) {
    for (const std::string& year : years) {
      benchmark::DoNotOptimize(era::SeirekiWarekiChange(year));
    }
  }
  state.counters["per_call"] = benchmark::Counter(
      static_cast<double>(years.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Sweep)->Unit(benchmark::kMicrosecond);

}  // namespace
