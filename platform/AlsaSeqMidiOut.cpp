#include "platform/AlsaSeqMidiOut.h"

#include <alsa/asoundlib.h>

#include <cstring>

namespace platform {
namespace {

constexpr const char* kClientName = "Fablewick";
constexpr unsigned kWritableCaps = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
constexpr size_t kLongestMessage = 65536;
constexpr const char* kThroughClient = "Midi Through";
// Ports that make sound or lead to an instrument: hardware ports and synthesizers.
constexpr unsigned kSoundingTypes =
    SND_SEQ_PORT_TYPE_HARDWARE | SND_SEQ_PORT_TYPE_SYNTH | SND_SEQ_PORT_TYPE_SYNTHESIZER |
    SND_SEQ_PORT_TYPE_DIRECT_SAMPLE | SND_SEQ_PORT_TYPE_SAMPLE | SND_SEQ_PORT_TYPE_MIDI_GM |
    SND_SEQ_PORT_TYPE_MIDI_GS | SND_SEQ_PORT_TYPE_MIDI_XG | SND_SEQ_PORT_TYPE_MIDI_MT32 |
    SND_SEQ_PORT_TYPE_MIDI_GM2;

void QuietErrorHandler(const char*, int, const char*, int, const char*, ...) {}

class SeqOutput : public MidiOutput {
 public:
  explicit SeqOutput(std::string address) : m_address(std::move(address)) {}
  ~SeqOutput() override { Close(); }

  MMRESULT Open(std::string& errorText) override {
    int error = snd_seq_open(&m_seq, "default", SND_SEQ_OPEN_OUTPUT, 0);
    if (error < 0) {
      m_seq = nullptr;
      errorText = std::string("the ALSA sequencer cannot be opened: ") + snd_strerror(error);
      return MMSYSERR_NODRIVER;
    }
    snd_seq_set_client_name(m_seq, kClientName);
    snd_seq_addr_t destination;
    error = snd_seq_parse_address(m_seq, &destination, m_address.c_str());
    if (error >= 0) {
      m_port = snd_seq_create_simple_port(m_seq, kClientName,
                                          SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                          SND_SEQ_PORT_TYPE_MIDI_GENERIC |
                                              SND_SEQ_PORT_TYPE_APPLICATION);
      error = m_port;
    }
    if (error >= 0) error = snd_seq_connect_to(m_seq, m_port, destination.client, destination.port);
    if (error >= 0) error = snd_midi_event_new(kLongestMessage, &m_encoder);
    if (error < 0) {
      errorText = m_address + ": " + snd_strerror(error);
      Close();
      return MMSYSERR_ALLOCATED;
    }
    snd_midi_event_no_status(m_encoder, 1);
    return MMSYSERR_NOERROR;
  }

  void Close() override {
    if (m_encoder) snd_midi_event_free(m_encoder);
    m_encoder = nullptr;
    if (m_seq) snd_seq_close(m_seq);
    m_seq = nullptr;
  }

  void SendShort(uint32_t message) override {
    const uint8_t bytes[3] = {static_cast<uint8_t>(message), static_cast<uint8_t>(message >> 8),
                              static_cast<uint8_t>(message >> 16)};
    Encode(bytes, static_cast<size_t>(ShortMessageLength(bytes[0])));
  }

  // System-exclusive bytes, whole or in part, go out as they stand; the other system messages
  // of an escape packet are encoded one by one.
  void SendLong(const uint8_t* data, size_t size) override {
    if (!m_seq || size == 0) return;
    if (data[0] != 0xF0 && data[0] >= 0x80) {
      Encode(data, size);
      return;
    }
    snd_seq_event_t event;
    snd_seq_ev_clear(&event);
    snd_seq_ev_set_sysex(&event, static_cast<unsigned>(size), const_cast<uint8_t*>(data));
    Output(event);
  }

 private:
  void Encode(const uint8_t* bytes, size_t size) {
    if (!m_seq || !m_encoder) return;
    snd_midi_event_reset_encode(m_encoder);
    while (size > 0) {
      snd_seq_event_t event;
      snd_seq_ev_clear(&event);
      const long used = snd_midi_event_encode(m_encoder, bytes, static_cast<long>(size), &event);
      if (used <= 0) return;
      if (event.type != SND_SEQ_EVENT_NONE) Output(event);
      bytes += used;
      size -= static_cast<size_t>(used);
    }
  }

  void Output(snd_seq_event_t& event) {
    snd_seq_ev_set_source(&event, m_port);
    snd_seq_ev_set_subs(&event);
    snd_seq_ev_set_direct(&event);
    snd_seq_event_output_direct(m_seq, &event);
  }

  std::string m_address;
  snd_seq_t* m_seq = nullptr;
  snd_midi_event_t* m_encoder = nullptr;
  int m_port = -1;
};

}  // namespace

AlsaSeqMidiOut::AlsaSeqMidiOut() { snd_lib_error_set_handler(QuietErrorHandler); }

std::vector<MidiDeviceName> AlsaSeqMidiOut::ChoosePorts(const std::vector<Port>& ports) {
  std::vector<MidiDeviceName> devices;
  for (const Port& port : ports) {
    if (port.client == kThroughClient)
      devices.push_back(MidiDeviceName{port.name, port.address, true});
    else if (port.type & kSoundingTypes)
      devices.push_back(MidiDeviceName{port.name, port.address});
  }
  return devices;
}

std::vector<MidiDeviceName> AlsaSeqMidiOut::ListDevices() {
  std::vector<Port> ports;
  snd_seq_t* seq = nullptr;
  if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) return {};
  const int self = snd_seq_client_id(seq);
  snd_seq_client_info_t* client;
  snd_seq_port_info_t* port;
  snd_seq_client_info_alloca(&client);
  snd_seq_port_info_alloca(&port);
  snd_seq_client_info_set_client(client, -1);
  while (snd_seq_query_next_client(seq, client) >= 0) {
    const int id = snd_seq_client_info_get_client(client);
    if (id == SND_SEQ_CLIENT_SYSTEM || id == self) continue;
    snd_seq_port_info_set_client(port, id);
    snd_seq_port_info_set_port(port, -1);
    while (snd_seq_query_next_port(seq, port) >= 0) {
      const unsigned caps = snd_seq_port_info_get_capability(port);
      if ((caps & kWritableCaps) != kWritableCaps || (caps & SND_SEQ_PORT_CAP_NO_EXPORT)) continue;
      const std::string address =
          std::to_string(id) + ":" + std::to_string(snd_seq_port_info_get_port(port));
      ports.push_back(Port{snd_seq_client_info_get_name(client), snd_seq_port_info_get_name(port),
                           address, snd_seq_port_info_get_type(port)});
    }
  }
  snd_seq_close(seq);
  return ChoosePorts(ports);
}

std::unique_ptr<MidiOutput> AlsaSeqMidiOut::CreateOutput(const MidiDeviceName& device) {
  return std::make_unique<SeqOutput>(device.address);
}

}  // namespace platform
