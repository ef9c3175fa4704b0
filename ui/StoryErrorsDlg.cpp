#include "ui/StoryErrorsDlg.h"

#include <cerrno>

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "platform/SystemError.h"
#include "platform/TextEncoding.h"
#include "ui/AppMessage.h"
#include "ui/DialogLayout.h"

namespace {

// The system's description of the error that made the clipboard fail.
wxString LastErrorText(int code) {
  std::string text = code != 0 ? platform::SystemErrorText(code) : std::string();
  if (text.empty()) text = "Unknown error code: " + std::to_string(code);
  return wxString::FromUTF8(text);
}

}  // namespace

CStoryErrorsDlg::CStoryErrorsDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Story Errors", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
  CreateControls();
  Bind(wxEVT_INIT_DIALOG, &CStoryErrorsDlg::OnInitDialog, this);
  Bind(wxEVT_BUTTON, &CStoryErrorsDlg::OnCopyList, this, IDC_COPY_LIST);
}

void CStoryErrorsDlg::CreateControls() {
  CDialogLayout layout(this);
  layout.Place(new wxStaticText(this, wxID_ANY, "Errors in"), 7, 7, 31, 9);
  m_labelStory = new wxStaticText(this, IDC_STORY_NAME, wxString(), wxDefaultPosition,
                                  wxDefaultSize, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
  layout.Place(m_labelStory, 40, 7, 260, 9);
  m_listErrors = new wxListCtrl(this, IDC_ERROR_LIST, wxDefaultPosition, wxDefaultSize,
                                wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
  layout.Place(m_listErrors, 7, 19, 293, 92);
  layout.Place(new wxButton(this, IDC_COPY_LIST, "Copy List To Clipboard"), 150, 117, 96, 16);
  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetDefault();
  layout.Place(ok, 250, 117, 50, 16);
  layout.SetClientSize(307, 138);
}

void CStoryErrorsDlg::OnInitDialog(wxInitDialogEvent&) {
  m_listErrors->InsertColumn(0, wxString(), wxLIST_FORMAT_LEFT, 2 * m_listErrors->GetSize().x);
  for (const std::string& error : m_errors)
    m_listErrors->InsertItem(0, wxString::FromUTF8(platform::ToDisplayUtf8(error)));
  TransferDataToWindow();
}

bool CStoryErrorsDlg::TransferDataToWindow() {
  const wxString name = wxString::FromUTF8(platform::ToDisplayUtf8(m_strStory));
  m_labelStory->SetLabelText(name);
  m_labelStory->SetToolTip(name);
  return true;
}

std::string CStoryErrorsDlg::ClipboardText() const {
  std::string text = "Story \"" + platform::ToDisplayUtf8(m_strStory) + "\"\r\n";
  for (const std::string& error : m_errors) text += platform::ToDisplayUtf8(error) + "\r\n";
  return text;
}

bool CStoryErrorsDlg::PutOnClipboard(const std::string& text, wxString& error) {
  errno = 0;
  if (!wxTheClipboard->Open()) {
    error = LastErrorText(errno);
    return false;
  }
  wxTheClipboard->Clear();
  const bool copied = wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
  const int code = errno;
  wxTheClipboard->Close();
  // Hands the text to the desktop's clipboard manager, so it outlives the player.
  if (copied) wxTheClipboard->Flush();
  if (!copied) error = LastErrorText(code);
  return copied;
}

void CStoryErrorsDlg::OnCopyList(wxCommandEvent&) {
  wxString error;
  bool copied;
  {
    wxBusyCursor busy;
    copied = PutOnClipboard(ClipboardText(), error);
  }
  if (!copied) ShowAppMessage(this, "Unable to copy text to clipboard: " + error, wxOK | wxICON_ERROR);
}
