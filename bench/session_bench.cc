// Costs of the disk session an embedding page uses, on the maximal image
// as a loose file: opening it, its listing as lorvex-disk -p prints it, and
// the same listing with its labels and label spans.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bench/images.h"
#include "driver/disk_session.h"
#include "source/process_state.h"

namespace {

const std::vector<std::uint8_t>& maximalBytes() {
  static const lorvex_test::Bytes bytes = lorvex_bench::maximalImage().bytes;
  return bytes;
}

void BM_SessionOpen(benchmark::State& state) {
  for (auto _ : state) {
    const DiskSession session(maximalBytes(), "maximal.src");
    benchmark::DoNotOptimize(session.entries().data());
  }
}

void BM_SessionListing(benchmark::State& state, bool withLabels) {
  zeb_resetProcessState();
  const DiskSession session(maximalBytes(), "maximal.src");
  EntryListing listing;
  for (auto _ : state) {
    session.listing(0, ListingOptions(), listing,
                    withLabels ? ListingExtras::spansAndLabels : ListingExtras::none);
    benchmark::DoNotOptimize(listing.text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(listing.text.size()));
  state.counters["spans"] = static_cast<double>(listing.spans.size());
  zeb_resetProcessState();
}

}  // namespace

BENCHMARK(BM_SessionOpen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SessionListing, maximal, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SessionListing, maximal_labels, true)->Unit(benchmark::kMillisecond);
