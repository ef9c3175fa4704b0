#pragma once
// Small, deterministic sound synthesis: noise, filters, envelopes and mixing, enough for wind,
// water, bells, footsteps and creaking wood. Samples are mono floats in -1..1.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace synth {

using Samples = std::vector<float>;

// White noise from a fixed seed, independent of the C library.
class CNoise {
 public:
  explicit CNoise(uint32_t seed) : m_state(seed) {}
  double Next();                       // -1..1
  double Uniform() { return (Next() + 1) / 2; }  // 0..1

 private:
  uint32_t m_state;
};

// A second-order filter (RBJ cookbook); the coefficients may change from sample to sample.
class CBiquad {
 public:
  void SetLowpass(double frequency, double q, double rate);
  void SetHighpass(double frequency, double q, double rate);
  void SetBandpass(double frequency, double q, double rate);  // peak gain 1
  double Process(double x);

 private:
  void Set(double b0, double b1, double b2, double a0, double a1, double a2);
  double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
  double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

// A rise of attack seconds, then an exponential fall with the given time constant, at t seconds.
double Strike(double t, double attack, double decay);
// 0 before start, rising smoothly to 1 over length seconds.
double SmoothStep(double t, double start, double length);

// Adds source into target from offset on (target grows as needed), scaled by gain.
void MixInto(Samples& target, const Samples& source, size_t offset, double gain);
// Scales so that the loudest sample is peak.
void Normalize(Samples& samples, double peak);
// Makes a seamless loop: the last fade samples are blended into the first ones and dropped.
Samples Loop(const Samples& samples, size_t fade);
// Fades the first and last samples in and out over fade samples to avoid clicks.
void FadeEdges(Samples& samples, size_t fade);

}  // namespace synth
