// fablewick-story play: plays a sound or a MIDI file through the player's own engines, with its
// loops and delays, until it ends or Ctrl+C stops it. "--device" takes a device's name or the id
// that the devices command lists. "--device null" plays a sound into the null device; "--device capture" plays MIDI into the capture output and prints each message as
// it reaches the output: the microseconds since the start and the bytes in lowercase hex.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/MidiPlayer.h"
#include "audio/MidiSequence.h"
#include "audio/OutputDevices.h"
#include "audio/SoundLoaderChoice.h"
#include "audio/WavePlayer.h"
#include "platform/CaptureMidiOut.h"
#include "platform/FileSystem.h"
#include "platform/MidiOutSystem.h"
#include "platform/SystemError.h"
#include "tools/storytool/ToolCommands.h"

namespace {

constexpr const char* kCaptureDevice = "capture";

std::atomic<bool> g_interrupted{false};

void OnInterrupt(int) { g_interrupted = true; }

struct PlayOptions {
  int loops = 0;  // as in a story: n times in all, 0 once, -1 endlessly
  int delayMin = 0;
  int delayMax = 0;
  std::string device;
  std::string media;
};

int Fail(const std::string& subject, const std::string& message) {
  std::fprintf(stderr, "fablewick-story play: %s: %s\n", subject.c_str(), message.c_str());
  return kExitUsage;
}

bool ParseNumber(const std::string& text, long minimum, int& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (errno || *end || number < minimum || number > 0x7FFFFFFF) return false;
  value = static_cast<int>(number);
  return true;
}

bool ParseLoops(const std::string& text, int& loops) {
  if (text == "FOREVER" || text == "forever") {
    loops = -1;
    return true;
  }
  return ParseNumber(text, -1, loops);
}

bool ParseDelay(const std::string& text, int& delayMin, int& delayMax) {
  const size_t dash = text.find('-');
  if (dash == std::string::npos) {
    if (!ParseNumber(text, 0, delayMin)) return false;
    delayMax = delayMin;
    return true;
  }
  return ParseNumber(text.substr(0, dash), 0, delayMin) &&
         ParseNumber(text.substr(dash + 1), 0, delayMax) && delayMax >= delayMin;
}

bool ParseOptions(const ToolArgs& args, PlayOptions& options) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--loops" && hasValue) {
      if (!ParseLoops(args[++i], options.loops)) return false;
    } else if (arg == "--delay" && hasValue) {
      if (!ParseDelay(args[++i], options.delayMin, options.delayMax)) return false;
    } else if (arg == "--device" && hasValue) {
      options.device = args[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      return false;
    } else if (options.media.empty()) {
      options.media = arg;
    } else {
      return false;
    }
  }
  return !options.media.empty();
}

// Waits until done says so or Ctrl+C is pressed.
template <typename Done>
void WaitUntilDone(Done done) {
  while (!done() && !g_interrupted) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

// Tells when the sound has ended, and whether it had any samples at all (a sound without
// samples starts and never ends).
class SoundWatch : public IWaveBufferFiller, public IWaveListener {
 public:
  explicit SoundWatch(IWaveBufferFiller& filler) : m_filler(filler) {}
  void Rewind() override { m_filler.Rewind(); }
  uint32_t Fill(CWavePlayer* engine, uint8_t* buffer, uint32_t capacity) override {
    const uint32_t count = m_filler.Fill(engine, buffer, capacity);
    if (count > 0) m_hadSamples = true;
    return count;
  }
  void OnWaveEnd() override { m_ended = true; }
  bool Ended() const { return m_ended || !m_hadSamples; }

 private:
  IWaveBufferFiller& m_filler;
  std::atomic<bool> m_ended{false};
  std::atomic<bool> m_hadSamples{false};
};

// The device named, or listed with that id by the devices command; null when none is.
const CDeviceEntry* FindDevice(const std::vector<CDeviceEntry>& devices, const std::string& text) {
  if (const CDeviceEntry* named = FindDeviceByName(devices, text)) return named;
  int id = 0;
  if (!ParseNumber(text, -1, id)) return nullptr;
  for (const CDeviceEntry& entry : devices)
    if (entry.m_id == static_cast<uint32_t>(id)) return &entry;
  return nullptr;
}

int PlaySound(SoundFileFormat format, const PlayOptions& options) {
  if (options.device == kCaptureDevice)
    return Fail(options.device, "the capture output plays MIDI only");
  std::string deviceName;
  if (!options.device.empty()) {
    std::vector<CDeviceEntry> devices;
    EnumerateWaveOutputDevices(devices);
    const CDeviceEntry* device = FindDevice(devices, options.device);
    if (!device) return Fail(options.device, "no such wave output device (see: fablewick-story devices)");
    deviceName = device->m_name;
  }

  CSoundWav wav;
  CSoundVorbis vorbis;
  const SoundObject sound = ChooseSoundObject(format, wav, vorbis);
  if (!sound.loader->Load(options.media.c_str())) {
    const std::string text = sound.loader->GetErrorText();
    return Fail(options.media, text.empty() ? "cannot load the sound" : text);
  }
  CWavePlayer engine;
  SoundWatch watch(*sound.filler);
  if (!engine.Init(deviceName) || !engine.Open(sound.loader->GetFormat(16)))
    return Fail(options.media, engine.GetLastErrorText());
  std::fprintf(stderr, "playing %s on %s\n", options.media.c_str(), engine.GetDeviceName().c_str());
  if (!engine.Play(&watch, &watch, options.loops, options.delayMin, options.delayMax)) {
    engine.Close();
    return Fail(options.media, engine.GetLastErrorText());
  }
  WaitUntilDone([&] { return watch.Ended(); });
  // A sound that ended because its device failed has the failure recorded.
  const uint32_t failure = engine.GetLastErrorCode();
  const std::string reason = engine.GetLastErrorText();
  engine.Stop();
  engine.Shutdown();
  sound.loader->Close();
  if (failure != MMSYSERR_NOERROR) {
    std::fprintf(stderr, "fablewick-story play: %s: %s\n", options.media.c_str(), reason.c_str());
    return kExitStoryErrors;
  }
  return kExitOk;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

// The MIDI devices to play on: the system's, or the capture output that prints each message.
std::unique_ptr<platform::MidiOutSystem> CaptureDevices(std::chrono::steady_clock::time_point& start) {
  auto log = std::make_shared<platform::MidiCaptureLog>();
  log->onMessage = [&start](const platform::MidiCaptureLog::Message& message) {
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(message.time - start).count();
    std::printf("%lld %s\n", static_cast<long long>(micros), Hex(message.bytes).c_str());
    std::fflush(stdout);
  };
  std::vector<std::unique_ptr<platform::MidiOutBackend>> backends;
  backends.push_back(std::make_unique<platform::CaptureMidiOut>(log));
  return std::make_unique<platform::MidiOutSystem>(std::move(backends));
}

int PlayMidi(const PlayOptions& options) {
  CMidiSequence sequence;
  if (!sequence.Load(options.media, false, true)) return Fail(options.media, sequence.GetErrorText());

  std::chrono::steady_clock::time_point start;
  std::unique_ptr<platform::MidiOutSystem> capture;
  platform::MidiOutSystem* devices = &platform::MidiOutSystem::Default();
  uint32_t deviceId = MIDI_MAPPER;
  if (options.device == kCaptureDevice) {
    capture = CaptureDevices(start);
    devices = capture.get();
  } else if (!options.device.empty()) {
    std::vector<CDeviceEntry> list;
    EnumerateMidiOutputDevices(list);
    const CDeviceEntry* entry = FindDevice(list, options.device);
    if (!entry) return Fail(options.device, "no such MIDI output device (see: fablewick-story devices)");
    deviceId = entry->m_id;
  }

  CMidiPlayer player(*devices);
  if (!player.Open(deviceId)) return Fail(options.media, player.GetErrorText());
  // The player counts the starts after the first; a story counts the plays in all.
  const int repeats = options.loops > 0 ? options.loops - 1 : options.loops;
  start = std::chrono::steady_clock::now();
  if (!player.Play(&sequence, repeats)) {
    const std::string text = player.GetErrorText();
    player.Close();
    return Fail(options.media, text);
  }
  WaitUntilDone([&] { return !player.IsPlaying(); });
  player.Stop();
  // A synthesizer's last notes fade out before its output closes.
  if (!capture && !g_interrupted) std::this_thread::sleep_for(std::chrono::milliseconds(500));
  player.Close();
  return kExitOk;
}

int RunPlay(const ToolArgs& args) {
  PlayOptions options;
  if (!ParseOptions(args, options)) return UsageError(kPlayCommand);
  FILE* probe = platform::OpenFile(options.media, "rb");
  if (!probe) return Fail(options.media, platform::SystemErrorText(errno));
  std::fclose(probe);

  std::signal(SIGINT, OnInterrupt);
  const SoundFileFormat format = DetectSoundFileFormat(options.media.c_str());
  if (format != SoundFileFormat::None) return PlaySound(format, options);
  CMidiSequence probeSequence;
  if (probeSequence.Load(options.media, false, false)) return PlayMidi(options);
  return Fail(options.media, "not a sound (WAV or Ogg Vorbis) or MIDI file");
}

}  // namespace

const ToolCommand kPlayCommand = {"play", "[--loops N] [--delay MIN[-MAX]] [--device NAME] MEDIA",
                                  RunPlay};
