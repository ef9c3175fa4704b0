#pragma once
// The list of the errors found in a story, with a button that copies the list to the clipboard.
#include <string>
#include <vector>

#include <wx/dialog.h>

class wxListCtrl;
class wxStaticText;

class CStoryErrorsDlg : public wxDialog {
 public:
  enum ControlId { IDC_ERROR_LIST = 1030, IDC_STORY_NAME = 1031, IDC_COPY_LIST = 1032 };

  explicit CStoryErrorsDlg(wxWindow* parent);

  // The list as the clipboard receives it: the story line, then every error in the order of
  // m_errors, each line ended by CR LF.
  std::string ClipboardText() const;

  bool TransferDataToWindow() override;

  wxListCtrl* m_listErrors = nullptr;
  std::string m_strStory;             // bytes, shown as text
  std::vector<std::string> m_errors;  // bytes, one error line each

 protected:
  // Puts text on the clipboard; false with the system's description in error when it fails.
  virtual bool PutOnClipboard(const std::string& text, wxString& error);

 private:
  void CreateControls();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnCopyList(wxCommandEvent& event);

  wxStaticText* m_labelStory = nullptr;
};
