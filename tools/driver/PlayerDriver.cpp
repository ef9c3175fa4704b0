// fablewick-driver: the player, driven line by line from standard input, for screenshots and
// benchmarks. It is the player's own application, frame and view; only the story selection
// answers by name instead of asking.
//
//   fablewick-driver STORIES_DIR [--exit-after-first-paint] [--zoom=N]
//
// The view starts at zoom N (1 to 4, or 0 for the automatic size; default 1).
// Commands (one a line): "new NAME" (start the story called NAME: its title page), "begin",
// "option N" (click option N, 1 to 4), "key N" (press digit N), "reset" (Ctrl+N), "zoom N"
// (the View menu's Actual Size, then Zoom In until the view shows at N×), "geometry"
// (prints "geometry X Y WIDTH HEIGHT" of the main window on the screen), "memory" (prints
// "memory PEAK_KB CURRENT_KB"), "quit". Each command answers "ok" once the view has painted
// its result, or "failed" with a reason. The first paint of the view prints "painted".
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include "game/GameDoc.h"
#include "game/SettingsStore.h"
#include "res/CommandIds.h"
#include "ui/GameMenu.h"
#include "ui/GameUi.h"
#include "ui/MainFrame.h"
#include "ui/VeskoGameApp.h"
#include "ui/VeskoGameView.h"

namespace {

class CNamedStoryUi : public CGameUi {
 public:
  std::string storyName;

  bool SelectStory(StorySelection& selection) override {
    for (size_t i = 0; i < selection.Stories.size(); ++i) {
      if (selection.Stories[i].Name == storyName) {
        selection.SelectedLine = static_cast<int>(i);
        selection.SelectedName = storyName;
        return true;
      }
    }
    return false;
  }
};

// Peak and current resident memory of this process, in kilobytes.
std::string MemoryLine() {
  std::ifstream status("/proc/self/status");
  std::string line, peak = "0", current = "0";
  while (std::getline(status, line)) {
    std::istringstream words(line);
    std::string key, value;
    words >> key >> value;
    if (key == "VmHWM:") peak = value;
    if (key == "VmRSS:") current = value;
  }
  return "memory " + peak + " " + current;
}

void Say(const std::string& line) {
  std::cout << line << std::endl;
}

class CDriverApp : public CVeskoGameApp {
 public:
  bool OnInit() override {
    if (argc < 2) {
      std::cerr << "usage: fablewick-driver STORIES_DIR [--exit-after-first-paint] [--zoom=N]\n";
      return false;
    }
    const std::string stories = wxString(argv[1]).utf8_string();
    int zoom = 1;
    for (int i = 2; i < argc; ++i) {
      const wxString option = argv[i];
      wxString value;
      if (option == "--exit-after-first-paint") m_exitAfterFirstPaint = true;
      if (option.StartsWith("--zoom=", &value)) zoom = wxAtoi(value);
    }
    m_config = "/tmp/fablewick-driver-" + std::to_string(getpid()) + ".conf";
    auto store = std::make_unique<CSettingsStore>(m_config);
    store->WriteString(kSettingsSection, "StoriesPath", stories + "/");
    store->WriteInt(kSettingsSection, "MusicOn", 0);
    store->WriteInt(kSettingsSection, "SoundOn", 0);
    store->WriteInt(kSettingsSection, "Zoom", zoom);
    auto ui = std::make_unique<CNamedStoryUi>();
    m_ui = ui.get();
    if (!StartUp(std::move(store), std::move(ui))) return false;
    GetView()->Bind(wxEVT_PAINT, &CDriverApp::OnViewPaint, this);
    if (!m_exitAfterFirstPaint) std::thread(&CDriverApp::ReadCommands, this).detach();
    return true;
  }

  int OnExit() override {
    const int result = CVeskoGameApp::OnExit();
    std::remove(m_config.c_str());
    return result;
  }

 private:
  void ReadCommands() {
    std::string line;
    while (std::getline(std::cin, line)) CallAfter([this, line] { Run(line); });
    CallAfter([this] { Run("quit"); });
  }

  void Run(const std::string& line) {
    std::istringstream words(line);
    std::string command, argument;
    words >> command;
    std::getline(words >> std::ws, argument);
    CVeskoGameDoc* doc = GetDocument();
    CVeskoGameView* view = GetView();
    if (command == "quit") {
      if (GetMainFrame()) GetMainFrame()->Close(true);
      return;
    }
    if (!doc || !view) return Say("failed no player");
    if (command == "new") {
      m_ui->storyName = argument;
      Command(res::ID_GAME_NEW);
      if (!doc->IsTitlePage()) return Say("failed the story did not open");
    } else if (command == "begin") {
      wxCommandEvent begin(wxEVT_BUTTON, res::ID_BEGIN_PLAY);
      view->GetEventHandler()->ProcessEvent(begin);
    } else if (command == "option" || command == "key") {
      const int number = std::atoi(argument.c_str());
      if (number < 1 || number > 4) return Say("failed options are 1 to 4");
      if (command == "option") {
        wxCommandEvent click(wxEVT_BUTTON, res::ID_OPTION_BUTTON1 + number - 1);
        view->GetEventHandler()->ProcessEvent(click);
      } else {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = '0' + number;
        view->GetEventHandler()->ProcessEvent(key);
      }
    } else if (command == "reset") {
      Command(res::ID_FILE_NEW);
    } else if (command == "zoom") {
      const int zoom = std::atoi(argument.c_str());
      if (zoom < 1 || zoom > 4) return Say("failed zooms are 1 to 4");
      Command(res::ID_VIEW_ACTUAL_SIZE);
      while (view->GetZoom() < zoom) Command(res::ID_VIEW_ZOOM_IN);
    } else if (command == "geometry") {
      const wxRect rect = GetMainFrame()->GetScreenRect();
      return Say("geometry " + std::to_string(rect.x) + " " + std::to_string(rect.y) + " " +
                 std::to_string(rect.width) + " " + std::to_string(rect.height));
    } else if (command == "memory") {
      return Say(MemoryLine());
    } else {
      return Say("failed unknown command " + command);
    }
    m_answerAfterPaint = true;
  }

  void Command(int command) {
    wxCommandEvent event(wxEVT_MENU, MenuItemIdFor(command));
    GetMainFrame()->ProcessWindowEvent(event);
  }

  void OnViewPaint(wxPaintEvent& event) {
    event.Skip();
    // Answer once the view's own paint handler has run.
    CallAfter([this] {
      if (!m_painted) {
        m_painted = true;
        Say("painted");
        if (m_exitAfterFirstPaint && GetMainFrame()) GetMainFrame()->Close(true);
      }
      if (m_answerAfterPaint) {
        m_answerAfterPaint = false;
        Say("ok");
      }
    });
  }

  CNamedStoryUi* m_ui = nullptr;
  std::string m_config;
  bool m_exitAfterFirstPaint = false;
  bool m_painted = false;
  bool m_answerAfterPaint = false;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(CDriverApp);

int main(int argc, char** argv) { return wxEntry(argc, argv); }
