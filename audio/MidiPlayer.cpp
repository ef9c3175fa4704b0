#include "audio/MidiPlayer.h"

#include <vector>

#include "audio/OutputDevices.h"

#include "platform/MidiOutSystem.h"
#include "platform/MidiStream.h"

CMidiPlayer::CMidiPlayer() : CMidiPlayer(platform::MidiOutSystem::Default()) {}

CMidiPlayer::CMidiPlayer(platform::MidiOutSystem& devices) : m_devices(devices) {}

CMidiPlayer::~CMidiPlayer() {
  Stop();
  Close();
}

bool CMidiPlayer::IsPlaying() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_playing;
}

bool CMidiPlayer::IsOpen() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_stream != nullptr;
}

std::string CMidiPlayer::GetErrorText() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_errorText;
}

bool CMidiPlayer::Open(uint32_t deviceId) {
  Close();  // a stream left open would play on unheard
  std::unique_ptr<platform::MidiStream> stream;
  std::string details;
  const MMRESULT result = m_devices.OpenStream(deviceId, &CMidiPlayer::OnStreamNotice,
                                               reinterpret_cast<uintptr_t>(this), stream, details);
  std::lock_guard<std::mutex> lock(m_mutex);
  if (result != MMSYSERR_NOERROR) {
    m_errorText = "midiStreamOpen() failed: " + std::to_string(result);
    if (!details.empty()) m_errorText += " (" + details + ")";
    return false;
  }
  m_stream = std::move(stream);
  return true;
}

bool CMidiPlayer::OpenByName(const std::string& deviceName) {
  std::vector<CDeviceEntry> devices;
  EnumerateMidiOutputDevices(devices, m_devices);
  const CDeviceEntry* device = FindDeviceByName(devices, deviceName);
  return Open(device ? device->m_id : MIDI_MAPPER);
}

void CMidiPlayer::Close() {
  std::unique_ptr<platform::MidiStream> stream;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_stream) return;
    UnprepareBuffers();
    stream = std::move(m_stream);
  }
  // Outside the lock: closing waits for the scheduler, which may be waiting for the lock in a
  // done call that it will now find stale.
  stream->Close();
}

void CMidiPlayer::Unprepare() {
  std::lock_guard<std::mutex> lock(m_mutex);
  UnprepareBuffers();
}

void CMidiPlayer::UnprepareBuffers() {
  if (!m_stream || !m_sequence) return;
  for (uint32_t index = 0; index < m_sequence->GetBufferCount(); ++index)
    if (MIDIHDR* header = m_sequence->GetBuffer(index)) m_stream->UnprepareHeader(header);
}

bool CMidiPlayer::Play(CMidiSequence* sequence, int repeats) {
  if (!sequence) {
    Stop();
    return false;
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_playing) return false;
  m_sequence = sequence;
  for (uint32_t index = 0; index < sequence->GetBufferCount(); ++index) {
    MIDIHDR* header = sequence->GetBuffer(index);
    const MMRESULT result = m_stream ? m_stream->PrepareHeader(header) : MMSYSERR_INVALHANDLE;
    if (result != MMSYSERR_NOERROR) {
      m_errorText = "Failed to prepare buffer header: " + std::to_string(result);
      return false;
    }
  }
  if (m_stream) {
    platform::MIDIPROPTIMEDIV division{8, sequence->GetDivision()};
    m_stream->Property(&division, platform::MIDIPROP_SET | platform::MIDIPROP_TIMEDIV);
  }
  m_repeats = repeats;
  return StartPlaying();
}

void CMidiPlayer::Stop() {
  std::lock_guard<std::mutex> lock(m_mutex);
  StopPlaying();
}

void CMidiPlayer::StopPlaying() {
  if (!m_stream || !m_playing) return;
  m_playing = false;
  m_stream->Stop();
}

bool CMidiPlayer::StartPlaying() {
  m_playing = false;
  m_nextBuffer = 0;
  m_lastBufferPending = false;
  if (!m_sequence) return false;
  m_bufferCount = m_sequence->GetBufferCount();
  ++m_startNumber;
  if (!QueueBuffer(0)) return false;
  if (m_bufferCount > 1) QueueBuffer(1);
  m_nextBuffer = 2;
  const MMRESULT result = m_stream ? m_stream->Restart() : MMSYSERR_INVALHANDLE;
  if (result != MMSYSERR_NOERROR) {
    m_errorText = "Failed to start playing: code = " + std::to_string(result);
    return false;
  }
  m_playing = true;
  return true;
}

bool CMidiPlayer::QueueBuffer(uint32_t index) {
  MIDIHDR* header = m_sequence->GetBuffer(index);
  if (!header) {
    m_errorText = m_sequence->GetErrorText();
    return false;
  }
  header->dwUser = m_startNumber;
  const MMRESULT result = m_stream ? m_stream->Out(header) : MMSYSERR_INVALHANDLE;
  if (result != MMSYSERR_NOERROR) {
    m_errorText = "Failed to start buffer " + std::to_string(index) + ": code = " +
                  std::to_string(result);
    return false;
  }
  return true;
}

void CMidiPlayer::OnStreamNotice(platform::MidiStream* stream, uint32_t message,
                                 uintptr_t instance, uintptr_t, uintptr_t tag) {
  if (message == MOM_DONE) reinterpret_cast<CMidiPlayer*>(instance)->OnBufferDone(stream, tag);
}

void CMidiPlayer::OnBufferDone(platform::MidiStream* stream, uintptr_t tag) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (stream != m_stream.get() || tag != m_startNumber || !m_playing) return;
  if (m_nextBuffer < m_bufferCount) {
    QueueBuffer(m_nextBuffer);
    ++m_nextBuffer;
    return;
  }
  if (m_lastBufferPending || m_bufferCount == 1) {
    StopPlaying();
    if (m_repeats == -1 || m_repeats > 0) {
      StartPlaying();
      if (m_repeats > 0) --m_repeats;
    }
    return;
  }
  m_lastBufferPending = true;
}
