// Cost of exporting a decoded source to each target beside writing its
// native listing, on the benchmark images. The export reads the same
// decoded lines and writes comparable text, so it should cost about as
// much; bench/export-run times the whole-disk runs of lorvex-disk.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/images.h"
#include "driver/listing.h"
#include "export/source_export.h"
#include "source/process_state.h"
#include "source/zeb_source.h"

namespace {

enum Which { kExample, kTypical, kMaximal };

std::unique_ptr<zeb_Source> decoded(Which which) {
  static const std::vector<lorvex_bench::NamedImage> images = lorvex_bench::allImages();
  const lorvex_test::Bytes& bytes = images[static_cast<std::size_t>(which)].image.bytes;
  zeb_resetProcessState();
  std::ostringstream quiet;
  std::streambuf* saved = std::cout.rdbuf(quiet.rdbuf());
  auto source = std::make_unique<zeb_Source>(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<int>(bytes.size()));
  std::cout.rdbuf(saved);
  return source;
}

void BM_NativeListing(benchmark::State& state, Which which) {
  const std::unique_ptr<zeb_Source> source = decoded(which);
  std::size_t size = 0;
  for (auto _ : state) {
    std::ostringstream out;
    writeListing(out, *source, false);
    size = out.str().size();
    benchmark::DoNotOptimize(size);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void BM_Export(benchmark::State& state, Which which, lorvex_Target target) {
  const std::unique_ptr<zeb_Source> source = decoded(which);
  lorvex_ExportOptions options;
  options.target = target;
  std::size_t size = 0;
  for (auto _ : state) {
    std::string out;
    std::string error;
    if (!lorvex_exportSource(*source, options, out, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    size = out.size();
    benchmark::DoNotOptimize(size);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

}  // namespace

BENCHMARK_CAPTURE(BM_NativeListing, typical, kTypical);
BENCHMARK_CAPTURE(BM_Export, typical_acme, kTypical, lorvex_Target::acme);
BENCHMARK_CAPTURE(BM_Export, typical_ca65, kTypical, lorvex_Target::ca65);
BENCHMARK_CAPTURE(BM_NativeListing, maximal, kMaximal);
BENCHMARK_CAPTURE(BM_Export, maximal_acme, kMaximal, lorvex_Target::acme);
BENCHMARK_CAPTURE(BM_Export, maximal_ca65, kMaximal, lorvex_Target::ca65);
