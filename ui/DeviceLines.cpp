#include "ui/DeviceLines.h"

#include <algorithm>

#include "story/StoryText.h"

std::vector<CDeviceEntry> SortDeviceLines(const std::vector<CDeviceEntry>& devices) {
  std::vector<CDeviceEntry> lines = devices;
  std::stable_sort(lines.begin(), lines.end(), [](const CDeviceEntry& a, const CDeviceEntry& b) {
    return story_text::CompareNoCase(a.m_name, b.m_name) < 0;
  });
  return lines;
}

int ChooseDeviceLine(const std::vector<CDeviceEntry>& lines, const std::string& storedName) {
  if (lines.empty()) return -1;
  for (size_t line = 0; line < lines.size(); ++line) {
    const bool found = storedName.empty()
                           ? lines[line].m_isDefault
                           : story_text::StartsWithNoCase(lines[line].m_name, storedName);
    if (found) return static_cast<int>(line);
  }
  return 0;
}
