#pragma once
// The media files of the story that no scene uses, by kind, with buttons to take the inventory
// again and to move the files to the trash.
#include <string>
#include <vector>

#include <wx/dialog.h>

class CGameFile;
class wxListCtrl;

class CUnusedResourcesDlg : public wxDialog {
 public:
  enum ControlId { IDC_RESOURCE_LIST = 1027, IDC_REFRESH = 1028, IDC_DELETE = 1029 };
  // The item value of the rows that mark the groups.
  static constexpr long kMarkerRow = -1;

  // story may be none: Refresh and Delete then do nothing.
  CUnusedResourcesDlg(wxWindow* parent, const CGameFile* story, std::vector<std::string> sounds,
                      std::vector<std::string> pictures, std::vector<std::string> music);

 private:
  void CreateControls();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnRefresh(wxCommandEvent& event);
  void OnDelete(wxCommandEvent& event);

  void FillList();
  void AddRow(const std::string& text, bool isMarker);
  void TakeInventory();

  const CGameFile* m_pGameFile;
  std::vector<std::string> m_sounds;
  std::vector<std::string> m_pictures;
  std::vector<std::string> m_music;
  wxListCtrl* m_listResources = nullptr;
};
