// Every dialog at its template size under the desktop's theme: no control's text clipped, none
// over another or outside the dialog.
#include <memory>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/listbox.h>

#include "tests/ui_dialogs/DialogTestSupport.h"
#include "ui/DialogLayout.h"
#include "game/SettingsStore.h"
#include "tests/support/TestFiles.h"
#include "ui/AboutCompanyDlg.h"
#include "ui/AboutDlg.h"
#include "ui/OptionsDlg.h"
#include "ui/SelectStoryDlg.h"
#include "ui/StoryErrorsDlg.h"
#include "ui/UnusedResourcesDlg.h"
#include "ui/ValidatingDlg.h"

namespace {

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The dialog's client area is at least its template size in dialog units.
void ExpectTemplateSize(wxWindow* dialog, int width, int height) {
  const wxSize expected = dialog->ConvertDialogToPixels(wxSize(width, height));
  EXPECT_GE(dialog->GetClientSize().x, expected.x);
  EXPECT_GE(dialog->GetClientSize().y, expected.y);
}

TEST(DialogLayout, TextControlsGrowToTheirTextAndTheDialogHoldsThem) {
  wxDialog dialog(nullptr, wxID_ANY, "Layout");
  CDialogLayout layout(&dialog);
  auto* button = new wxButton(&dialog, wxID_ANY, "A label far longer than its template");
  layout.Place(button, 7, 7, 20, 4);
  auto* list = new wxListBox(&dialog, wxID_ANY);
  layout.Place(list, 7, 30, 10, 6);
  layout.SetClientSize(40, 20);
  EXPECT_EQ(button->GetPosition(), dialog.ConvertDialogToPixels(wxPoint(7, 7)));
  EXPECT_GE(button->GetSize().x, button->GetBestSize().x);
  EXPECT_GE(button->GetSize().y, button->GetBestSize().y);
  // A list keeps its template size, however many lines it may show.
  EXPECT_EQ(list->GetSize(), dialog.ConvertDialogToPixels(wxSize(10, 6)));
  EXPECT_GT(dialog.GetClientSize().x, button->GetRect().GetRight());
  EXPECT_GT(dialog.GetClientSize().y, list->GetRect().GetBottom());

  // Controls that fit keep their template rectangles, and so does the dialog.
  wxDialog roomy(nullptr, wxID_ANY, "Layout");
  CDialogLayout roomyLayout(&roomy);
  auto* ok = new wxButton(&roomy, wxID_OK, "OK");
  roomyLayout.Place(ok, 10, 10, 60, 20);
  roomyLayout.Place(new wxButton(&roomy, wxID_CANCEL, "Cancel"), 10, 28, 60, 20);
  roomyLayout.SetClientSize(100, 50);
  EXPECT_EQ(ok->GetRect(), roomyLayout.ToPixels(10, 10, 60, 20));
  EXPECT_EQ(roomy.GetClientSize(), roomy.ConvertDialogToPixels(wxSize(100, 50)));
}

TEST(DialogLayout, OptionsDialogShowsEveryTextWhole) {
  COptionsDlg dialog(nullptr, CGameSettings(), {CDeviceEntry{"A very long synthesizer name 123", 0, false}},
                     {});
  dialog.InitDialog();
  ExpectTemplateSize(&dialog, 212, 270);
  const auto faults = LayoutFaults(&dialog);
  EXPECT_TRUE(faults.empty()) << Join(faults);
}

TEST(DialogLayout, StorySelectionDialogShowsEveryTextWhole) {
  StorySelection selection;
  selection.Stories = {{"A story", "/s/a/gamefile.txt", 1}};
  CSelectStoryDlg dialog(nullptr, selection, nullptr);
  dialog.InitDialog();
  ExpectTemplateSize(&dialog, 224, 184);
  auto faults = LayoutFaults(&dialog);
  EXPECT_TRUE(faults.empty()) << Join(faults);
  // The longer caption of the sorted list fits as well.
  selection.SortByName = true;
  CSelectStoryDlg sorted(nullptr, selection, nullptr);
  sorted.InitDialog();
  faults = LayoutFaults(&sorted);
  EXPECT_TRUE(faults.empty()) << Join(faults);
}

TEST(DialogLayout, StoryErrorsDialogHasItsTemplateSizeAndWholeTexts) {
  CStoryErrorsDlg dialog(nullptr);
  dialog.m_strStory = "Story";
  dialog.InitDialog();
  ExpectTemplateSize(&dialog, 307, 138);
  const auto faults = LayoutFaults(&dialog);
  EXPECT_TRUE(faults.empty()) << Join(faults);
}

TEST(DialogLayout, ValidatingNoticeHasItsTemplateSizeAndWholeText) {
  auto* notice = new CValidatingDlg(nullptr);
  ExpectTemplateSize(notice, 86, 13);
  const auto faults = LayoutFaults(notice);
  EXPECT_TRUE(faults.empty()) << Join(faults);
  notice->Destroy();
}

TEST(DialogLayout, UnusedResourcesDialogHasItsTemplateSizeAndWholeTexts) {
  CUnusedResourcesDlg dialog(nullptr, nullptr, {"a.wav"}, {}, {});
  dialog.InitDialog();
  ExpectTemplateSize(&dialog, 156, 159);
  const auto faults = LayoutFaults(&dialog);
  EXPECT_TRUE(faults.empty()) << Join(faults);
}

TEST(DialogLayout, AboutBoxesHaveTheirTemplateSizesAndWholeTexts) {
  testing_support::TempDir folder;
  CSettingsStore store(folder / "settings.conf");
  CAboutDlg about(nullptr, store);
  ExpectTemplateSize(&about, 187, 181);
  auto faults = LayoutFaults(&about);
  EXPECT_TRUE(faults.empty()) << Join(faults);
  CAboutCompanyDlg makers(nullptr, store);
  ExpectTemplateSize(&makers, 195, 161);
  faults = LayoutFaults(&makers);
  EXPECT_TRUE(faults.empty()) << Join(faults);
}

}  // namespace
