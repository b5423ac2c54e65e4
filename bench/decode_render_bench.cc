// Costs of the two halves of a run on the benchmark images: decoding an
// image into a zeb_Source, and rendering its lines (alone, and as the
// listing the driver writes).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

#include "bench/images.h"
#include "driver/listing.h"
#include "petscii/lorvex_global.h"
#include "source/process_state.h"
#include "source/zeb_source.h"

namespace {

enum Which { kExample, kTypical, kMaximal, kDense };

const lorvex_test::Bytes& imageBytes(Which which) {
  static const std::vector<lorvex_bench::NamedImage> images = lorvex_bench::allImages();
  return images[static_cast<std::size_t>(which)].image.bytes;
}

// Discards everything written to it.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Decoding may print warnings; they would only disturb the report.
class SilencedConsole {
 public:
  SilencedConsole() : out_(std::cout.rdbuf(&sink_)), err_(std::cerr.rdbuf(&sink_)) {}
  SilencedConsole(const SilencedConsole&) = delete;
  SilencedConsole& operator=(const SilencedConsole&) = delete;
  ~SilencedConsole() {
    std::cout.rdbuf(out_);
    std::cerr.rdbuf(err_);
  }

 private:
  NullBuffer sink_;
  std::streambuf* out_;
  std::streambuf* err_;
};

std::unique_ptr<zeb_Source> decode(const lorvex_test::Bytes& bytes) {
  return std::make_unique<zeb_Source>(reinterpret_cast<const char*>(bytes.data()),
                                      static_cast<int>(bytes.size()));
}

// A decoded image under the start settings, its labels published for rendering.
std::unique_ptr<zeb_Source> decodedImage(Which which) {
  zeb_resetProcessState();
  SilencedConsole quiet;
  return decode(imageBytes(which));
}

std::size_t renderAll(const zeb_Source& source) {
  std::size_t bytes = 0;
  for (unsigned long i = 0; i < source.numberOfLines(); ++i) {
    const std::string text = source.lineAt(i)->toString();
    bytes += text.size() + 1;
  }
  return bytes;
}

void setCounters(benchmark::State& state, std::size_t bytesPerRun, unsigned long lines) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(bytesPerRun));
  state.counters["lines"] = static_cast<double>(lines);
}

void BM_Decode(benchmark::State& state, Which which) {
  const lorvex_test::Bytes& bytes = imageBytes(which);
  zeb_resetProcessState();
  SilencedConsole quiet;
  unsigned long lines = 0;
  for (auto _ : state) {
    const std::unique_ptr<zeb_Source> source = decode(bytes);
    lines = source->numberOfLines();
    benchmark::DoNotOptimize(lines);
  }
  setCounters(state, bytes.size(), lines);
}

void BM_RenderLines(benchmark::State& state, Which which) {
  const std::unique_ptr<zeb_Source> source = decodedImage(which);
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = renderAll(*source);
    benchmark::DoNotOptimize(bytes);
  }
  setCounters(state, bytes, source->numberOfLines());
}

void BM_WriteListing(benchmark::State& state, Which which) {
  const std::unique_ptr<zeb_Source> source = decodedImage(which);
  NullBuffer sink;
  std::ostream out(&sink);
  for (auto _ : state) writeListing(out, *source, false);
  setCounters(state, renderAll(*source), source->numberOfLines());
}

}  // namespace

BENCHMARK_CAPTURE(BM_Decode, example, kExample);
BENCHMARK_CAPTURE(BM_Decode, typical, kTypical);
BENCHMARK_CAPTURE(BM_Decode, maximal, kMaximal);
BENCHMARK_CAPTURE(BM_Decode, dense, kDense);
BENCHMARK_CAPTURE(BM_RenderLines, example, kExample);
BENCHMARK_CAPTURE(BM_RenderLines, typical, kTypical);
BENCHMARK_CAPTURE(BM_RenderLines, maximal, kMaximal);
BENCHMARK_CAPTURE(BM_RenderLines, dense, kDense);
BENCHMARK_CAPTURE(BM_WriteListing, example, kExample);
BENCHMARK_CAPTURE(BM_WriteListing, typical, kTypical);
BENCHMARK_CAPTURE(BM_WriteListing, maximal, kMaximal);
BENCHMARK_CAPTURE(BM_WriteListing, dense, kDense);
