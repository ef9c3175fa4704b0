// The Game menu: its items, prompts, accelerators and enable rules, and the way commands go:
// view, game document, frame, application.
#include <wx/menu.h>

#include "tests/ui/PlayerFixture.h"
#include "ui/GameDocHandler.h"
#include "ui/GameMenu.h"

namespace {

struct ExpectedItem {
  int command;
  const char* text;
  const char* prompt;
};

// The menu holds the expected items in order, with their commands, texts and prompts.
void ExpectItems(const wxMenu& menu, const std::vector<ExpectedItem>& expected) {
  const wxMenuItemList& items = menu.GetMenuItems();
  ASSERT_EQ(items.size(), expected.size());
  size_t i = 0;
  for (const wxMenuItem* item : items) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(CommandForMenuItem(item->GetId()), expected[i].command);
    EXPECT_EQ(item->GetItemLabel(), expected[i].text);
    EXPECT_EQ(item->GetHelp(), expected[i].prompt);
    ++i;
  }
}

class MenuTest : public PlayerFixture {
 protected:
  void WriteOneSceneStory() {
    WriteStory(StoryDir("Small"), "[Title]\n@NAME Small\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE S\n"
                                  "[S]\n@IMAGE x.bmp\n@OPTION1 Stay\n@LINK1 S\n");
    WriteSolidBmp(StoryDir("Small") + "/x.bmp", 8, 8, 0);
  }
};

TEST_F(MenuTest, GameMenuHoldsItsItemsWithTheirPrompts) {
  StartPlayer();
  wxMenuBar* bar = Frame().GetMenuBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->GetMenuCount(), 2u);
  EXPECT_EQ(bar->GetMenuLabel(0), "&Game");
  const std::vector<ExpectedItem> expected = {
      {32771, "&New Game...\tCtrl+N", "Select new game to play"},
      {57601, "&Load Saved Game\tCtrl+O", "Open a saved game"},
      {57603, "&Save Game\tCtrl+S", "Save the current game"},
      {32780, "&Reload Story\tF5", "Read the story again from disk and stay in the scene"},
      {32773, "List &Unused Resources...", "Show all unused resources in the current game file"},
      {32772, "O&ptions...", "Change options for program"},
      {57664, "&About...", "What's it all about"},
      {57665, "E&xit", "End game and Exit"},
  };
  ExpectItems(*bar->GetMenu(0), expected);
}

TEST_F(MenuTest, ViewMenuFollowsTheGameMenu) {
  StartPlayer();
  wxMenuBar* bar = Frame().GetMenuBar();
  ASSERT_EQ(bar->GetMenuCount(), 2u);
  EXPECT_EQ(bar->GetMenuLabel(1), "&View");
  const std::vector<ExpectedItem> expected = {
      {res::ID_VIEW_ZOOM_IN, "Zoom &In\tCtrl++", "Make the pictures and text larger"},
      {res::ID_VIEW_ZOOM_OUT, "Zoom &Out\tCtrl+-", "Make the pictures and text smaller"},
      {res::ID_VIEW_ACTUAL_SIZE, "&Actual Size\tCtrl+0", "Show the pictures at their own size"},
      {res::ID_VIEW_AUTOMATIC_SIZE, "Auto&matic Size", "Choose the largest size that suits the screen"},
      {res::ID_VIEW_FULL_SCREEN, "&Full Screen\tF11", "Fill the whole screen; F11 or Esc returns to the window"},
  };
  ExpectItems(*bar->GetMenu(1), expected);
  // At 1×, only zooming out is not offered.
  EXPECT_TRUE(IsMenuCommandEnabled(res::ID_VIEW_ZOOM_IN));
  EXPECT_FALSE(IsMenuCommandEnabled(res::ID_VIEW_ZOOM_OUT));
  EXPECT_TRUE(IsMenuCommandEnabled(res::ID_VIEW_FULL_SCREEN));
}

TEST_F(MenuTest, AcceleratorsGiveTheirCommands) {
  StartPlayer();
  auto commandFor = [this](int key) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = key;
    event.m_controlDown = true;
    return CommandForMenuItem(Frame().GetAcceleratorTable()->GetCommand(event));
  };
  EXPECT_EQ(commandFor('N'), 57600) << "Ctrl+N starts afresh rather than a new game";
  EXPECT_EQ(commandFor('O'), 57601);
  EXPECT_EQ(commandFor('S'), 57603);
  EXPECT_EQ(commandFor('X'), 0);
  wxKeyEvent f5(wxEVT_KEY_DOWN);
  f5.m_keyCode = WXK_F5;
  EXPECT_EQ(CommandForMenuItem(Frame().GetAcceleratorTable()->GetCommand(f5)), 32780);
  EXPECT_EQ(commandFor('='), res::ID_VIEW_ZOOM_IN);
  EXPECT_EQ(commandFor('+'), res::ID_VIEW_ZOOM_IN);
  EXPECT_EQ(commandFor('-'), res::ID_VIEW_ZOOM_OUT);
  EXPECT_EQ(commandFor('0'), res::ID_VIEW_ACTUAL_SIZE);
  wxKeyEvent f11(wxEVT_KEY_DOWN);
  f11.m_keyCode = WXK_F11;
  EXPECT_EQ(CommandForMenuItem(Frame().GetAcceleratorTable()->GetCommand(f11)), res::ID_VIEW_FULL_SCREEN);
}

TEST_F(MenuTest, LoadSavedGameNeedsASavedStoryAndScene) {
  StartPlayer();
  EXPECT_FALSE(IsMenuCommandEnabled(res::ID_FILE_OPEN));
  Store().WriteString(kSettingsSection, "SaveTitle", "Small");
  EXPECT_FALSE(IsMenuCommandEnabled(res::ID_FILE_OPEN)) << "a title without a scene";
  Store().WriteString(kSettingsSection, "SaveScene", "S");
  EXPECT_TRUE(IsMenuCommandEnabled(res::ID_FILE_OPEN));
}

TEST_F(MenuTest, SaveAndListUnusedNeedAStory) {
  WriteOneSceneStory();
  StartPlayer();
  EXPECT_FALSE(IsMenuCommandEnabled(res::ID_FILE_SAVE));
  EXPECT_FALSE(IsMenuCommandEnabled(res::ID_GAME_LIST_UNUSED));
  EXPECT_TRUE(IsMenuCommandEnabled(res::ID_GAME_NEW));
  EXPECT_TRUE(IsMenuCommandEnabled(res::ID_GAME_OPTIONS));
  EXPECT_TRUE(IsMenuCommandEnabled(res::ID_APP_ABOUT));
  EXPECT_TRUE(IsMenuCommandEnabled(res::ID_APP_EXIT));
  StartStory("Small");
  EXPECT_TRUE(IsMenuCommandEnabled(res::ID_FILE_SAVE));
  EXPECT_TRUE(IsMenuCommandEnabled(res::ID_GAME_LIST_UNUSED));
  // Ctrl+N releases the story's scenes: none of its files can be called unused.
  ChooseMenuCommand(res::ID_FILE_NEW);
  EXPECT_FALSE(IsMenuCommandEnabled(res::ID_GAME_LIST_UNUSED));
}

TEST_F(MenuTest, SaveGameAsksAndSavesThePosition) {
  WriteOneSceneStory();
  StartPlayer();
  StartStory("Small");
  m_dialogs.Answers = {wxID_YES, wxID_OK};
  ChooseMenuCommand(res::ID_FILE_SAVE);
  ASSERT_EQ(m_dialogs.Dialogs.size(), 2u);
  EXPECT_EQ(m_dialogs.Dialogs[0].Message, "Save this position in your game?");
  EXPECT_EQ(Store().ReadString(kSettingsSection, "SaveTitle", ""), "Small");
  EXPECT_EQ(Store().ReadString(kSettingsSection, "SaveScene", ""), "S");
}

TEST_F(MenuTest, DisabledCommandsDoNothing) {
  StartPlayer();
  int saves = 0;
  auto count = [&saves](wxCommandEvent& event) {
    ++saves;
    event.Skip();
  };
  Frame().Bind(wxEVT_MENU, count, res::ID_FILE_SAVE);
  ChooseMenuCommand(res::ID_FILE_SAVE);
  EXPECT_EQ(saves, 0) << "Save has no story to save";
  Frame().Unbind(wxEVT_MENU, count, res::ID_FILE_SAVE);
}

TEST_F(MenuTest, CommandsGoViewDocumentFrameApplication) {
  StartPlayer();
  std::vector<std::string> heard;
  // Each stop records the command and passes it on.
  auto stop = [&heard](const std::string& name) {
    return [&heard, name](wxCommandEvent& event) {
      heard.push_back(name);
      event.Skip();
    };
  };
  const std::vector<std::pair<wxEvtHandler*, std::string>> stops = {
      {&View(), "view"}, {App().GetDocHandler(), "document"}, {&Frame(), "frame"}, {&App(), "application"}};
  std::vector<std::function<void(wxCommandEvent&)>> handlers;
  for (const auto& [handler, name] : stops) {
    handlers.push_back(stop(name));
    handler->Bind(wxEVT_MENU, handlers.back(), res::ID_APP_ABOUT);
  }
  ChooseMenuCommand(res::ID_APP_ABOUT);
  EXPECT_EQ(heard, (std::vector<std::string>{"view", "document", "frame", "application"}));
  EXPECT_EQ(m_dialogs.Dialogs.size(), 1u) << "the application shows its about box";

  // A stop that does not pass the command on ends its way.
  heard.clear();
  auto frameEnds = [&heard](wxCommandEvent&) { heard.push_back("frame ends"); };
  Frame().Bind(wxEVT_MENU, frameEnds, res::ID_APP_ABOUT);
  ChooseMenuCommand(res::ID_APP_ABOUT);
  EXPECT_EQ(heard, (std::vector<std::string>{"view", "document", "frame ends"}));

  Frame().Unbind(wxEVT_MENU, frameEnds, res::ID_APP_ABOUT);
  for (size_t i = 0; i < stops.size(); ++i) stops[i].first->Unbind(wxEVT_MENU, handlers[i], res::ID_APP_ABOUT);
}

TEST_F(MenuTest, TheDocumentsCommandsEndWithTheDocument) {
  StartPlayer();
  int reached = 0;
  auto count = [&reached](wxCommandEvent& event) {
    ++reached;
    event.Skip();
  };
  Frame().Bind(wxEVT_MENU, count, res::ID_GAME_OPTIONS);
  App().Bind(wxEVT_MENU, count, res::ID_GAME_OPTIONS);
  ChooseMenuCommand(res::ID_GAME_OPTIONS);
  EXPECT_EQ(reached, 0);
  Frame().Unbind(wxEVT_MENU, count, res::ID_GAME_OPTIONS);
  App().Unbind(wxEVT_MENU, count, res::ID_GAME_OPTIONS);
}

TEST_F(MenuTest, TheDocumentHandlerCarriesOutTheDocumentsCommands) {
  WriteOneSceneStory();
  StartPlayer();
  Ui().StoryToChoose = "Small";
  ChooseMenuCommand(res::ID_GAME_NEW);
  EXPECT_EQ(Ui().SelectStoryCalls, 1);
  EXPECT_TRUE(Doc().IsTitlePage());
}

TEST_F(MenuTest, ExitClosesTheMainWindowAndKeepsThePlacement) {
  StartPlayer();
  Frame().Move(40, 50);
  Pump();
  ChooseMenuCommand(res::ID_APP_EXIT);
  wxTheApp->ProcessIdle();
  EXPECT_EQ(App().GetMainFrame(), nullptr);
  EXPECT_EQ(Store().ReadInt(kSettingsSection, "wp.left", -999), 40);
  EXPECT_EQ(Store().ReadInt(kSettingsSection, "wp.top", -999), 50);
}

}  // namespace
