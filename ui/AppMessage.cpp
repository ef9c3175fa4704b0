#include "ui/AppMessage.h"

#include <wx/msgdlg.h>

#include "res/StringIds.h"
#include "res/StringTable.h"

wxString AppTitle() {
  return wxString::FromUTF8(res::LoadStringOr(res::IDS_APP_TITLE, "Fablewick"));
}

int ShowAppMessage(wxWindow* parent, const wxString& text, long style) {
  wxMessageDialog box(parent, text, AppTitle(), style);
  return box.ShowModal();
}
