#include <gtest/gtest.h>

#include "ui/DeviceLines.h"

namespace {

CDeviceEntry Device(const std::string& name, uint32_t id) { return CDeviceEntry{name, id, false}; }
CDeviceEntry Automatic() { return CDeviceEntry{"<Automatic>", 0xFFFFFFFF, true}; }

std::vector<std::string> Names(const std::vector<CDeviceEntry>& lines) {
  std::vector<std::string> names;
  for (const CDeviceEntry& line : lines) names.push_back(line.m_name);
  return names;
}

TEST(DeviceLines, SortByNameIgnoringCaseKeepingListOrderForEqualNames) {
  const auto lines = SortDeviceLines({Device("synth", 0), Device("Alsa out", 1), Device("Synth", 2),
                                      Device("alsa", 3), Automatic()});
  EXPECT_EQ(Names(lines), (std::vector<std::string>{"<Automatic>", "alsa", "Alsa out", "synth", "Synth"}));
  EXPECT_EQ(lines[3].m_id, 0u);
  EXPECT_EQ(lines[4].m_id, 2u);
  EXPECT_TRUE(lines[0].m_isDefault);
}

TEST(DeviceLines, StoredNameSelectsFirstLineBeginningWithItIgnoringCase) {
  const std::vector<CDeviceEntry> lines = {Automatic(), Device("HDA Intel PCH", 0),
                                           Device("hda intel HDMI", 1), Device("USB Audio", 2)};
  EXPECT_EQ(ChooseDeviceLine(lines, "usb audio"), 3);
  EXPECT_EQ(ChooseDeviceLine(lines, "HDA"), 1);  // a prefix: the first of the two
  EXPECT_EQ(ChooseDeviceLine(lines, "hda intel h"), 2);
  EXPECT_EQ(ChooseDeviceLine(lines, "<automatic>"), 0);
}

TEST(DeviceLines, EmptyNameSelectsDefaultLineAndUnknownNameSelectsFirstLine) {
  const std::vector<CDeviceEntry> lines = {Device("Alpha", 0), Device("Beta", 1), Automatic()};
  EXPECT_EQ(ChooseDeviceLine(lines, ""), 2);
  EXPECT_EQ(ChooseDeviceLine(lines, "Gamma"), 0);
  EXPECT_EQ(ChooseDeviceLine(lines, "Alpha Beta"), 0);  // longer than every line
  // A list without a default entry: an empty name falls back to the first line.
  EXPECT_EQ(ChooseDeviceLine({Device("Alpha", 0), Device("Beta", 1)}, ""), 0);
  EXPECT_EQ(ChooseDeviceLine({}, "Alpha"), -1);
}

}  // namespace
