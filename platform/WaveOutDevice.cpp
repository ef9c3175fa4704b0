#include "platform/WaveOutDevice.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/SystemError.h"

namespace platform {

bool IsPlayablePcmFormat(const WAVEFORMATEX& format) {
  if (format.wFormatTag != WAVE_FORMAT_PCM) return false;
  if (format.nChannels < 1 || format.nChannels > 8) return false;
  const uint16_t bits = format.wBitsPerSample;
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (format.nSamplesPerSec < 1000 || format.nSamplesPerSec > 384000) return false;
  return format.nBlockAlign == format.nChannels * (bits / 8);
}

MMRESULT WaveOutDevice::Open(std::unique_ptr<WaveOutSink> sink, const WAVEFORMATEX& format,
                             ThreadMessageQueue* notices, std::unique_ptr<WaveOutDevice>& device,
                             std::string& errorText) {
  device.reset();
  if (!sink) return MMSYSERR_NODRIVER;
  if (!IsPlayablePcmFormat(format)) {
    errorText = "the format is not linear PCM the output can play";
    return WAVERR_BADFORMAT;
  }
  const MMRESULT result = sink->Open(format, errorText);
  if (result != MMSYSERR_NOERROR) return result;
  const int wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wakeFd < 0) {
    errorText = SystemErrorText(errno);
    sink->Close();
    return MMSYSERR_NOMEM;
  }
  device.reset(new WaveOutDevice(std::move(sink), format, notices, wakeFd));
  device->PostNotice(MM_WOM_OPEN, nullptr);
  return MMSYSERR_NOERROR;
}

WaveOutDevice::WaveOutDevice(std::unique_ptr<WaveOutSink> sink, const WAVEFORMATEX& format,
                             ThreadMessageQueue* notices, int wakeFd)
    : m_sink(std::move(sink)), m_format(format), m_notices(notices), m_wakeFd(wakeFd) {
  m_feeder = std::thread([this] { FeedLoop(); });
}

WaveOutDevice::~WaveOutDevice() {
  if (!m_closed) {
    Reset();
    Close();
  }
  StopFeeder();
  close(m_wakeFd);
}

void WaveOutDevice::Wake() {
  const uint64_t one = 1;
  ssize_t written = write(m_wakeFd, &one, sizeof one);
  (void)written;  // a full counter already wakes the feeder
}

MMRESULT WaveOutDevice::PrepareHeader(WAVEHDR* header) {
  if (!header) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> lock(m_mutex);
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WaveOutDevice::UnprepareHeader(WAVEHDR* header) {
  if (!header) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> lock(m_mutex);
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WaveOutDevice::Write(WAVEHDR* header) {
  if (!header) return MMSYSERR_INVALPARAM;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_closed) return MMSYSERR_INVALHANDLE;
    if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
    if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    if (m_failed) return MMSYSERR_NODRIVER;
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    m_queue.push_back(header);
  }
  Wake();
  return MMSYSERR_NOERROR;
}

MMRESULT WaveOutDevice::Pause() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_closed) return MMSYSERR_INVALHANDLE;
    if (!m_paused) {
      m_paused = true;
      m_sink->Pause(true);
    }
  }
  Wake();
  return MMSYSERR_NOERROR;
}

MMRESULT WaveOutDevice::Restart() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_closed) return MMSYSERR_INVALHANDLE;
    if (m_paused) {
      m_paused = false;
      m_sink->Pause(false);
    }
  }
  Wake();
  return MMSYSERR_NOERROR;
}

MMRESULT WaveOutDevice::Reset() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_closed) return MMSYSERR_INVALHANDLE;
    m_sink->Drop();
    m_paused = false;
    m_framesWritten = 0;
    m_frontOffset = 0;
    while (!m_queue.empty()) ReturnFront();
  }
  Wake();
  return MMSYSERR_NOERROR;
}

MMRESULT WaveOutDevice::GetPosition(uint32_t& samples) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_closed) return MMSYSERR_INVALHANDLE;
  if (m_failed) return MMSYSERR_NODRIVER;
  const long pending = std::max(0L, m_sink->Pending());
  const uint64_t sounded =
      m_framesWritten - std::min<uint64_t>(m_framesWritten, static_cast<uint64_t>(pending));
  samples = static_cast<uint32_t>(sounded);
  return MMSYSERR_NOERROR;
}

MMRESULT WaveOutDevice::Close() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_closed) return MMSYSERR_INVALHANDLE;
    if (!m_queue.empty()) return WAVERR_STILLPLAYING;
    m_closing = true;
  }
  StopFeeder();
  std::lock_guard<std::mutex> lock(m_mutex);
  m_sink->Close();
  m_closed = true;
  PostNotice(MM_WOM_CLOSE, nullptr);
  return MMSYSERR_NOERROR;
}

std::string WaveOutDevice::GetFailure() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_failure;
}

void WaveOutDevice::StopFeeder() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closing = true;
  }
  Wake();
  if (m_feeder.joinable()) m_feeder.join();
}

void WaveOutDevice::PostNotice(uint32_t message, WAVEHDR* header) {
  if (!m_notices) return;
  ThreadMessage notice;
  notice.message = message;
  notice.wParam = reinterpret_cast<uintptr_t>(this);
  notice.lParam = reinterpret_cast<uintptr_t>(header);
  notice.tag = header ? header->dwUser : 0;
  m_notices->Post(notice);
}

void WaveOutDevice::ReturnFront() {
  WAVEHDR* header = m_queue.front();
  m_queue.pop_front();
  m_frontOffset = 0;
  header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  PostNotice(MM_WOM_DONE, header);
}

// The owner learns of the failure from the buffers that come back and the writes that fail; a
// buffer kept here would never come back.
void WaveOutDevice::Fail(long error) {
  m_failed = true;
  m_failure = "the sound output failed: " + SystemErrorText(static_cast<int>(-error));
  while (!m_queue.empty()) ReturnFront();
}

long WaveOutDevice::FeedFront(long room) {
  WAVEHDR* header = m_queue.front();
  const long blockAlign = m_format.nBlockAlign;
  // Bytes after the last whole frame of a buffer are not played.
  const long framesLeft =
      header->dwBufferLength > m_frontOffset
          ? static_cast<long>((header->dwBufferLength - m_frontOffset) / blockAlign)
          : 0;
  if (framesLeft > 0) {
    const long taken = m_sink->Write(header->lpData + m_frontOffset, std::min(room, framesLeft));
    if (taken < 0) return taken;
    m_frontOffset += static_cast<uint32_t>(taken * blockAlign);
    m_framesWritten += static_cast<uint64_t>(taken);
    if (taken < framesLeft) return 0;
  }
  ReturnFront();
  if (m_queue.empty()) m_sink->Flush();
  return 0;
}

void WaveOutDevice::FeedLoop() {
  std::unique_lock<std::mutex> lock(m_mutex);
  while (!m_closing) {
    if (m_paused || m_failed || m_queue.empty()) {
      WaitForWake(lock);
      continue;
    }
    const long room = m_sink->Writable();
    if (room < 0) {
      Fail(room);
      continue;
    }
    if (room == 0) {
      const WAVEHDR* header = m_queue.front();
      const long want = header->dwBufferLength > m_frontOffset
                            ? static_cast<long>((header->dwBufferLength - m_frontOffset) /
                                                m_format.nBlockAlign)
                            : 1;
      WaitForRoom(lock, std::max(1L, want));
      continue;
    }
    const long fed = FeedFront(room);
    if (fed < 0) Fail(fed);
  }
}

void WaveOutDevice::WaitForWake(std::unique_lock<std::mutex>& lock) {
  lock.unlock();
  pollfd wake{m_wakeFd, POLLIN, 0};
  poll(&wake, 1, -1);
  uint64_t count;
  ssize_t got = read(m_wakeFd, &count, sizeof count);
  (void)got;
  lock.lock();
}

void WaveOutDevice::WaitForRoom(std::unique_lock<std::mutex>& lock, long wantFrames) {
  std::vector<pollfd> fds;
  m_sink->PollDescriptors(fds);
  const int timeoutMs = m_sink->WaitTimeoutMs(wantFrames);
  const size_t sinkCount = fds.size();
  fds.push_back(pollfd{m_wakeFd, POLLIN, 0});
  lock.unlock();
  poll(fds.data(), fds.size(), timeoutMs);
  if (fds.back().revents & POLLIN) {
    uint64_t count;
    ssize_t got = read(m_wakeFd, &count, sizeof count);
    (void)got;
  }
  lock.lock();
  if (m_closing || sinkCount == 0) return;
  fds.pop_back();
  m_sink->PollEvents(fds);
}

}  // namespace platform
