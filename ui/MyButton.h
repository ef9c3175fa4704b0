#pragma once
// A text button of the start and title pages that the keyboard can reach: Tab and Shift+Tab
// move the focus to the next or previous visible sibling that takes the focus from the
// keyboard (around the end), and Enter presses the button for its parent.
#include <wx/button.h>

class CMyButton : public wxButton {
 public:
  CMyButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& position, const wxSize& size);

 private:
  void OnKeyDown(wxKeyEvent& event);
  void MoveFocus(bool forward);
};
