#include "tests/ui/PlayerFixture.h"

#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "tests/support/TestPictures.h"
#include "ui/GameMenu.h"
#include "ui/MyButton.h"

bool CTestGameUi::SelectStory(StorySelection& selection) {
  ++SelectStoryCalls;
  if (UseStoryDialog) return CGameUi::SelectStory(selection);
  for (size_t i = 0; i < selection.Stories.size(); ++i) {
    if (selection.Stories[i].Name == StoryToChoose) {
      selection.SelectedLine = static_cast<int>(i);
      selection.SelectedName = StoryToChoose;
      return true;
    }
  }
  return false;
}

int CDialogAnswers::Enter(wxDialog* dialog) {
  const bool messageBox = dynamic_cast<wxMessageDialogBase*>(dialog) != nullptr;
  if (!messageBox && !AlsoAnswer(dialog)) return wxID_NONE;
  Shown shown{dialog->GetTitle(), dialog->GetTitle(), 0};
  if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
    shown.Message = box->GetMessage();
    shown.Caption = box->GetCaption();
    shown.Style = box->GetMessageDialogStyle();
  }
  Dialogs.push_back(shown);
  if (Answers.empty()) return messageBox ? wxID_OK : wxID_CANCEL;
  const int answer = Answers.front();
  Answers.pop_front();
  return answer;
}

void PlayerFixture::SetUp() {
  testing_support::MakeFolders(StoriesDir());
  m_ownedStore = std::make_unique<CSettingsStore>(m_dir / "Fablewick.conf");
  m_store = m_ownedStore.get();
  m_store->WriteString(kSettingsSection, "StoriesPath", StoriesDir() + "/");
  // The view at its own size, whatever the display; the zoom tests choose theirs.
  m_store->WriteInt(kSettingsSection, "Zoom", 1);
}

void PlayerFixture::TearDown() {
  if (App().GetMainFrame()) ClosePlayer();
}

void PlayerFixture::StartPlayer() {
  auto ui = std::make_unique<CTestGameUi>();
  m_ui = ui.get();
  ASSERT_TRUE(App().StartUp(std::move(m_ownedStore), std::move(ui)));
  ASSERT_TRUE(PumpUntil([&] { return Frame().IsShownOnScreen(); }));
  Pump();
}

void PlayerFixture::ClosePlayer() {
  if (CMainFrame* frame = App().GetMainFrame()) frame->Close(true);
  wxTheApp->ProcessIdle();  // deletes the closed frame
  Pump();
  App().ShutDown();
  m_ui = nullptr;
  m_store = nullptr;
}

void PlayerFixture::ReopenSettings() {
  m_ownedStore = std::make_unique<CSettingsStore>(m_dir / "Fablewick.conf");
  m_store = m_ownedStore.get();
}

void PlayerFixture::WriteStory(const std::string& folder, const std::string& text) {
  testing_support::WriteFile(folder + "/gamefile.txt", text);
}

void PlayerFixture::StartStory(const std::string& name, bool beginPlay) {
  Ui().StoryToChoose = name;
  ChooseMenuCommand(res::ID_GAME_NEW);
  ASSERT_TRUE(Doc().IsTitlePage()) << "the story " << name << " did not open";
  if (beginPlay) {
    wxCommandEvent begin(wxEVT_BUTTON, res::ID_BEGIN_PLAY);
    View().GetBeginButton()->GetEventHandler()->ProcessEvent(begin);
    ASSERT_FALSE(Doc().IsTitlePage());
  }
  Pump();
}

void PlayerFixture::Pump(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    wxYield();
    wxMilliSleep(2);
  }
  wxYield();
}

bool PlayerFixture::PumpUntil(const std::function<bool()>& condition) {
  for (int i = 0; i < 2500; ++i) {
    if (condition()) return true;
    wxYield();
    wxMilliSleep(2);
  }
  return condition();
}

void PlayerFixture::ChooseMenuCommand(int command) {
  wxCommandEvent event(wxEVT_MENU, MenuItemIdFor(command));
  event.SetEventObject(&Frame());
  Frame().ProcessWindowEvent(event);
}

bool PlayerFixture::IsMenuCommandEnabled(int command) {
  wxUpdateUIEvent update(MenuItemIdFor(command));
  update.SetEventObject(&Frame());
  Frame().ProcessWindowEvent(update);
  return !update.GetSetEnabled() || update.GetEnabled();
}

std::string TwoSceneStory(const std::string& name) {
  return "[Title]\n@NAME " + name +
         "\n@AUTHOR Ann Author\n@ARTIST Bo Artist\n@DATE May 1999\n@VERSION 1.2\n"
         "[Setup]\n@IMAGEDIR pics\\\n@FIRSTSCENE Shore\n"
         "[Shore]\n@IMAGE shore.bmp\n@DESCRIPTION The tide is out.\n"
         "@OPTION1 Climb the tower\n@LINK1 Tower\n@OPTION2 Wait for the tide\n@LINK2 Shore\n"
         "[Tower]\n@IMAGE tower.bmp\n@DESCRIPTION Up high.\n@OPTION1 Back down\n@LINK1 Shore\n";
}

void WriteBmp(const std::string& path, int width, int height, const std::function<unsigned(int, int)>& colourAt) {
  testing_support::WriteFile(path, testing_support::Bmp24(width, height, colourAt));
}

void WriteSolidBmp(const std::string& path, int width, int height, unsigned rgb) {
  WriteBmp(path, width, height, [rgb](int, int) { return rgb; });
}
