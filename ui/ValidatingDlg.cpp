#include "ui/ValidatingDlg.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/stattext.h>

#include "ui/DialogLayout.h"

CValidatingDlg::CValidatingDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
               wxBORDER_RAISED | wxFRAME_NO_TASKBAR | (parent ? wxFRAME_FLOAT_ON_PARENT : 0)) {
  CDialogLayout layout(this);
  auto* notice = new wxStaticText(this, wxID_ANY, "Validating story...", wxDefaultPosition,
                                  wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
  layout.Place(notice, 0, 0, 86, 13);
  layout.SetClientSize(86, 13);
  CentreOnParent();
  Show();
  // Validation keeps the program busy: let the notice paint before it starts.
  Update();
  if (wxTheApp) wxTheApp->SafeYieldFor(this, wxEVT_CATEGORY_UI);
}
