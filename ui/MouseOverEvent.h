#pragma once
// The two notices of the application's mouse-over tracking: the pointer is over a registered
// window (with the point in that window's client coordinates), or it has left it.
#include <wx/event.h>
#include <wx/gdicmn.h>

class CMouseOverEvent : public wxEvent {
 public:
  CMouseOverEvent(wxEventType type, const wxPoint& point) : wxEvent(0, type), m_point(point) {}
  // Client coordinates of the pointer; (0, 0) for the mouse-left notice.
  const wxPoint& GetPoint() const { return m_point; }
  wxEvent* Clone() const override { return new CMouseOverEvent(*this); }

 private:
  wxPoint m_point;
};

wxDECLARE_EVENT(EVT_MOUSE_OVER, CMouseOverEvent);
wxDECLARE_EVENT(EVT_MOUSE_LEFT, CMouseOverEvent);
