// The game document's user interface in the player: message boxes, the busy indication, the
// story selection, validation notice and story errors.
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "tests/ui/PlayerFixture.h"
#include "ui/MyButton.h"
#include "ui/SelectStoryDlg.h"
#include "ui/StoryErrorsDlg.h"
#include "ui/ValidatingDlg.h"

namespace {

class GameUiTest : public PlayerFixture {};

TEST_F(GameUiTest, MessageBoxesCarryTheTitleButtonsAndIcon) {
  StartPlayer();
  CGameUi& ui = *App().GetGameUi();
  m_dialogs.Answers = {wxID_YES, wxID_NO, wxID_OK};
  EXPECT_EQ(ui.ShowMessage("Go on?", MessageButtons::YesNo, MessageIcon::Question), MessageAnswer::Yes);
  EXPECT_EQ(ui.ShowMessage("Really?", MessageButtons::YesNo, MessageIcon::Exclamation), MessageAnswer::No);
  EXPECT_EQ(ui.ShowMessage("Done.", MessageButtons::Ok, MessageIcon::Information), MessageAnswer::Ok);
  ASSERT_EQ(m_dialogs.Dialogs.size(), 3u);
  for (const auto& shown : m_dialogs.Dialogs) EXPECT_EQ(shown.Caption, "Fablewick");
  EXPECT_EQ(m_dialogs.Dialogs[0].Message, "Go on?");
  EXPECT_TRUE(m_dialogs.Dialogs[0].Style & wxYES_NO);
  EXPECT_TRUE(m_dialogs.Dialogs[0].Style & wxICON_QUESTION);
  EXPECT_TRUE(m_dialogs.Dialogs[1].Style & wxICON_WARNING);
  EXPECT_TRUE(m_dialogs.Dialogs[2].Style & wxOK);
  EXPECT_FALSE(m_dialogs.Dialogs[2].Style & wxYES_NO);
  EXPECT_TRUE(m_dialogs.Dialogs[2].Style & wxICON_INFORMATION);
}

TEST_F(GameUiTest, ErrorAndWarningBoxesShowStoryTextsReadably) {
  StartPlayer();
  CGameUi& ui = *App().GetGameUi();
  ui.ShowErrorBox("Game:\tCaf\xE9");
  ui.ShowWarningBox("Was not expecting @FOO.");
  ASSERT_EQ(m_dialogs.Dialogs.size(), 2u);
  EXPECT_EQ(m_dialogs.Dialogs[0].Message, wxString::FromUTF8("Game:\tCaf\xC3\xA9"));
  EXPECT_TRUE(m_dialogs.Dialogs[0].Style & wxICON_ERROR);
  EXPECT_TRUE(m_dialogs.Dialogs[1].Style & wxICON_WARNING);
}

TEST_F(GameUiTest, BusyIndicationNests) {
  StartPlayer();
  CGameUi& ui = *App().GetGameUi();
  ASSERT_FALSE(wxIsBusy());
  ui.BeginBusy();
  ui.BeginBusy();
  EXPECT_TRUE(wxIsBusy());
  ui.EndBusy();
  EXPECT_TRUE(wxIsBusy()) << "the outer busy time goes on";
  ui.EndBusy();
  EXPECT_FALSE(wxIsBusy());
  ui.EndBusy();
  EXPECT_FALSE(wxIsBusy());
  EXPECT_EQ(ui.BusyDepth(), 0);
}

TEST_F(GameUiTest, NewGameAsksWithTheStorySelectionDialog) {
  WriteStory(StoryDir("Harbour"), TwoSceneStory("Harbour"));
  WriteSolidBmp(StoryDir("Harbour") + "/pics/shore.bmp", 8, 8, 0x112233);
  WriteSolidBmp(StoryDir("Harbour") + "/pics/tower.bmp", 8, 8, 0x112233);
  StartPlayer();
  Ui().UseStoryDialog = true;
  m_dialogs.AlsoAnswer = [](wxDialog* dialog) { return !dynamic_cast<CSelectStoryDlg*>(dialog); };
  // The dialog shows; its first line is chosen and OK pressed.
  class ChooseFirstLine : public wxModalDialogHook {
   public:
    ChooseFirstLine() { Register(); }
    ~ChooseFirstLine() override { Unregister(); }
    int asked = 0;

   protected:
    int Enter(wxDialog* dialog) override {
      if (!dynamic_cast<CSelectStoryDlg*>(dialog)) return wxID_NONE;
      ++asked;
      dialog->CallAfter([dialog] {
        auto* list = dynamic_cast<wxListBox*>(dialog->FindWindow(CSelectStoryDlg::IDC_STORY_LIST));
        if (list && list->GetCount() > 0) list->SetSelection(0);
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        dialog->GetEventHandler()->ProcessEvent(ok);
      });
      return wxID_NONE;
    }
    void Exit(wxDialog*) override {}
  } chooser;
  ChooseMenuCommand(res::ID_GAME_NEW);
  EXPECT_EQ(chooser.asked, 1);
  EXPECT_TRUE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().GetTitleRecord().Name.Text, "Harbour");
}

TEST_F(GameUiTest, CancellingTheStorySelectionChangesNothing) {
  WriteStory(StoryDir("Harbour"), TwoSceneStory("Harbour"));
  StartPlayer();
  Ui().UseStoryDialog = true;
  m_dialogs.Answers = {wxID_CANCEL};
  ChooseMenuCommand(res::ID_GAME_NEW);
  ASSERT_EQ(m_dialogs.Dialogs.size(), 1u);
  EXPECT_FALSE(Doc().IsStoryLoaded());
  EXPECT_TRUE(View().GetNewGameButton()->IsShown());
}

TEST_F(GameUiTest, AStoryWithErrorsIsValidatedUnderTheNoticeAndItsErrorsListed) {
  WriteStory(StoryDir("Broken"), "[Title]\n@NAME Broken\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Nowhere\n"
                                 "[Here]\n@IMAGE gone.bmp\n");
  StartPlayer();
  Ui().StoryToChoose = "Broken";
  std::vector<std::string> listed;
  std::string storyName;
  int noticesOpen = -1;
  class ErrorsHook : public wxModalDialogHook {
   public:
    std::function<void(CStoryErrorsDlg&)> seen;
    ErrorsHook() { Register(); }
    ~ErrorsHook() override { Unregister(); }

   protected:
    int Enter(wxDialog* dialog) override {
      auto* errors = dynamic_cast<CStoryErrorsDlg*>(dialog);
      if (!errors) return wxID_NONE;
      seen(*errors);
      return wxID_OK;
    }
    void Exit(wxDialog*) override {}
  } hook;
  hook.seen = [&](CStoryErrorsDlg& dialog) {
    listed = dialog.m_errors;
    storyName = dialog.m_strStory;
    noticesOpen = 0;
    for (wxWindow* window : wxTopLevelWindows)
      if (dynamic_cast<CValidatingDlg*>(window) && window->IsShown()) ++noticesOpen;
  };
  ChooseMenuCommand(res::ID_GAME_NEW);
  EXPECT_EQ(storyName, "Broken");
  EXPECT_EQ(listed.size(), 2u);
  EXPECT_EQ(noticesOpen, 0) << "the notice goes before the errors show";
  EXPECT_FALSE(Doc().IsStoryLoaded());
  wxTheApp->ProcessIdle();
  for (wxWindow* window : wxTopLevelWindows) EXPECT_EQ(dynamic_cast<CValidatingDlg*>(window), nullptr);
}

}  // namespace
