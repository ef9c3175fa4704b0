#pragma once
// The MIDI output devices of the system: the devices of an ordered table of backends, numbered
// in order (the built-in synthesizer first, then the sequencer ports), and the mapper, which
// opens the first device that works.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/DeviceCatalog.h"
#include "platform/MidiOut.h"
#include "platform/MidiStream.h"

namespace platform {

class MidiOutSystem : public DeviceCatalog {
 public:
  explicit MidiOutSystem(std::vector<std::unique_ptr<MidiOutBackend>> backends);
  // The built-in synthesizer, then the ALSA sequencer's ports.
  static MidiOutSystem& Default();

  // Lists the devices afresh; ids stay valid until the next count.
  uint32_t GetDeviceCount() override;
  MMRESULT GetDeviceCaps(uint32_t id, OutputDeviceCaps& caps) override;

  // Opens a stream on device id (MIDI_MAPPER: the first device that opens).
  MMRESULT OpenStream(uint32_t id, MidiStreamCallback callback, uintptr_t instance,
                      std::unique_ptr<MidiStream>& stream, std::string& errorText);

 private:
  struct Device {
    MidiOutBackend* backend;
    MidiDeviceName name;
  };
  void Refresh();

  std::mutex m_mutex;
  std::vector<std::unique_ptr<MidiOutBackend>> m_backends;
  std::vector<Device> m_devices;
  bool m_listed = false;
};

}  // namespace platform
