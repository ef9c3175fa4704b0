#include "ui/GameUi.h"

#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include "platform/TextEncoding.h"
#include "ui/AppMessage.h"
#include "ui/OptionsDlg.h"
#include "ui/SelectStoryDlg.h"
#include "ui/StoryErrorsDlg.h"
#include "ui/UnusedResourcesDlg.h"
#include "ui/ValidatingDlg.h"
#include "ui/VeskoGameView.h"

namespace {

wxString Display(const std::string& bytes) { return wxString::FromUTF8(platform::ToDisplayUtf8(bytes)); }

long IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return wxICON_ERROR;
    case MessageIcon::Warning:
    case MessageIcon::Exclamation:
      return wxICON_WARNING;
    case MessageIcon::Question:
      return wxICON_QUESTION;
    case MessageIcon::Information:
      break;
  }
  return wxICON_INFORMATION;
}

}  // namespace

CGameUi::~CGameUi() {
  while (m_busyDepth > 0) EndBusy();
  EndValidating();
}

void CGameUi::Attach(wxWindow* frame, CVeskoGameView* view) {
  m_frame = frame;
  m_view = view;
}

MessageAnswer CGameUi::ShowMessage(const std::string& text, MessageButtons buttons, MessageIcon icon) {
  const long buttonStyle = buttons == MessageButtons::YesNo ? wxYES_NO : wxOK;
  const int result = ShowAppMessage(m_frame, Display(text), buttonStyle | IconStyle(icon) | wxCENTRE);
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return result == wxID_YES ? MessageAnswer::Yes : MessageAnswer::No;
}

bool CGameUi::SelectStory(StorySelection& selection) {
  CSelectStoryDlg dialog(m_frame, selection, this);
  if (dialog.ShowModal() != wxID_OK) return false;
  selection = dialog.GetSelection();
  return true;
}

bool CGameUi::EditOptions(OptionsChoice& choice) {
  COptionsDlg dialog(m_frame, choice.Settings);
  if (dialog.ShowModal() != wxID_OK) return false;
  choice.Settings = dialog.GetSettings();
  choice.MusicDeviceChanged = dialog.MusicDeviceChanged();
  choice.SoundDeviceChanged = dialog.SoundDeviceChanged();
  return true;
}

void CGameUi::ShowUnusedResources(const CGameFile& story, const std::vector<std::string>& sounds,
                                  const std::vector<std::string>& pictures, const std::vector<std::string>& music) {
  CUnusedResourcesDlg dialog(m_frame, &story, sounds, pictures, music);
  dialog.ShowModal();
}

void CGameUi::BeginBusy() {
  ++m_busyDepth;
  wxBeginBusyCursor();
}

void CGameUi::EndBusy() {
  if (m_busyDepth == 0) return;
  --m_busyDepth;
  wxEndBusyCursor();
}

void CGameUi::UpdateAllViews() {
  if (m_view) m_view->OnUpdate();
}

void CGameUi::StartAnimationTimer(uint32_t intervalMs) {
  if (m_view) m_view->StartAnimationTimer(intervalMs);
}

void CGameUi::StopAnimationTimer() {
  if (m_view) m_view->StopAnimationTimer();
}

void CGameUi::ShowErrorBox(const std::string& text) { ShowMessage(text, MessageButtons::Ok, MessageIcon::Error); }

void CGameUi::ShowWarningBox(const std::string& text) { ShowMessage(text, MessageButtons::Ok, MessageIcon::Warning); }

void CGameUi::BeginValidating() {
  EndValidating();
  m_validating = new CValidatingDlg(m_frame);
  // Let the notice appear before the work starts. Only drawing is done meanwhile: input,
  // timers and posted work wait until the validation is over.
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
}

void CGameUi::EndValidating() {
  if (!m_validating) return;
  m_validating->Destroy();
  m_validating = nullptr;
}

void CGameUi::ShowStoryErrors(const std::string& storyName, const std::vector<std::string>& lines) {
  CStoryErrorsDlg dialog(m_frame);
  dialog.m_strStory = storyName;
  dialog.m_errors = lines;
  dialog.ShowModal();
}
