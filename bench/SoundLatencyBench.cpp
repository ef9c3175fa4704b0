// Latency of sound and music as a listener meets it: the time from Play to the first audible
// sample at a sound server's sink. A private PulseAudio with a null sink is started for the run
// and its monitor recorded (see tests/sound_server); sounds play on the "<Automatic>" wave device
// (ALSA "default", through PulseAudio), tunes on the built-in synthesizer (FluidSynth's
// PulseAudio driver). Each case plays 20 times from silence and reports the median and the
// worst in milliseconds; a case that hears nothing within two seconds fails.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "audio/MidiPlayer.h"
#include "audio/MidiSequence.h"
#include "audio/OutputDevices.h"
#include "audio/SoundVorbis.h"
#include "audio/SoundWav.h"
#include "audio/WavePlayer.h"
#include "tests/audio/SmfBuilder.h"
#include "tests/audio/VorbisEncoder.h"
#include "tests/sound_server/PrivatePulseAudio.h"
#include "tests/support/RiffBuilder.h"
#include "tests/support/TestFiles.h"

namespace {

using sound_server::Clock;
using namespace std::chrono_literals;

constexpr int kPlays = 20;

sound_server::PrivatePulseAudio* g_pulse = nullptr;
testing_support::TempDir* g_files = nullptr;

// A tone that is loud from its first sample.
std::string ToneSamples(int channels, int rate, double seconds) {
  std::string bytes;
  for (int frame = 0; frame < int(seconds * rate); ++frame)
    for (int channel = 0; channel < channels; ++channel)
      bytes += riff::LE16(
          static_cast<uint16_t>(int16_t(12000 * std::cos(2 * M_PI * 440 * frame / rate))));
  return bytes;
}

// Waits until the sink has been quiet for a while, so that the next play starts from silence.
bool WaitForSilence() {
  const Clock::time_point deadline = Clock::now() + 5s;
  while (Clock::now() < deadline) {
    Clock::time_point first, last;
    if (!g_pulse->LoudSpan(Clock::now() - 200ms, first, last)) return true;
    std::this_thread::sleep_for(50ms);
  }
  return false;
}

// Plays kPlays times (start returns false on failure) and reports the delays to the first
// audible sample.
void Measure(benchmark::State& state, const std::function<bool()>& start,
             const std::function<void()>& stop) {
  std::vector<double> delays;
  for (auto _ : state) {
    if (!WaitForSilence()) return state.SkipWithError("the sink does not fall silent");
    const Clock::time_point played = Clock::now();
    if (!start()) return state.SkipWithError("cannot play");
    Clock::time_point heard;
    const Clock::time_point deadline = played + 2s;
    while (!g_pulse->FirstLoudSample(played, heard) && Clock::now() < deadline)
      std::this_thread::sleep_for(1ms);
    stop();
    if (heard < played) return state.SkipWithError("nothing was heard");
    const double seconds = std::chrono::duration<double>(heard - played).count();
    state.SetIterationTime(seconds);
    delays.push_back(seconds * 1000);
  }
  std::sort(delays.begin(), delays.end());
  state.counters["median_ms"] = delays[delays.size() / 2];
  state.counters["worst_ms"] = delays.back();
}

void SoundLatency(benchmark::State& state, IWaveLoader& loader, IWaveBufferFiller& filler,
                  const std::string& path) {
  if (!loader.Load(path.c_str())) return state.SkipWithError("cannot load the sound");
  CWavePlayer engine;
  if (!engine.Init(kAutomaticDeviceName) || !engine.Open(loader.GetFormat(16)))
    return state.SkipWithError(engine.GetLastErrorText().c_str());
  Measure(state, [&] { return engine.Play(&filler, nullptr, 0, 0, 0); }, [&] { engine.Stop(); });
  engine.Shutdown();
  loader.Close();
}

void BM_WavLatency(benchmark::State& state) {
  CSoundWav wav;
  const std::string path = *g_files / "tone.wav";
  testing_support::WriteFile(path,
                             riff::Wave(riff::PcmFormat(2, 44100, 16), ToneSamples(2, 44100, 1)));
  SoundLatency(state, wav, wav, path);
}

void BM_OggLatency(benchmark::State& state) {
  CSoundVorbis ogg;
  const std::string path = *g_files / "tone.ogg";
  testing_support::WriteFile(
      path, vorbis_test::Encode(2, 44100, 44100, [](long frame, int) {
        return float(0.4 * std::cos(2 * M_PI * 440 * frame / 44100));
      }));
  SoundLatency(state, ogg, ogg, path);
}

void BM_TuneLatency(benchmark::State& state) {
  const std::string path = *g_files / "tune.mid";
  testing_support::WriteFile(path, smf::Header(0, 1, 96) +
                                       smf::Track(smf::NoteOn(0, 69, 127) + smf::NoteOn(96, 69, 0) +
                                                  smf::EndOfTrack()));
  CMidiSequence tune;
  CMidiPlayer player;
  if (!tune.Load(path, false, true)) return state.SkipWithError("cannot load the tune");
  if (!player.OpenByName(kAutomaticDeviceName))
    return state.SkipWithError(player.GetErrorText().c_str());
  Measure(state, [&] { return player.Play(&tune, 0); }, [&] { player.Stop(); });
  player.Close();
}

}  // namespace

BENCHMARK(BM_WavLatency)->UseManualTime()->Iterations(kPlays)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OggLatency)->UseManualTime()->Iterations(kPlays)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TuneLatency)->UseManualTime()->Iterations(kPlays)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  testing_support::TempDir files;
  sound_server::PrivatePulseAudio pulse;
  std::string whyNot;
  if (!pulse.Start(whyNot)) {
    std::fprintf(stderr, "no private PulseAudio: %s\n", whyNot.c_str());
    return 1;
  }
  g_pulse = &pulse;
  g_files = &files;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
