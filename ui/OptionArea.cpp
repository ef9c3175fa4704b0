#include "ui/OptionArea.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

#include "ui/TextLayout.h"

COptionArea::COptionArea(wxWindow* parent, wxWindowID id, const wxPoint& position, int width)
    : m_font(wxFontInfo(9).FaceName("Arial").Bold()) {
  Hide();
  Create(parent, id, position, wxSize(width, 1), wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE);
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  wxBitmap scratch(1, 1);
  wxMemoryDC dc(scratch);
  dc.SetFont(m_font);
  m_nHeight = 2 * LineHeightOf(dc);
  SetSize(position.x, position.y, width, m_nHeight);
  Bind(wxEVT_PAINT, &COptionArea::OnPaint, this);
  for (const wxEventTypeTag<wxMouseEvent>& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,
                           wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_MOTION})
    Bind(type, &COptionArea::PassMouseToParent, this);
}

bool COptionArea::UpdateHover(const wxPoint& point) {
  const bool inside = GetRect().Contains(point);
  if (inside != m_bHover) {
    m_bHover = inside;
    Refresh(false);
    Update();
  }
  return inside;
}

void COptionArea::SetLabel(const wxString& label) {
  if (label == GetLabel()) return;
  wxWindow::SetLabel(label);
  Refresh(false);
}

bool COptionArea::Show(bool show) {
  if (!show) m_bHover = false;
  return wxWindow::Show(show);
}

void COptionArea::SetZoom(int zoom) {
  m_zoom = zoom;
  Refresh(false);
}

void COptionArea::Render(wxDC& dc) {
  const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  dc.SetBackground(wxBrush(window));
  dc.Clear();
  const int lineHeight = SelectZoomedFont(dc, m_font, m_zoom);
  wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
  wxColour textBackground = window;
  if (m_bHover) {
    text = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    if (window == text) textBackground = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
  }
  dc.SetTextForeground(text);
  dc.SetTextBackground(textBackground);
  dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
  DrawWrappedText(dc, GetLabel(), wxRect(GetClientSize()), TextAlign::Left, 0, lineHeight);
}

void COptionArea::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  Render(dc);
}

void COptionArea::PassMouseToParent(wxMouseEvent& event) {
  wxWindow* parent = GetParent();
  if (!parent) return;
  wxMouseEvent passed(event);
  passed.SetEventObject(parent);
  passed.SetId(parent->GetId());
  passed.SetPosition(event.GetPosition() + GetPosition());
  parent->GetEventHandler()->ProcessEvent(passed);
}
