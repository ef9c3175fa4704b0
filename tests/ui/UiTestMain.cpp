// The interface tests run inside the player's own application object on a real display
// (Xvfb when none is set), with the settings and the trash in a temporary folder.
#include <gtest/gtest.h>
#include <wx/debug.h>
#include <wx/init.h>

#include <cstdlib>

#include "tests/support/TestFiles.h"
#include "ui/VeskoGameApp.h"

namespace {

// A failed toolkit assertion fails the test that caused it instead of opening a dialog.
void FailOnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message) {
  ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit assertion in " << function << ": " << condition << " " << message;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  // Nothing the tests store or trash reaches the user's own folders.
  testing_support::TempDir home;
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  wxApp::SetInstance(new CVeskoGameApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "the interface tests need a display\n");
    return 1;
  }
  wxSetAssertHandler(FailOnAssert);
  const int result = RUN_ALL_TESTS();
  wxEntryCleanup();
  return result;
}
