#include "ui/GameUi.h"

#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "platform/TextEncoding.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/UnusedResourcesDlg.h"
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
  wxMessageDialog dialog(m_frame, Display(text), wxString::FromUTF8(res::LoadStringOr(res::IDS_APP_TITLE, "Fablewick")),
                         buttonStyle | IconStyle(icon) | wxCENTRE);
  const int result = dialog.ShowModal();
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return result == wxID_YES ? MessageAnswer::Yes : MessageAnswer::No;
}

bool CGameUi::SelectStory(StorySelection&) {
  // The story selection dialog comes with the dialogs.
  return false;
}

bool CGameUi::EditOptions(OptionsChoice&) {
  // The Options dialog comes with the dialogs.
  return false;
}

void CGameUi::ShowUnusedResources(const CGameFile& story, const std::vector<std::string>& sounds,
                                  const std::vector<std::string>& pictures,
                                  const std::vector<std::string>& music) {
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

void CGameUi::BeginValidating() {}

void CGameUi::EndValidating() {}

void CGameUi::ShowStoryErrors(const std::string&, const std::vector<std::string>&) {}
