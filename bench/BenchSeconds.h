#pragma once
// How long the real-time benchmarks play: FABLEWICK_BENCH_SECONDS, else the given default.
#include <cstdlib>

inline double BenchSeconds(double fallback) {
  const char* text = std::getenv("FABLEWICK_BENCH_SECONDS");
  const double seconds = text ? std::atof(text) : 0;
  return seconds > 0 ? seconds : fallback;
}
