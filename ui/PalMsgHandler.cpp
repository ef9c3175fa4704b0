#include "ui/PalMsgHandler.h"

#include <wx/frame.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include "ui/DibDraw.h"
#include "picture/Palette.h"

const char* const CPalMsgHandler::kTraceMask = "palette";

namespace {

wxString Describe(const wxWindow* window) {
  return window ? wxString(window->GetClassInfo()->GetClassName()) : wxString("none");
}

void SendToDescendants(wxWindow* window, wxPaletteChangedEvent& original) {
  for (wxWindow* child : window->GetChildren()) {
    wxPaletteChangedEvent event(child->GetId());
    event.SetChangedWindow(original.GetChangedWindow());
    event.SetEventObject(child);
    child->GetEventHandler()->ProcessEvent(event);
    SendToDescendants(child, original);
  }
}

bool IsBar(const wxWindow* window) {
  return dynamic_cast<const wxStatusBar*>(window) || dynamic_cast<const wxToolBar*>(window) ||
         dynamic_cast<const wxMenuBar*>(window);
}

}  // namespace

bool CPalMsgHandler::WindowProc(wxEvent& event) {
  const wxEventType type = event.GetEventType();
  if (type == wxEVT_SET_FOCUS) {
    OnSetFocus(static_cast<wxFocusEvent&>(event).GetWindow());
    return true;
  }
  if (type == wxEVT_QUERY_NEW_PALETTE) {
    static_cast<wxQueryNewPaletteEvent&>(event).SetPaletteRealized(OnQueryNewPalette());
    return true;
  }
  if (type == wxEVT_PALETTE_CHANGED) {
    OnPaletteChanged(static_cast<wxPaletteChangedEvent&>(event).GetChangedWindow());
    return true;
  }
  return CMsgHook::WindowProc(event);
}

void CPalMsgHandler::OnPaletteChanged(wxWindow* focusWindow) {
  wxWindow* const hooked = GetHookedWindow();
  wxLogTrace(kTraceMask, "CPalMsgHandler::OnPaletteChanged for %s [from %s]", Describe(hooked),
             Describe(focusWindow));
  if (focusWindow == hooked) {
    wxLogTrace(kTraceMask, "[It's me, don't realize palette.]");
    return;
  }
  if (DoRealizePalette(false) == 0 && hooked && !hooked->GetParent()) {
    wxPaletteChangedEvent event(hooked->GetId());
    event.SetChangedWindow(focusWindow);
    SendToDescendants(hooked, event);
  }
}

bool CPalMsgHandler::OnQueryNewPalette() {
  wxWindow* const hooked = GetHookedWindow();
  wxLogTrace(kTraceMask, "CPalMsgHandler::OnQueryNewPalette for %s", Describe(hooked));
  if (DoRealizePalette(true) != 0 || (hooked && hooked->GetParent())) return true;
  if (wxWindow* view = FindActiveView()) {
    wxQueryNewPaletteEvent event(view->GetId());
    event.SetEventObject(view);
    view->GetEventHandler()->ProcessEvent(event);
  }
  return true;
}

void CPalMsgHandler::OnSetFocus(wxWindow*) {
  wxWindow* const hooked = GetHookedWindow();
  wxLogTrace(kTraceMask, "CPalMsgHandler::OnSetFocus for %s", Describe(hooked));
  if (hooked) {
    auto* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(hooked));
    if (top && !top->IsActive()) top->Raise();
  }
  DoRealizePalette(true);
  Default();
}

int CPalMsgHandler::DoRealizePalette(bool foreground) {
  wxWindow* const hooked = GetHookedWindow();
  if (!m_pPalette || !m_pPalette->IsCreated() || !hooked) return 0;
  wxLogTrace(kTraceMask, "CPalMsgHandler::DoRealizePalette(%s) for %s", foreground ? "foreground" : "background",
             Describe(hooked));
  const int changed = RealizeForWindow(*m_pPalette, foreground);
  wxLogTrace(kTraceMask, "[%d colors changed]", changed);
  if (changed > 0) hooked->Refresh(false);
  return changed;
}

int CPalMsgHandler::RealizeForWindow(const CPalette& palette, bool foreground) {
  return RealizePalette(palette, foreground);
}

wxWindow* CPalMsgHandler::FindActiveView() const {
  auto* frame = dynamic_cast<wxFrame*>(GetHookedWindow());
  if (!frame) return nullptr;
  for (wxWindow* focus = wxWindow::FindFocus(); focus; focus = focus->GetParent())
    if (focus->GetParent() == frame && !IsBar(focus)) return focus;
  for (wxWindow* child : frame->GetChildren())
    if (!IsBar(child)) return child;
  return nullptr;
}
