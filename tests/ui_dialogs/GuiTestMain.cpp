// The dialogs need the toolkit running: an application object, initialised once for the whole
// test program, without a main loop of its own (modal dialogs run theirs). The program's data
// and configuration folders point into a temporary folder first, so that nothing the tests
// trash or store reaches the user's own (the toolkit reads them once, when it starts).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

namespace {

class CTestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

std::string MakeTemporaryHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "fablewick-gui-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return std::string();
  setenv("XDG_DATA_HOME", (pattern + "/data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
  return pattern;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  const std::string home = MakeTemporaryHome();
  if (home.empty()) {
    std::perror("temporary home");
    return 1;
  }
  wxApp::SetInstance(new CTestApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
    const char* display = getenv("DISPLAY");
    std::fprintf(stderr, "The toolkit could not start on display \"%s\"\n", display ? display : "");
    return 1;
  }
  // Messages the toolkit logs go to the error output, never into a message box nobody answers.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  return result;
}
