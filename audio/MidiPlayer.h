#pragma once
// Plays a loaded CMidiSequence on a MIDI output device: queues its stream buffers two at a time,
// queues the next one each time the device returns one, and at the end of the sequence stops or
// starts again from the first buffer, as often as asked.
//
// The device's buffer-done calls arrive on the stream's scheduler thread; Play, Stop, Open and
// Close run on the application's thread. One lock keeps the two apart, so that a Stop cannot
// fall between the end of a sequence and its restart. Each start of the sequence stamps the
// buffers it queues with a new number, and a done call that carries an older one (returned by
// a Stop) is stale and ignored.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "audio/MidiSequence.h"

namespace platform {
class MidiOutSystem;
class MidiStream;
}  // namespace platform

class CMidiPlayer {
 public:
  // Plays on the system's MIDI output devices.
  CMidiPlayer();
  // Plays on the devices of the given system, which outlives the player.
  explicit CMidiPlayer(platform::MidiOutSystem& devices);
  ~CMidiPlayer();
  CMidiPlayer(const CMidiPlayer&) = delete;
  CMidiPlayer& operator=(const CMidiPlayer&) = delete;

  // Opens a stream on the device (all ones: the system's preferred device). A failure's text
  // carries the device's reason.
  bool Open(uint32_t deviceId);
  // Opens a stream on the device of that name in the device list as it is now; "<Automatic>"
  // and a name no device has open the system's preferred device. Sequencer ports come and go
  // and the list is numbered afresh each time, so a device chosen earlier is found by its name.
  bool OpenByName(const std::string& deviceName);
  // Unprepares the current sequence's buffers and closes the stream.
  void Close();
  // Plays the sequence from its start; repeats is how many more times it starts again after it
  // ends, -1 for endlessly.
  bool Play(CMidiSequence* sequence, int repeats);
  void Stop();
  // Waits for a done call in progress, so that a restart at the end of the sequence is never
  // seen half done.
  bool IsPlaying() const;
  bool IsOpen() const;
  // Unprepares every buffer of the current sequence; failures are ignored.
  void Unprepare();
  std::string GetErrorText() const;

 private:
  static void OnStreamNotice(platform::MidiStream* stream, uint32_t message, uintptr_t instance,
                             uintptr_t header, uintptr_t tag);
  void OnBufferDone(platform::MidiStream* stream, uintptr_t tag);
  // The parts below run with m_mutex held.
  void StopPlaying();
  bool StartPlaying();
  bool QueueBuffer(uint32_t index);
  void UnprepareBuffers();

  platform::MidiOutSystem& m_devices;
  mutable std::mutex m_mutex;
  std::atomic<uint32_t> m_nextBuffer{0};
  std::atomic<uint32_t> m_bufferCount{0};
  std::atomic<bool> m_lastBufferPending{false};
  std::unique_ptr<platform::MidiStream> m_stream;
  std::atomic<bool> m_playing{false};
  std::atomic<int> m_repeats{0};
  std::string m_errorText;
  CMidiSequence* m_sequence = nullptr;
  uintptr_t m_startNumber = 0;  // stamped into the dwUser of each buffer queued
};
