#pragma once
// A picture button drawn by the program: one picture for each state (normal, pressed,
// focused, disabled). The colour of each picture's top-left corner, and every pixel of that
// colour connected to it, shows the window colour instead, so round buttons sit on the page.
// A click sends EVT_BUTTON with the button's id to the parent; the button never takes the
// keyboard focus.
#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/window.h>

#include "picture/Palette.h"

class CMyBitmapButton : public wxWindow {
 public:
  // Created hidden; text names the button (it is not shown).
  CMyBitmapButton(wxWindow* parent, wxWindowID id, const wxString& text, const wxPoint& position);

  // Loads the pictures from the program's bitmap resources (0: none) and builds the button's
  // palette from the normal one. False when the normal or a named picture cannot be loaded;
  // the button then has no pictures and draws nothing.
  bool LoadBitmaps(unsigned normalId, unsigned selectedId = 0, unsigned focusedId = 0, unsigned disabledId = 0);
  // Makes the button the size of its normal picture.
  void SizeToContent();
  // Shows the pictures zoom times as large (1 to 4), pixels as blocks; size the button after.
  void SetZoom(int zoom);

  bool IsPressed() const { return m_pressed; }
  const CPalette& GetPalette() const { return m_pal; }

  // Paints the button onto dc, as the paint handler does.
  void Render(wxDC& dc);

  bool AcceptsFocus() const override { return false; }
  bool AcceptsFocusFromKeyboard() const override { return false; }

 private:
  // The picture for the button's state: pressed, else focused, else normal (or disabled).
  const wxBitmap* ChooseBitmap() const;
  void SetPressed(bool pressed);

  void OnPaint(wxPaintEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);

  wxBitmap m_pictures[4];  // normal, selected, focused, disabled, as loaded
  wxBitmap m_bitmaps[4];   // the same at the zoom shown
  int m_zoom = 1;
  CPalette m_pal;
  bool m_pressed = false;
};

// Fills pixel (x, y) of image and every pixel of the same colour connected to it (through
// its four neighbours) with colour.
void FloodFill(wxImage& image, int x, int y, const wxColour& colour);
