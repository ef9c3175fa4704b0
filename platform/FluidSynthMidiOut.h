#pragma once
// The built-in synthesizer: FluidSynth with the system's General MIDI soundfont, playing
// through PulseAudio, else PipeWire, else ALSA. The FluidSynth library, the synthesizer and its
// soundfont are loaded once, when the first tune opens an output, and kept: programs that never
// play a tune start without them. Each opened output brings its own audio driver.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/MidiOut.h"

namespace platform {

class FluidSynthMidiOut : public MidiOutBackend {
 public:
  static constexpr const char* kDeviceName = "FluidSynth";

  FluidSynthMidiOut();
  ~FluidSynthMidiOut() override;

  // The soundfont FluidSynth's synth.default-soundfont setting names, else the first General
  // MIDI soundfont in the usual places; empty when there is none.
  static std::string FindSoundFont();

  // The synthesizer is listed when a soundfont is found (and, where one lies in the usual
  // places, without loading the library).
  std::vector<MidiDeviceName> ListDevices() override;
  std::unique_ptr<MidiOutput> CreateOutput(const MidiDeviceName& device) override;

  class Synth;

 private:
  MMRESULT AcquireSynth(std::shared_ptr<Synth>& synth, std::string& errorText);

  std::mutex m_mutex;
  std::shared_ptr<Synth> m_synth;
};

// A synthesizer without an audio driver: the caller pulls the samples.
class FluidSynthRenderer : public MidiOutput {
 public:
  explicit FluidSynthRenderer(double sampleRate = 44100);
  ~FluidSynthRenderer() override;
  MMRESULT Open(std::string& errorText) override;
  void Close() override;
  void SendShort(uint32_t message) override;
  void SendLong(const uint8_t* data, size_t size) override;
  // Renders frames of interleaved 16-bit stereo.
  bool Render(int16_t* samples, int frames);

 private:
  double m_sampleRate;
  std::unique_ptr<FluidSynthMidiOut::Synth> m_synth;
  std::vector<uint8_t> m_pendingSysEx;  // a system-exclusive message that came in part
};

}  // namespace platform
