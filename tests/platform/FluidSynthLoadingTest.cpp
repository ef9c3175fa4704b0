#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/FluidSynthMidiOut.h"

namespace {

bool FluidSynthIsLoaded() {
  std::ifstream maps("/proc/self/maps");
  std::stringstream text;
  text << maps.rdbuf();
  return text.str().find("/libfluidsynth.so") != std::string::npos;
}

}  // namespace

// Programs that never play a tune start without the synthesizer's fifty libraries.
TEST(FluidSynthLoading, WaitsForTheFirstOutputThatOpens) {
  ASSERT_FALSE(FluidSynthIsLoaded());
  platform::FluidSynthMidiOut synthesizer;
  if (synthesizer.ListDevices().empty()) GTEST_SKIP() << "no soundfont";
  EXPECT_FALSE(FluidSynthIsLoaded());

  platform::FluidSynthRenderer output;
  std::string error;
  EXPECT_EQ(output.Open(error), MMSYSERR_NOERROR) << error;
  EXPECT_TRUE(FluidSynthIsLoaded());
}
