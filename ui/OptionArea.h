#pragma once
// The text of one option beside its button in the scene view. It highlights itself while the
// pointer is over it and lets mouse clicks through to the view, which chooses the option.
#include <wx/font.h>
#include <wx/window.h>

class COptionArea : public wxWindow {
 public:
  // Created hidden, at position with the given width; the height is two lines of its font.
  COptionArea(wxWindow* parent, wxWindowID id, const wxPoint& position, int width);

  // The pointer is at point (the parent's client coordinates): the area highlights itself
  // when the point lies inside it and repaints when that changes. Returns whether it does.
  bool UpdateHover(const wxPoint& point);
  bool IsHover() const { return m_bHover; }
  // The area's height at 1×.
  int GetAreaHeight() const { return m_nHeight; }
  // Draws the text zoom times as large (1 to 4), lines at zoom times their distance at 1×;
  // the view sizes the area.
  void SetZoom(int zoom);

  void SetLabel(const wxString& label) override;
  // A hidden text is under no pointer: it loses its highlight, and shows again without it.
  bool Show(bool show = true) override;
  bool AcceptsFocus() const override { return false; }
  bool AcceptsFocusFromKeyboard() const override { return false; }

  // Paints the area onto dc, as the paint handler does.
  void Render(wxDC& dc);

 private:
  void OnPaint(wxPaintEvent& event);
  void PassMouseToParent(wxMouseEvent& event);

  wxFont m_font;
  int m_nHeight = 0;
  int m_zoom = 1;
  bool m_bHover = false;
};
