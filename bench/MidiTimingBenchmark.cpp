// How closely the MIDI stream keeps time: a generated song of quick notes under changing tempo
// plays through the MIDI player into the capture output while busy threads keep the other cores
// occupied, and each message's arrival is compared with its time worked out from the file
// (both measured from the first message). Reports the error's median, 99th percentile and
// maximum in microseconds. The song lasts 30 seconds unless FABLEWICK_BENCH_SECONDS says
// otherwise.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "audio/MidiPlayer.h"
#include "audio/MidiSequence.h"
#include "audio/MidiStreamEvent.h"
#include "bench/BenchSeconds.h"
#include "platform/CaptureMidiOut.h"
#include "platform/MidiOutSystem.h"
#include "tests/audio/SmfBuilder.h"

namespace {

// Sixteenth notes on two channels, the tempo changing every four bars between 90 and 180
// beats a minute, for about the given time.
std::string GeneratedSong(double seconds) {
  using namespace smf;
  const int division = 480;
  std::string track;
  double elapsed = 0;
  int step = 0;
  while (elapsed < seconds) {
    if (step % 64 == 0) {
      const int tempo = (step / 64) % 2 ? 333333 : 666666;
      track += Meta(0, 0x51, Bytes({tempo >> 16, (tempo >> 8) & 0xFF, tempo & 0xFF}));
    }
    const int key = 48 + (step * 7) % 24;
    track += NoteOn(0, key, 90) + NoteOn(0, key + 12, 70, 1);
    track += Vlq(division / 4) + Bytes({0x80, key, 0}) + Vlq(0) + Bytes({0x81, key + 12, 0});
    elapsed += ((step / 64) % 2 ? 0.333333 : 0.666666) / 4;
    ++step;
  }
  track += EndOfTrack();
  return Header(0, 1, division) + Track(track);
}

// The time of each short message from the start, worked out from ticks and tempo.
std::vector<double> ScheduleMicros(CMidiSequence& sequence) {
  std::vector<double> times;
  double tempo = 500000, micros = 0;
  uint64_t lastTick = 0;
  for (const MidiStreamEvent& event : ListMidiStreamEvents(sequence)) {
    micros += double(event.tick - lastTick) * tempo / sequence.GetDivision();
    lastTick = event.tick;
    if (event.type == MEVT_TEMPO) tempo = event.data;
    if (event.type == MEVT_SHORTMSG) times.push_back(micros);
  }
  return times;
}

void BM_MidiEventTiming(benchmark::State& state) {
  const double seconds = BenchSeconds(30);
  const std::string path = "/tmp/fablewick-bench-timing.mid";
  FILE* file = std::fopen(path.c_str(), "wb");
  const std::string song = GeneratedSong(seconds);
  std::fwrite(song.data(), 1, song.size(), file);
  std::fclose(file);
  CMidiSequence sequence;
  if (!sequence.Load(path, false, true)) {
    state.SkipWithError("the generated song does not load");
    return;
  }
  const std::vector<double> expected = ScheduleMicros(sequence);

  for (auto _ : state) {
    auto log = std::make_shared<platform::MidiCaptureLog>();
    std::vector<std::unique_ptr<platform::MidiOutBackend>> backends;
    backends.push_back(std::make_unique<platform::CaptureMidiOut>(log));
    platform::MidiOutSystem devices(std::move(backends));
    CMidiPlayer player(devices);
    player.Open(0);

    std::atomic<bool> busy{true};
    std::vector<std::thread> spinners;
    const unsigned others = std::max(1u, std::thread::hardware_concurrency()) - 1;
    for (unsigned i = 0; i < std::max(1u, others); ++i)
      spinners.emplace_back([&busy] {
        volatile uint64_t work = 0;
        while (busy) work = work + 1;
      });
    player.Play(&sequence, 0);
    while (player.IsPlaying()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    busy = false;
    for (std::thread& spinner : spinners) spinner.join();

    std::vector<platform::MidiCaptureLog::Message> messages = log->Messages();
    messages.resize(std::min(messages.size(), expected.size()));  // the silencing at the end
    if (messages.size() != expected.size()) {
      state.SkipWithError("messages went missing");
      return;
    }
    std::vector<double> errors;
    for (size_t i = 0; i < messages.size(); ++i) {
      const double actual =
          std::chrono::duration<double, std::micro>(messages[i].time - messages[0].time).count();
      errors.push_back(std::abs(actual - (expected[i] - expected[0])));
    }
    if (std::getenv("FABLEWICK_BENCH_DETAIL"))
      for (size_t i = 0; i < errors.size(); ++i)
        if (errors[i] > 1000) std::fprintf(stderr, "event %zu: error %.0f us\n", i, errors[i]);
    std::sort(errors.begin(), errors.end());
    state.counters["events"] = double(errors.size());
    state.counters["p50_us"] = errors[errors.size() / 2];
    state.counters["p99_us"] = errors[errors.size() * 99 / 100];
    state.counters["max_us"] = errors.back();
    state.SetIterationTime(seconds);
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_MidiEventTiming)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
