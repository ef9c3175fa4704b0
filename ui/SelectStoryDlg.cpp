#include "ui/SelectStoryDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "game/StoryLibrary.h"
#include "platform/TextEncoding.h"
#include "ui/DialogLayout.h"

namespace {

const char kBrowseTitle[] = "Select Path With Stories";

wxString DisplayText(const std::string& bytes) {
  return wxString::FromUTF8(platform::ToDisplayUtf8(bytes));
}

}  // namespace

CSelectStoryDlg::CSelectStoryDlg(wxWindow* parent, const StorySelection& selection,
                                 IStoryReporter* reporter)
    : wxDialog(parent, wxID_ANY, "Select an Adventure to Play"),
      m_selection(selection),
      m_reporter(reporter),
      m_browseForFolder(BrowseForFolder) {
  m_selection.SearchedAgain = false;
  m_selection.SelectedLine = -1;
  m_selection.SelectedName.clear();
  CreateControls();
  Bind(wxEVT_INIT_DIALOG, &CSelectStoryDlg::OnInitDialog, this);
  Bind(wxEVT_CHECKBOX, &CSelectStoryDlg::OnSortClicked, this, IDC_SORT_BY_NAME);
  Bind(wxEVT_BUTTON, &CSelectStoryDlg::OnReload, this, IDC_RELOAD);
  Bind(wxEVT_BUTTON, &CSelectStoryDlg::OnBrowse, this, IDC_BROWSE);
  Bind(wxEVT_BUTTON, &CSelectStoryDlg::OnOK, this, wxID_OK);
  Bind(wxEVT_LISTBOX_DCLICK, &CSelectStoryDlg::OnDoubleClick, this, IDC_STORY_LIST);
}

void CSelectStoryDlg::CreateControls() {
  CDialogLayout layout(this);
  m_labelCaption = new wxStaticText(this, IDC_LIST_CAPTION, "&Stories (Newest at top):");
  layout.Place(m_labelCaption, 7, 7, 152, 9);
  m_listStories = new wxListBox(this, IDC_STORY_LIST, wxDefaultPosition, wxDefaultSize, 0,
                                nullptr, wxLB_SINGLE | wxLB_ALWAYS_SB);
  layout.Place(m_listStories, 7, 18, 152, 108);
  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetDefault();
  layout.Place(ok, 166, 18, 52, 16);
  layout.Place(new wxButton(this, wxID_CANCEL, "Cancel"), 166, 38, 52, 16);
  layout.Place(new wxButton(this, IDC_RELOAD, "&Reload"), 166, 64, 52, 16);
  layout.Place(new wxStaticText(this, wxID_ANY, "&Location to look in for stories:"), 7, 132, 200, 9);
  m_editPath = new wxTextCtrl(this, IDC_STORIES_PATH, wxString(), wxDefaultPosition, wxDefaultSize,
                              wxTE_DONTWRAP);
  layout.Place(m_editPath, 7, 143, 152, 16);
  layout.Place(new wxButton(this, IDC_BROWSE, "..."), 166, 143, 52, 16);
  m_checkSortByName = new wxCheckBox(this, IDC_SORT_BY_NAME, "&Sort list by name");
  layout.Place(m_checkSortByName, 7, 165, 150, 12);
  layout.SetClientSize(224, 184);
}

bool CSelectStoryDlg::TransferDataToWindow() {
  m_shownPath = DisplayText(m_selection.StoriesPath);
  m_editPath->ChangeValue(m_shownPath);
  m_checkSortByName->SetValue(m_selection.SortByName);
  return true;
}

bool CSelectStoryDlg::TransferDataFromWindow() {
  const wxString typed = m_editPath->GetValue();
  // The path keeps its own bytes unless the user changed the text.
  if (typed != m_shownPath) {
    m_selection.StoriesPath = typed.utf8_string();
    m_shownPath = typed;
  }
  m_selection.SortByName = m_checkSortByName->GetValue();
  return true;
}

void CSelectStoryDlg::OnInitDialog(wxInitDialogEvent&) {
  TransferDataToWindow();
  FillList();
  const int line = m_selection.InitialSelection < 0 ? 0 : m_selection.InitialSelection;
  if (line < static_cast<int>(m_listStories->GetCount())) m_listStories->SetSelection(line);
}

void CSelectStoryDlg::FillList() {
  m_listStories->Clear();
  m_shown = SortStoriesForDisplay(m_selection.Stories, m_selection.SortByName);
  wxArrayString lines;
  for (const StoryEntry& entry : m_shown) lines.Add(DisplayText(entry.Name));
  if (!lines.empty()) m_listStories->Append(lines);
  m_labelCaption->SetLabel(m_selection.SortByName ? "&Stories (in alphabetical order):"
                                                  : "&Stories (newest at top):");
}

void CSelectStoryDlg::SearchAgain() {
  {
    wxBusyCursor busy;
    SearchStories(m_selection.Stories, m_selection.StoriesPath, m_reporter);
  }
  FillList();
  m_selection.SearchedAgain = true;
}

void CSelectStoryDlg::OnSortClicked(wxCommandEvent&) {
  TransferDataFromWindow();
  FillList();
}

void CSelectStoryDlg::OnReload(wxCommandEvent&) {
  TransferDataFromWindow();
  SearchAgain();
}

void CSelectStoryDlg::OnBrowse(wxCommandEvent&) {
  TransferDataFromWindow();
  std::string folder = m_selection.StoriesPath;
  if (m_browseForFolder(this, kBrowseTitle, folder) != FolderBrowseResult::Chosen) return;
  m_selection.StoriesPath = folder;
  TransferDataToWindow();
  SearchAgain();
}

void CSelectStoryDlg::OnDoubleClick(wxCommandEvent&) {
  if (CurrentLine() >= 0) EndModal(wxID_OK);
}

void CSelectStoryDlg::OnOK(wxCommandEvent&) {
  TransferDataFromWindow();
  EndModal(wxID_OK);
}

int CSelectStoryDlg::CurrentLine() const {
  const int line = m_listStories->GetSelection();
  return line == wxNOT_FOUND ? -1 : line;
}

void CSelectStoryDlg::EndModal(int result) {
  m_selection.SelectedLine = CurrentLine();
  m_selection.SelectedName.clear();
  if (m_selection.SelectedLine >= 0 && m_selection.SelectedLine < static_cast<int>(m_shown.size()))
    m_selection.SelectedName = m_shown[m_selection.SelectedLine].Name;
  wxDialog::EndModal(result);
}
