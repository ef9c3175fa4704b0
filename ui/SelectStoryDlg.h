#pragma once
// The story selection dialog: the stories found in the stories folder, newest first or by name,
// the folder to look in with a folder browser, and a button that searches it again.
#include <functional>
#include <string>
#include <vector>

#include <wx/dialog.h>

#include "game/GameUi.h"
#include "ui/FolderBrowser.h"

class wxCheckBox;
class wxListBox;
class wxStaticText;
class wxTextCtrl;

class CSelectStoryDlg : public wxDialog {
 public:
  enum ControlId {
    IDC_STORY_LIST = 1000,
    IDC_SORT_BY_NAME = 1029,
    IDC_LIST_CAPTION = 1042,
    IDC_RELOAD = 1043,
    IDC_STORIES_PATH = 1044,
    IDC_BROWSE = 1045,
  };

  // How the "..." button asks for a folder; tests put a scripted one in place.
  using FolderBrowser =
      std::function<FolderBrowseResult(wxWindow* owner, const std::string& title, std::string& folder)>;

  // reporter receives the error boxes of a search.
  CSelectStoryDlg(wxWindow* parent, const StorySelection& selection, IStoryReporter* reporter);

  // The path, sort flag and story list as the dialog ended, the chosen line and its story's
  // name, and whether the list was searched again.
  const StorySelection& GetSelection() const { return m_selection; }

  void SetFolderBrowser(FolderBrowser browser) { m_browseForFolder = std::move(browser); }

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;
  void EndModal(int result) override;

 private:
  void CreateControls();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnSortClicked(wxCommandEvent& event);
  void OnReload(wxCommandEvent& event);
  void OnBrowse(wxCommandEvent& event);
  void OnDoubleClick(wxCommandEvent& event);
  void OnOK(wxCommandEvent& event);

  // Lists the stories in display order and names the order in the caption.
  void FillList();
  void SearchAgain();
  // The line the list has selected, -1 for none.
  int CurrentLine() const;

  StorySelection m_selection;  // the dialog's own list, path, flag and results
  IStoryReporter* m_reporter;
  std::vector<StoryEntry> m_shown;  // the stories in the order of the list's lines
  wxString m_shownPath;             // the path as the field was given it
  FolderBrowser m_browseForFolder;
  wxStaticText* m_labelCaption = nullptr;
  wxListBox* m_listStories = nullptr;
  wxCheckBox* m_checkSortByName = nullptr;
  wxTextCtrl* m_editPath = nullptr;
};
