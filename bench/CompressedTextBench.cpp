// Decoding and packing the about boxes' compressed texts: the decoder runs whenever a text
// window opens, the packer at every build.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "res/CompressedText.h"
#include "tools/textpack/TextPacker.h"

namespace {

// Prose of the kind the texts hold: words repeating at random.
std::string Prose(size_t size) {
  static const char* const words[] = {"the ", "lantern ", "story ", "of ", "a ", "small ", "fox ",
                                      "who ", "read ", "maps ", "by ", "candlelight", ".\n"};
  std::mt19937 random(7);
  std::string text;
  while (text.size() < size) text += words[random() % std::size(words)];
  text.resize(size);
  return text;
}

void DecodeText(benchmark::State& state) {
  const std::vector<uint8_t> resource = PackTextResource(Prose(static_cast<size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(res::UnpackTextResource(resource.data(), resource.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
  state.counters["ratio"] = static_cast<double>(resource.size()) / static_cast<double>(state.range(0));
}
BENCHMARK(DecodeText)->Arg(2 * 1024)->Arg(64 * 1024);

void PackText(benchmark::State& state) {
  const std::string text = Prose(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(PackTextResource(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(PackText)->Arg(2 * 1024)->Arg(16 * 1024);

}  // namespace

BENCHMARK_MAIN();
