#include "ui/MainFrame.h"

#include <wx/app.h>
#include <wx/display.h>
#include <wx/statusbr.h>
#include <wx/time.h>

#include <algorithm>

#include "game/GameDoc.h"
#include "game/SettingsStore.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/GameMenu.h"
#include "ui/VeskoGameView.h"
#include "ui/WindowPlacement.h"

namespace {

// A fixed-size window: no sizing border, no maximize box.
constexpr long kFrameStyle = wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX);
// How often full screen looks whether the pointer moved.
constexpr int kPointerCheckMs = 250;

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

wxDisplay DisplayOf(const wxWindow& window) {
  const int index = wxDisplay::GetFromWindow(&window);
  return wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index));
}

bool MeetsADisplay(const wxRect& rect) {
  for (unsigned i = 0; i < wxDisplay::GetCount(); ++i)
    if (wxDisplay(i).GetGeometry().Intersects(rect)) return true;
  return false;
}

CMainFrame::CMainFrame(CSettingsStore& store, CVeskoGameDoc& doc, wxEvtHandler& docHandler)
    : m_store(store), m_doc(doc), m_docHandler(docHandler), m_pointerTimer(this) {
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
  Bind(wxEVT_MENU, &CMainFrame::OnZoomCommand, this, res::ID_VIEW_ZOOM_IN, res::ID_VIEW_AUTOMATIC_SIZE);
  Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateZoomCommand, this, res::ID_VIEW_ZOOM_IN, res::ID_VIEW_AUTOMATIC_SIZE);
  Bind(wxEVT_MENU, &CMainFrame::OnFullScreen, this, res::ID_VIEW_FULL_SCREEN);
  Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateFullScreen, this, res::ID_VIEW_FULL_SCREEN);
  Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
  Bind(wxEVT_TIMER, &CMainFrame::OnPointerTimer, this, m_pointerTimer.GetId());
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
  const bool sized = event.GetEventType() == wxEVT_SIZE;
  if (!IsIconized() && !IsMaximized() && !IsFullScreen()) m_normalRect = GetRect();
  if (sized && !IsIconized() && !IsFullScreen()) {
    FitClientToView();
    KeepOnScreen();
  }
  // Once laid out, the view keeps the size its zoom gives it (where the screen is too small for
  // the window, its bottom lies beyond the screen's edge): the frame only places it.
  if (sized && m_view && m_view->IsLaidOut())
    PlaceView();
  else
    event.Skip();
}

// The menu and status bars come back from full screen after the window took its size: the
// client area follows the view again, where the screen has room for it.
void CMainFrame::FitClientToView() {
  if (!m_fitAfterFullScreen || !m_view || !m_view->IsLaidOut()) return;
  const wxSize view = m_view->GetSize(), client = GetClientSize();
  const wxSize work = DisplayOf(*this).GetClientArea().GetSize();
  if (client != view && view.x <= work.x && view.y + GetSize().y - client.y <= work.y) SetClientSize(view);
}

void CMainFrame::KeepOnScreen() {
  const wxRect work = DisplayOf(*this).GetClientArea();
  const wxRect rect = GetRect();
  wxPoint place = rect.GetPosition();
  place.x = std::max(work.x, std::min(place.x, work.x + work.width - rect.width));
  place.y = std::max(work.y, std::min(place.y, work.y + work.height - rect.height));
  if (place != rect.GetPosition()) Move(place);
}

void CMainFrame::PlaceView() {
  if (!m_view) return;
  const wxSize space = GetClientSize(), size = m_view->GetSize();
  m_view->Move(IsFullScreen() ? wxPoint((space.x - size.x) / 2, (space.y - size.y) / 2) : wxPoint(0, 0));
}

// --- View menu ---

void CMainFrame::OnZoomCommand(wxCommandEvent& event) {
  if (!m_view || !m_view->IsLaidOut() || IsFullScreen()) return;
  m_fitAfterFullScreen = false;
  int setting = m_view->GetZoom();  // 0 stands for the automatic size
  switch (event.GetId()) {
    case res::ID_VIEW_ZOOM_IN:
      setting = std::min(setting + 1, kMaximumZoom);
      break;
    case res::ID_VIEW_ZOOM_OUT:
      setting = std::max(setting - 1, kMinimumZoom);
      break;
    case res::ID_VIEW_ACTUAL_SIZE:
      setting = kMinimumZoom;
      break;
    default:
      setting = 0;
  }
  m_view->SetZoom(setting == 0 ? m_view->GetAutomaticZoom() : setting);
  m_doc.SetZoom(setting);
}

void CMainFrame::OnUpdateZoomCommand(wxUpdateUIEvent& event) {
  const bool windowed = m_view && m_view->IsLaidOut() && !IsFullScreen();
  const int zoom = m_view ? m_view->GetZoom() : kMinimumZoom;
  if (event.GetId() == res::ID_VIEW_ZOOM_IN)
    event.Enable(windowed && zoom < kMaximumZoom);
  else if (event.GetId() == res::ID_VIEW_ZOOM_OUT)
    event.Enable(windowed && zoom > kMinimumZoom);
  else
    event.Enable(windowed);
}

void CMainFrame::OnFullScreen(wxCommandEvent&) { SetFullScreen(!IsFullScreen()); }

void CMainFrame::OnUpdateFullScreen(wxUpdateUIEvent& event) { event.Enable(m_view && m_view->IsLaidOut()); }

void CMainFrame::SetFullScreen(bool on) {
  if (on == IsFullScreen() || !m_view || !m_view->IsLaidOut()) return;
  if (on) {
    m_windowZoom = m_view->GetZoom();
    SetBackgroundColour(m_view->GetDarkestFrameColour());
    m_windowRect = GetRect();
    const wxRect screen = DisplayOf(*this).GetGeometry();
    ShowFullScreen(true, wxFULLSCREEN_ALL);
    SetSize(screen);  // where no window manager does it
    m_view->SetZoom(LargestZoomWithin(screen.GetSize(), m_view->GetBaseClientSize()));
    PlaceView();
    m_pointerAt = wxGetMousePosition();
    m_pointerMovedAt = wxGetLocalTimeMillis();
    m_pointerTimer.Start(kPointerCheckMs);
  } else {
    m_pointerTimer.Stop();
    ShowPointer(true);
    m_fitAfterFullScreen = true;
    ShowFullScreen(false);
    SetBackgroundColour(wxNullColour);
    Move(m_windowRect.GetPosition());
    m_view->SetZoom(m_windowZoom);
  }
  Refresh();
}

void CMainFrame::OnCharHook(wxKeyEvent& event) {
  if (IsFullScreen() && event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers())
    SetFullScreen(false);
  else
    event.Skip();
}

void CMainFrame::OnPointerTimer(wxTimerEvent&) {
  const wxPoint at = wxGetMousePosition();
  const wxLongLong now = wxGetLocalTimeMillis();
  if (at != m_pointerAt) {
    m_pointerAt = at;
    m_pointerMovedAt = now;
    ShowPointer(true);
  } else if (!m_pointerHidden && now - m_pointerMovedAt >= kPointerRestMs) {
    ShowPointer(false);
  }
}

void CMainFrame::ShowPointer(bool show) {
  if (m_pointerHidden == !show) return;
  m_pointerHidden = !show;
  const wxCursor cursor = show ? wxNullCursor : wxCursor(wxCURSOR_BLANK);
  SetCursor(cursor);
  if (m_view) m_view->SetCursor(cursor);
}
