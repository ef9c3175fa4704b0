#pragma once
// The small notice shown while a story is validated. It appears at once, centred on its parent,
// and stays until the caller destroys it.
#include <wx/dialog.h>

class CValidatingDlg : public wxDialog {
 public:
  explicit CValidatingDlg(wxWindow* parent);
};
