// Decoding speed of the audio loaders: MIDI load and merge, Vorbis decoding through Fill beside
// oggdec on the same file, WAV Fill beside plain fread.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/MidiSequence.h"
#include "audio/SoundVorbis.h"
#include "audio/SoundWav.h"
#include "audio/WavePlayer.h"
#include "tests/audio/SmfBuilder.h"
#include "tests/audio/VorbisEncoder.h"
#include "tests/support/RiffBuilder.h"

namespace {

std::string TempPath(const std::string& name) {
  return "/tmp/fablewick-bench-" + std::to_string(::getpid()) + "-" + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// Removes the generated files when the benchmarks end.
struct GeneratedFile {
  std::string path;
  size_t count = 0;  // events, frames: what the file holds
  ~GeneratedFile() {
    if (!path.empty()) std::remove(path.c_str());
  }
};

// 16 tracks of 40,000 events each: notes under running status, controllers, text events, with
// deltas from a fixed-seed generator so that the tracks interleave.
const GeneratedFile& LargeMidiFile() {
  static GeneratedFile file = [] {
    GeneratedFile generated;
    generated.path = TempPath("large.mid");
    const int kTracks = 16;
    const int kEvents = 40000;
    std::string bytes = smf::Header(1, kTracks, 480);
    uint32_t seed = 12345;
    for (int track = 0; track < kTracks; ++track) {
      std::string events;
      int channel = track % 16;
      for (int i = 0; i < kEvents; ++i) {
        seed = seed * 1103515245 + 12345;
        uint32_t delta = (seed >> 16) % 4 == 0 ? 0 : (seed >> 16) % 120;
        events += smf::Vlq(delta);
        if (i % 100 == 99) {
          events += std::string("\xFF\x01\x05hello", 8);
        } else if (i % 10 == 9) {
          events += std::string(1, static_cast<char>(0xB0 | channel)) + "\x07\x64";
        } else {
          if (i % 10 == 0) events += static_cast<char>(0x90 | channel);
          events += static_cast<char>(36 + (seed >> 8) % 48);
          events += static_cast<char>(i % 2 ? 0 : 100);
        }
      }
      events += std::string("\x00\xFF\x2F\x00", 4);
      bytes += smf::Track(events);
      generated.count += kEvents;
    }
    WriteBytes(generated.path, bytes);
    return generated;
  }();
  return file;
}

void BM_MidiLoadAndMerge(benchmark::State& state) {
  const GeneratedFile& file = LargeMidiFile();
  CMidiSequence sequence;
  for (auto _ : state) {
    if (!sequence.Load(file.path, false, true)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(sequence.GetBufferCount());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * file.count));
  state.counters["events"] = static_cast<double>(file.count);
}
BENCHMARK(BM_MidiLoadAndMerge)->Unit(benchmark::kMillisecond);

constexpr long kRate = 44100;
constexpr long kSeconds = 30;

// 30 seconds of stereo music-like sound (three sines with a slow tremolo) at 44,100 Hz.
const GeneratedFile& VorbisFile() {
  static GeneratedFile file = [] {
    GeneratedFile generated;
    generated.path = TempPath("music.ogg");
    generated.count = kRate * kSeconds;
    auto source = [](long frame, int channel) {
      double t = static_cast<double>(frame) / kRate;
      double level = 0.3 * (1.0 + 0.5 * std::sin(2 * M_PI * 0.5 * t));
      return static_cast<float>(level * (std::sin(2 * M_PI * 220 * t + channel) +
                                         0.5 * std::sin(2 * M_PI * 330 * t) +
                                         0.25 * std::sin(2 * M_PI * 1320 * t)) / 1.75);
    };
    WriteBytes(generated.path, vorbis_test::Encode(2, kRate, static_cast<long>(generated.count), source, 0.4f));
    return generated;
  }();
  return file;
}

bool OpenEngine(CWavePlayer& engine, const WAVEFORMATEX* format) {
  return engine.Init("null") && engine.Open(format);
}

void BM_VorbisFill(benchmark::State& state) {
  const GeneratedFile& file = VorbisFile();
  CSoundVorbis sound;
  if (!sound.Load(file.path.c_str())) return state.SkipWithError("load failed");
  CWavePlayer engine;
  if (!OpenEngine(engine, sound.GetFormat(16))) return state.SkipWithError("engine failed");
  std::vector<uint8_t> buffer(CWavePlayer::kBufferBytes);
  size_t bytes = 0;
  for (auto _ : state) {
    sound.Rewind();
    while (uint32_t count = sound.Fill(&engine, buffer.data(), CWavePlayer::kBufferBytes)) bytes += count;
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_VorbisFill)->Unit(benchmark::kMillisecond);

// The same file decoded by oggdec as a whole process: the time is the processor time oggdec
// spends (user and system, from the children's resource usage), start-up included, to compare
// with the processor time of the Fill benchmarks.
double ChildrenSeconds() {
  struct rusage usage;
  ::getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_OggdecSameFile(benchmark::State& state) {
  const GeneratedFile& file = VorbisFile();
  std::string command = "oggdec -Q -o /dev/null '" + file.path + "'";
  for (auto _ : state) {
    double before = ChildrenSeconds();
    if (std::system(command.c_str()) != 0) state.SkipWithError("oggdec failed");
    state.SetIterationTime(ChildrenSeconds() - before);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.count * 4));
}
BENCHMARK(BM_OggdecSameFile)->Unit(benchmark::kMillisecond)->UseManualTime();

// The same decoding as a whole process of ours: load, rewind, fill to the end.
void BM_VorbisLoadAndFill(benchmark::State& state) {
  const GeneratedFile& file = VorbisFile();
  CWavePlayer engine;
  WAVEFORMATEX format{1, 2, kRate, kRate * 4, 4, 16, 0};
  if (!OpenEngine(engine, &format)) return state.SkipWithError("engine failed");
  std::vector<uint8_t> buffer(CWavePlayer::kBufferBytes);
  for (auto _ : state) {
    CSoundVorbis sound;
    if (!sound.Load(file.path.c_str())) state.SkipWithError("load failed");
    sound.Rewind();
    while (sound.Fill(&engine, buffer.data(), CWavePlayer::kBufferBytes)) {
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.count * 4));
}
BENCHMARK(BM_VorbisLoadAndFill)->Unit(benchmark::kMillisecond);

// 30 seconds of 16-bit stereo PCM in a WAV file (about 5 MB).
const GeneratedFile& WaveFile() {
  static GeneratedFile file = [] {
    GeneratedFile generated;
    generated.path = TempPath("sound.wav");
    generated.count = kRate * kSeconds;
    uint32_t dataSize = static_cast<uint32_t>(generated.count * 4);
    std::string data;
    for (uint32_t i = 0; i < dataSize; ++i) data += static_cast<char>(i * 31);
    const std::string bytes = riff::Wave(riff::PcmFormat(2, kRate, 16), data);
    WriteBytes(generated.path, bytes);
    return generated;
  }();
  return file;
}

void BM_WavFill(benchmark::State& state) {
  const GeneratedFile& file = WaveFile();
  CSoundWav sound;
  if (!sound.Load(file.path.c_str())) return state.SkipWithError("load failed");
  CWavePlayer engine;
  std::vector<uint8_t> buffer(CWavePlayer::kBufferBytes);
  size_t bytes = 0;
  for (auto _ : state) {
    sound.Rewind();
    while (uint32_t count = sound.Fill(&engine, buffer.data(), CWavePlayer::kBufferBytes)) bytes += count;
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_WavFill)->Unit(benchmark::kMillisecond);

// The same bytes read with plain fread in pieces of the engine's buffer size.
void BM_WavPlainFread(benchmark::State& state) {
  const GeneratedFile& file = WaveFile();
  FILE* stream = std::fopen(file.path.c_str(), "rb");
  std::vector<uint8_t> buffer(CWavePlayer::kBufferBytes);
  size_t bytes = 0;
  for (auto _ : state) {
    std::fseek(stream, 44, SEEK_SET);
    while (size_t count = std::fread(buffer.data(), 1, buffer.size(), stream)) bytes += count;
  }
  std::fclose(stream);
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_WavPlainFread)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
