// The ALSA backends on whatever this machine offers: ALSA's discarding "null" PCM stands in for
// a sound card where there is none; a missing device or sequencer must fail cleanly.
#include <gtest/gtest.h>

#include "platform/AlsaSeqMidiOut.h"
#include "platform/AlsaWaveOut.h"
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
  for (const std::string& name : alsa.ListDevices()) EXPECT_NE(name, "null");
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
