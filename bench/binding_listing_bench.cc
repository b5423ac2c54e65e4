// The page's own call, natively: the binding that the module exports,
// compiled for this machine, opening a benchmark image and listing its one
// file under the page's start options (-u), without and with the label
// spans. The module runs the very same code (bench/web_module_bench.js),
// so the two times compare the same work: options read, listing made,
// its lines counted and, with spans, the spans placed for the script.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/images.h"

extern "C" {
int lw_open(const std::uint8_t* bytes, int size, const char* fileName);
const char* lw_listing(int handle, int i, const char* words, int withSpans);
int lw_listing_size(int handle);
}

namespace {

void BM_BindingListing(benchmark::State& state, std::size_t which, int withSpans) {
  const std::vector<lorvex_bench::NamedImage> images = lorvex_bench::allImages();
  const lorvex_test::Bytes& bytes = images[which].image.bytes;
  const std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
  const std::string name = images[which].name + ".src";
  const int handle = lw_open(image.data(), static_cast<int>(image.size()), name.c_str());
  for (auto _ : state) {
    const char* text = lw_listing(handle, 0, "-u", withSpans);
    if (text == nullptr) {
      state.SkipWithError("no listing");
      break;
    }
    benchmark::DoNotOptimize(text);
  }
  state.counters["bytes_out"] = static_cast<double>(lw_listing_size(handle));
}

}  // namespace

BENCHMARK_CAPTURE(BM_BindingListing, typical, 1, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BindingListing, maximal, 2, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BindingListing, typical_spans, 1, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BindingListing, maximal_spans, 2, 1)->Unit(benchmark::kMicrosecond);
