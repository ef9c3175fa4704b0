#pragma once
// The application: one game document for the program's whole life, its frame and view, the
// commands that belong to the application (start afresh, About, Exit) and the mouse-over
// tracking of registered windows.
#include <memory>
#include <string>

#include <wx/app.h>

#include "ui/MouseOverList.h"

class CGameDocHandler;
class CGameUi;
class CMainFrame;
class CSettingsStore;
class CStoryWatcher;
class CVeskoGameDoc;
class CVeskoGameView;

class CVeskoGameApp : public wxApp {
 public:
  CVeskoGameApp();
  ~CVeskoGameApp() override;

  bool OnInit() override;
  // The command line: --help, --version and a story to open at once.
  void OnInitCmdLine(wxCmdLineParser& parser) override;
  bool OnCmdLineParsed(wxCmdLineParser& parser) override;
  int OnExit() override;
  // Runs the mouse-over tracking for every mouse event before it is handled.
  int FilterEvent(wxEvent& event) override;

  // Makes the game document on store, resets it to the start page, creates the frame and the
  // view, shows them and lays them out. ui: the document's user interface (a CGameUi when
  // none is given).
  bool StartUp(std::unique_ptr<CSettingsStore> store, std::unique_ptr<CGameUi> ui = nullptr);
  // Forgets the document and the windows (after the frame has closed).
  void ShutDown();

  // Opens the story at path (a folder or its gamefile.txt) as New Game would.
  bool OpenStartupStory(const std::string& path);

  void RegisterMouseOver(wxWindow* window) { m_mouseOver.Register(window); }
  void UnregisterMouseOver(wxWindow* window) { m_mouseOver.Unregister(window); }
  CMouseOverList& MouseOver() { return m_mouseOver; }

  CVeskoGameDoc* GetDocument() const { return m_doc.get(); }
  CMainFrame* GetMainFrame() const { return m_frame; }
  CVeskoGameView* GetView() const { return m_view; }
  CGameUi* GetGameUi() const { return m_ui.get(); }
  // The game document's part of the command route.
  wxEvtHandler* GetDocHandler() const;
  CSettingsStore* GetSettingsStore() const { return m_store.get(); }

 private:
  void OnFileNew(wxCommandEvent& event);
  void OnAppAbout(wxCommandEvent& event);
  void OnAppExit(wxCommandEvent& event);
  void OnFrameDestroyed(wxWindowDestroyEvent& event);
  void SetWindowIcon();
  // Keeps the story watcher on the current story's folders while the option asks for it.
  void OnIdle(wxIdleEvent& event);
  void ReloadChangedStory();

  CMouseOverList m_mouseOver;
  std::string m_startupStory;  // the story named on the command line
  std::string m_startupScene;  // and the scene to enter at once (--scene)
  std::unique_ptr<CSettingsStore> m_store;
  std::unique_ptr<CGameUi> m_ui;
  std::unique_ptr<CVeskoGameDoc> m_doc;
  std::unique_ptr<CGameDocHandler> m_docHandler;
  CMainFrame* m_frame = nullptr;
  CVeskoGameView* m_view = nullptr;
  std::unique_ptr<CStoryWatcher> m_watcher;
  std::string m_watchedStory;  // the story (path and folder values) the watcher follows
  bool m_reloading = false;
};
