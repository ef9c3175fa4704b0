#include "ui/MainFrame.h"

#include <wx/app.h>
#include <wx/display.h>
#include <wx/statusbr.h>

#include "game/GameDoc.h"
#include "game/SettingsStore.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/GameMenu.h"
#include "ui/VeskoGameView.h"
#include "ui/WindowPlacement.h"

namespace {

// A fixed-size window: no sizing border, no maximize box.
constexpr long kFrameStyle = wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX);

wxRect StoredRect(const CSettingsStore& store) {
  CWindowPlacement placement;
  placement.Load(store, kSettingsSection);
  const PlacementRect& r = placement.rcNormalPosition;
  if (r.IsEmpty()) return wxRect();
  const wxRect rect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  // A place on a display that is no longer connected would open the window out of sight.
  return MeetsADisplay(rect) ? rect : wxRect();
}

}  // namespace

bool MeetsADisplay(const wxRect& rect) {
  for (unsigned i = 0; i < wxDisplay::GetCount(); ++i)
    if (wxDisplay(i).GetGeometry().Intersects(rect)) return true;
  return false;
}

CMainFrame::CMainFrame(CSettingsStore& store, CVeskoGameDoc& doc, wxEvtHandler& docHandler)
    : m_store(store), m_doc(doc), m_docHandler(docHandler) {
  const wxRect stored = StoredRect(store);
  const wxPoint position = stored.IsEmpty() ? wxDefaultPosition : stored.GetPosition();
  const wxSize size = stored.IsEmpty() ? wxDefaultSize : stored.GetSize();
  Create(nullptr, wxID_ANY, wxString::FromUTF8(res::LoadStringOr(res::IDS_APP_TITLE, "Fablewick")), position, size,
         kFrameStyle);
  SetMenuBar(CreateGameMenuBar());
  SetAcceleratorTable(CreateGameAccelerators());
  m_wndStatusBar = CreateStatusBar(1, wxSTB_SHOW_TIPS | wxSTB_ELLIPSIZE_END | wxFULL_REPAINT_ON_RESIZE);
  m_palHandler.SetPalette(nullptr);
  m_palHandler.HookWindow(this);
  m_normalRect = GetRect();
  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
  Bind(wxEVT_MOVE, &CMainFrame::OnMoveOrSize, this);
  Bind(wxEVT_SIZE, &CMainFrame::OnMoveOrSize, this);
}

CMainFrame::~CMainFrame() { m_palHandler.HookWindow(nullptr); }

bool CMainFrame::TryBefore(wxEvent& event) {
  const wxEventType type = event.GetEventType();
  if (type == wxEVT_MENU) {
    auto& command = static_cast<wxCommandEvent&>(event);
    if (const int id = CommandForMenuItem(event.GetId())) return RouteMenuCommand(command, id);
    RouteCommand(event);
    return true;
  }
  if (type == wxEVT_UPDATE_UI) {
    if (const int id = CommandForMenuItem(event.GetId()))
      return RouteMenuUpdate(static_cast<wxUpdateUIEvent&>(event), id);
  }
  return wxFrame::TryBefore(event);
}

bool CMainFrame::RouteCommand(wxEvent& event) {
  if (m_view && m_view->ProcessWindowEventLocally(event)) return true;
  if (m_docHandler.ProcessEventLocally(event)) return true;
  if (TryHereOnly(event)) return true;
  return wxTheApp && wxTheApp->ProcessEventLocally(event);
}

bool CMainFrame::RouteMenuCommand(wxCommandEvent& event, int command) {
  wxUpdateUIEvent update(command);
  update.SetEventObject(this);
  if (RouteCommand(update) && update.GetSetEnabled() && !update.GetEnabled()) return true;
  wxCommandEvent routed(wxEVT_MENU, command);
  routed.SetEventObject(event.GetEventObject());
  routed.SetInt(event.GetInt());
  RouteCommand(routed);
  return true;
}

bool CMainFrame::RouteMenuUpdate(wxUpdateUIEvent& event, int command) {
  wxUpdateUIEvent routed(command);
  routed.SetEventObject(event.GetEventObject());
  if (!RouteCommand(routed)) return false;
  if (routed.GetSetEnabled()) event.Enable(routed.GetEnabled());
  return true;
}

void CMainFrame::OnClose(wxCloseEvent&) {
  CWindowPlacement placement;
  placement.SaveWindow(m_store, kSettingsSection, *this);
  m_doc.CloseGame();
  Destroy();
}

void CMainFrame::OnMoveOrSize(wxEvent& event) {
  if (!IsIconized() && !IsMaximized()) m_normalRect = GetRect();
  event.Skip();
}
