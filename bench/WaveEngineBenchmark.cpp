// CPU time of the wave engine while it plays 44.1 kHz stereo 16-bit sound into the null device
// in real time, as a share of the playing time: the whole process (worker, the device's feeder,
// the idle main thread) and the engine's worker alone. The run plays 60 seconds unless
// FABLEWICK_BENCH_SECONDS says otherwise.
#include <benchmark/benchmark.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>

#include "audio/WavePlayer.h"
#include "bench/BenchSeconds.h"
#include "platform/NullWaveOut.h"
#include "platform/WaveOutSystem.h"

namespace {

double CpuSeconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Serves a sine from memory and notes the worker's own CPU time at each fill.
class SineFiller : public IWaveBufferFiller, public IWaveListener {
 public:
  explicit SineFiller(size_t frames) {
    m_bytes.resize(frames * 4);
    for (size_t frame = 0; frame < frames; ++frame) {
      const auto sample = static_cast<int16_t>(8000 * std::sin(double(frame) * 0.0627));
      std::memcpy(&m_bytes[frame * 4], &sample, 2);
      std::memcpy(&m_bytes[frame * 4 + 2], &sample, 2);
    }
  }
  void Rewind() override { m_position = 0; }
  uint32_t Fill(CWavePlayer* engine, uint8_t* buffer, uint32_t capacity) override {
    if (!engine) return 0;
    const auto count = static_cast<uint32_t>(std::min<size_t>(capacity, m_bytes.size() - m_position));
    std::memcpy(buffer, m_bytes.data() + m_position, count);
    m_position += count;
    m_workerCpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    return count;
  }
  void OnWaveEnd() override {
    m_workerCpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    m_ended = true;
  }
  bool Ended() const { return m_ended; }
  double WorkerCpu() const { return m_workerCpu; }

 private:
  std::string m_bytes;
  size_t m_position = 0;
  std::atomic<double> m_workerCpu{0};
  std::atomic<bool> m_ended{false};
};

void BM_WaveEngineRealTime(benchmark::State& state) {
  const double seconds = BenchSeconds(60);
  const uint32_t rate = 44100;
  for (auto _ : state) {
    std::vector<std::unique_ptr<platform::WaveOutBackend>> backends;
    backends.push_back(std::make_unique<platform::NullWaveOut>());
    platform::WaveOutSystem devices(std::move(backends));
    CWavePlayer engine(devices);
    SineFiller sound(static_cast<size_t>(seconds * rate));
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, rate, rate * 4, 4, 16, 0};
    if (!engine.Init("null") || !engine.Open(&format)) {
      state.SkipWithError("the null device does not open");
      return;
    }
    const double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const auto wallStart = std::chrono::steady_clock::now();
    engine.Play(&sound, &sound, 0, 0, 0);
    while (!sound.Ended()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double processCpu = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
    engine.Stop();
    state.SetIterationTime(wall);
    state.counters["played_s"] = seconds;
    state.counters["wall_s"] = wall;
    state.counters["process_cpu_pct"] = 100 * processCpu / wall;
    state.counters["worker_cpu_pct"] = 100 * sound.WorkerCpu() / wall;
  }
}
BENCHMARK(BM_WaveEngineRealTime)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
