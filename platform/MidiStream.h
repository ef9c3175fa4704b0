#pragma once
// A MIDI stream: plays queued buffers of stream event records (MIDIEVENT, see MidiTypes.h) on
// an output, on a scheduler thread of its own that turns ticks into time by the time division
// and the tempo events, and returns each buffer with a MOM_DONE call of the owner's callback,
// made on the scheduler thread. Stop silences every note.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/MidiOut.h"
#include "platform/MidiTypes.h"

namespace platform {

class MidiStream;

// message is MOM_DONE with param1 the returned MIDIHDR and param2 its dwUser as it was when the
// buffer was returned.
using MidiStreamCallback = void (*)(MidiStream* stream, uint32_t message, uintptr_t instance,
                                    uintptr_t param1, uintptr_t param2);

// The time division property record.
struct MIDIPROPTIMEDIV {
  uint32_t cbStruct;  // 8
  uint32_t dwTimeDiv;
};
// The tempo property record.
struct MIDIPROPTEMPO {
  uint32_t cbStruct;  // 8
  uint32_t dwTempo;
};
constexpr uint32_t MIDIPROP_SET = 0x80000000;
constexpr uint32_t MIDIPROP_GET = 0x40000000;
constexpr uint32_t MIDIPROP_TIMEDIV = 0x00000001;
constexpr uint32_t MIDIPROP_TEMPO = 0x00000002;

class MidiStream {
 public:
  static constexpr uint32_t kDefaultTempo = 500000;    // microseconds per quarter note
  static constexpr uint32_t kDefaultTimeDivision = 96;  // ticks per quarter note

  // Opens the output and starts the scheduler, stopped. On failure returns the code, leaves
  // stream empty and describes the cause.
  static MMRESULT Open(std::unique_ptr<MidiOutput> output, MidiStreamCallback callback,
                       uintptr_t instance, std::unique_ptr<MidiStream>& stream,
                       std::string& errorText);
  ~MidiStream();
  MidiStream(const MidiStream&) = delete;
  MidiStream& operator=(const MidiStream&) = delete;

  // Sets or gets the time division (MIDIPROPTIMEDIV) or the tempo (MIDIPROPTEMPO). A division
  // of ticks per quarter note in the low 15 bits, or an SMPTE division: frames per second as a
  // negative number (-24, -25, -29 for 29.97, -30) in the high byte, ticks per frame in the low.
  MMRESULT Property(void* data, uint32_t flags);

  MMRESULT PrepareHeader(MIDIHDR* header);
  MMRESULT UnprepareHeader(MIDIHDR* header);
  // Queues a prepared buffer behind the others.
  MMRESULT Out(MIDIHDR* header);
  // Starts or resumes playing.
  MMRESULT Restart();
  MMRESULT Pause();
  // Silences every note, returns every queued buffer (their done calls follow on the scheduler
  // thread), sets the position to the start and leaves the stream stopped.
  MMRESULT Stop();
  // Stops, delivers the outstanding done calls and closes the output. Not to be called from
  // the callback.
  MMRESULT Close();

  // Whether the calling thread is the scheduler thread.
  bool IsSchedulerThread() const;

 private:
  using Clock = std::chrono::steady_clock;
  struct Returned {
    MIDIHDR* header;
    uintptr_t tag;
  };

  MidiStream(std::unique_ptr<MidiOutput> output, MidiStreamCallback callback, uintptr_t instance);
  void Run();
  bool DeliverReturned(std::unique_lock<std::mutex>& lock);
  // Plays the next event of the front buffer when it is due; false when it must wait.
  bool PlayNextEvent(std::unique_lock<std::mutex>& lock);
  void ReturnFront();
  void Dispatch(uint32_t event, const uint8_t* parameters, uint32_t parameterBytes);
  void SendShort(uint32_t message);
  void SendSystemExclusive(const uint8_t* parameters, uint32_t parameterBytes);
  void SilenceAllNotes();
  void SetTimeUnit();
  // Microseconds of delta ticks from the last event, with the carried remainder.
  uint64_t DeltaMicros(uint32_t delta, uint64_t& remainder) const;
  Clock::time_point StreamTimeToClock(uint64_t micros) const;
  uint64_t StreamTimeNow() const;

  std::unique_ptr<MidiOutput> m_output;
  MidiStreamCallback m_callback;
  uintptr_t m_instance;

  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<MIDIHDR*> m_queue;
  std::deque<Returned> m_returned;
  uint32_t m_offset = 0;  // of the next event in the front buffer
  uint32_t m_division = kDefaultTimeDivision;
  uint32_t m_tempo = kDefaultTempo;
  // Ticks to microseconds: micros = ticks * m_unitNumerator / m_unitDenominator.
  uint64_t m_unitNumerator = kDefaultTempo;
  uint64_t m_unitDenominator = kDefaultTimeDivision;
  uint64_t m_lastEventMicros = 0;  // stream time of the last event played
  uint64_t m_remainder = 0;        // in 1/m_unitDenominator microseconds
  bool m_running = false;
  Clock::time_point m_origin;      // the clock time of stream time 0 while running
  uint64_t m_heldMicros = 0;       // stream time while not running
  uint8_t m_runningStatus = 0;
  std::vector<uint8_t> m_wire;  // a system-exclusive message as it goes out
  uint16_t m_soundingNotes[16][8] = {};  // one bit per key and channel
  bool m_silent = true;  // nothing was sent or started since the last silencing
  bool m_closing = false;
  bool m_closed = false;
  std::thread m_scheduler;
};

}  // namespace platform
