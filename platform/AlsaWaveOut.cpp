#include "platform/AlsaWaveOut.h"

#include <alsa/asoundlib.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace platform {
namespace {

// The library's own complaints would land on the user's terminal; failures are reported by
// result instead.
void QuietErrorHandler(const char*, int, const char*, int, const char*, ...) {}

snd_pcm_format_t SampleFormat(uint16_t bits) {
  switch (bits) {
    case 8: return SND_PCM_FORMAT_U8;
    case 16: return SND_PCM_FORMAT_S16_LE;
    case 24: return SND_PCM_FORMAT_S24_3LE;
    case 32: return SND_PCM_FORMAT_S32_LE;
    default: return SND_PCM_FORMAT_UNKNOWN;
  }
}

MMRESULT OpenFailureCode(int error) {
  switch (-error) {
    case EBUSY: return MMSYSERR_ALLOCATED;
    case ENOMEM: return MMSYSERR_NOMEM;
    default: return MMSYSERR_NODRIVER;
  }
}

class AlsaSink : public WaveOutSink {
 public:
  explicit AlsaSink(std::string device) : m_device(std::move(device)) {}
  ~AlsaSink() override { Close(); }

  MMRESULT Open(const WAVEFORMATEX& format, std::string& errorText) override {
    int error = snd_pcm_open(&m_pcm, m_device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (error < 0) {
      m_pcm = nullptr;
      errorText = m_device + ": " + snd_strerror(error);
      return OpenFailureCode(error);
    }
    if (!Configure(format, errorText)) {
      Close();
      return WAVERR_BADFORMAT;
    }
    const int count = snd_pcm_poll_descriptors_count(m_pcm);
    m_fds.resize(count > 0 ? static_cast<size_t>(count) : 0);
    if (!m_fds.empty()) snd_pcm_poll_descriptors(m_pcm, m_fds.data(), m_fds.size());
    return MMSYSERR_NOERROR;
  }

  void Close() override {
    if (m_pcm) snd_pcm_close(m_pcm);
    m_pcm = nullptr;
  }

  long Writable() override {
    snd_pcm_sframes_t avail = snd_pcm_avail_update(m_pcm);
    if (avail < 0) {
      const int recovered = snd_pcm_recover(m_pcm, static_cast<int>(avail), 1);
      if (recovered < 0) return recovered;
      avail = snd_pcm_avail_update(m_pcm);
    }
    return static_cast<long>(avail);
  }

  long Write(const uint8_t* data, long frames) override {
    for (int attempt = 0; attempt < 2; ++attempt) {
      const snd_pcm_sframes_t written =
          snd_pcm_writei(m_pcm, data, static_cast<snd_pcm_uframes_t>(frames));
      if (written >= 0) return static_cast<long>(written);
      if (written == -EAGAIN) return 0;
      const int recovered = snd_pcm_recover(m_pcm, static_cast<int>(written), 1);
      if (recovered < 0) return recovered;
    }
    return 0;
  }

  long Pending() override {
    const snd_pcm_state_t state = snd_pcm_state(m_pcm);
    if (state != SND_PCM_STATE_RUNNING && state != SND_PCM_STATE_PAUSED &&
        state != SND_PCM_STATE_PREPARED && state != SND_PCM_STATE_DRAINING)
      return 0;
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(m_pcm, &delay) < 0 || delay < 0) return 0;
    return static_cast<long>(delay);
  }

  void Flush() override {
    if (snd_pcm_state(m_pcm) == SND_PCM_STATE_PREPARED) snd_pcm_start(m_pcm);
  }

  void Pause(bool paused) override {
    const snd_pcm_state_t state = snd_pcm_state(m_pcm);
    if (paused && state == SND_PCM_STATE_RUNNING && m_canPause) snd_pcm_pause(m_pcm, 1);
    if (!paused && state == SND_PCM_STATE_PAUSED) snd_pcm_pause(m_pcm, 0);
  }

  void Drop() override {
    snd_pcm_drop(m_pcm);
    snd_pcm_prepare(m_pcm);
  }

  void PollDescriptors(std::vector<pollfd>& fds) override { fds = m_fds; }

  void PollEvents(std::vector<pollfd>& fds) override {
    unsigned short revents = 0;
    if (!fds.empty())
      snd_pcm_poll_descriptors_revents(m_pcm, fds.data(), static_cast<unsigned>(fds.size()),
                                       &revents);
  }

  // The descriptors tell; the limit only guards against an output that stops telling.
  int WaitTimeoutMs(long) override { return 100; }

 private:
  bool Configure(const WAVEFORMATEX& format, std::string& errorText) {
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    unsigned rate = format.nSamplesPerSec;
    unsigned bufferTime = 100000;  // microseconds
    unsigned periodTime = 25000;
    int error = snd_pcm_hw_params_any(m_pcm, hw);
    if (error >= 0) error = snd_pcm_hw_params_set_rate_resample(m_pcm, hw, 1);
    if (error >= 0) error = snd_pcm_hw_params_set_access(m_pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED);
    if (error >= 0) error = snd_pcm_hw_params_set_format(m_pcm, hw, SampleFormat(format.wBitsPerSample));
    if (error >= 0) error = snd_pcm_hw_params_set_channels(m_pcm, hw, format.nChannels);
    if (error >= 0) error = snd_pcm_hw_params_set_rate(m_pcm, hw, rate, 0);
    if (error >= 0) snd_pcm_hw_params_set_buffer_time_near(m_pcm, hw, &bufferTime, nullptr);
    if (error >= 0) snd_pcm_hw_params_set_period_time_near(m_pcm, hw, &periodTime, nullptr);
    if (error >= 0) error = snd_pcm_hw_params(m_pcm, hw);
    if (error < 0) {
      errorText = m_device + ": the format cannot be set: " + snd_strerror(error);
      return false;
    }
    m_canPause = snd_pcm_hw_params_can_pause(hw) != 0;
    snd_pcm_uframes_t period = 0;
    snd_pcm_hw_params_get_period_size(hw, &period, nullptr);

    snd_pcm_sw_params_t* sw = nullptr;
    snd_pcm_sw_params_alloca(&sw);
    error = snd_pcm_sw_params_current(m_pcm, sw);
    if (error >= 0) error = snd_pcm_sw_params_set_start_threshold(m_pcm, sw, period);
    if (error >= 0) error = snd_pcm_sw_params_set_avail_min(m_pcm, sw, period);
    if (error >= 0) error = snd_pcm_sw_params(m_pcm, sw);
    if (error < 0) {
      errorText = m_device + ": " + snd_strerror(error);
      return false;
    }
    return true;
  }

  std::string m_device;
  snd_pcm_t* m_pcm = nullptr;
  std::vector<pollfd> m_fds;
  bool m_canPause = false;
};

// PCMs that convert or process for another PCM and are no outputs of their own (their variants
// carry a suffix, as "samplerate_best").
const char* const kConverters[] = {"lavrate", "lavcrate", "samplerate", "speexrate",
                                   "speex",   "upmix",    "vdownmix",   "a52"};

// A card's devices that a user may choose, best first: the card's default (which mixes and
// converts), the converting hardware device, then the card's named outputs. Raw and mixing
// devices and the surround layouts are left out.
const char* const kCardInterfaces[] = {"default", "sysdefault", "plughw",
                                       "front",   "hdmi",       "iec958"};

std::string InterfaceOf(const std::string& name) { return name.substr(0, name.find(':')); }

// The value of KEY=value among the arguments after the colon; empty when there is none.
std::string ArgumentOf(const std::string& name, const std::string& key) {
  const size_t colon = name.find(':');
  if (colon == std::string::npos) return "";
  size_t start = colon + 1;
  while (start < name.size()) {
    size_t end = name.find(',', start);
    if (end == std::string::npos) end = name.size();
    if (name.compare(start, key.size() + 1, key + "=") == 0)
      return name.substr(start + key.size() + 1, end - start - key.size() - 1);
    start = end + 1;
  }
  return "";
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

bool IsConverter(const std::string& interface) {
  const std::string base = interface.substr(0, interface.find('_'));
  for (const char* converter : kConverters)
    if (base == converter) return true;
  return false;
}

int CardInterfaceRank(const std::string& interface) {
  for (size_t rank = 0; rank < std::size(kCardInterfaces); ++rank)
    if (interface == kCardInterfaces[rank]) return static_cast<int>(rank);
  return -1;
}

// Whether a backend's PCM has its server (or device) there; other PCMs are no backends.
bool BackendRuns(const std::string& interface, const AlsaWaveOut::Servers& servers) {
  if (interface == "pulse") return servers.pulseAudio;
  if (interface == "pipewire") return servers.pipeWire;
  if (interface == "jack") return servers.jack;
  if (interface == "oss") return servers.oss;
  return true;
}

std::string DefaultLabel(const std::string& description) {
  if (description.find("PipeWire") != std::string::npos) return "Default (PipeWire)";
  if (description.find("PulseAudio") != std::string::npos) return "Default (PulseAudio)";
  return "Default";
}

bool CanConnect(const std::string& socketPath) {
  sockaddr_un address{};
  if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string HintField(void* hint, const char* what) {
  char* value = snd_device_name_get_hint(hint, what);
  std::string text = value ? value : "";
  free(value);
  return text;
}

}  // namespace

AlsaWaveOut::AlsaWaveOut() { snd_lib_error_set_handler(QuietErrorHandler); }

std::vector<WaveDeviceName> AlsaWaveOut::ChooseOutputs(const std::vector<Hint>& hints,
                                                       const Servers& servers) {
  struct CardOutput {
    std::string card, label, address;
    int rank;
  };
  std::vector<CardOutput> cards;
  std::vector<WaveDeviceName> others;
  std::string defaultDescription;
  bool hasDefault = false;
  for (const Hint& hint : hints) {
    if (hint.direction == "Input") continue;
    const std::string interface = InterfaceOf(hint.name);
    const std::string card = ArgumentOf(hint.name, "CARD");
    if (card.empty()) {
      if (hint.name == "default") {
        hasDefault = true;
        defaultDescription = hint.description;
      } else if (hint.name != "null" && interface != "sysdefault" && !IsConverter(interface) &&
                 BackendRuns(interface, servers)) {
        others.push_back({FirstLine(hint.description), hint.name});
      }
      continue;
    }
    const int rank = CardInterfaceRank(interface);
    if (rank < 0) continue;
    // The outputs of a card are told apart by their description's first line.
    const std::string label = FirstLine(hint.description);
    auto same = std::find_if(cards.begin(), cards.end(), [&](const CardOutput& output) {
      return output.card == card && output.label == label;
    });
    if (same == cards.end())
      cards.push_back({card, label, hint.name, rank});
    else if (rank < same->rank)
      *same = CardOutput{card, label, hint.name, rank};
  }
  std::vector<WaveDeviceName> outputs;
  if (hasDefault || !cards.empty()) outputs.push_back({DefaultLabel(defaultDescription), "default"});
  for (const CardOutput& output : cards) outputs.push_back({output.label, output.address});
  outputs.insert(outputs.end(), others.begin(), others.end());
  return outputs;
}

AlsaWaveOut::Servers AlsaWaveOut::RunningServers() {
  Servers servers;
  const std::string runtime = Environment("XDG_RUNTIME_DIR");
  std::string pulse = Environment("PULSE_SERVER");
  if (pulse.rfind("unix:", 0) == 0) pulse.erase(0, 5);
  servers.pulseAudio = pulse.empty() ? CanConnect(runtime + "/pulse/native")
                                     : pulse[0] != '/' || CanConnect(pulse);
  std::string pipeWireDir = Environment("PIPEWIRE_RUNTIME_DIR");
  if (pipeWireDir.empty()) pipeWireDir = runtime;
  std::string pipeWire = Environment("PIPEWIRE_REMOTE");
  if (pipeWire.empty()) pipeWire = "pipewire-0";
  servers.pipeWire = CanConnect(pipeWire[0] == '/' ? pipeWire : pipeWireDir + "/" + pipeWire);
  servers.jack = CanConnect("/dev/shm/jack_default_" + std::to_string(getuid()) + "_0");
  servers.oss = access("/dev/dsp", W_OK) == 0;
  return servers;
}

std::vector<WaveDeviceName> AlsaWaveOut::ListDevices() {
  std::vector<Hint> hints;
  void** list = nullptr;
  if (snd_device_name_hint(-1, "pcm", &list) < 0 || !list) return {};
  for (void** hint = list; *hint; ++hint)
    hints.push_back({HintField(*hint, "NAME"), HintField(*hint, "DESC"), HintField(*hint, "IOID")});
  snd_device_name_free_hint(list);
  return ChooseOutputs(hints, RunningServers());
}

std::string AlsaWaveOut::PreferredDevice() { return "default"; }

std::unique_ptr<WaveOutSink> AlsaWaveOut::CreateSink(const std::string& address) {
  return std::make_unique<AlsaSink>(address);
}

}  // namespace platform
