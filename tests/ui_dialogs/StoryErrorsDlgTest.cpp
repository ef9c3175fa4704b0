#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include "tests/ui_dialogs/DialogTestSupport.h"
#include "ui/StoryErrorsDlg.h"
#include "ui/ValidatingDlg.h"

namespace {

using Id = CStoryErrorsDlg::ControlId;

std::vector<wxString> Rows(wxWindow* dialog) {
  std::vector<wxString> rows;
  auto* list = Control<wxListCtrl>(dialog, Id::IDC_ERROR_LIST);
  for (int i = 0; i < list->GetItemCount(); ++i) rows.push_back(list->GetItemText(i));
  return rows;
}

wxString ReadClipboardText() {
  wxString text;
  if (wxTheClipboard->Open()) {
    wxTextDataObject data;
    if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT))
      if (wxTheClipboard->GetData(data)) text = data.GetText();
    wxTheClipboard->Close();
  }
  return text;
}

// A clipboard that cannot be opened.
class CUnavailableClipboardDlg : public CStoryErrorsDlg {
 public:
  using CStoryErrorsDlg::CStoryErrorsDlg;
  int attempts = 0;

 protected:
  bool PutOnClipboard(const std::string&, wxString& error) override {
    ++attempts;
    error = "Device or resource busy";
    return false;
  }
};

TEST(StoryErrorsDialog, ListsErrorsInReverseWithTheStoryNameAndAWideColumn) {
  CStoryErrorsDlg dialog(nullptr);
  dialog.m_strStory = "Caf\xE9 Stories";
  dialog.m_errors = {"Error! A", "Error! B", "Error! C"};
  dialog.InitDialog();
  EXPECT_EQ(dialog.GetTitle(), "Story Errors");
  EXPECT_EQ(Rows(&dialog), (std::vector<wxString>{"Error! C", "Error! B", "Error! A"}));
  auto* list = Control<wxListCtrl>(&dialog, Id::IDC_ERROR_LIST);
  EXPECT_EQ(list->GetColumnCount(), 1);
  EXPECT_EQ(list->GetColumnWidth(0), 2 * list->GetSize().x);
  EXPECT_EQ(Control<wxStaticText>(&dialog, Id::IDC_STORY_NAME)->GetLabel(),
            wxString::FromUTF8("Caf\xC3\xA9 Stories"));
}

TEST(StoryErrorsDialog, ClipboardTextHasTheStoryLineThenErrorsInOrderEachWithCrLf) {
  CStoryErrorsDlg dialog(nullptr);
  dialog.m_strStory = "Moon";
  dialog.m_errors = {"Error! A", "Error! B (line 3, Scene \"Caf\xE9\"): x.bmp", "Error! C"};
  EXPECT_EQ(dialog.ClipboardText(),
            "Story \"Moon\"\r\nError! A\r\nError! B (line 3, Scene \"Caf\xC3\xA9\"): x.bmp\r\n"
            "Error! C\r\n");

  // Copy List To Clipboard puts exactly that text on the clipboard, and the dialog stays open.
  const int result = RunModal(dialog, [&] { Click(&dialog, Id::IDC_COPY_LIST); });
  EXPECT_EQ(result, kScriptLeftOpen);
  EXPECT_EQ(ReadClipboardText(), wxString::FromUTF8(dialog.ClipboardText()));
}

TEST(StoryErrorsDialog, ClipboardFailureShowsTheSystemsText) {
  CUnavailableClipboardDlg dialog(nullptr);
  dialog.m_strStory = "Moon";
  dialog.m_errors = {"Error! A"};
  CModalAnswers boxes(IsMessageBox);
  boxes.answers = {wxID_OK};
  const int result = RunModal(dialog, [&] { Click(&dialog, Id::IDC_COPY_LIST); });
  EXPECT_EQ(result, kScriptLeftOpen);
  EXPECT_EQ(dialog.attempts, 1);
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0], "Unable to copy text to clipboard: Device or resource busy");
  EXPECT_EQ(boxes.titles[0], "Fablewick");
  EXPECT_TRUE(boxes.styles[0] & wxICON_ERROR);
}

TEST(StoryErrorsDialog, OkEndsTheDialog) {
  CStoryErrorsDlg dialog(nullptr);
  dialog.m_errors = {"Error! A"};
  EXPECT_EQ(RunModal(dialog, [&] { Click(&dialog, wxID_OK); }), wxID_OK);
}

TEST(ValidatingNotice, ShowsCentredOnItsParentWithoutCaption) {
  wxFrame parent(nullptr, wxID_ANY, "Game", wxPoint(100, 80), wxSize(600, 500));
  parent.Show();
  auto* notice = new CValidatingDlg(&parent);
  EXPECT_TRUE(notice->IsShown());
  EXPECT_EQ(notice->GetTitle(), "");
  EXPECT_FALSE(notice->HasFlag(wxCAPTION));
  bool found = false;
  for (wxWindow* child : notice->GetChildren())
    if (auto* text = dynamic_cast<const wxStaticText*>(child)) {
      found = text->GetLabel() == "Validating story...";
      // The text is centred in the notice.
      const wxRect rect = text->GetRect();
      EXPECT_EQ(rect.x, 0);
      EXPECT_EQ(rect.width, notice->GetClientSize().x);
      EXPECT_NEAR(rect.y + rect.height / 2.0, notice->GetClientSize().y / 2.0, 1.0);
    }
  EXPECT_TRUE(found);
  const wxRect frame = parent.GetRect(), own = notice->GetRect();
  EXPECT_NEAR(own.x + own.width / 2.0, frame.x + frame.width / 2.0, 2.0);
  EXPECT_NEAR(own.y + own.height / 2.0, frame.y + frame.height / 2.0, 2.0);
  notice->Destroy();
}

}  // namespace
