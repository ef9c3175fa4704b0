#include "ui/UnusedResourcesDlg.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "platform/TextEncoding.h"
#include "story/GameFile.h"
#include "ui/AppMessage.h"
#include "ui/DialogLayout.h"

CUnusedResourcesDlg::CUnusedResourcesDlg(wxWindow* parent, const CGameFile* story,
                                         std::vector<std::string> sounds,
                                         std::vector<std::string> pictures,
                                         std::vector<std::string> music)
    : wxDialog(parent, wxID_ANY, "Unused Resources"),
      m_pGameFile(story),
      m_sounds(std::move(sounds)),
      m_pictures(std::move(pictures)),
      m_music(std::move(music)) {
  CreateControls();
  Bind(wxEVT_INIT_DIALOG, &CUnusedResourcesDlg::OnInitDialog, this);
  Bind(wxEVT_BUTTON, &CUnusedResourcesDlg::OnRefresh, this, IDC_REFRESH);
  Bind(wxEVT_BUTTON, &CUnusedResourcesDlg::OnDelete, this, IDC_DELETE);
}

void CUnusedResourcesDlg::CreateControls() {
  CDialogLayout layout(this);
  layout.Place(new wxStaticText(this, wxID_ANY, "Unused Resources:"), 7, 7, 64, 8);
  m_listResources = new wxListCtrl(this, IDC_RESOURCE_LIST, wxDefaultPosition, wxDefaultSize,
                                   wxLC_REPORT | wxLC_NO_HEADER | wxBORDER_SUNKEN | wxTAB_TRAVERSAL);
  layout.Place(m_listResources, 7, 17, 86, 135);
  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetDefault();
  layout.Place(ok, 99, 17, 50, 14);
  layout.Place(new wxButton(this, IDC_REFRESH, "Refresh"), 99, 36, 50, 14);
  layout.Place(new wxButton(this, IDC_DELETE, "Delete"), 99, 55, 50, 14);
  layout.SetClientSize(156, 159);
}

void CUnusedResourcesDlg::OnInitDialog(wxInitDialogEvent&) {
  wxBusyCursor busy;
  const int width = m_listResources->GetClientSize().x - wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
  m_listResources->InsertColumn(0, wxString(), wxLIST_FORMAT_LEFT, std::max(width, 0));
  FillList();
}

void CUnusedResourcesDlg::AddRow(const std::string& text, bool isMarker) {
  const long row = m_listResources->GetItemCount();
  m_listResources->InsertItem(row, wxString::FromUTF8(platform::ToDisplayUtf8(text)));
  m_listResources->SetItemData(row, isMarker ? kMarkerRow : row);
}

void CUnusedResourcesDlg::FillList() {
  m_listResources->DeleteAllItems();
  AddRow("------- Sounds -------", true);
  for (const std::string& name : m_sounds) AddRow(name, false);
  AddRow("------- Images -------", true);
  for (const std::string& name : m_pictures) AddRow(name, false);
  AddRow("------- Music -------", true);
  for (const std::string& name : m_music) AddRow(name, false);
  AddRow("------- END -------", true);
  m_listResources->Refresh();
}

void CUnusedResourcesDlg::TakeInventory() {
  wxBusyCursor busy;
  m_pGameFile->FindUnusedResources(m_sounds, m_pictures, m_music);
  FillList();
}

void CUnusedResourcesDlg::OnRefresh(wxCommandEvent&) {
  if (m_pGameFile) TakeInventory();
}

void CUnusedResourcesDlg::OnDelete(wxCommandEvent&) {
  if (!m_pGameFile) return;
  if (ShowAppMessage(this, "Delete all unused resources from the story?", wxYES_NO | wxICON_QUESTION) !=
      wxID_YES)
    return;
  std::vector<RecycleOutcome> outcomes;
  {
    wxBusyCursor busy;
    outcomes = m_pGameFile->DeleteUnusedResources(m_sounds, m_pictures, m_music);
  }
  TakeInventory();
  const bool allMoved = CountMoved(outcomes) == outcomes.size();
  ShowAppMessage(this, wxString::FromUTF8(platform::ToDisplayUtf8(DescribeRecycling(outcomes))),
                 wxOK | (allMoved ? wxICON_INFORMATION : wxICON_WARNING));
}
