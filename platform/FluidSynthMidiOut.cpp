#include "platform/FluidSynthMidiOut.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>

#include "platform/FluidSynthLibrary.h"

namespace platform {
namespace {

const char* const kAudioDrivers[] = {"pulseaudio", "pipewire", "alsa"};

// FluidSynth's messages would land on the user's terminal; the last error is kept for the
// failure's description instead.
thread_local std::string t_lastFluidError;

void KeepFluidMessage(int level, const char* message, void*) {
  if ((level == FLUID_ERR || level == FLUID_PANIC) && message) t_lastFluidError = message;
}

// The library, loaded on first use and quietened; null when it cannot be loaded.
const FluidSynthLibrary* LoadFluidSynth(std::string& errorText) {
  const FluidSynthLibrary* fluid = FluidSynthLibrary::Load(errorText);
  static std::once_flag quiet;
  if (fluid)
    std::call_once(quiet, [fluid] {
      for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid->fluid_set_log_function(level, KeepFluidMessage, nullptr);
    });
  return fluid;
}

bool IsRegularFile(const std::string& path) {
  struct stat status;
  return !path.empty() && stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Soundfonts in a folder, in name order.
std::vector<std::string> SoundFontsIn(const std::string& folder) {
  std::vector<std::string> found;
  DIR* directory = opendir(folder.c_str());
  if (!directory) return found;
  while (const dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    if ((EndsWith(name, ".sf2") || EndsWith(name, ".sf3")) && IsRegularFile(folder + "/" + name))
      found.push_back(folder + "/" + name);
  }
  closedir(directory);
  std::sort(found.begin(), found.end());
  return found;
}

// The first General MIDI soundfont in the usual places; empty when there is none.
std::string SoundFontInUsualPlaces() {
  for (const char* place :
       {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/soundfonts/default.sf2", "/usr/share/soundfonts/FluidR3_GM.sf2"})
    if (IsRegularFile(place)) return place;
  for (const char* folder : {"/usr/share/sounds/sf2", "/usr/share/sounds/sf3",
                             "/usr/share/soundfonts"}) {
    const std::vector<std::string> found = SoundFontsIn(folder);
    if (!found.empty()) return found.front();
  }
  return "";
}

// The soundfont FluidSynth plays by default; empty when the library cannot be loaded.
std::string ConfiguredSoundFont() {
  std::string ignored;
  const FluidSynthLibrary* fluid = LoadFluidSynth(ignored);
  if (!fluid) return "";
  std::string configured;
  if (fluid_settings_t* settings = fluid->new_fluid_settings()) {
    char* value = nullptr;
    if (fluid->fluid_settings_dupstr(settings, "synth.default-soundfont", &value) == FLUID_OK &&
        value)
      configured = value;
    fluid->fluid_free(value);
    fluid->delete_fluid_settings(settings);
  }
  return configured;
}

std::string LastFluidError(const char* fallback) {
  std::string text = t_lastFluidError.empty() ? fallback : t_lastFluidError;
  t_lastFluidError.clear();
  return text;
}

}  // namespace

// A synthesizer with the soundfont loaded.
class FluidSynthMidiOut::Synth {
 public:
  explicit Synth(double sampleRate) : m_sampleRate(sampleRate) {}
  ~Synth() {
    if (m_synth) m_fluid->delete_fluid_synth(m_synth);
    if (m_settings) m_fluid->delete_fluid_settings(m_settings);
  }

  MMRESULT Load(std::string& errorText) {
    m_fluid = LoadFluidSynth(errorText);
    if (!m_fluid) return MMSYSERR_NODRIVER;
    m_settings = m_fluid->new_fluid_settings();
    if (!m_settings) {
      errorText = "FluidSynth's settings cannot be made";
      return MMSYSERR_NOMEM;
    }
    m_fluid->fluid_settings_setnum(m_settings, "synth.sample-rate", m_sampleRate);
    const std::string soundFont = FindSoundFont();
    if (soundFont.empty()) {
      errorText = "no General MIDI soundfont was found";
      return MMSYSERR_NODRIVER;
    }
    m_synth = m_fluid->new_fluid_synth(m_settings);
    if (!m_synth) {
      errorText = LastFluidError("FluidSynth cannot be started");
      return MMSYSERR_NOMEM;
    }
    if (m_fluid->fluid_synth_sfload(m_synth, soundFont.c_str(), 1) == FLUID_FAILED) {
      errorText = soundFont + ": " + LastFluidError("the soundfont cannot be loaded");
      return MMSYSERR_NOTENABLED;
    }
    return MMSYSERR_NOERROR;
  }

  // An audio driver that plays the synthesizer, the first of the drivers that starts.
  fluid_audio_driver_t* StartAudioDriver(std::string& errorText) {
    std::lock_guard<std::mutex> lock(m_driverMutex);
    std::vector<std::string> available;
    m_fluid->fluid_settings_foreach_option(
        m_settings, "audio.driver", &available, [](void* data, const char*, const char* option) {
          static_cast<std::vector<std::string>*>(data)->push_back(option);
        });
    std::string failures;
    for (const char* name : kAudioDrivers) {
      if (std::find(available.begin(), available.end(), name) == available.end()) continue;
      if (m_fluid->fluid_settings_setstr(m_settings, "audio.driver", name) != FLUID_OK) continue;
      if (fluid_audio_driver_t* driver = m_fluid->new_fluid_audio_driver(m_settings, m_synth))
        return driver;
      failures += std::string(failures.empty() ? "" : "; ") + name + ": " +
                  LastFluidError("cannot be started");
    }
    errorText = failures.empty() ? "no audio driver for the synthesizer"
                                 : "no audio output for the synthesizer (" + failures + ")";
    return nullptr;
  }

  void SendShort(uint32_t message) {
    const int status = message & 0xFF;
    const int channel = status & 0x0F;
    const int first = (message >> 8) & 0x7F;
    const int second = (message >> 16) & 0x7F;
    switch (status & 0xF0) {
      case 0x80: m_fluid->fluid_synth_noteoff(m_synth, channel, first); break;
      case 0x90:
        if (second > 0)
          m_fluid->fluid_synth_noteon(m_synth, channel, first, second);
        else
          m_fluid->fluid_synth_noteoff(m_synth, channel, first);
        break;
      case 0xA0: m_fluid->fluid_synth_key_pressure(m_synth, channel, first, second); break;
      case 0xB0: m_fluid->fluid_synth_cc(m_synth, channel, first, second); break;
      case 0xC0: m_fluid->fluid_synth_program_change(m_synth, channel, first); break;
      case 0xD0: m_fluid->fluid_synth_channel_pressure(m_synth, channel, first); break;
      case 0xE0: m_fluid->fluid_synth_pitch_bend(m_synth, channel, first | (second << 7)); break;
      default:
        if (status == 0xFF) m_fluid->fluid_synth_system_reset(m_synth);
        break;
    }
  }

  // FluidSynth takes a whole system-exclusive message without its framing bytes; one that
  // comes in parts is gathered in pending (the output's own, empty while none is under way).
  void SendLong(const uint8_t* data, size_t size, std::vector<uint8_t>& pending) {
    for (size_t i = 0; i < size; ++i) {
      const uint8_t byte = data[i];
      if (byte == 0xF0) {
        pending.assign(1, byte);
      } else if (byte >= 0xF8 || pending.empty()) {
        continue;  // real-time bytes may fall inside a message; other bytes outside one
      } else if (byte == 0xF7) {
        m_fluid->fluid_synth_sysex(m_synth, reinterpret_cast<const char*>(pending.data() + 1),
                                   static_cast<int>(pending.size() - 1), nullptr, nullptr, nullptr,
                                   0);
        pending.clear();
      } else if (byte & 0x80) {
        pending.clear();  // another status ends the message unfinished
      } else {
        pending.push_back(byte);
      }
    }
  }

  bool Render(int16_t* samples, int frames) {
    return m_fluid->fluid_synth_write_s16(m_synth, frames, samples, 0, 2, samples, 1, 2) ==
           FLUID_OK;
  }

  // Silences what is left sounding when an output closes.
  void AllSoundOff() { m_fluid->fluid_synth_all_sounds_off(m_synth, -1); }
  // Programs and controllers back to their defaults, as a freshly opened device has them.
  void Reset() { m_fluid->fluid_synth_system_reset(m_synth); }
  void StopAudioDriver(fluid_audio_driver_t* driver) { m_fluid->delete_fluid_audio_driver(driver); }

 private:
  double m_sampleRate;
  const FluidSynthLibrary* m_fluid = nullptr;
  fluid_settings_t* m_settings = nullptr;
  fluid_synth_t* m_synth = nullptr;
  std::mutex m_driverMutex;
};

namespace {

class FluidSynthOutput : public MidiOutput {
 public:
  using Acquire =
      std::function<MMRESULT(std::shared_ptr<FluidSynthMidiOut::Synth>&, std::string&)>;
  explicit FluidSynthOutput(Acquire acquire) : m_acquire(std::move(acquire)) {}
  ~FluidSynthOutput() override { Close(); }

  MMRESULT Open(std::string& errorText) override {
    std::shared_ptr<FluidSynthMidiOut::Synth> synth;
    const MMRESULT result = m_acquire(synth, errorText);
    if (result != MMSYSERR_NOERROR) return result;
    synth->Reset();
    m_driver = synth->StartAudioDriver(errorText);
    if (!m_driver) return MMSYSERR_NODRIVER;
    m_synth = std::move(synth);
    return MMSYSERR_NOERROR;
  }
  void Close() override {
    if (m_driver) {
      m_synth->AllSoundOff();
      m_synth->StopAudioDriver(m_driver);
    }
    m_driver = nullptr;
    m_synth.reset();
  }
  void SendShort(uint32_t message) override { m_synth->SendShort(message); }
  void SendLong(const uint8_t* data, size_t size) override {
    m_synth->SendLong(data, size, m_pendingSysEx);
  }

 private:
  Acquire m_acquire;
  std::vector<uint8_t> m_pendingSysEx;
  std::shared_ptr<FluidSynthMidiOut::Synth> m_synth;
  fluid_audio_driver_t* m_driver = nullptr;
};

}  // namespace

FluidSynthMidiOut::FluidSynthMidiOut() = default;

FluidSynthMidiOut::~FluidSynthMidiOut() = default;

std::string FluidSynthMidiOut::FindSoundFont() {
  const std::string configured = ConfiguredSoundFont();
  return IsRegularFile(configured) ? configured : SoundFontInUsualPlaces();
}

std::vector<MidiDeviceName> FluidSynthMidiOut::ListDevices() {
  // A soundfont in the usual places answers without loading the library.
  if (SoundFontInUsualPlaces().empty() && FindSoundFont().empty()) return {};
  return {MidiDeviceName{kDeviceName, kDeviceName}};
}

MMRESULT FluidSynthMidiOut::AcquireSynth(std::shared_ptr<Synth>& synth, std::string& errorText) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_synth) {
    auto loaded = std::make_shared<Synth>(44100.0);
    const MMRESULT result = loaded->Load(errorText);
    if (result != MMSYSERR_NOERROR) return result;
    m_synth = std::move(loaded);
  }
  synth = m_synth;
  return MMSYSERR_NOERROR;
}

std::unique_ptr<MidiOutput> FluidSynthMidiOut::CreateOutput(const MidiDeviceName&) {
  return std::make_unique<FluidSynthOutput>(
      [this](std::shared_ptr<Synth>& synth, std::string& errorText) {
        return AcquireSynth(synth, errorText);
      });
}

FluidSynthRenderer::FluidSynthRenderer(double sampleRate) : m_sampleRate(sampleRate) {}

FluidSynthRenderer::~FluidSynthRenderer() = default;

MMRESULT FluidSynthRenderer::Open(std::string& errorText) {
  auto synth = std::make_unique<FluidSynthMidiOut::Synth>(m_sampleRate);
  const MMRESULT result = synth->Load(errorText);
  if (result == MMSYSERR_NOERROR) m_synth = std::move(synth);
  return result;
}

void FluidSynthRenderer::Close() { m_synth.reset(); }

void FluidSynthRenderer::SendShort(uint32_t message) {
  if (m_synth) m_synth->SendShort(message);
}

void FluidSynthRenderer::SendLong(const uint8_t* data, size_t size) {
  if (m_synth) m_synth->SendLong(data, size, m_pendingSysEx);
}

bool FluidSynthRenderer::Render(int16_t* samples, int frames) {
  return m_synth && m_synth->Render(samples, frames);
}

}  // namespace platform
