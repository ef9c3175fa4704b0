#pragma once
// Places a dialog's controls the way the dialog templates describe them: positions and sizes in
// dialog units (a quarter of the average character width, an eighth of the character height of
// the dialog's font), converted with the toolkit's dialog-unit conversion. The desktop's theme
// may draw a control's text larger than its template rectangle allows; such a control grows to
// the size its text needs, and the dialog grows to hold every control.
#include <wx/gdicmn.h>

class wxWindow;

class CDialogLayout {
 public:
  explicit CDialogLayout(wxWindow* dialog);

  // A rectangle in dialog units as pixels of the dialog's client area.
  wxRect ToPixels(int x, int y, int width, int height) const;

  // Moves control to its template rectangle, grown where its text needs more room.
  void Place(wxWindow* control, int x, int y, int width, int height);

  // Gives the dialog a client area of width by height dialog units, grown where placed
  // controls reach beyond it.
  void SetClientSize(int width, int height);

 private:
  wxWindow* m_dialog;
  wxPoint m_farCorner;  // the right and bottom edges of every placed control, in pixels
};
