// The interface tests run inside the player's own application object on a real display
// (Xvfb when none is set), with the settings kept in a temporary folder.
#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cstdlib>

#include "tests/support/TestFiles.h"
#include "ui/VeskoGameApp.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  testing_support::TempDir configHome;
  setenv("XDG_CONFIG_HOME", configHome.Path().c_str(), 1);
  wxApp::SetInstance(new CVeskoGameApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "the interface tests need a display\n");
    return 1;
  }
  // The application's OnInit, which the tests do not run, adds the image handlers the player
  // needs (its icon is a PNG).
  wxInitAllImageHandlers();
  const int result = RUN_ALL_TESTS();
  wxEntryCleanup();
  return result;
}
