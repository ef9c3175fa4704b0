#include "platform/CaptureMidiOut.h"

namespace platform {
namespace {

class CaptureOutput : public MidiOutput {
 public:
  explicit CaptureOutput(std::shared_ptr<MidiCaptureLog> log) : m_log(std::move(log)) {}
  MMRESULT Open(std::string&) override { return MMSYSERR_NOERROR; }
  void Close() override {}
  void SendShort(uint32_t message) override {
    const uint8_t bytes[3] = {static_cast<uint8_t>(message), static_cast<uint8_t>(message >> 8),
                              static_cast<uint8_t>(message >> 16)};
    m_log->Add(bytes, static_cast<size_t>(ShortMessageLength(bytes[0])));
  }
  void SendLong(const uint8_t* data, size_t size) override { m_log->Add(data, size); }

 private:
  std::shared_ptr<MidiCaptureLog> m_log;
};

}  // namespace

void MidiCaptureLog::Add(const uint8_t* bytes, size_t size) {
  Message message{Clock::now(), std::vector<uint8_t>(bytes, bytes + size)};
  if (onMessage) onMessage(message);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_messages.push_back(std::move(message));
}

std::vector<MidiCaptureLog::Message> MidiCaptureLog::Messages() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_messages;
}

void MidiCaptureLog::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_messages.clear();
}

CaptureMidiOut::CaptureMidiOut(std::shared_ptr<MidiCaptureLog> log) : m_log(std::move(log)) {}

std::vector<MidiDeviceName> CaptureMidiOut::ListDevices() {
  return {MidiDeviceName{kDeviceName, kDeviceName}};
}

std::unique_ptr<MidiOutput> CaptureMidiOut::CreateOutput(const MidiDeviceName&) {
  return std::make_unique<CaptureOutput>(m_log);
}

}  // namespace platform
