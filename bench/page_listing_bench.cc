// What the page's module computes for one listing, natively: a disk
// session over a benchmark image and the listing of its one file under the
// page's start options (-u), without and with the label spans (the page
// asks for the spans alone).
// bench/web-run times the wasm module doing the same.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bench/images.h"
#include "driver/disk_session.h"
#include "driver/listing_options.h"

namespace {

void BM_PageListing(benchmark::State& state, std::size_t which, ListingExtras extras) {
  const std::vector<lorvex_bench::NamedImage> images = lorvex_bench::allImages();
  const lorvex_test::Bytes& bytes = images[which].image.bytes;
  const DiskSession session(std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                            images[which].name + ".src", true);
  ListingOptions options;
  options.utf8 = true;
  EntryListing listing;
  for (auto _ : state) {
    session.listing(0, options, listing, extras);
    benchmark::DoNotOptimize(listing.text.data());
  }
  state.counters["bytes_out"] = static_cast<double>(listing.text.size());
}

}  // namespace

BENCHMARK_CAPTURE(BM_PageListing, typical, 1, ListingExtras::none)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PageListing, maximal, 2, ListingExtras::none)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PageListing, typical_spans, 1, ListingExtras::spans)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PageListing, maximal_spans, 2, ListingExtras::spans)
    ->Unit(benchmark::kMicrosecond);
