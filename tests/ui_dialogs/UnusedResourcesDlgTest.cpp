#include <cstdlib>

#include <gtest/gtest.h>
#include <wx/listctrl.h>
#include <wx/settings.h>

#include "platform/FileSystem.h"
#include "story/GameFile.h"
#include "story/StoryText.h"
#include "tests/support/TestFiles.h"
#include "tests/ui_dialogs/DialogTestSupport.h"
#include "ui/UnusedResourcesDlg.h"

namespace {

using Id = CUnusedResourcesDlg::ControlId;
using testing_support::TempDir;
using testing_support::WriteFile;

struct Row {
  wxString text;
  long value;
  bool operator==(const Row& other) const { return text == other.text && value == other.value; }
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << "{" << row.text.utf8_string() << ", " << row.value << "}";
}

std::vector<Row> Rows(wxWindow* dialog) {
  std::vector<Row> rows;
  auto* list = Control<wxListCtrl>(dialog, Id::IDC_RESOURCE_LIST);
  for (long i = 0; i < list->GetItemCount(); ++i)
    rows.push_back({list->GetItemText(i), static_cast<long>(list->GetItemData(i))});
  return rows;
}

constexpr long kMarker = CUnusedResourcesDlg::kMarkerRow;

const std::vector<Row> kOnlyMarkers = {{"------- Sounds -------", kMarker},
                                       {"------- Images -------", kMarker},
                                       {"------- Music -------", kMarker},
                                       {"------- END -------", kMarker}};

// A story whose folders hold used and unused media of every kind.
class UnusedResourcesDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(m_folder / "gamefile.txt",
              "[Title]\n@NAME Lantern\n@AUTHOR Ann\n@ARTIST Bo\n"
              "[Setup]\n@IMAGEDIR pics\\\n@SOUNDDIR sounds\\\n@MUSICDIR music\\\n@FIRSTSCENE Hall\n"
              "[Hall]\n@IMAGE Tree.BMP\n@SOUND bell.wav\n@MUSIC theme.mid\n@DESCRIPTION A hall.\n");
    for (const char* file : {"pics/tree.bmp", "pics/old.bmp", "pics/title.png", "sounds/bell.wav",
                             "sounds/b.wav", "sounds/C.wav", "sounds/a.wav", "sounds/song.ogg",
                             "music/theme.mid", "music/caf\xE9.mid"})
      WriteFile(m_folder / file, "x");
    ASSERT_TRUE(m_story.ParseStory(m_folder / "gamefile.txt"));
    m_story.FindUnusedResources(m_sounds, m_pictures, m_music);
  }

  TempDir m_folder;
  CGameFile m_story;
  std::vector<std::string> m_sounds, m_pictures, m_music;
};

TEST_F(UnusedResourcesDialog, ListsEachGroupUnderItsMarkerWithRowNumbers) {
  CUnusedResourcesDlg dialog(nullptr, &m_story, m_sounds, m_pictures, m_music);
  dialog.InitDialog();
  EXPECT_EQ(dialog.GetTitle(), "Unused Resources");
  const std::vector<Row> expected = {
      {"------- Sounds -------", kMarker}, {"C.wav", 1}, {"a.wav", 2}, {"b.wav", 3}, {"song.ogg", 4},
      {"------- Images -------", kMarker}, {"old.bmp", 6}, {"title.png", 7},
      {"------- Music -------", kMarker}, {wxString::FromUTF8("caf\xC3\xA9.mid"), 9},
      {"------- END -------", kMarker}};
  EXPECT_EQ(Rows(&dialog), expected);
  auto* list = Control<wxListCtrl>(&dialog, Id::IDC_RESOURCE_LIST);
  EXPECT_EQ(list->GetColumnWidth(0),
            list->GetClientSize().x - wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, &dialog));
}

TEST_F(UnusedResourcesDialog, RefreshTakesTheInventoryAgain) {
  CUnusedResourcesDlg dialog(nullptr, &m_story, m_sounds, m_pictures, m_music);
  dialog.InitDialog();
  WriteFile(m_folder / "pics/new.bmp", "x");
  testing_support::WriteFile(m_folder / "gamefile.txt", "");  // the story in memory is what counts
  std::remove((m_folder / "sounds/b.wav").c_str());
  Click(&dialog, Id::IDC_REFRESH);
  const std::vector<Row> rows = Rows(&dialog);
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_EQ(rows[4], (Row{"------- Images -------", kMarker}));
  EXPECT_EQ(rows[5], (Row{"new.bmp", 5}));
  EXPECT_EQ(rows[6], (Row{"old.bmp", 6}));
}

TEST_F(UnusedResourcesDialog, WithoutAStoryRefreshAndDeleteDoNothing) {
  CUnusedResourcesDlg dialog(nullptr, nullptr, {}, {"old.bmp"}, {});
  dialog.InitDialog();
  CModalAnswers boxes(IsMessageBox);
  boxes.answers = {wxID_YES, wxID_OK};
  Click(&dialog, Id::IDC_REFRESH);
  Click(&dialog, Id::IDC_DELETE);
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_EQ(Rows(&dialog).size(), 5u);
  EXPECT_TRUE(platform::FileExists(m_folder / "pics/old.bmp"));
}

TEST_F(UnusedResourcesDialog, DeleteAsksFirstAndNoKeepsTheFiles) {
  CUnusedResourcesDlg dialog(nullptr, &m_story, m_sounds, m_pictures, m_music);
  dialog.InitDialog();
  CModalAnswers boxes(IsMessageBox);
  boxes.answers = {wxID_NO};
  Click(&dialog, Id::IDC_DELETE);
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0], "Delete all unused resources from the story?");
  EXPECT_EQ(boxes.titles[0], "Fablewick");
  EXPECT_TRUE(boxes.styles[0] & wxYES_NO);
  EXPECT_TRUE(platform::FileExists(m_folder / "pics/old.bmp"));
  EXPECT_EQ(Rows(&dialog).size(), 11u);
}

TEST_F(UnusedResourcesDialog, DeleteMovesTheListedFilesToTheTrashAndRefreshes) {
  const std::string trash = std::string(getenv("XDG_DATA_HOME")) + "/Trash/files";
  CUnusedResourcesDlg dialog(nullptr, &m_story, m_sounds, m_pictures, m_music);
  CModalAnswers boxes(IsMessageBox);
  boxes.answers = {wxID_YES, wxID_OK};
  const int result = RunModal(dialog, [&] {
    Click(&dialog, Id::IDC_DELETE);
    EXPECT_EQ(Rows(&dialog), kOnlyMarkers);
    Click(&dialog, wxID_OK);
  });
  EXPECT_EQ(result, wxID_OK);
  ASSERT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(boxes.messages[1], "All unused resources have been moved to the Trash.");
  EXPECT_TRUE(boxes.styles[1] & wxOK);
  for (const char* moved : {"sounds/C.wav", "sounds/a.wav", "sounds/b.wav", "sounds/song.ogg", "pics/old.bmp",
                            "pics/title.png"}) {
    EXPECT_FALSE(platform::FileExists(m_folder / moved)) << moved;
    EXPECT_TRUE(platform::FileExists(trash + "/" + story_text::LastPathPart(moved))) << moved;
  }
  for (const char* kept : {"pics/tree.bmp", "sounds/bell.wav", "music/theme.mid"})
    EXPECT_TRUE(platform::FileExists(m_folder / kept)) << kept;
}

TEST_F(UnusedResourcesDialog, FilesOutsideTheStoryFolderAreNeverTrashed) {
  TempDir elsewhere;
  WriteFile(elsewhere / "precious.bmp", "x");
  // A name in the list that leads out of the story's folder.
  const std::string outside = "../../" + story_text::LastPathPart(elsewhere.Path()) + "/precious.bmp";
  CUnusedResourcesDlg dialog(nullptr, &m_story, {}, {outside}, {});
  dialog.InitDialog();
  CModalAnswers boxes(IsMessageBox);
  boxes.answers = {wxID_YES, wxID_OK};
  Click(&dialog, Id::IDC_DELETE);
  EXPECT_TRUE(platform::FileExists(elsewhere / "precious.bmp"));
  // The closing message says what stayed and why; the list shows the inventory taken afresh.
  ASSERT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(boxes.messages[1], "0 of 1 unused resources have been moved to the Trash; 1 stayed where they were:\n" +
                                   outside + ": it lies outside the story's folder");
  EXPECT_EQ(Rows(&dialog).size(), 11u);
}

}  // namespace
