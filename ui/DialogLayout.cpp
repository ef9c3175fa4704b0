#include "ui/DialogLayout.h"

#include <algorithm>

#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>
#include <wx/window.h>

namespace {

// Dialog units left free beyond a control that grew past the template's edge.
constexpr int kEdgeMargin = 4;

enum class Growth { None, Height, Width, Both };

// Which extents of a control follow the size of its text. Lists and drawing frames keep their
// template size; fields and drop-down lists only need the height of a line of text (their width
// is for the user's text); a group box needs the width of its caption.
Growth GrowthOf(const wxWindow* control) {
  if (dynamic_cast<const wxTextCtrl*>(control) || dynamic_cast<const wxChoice*>(control) ||
      dynamic_cast<const wxComboBox*>(control))
    return Growth::Height;
  if (dynamic_cast<const wxStaticBox*>(control)) return Growth::Width;
  if (dynamic_cast<const wxControl*>(control) && !control->GetLabel().empty()) return Growth::Both;
  return Growth::None;
}

}  // namespace

CDialogLayout::CDialogLayout(wxWindow* dialog) : m_dialog(dialog), m_farCorner(0, 0) {}

wxRect CDialogLayout::ToPixels(int x, int y, int width, int height) const {
  const wxPoint origin = m_dialog->ConvertDialogToPixels(wxPoint(x, y));
  const wxSize size = m_dialog->ConvertDialogToPixels(wxSize(width, height));
  return wxRect(origin, size);
}

void CDialogLayout::Place(wxWindow* control, int x, int y, int width, int height) {
  wxRect rect = ToPixels(x, y, width, height);
  const Growth growth = GrowthOf(control);
  if (growth != Growth::None) {
    const wxSize best = control->GetBestSize();
    if (growth == Growth::Both || growth == Growth::Width) rect.width = std::max(rect.width, best.x);
    if (growth == Growth::Both || growth == Growth::Height)
      rect.height = std::max(rect.height, best.y);
  }
  control->SetSize(rect);
  m_farCorner.x = std::max(m_farCorner.x, rect.GetRight() + 1);
  m_farCorner.y = std::max(m_farCorner.y, rect.GetBottom() + 1);
}

void CDialogLayout::SetClientSize(int width, int height) {
  wxSize size = m_dialog->ConvertDialogToPixels(wxSize(width, height));
  const wxSize margin = m_dialog->ConvertDialogToPixels(wxSize(kEdgeMargin, kEdgeMargin));
  if (m_farCorner.x > size.x) size.x = m_farCorner.x + margin.x;
  if (m_farCorner.y > size.y) size.y = m_farCorner.y + margin.y;
  m_dialog->SetClientSize(size);
}
