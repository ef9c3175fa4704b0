// fablewick-story devices: lists the wave and MIDI output devices as the player sees them, one
// a line: the kind, the device id (-1 for "<Automatic>", the system's preferred device) and the
// name, separated by tabs.
#include <cstdio>
#include <vector>

#include "audio/OutputDevices.h"
#include "tools/storytool/ToolCommands.h"

namespace {

void PrintList(const char* kind, const std::vector<CDeviceEntry>& list) {
  for (const CDeviceEntry& entry : list)
    std::printf("%s\t%d\t%s\n", kind, static_cast<int>(entry.m_id), entry.m_name.c_str());
}

int RunDevices(const ToolArgs& args) {
  if (!args.empty()) return UsageError(kDevicesCommand);
  std::vector<CDeviceEntry> wave, midi;
  if (!EnumerateWaveOutputDevices(wave)) std::fprintf(stderr, "no wave output devices\n");
  if (!EnumerateMidiOutputDevices(midi)) std::fprintf(stderr, "no MIDI output devices\n");
  PrintList("wave", wave);
  PrintList("midi", midi);
  return kExitOk;
}

}  // namespace

const ToolCommand kDevicesCommand = {"devices", "", RunDevices};
