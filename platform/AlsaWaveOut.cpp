#include "platform/AlsaWaveOut.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <cstring>

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

bool IsOutputHint(void* hint) {
  char* io = snd_device_name_get_hint(hint, "IOID");
  const bool output = !io || std::strcmp(io, "Output") == 0;
  free(io);
  return output;
}

}  // namespace

AlsaWaveOut::AlsaWaveOut() { snd_lib_error_set_handler(QuietErrorHandler); }

std::vector<std::string> AlsaWaveOut::ListDevices() {
  std::vector<std::string> names;
  void** hints = nullptr;
  if (snd_device_name_hint(-1, "pcm", &hints) < 0 || !hints) return names;
  for (void** hint = hints; *hint; ++hint) {
    char* name = snd_device_name_get_hint(*hint, "NAME");
    if (name && std::strcmp(name, "null") != 0 && IsOutputHint(*hint)) names.push_back(name);
    free(name);
  }
  snd_device_name_free_hint(hints);
  return names;
}

std::string AlsaWaveOut::PreferredDevice() { return "default"; }

std::unique_ptr<WaveOutSink> AlsaWaveOut::CreateSink(const std::string& device) {
  return std::make_unique<AlsaSink>(device);
}

}  // namespace platform
