#include "ui/MouseOverList.h"

#include <algorithm>

#include <wx/utils.h>
#include <wx/window.h>

#include "ui/MouseOverEvent.h"
#include "ui/OptionArea.h"

wxDEFINE_EVENT(EVT_MOUSE_OVER, CMouseOverEvent);
wxDEFINE_EVENT(EVT_MOUSE_LEFT, CMouseOverEvent);

namespace {

void Send(wxWindow* window, wxEventType type, const wxPoint& point) {
  CMouseOverEvent event(type, point);
  event.SetEventObject(window);
  window->GetEventHandler()->ProcessEvent(event);
}

bool LetsPointerThrough(const wxWindow* window) {
  return !window->IsShown() || !window->IsEnabled() || dynamic_cast<const COptionArea*>(window);
}

}  // namespace

void CMouseOverList::Register(wxWindow* window) {
  auto found = std::find_if(m_records.begin(), m_records.end(),
                            [window](const StructMouseOver& record) { return record.pWnd == window; });
  if (found == m_records.end()) m_records.push_back({window, 2});
}

void CMouseOverList::Unregister(wxWindow* window) {
  auto found = std::find_if(m_records.begin(), m_records.end(),
                            [window](const StructMouseOver& record) { return record.pWnd == window; });
  if (found != m_records.end()) m_records.erase(found);
}

void CMouseOverList::Track(wxWindow* windowUnderPointer, const wxPoint& screenPoint) {
  // A notice may make its window unregister; the loop looks the list up afresh each time.
  for (size_t i = 0; i < m_records.size(); ++i) {
    StructMouseOver& record = m_records[i];
    wxWindow* const window = record.pWnd;
    if (window == windowUnderPointer) {
      record.nState = 0;
      Send(window, EVT_MOUSE_OVER, window->ScreenToClient(screenPoint));
    } else if (record.nState == 0) {
      record.nState = 1;
      Send(window, EVT_MOUSE_LEFT, wxPoint(0, 0));
    }
  }
}

wxWindow* WindowFromPoint(const wxPoint& screenPoint) {
  wxWindow* window = wxFindWindowAtPoint(screenPoint);
  while (window && LetsPointerThrough(window)) window = window->GetParent();
  return window;
}
