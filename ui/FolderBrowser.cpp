#include "ui/FolderBrowser.h"

#include <wx/dirdlg.h>
#include <wx/filefn.h>

FolderBrowseResult BrowseForFolder(wxWindow* owner, const std::string& title, std::string& folder) {
  const wxString caption = title.empty() ? wxString("Please Select a Directory") : wxString::FromUTF8(title);
  const wxString start = wxString::FromUTF8(folder);
  wxDirDialog dialog(owner, caption, wxDirExists(start) ? start : wxString(),
                     wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return FolderBrowseResult::Cancelled;
  const wxString chosen = dialog.GetPath();
  if (chosen.empty()) return FolderBrowseResult::Cancelled;
  folder = chosen.utf8_string();
  return FolderBrowseResult::Chosen;
}
