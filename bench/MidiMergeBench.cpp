// How long a tune takes to load and merge into stream buffers, as the game does it on the
// interface thread: the same 20,000 notes spread over 1, 16, 1,000 and 20,000 tracks (each track
// plays at its own ticks, so every note has a tick of its own), and one long track of about
// 1 MB beside 5,000 empty ones.
#include <benchmark/benchmark.h>

#include <string>

#include "audio/MidiSequence.h"
#include "tests/audio/SmfBuilder.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr int kNotes = 20000;

// The notes of the tune spread over the tracks: note k of track t sounds at tick k * tracks + t + 1.
std::string SpreadTune(int tracks) {
  using namespace smf;
  std::string file = Header(1, tracks, 96);
  for (int track = 0; track < tracks; ++track) {
    std::string events;
    uint32_t previous = 0;
    for (int note = track; note < kNotes; note += tracks) {
      const uint32_t tick = static_cast<uint32_t>(note + 1);
      events += NoteOn(tick - previous, 36 + note % 48);
      previous = tick;
    }
    file += Track(events + EndOfTrack());
  }
  return file;
}

std::string LongTrackBesideEmptyOnes(int emptyTracks) {
  using namespace smf;
  std::string events;
  for (int note = 0; note < 250000; ++note) events += NoteOn(1, 36 + note % 48);
  std::string file = Header(1, emptyTracks + 1, 96) + Track(events + EndOfTrack());
  for (int track = 0; track < emptyTracks; ++track) file += Track(EndOfTrack());
  return file;
}

void LoadAndMerge(benchmark::State& state, const std::string& bytes) {
  testing_support::TempDir dir;
  testing_support::WriteFile(dir / "tune.mid", bytes);
  CMidiSequence sequence;
  for (auto _ : state) {
    if (!sequence.Load(dir / "tune.mid", false, true)) state.SkipWithError("the tune does not load");
    benchmark::DoNotOptimize(sequence.GetBufferCount());
  }
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}

void BM_SpreadOverTracks(benchmark::State& state) { LoadAndMerge(state, SpreadTune(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_SpreadOverTracks)->Arg(1)->Arg(16)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_LongTrackBesideEmptyOnes(benchmark::State& state) { LoadAndMerge(state, LongTrackBesideEmptyOnes(5000)); }
BENCHMARK(BM_LongTrackBesideEmptyOnes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
