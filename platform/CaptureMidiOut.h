#pragma once
// A MIDI output that plays nothing but records every message it receives with the time it
// arrived: for tests, measurements and the story tool's preview of a MIDI file's messages.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/MidiOut.h"

namespace platform {

class MidiCaptureLog {
 public:
  using Clock = std::chrono::steady_clock;
  struct Message {
    Clock::time_point time;
    std::vector<uint8_t> bytes;
  };

  void Add(const uint8_t* bytes, size_t size);
  std::vector<Message> Messages();
  void Clear();
  // Called with each message as it arrives, on the sending thread (set before playing).
  std::function<void(const Message&)> onMessage;

 private:
  std::mutex m_mutex;
  std::vector<Message> m_messages;
};

class CaptureMidiOut : public MidiOutBackend {
 public:
  static constexpr const char* kDeviceName = "Capture";

  explicit CaptureMidiOut(std::shared_ptr<MidiCaptureLog> log);
  std::vector<MidiDeviceName> ListDevices() override;
  std::unique_ptr<MidiOutput> CreateOutput(const MidiDeviceName& device) override;

 private:
  std::shared_ptr<MidiCaptureLog> m_log;
};

}  // namespace platform
