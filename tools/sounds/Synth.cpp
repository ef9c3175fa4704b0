#include "tools/sounds/Synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

double CNoise::Next() {
  m_state = m_state * 1664525u + 1013904223u;
  return static_cast<double>(m_state >> 8) / 8388607.5 - 1.0;
}

void CBiquad::Set(double b0, double b1, double b2, double a0, double a1, double a2) {
  m_b0 = b0 / a0;
  m_b1 = b1 / a0;
  m_b2 = b2 / a0;
  m_a1 = a1 / a0;
  m_a2 = a2 / a0;
}

void CBiquad::SetLowpass(double frequency, double q, double rate) {
  double w = 2 * M_PI * frequency / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
  Set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void CBiquad::SetHighpass(double frequency, double q, double rate) {
  double w = 2 * M_PI * frequency / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
  Set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void CBiquad::SetBandpass(double frequency, double q, double rate) {
  double w = 2 * M_PI * frequency / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
  Set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double CBiquad::Process(double x) {
  double y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
  m_x2 = m_x1;
  m_x1 = x;
  m_y2 = m_y1;
  m_y1 = y;
  return y;
}

double Strike(double t, double attack, double decay) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

double SmoothStep(double t, double start, double length) {
  double x = std::clamp((t - start) / length, 0.0, 1.0);
  return x * x * (3 - 2 * x);
}

void MixInto(Samples& target, const Samples& source, size_t offset, double gain) {
  if (target.size() < offset + source.size()) target.resize(offset + source.size(), 0.0f);
  for (size_t i = 0; i < source.size(); ++i) target[offset + i] += static_cast<float>(source[i] * gain);
}

void Normalize(Samples& samples, double peak) {
  double loudest = 0;
  for (float s : samples) loudest = std::max(loudest, std::fabs(static_cast<double>(s)));
  if (loudest <= 0) return;
  for (float& s : samples) s = static_cast<float>(s * peak / loudest);
}

Samples Loop(const Samples& samples, size_t fade) {
  if (samples.size() <= 2 * fade) return samples;
  Samples looped(samples.begin(), samples.end() - static_cast<long>(fade));
  for (size_t i = 0; i < fade; ++i) {
    double mix = static_cast<double>(i) / fade;  // equal-power blend of the tail into the head
    double head = std::sin(mix * M_PI / 2), tail = std::cos(mix * M_PI / 2);
    looped[i] = static_cast<float>(samples[i] * head + samples[samples.size() - fade + i] * tail);
  }
  return looped;
}

void FadeEdges(Samples& samples, size_t fade) {
  fade = std::min(fade, samples.size() / 2);
  for (size_t i = 0; i < fade; ++i) {
    double gain = static_cast<double>(i) / fade;
    samples[i] = static_cast<float>(samples[i] * gain);
    samples[samples.size() - 1 - i] = static_cast<float>(samples[samples.size() - 1 - i] * gain);
  }
}

}  // namespace synth
