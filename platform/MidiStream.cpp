#include "platform/MidiStream.h"

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>

#include <algorithm>

namespace platform {
namespace {

constexpr uint32_t kLongEventFlag = 0x80000000;
constexpr uint32_t kCallbackEventFlag = 0x40000000;
constexpr uint32_t kSmpteDivisionFlag = 0x8000;
constexpr int kChannels = 16;
constexpr uint8_t kSysExStart = 0xF0;
constexpr uint8_t kSysExEscape = 0xF7;

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// Events are due to the microsecond: the scheduler asks for the least timer slack and, where
// the system allows it, a real-time priority above ordinary threads. Without that permission
// it runs as it is.
void SharpenTiming() {
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  sched_param parameters{};
  parameters.sched_priority = sched_get_priority_min(SCHED_FIFO);
  pthread_setschedparam(pthread_self(), SCHED_FIFO, &parameters);
}

bool IsValidDivision(uint32_t division) {
  if (division == 0 || division > 0xFFFF) return false;
  if (!(division & kSmpteDivisionFlag)) return true;
  const int framesPerSecond = -static_cast<int8_t>(division >> 8);
  return framesPerSecond > 0 && (division & 0xFF) != 0;
}

}  // namespace

int ShortMessageLength(uint8_t status) {
  if (status < 0xF0) return (status & 0xE0) == 0xC0 ? 2 : 3;
  switch (status) {
    case 0xF1:
    case 0xF3: return 2;
    case 0xF2: return 3;
    default: return 1;
  }
}

MMRESULT MidiStream::Open(std::unique_ptr<MidiOutput> output, MidiStreamCallback callback,
                          uintptr_t instance, std::unique_ptr<MidiStream>& stream,
                          std::string& errorText) {
  stream.reset();
  if (!output) return MMSYSERR_NODRIVER;
  const MMRESULT result = output->Open(errorText);
  if (result != MMSYSERR_NOERROR) return result;
  stream.reset(new MidiStream(std::move(output), callback, instance));
  return MMSYSERR_NOERROR;
}

MidiStream::MidiStream(std::unique_ptr<MidiOutput> output, MidiStreamCallback callback,
                       uintptr_t instance)
    : m_output(std::move(output)), m_callback(callback), m_instance(instance) {
  m_scheduler = std::thread([this] { Run(); });
}

MidiStream::~MidiStream() {
  if (!m_closed) Close();
}

bool MidiStream::IsSchedulerThread() const {
  return std::this_thread::get_id() == m_scheduler.get_id();
}

// ---------------------------------------------------------------------------------------------
// Operations

MMRESULT MidiStream::Property(void* data, uint32_t flags) {
  if (!data) return MMSYSERR_INVALPARAM;
  const bool set = flags & MIDIPROP_SET;
  const bool get = flags & MIDIPROP_GET;
  const uint32_t which = flags & ~(MIDIPROP_SET | MIDIPROP_GET);
  if (set == get || (which != MIDIPROP_TIMEDIV && which != MIDIPROP_TEMPO))
    return MMSYSERR_INVALFLAG;
  uint32_t* record = static_cast<uint32_t*>(data);  // the size, then the value
  if (record[0] != 8) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_closed) return MMSYSERR_INVALHANDLE;
  uint32_t& value = which == MIDIPROP_TIMEDIV ? m_division : m_tempo;
  if (get) {
    record[1] = value;
    return MMSYSERR_NOERROR;
  }
  if (which == MIDIPROP_TIMEDIV && !IsValidDivision(record[1])) return MMSYSERR_INVALPARAM;
  value = record[1];
  SetTimeUnit();
  m_changed.notify_all();
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStream::PrepareHeader(MIDIHDR* header) {
  if (!header || !header->lpData || header->dwBytesRecorded > header->dwBufferLength)
    return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> lock(m_mutex);
  header->dwFlags |= MHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStream::UnprepareHeader(MIDIHDR* header) {
  if (!header) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> lock(m_mutex);
  if (header->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
  header->dwFlags &= ~MHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStream::Out(MIDIHDR* header) {
  if (!header || !header->lpData || header->dwBytesRecorded > header->dwBufferLength)
    return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_closed || m_closing) return MMSYSERR_INVALHANDLE;
  if (!(header->dwFlags & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
  if (header->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
  header->dwFlags = (header->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
  m_queue.push_back(header);
  m_changed.notify_all();
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStream::Restart() {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_closed || m_closing) return MMSYSERR_INVALHANDLE;
  if (!m_running) {
    m_origin = Clock::now() - std::chrono::microseconds(m_heldMicros);
    m_running = true;
    m_silent = false;  // a stop of a stream that played silences, whatever it sent so far
    m_changed.notify_all();
  }
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStream::Pause() {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_closed || m_closing) return MMSYSERR_INVALHANDLE;
  if (m_running) {
    m_heldMicros = StreamTimeNow();
    m_running = false;
    SilenceAllNotes();
    m_changed.notify_all();
  }
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStream::Stop() {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_closed || m_closing) return MMSYSERR_INVALHANDLE;
  SilenceAllNotes();
  while (!m_queue.empty()) ReturnFront();
  m_running = false;
  m_heldMicros = 0;
  m_lastEventMicros = 0;
  m_remainder = 0;
  m_runningStatus = 0;
  // Each play from the start begins at the default tempo, as the file does.
  m_tempo = kDefaultTempo;
  SetTimeUnit();
  m_changed.notify_all();
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStream::Close() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_closed || m_closing) return MMSYSERR_INVALHANDLE;
  }
  Stop();
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closing = true;
    m_changed.notify_all();
  }
  if (m_scheduler.joinable()) m_scheduler.join();
  std::lock_guard<std::mutex> lock(m_mutex);
  m_output->Close();
  m_closed = true;
  return MMSYSERR_NOERROR;
}

// ---------------------------------------------------------------------------------------------
// Time

void MidiStream::SetTimeUnit() {
  uint64_t numerator, denominator;
  if (m_division & kSmpteDivisionFlag) {
    const int framesPerSecond = -static_cast<int8_t>(m_division >> 8);
    const uint64_t ticksPerFrame = m_division & 0xFF;
    if (framesPerSecond == 29) {  // 29.97 frames per second
      numerator = 100000000;
      denominator = 2997 * ticksPerFrame;
    } else {
      numerator = 1000000;
      denominator = static_cast<uint64_t>(framesPerSecond) * ticksPerFrame;
    }
  } else {
    numerator = m_tempo;
    denominator = m_division;
  }
  if (numerator != m_unitNumerator || denominator != m_unitDenominator) m_remainder = 0;
  m_unitNumerator = numerator;
  m_unitDenominator = denominator;
}

uint64_t MidiStream::DeltaMicros(uint32_t delta, uint64_t& remainder) const {
  const uint64_t total = static_cast<uint64_t>(delta) * m_unitNumerator + remainder;
  remainder = total % m_unitDenominator;
  return total / m_unitDenominator;
}

MidiStream::Clock::time_point MidiStream::StreamTimeToClock(uint64_t micros) const {
  return m_origin + std::chrono::microseconds(micros);
}

uint64_t MidiStream::StreamTimeNow() const {
  if (!m_running) return m_heldMicros;
  const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - m_origin);
  return elapsed.count() > 0 ? static_cast<uint64_t>(elapsed.count()) : 0;
}

// ---------------------------------------------------------------------------------------------
// The scheduler

void MidiStream::Run() {
  SharpenTiming();
  std::unique_lock<std::mutex> lock(m_mutex);
  for (;;) {
    if (DeliverReturned(lock)) continue;
    if (m_closing) break;
    if (!m_running || m_queue.empty()) {
      m_changed.wait(lock);
      continue;
    }
    PlayNextEvent(lock);
  }
}

bool MidiStream::DeliverReturned(std::unique_lock<std::mutex>& lock) {
  if (m_returned.empty()) return false;
  const Returned returned = m_returned.front();
  m_returned.pop_front();
  lock.unlock();
  if (m_callback)
    m_callback(this, MOM_DONE, m_instance, reinterpret_cast<uintptr_t>(returned.header),
               returned.tag);
  lock.lock();
  return true;
}

void MidiStream::ReturnFront() {
  MIDIHDR* header = m_queue.front();
  m_queue.pop_front();
  m_offset = 0;
  header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
  m_returned.push_back(Returned{header, header->dwUser});
  m_changed.notify_all();
}

bool MidiStream::PlayNextEvent(std::unique_lock<std::mutex>& lock) {
  MIDIHDR* header = m_queue.front();
  const uint64_t used = header->dwBytesRecorded;
  if (m_offset + uint64_t{kMidiEventHeaderSize} > used) {
    ReturnFront();
    return true;
  }
  const uint8_t* record = header->lpData + m_offset;
  const uint32_t delta = ReadLittleEndian32(record);
  const uint32_t event = ReadLittleEndian32(record + 8);
  uint64_t size = kMidiEventHeaderSize;
  uint32_t parameterBytes = 0;
  if (event & kLongEventFlag) {
    parameterBytes = MidiEventParameter(event);
    size += (uint64_t{parameterBytes} + 3) & ~uint64_t{3};
    if (m_offset + uint64_t{kMidiEventHeaderSize} + parameterBytes > used) {
      ReturnFront();  // a record that runs past the recorded bytes ends the buffer
      return true;
    }
  }
  uint64_t remainder = m_remainder;
  const uint64_t due = m_lastEventMicros + DeltaMicros(delta, remainder);
  const Clock::time_point dueTime = StreamTimeToClock(due);
  if (dueTime > Clock::now()) {
    m_changed.wait_until(lock, dueTime);
    return false;
  }
  m_lastEventMicros = due;
  m_remainder = remainder;
  m_offset = static_cast<uint32_t>(std::min<uint64_t>(m_offset + size, used));
  Dispatch(event, record + kMidiEventHeaderSize, parameterBytes);
  if (m_offset >= used) ReturnFront();
  return true;
}

void MidiStream::Dispatch(uint32_t event, const uint8_t* parameters, uint32_t parameterBytes) {
  const uint32_t type = (event & ~kCallbackEventFlag) >> 24;
  if (type == MEVT_SHORTMSG) {
    SendShort(MidiEventParameter(event));
  } else if (type == MEVT_TEMPO) {
    m_tempo = MidiEventParameter(event);
    SetTimeUnit();
  } else if (type == MEVT_LONGMSG) {
    // System-exclusive records go out; meta events kept in long records are not MIDI.
    SendSystemExclusive(parameters, parameterBytes);
  }
}

// The record holds status, length byte and data (see MidiTypes.h); the length byte is the
// file's, not the wire's, and an escape packet's status is no byte of the message.
void MidiStream::SendSystemExclusive(const uint8_t* parameters, uint32_t parameterBytes) {
  if (parameterBytes < 2) return;
  const uint8_t status = parameters[0];
  const uint8_t* data = parameters + 2;
  const uint32_t dataBytes = parameterBytes - 2;
  m_silent = false;
  if (status == kSysExEscape) {
    if (dataBytes > 0) m_output->SendLong(data, dataBytes);
  } else if (status == kSysExStart) {
    m_wire.assign(1, kSysExStart);
    m_wire.insert(m_wire.end(), data, data + dataBytes);
    m_output->SendLong(m_wire.data(), m_wire.size());
  }
}

void MidiStream::SendShort(uint32_t message) {
  uint8_t status = message & 0xFF;
  if (status < 0x80) {
    if (m_runningStatus == 0) return;  // a data byte without a status to run on
    message = (message << 8) | m_runningStatus;
    status = m_runningStatus;
  } else if (status < 0xF0) {
    m_runningStatus = status;
  }
  const int channel = status & 0x0F;
  const uint8_t key = (message >> 8) & 0x7F;
  const uint8_t velocity = (message >> 16) & 0x7F;
  const uint16_t bit = static_cast<uint16_t>(1u << (key & 15));
  if ((status & 0xF0) == 0x90 && velocity > 0) m_soundingNotes[channel][key >> 4] |= bit;
  if ((status & 0xF0) == 0x80 || ((status & 0xF0) == 0x90 && velocity == 0))
    m_soundingNotes[channel][key >> 4] &= static_cast<uint16_t>(~bit);
  m_silent = false;
  m_output->SendShort(message & 0xFFFFFF);
}

// Sends nothing when nothing has been sent since the last silencing (a Close after a Stop).
void MidiStream::SilenceAllNotes() {
  if (m_silent) return;
  m_silent = true;
  for (int channel = 0; channel < kChannels; ++channel) {
    for (int key = 0; key < 128; ++key) {
      if (m_soundingNotes[channel][key >> 4] & (1u << (key & 15)))
        m_output->SendShort(0x80u | channel | (static_cast<uint32_t>(key) << 8));
    }
    std::fill(std::begin(m_soundingNotes[channel]), std::end(m_soundingNotes[channel]), 0);
  }
  for (int channel = 0; channel < kChannels; ++channel) {
    m_output->SendShort(0xB0u | channel | (64u << 8));   // sustain pedal off
    m_output->SendShort(0xB0u | channel | (123u << 8));  // all notes off
  }
}

}  // namespace platform
