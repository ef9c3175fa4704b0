#pragma once
// The windows registered for mouse-over detection, and the tracking that tells them when the
// pointer is over them (EVT_MOUSE_OVER) and when it has left (EVT_MOUSE_LEFT).
#include <vector>

#include <wx/gdicmn.h>

class wxWindow;

struct StructMouseOver {
  wxWindow* pWnd;
  // 0 while the pointer was last seen over the window; 1 once the mouse-left notice has been
  // sent; 2 when registered and not yet entered.
  int nState;
};

class CMouseOverList {
 public:
  // Appends window unless it is registered already.
  void Register(wxWindow* window);
  // Removes the window's record, if there is one.
  void Unregister(wxWindow* window);

  // The pointer is at screenPoint over windowUnderPointer (none when no window of the program
  // is there): the window under the pointer hears that it is, every other window the pointer
  // was over hears once that it has left.
  void Track(wxWindow* windowUnderPointer, const wxPoint& screenPoint);

  const std::vector<StructMouseOver>& Records() const { return m_records; }

 private:
  std::vector<StructMouseOver> m_records;
};

// The window that the pointer at screenPoint is over, as mouse-over tracking sees it: hidden
// and disabled windows are passed over, and option texts let the pointer through to the
// window beneath them. None when no window of the program lies there.
wxWindow* WindowFromPoint(const wxPoint& screenPoint);
