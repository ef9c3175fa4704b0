// The ALSA backends on whatever this machine offers: ALSA's discarding "null" PCM stands in for
// a sound card where there is none; a missing device or sequencer must fail cleanly.
#include <alsa/asoundlib.h>
#include <gtest/gtest.h>

#include "platform/AlsaSeqMidiOut.h"
#include "platform/AlsaWaveOut.h"
#include "platform/MidiOutSystem.h"
#include "platform/MidiStream.h"
#include "platform/WaveOutDevice.h"
#include "tests/audio_output/OutputTestSupport.h"

namespace {

using namespace output_test;

TEST(AlsaWaveOut, PlaysBuffersThroughAnAlsaPcm) {
  platform::AlsaWaveOut alsa;
  platform::ThreadMessageQueue notices;
  std::unique_ptr<platform::WaveOutDevice> device;
  std::string details;
  const MMRESULT result = platform::WaveOutDevice::Open(alsa.CreateSink("null"), Pcm(2, 44100, 16),
                                                        &notices, device, details);
  if (result != MMSYSERR_NOERROR) GTEST_SKIP() << "ALSA's null PCM is not available: " << details;
  std::string bytes = PatternBytes(8192);
  WAVEHDR headers[3];
  for (WAVEHDR& header : headers) {
    header.lpData = reinterpret_cast<uint8_t*>(bytes.data());
    header.dwBufferLength = 8192;
    ASSERT_EQ(device->PrepareHeader(&header), MMSYSERR_NOERROR);
    ASSERT_EQ(device->Write(&header), MMSYSERR_NOERROR);
  }
  int done = 0;
  ASSERT_TRUE(WaitUntil([&] {
    platform::ThreadMessage message;
    while (notices.Take(message)) done += message.message == MM_WOM_DONE;
    return done == 3;
  }));
  uint32_t position = 0;
  EXPECT_EQ(device->GetPosition(position), MMSYSERR_NOERROR);
  EXPECT_LE(position, 3u * 8192 / 4);
  EXPECT_EQ(device->Pause(), MMSYSERR_NOERROR);
  EXPECT_EQ(device->Restart(), MMSYSERR_NOERROR);
  EXPECT_EQ(device->Reset(), MMSYSERR_NOERROR);
  EXPECT_EQ(device->GetPosition(position), MMSYSERR_NOERROR);
  EXPECT_EQ(position, 0u);
  EXPECT_EQ(device->Close(), MMSYSERR_NOERROR);
}

TEST(AlsaWaveOut, MissingDeviceFailsWithACodeAndItsCause) {
  platform::AlsaWaveOut alsa;
  std::unique_ptr<platform::WaveOutDevice> device;
  std::string details;
  const MMRESULT result = platform::WaveOutDevice::Open(
      alsa.CreateSink("no_such_fablewick_pcm"), Pcm(2, 44100, 16), nullptr, device, details);
  EXPECT_NE(result, MMSYSERR_NOERROR);
  EXPECT_EQ(device, nullptr);
  EXPECT_NE(details.find("no_such_fablewick_pcm"), std::string::npos) << details;
  for (const platform::WaveDeviceName& device : alsa.ListDevices()) EXPECT_NE(device.address, "null");
}

using Hint = platform::AlsaWaveOut::Hint;

std::vector<std::string> Listed(const std::vector<platform::WaveDeviceName>& devices) {
  std::vector<std::string> listed;
  for (const auto& device : devices) listed.push_back(device.name + " = " + device.address);
  return listed;
}

// What a desktop with ALSA's plugin package and one sound card hints at.
TEST(AlsaWaveOut, ListsTheDefaultTheCardsOutputsAndRunningServersButNoConverters) {
  const std::string analog = "HDA Intel PCH, ALC892 Analog\n";
  const std::string hdmi = "HDA Intel PCH, HDMI 0\n";
  const std::vector<Hint> hints = {
      {"null", "Discard all samples (playback) or generate zero samples (capture)", ""},
      {"default", "Playback/recording through the PulseAudio sound server", ""},
      {"lavrate", "Rate Converter Plugin Using Libav/FFmpeg Library", ""},
      {"samplerate", "Rate Converter Plugin Using Samplerate Library", ""},
      {"speexrate_best", "Rate Converter Plugin Using Speex Resampler", ""},
      {"jack", "JACK Audio Connection Kit", ""},
      {"oss", "Open Sound System", ""},
      {"pulse", "PulseAudio Sound Server", ""},
      {"speex", "Plugin using Speex DSP (resample, agc, denoise, echo, dereverb)", ""},
      {"upmix", "Plugin for channel upmix (4,6,8)", ""},
      {"vdownmix", "Plugin for channel downmix (stereo) with a simple spacialization", ""},
      {"hw:CARD=PCH,DEV=0", analog + "Direct hardware device without any conversions", ""},
      {"plughw:CARD=PCH,DEV=0", analog + "Hardware device with all software conversions", ""},
      {"sysdefault:CARD=PCH", analog + "Default Audio Device", ""},
      {"front:CARD=PCH,DEV=0", analog + "Front output / input", ""},
      {"surround51:CARD=PCH,DEV=0", analog + "5.1 Surround output to Front, Center, Rear and Subwoofer speakers", "Output"},
      {"dmix:CARD=PCH,DEV=0", analog + "Direct sample mixing device", ""},
      {"dsnoop:CARD=PCH,DEV=0", analog + "Direct sample snooping device", "Input"},
      {"hdmi:CARD=PCH,DEV=0", hdmi + "HDMI Audio Output", "Output"},
      {"hw:CARD=PCH,DEV=3", hdmi + "Direct hardware device without any conversions", ""},
      {"plughw:CARD=PCH,DEV=3", hdmi + "Hardware device with all software conversions", ""},
      {"usbstream:CARD=PCH", "HDA Intel PCH\nUSB Stream Output", ""},
  };
  platform::AlsaWaveOut::Servers pulseAudio;
  pulseAudio.pulseAudio = true;
  EXPECT_EQ(Listed(platform::AlsaWaveOut::ChooseOutputs(hints, pulseAudio)),
            (std::vector<std::string>{"Default (PulseAudio) = default",
                                      "HDA Intel PCH, ALC892 Analog = sysdefault:CARD=PCH",
                                      "HDA Intel PCH, HDMI 0 = plughw:CARD=PCH,DEV=3",
                                      "PulseAudio Sound Server = pulse"}));
  // Without sound servers, and without the card, nothing is left that plays: not even the
  // default, which would lead nowhere.
  const std::vector<Hint> serverless(hints.begin() + 2, hints.begin() + 11);
  EXPECT_EQ(Listed(platform::AlsaWaveOut::ChooseOutputs(serverless, {})), std::vector<std::string>{});
  platform::AlsaWaveOut::Servers jackAndOss;
  jackAndOss.jack = jackAndOss.oss = true;
  EXPECT_EQ(Listed(platform::AlsaWaveOut::ChooseOutputs(serverless, jackAndOss)),
            (std::vector<std::string>{"JACK Audio Connection Kit = jack", "Open Sound System = oss"}));
}

// A backend with the sequencer ports given, chosen as the sequencer's are.
class SequencerPorts : public platform::MidiOutBackend {
 public:
  explicit SequencerPorts(std::vector<platform::AlsaSeqMidiOut::Port> ports) : m_ports(std::move(ports)) {}
  std::vector<platform::MidiDeviceName> ListDevices() override {
    return platform::AlsaSeqMidiOut::ChoosePorts(m_ports);
  }
  std::unique_ptr<platform::MidiOutput> CreateOutput(const platform::MidiDeviceName&) override {
    return nullptr;
  }

 private:
  std::vector<platform::AlsaSeqMidiOut::Port> m_ports;
};

std::vector<std::string> MidiNames(std::vector<platform::AlsaSeqMidiOut::Port> ports) {
  std::vector<std::unique_ptr<platform::MidiOutBackend>> backends;
  backends.push_back(std::make_unique<SequencerPorts>(std::move(ports)));
  platform::MidiOutSystem system(std::move(backends));
  std::vector<std::string> names;
  for (uint32_t id = 0; id < system.GetDeviceCount(); ++id) {
    platform::OutputDeviceCaps caps;
    EXPECT_EQ(system.GetDeviceCaps(id, caps), MMSYSERR_NOERROR);
    names.push_back(caps.name);
  }
  return names;
}

TEST(AlsaSeqMidiOut, ListsDevicesAndSynthesizersAndTheThroughPortOnlyAlone) {
  const platform::AlsaSeqMidiOut::Port through{
      "Midi Through", "Midi Through Port-0", "14:0",
      SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_SOFTWARE | SND_SEQ_PORT_TYPE_PORT};
  const platform::AlsaSeqMidiOut::Port keyboard{
      "USB Keystation", "USB Keystation MIDI 1", "24:0",
      SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_HARDWARE | SND_SEQ_PORT_TYPE_PORT};
  const platform::AlsaSeqMidiOut::Port synthesizer{
      "FLUID Synth (4242)", "Synth input port (4242:0)", "128:0",
      SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_MIDI_GM | SND_SEQ_PORT_TYPE_SYNTHESIZER |
          SND_SEQ_PORT_TYPE_APPLICATION};
  const platform::AlsaSeqMidiOut::Port recorder{
      "Recorder", "MIDI in", "129:0", SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION};
  EXPECT_EQ(MidiNames({through, keyboard, recorder, synthesizer}),
            (std::vector<std::string>{"USB Keystation MIDI 1", "Synth input port (4242:0)"}));
  EXPECT_EQ(MidiNames({through, recorder}), (std::vector<std::string>{"Midi Through Port-0"}));
}

TEST(AlsaSeqMidiOut, PortThatCannotBeReachedFailsCleanly) {
  platform::AlsaSeqMidiOut sequencer;
  sequencer.ListDevices();  // lists nothing, or the ports, without a sequencer to ask
  std::unique_ptr<platform::MidiStream> stream;
  std::string details;
  const MMRESULT result = platform::MidiStream::Open(
      sequencer.CreateOutput({"nowhere", "250:250"}), nullptr, 0, stream, details);
  EXPECT_NE(result, MMSYSERR_NOERROR);
  EXPECT_EQ(stream, nullptr);
  EXPECT_FALSE(details.empty());
}

}  // namespace
