#pragma once
// The player started afresh for each test: the application object's start-up on a settings
// file and a stories folder of the test's own, with a user interface whose story selection
// the test chooses. Message boxes are answered through the toolkit's modal dialog hook.
#include <gtest/gtest.h>
#include <wx/modalhook.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/GameDoc.h"
#include "game/SettingsStore.h"
#include "res/CommandIds.h"
#include "tests/support/TestFiles.h"
#include "ui/GameUi.h"
#include "ui/MainFrame.h"
#include "ui/VeskoGameApp.h"
#include "ui/VeskoGameView.h"

// A CGameUi whose story selection picks the story named by the test.
class CTestGameUi : public CGameUi {
 public:
  std::string StoryToChoose;
  bool UseStoryDialog = false;  // let the real story selection dialog ask
  int SelectStoryCalls = 0;

  bool SelectStory(StorySelection& selection) override;
};

// Answers modal dialogs without showing them, and records what was asked: message boxes, and
// any other dialog the filter names (all of them unless a test lets one show).
class CDialogAnswers : public wxModalDialogHook {
 public:
  std::function<bool(wxDialog*)> AlsoAnswer = [](wxDialog*) { return true; };
  struct Shown {
    wxString Message, Caption;
    long Style;
  };
  // wxID_YES, wxID_NO, wxID_OK, wxID_CANCEL in turn; when none is left, message boxes get
  // wxID_OK and other dialogs wxID_CANCEL.
  std::deque<int> Answers;
  std::vector<Shown> Dialogs;

  CDialogAnswers() { Register(); }
  ~CDialogAnswers() override { Unregister(); }

 protected:
  int Enter(wxDialog* dialog) override;
};

class PlayerFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the player; tests may prepare settings and stories before.
  void StartPlayer();
  // Closes the main window as the user would and forgets the player.
  void ClosePlayer();
  // After ClosePlayer: the settings file read afresh, for the next StartPlayer.
  void ReopenSettings();

  CVeskoGameApp& App() { return static_cast<CVeskoGameApp&>(*wxTheApp); }
  CVeskoGameDoc& Doc() { return *App().GetDocument(); }
  CMainFrame& Frame() { return *App().GetMainFrame(); }
  CVeskoGameView& View() { return *App().GetView(); }
  CTestGameUi& Ui() { return *m_ui; }
  CSettingsStore& Store() { return *m_store; }

  std::string StoriesDir() const { return m_dir / "Stories"; }
  std::string StoryDir(const std::string& name) const { return StoriesDir() + "/" + name; }
  // Writes a story folder; pictures given as (file name, width, height, colour).
  void WriteStory(const std::string& folder, const std::string& text);

  // Chooses the story in New Game (title page), optionally beginning play.
  void StartStory(const std::string& name, bool beginPlay = true);

  // Lets the toolkit handle what is pending: paints, sizes, window mapping.
  static void Pump(int rounds = 5);
  // Pumps until condition holds or about five seconds pass; returns whether it held.
  static bool PumpUntil(const std::function<bool()>& condition);

  // Sends a menu command (or accelerator) to the frame, as choosing the menu item does.
  void ChooseMenuCommand(int command);
  // Asks the frame whether a menu command is enabled, as opening the menu does.
  bool IsMenuCommandEnabled(int command);

  testing_support::TempDir m_dir;
  CDialogAnswers m_dialogs;

 private:
  std::unique_ptr<CSettingsStore> m_ownedStore;
  CSettingsStore* m_store = nullptr;
  CTestGameUi* m_ui = nullptr;
};

// A story with two scenes: Shore (two options, a picture) and Tower (one option).
std::string TwoSceneStory(const std::string& name);
// Writes a 24-bit BMP of the given size whose every pixel comes from colourAt(x, y) (RGB).
void WriteBmp(const std::string& path, int width, int height, const std::function<unsigned(int, int)>& colourAt);
void WriteSolidBmp(const std::string& path, int width, int height, unsigned rgb);
