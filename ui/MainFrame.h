#pragma once
// The main window: the Game menu, a one-pane status bar and the scene view. Its size is the
// view's to choose and the user cannot change it; its place is kept between runs. Commands
// go the view's way first, then the game document's, then the frame's, then the
// application's.
#include <wx/frame.h>

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

 protected:
  bool TryBefore(wxEvent& event) override;

 private:
  // A menu or accelerator command: carried out only while its update says it is enabled.
  bool RouteMenuCommand(wxCommandEvent& event, int command);
  bool RouteMenuUpdate(wxUpdateUIEvent& event, int command);
  void OnClose(wxCloseEvent& event);
  void OnMoveOrSize(wxEvent& event);

  CPalMsgHandler m_palHandler;
  wxStatusBar* m_wndStatusBar = nullptr;
  CSettingsStore& m_store;
  CVeskoGameDoc& m_doc;
  wxEvtHandler& m_docHandler;
  CVeskoGameView* m_view = nullptr;
  wxRect m_normalRect;
};

// Whether a window at rect would show on one of the connected displays.
bool MeetsADisplay(const wxRect& rect);
