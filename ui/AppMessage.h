#pragma once
// Message boxes of the dialogs, captioned with the program's title.
#include <wx/string.h>

class wxWindow;

// Shows text with the buttons and icon of style (wxOK, wxYES_NO, wxICON_...) over parent and
// returns the button pressed (wxID_OK, wxID_YES, wxID_NO).
int ShowAppMessage(wxWindow* parent, const wxString& text, long style);

// The program's title, the caption of its message boxes.
wxString AppTitle();
