#include "ui/MyButton.h"

#include <algorithm>
#include <vector>

CMyButton::CMyButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& position,
                     const wxSize& size)
    : wxButton(parent, id, label, position, size) {
  Bind(wxEVT_KEY_DOWN, &CMyButton::OnKeyDown, this);
}

void CMyButton::OnKeyDown(wxKeyEvent& event) {
  if (!GetParent()) {
    event.Skip();
    return;
  }
  switch (event.GetKeyCode()) {
    case WXK_TAB:
      MoveFocus(!event.ShiftDown());
      break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER: {
      wxCommandEvent command(wxEVT_BUTTON, GetId());
      command.SetEventObject(this);
      GetParent()->GetEventHandler()->ProcessEvent(command);
      break;
    }
    default:
      event.Skip();
  }
}

void CMyButton::MoveFocus(bool forward) {
  const wxWindowList& siblings = GetParent()->GetChildren();
  std::vector<wxWindow*> order(siblings.begin(), siblings.end());
  if (!forward) std::reverse(order.begin(), order.end());
  const auto self = std::find(order.begin(), order.end(), this);
  if (self == order.end()) return;
  // Walk on from this button, round the end, until back at it. When no other window takes
  // the focus it stays here.
  const size_t start = static_cast<size_t>(self - order.begin());
  for (size_t step = 1; step < order.size(); ++step) {
    wxWindow* candidate = order[(start + step) % order.size()];
    if (candidate->IsShown() && candidate->AcceptsFocusFromKeyboard()) {
      candidate->SetFocus();
      return;
    }
  }
}
