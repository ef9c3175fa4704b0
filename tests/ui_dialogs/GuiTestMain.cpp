// The dialogs need the toolkit running: an application object, initialised once for the whole
// test program, without a main loop of its own (modal dialogs run theirs).
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

namespace {

class CTestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  wxApp::SetInstance(new CTestApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
    const char* display = getenv("DISPLAY");
    fprintf(stderr, "The toolkit could not start on display \"%s\"\n", display ? display : "");
    return 1;
  }
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
