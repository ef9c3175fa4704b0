#include "platform/WaveOutDevice.h"

#include <gtest/gtest.h>

#include "platform/NullWaveOut.h"
#include "tests/audio_output/OutputTestSupport.h"

namespace {

using namespace output_test;

struct OpenDevice {
  explicit OpenDevice(WAVEFORMATEX format = SlowFormat())
      : probe(std::make_shared<platform::NullWaveOutProbe>(true)), backend(probe) {
    std::string details;
    result = platform::WaveOutDevice::Open(backend.CreateSink("null"), format, &notices, device,
                                           details);
  }
  // The done notices queued so far, in order.
  std::vector<platform::ThreadMessage> DoneNotices() {
    std::vector<platform::ThreadMessage> done;
    platform::ThreadMessage message;
    while (notices.Take(message))
      if (message.message == MM_WOM_DONE) done.push_back(message);
    return done;
  }

  std::shared_ptr<platform::NullWaveOutProbe> probe;
  platform::NullWaveOut backend;
  platform::ThreadMessageQueue notices;
  std::unique_ptr<platform::WaveOutDevice> device;
  MMRESULT result;
};

TEST(WaveOutDevice, ChecksHeadersBeforeQueuingThem) {
  OpenDevice open;
  ASSERT_EQ(open.result, MMSYSERR_NOERROR);
  std::string bytes = PatternBytes(4000);
  WAVEHDR header;
  header.lpData = reinterpret_cast<uint8_t*>(bytes.data());
  header.dwBufferLength = 4000;
  open.probe->Freeze(true);
  EXPECT_EQ(open.device->Write(&header), WAVERR_UNPREPARED);
  EXPECT_EQ(open.device->PrepareHeader(&header), MMSYSERR_NOERROR);
  EXPECT_EQ(open.device->Write(&header), MMSYSERR_NOERROR);
  EXPECT_EQ(open.device->Write(&header), WAVERR_STILLPLAYING);
  EXPECT_EQ(open.device->UnprepareHeader(&header), WAVERR_STILLPLAYING);
  EXPECT_EQ(open.device->Close(), WAVERR_STILLPLAYING);
  EXPECT_EQ(open.device->Reset(), MMSYSERR_NOERROR);
  EXPECT_TRUE(header.dwFlags & WHDR_DONE);
  EXPECT_FALSE(header.dwFlags & WHDR_INQUEUE);
  EXPECT_EQ(open.device->UnprepareHeader(&header), MMSYSERR_NOERROR);
  EXPECT_EQ(open.device->Close(), MMSYSERR_NOERROR);
  EXPECT_EQ(open.device->Write(&header), MMSYSERR_INVALHANDLE);
  uint32_t position;
  EXPECT_EQ(open.device->GetPosition(position), MMSYSERR_INVALHANDLE);
}

TEST(WaveOutDevice, ResetReturnsEveryBufferWithItsTagAndRewindsThePosition) {
  OpenDevice open;
  ASSERT_EQ(open.result, MMSYSERR_NOERROR);
  std::string bytes = PatternBytes(8000);
  WAVEHDR headers[3];
  for (int i = 0; i < 3; ++i) {
    headers[i].lpData = reinterpret_cast<uint8_t*>(bytes.data());
    headers[i].dwBufferLength = 8000;
    headers[i].dwUser = 100 + i;
    open.device->PrepareHeader(&headers[i]);
    ASSERT_EQ(open.device->Write(&headers[i]), MMSYSERR_NOERROR);
  }
  uint32_t position = 0;
  ASSERT_TRUE(WaitUntil([&] {
    open.device->GetPosition(position);
    return position > 1000;
  }));
  open.DoneNotices();
  ASSERT_EQ(open.device->Reset(), MMSYSERR_NOERROR);
  const std::vector<platform::ThreadMessage> done = open.DoneNotices();
  ASSERT_GE(done.size(), 2u);
  EXPECT_EQ(done.back().lParam, reinterpret_cast<uintptr_t>(&headers[2]));
  EXPECT_EQ(done.back().tag, 102u);
  EXPECT_EQ(done.back().wParam, reinterpret_cast<uintptr_t>(open.device.get()));
  for (const WAVEHDR& header : headers) EXPECT_EQ(header.dwFlags, WHDR_PREPARED | WHDR_DONE);
  EXPECT_EQ(open.device->GetPosition(position), MMSYSERR_NOERROR);
  EXPECT_EQ(position, 0u);
}

TEST(WaveOutDevice, PlaysBuffersInOrderAndHoldsThePositionWhilePaused) {
  OpenDevice open(Pcm(2, 32000, 16));
  ASSERT_EQ(open.result, MMSYSERR_NOERROR);
  std::string first = PatternBytes(6402, 1);  // the last two bytes make no whole frame
  std::string second = PatternBytes(4000, 2);
  WAVEHDR headers[2];
  headers[0].lpData = reinterpret_cast<uint8_t*>(first.data());
  headers[0].dwBufferLength = static_cast<uint32_t>(first.size());
  headers[1].lpData = reinterpret_cast<uint8_t*>(second.data());
  headers[1].dwBufferLength = static_cast<uint32_t>(second.size());
  ASSERT_EQ(open.device->Pause(), MMSYSERR_NOERROR);
  for (WAVEHDR& header : headers) {
    open.device->PrepareHeader(&header);
    ASSERT_EQ(open.device->Write(&header), MMSYSERR_NOERROR);
  }
  Pause(100);
  uint32_t position = 1;
  open.device->GetPosition(position);
  EXPECT_EQ(position, 0u) << "nothing sounds while paused";
  ASSERT_EQ(open.device->Restart(), MMSYSERR_NOERROR);
  ASSERT_TRUE(WaitUntil([&] {
    open.device->GetPosition(position);
    return position == (6400 + 4000) / 4;
  }));
  EXPECT_EQ(open.probe->Bytes(), first.substr(0, 6400) + second);
}

TEST(WaveOutDevice, RefusesFormatsItCannotPlay) {
  WAVEFORMATEX format = Pcm(2, 44100, 16);
  format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
  EXPECT_EQ(OpenDevice(format).result, WAVERR_BADFORMAT);
  format = Pcm(2, 44100, 12);
  EXPECT_EQ(OpenDevice(format).result, WAVERR_BADFORMAT);
  format = Pcm(0, 44100, 16);
  EXPECT_EQ(OpenDevice(format).result, WAVERR_BADFORMAT);
  format = Pcm(2, 0, 16);
  EXPECT_EQ(OpenDevice(format).result, WAVERR_BADFORMAT);
  EXPECT_EQ(OpenDevice(Pcm(6, 48000, 24)).result, MMSYSERR_NOERROR);
}

TEST(WaveOutSystem, MapperFallsBackToTheNullDevice) {
  platform::ThreadMessageQueue notices;
  std::unique_ptr<platform::WaveOutDevice> device;
  std::string details;
  const WAVEFORMATEX format = Pcm(2, 44100, 16);
  EXPECT_EQ(platform::WaveOutSystem::Default().Open(WAVE_MAPPER, format, &notices, device, details),
            MMSYSERR_NOERROR);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->Close(), MMSYSERR_NOERROR);
  const uint32_t count = platform::WaveOutSystem::Default().GetDeviceCount();
  EXPECT_EQ(platform::WaveOutSystem::Default().Open(count, format, &notices, device, details),
            MMSYSERR_BADDEVICEID);
}

}  // namespace
