#include <filesystem>

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "game/StoryLibrary.h"
#include "tests/support/TestFiles.h"
#include "tests/ui_dialogs/DialogTestSupport.h"
#include "ui/SelectStoryDlg.h"

namespace {

using Id = CSelectStoryDlg::ControlId;
using testing_support::TempDir;

class CRecordingReporter : public IStoryReporter {
 public:
  std::vector<std::string> errors;
  void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
  void ShowWarningBox(const std::string& text) override { errors.push_back(text); }
  void BeginValidating() override {}
  void EndValidating() override {}
  void ShowStoryErrors(const std::string&, const std::vector<std::string>&) override {}
};

void WriteStory(const std::string& folder, const std::string& name) {
  testing_support::WriteFile(folder + "/gamefile.txt",
                             "[Title]\n@NAME " + name + "\n@AUTHOR Ann\n@ARTIST Bo\n");
}

StoryEntry Entry(const std::string& name, uint64_t time) { return {name, "/stories/" + name, time}; }

std::vector<wxString> Lines(wxWindow* dialog) {
  std::vector<wxString> lines;
  auto* list = Control<wxListBox>(dialog, Id::IDC_STORY_LIST);
  for (unsigned i = 0; i < list->GetCount(); ++i) lines.push_back(list->GetString(i));
  return lines;
}

wxString Caption(wxWindow* dialog) { return Control<wxStaticText>(dialog, Id::IDC_LIST_CAPTION)->GetLabel(); }
int SelectedLine(wxWindow* dialog) { return Control<wxListBox>(dialog, Id::IDC_STORY_LIST)->GetSelection(); }
void TypePath(wxWindow* dialog, const std::string& path) {
  Control<wxTextCtrl>(dialog, Id::IDC_STORIES_PATH)->SetValue(wxString::FromUTF8(path));
}

StorySelection ThreeStories() {
  StorySelection selection;
  // Search order: beta, Alpha, alpha; Alpha and beta share a folder time.
  selection.Stories = {Entry("beta", 300), Entry("Alpha", 300), Entry("alpha", 100)};
  selection.StoriesPath = "/stories";
  return selection;
}

TEST(SelectStoryDialog, OpensNewestFirstWithTheInitialLineSelected) {
  StorySelection selection = ThreeStories();
  selection.InitialSelection = 2;
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  dialog.InitDialog();
  EXPECT_EQ(dialog.GetTitle(), "Select an Adventure to Play");
  // Equal times come out in reverse search order.
  EXPECT_EQ(Lines(&dialog), (std::vector<wxString>{"Alpha", "beta", "alpha"}));
  EXPECT_EQ(Caption(&dialog), "&Stories (newest at top):");
  EXPECT_EQ(SelectedLine(&dialog), 2);
  EXPECT_EQ(Control<wxTextCtrl>(&dialog, Id::IDC_STORIES_PATH)->GetValue(), "/stories");
  EXPECT_FALSE(Control<wxCheckBox>(&dialog, Id::IDC_SORT_BY_NAME)->GetValue());
}

TEST(SelectStoryDialog, InitialLineMinusOneSelectsTheFirstAndEmptyListSelectsNothing) {
  StorySelection selection = ThreeStories();
  selection.InitialSelection = -1;
  selection.SortByName = true;
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  dialog.InitDialog();
  EXPECT_EQ(Lines(&dialog), (std::vector<wxString>{"Alpha", "alpha", "beta"}));
  EXPECT_EQ(Caption(&dialog), "&Stories (in alphabetical order):");
  EXPECT_EQ(SelectedLine(&dialog), 0);

  CSelectStoryDlg empty(nullptr, StorySelection(), nullptr);
  empty.InitDialog();
  EXPECT_TRUE(Lines(&empty).empty());
  EXPECT_EQ(SelectedLine(&empty), wxNOT_FOUND);
}

TEST(SelectStoryDialog, SortToggleResortsAndDeselects) {
  StorySelection selection = ThreeStories();
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  const int result = RunModal(dialog, [&] {
    EXPECT_EQ(SelectedLine(&dialog), 0);
    Click(&dialog, Id::IDC_SORT_BY_NAME);
    EXPECT_EQ(Lines(&dialog), (std::vector<wxString>{"Alpha", "alpha", "beta"}));
    EXPECT_EQ(Caption(&dialog), "&Stories (in alphabetical order):");
    EXPECT_EQ(SelectedLine(&dialog), wxNOT_FOUND);
    Click(&dialog, wxID_OK);
  });
  EXPECT_EQ(result, wxID_OK);
  // OK with no line chosen: the game starts no story.
  EXPECT_EQ(dialog.GetSelection().SelectedLine, -1);
  EXPECT_EQ(dialog.GetSelection().SelectedName, "");
  EXPECT_TRUE(dialog.GetSelection().SortByName);
  EXPECT_FALSE(dialog.GetSelection().SearchedAgain);
}

TEST(SelectStoryDialog, OkTakesTheTypedPathAndTheChosenLinesStoryName) {
  StorySelection selection = ThreeStories();
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  const int result = RunModal(dialog, [&] {
    Control<wxListBox>(&dialog, Id::IDC_STORY_LIST)->SetSelection(1);
    TypePath(&dialog, "/elsewhere/tales");
    Click(&dialog, wxID_OK);
  });
  EXPECT_EQ(result, wxID_OK);
  const StorySelection& chosen = dialog.GetSelection();
  EXPECT_EQ(chosen.SelectedLine, 1);
  EXPECT_EQ(chosen.SelectedName, "beta");
  EXPECT_EQ(chosen.StoriesPath, "/elsewhere/tales");
  EXPECT_FALSE(chosen.SearchedAgain);  // a path confirmed only with OK is not searched
  EXPECT_EQ(chosen.Stories.size(), 3u);
}

TEST(SelectStoryDialog, DoubleClickEndsWithOkKeepingTheLastTakenPath) {
  StorySelection selection = ThreeStories();
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  const int result = RunModal(dialog, [&] {
    TypePath(&dialog, "/typed/since");
    DoubleClickLine(&dialog, Id::IDC_STORY_LIST, 2);
  });
  EXPECT_EQ(result, wxID_OK);
  EXPECT_EQ(dialog.GetSelection().SelectedLine, 2);
  EXPECT_EQ(dialog.GetSelection().SelectedName, "alpha");
  EXPECT_EQ(dialog.GetSelection().StoriesPath, "/stories");
}

TEST(SelectStoryDialog, DoubleClickWithoutALineLeavesTheDialogOpen) {
  CSelectStoryDlg dialog(nullptr, StorySelection(), nullptr);
  const int result = RunModal(dialog, [&] {
    wxCommandEvent event(wxEVT_LISTBOX_DCLICK, Id::IDC_STORY_LIST);
    auto* list = Control<wxListBox>(&dialog, Id::IDC_STORY_LIST);
    event.SetEventObject(list);
    event.SetInt(-1);
    list->GetEventHandler()->ProcessEvent(event);
  });
  EXPECT_EQ(result, kScriptLeftOpen);
}

TEST(SelectStoryDialog, CancelEndsWithCancel) {
  StorySelection selection = ThreeStories();
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  EXPECT_EQ(RunModal(dialog, [&] { Click(&dialog, wxID_CANCEL); }), wxID_CANCEL);
}

TEST(SelectStoryDialog, ReloadSearchesTheTypedPathAndDeselects) {
  TempDir stories;
  WriteStory(stories / "Moon", "Moon Tale");
  WriteStory(stories / "Sun", "Sun Tale");
  WriteStory(stories / ".hidden", "Hidden Tale");
  std::filesystem::last_write_time(stories / "Moon", std::filesystem::file_time_type::clock::now() -
                                                           std::chrono::hours(2));
  StorySelection selection = ThreeStories();
  selection.SortByName = true;
  CRecordingReporter reporter;
  CSelectStoryDlg dialog(nullptr, selection, &reporter);
  const int result = RunModal(dialog, [&] {
    TypePath(&dialog, stories.Path());
    Click(&dialog, Id::IDC_SORT_BY_NAME);  // sort flag off again: newest first
    Click(&dialog, Id::IDC_RELOAD);
    EXPECT_EQ(Lines(&dialog), (std::vector<wxString>{"Sun Tale", "Moon Tale"}));
    EXPECT_EQ(SelectedLine(&dialog), wxNOT_FOUND);
    Click(&dialog, wxID_OK);
  });
  EXPECT_EQ(result, wxID_OK);
  const StorySelection& chosen = dialog.GetSelection();
  EXPECT_TRUE(chosen.SearchedAgain);
  EXPECT_EQ(chosen.StoriesPath, stories.Path());
  EXPECT_FALSE(chosen.SortByName);
  ASSERT_EQ(chosen.Stories.size(), 2u);
  EXPECT_TRUE(reporter.errors.empty());
}

TEST(SelectStoryDialog, ReloadOfAMissingFolderReportsAndEmptiesTheList) {
  TempDir stories;
  StorySelection selection = ThreeStories();
  CRecordingReporter reporter;
  CSelectStoryDlg dialog(nullptr, selection, &reporter);
  dialog.InitDialog();
  TypePath(&dialog, stories / "missing");
  Click(&dialog, Id::IDC_RELOAD);
  EXPECT_TRUE(Lines(&dialog).empty());
  ASSERT_EQ(reporter.errors.size(), 1u);
  EXPECT_NE(reporter.errors[0].find("Operation: Finding"), std::string::npos);
}

TEST(SelectStoryDialog, BrowseTakesTheChosenFolderShowsItAndReloads) {
  TempDir stories;
  WriteStory(stories / "Lake", "Lake Tale");
  StorySelection selection = ThreeStories();
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  std::string offeredFolder, title;
  wxWindow* owner = nullptr;
  dialog.SetFolderBrowser([&](wxWindow* parent, const std::string& caption, std::string& folder) {
    owner = parent;
    title = caption;
    offeredFolder = folder;
    folder = stories.Path();
    return FolderBrowseResult::Chosen;
  });
  const int result = RunModal(dialog, [&] {
    TypePath(&dialog, "/typed/before");
    Click(&dialog, Id::IDC_BROWSE);
    EXPECT_EQ(Control<wxTextCtrl>(&dialog, Id::IDC_STORIES_PATH)->GetValue(), stories.Path());
    EXPECT_EQ(Lines(&dialog), (std::vector<wxString>{"Lake Tale"}));
    DoubleClickLine(&dialog, Id::IDC_STORY_LIST, 0);
  });
  EXPECT_EQ(result, wxID_OK);
  EXPECT_EQ(owner, &dialog);
  EXPECT_EQ(title, "Select Path With Stories");
  EXPECT_EQ(offeredFolder, "/typed/before");  // the field's value is taken first
  EXPECT_EQ(dialog.GetSelection().StoriesPath, stories.Path());
  EXPECT_EQ(dialog.GetSelection().SelectedName, "Lake Tale");
  EXPECT_TRUE(dialog.GetSelection().SearchedAgain);
}

TEST(SelectStoryDialog, CancelledBrowseChangesNothing) {
  StorySelection selection = ThreeStories();
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  dialog.SetFolderBrowser([](wxWindow*, const std::string&, std::string& folder) {
    folder = "/not/taken";
    return FolderBrowseResult::Cancelled;
  });
  dialog.InitDialog();
  Click(&dialog, Id::IDC_BROWSE);
  EXPECT_EQ(Control<wxTextCtrl>(&dialog, Id::IDC_STORIES_PATH)->GetValue(), "/stories");
  EXPECT_EQ(Lines(&dialog).size(), 3u);
  EXPECT_FALSE(dialog.GetSelection().SearchedAgain);
}

TEST(SelectStoryDialog, StoryNamesShowPerEncodingAndComeBackAsTheirBytes) {
  StorySelection selection;
  selection.Stories = {Entry("Caf\xE9 Noir", 2), Entry("Caf\xC3\xA9 Blanc", 1)};
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  EXPECT_EQ(RunModal(dialog, [&] {
              EXPECT_EQ(Lines(&dialog), (std::vector<wxString>{wxString::FromUTF8("Caf\xC3\xA9 Noir"),
                                                               wxString::FromUTF8("Caf\xC3\xA9 Blanc")}));
              Click(&dialog, wxID_OK);
            }),
            wxID_OK);
  EXPECT_EQ(dialog.GetSelection().SelectedName, "Caf\xE9 Noir");
}

TEST(FolderBrowser, ShowsTheFolderChooserWithItsTitleAndReportsItsAnswer) {
  TempDir start;
  CModalAnswers chooser(IsFolderChooser);
  chooser.answers = {wxID_CANCEL, wxID_OK};
  std::string folder = start.Path();
  EXPECT_EQ(BrowseForFolder(nullptr, "Select Path With Stories", folder), FolderBrowseResult::Cancelled);
  EXPECT_EQ(folder, start.Path());
  // An answer that names no folder counts as cancelled and changes nothing.
  EXPECT_EQ(BrowseForFolder(nullptr, "", folder), FolderBrowseResult::Cancelled);
  EXPECT_EQ(folder, start.Path());
  ASSERT_EQ(chooser.messages.size(), 2u);
  EXPECT_EQ(chooser.messages[0], "Select Path With Stories");
  EXPECT_EQ(chooser.messages[1], "Please Select a Directory");
}

}  // namespace
