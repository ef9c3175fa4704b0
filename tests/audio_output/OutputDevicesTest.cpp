#include "audio/OutputDevices.h"

#include <gtest/gtest.h>

#include <optional>

#include "audio/WavePlayer.h"
#include "platform/NullWaveOut.h"
#include "platform/WaveOutSystem.h"

namespace {

// Devices as a test wants them; a missing entry's query fails.
class FakeCatalog : public platform::DeviceCatalog {
 public:
  explicit FakeCatalog(std::vector<std::optional<platform::OutputDeviceCaps>> devices)
      : m_devices(std::move(devices)) {}
  uint32_t GetDeviceCount() override { return static_cast<uint32_t>(m_devices.size()); }
  MMRESULT GetDeviceCaps(uint32_t id, platform::OutputDeviceCaps& caps) override {
    if (id >= m_devices.size()) return MMSYSERR_BADDEVICEID;
    if (!m_devices[id]) return MMSYSERR_NODRIVER;
    caps = *m_devices[id];
    return MMSYSERR_NOERROR;
  }

 private:
  std::vector<std::optional<platform::OutputDeviceCaps>> m_devices;
};

platform::OutputDeviceCaps Device(const std::string& name, uint32_t support = 0) {
  return platform::OutputDeviceCaps{name, support};
}

std::vector<std::string> Names(const std::vector<CDeviceEntry>& list) {
  std::vector<std::string> names;
  for (const CDeviceEntry& entry : list) names.push_back(entry.m_name);
  return names;
}

TEST(OutputDevices, WaveListLeavesOutSynchronousDevices) {
  FakeCatalog devices({Device("Sync Out", WAVECAPS_SYNC), Device("Speakers")});
  std::vector<CDeviceEntry> list;
  ASSERT_TRUE(EnumerateWaveOutputDevices(list, devices));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Speakers", "<Automatic>"}));
  EXPECT_EQ(list[0].m_id, 1u);
  EXPECT_FALSE(list[0].m_isDefault);
  EXPECT_EQ(list[1].m_id, WAVE_MAPPER);
  EXPECT_TRUE(list[1].m_isDefault);

  std::vector<CDeviceEntry> midi;
  ASSERT_TRUE(EnumerateMidiOutputDevices(midi, devices));
  EXPECT_EQ(Names(midi), (std::vector<std::string>{"Sync Out", "Speakers", "<Automatic>"}));
}

TEST(OutputDevices, FailedQueryKeepsTheIdsOfLaterDevices) {
  FakeCatalog devices({Device("First"), std::nullopt, Device("Third")});
  for (bool wave : {true, false}) {
    std::vector<CDeviceEntry> list;
    ASSERT_TRUE(wave ? EnumerateWaveOutputDevices(list, devices)
                     : EnumerateMidiOutputDevices(list, devices));
    ASSERT_EQ(Names(list), (std::vector<std::string>{"First", "Third", "<Automatic>"}));
    EXPECT_EQ(list[0].m_id, 0u);
    EXPECT_EQ(list[1].m_id, 2u);
  }
}

TEST(OutputDevices, NoDevicesGiveAnEmptyListWithoutAutomatic) {
  FakeCatalog none({});
  FakeCatalog failing({std::nullopt, std::nullopt});
  FakeCatalog onlySync({Device("Sync", WAVECAPS_SYNC)});
  std::vector<CDeviceEntry> list{CDeviceEntry{"stale", 4, false}};
  EXPECT_FALSE(EnumerateMidiOutputDevices(list, none));
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(EnumerateWaveOutputDevices(list, failing));
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(EnumerateWaveOutputDevices(list, onlySync));
  EXPECT_TRUE(list.empty());
}

TEST(OutputDevices, FindsByNameIgnoringCaseFirstMatchWinning) {
  FakeCatalog devices({Device("Synth"), Device("Ports"), Device("SYNTH"), Device("Ärger Über")});
  std::vector<CDeviceEntry> list;
  ASSERT_TRUE(EnumerateMidiOutputDevices(list, devices));
  const CDeviceEntry* found = FindDeviceByName(list, "synth");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->m_id, 0u);
  found = FindDeviceByName(list, "<automatic>");
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(found->m_isDefault);
  found = FindDeviceByName(list, "ärger über");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->m_id, 3u);
  EXPECT_EQ(FindDeviceByName(list, "Synth "), nullptr);
  EXPECT_EQ(FindDeviceByName(list, ""), nullptr);
  EXPECT_EQ(FindDeviceByName({}, "Synth"), nullptr);
}

TEST(OutputDevices, NamesAreCutTo31BytesWithoutSplittingCharacters) {
  EXPECT_EQ(platform::CutDeviceName("hw:CARD=PCH,DEV=0"), "hw:CARD=PCH,DEV=0");
  const std::string longName = "surround71:CARD=Generic_1,DEV=0 (analog)";
  EXPECT_EQ(platform::CutDeviceName(longName), longName.substr(0, 31));
  // 30 ASCII bytes and a two-byte character: the character does not fit.
  const std::string accented = std::string(30, 'a') + "\xC3\xA9" + "z";
  EXPECT_EQ(platform::CutDeviceName(accented), std::string(30, 'a'));
}

// A system whose backends list the given devices.
class ListedBackend : public platform::WaveOutBackend {
 public:
  explicit ListedBackend(std::vector<std::string> names) : m_names(std::move(names)) {}
  std::vector<platform::WaveDeviceName> ListDevices() override {
    std::vector<platform::WaveDeviceName> devices;
    for (const std::string& name : m_names) devices.push_back({name, name});
    return devices;
  }
  std::string PreferredDevice() override { return ""; }
  std::unique_ptr<platform::WaveOutSink> CreateSink(const std::string&) override { return nullptr; }

 private:
  std::vector<std::string> m_names;
};

platform::WaveOutSystem SystemWith(std::vector<std::string> names) {
  std::vector<std::unique_ptr<platform::WaveOutBackend>> backends;
  if (!names.empty()) backends.push_back(std::make_unique<ListedBackend>(std::move(names)));
  return platform::WaveOutSystem(std::move(backends));
}

TEST(WavePlayerDeviceLookup, MapsStoredNamesToDeviceIds) {
  platform::WaveOutSystem devices = SystemWith({"Speakers", "Headset", "headset"});
  {
    CWavePlayer player(devices);
    ASSERT_TRUE(player.Init(""));
    EXPECT_EQ(player.GetDeviceName(), "<Automatic>");
    EXPECT_EQ(player.GetDeviceId(), WAVE_MAPPER);
  }
  {
    CWavePlayer player(devices);
    ASSERT_TRUE(player.Init("HEADSET"));
    EXPECT_EQ(player.GetDeviceName(), "HEADSET");
    EXPECT_EQ(player.GetDeviceId(), 1u);
    EXPECT_TRUE(player.SetDevice("<automatic>"));
    EXPECT_EQ(player.GetDeviceId(), WAVE_MAPPER);
    EXPECT_EQ(player.GetDeviceName(), "<automatic>");
  }
  {
    CWavePlayer player(devices);
    ASSERT_TRUE(player.Init("Speakers"));
    EXPECT_TRUE(player.SetDevice("Gone Card")) << "an unknown name selects <Automatic>";
    EXPECT_EQ(player.GetDeviceName(), "Gone Card");
    EXPECT_EQ(player.GetDeviceId(), WAVE_MAPPER);
    EXPECT_FALSE(player.SetDevice(""));
    EXPECT_EQ(player.GetDeviceName(), "Gone Card");
  }
}

TEST(WavePlayerDeviceLookup, WithoutDevicesInitFailsAndSetDeviceKeepsThePrevious) {
  platform::WaveOutSystem devices = SystemWith({});
  CWavePlayer player(devices);
  EXPECT_FALSE(player.Init("Speakers"));
  EXPECT_FALSE(player.IsInitialized());
  EXPECT_EQ(player.GetLastErrorCode(), MMSYSERR_NODRIVER);
  EXPECT_EQ(player.GetLastErrorText(), "There is no driver installed on your system.");
  EXPECT_FALSE(player.SetDevice("Headset"));
  EXPECT_EQ(player.GetDeviceName(), "Speakers");
  EXPECT_EQ(player.GetDeviceId(), WAVE_MAPPER);
}

TEST(WaveOutputDevices, SystemListEndsWithNullThenAutomatic) {
  std::vector<CDeviceEntry> list;
  ASSERT_TRUE(EnumerateWaveOutputDevices(list));
  ASSERT_GE(list.size(), 2u);
  EXPECT_EQ(list.back().m_name, "<Automatic>");
  EXPECT_EQ(list.back().m_id, WAVE_MAPPER);
  const CDeviceEntry& null = list[list.size() - 2];
  EXPECT_EQ(null.m_name, "null");
  EXPECT_EQ(null.m_id, list.size() - 2);
  for (const CDeviceEntry& entry : list) EXPECT_LE(entry.m_name.size(), 31u);
}

}  // namespace
