#include "tools/sounds/SoundRecipes.h"

#include <cmath>
#include <functional>

namespace {

using namespace synth;

constexpr int kRate = 22050;
constexpr int kLowRate = 11025;

// seconds of sound, each sample given by source at its time in seconds.
Samples Render(double seconds, int rate, const std::function<double(double t)>& source) {
  Samples samples(static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(source(static_cast<double>(i) / rate));
  return samples;
}

// A tone gliding from f0 to f1 (exponentially) over length seconds, shaped by envelope(t).
Samples Glide(double f0, double f1, double length, int rate, const std::function<double(double t)>& envelope,
              double overtone = 0) {
  double phase = 0;
  return Render(length, rate, [&](double t) {
    double f = f0 * std::pow(f1 / f0, t / length);
    phase += 2 * M_PI * f / rate;
    return envelope(t) * (std::sin(phase) + overtone * std::sin(2 * phase));
  });
}

// Noise through a band of the spectrum, shaped by envelope(t).
Samples Burst(uint32_t seed, double length, int rate, double frequency, double q,
              const std::function<double(double t)>& envelope) {
  CNoise noise(seed);
  CBiquad band;
  band.SetBandpass(frequency, q, rate);
  return Render(length, rate, [&](double t) { return envelope(t) * band.Process(noise.Next()); });
}

size_t At(double seconds, int rate) { return static_cast<size_t>(seconds * rate); }

Samples Waves() {
  CNoise noise(101);
  CBiquad body, foam;
  foam.SetHighpass(2500, 0.7, kRate);
  Samples out = Render(5.5, kRate, [&](double t) {
    double surge = t < 1.8 ? SmoothStep(t, 0, 1.8) : std::exp(-(t - 1.8) / 1.5);
    body.SetLowpass(250 + 2600 * surge, 0.7, kRate);
    double wash = t < 2.2 ? 0 : std::exp(-(t - 2.2) / 0.9) * SmoothStep(t, 2.2, 0.2);
    double n = noise.Next();
    return body.Process(n) * (0.9 * surge + 0.05) + foam.Process(n) * 0.35 * wash;
  });
  FadeEdges(out, 800);
  Normalize(out, 0.7);
  return out;
}

Samples Drip() {
  Samples out = Glide(700, 1700, 0.08, kLowRate, [](double t) { return Strike(t, 0.002, 0.03); });
  MixInto(out, Glide(420, 900, 0.1, kLowRate, [](double t) { return Strike(t, 0.003, 0.035); }), At(0.14, kLowRate), 0.5);
  out.resize(At(0.45, kLowRate), 0.0f);
  Normalize(out, 0.8);
  return out;
}

// A shutter banging once: a dull knock of wood on wood.
Samples Bang(uint32_t seed) {
  Samples out = Burst(seed, 0.35, kRate, 500, 1.2, [](double t) { return Strike(t, 0.001, 0.05); });
  MixInto(out, Glide(180, 150, 0.35, kRate, [](double t) { return 0.6 * Strike(t, 0.001, 0.09); }), 0, 1.0);
  return out;
}

Samples Wind() {
  CNoise noise(202);
  CBiquad howl, rumble;
  rumble.SetLowpass(180, 0.7, kRate);
  Samples out = Render(11, kRate, [&](double t) {
    double centre = 520 + 320 * std::sin(2 * M_PI * t / 3.7) + 180 * std::sin(2 * M_PI * t / 1.3 + 1);
    howl.SetBandpass(centre, 4, kRate);
    double gust = 0.55 + 0.3 * std::sin(2 * M_PI * t / 5.1) + 0.15 * std::sin(2 * M_PI * t / 2.3);
    double n = noise.Next();
    return gust * howl.Process(n) * 1.6 + 0.5 * rumble.Process(n);
  });
  MixInto(out, Bang(203), At(6.2, kRate), 0.9);
  MixInto(out, Bang(204), At(6.55, kRate), 0.5);
  out = Loop(out, At(1.0, kRate));
  Normalize(out, 0.6);
  return out;
}

Samples Steps() {
  Samples out(At(2.6, kRate), 0.0f);
  const double times[] = {0.1, 0.72, 1.3, 1.94};
  uint32_t seed = 301;
  for (double start : times) {
    Samples heel = Glide(95, 70, 0.2, kRate, [](double t) { return Strike(t, 0.002, 0.035); });
    MixInto(heel, Burst(seed++, 0.12, kRate, 900, 0.8, [](double t) { return 1.5 * Strike(t, 0.001, 0.025); }), 0, 1.0);
    MixInto(heel, Burst(seed++, 0.15, kRate, 2600, 1.5, [](double t) { return 0.8 * Strike(t, 0.01, 0.04); }), At(0.08, kRate), 1.0);
    // The stairwell answers each step.
    MixInto(out, heel, At(start, kRate), 1.0);
    MixInto(out, heel, At(start + 0.06, kRate), 0.3);
    MixInto(out, heel, At(start + 0.13, kRate), 0.15);
  }
  out.resize(At(2.6, kRate));
  Normalize(out, 0.7);
  return out;
}

Samples Match() {
  CNoise noise(401);
  CBiquad scratch, flare, body;
  scratch.SetBandpass(3200, 1.2, kRate);
  flare.SetBandpass(1400, 0.6, kRate);
  body.SetLowpass(220, 0.7, kRate);
  Samples out = Render(1.6, kRate, [&](double t) {
    double n = noise.Next();
    double rasp = t < 0.16 ? (0.6 + 0.4 * std::sin(2 * M_PI * 45 * t)) * SmoothStep(t, 0, 0.02) : 0;
    double whoosh = Strike(t - 0.15, 0.04, 0.22);
    double burn = SmoothStep(t, 0.2, 0.2) * std::exp(-(t - 0.2) / 0.9) * 0.25;
    return rasp * scratch.Process(n) * 2 + whoosh * flare.Process(n) + (whoosh + burn) * body.Process(n) * 2;
  });
  FadeEdges(out, 200);
  Normalize(out, 0.7);
  return out;
}

// One stroke of a ship's bell: inharmonic partials, the higher ones dying away first.
Samples BellStroke(double fundamental, double seconds) {
  const double ratios[] = {0.5, 1.0, 1.19, 1.5, 2.0, 2.52, 3.01};
  const double levels[] = {0.35, 1.0, 0.45, 0.3, 0.35, 0.18, 0.12};
  const double decays[] = {3.2, 2.4, 1.7, 1.3, 1.0, 0.6, 0.4};
  return Render(seconds, kRate, [&](double t) {
    double sum = 0;
    for (int i = 0; i < 7; ++i)
      sum += levels[i] * Strike(t, 0.002, decays[i]) * std::sin(2 * M_PI * fundamental * ratios[i] * t);
    return sum;
  });
}

Samples Bell() {
  Samples out = BellStroke(587, 4.5);
  MixInto(out, BellStroke(587, 4.0), At(0.5, kRate), 0.8);
  out.resize(At(4.5, kRate));
  FadeEdges(out, 2000);
  Normalize(out, 0.7);
  return out;
}

Samples Fire() {
  CNoise noise(501), timing(502);
  CBiquad roar, hiss;
  roar.SetLowpass(380, 0.7, kRate);
  hiss.SetHighpass(3000, 0.7, kRate);
  Samples out = Render(9, kRate, [&](double t) {
    double n = noise.Next();
    double breath = 0.7 + 0.3 * std::sin(2 * M_PI * t / 2.9) * std::sin(2 * M_PI * t / 1.1);
    return breath * (roar.Process(n) * 0.9 + hiss.Process(n) * 0.05);
  });
  // Crackles and pops at random moments.
  uint32_t seed = 510;
  for (double t = 0.05; t < 8.8; t += 0.02 + timing.Uniform() * 0.16) {
    bool pop = timing.Uniform() < 0.2;
    double level = 0.15 + timing.Uniform() * (pop ? 0.5 : 0.35);
    double frequency = pop ? 500 + timing.Uniform() * 400 : 1800 + timing.Uniform() * 3500;
    double decay = pop ? 0.02 : 0.002 + timing.Uniform() * 0.006;
    MixInto(out, Burst(seed++, decay * 6, kRate, frequency, pop ? 2 : 1, [&](double s) { return Strike(s, 0.0004, decay); }),
            At(t, kRate), level * (pop ? 3 : 2));
  }
  out.resize(At(9, kRate));
  out = Loop(out, At(0.6, kRate));
  Normalize(out, 0.65);
  return out;
}

Samples Breeze() {
  CNoise noise(601), flutter(602);
  CBiquad leaves, tremble;
  leaves.SetBandpass(2600, 0.7, kRate);
  tremble.SetLowpass(18, 0.7, kRate);
  Samples out = Render(9, kRate, [&](double t) {
    double gust = 0.35 + 0.4 * std::pow(std::sin(M_PI * t / 4.5), 2) + 0.15 * std::sin(2 * M_PI * t / 1.7);
    double rustle = 0.6 + 8 * std::fabs(tremble.Process(flutter.Next()));
    return gust * rustle * leaves.Process(noise.Next());
  });
  out = Loop(out, At(1.0, kRate));
  Normalize(out, 0.5);
  return out;
}

Samples Hoot() {
  auto note = [](double f0, double f1, double length) {
    return Glide(f0, f1, length, kRate, [length](double t) {
      double vibrato = 1 + 0.03 * std::sin(2 * M_PI * 6 * t);
      return SmoothStep(t, 0, 0.06) * (1 - SmoothStep(t, length - 0.12, 0.12)) * vibrato;
    }, 0.15);
  };
  Samples out(At(2.2, kRate), 0.0f);
  MixInto(out, note(410, 385, 0.5), At(0.05, kRate), 1.0);
  MixInto(out, note(400, 395, 0.16), At(0.95, kRate), 0.7);
  MixInto(out, note(405, 360, 0.6), At(1.2, kRate), 0.9);
  Normalize(out, 0.7);
  return out;
}

// Wood under strain: a train of sticking and slipping ticks through the plank's resonances.
Samples Creak(uint32_t seed, double seconds, double rate0, double rate1, double rate2) {
  CNoise jitter(seed);
  CBiquad low, mid, high;
  low.SetBandpass(650, 8, kRate);
  mid.SetBandpass(1350, 10, kRate);
  high.SetBandpass(2250, 12, kRate);
  double phase = 0;
  return Render(seconds, kRate, [&](double t) {
    double x = t / seconds;
    double rate = x < 0.5 ? rate0 + (rate1 - rate0) * x * 2 : rate1 + (rate2 - rate1) * (x - 0.5) * 2;
    phase += rate * (1 + 0.25 * jitter.Next()) / kRate;
    double tick = 0;
    if (phase >= 1) {
      phase -= 1;
      tick = 1;
    }
    double envelope = SmoothStep(t, 0, 0.08) * (1 - SmoothStep(t, seconds - 0.2, 0.2));
    return envelope * (low.Process(tick) * 1.0 + mid.Process(tick) * 0.7 + high.Process(tick) * 0.4);
  });
}

Samples BridgeCreak() {
  Samples out = Creak(701, 1.6, 55, 140, 80);
  MixInto(out, Creak(702, 0.5, 120, 90, 60), At(1.9, kRate), 0.6);
  out.resize(At(2.6, kRate), 0.0f);
  Normalize(out, 0.7);
  return out;
}

Samples Splash() {
  CNoise noise(801), scatter(802);
  CBiquad spray;
  Samples out = Render(2.0, kRate, [&](double t) {
    spray.SetLowpass(800 + 5200 * std::exp(-t / 0.15), 0.7, kRate);
    return Strike(t, 0.004, 0.2) * spray.Process(noise.Next());
  });
  MixInto(out, Glide(75, 55, 0.3, kRate, [](double t) { return Strike(t, 0.003, 0.08); }), 0, 1.2);
  for (int i = 0; i < 12; ++i) {  // droplets falling back
    double f = 1000 + scatter.Uniform() * 1500;
    MixInto(out, Glide(f, f * 1.8, 0.03, kRate, [](double t) { return Strike(t, 0.001, 0.008); }),
            At(0.15 + scatter.Uniform() * 0.8, kRate), 0.25);
  }
  for (int i = 0; i < 8; ++i) {  // and bubbles rising
    double f = 300 + scatter.Uniform() * 250;
    MixInto(out, Glide(f, f * 2.2, 0.06, kRate, [](double t) { return Strike(t, 0.002, 0.02); }),
            At(0.3 + scatter.Uniform() * 1.0, kRate), 0.3);
  }
  out.resize(At(2.0, kRate));
  FadeEdges(out, 400);
  Normalize(out, 0.75);
  return out;
}

Samples Stream() {
  CNoise noise(901), babble(902), timing(903);
  CBiquad water, wobble;
  water.SetBandpass(1700, 0.8, kRate);
  wobble.SetLowpass(8, 0.7, kRate);
  Samples out = Render(9, kRate, [&](double t) {
    (void)t;
    double level = 0.3 + 6 * std::fabs(wobble.Process(babble.Next()));
    return level * water.Process(noise.Next());
  });
  for (double t = 0.02; t < 8.9; t += 0.01 + timing.Uniform() * 0.09) {
    double f = 600 + timing.Uniform() * 1600, length = 0.02 + timing.Uniform() * 0.03;
    MixInto(out, Glide(f, f * 1.4, length, kRate, [](double s) { return Strike(s, 0.002, 0.012); }), At(t, kRate),
            0.1 + timing.Uniform() * 0.25);
  }
  out.resize(At(9, kRate));
  out = Loop(out, At(0.8, kRate));
  Normalize(out, 0.55);
  return out;
}

Samples Wheel() {
  CNoise noise(1001), timing(1002);
  CBiquad flow;
  flow.SetBandpass(900, 0.7, kRate);
  Samples out = Render(4.3, kRate, [&](double) { return 0.25 * flow.Process(noise.Next()); });
  uint32_t seed = 1010;
  for (double t = 0.1; t < 4.2; t += 0.5) {  // a paddle slaps the water
    double level = 0.7 + timing.Uniform() * 0.3;
    MixInto(out, Burst(seed++, 0.4, kRate, 700, 0.6, [](double s) { return Strike(s, 0.012, 0.1); }), At(t, kRate), level * 2.2);
  }
  MixInto(out, Creak(1003, 0.45, 70, 110, 60), At(1.2, kRate), 0.5);
  MixInto(out, Creak(1004, 0.45, 80, 120, 70), At(3.2, kRate), 0.45);
  out.resize(At(4.3, kRate));
  out = Loop(out, At(0.3, kRate));
  Normalize(out, 0.6);
  return out;
}

Samples Crickets() {
  Samples out(At(3.0, kRate), 0.0f);
  auto chirp = [](double frequency) {
    Samples pulses(At(0.11, kRate), 0.0f);
    for (int p = 0; p < 4; ++p)
      MixInto(pulses, Render(0.012, kRate, [frequency](double t) {
                return std::sin(M_PI * t / 0.012) * std::sin(2 * M_PI * frequency * t);
              }), At(p * 0.025, kRate), 1.0);
    return pulses;
  };
  for (double t = 0.05; t < 2.85; t += 0.5) MixInto(out, chirp(4600), At(t, kRate), 1.0);
  for (double t = 0.28; t < 2.85; t += 0.7) MixInto(out, chirp(4200), At(t, kRate), 0.5);
  out.resize(At(3.0, kRate));
  Normalize(out, 0.45);
  return out;
}

}  // namespace

std::vector<StorySound> StorySounds() {
  return {
      {"Lantern/sounds/waves.wav", SoundFormat::Wav16, kRate, Waves()},
      {"Lantern/sounds/drip.wav", SoundFormat::Wav8, kLowRate, Drip()},
      {"Lantern/sounds/wind.ogg", SoundFormat::Ogg, kRate, Wind()},
      {"Lantern/sounds/steps.wav", SoundFormat::Wav16, kRate, Steps()},
      {"Lantern/sounds/match.wav", SoundFormat::Wav16, kRate, Match()},
      {"Lantern/sounds/bell.ogg", SoundFormat::Ogg, kRate, Bell()},
      {"Autumn/sounds/fire.ogg", SoundFormat::Ogg, kRate, Fire()},
      {"Autumn/sounds/breeze.ogg", SoundFormat::Ogg, kRate, Breeze()},
      {"Autumn/sounds/hoot.wav", SoundFormat::Wav16, kRate, Hoot()},
      {"Autumn/sounds/creak.ogg", SoundFormat::Ogg, kRate, BridgeCreak()},
      {"Autumn/sounds/splash.wav", SoundFormat::Wav16, kRate, Splash()},
      {"Autumn/sounds/stream.ogg", SoundFormat::Ogg, kRate, Stream()},
      {"Autumn/sounds/wheel.ogg", SoundFormat::Ogg, kRate, Wheel()},
      {"Autumn/sounds/crickets.wav", SoundFormat::Wav16, kRate, Crickets()},
  };
}
