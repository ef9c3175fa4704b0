#include <gtest/gtest.h>

#include "audio/OutputDevices.h"
#include "audio/WavePlayer.h"
#include "platform/NullWaveOut.h"
#include "platform/WaveOutSystem.h"

namespace {

WAVEFORMATEX Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = channels;
  format.nSamplesPerSec = rate;
  format.wBitsPerSample = bits;
  format.nBlockAlign = static_cast<uint16_t>(channels * bits / 8);
  format.nAvgBytesPerSec = rate * format.nBlockAlign;
  return format;
}

TEST(WaveOutputDevices, SystemListEndsWithNullThenAutomatic) {
  std::vector<CDeviceEntry> list;
  ASSERT_TRUE(EnumerateWaveOutputDevices(list));
  ASSERT_GE(list.size(), 2u);
  EXPECT_EQ(list.back().m_name, "<Automatic>");
  EXPECT_EQ(list.back().m_id, WAVE_MAPPER);
  EXPECT_TRUE(list.back().m_isDefault);
  const CDeviceEntry& null = list[list.size() - 2];
  EXPECT_EQ(null.m_name, "null");
  EXPECT_FALSE(null.m_isDefault);
  EXPECT_EQ(null.m_id, list.size() - 2);
}

TEST(WavePlayerDevice, OpensAndClosesTheNullDevice) {
  CWavePlayer player;
  ASSERT_TRUE(player.Init("NULL"));
  EXPECT_EQ(player.GetDeviceName(), "NULL");
  EXPECT_NE(player.GetDeviceId(), WAVE_MAPPER);
  const WAVEFORMATEX format = Pcm(2, 44100, 16);
  ASSERT_TRUE(player.Open(&format)) << player.GetLastErrorText();
  EXPECT_EQ(player.GetBytesPerSample(), 2);
  EXPECT_TRUE(player.Close());
  EXPECT_EQ(player.GetLastErrorCode(), 0u);
  EXPECT_FALSE(player.Close());
  EXPECT_EQ(player.GetLastErrorCode(), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(player.GetLastErrorText(), "The specified device handle is invalid.");
}

}  // namespace
