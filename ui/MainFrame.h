#pragma once
// The main window: the Game and View menus, a one-pane status bar and the scene view. Its size
// is the view's to choose (the zoom decides it) and the user cannot change it; its place is kept
// between runs. Full screen shows the view alone, centred, at the largest zoom that fits. Commands
// go the view's way first, then the game document's, then the frame's, then the
// application's.
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include "ui/PalMsgHandler.h"

class CSettingsStore;
class CVeskoGameDoc;
class CVeskoGameView;

class CMainFrame : public wxFrame {
 public:
  // Creates the window at its stored place (unless that lies on no display), with the menu
  // and the status bar. docHandler: the game document's part of the command route.
  CMainFrame(CSettingsStore& store, CVeskoGameDoc& doc, wxEvtHandler& docHandler);
  ~CMainFrame() override;

  void SetView(CVeskoGameView* view) { m_view = view; }
  CVeskoGameView* GetView() const { return m_view; }
  // The window's place and size when neither minimized nor maximized.
  wxRect GetNormalRect() const { return m_normalRect; }

  // Routes a command (or its update) along view, game document, frame and application;
  // true when one of them handled it.
  bool RouteCommand(wxEvent& event);

  // Full screen on or off: the view alone at the largest zoom that fits the screen, centred on
  // the frame's darkest colour; off again, the window as it was.
  void SetFullScreen(bool on);
  // Whether full screen has hidden the mouse pointer, after it rested kPointerRestMs.
  bool IsPointerHidden() const { return m_pointerHidden; }
  static constexpr int kPointerRestMs = 2000;

 protected:
  bool TryBefore(wxEvent& event) override;

 private:
  // A menu or accelerator command: carried out only while its update says it is enabled.
  bool RouteMenuCommand(wxCommandEvent& event, int command);
  bool RouteMenuUpdate(wxUpdateUIEvent& event, int command);
  void OnClose(wxCloseEvent& event);
  void OnMoveOrSize(wxEvent& event);
  void OnZoomCommand(wxCommandEvent& event);
  void OnUpdateZoomCommand(wxUpdateUIEvent& event);
  void OnFullScreen(wxCommandEvent& event);
  void OnUpdateFullScreen(wxUpdateUIEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void OnPointerTimer(wxTimerEvent& event);
  void ShowPointer(bool show);
  // Moves the window onto the work area of its display where it reaches beyond it.
  void KeepOnScreen();
  void FitClientToView();
  // The view at the top left, or in the middle in full screen.
  void PlaceView();

  CPalMsgHandler m_palHandler;
  wxStatusBar* m_wndStatusBar = nullptr;
  CSettingsStore& m_store;
  CVeskoGameDoc& m_doc;
  wxEvtHandler& m_docHandler;
  CVeskoGameView* m_view = nullptr;
  wxRect m_normalRect;
  int m_windowZoom = 1;  // the view's zoom and the window's place before full screen
  wxRect m_windowRect;
  bool m_fitAfterFullScreen = false;  // from leaving full screen to the next zoom command
  wxTimer m_pointerTimer;
  wxPoint m_pointerAt;
  wxLongLong m_pointerMovedAt;
  bool m_pointerHidden = false;
};

// Whether a window at rect would show on one of the connected displays.
bool MeetsADisplay(const wxRect& rect);
// The display that shows most of window (the first display when none does).
wxDisplay DisplayOf(const wxWindow& window);
