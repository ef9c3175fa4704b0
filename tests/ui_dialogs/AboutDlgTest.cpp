#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "game/SettingsStore.h"
#include "res/CompressedText.h"
#include "tests/support/TestFiles.h"
#include "tests/ui_dialogs/DialogTestSupport.h"
#include "tests/ui_dialogs/RealInput.h"
#include "ui/AboutCompanyDlg.h"
#include "ui/AboutDlg.h"
#include "ui/TextWnd.h"

namespace {

using testing_support::TempDir;

std::string SourceText(const std::string& name) {
  return testing_support::ReadFile(testing_support::SourceDir() + "/res/texts/" + name);
}

wxFont FontOf(wxWindow* dialog, int id) { return Control<wxStaticText>(dialog, id)->GetFont(); }

class AboutBoxes : public ::testing::Test {
 protected:
  TempDir m_folder;
  CSettingsStore m_store{m_folder / "settings.conf"};
};

TEST_F(AboutBoxes, CaptionCarriesTheProgramsVersion) {
  EXPECT_EQ(ProgramVersionSuffix(), wxString::Format(" v%d.%d%d", FABLEWICK_VERSION_MAJOR,
                                                     FABLEWICK_VERSION_MINOR, FABLEWICK_VERSION_PATCH));
  CAboutDlg about(nullptr, m_store);
  EXPECT_EQ(about.GetTitle(), "About Fablewick" + ProgramVersionSuffix());
}

TEST_F(AboutBoxes, AboutBoxLinesTakeTheirFonts) {
  CAboutDlg about(nullptr, m_store);
  for (int id : {1011, 1012}) {
    EXPECT_EQ(FontOf(&about, id).GetPointSize(), 11) << id;
    EXPECT_EQ(FontOf(&about, id).GetWeight(), wxFONTWEIGHT_BOLD) << id;
  }
  for (int id : {1016, 1017, 1018}) {
    EXPECT_EQ(FontOf(&about, id).GetPointSize(), 9) << id;
    EXPECT_EQ(FontOf(&about, id).GetWeight(), wxFONTWEIGHT_BOLD) << id;
  }
  for (int id : {1013, 1014, 1015}) {
    EXPECT_EQ(FontOf(&about, id).GetPointSize(), 8) << id;
    EXPECT_EQ(FontOf(&about, id).GetStyle(), wxFONTSTYLE_ITALIC) << id;
  }
  for (int id = 1011; id <= 1021; ++id) EXPECT_FALSE(Control<wxStaticText>(&about, id)->GetLabel().empty());
}

TEST_F(AboutBoxes, ButtonsEndTheAboutBoxWithTheirResults) {
  {
    CAboutDlg about(nullptr, m_store);
    EXPECT_EQ(RunModal(about, [&] { Click(&about, CAboutDlg::IDC_ABOUT_MAKERS); }), 1009);
  }
  {
    CAboutDlg about(nullptr, m_store);
    EXPECT_EQ(RunModal(about, [&] { Click(&about, wxID_OK); }), wxID_OK);
  }
  CAboutCompanyDlg makers(nullptr, m_store);
  EXPECT_EQ(RunModal(makers, [&] { Click(&makers, wxID_OK); }), wxID_OK);
}

TEST_F(AboutBoxes, ResultOfTheMakersButtonOpensTheMakersBox) {
  std::vector<std::string> shown;
  CModalAnswers boxes([&](wxDialog* dialog) {
    shown.push_back(dynamic_cast<CAboutCompanyDlg*>(dialog) ? "makers"
                    : dynamic_cast<CAboutDlg*>(dialog)      ? "about"
                                                            : "other");
    return true;
  });
  boxes.answers = {CAboutDlg::IDC_ABOUT_MAKERS, wxID_OK};
  ShowAboutBoxes(nullptr, m_store);
  EXPECT_EQ(shown, (std::vector<std::string>{"about", "makers"}));
  boxes.answers = {wxID_OK};
  shown.clear();
  ShowAboutBoxes(nullptr, m_store);
  EXPECT_EQ(shown, (std::vector<std::string>{"about"}));
}

TEST_F(AboutBoxes, ProgramButtonOpensOneTextWindowAndClosingSavesItsRectangle) {
  CTextWnd* window = nullptr;
  {
    CAboutDlg about(nullptr, m_store);
    const int result = RunModal(about, [&] {
      Click(&about, CAboutDlg::IDC_ABOUT_PROGRAM);
      window = about.GetProgramTextWindow();
      ASSERT_NE(window, nullptr);
      EXPECT_TRUE(window->IsShown());
      EXPECT_EQ(window->GetTitle(), "About Fablewick");
      EXPECT_EQ(window->GetText(), SourceText("program.txt"));
      window->SetSize(wxRect(40, 50, 420, 300));
      window->Hide();  // the user closes it: it is only hidden
      Click(&about, CAboutDlg::IDC_ABOUT_PROGRAM);
      EXPECT_EQ(about.GetProgramTextWindow(), window);
      EXPECT_TRUE(window->IsShown());
      Click(&about, wxID_OK);
      EXPECT_EQ(about.GetProgramTextWindow(), nullptr);
    });
    EXPECT_EQ(result, wxID_OK);
  }
  const wxString saved = m_store.ReadString(kSettingsSection, "AboutRect", "");
  WindowRect rect;
  ASSERT_TRUE(ParseWindowRect(saved.utf8_string(), rect)) << saved;
  EXPECT_EQ(rect.left, 40);
  EXPECT_EQ(rect.top, 50);
  // Reopened, the window comes back where it was left.
  CAboutDlg about(nullptr, m_store);
  Click(&about, CAboutDlg::IDC_ABOUT_PROGRAM);
  ASSERT_NE(about.GetProgramTextWindow(), nullptr);
  EXPECT_EQ(about.GetProgramTextWindow()->GetPosition(), wxPoint(40, 50));
}

TEST_F(AboutBoxes, MakersBoxShowsBothPortraitsWithThePaletteHook) {
  CAboutCompanyDlg makers(nullptr, m_store);
  EXPECT_EQ(makers.GetTitle(), "About Tallowmere");
  for (int index : {0, 1}) {
    EXPECT_FALSE(makers.GetPortrait(index).IsEmpty()) << index;
    EXPECT_GT(makers.GetPortrait(index).GetWidth(), 0);
  }
  EXPECT_TRUE(makers.GetPaletteHandler().IsHooked());
  EXPECT_EQ(makers.GetPaletteHandler().GetHookedWindow(), &makers);
  EXPECT_EQ(makers.GetPaletteHandler().GetPalette(), &makers.GetPortrait(0).GetPalette());
  EXPECT_EQ(FontOf(&makers, CAboutCompanyDlg::IDC_MAKERS_NAME).GetPointSize(), 12);
  EXPECT_EQ(FontOf(&makers, CAboutCompanyDlg::IDC_MOTTO).GetStyle(), wxFONTSTYLE_ITALIC);
  EXPECT_EQ(FontOf(&makers, CAboutCompanyDlg::IDC_MOTTO).GetWeight(), wxFONTWEIGHT_BOLD);
}

TEST_F(AboutBoxes, MakersBoxButtonsOpenTheirTextWindowsAndSaveTheirRectangles) {
  {
    CAboutCompanyDlg makers(nullptr, m_store);
    const int result = RunModal(makers, [&] {
      const struct {
        int id;
        const char* caption;
        const char* text;
      } buttons[] = {{CAboutCompanyDlg::IDC_ABOUT_DESIGNER1, "About Marigold Quill", "marigold.txt"},
                     {CAboutCompanyDlg::IDC_ABOUT_DESIGNER2, "About Tobias Fairweather", "tobias.txt"},
                     {CAboutCompanyDlg::IDC_ABOUT_MAKERS, "About Tallowmere", "makers.txt"}};
      for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(makers.GetTextWindow(i), nullptr);
        Click(&makers, buttons[i].id);
        CTextWnd* window = makers.GetTextWindow(i);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->GetTitle(), buttons[i].caption);
        EXPECT_EQ(window->GetText(), SourceText(buttons[i].text));
        window->SetSize(wxRect(100 + 10 * i, 100, 400, 250));
      }
      Click(&makers, wxID_OK);
    });
    EXPECT_EQ(result, wxID_OK);
  }
  // The store was written through: a fresh store on the same file reads the rectangles.
  CSettingsStore reread(m_folder / "settings.conf");
  for (int i = 0; i < 3; ++i) {
    WindowRect rect;
    const std::string value = "bio" + std::to_string(i + 1);
    ASSERT_TRUE(ParseWindowRect(reread.ReadString(kSettingsSection, value, ""), rect)) << value;
    EXPECT_EQ(rect.left, 100 + 10 * i);
    EXPECT_EQ(rect.top, 100);
  }
}

// The boxes driven by hand, over the player's window: real clicks, and the close boxes as the
// window manager reports them.
class AboutBoxesByHand : public AboutBoxes {
 protected:
  void SetUp() override {
    m_player.Show();
    // The text windows open beside the box, where they cover none of its buttons.
    m_store.WriteString(kSettingsSection, "AboutRect", "900,40,1200,240");
    m_store.WriteString(kSettingsSection, "bio1", "900,40,1200,240");
    m_store.WriteString(kSettingsSection, "bio2", "900,300,1200,500");
    m_store.WriteString(kSettingsSection, "bio3", "900,560,1200,760");
  }

  static bool IsOpen(CTextWnd* window) { return window && window->IsShown(); }

  wxFrame m_player{nullptr, wxID_ANY, "Fablewick", wxPoint(40, 40), wxSize(300, 400)};

  // A click on the box's button opens its text window.
  static void OpenProgramTextWindow(CAboutDlg& about) {
    ASSERT_TRUE(WaitUntil([&] { return about.IsShown(); }));
    ClickOnScreen(about.FindWindow(CAboutDlg::IDC_ABOUT_PROGRAM));
    ASSERT_TRUE(WaitUntil([&] { return IsOpen(about.GetProgramTextWindow()); }));
  }
};

TEST_F(AboutBoxesByHand, OKEndsTheAboutBoxAfterItsTextWindowWasClosed) {
  CAboutDlg about(&m_player, m_store);
  const int result = RunModal(about, [&] {
    OpenProgramTextWindow(about);
    if (HasFatalFailure()) return;
    PressCloseBox(about.GetProgramTextWindow());
    ASSERT_TRUE(WaitUntil([&] { return !IsOpen(about.GetProgramTextWindow()); }));
    ClickOnScreen(about.FindWindow(wxID_OK));
    EXPECT_TRUE(WaitUntil([&] { return !about.IsModal(); })) << "the box takes no click";
  });
  EXPECT_EQ(result, wxID_OK);
  EXPECT_FALSE(about.IsShown());
  EXPECT_EQ(about.GetProgramTextWindow(), nullptr);
}

TEST_F(AboutBoxesByHand, TheCloseBoxEndsTheAboutBoxWithItsTextWindow) {
  CAboutDlg about(&m_player, m_store);
  const int result = RunModal(about, [&] {
    OpenProgramTextWindow(about);
    if (HasFatalFailure()) return;
    PressCloseBox(&about);
    EXPECT_TRUE(WaitUntil([&] { return !about.IsModal(); })) << "the box ignores its close box";
  });
  EXPECT_NE(result, kScriptLeftOpen);
  EXPECT_NE(result, CAboutDlg::IDC_ABOUT_MAKERS);
  EXPECT_EQ(about.GetProgramTextWindow(), nullptr);
  WindowRect rect;
  ASSERT_TRUE(ParseWindowRect(m_store.ReadString(kSettingsSection, "AboutRect", ""), rect));
  EXPECT_EQ(wxPoint(rect.left, rect.top), wxPoint(900, 40)) << "the text window's place is kept";
}

TEST_F(AboutBoxesByHand, MakersBoxOpensTextWindowsSideBySideAndEndsWithOK) {
  CAboutCompanyDlg makers(&m_player, m_store);
  const int result = RunModal(makers, [&] {
    ASSERT_TRUE(WaitUntil([&] { return makers.IsShown(); }));
    ClickOnScreen(makers.FindWindow(CAboutCompanyDlg::IDC_ABOUT_DESIGNER1));
    ASSERT_TRUE(WaitUntil([&] { return IsOpen(makers.GetTextWindow(0)); }));
    ClickOnScreen(makers.FindWindow(CAboutCompanyDlg::IDC_ABOUT_DESIGNER2));
    ASSERT_TRUE(WaitUntil([&] { return IsOpen(makers.GetTextWindow(1)); })) << "the second portrait button";
    EXPECT_TRUE(IsOpen(makers.GetTextWindow(0))) << "both biographies show at once";
    ClickOnScreen(makers.FindWindow(CAboutCompanyDlg::IDC_ABOUT_MAKERS));
    ASSERT_TRUE(WaitUntil([&] { return IsOpen(makers.GetTextWindow(2)); }));
    for (int i = 0; i < 3; ++i) {
      PressCloseBox(makers.GetTextWindow(i));
      EXPECT_TRUE(WaitUntil([&] { return !IsOpen(makers.GetTextWindow(i)); })) << i;
    }
    ClickOnScreen(makers.FindWindow(wxID_OK));
    EXPECT_TRUE(WaitUntil([&] { return !makers.IsModal(); })) << "the box takes no click";
  });
  EXPECT_EQ(result, wxID_OK);
  EXPECT_FALSE(makers.IsShown());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(makers.GetTextWindow(i), nullptr) << i;
}

TEST_F(AboutBoxes, IconsShowTheBoxThroughTheirTransparentParts) {
  CAboutDlg about(nullptr, m_store);
  RunModal(about, [&] {
    ASSERT_TRUE(WaitUntil([&] { return about.IsShown(); }));
    LetEventsArrive();
    int icons = 0;
    for (wxWindow* child : about.GetChildren()) {
      if (!dynamic_cast<wxStaticBitmap*>(child)) continue;
      ++icons;
      const wxImage shown = ScreenImage(child->GetScreenRect());
      int maskColour = 0;
      for (int y = 0; y < shown.GetHeight(); ++y)
        for (int x = 0; x < shown.GetWidth(); ++x)
          maskColour += shown.GetRed(x, y) == 255 && shown.GetGreen(x, y) == 0 && shown.GetBlue(x, y) == 255;
      EXPECT_EQ(maskColour, 0) << "icon " << icons;
    }
    EXPECT_EQ(icons, 2);
  });
}

TEST_F(AboutBoxes, TextWindowTakesUserInputWhileTheAboutBoxIsModal) {
  CAboutDlg about(nullptr, m_store);
  int topLine = -1;
  RunModal(about, [&] {
    Click(&about, CAboutDlg::IDC_ABOUT_PROGRAM);
    CTextWnd* window = about.GetProgramTextWindow();
    ASSERT_NE(window, nullptr);
    // Out of the way of the windows other tests show at the same time.
    window->SetSize(wxRect(wxGetDisplaySize().x - 330, 40, 300, 200));
    LetEventsArrive();
    // A real click into the text and the End key, through the display server.
    const wxRect view = window->GetTextView()->GetScreenRect();
    wxUIActionSimulator user;
    user.MouseMove(view.x + view.width / 2, view.y + view.height / 2);
    LetEventsArrive();
    user.MouseClick();
    LetEventsArrive();
    user.Char(WXK_END);
    LetEventsArrive();
    topLine = window->GetTopLine();
    EXPECT_EQ(topLine, window->GetLineCount());
    Click(&about, wxID_OK);
  });
  EXPECT_GT(topLine, 0);
}

}  // namespace
