#include "audio/WavePlayer.h"

#include <cstdlib>
#include <new>
#include <system_error>
#include <vector>

#include "audio/OutputDevices.h"
#include "platform/SystemError.h"
#include "platform/WaveOutDevice.h"
#include "platform/WaveOutSystem.h"

namespace {

constexpr size_t kMaxThreadErrorText = 127;

}  // namespace

CWavePlayer::CWavePlayer() : CWavePlayer(platform::WaveOutSystem::Default()) {}

CWavePlayer::CWavePlayer(platform::WaveOutSystem& devices) : m_devices(devices) {}

CWavePlayer::~CWavePlayer() { Shutdown(); }

int CWavePlayer::RepeatDelay(int delayMin, int delayMax, int r) {
  const long long span = static_cast<long long>(delayMax) - delayMin + 1;
  if (span <= 0) return delayMin;
  return static_cast<int>(delayMin + r % span);
}

bool CWavePlayer::Record(MMRESULT code) {
  m_lastErrorCode = code;
  m_lastErrorText = platform::WaveOutErrorText(code);
  return code == MMSYSERR_NOERROR;
}

uint32_t CWavePlayer::GetLastErrorCode() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_lastErrorCode;
}

std::string CWavePlayer::GetLastErrorText() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_lastErrorText;
}

bool CWavePlayer::IsDeviceOpen() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_device != nullptr;
}

// ---------------------------------------------------------------------------------------------
// Devices

bool CWavePlayer::LookUpDevice() {
  std::vector<CDeviceEntry> list;
  if (!EnumerateWaveOutputDevices(list, m_devices)) return false;
  m_deviceId = WAVE_MAPPER;
  const CDeviceEntry* chosen = nullptr;
  if (!m_deviceName.empty()) chosen = FindDeviceByName(list, m_deviceName);
  if (chosen && !chosen->m_isDefault) {
    m_deviceId = chosen->m_id;
    return true;
  }
  for (const CDeviceEntry& entry : list) {
    if (!entry.m_isDefault) continue;
    m_deviceId = entry.m_id;
    if (m_deviceName.empty()) m_deviceName = entry.m_name;
    return true;
  }
  return false;
}

bool CWavePlayer::Init(const std::string& deviceName) {
  if (m_initialized) return true;
  m_deviceName = deviceName;
  if (!LookUpDevice()) return Record(MMSYSERR_NODRIVER);
  for (WAVEHDR& header : m_headers) {
    header = WAVEHDR{};
    header.lpData = new (std::nothrow) uint8_t[kBufferBytes];
    if (!header.lpData) {
      FreeBuffers();
      return Record(MMSYSERR_NOMEM);
    }
  }
  m_tickets[0] = m_tickets[1] = 0;
  if (!StartWorker()) {
    FreeBuffers();
    return false;
  }
  m_initialized = true;
  return true;
}

bool CWavePlayer::SetDevice(const std::string& deviceName) {
  if (deviceName.empty()) return false;
  const std::string previous = m_deviceName;
  m_deviceName = deviceName;
  const bool found = LookUpDevice();
  if (!found) {
    m_deviceName = previous;
    LookUpDevice();
  }
  if (m_playing) Replay();
  return found;
}

bool CWavePlayer::Open(const WAVEFORMATEX* format) {
  if (!m_initialized) return Record(MMSYSERR_INVALHANDLE);
  if (!format) return Record(MMSYSERR_INVALPARAM);
  if (IsDeviceOpen()) Close();
  std::lock_guard<std::mutex> lock(m_mutex);
  m_format = *format;
  m_bytesPerSample = m_format.wBitsPerSample / 8;
  std::string details;
  return Record(m_devices.Open(m_deviceId, m_format, &m_messages, m_device, details));
}

bool CWavePlayer::Close() {
  if (!m_initialized) return Record(MMSYSERR_INVALHANDLE);
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_device) return Record(MMSYSERR_INVALHANDLE);
  MMRESULT result = MMSYSERR_NOERROR;
  CloseDevice(result);
  return Record(result);
}

// Returns every buffer first, so that nothing stays with a device that goes away.
void CWavePlayer::CloseDevice(MMRESULT& result) {
  ResetDevice();
  for (WAVEHDR& header : m_headers)
    if (header.lpData) m_device->UnprepareHeader(&header);
  result = m_device->Close();
  m_device.reset();
}

MMRESULT CWavePlayer::ResetDevice() {
  if (!m_device) return MMSYSERR_INVALHANDLE;
  const MMRESULT result = m_device->Reset();
  // The device returned every buffer; notices still on their way are stale now.
  m_tickets[0] = m_tickets[1] = 0;
  return result;
}

// ---------------------------------------------------------------------------------------------
// Playing

CWavePlayer::FillResult CWavePlayer::RefillAndWrite(int index) {
  FillResult result;
  if (!m_filler || !m_device) return result;
  WAVEHDR& header = m_headers[index];
  result.bytes = m_filler->Fill(this, header.lpData, kBufferBytes);
  if (result.bytes > kBufferBytes) result.bytes = kBufferBytes;
  header.dwBufferLength = result.bytes;
  if (result.bytes == 0) return result;
  m_device->PrepareHeader(&header);
  const uint64_t ticket = ++m_lastTicket;
  header.dwUser = static_cast<uintptr_t>(ticket);
  m_tickets[index] = ticket;
  result.writeResult = m_device->Write(&header);
  if (result.writeResult != MMSYSERR_NOERROR) m_tickets[index] = 0;
  return result;
}

bool CWavePlayer::Play(IWaveBufferFiller* filler, IWaveListener* listener, int loopCount,
                       int delayMin, int delayMax) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_listener = listener;
  if (!m_initialized) return Record(MMSYSERR_INVALHANDLE);
  if (!filler) return Record(MMSYSERR_INVALPARAM);
  m_filler = filler;
  m_loopCount = m_loopsRemaining = loopCount;
  m_delayMin = delayMin;
  m_delayMax = delayMax;
  ++m_soundGeneration;
  const MMRESULT reopened = ReopenFailedDevice();
  if (reopened != MMSYSERR_NOERROR) return Record(reopened);
  m_soundFailed = false;
  const MMRESULT reset = ResetDevice();
  if (reset != MMSYSERR_NOERROR) return Record(reset);
  m_device->Pause();
  m_filler->Rewind();
  for (int index = 0; index < 2; ++index) {
    const FillResult filled = RefillAndWrite(index);
    if (filled.bytes == 0) break;
    if (filled.writeResult != MMSYSERR_NOERROR) return Record(filled.writeResult);
  }
  const MMRESULT restart = m_device->Restart();
  m_playing = true;
  return Record(restart);
}

// A device that failed under an earlier sound (its sound server went away) is opened again.
MMRESULT CWavePlayer::ReopenFailedDevice() {
  if (!m_device || m_device->GetFailure().empty()) return MMSYSERR_NOERROR;
  MMRESULT closed = MMSYSERR_NOERROR;
  CloseDevice(closed);
  std::string details;
  return m_devices.Open(m_deviceId, m_format, &m_messages, m_device, details);
}

bool CWavePlayer::Stop() {
  if (!m_initialized) return Record(MMSYSERR_INVALHANDLE);
  m_playing = false;
  // Waits for a refill in progress on the worker to end.
  std::lock_guard<std::mutex> lock(m_mutex);
  ++m_soundGeneration;
  return Record(ResetDevice());
}

void CWavePlayer::Replay() {
  if (!m_playing) return;
  Stop();
  IWaveBufferFiller* filler;
  IWaveListener* listener;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    filler = m_filler;
    listener = m_listener;
  }
  Play(filler, listener, m_loopCount, m_delayMin, m_delayMax);
}

void CWavePlayer::Shutdown() {
  StopWorker();
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_device) {
      MMRESULT result = MMSYSERR_NOERROR;
      CloseDevice(result);
      Record(result);
    } else if (m_initialized) {
      Record(MMSYSERR_INVALHANDLE);
    }
    FreeBuffers();
    m_filler = nullptr;
    m_listener = nullptr;
  }
  m_initialized = false;
  m_playing = false;
}

void CWavePlayer::FreeBuffers() {
  for (WAVEHDR& header : m_headers) {
    delete[] header.lpData;
    header = WAVEHDR{};
  }
  m_tickets[0] = m_tickets[1] = 0;
}

// ---------------------------------------------------------------------------------------------
// Repeats

bool CWavePlayer::AdvanceRepeatCount() {
  if (m_loopsRemaining > 0) --m_loopsRemaining;
  return m_loopsRemaining != 0;
}

int CWavePlayer::DrawDelayValue() { return std::rand() & 0x7FFF; }

int CWavePlayer::DrawDelay() { return RepeatDelay(m_delayMin, m_delayMax, DrawDelayValue()); }

// ---------------------------------------------------------------------------------------------
// The worker

bool CWavePlayer::StartWorker() {
  if (m_worker.joinable()) return true;
  m_messages.Clear();
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_state = WorkerState::Streaming;
    m_workerGeneration = m_soundGeneration;
  }
  try {
    m_worker = std::thread([this] { WorkerMain(); });
  } catch (const std::system_error& failure) {
    m_lastErrorCode = MMSYSERR_ERROR;
    m_lastErrorText = platform::SystemErrorText(failure.code().value()).substr(0, kMaxThreadErrorText);
    return false;
  }
  return true;
}

void CWavePlayer::StopWorker() {
  if (!m_worker.joinable()) return;
  platform::ThreadMessage quit;
  quit.message = WM_QUIT;
  m_messages.Post(quit);
  m_worker.join();
}

void CWavePlayer::WorkerMain() {
  for (;;) {
    bool waitsForTime;
    Clock::time_point deadline;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      FollowNewSound();
      waitsForTime = m_state != WorkerState::Streaming;
      deadline = m_deadline;
    }
    bool messageQueued = true;
    if (waitsForTime)
      messageQueued = m_messages.WaitForMessageUntil(deadline);
    else
      m_messages.WaitForMessage();
    if (messageQueued) {
      bool quit = false;
      TakeMessages(quit);
      if (quit) return;
      continue;
    }
    WorkerState state;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      FollowNewSound();
      state = m_state;
    }
    if (state == WorkerState::Draining) OnDrainPoll();
    if (state == WorkerState::Delaying) OnDelayOver();
  }
}

void CWavePlayer::TakeMessages(bool& quit) {
  platform::ThreadMessage message;
  while (m_messages.Take(message)) {
    if (message.message == WM_QUIT) quit = true;
    if (message.message != MM_WOM_DONE) continue;
    if (IWaveListener* listener = OnBufferDone(message)) listener->OnWaveEnd();
  }
}

// A drain or pause that belongs to an earlier sound ends when a new sound starts or the sound
// is stopped.
void CWavePlayer::FollowNewSound() {
  if (m_workerGeneration == m_soundGeneration) return;
  m_workerGeneration = m_soundGeneration;
  m_state = WorkerState::Streaming;
}

IWaveListener* CWavePlayer::OnBufferDone(const platform::ThreadMessage& notice) {
  std::lock_guard<std::mutex> lock(m_mutex);
  FollowNewSound();
  const auto* header = reinterpret_cast<const WAVEHDR*>(notice.lParam);
  const int index = header == &m_headers[0] ? 0 : header == &m_headers[1] ? 1 : -1;
  if (index < 0 || m_tickets[index] == 0 || notice.tag != m_tickets[index]) return nullptr;
  m_tickets[index] = 0;  // the buffer is back
  if (m_state != WorkerState::Streaming || !m_playing || m_soundFailed) return nullptr;
  FillResult refilled = RefillAndWrite(index);
  if (refilled.writeResult != MMSYSERR_NOERROR) return EndOnDeviceFailure(refilled.writeResult);
  if (refilled.bytes > 0) return nullptr;
  m_repeatFollows = AdvanceRepeatCount();
  if (m_repeatFollows && m_delayMin == 0 && m_delayMax == 0) {
    m_filler->Rewind();
    refilled = RefillAndWrite(index);
    return refilled.writeResult != MMSYSERR_NOERROR ? EndOnDeviceFailure(refilled.writeResult) : nullptr;
  }
  if (m_repeatFollows) m_pendingDelayMs = DrawDelay();
  m_state = WorkerState::Draining;
  m_positionRecorded = false;
  m_deadline = Clock::now() + std::chrono::milliseconds(kDrainPollMs);
  return nullptr;
}

// A buffer the device does not take back (its output failed: a sound server that went away)
// would leave the sound waiting for ever; it ends as if it had finished instead. The failure is
// recorded, and the next Play opens the device again.
IWaveListener* CWavePlayer::EndOnDeviceFailure(MMRESULT code) {
  m_soundFailed = true;
  m_state = WorkerState::Streaming;
  Record(code);
  const std::string why = m_device ? m_device->GetFailure() : std::string();
  if (!why.empty()) m_lastErrorText = why;
  return m_listener;
}

void CWavePlayer::OnDrainPoll() {
  IWaveListener* listener = nullptr;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_state != WorkerState::Draining) return;
    uint32_t position = 0;
    const MMRESULT result =
        m_device ? m_device->GetPosition(position) : MMSYSERR_INVALHANDLE;
    // A device that failed has no sound left: no repeat follows.
    const bool deviceFailed = result != MMSYSERR_NOERROR && m_device && !m_device->GetFailure().empty();
    const bool finished = result != MMSYSERR_NOERROR ||
                          (m_positionRecorded && position == m_lastPosition);
    if (result == MMSYSERR_NOERROR) {
      m_lastPosition = position;
      m_positionRecorded = true;
    }
    if (!finished) {
      m_deadline = Clock::now() + std::chrono::milliseconds(kDrainPollMs);
      return;
    }
    if (m_repeatFollows && !deviceFailed) {
      m_state = WorkerState::Delaying;
      m_deadline = Clock::now() + std::chrono::milliseconds(m_pendingDelayMs);
      return;
    }
    m_state = WorkerState::Streaming;
    listener = deviceFailed ? EndOnDeviceFailure(result) : m_listener;
  }
  if (listener) listener->OnWaveEnd();
}

void CWavePlayer::OnDelayOver() {
  IWaveListener* listener = nullptr;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_state != WorkerState::Delaying) return;
    m_state = WorkerState::Streaming;
    if (!m_playing) return;
    const MMRESULT restarted = RestartSound();
    if (restarted != MMSYSERR_NOERROR) listener = EndOnDeviceFailure(restarted);
  }
  if (listener) listener->OnWaveEnd();
}

// Returns the result of a write that failed, else success.
MMRESULT CWavePlayer::RestartSound() {
  if (ResetDevice() != MMSYSERR_NOERROR) return MMSYSERR_NOERROR;
  m_device->Pause();
  if (m_filler) m_filler->Rewind();
  for (int index = 0; index < 2; ++index) {
    const FillResult filled = RefillAndWrite(index);
    if (filled.bytes == 0) break;
    if (filled.writeResult != MMSYSERR_NOERROR) return filled.writeResult;
  }
  m_device->Restart();
  return MMSYSERR_NOERROR;
}
