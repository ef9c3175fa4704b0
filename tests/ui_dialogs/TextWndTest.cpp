#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/scrolwin.h>

#include "game/SettingsStore.h"
#include "res/Resources.h"
#include "tests/support/TestFiles.h"
#include "tests/ui_dialogs/DialogTestSupport.h"
#include "tools/textpack/TextPacker.h"
#include "ui/TextWnd.h"

namespace {

using testing_support::TempDir;

// Text resources of the tests: a long text of numbered lines, and one whose size does not
// match its header.
constexpr unsigned kNumberedText = 9101;
constexpr unsigned kMismatchedText = 9102;

std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "Line " + std::to_string(i) + "\n";
  return text;
}

void RegisterTestTexts() {
  static const std::vector<uint8_t> numbered = PackTextResource(NumberedLines(60));
  // Its first bytes, read as a header, give a size far beyond its own.
  static const std::string mismatched = "Plain words.\nNo header here.";
  static const res::ResourceEntry entries[] = {
      {res::ResourceType::RawData, kNumberedText, numbered.data(), numbered.size()},
      {res::ResourceType::RawData, kMismatchedText, reinterpret_cast<const uint8_t*>(mismatched.data()),
       mismatched.size()},
  };
  static const bool registered = (res::RegisterResources(entries, 2), true);
  (void)registered;
}

class TextWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestTexts();
    m_owner = new wxFrame(nullptr, wxID_ANY, "Owner", wxPoint(200, 200), wxSize(300, 200));
    m_owner->Show();
  }
  void TearDown() override {
    delete m_window;
    m_owner->Destroy();
  }
  CTextWnd* Open(unsigned resource) {
    m_window = new CTextWnd();
    m_window->SetSource(resource);
    EXPECT_TRUE(m_window->Create(m_owner));
    m_window->Show();
    return m_window;
  }
  void SendScroll(wxEventType type, int position = 0) {
    wxScrollWinEvent event(type, position, wxVERTICAL);
    event.SetEventObject(m_window->GetTextView());
    m_window->GetTextView()->GetEventHandler()->ProcessEvent(event);
  }
  void PressKey(int keyCode) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = keyCode;
    event.SetEventObject(m_window->GetTextView());
    m_window->GetTextView()->GetEventHandler()->ProcessEvent(event);
  }

  TempDir m_folder;
  wxFrame* m_owner = nullptr;
  CTextWnd* m_window = nullptr;
};

TEST_F(TextWindow, LaysOutWholeLinesOfTheDecodedText) {
  CTextWnd* window = Open(kNumberedText);
  EXPECT_EQ(window->GetText(), NumberedLines(60));
  EXPECT_EQ(window->GetLineCount(), 60);
  EXPECT_EQ(window->GetLines()[59], "Line 60");
  ASSERT_GT(window->GetLineHeight(), 0);
  const int height = window->GetTextView()->GetClientSize().y;
  EXPECT_EQ(window->GetPageLines(), height / window->GetLineHeight());
  EXPECT_EQ(height % window->GetLineHeight(), 0) << "the window shows whole lines only";
  EXPECT_GE(window->GetPageLines(), 3);
  EXPECT_EQ(window->GetTextView()->GetScrollRange(wxVERTICAL), 61);
  EXPECT_EQ(window->GetTextView()->GetScrollThumb(wxVERTICAL), window->GetPageLines() - 1);
}

TEST_F(TextWindow, ScrollBarRequestsFollowTheScrollingTable) {
  CTextWnd* window = Open(kNumberedText);
  const int page = window->GetPageLines();
  SendScroll(wxEVT_SCROLLWIN_LINEDOWN);
  EXPECT_EQ(window->GetTopLine(), 1);
  EXPECT_EQ(window->GetTextView()->GetScrollPos(wxVERTICAL), 1);
  SendScroll(wxEVT_SCROLLWIN_PAGEDOWN);
  EXPECT_EQ(window->GetTopLine(), 1 + page - 1);
  SendScroll(wxEVT_SCROLLWIN_LINEUP);
  EXPECT_EQ(window->GetTopLine(), page - 1);
  SendScroll(wxEVT_SCROLLWIN_PAGEUP);
  EXPECT_EQ(window->GetTopLine(), 0);
  SendScroll(wxEVT_SCROLLWIN_THUMBTRACK, 17);
  EXPECT_EQ(window->GetTopLine(), 17);
  SendScroll(wxEVT_SCROLLWIN_THUMBRELEASE, 12);
  EXPECT_EQ(window->GetTopLine(), 12);
  SendScroll(wxEVT_SCROLLWIN_BOTTOM);
  EXPECT_EQ(window->GetTopLine(), 60);
  // The bar stops where the last page shows.
  EXPECT_EQ(window->GetTextView()->GetScrollPos(wxVERTICAL), 61 - (page - 1));
  SendScroll(wxEVT_SCROLLWIN_LINEUP);
  EXPECT_EQ(window->GetTopLine(), 60 - page + 1);
  SendScroll(wxEVT_SCROLLWIN_TOP);
  EXPECT_EQ(window->GetTopLine(), 0);
}

TEST_F(TextWindow, KeysScrollTheText) {
  CTextWnd* window = Open(kNumberedText);
  const int page = window->GetPageLines();
  PressKey(WXK_DOWN);
  PressKey('M');
  EXPECT_EQ(window->GetTopLine(), 2);
  PressKey('I');
  EXPECT_EQ(window->GetTopLine(), 1);
  PressKey(WXK_UP);
  EXPECT_EQ(window->GetTopLine(), 0);
  PressKey(WXK_PAGEDOWN);
  EXPECT_EQ(window->GetTopLine(), page - 1);
  PressKey(WXK_PAGEUP);
  EXPECT_EQ(window->GetTopLine(), 0);
  PressKey(WXK_END);
  EXPECT_EQ(window->GetTopLine(), 60);
  PressKey(WXK_HOME);
  EXPECT_EQ(window->GetTopLine(), 0);
  PressKey('X');  // other keys scroll nothing
  EXPECT_EQ(window->GetTopLine(), 0);
}

TEST_F(TextWindow, RectangleIsSavedAndRestoredThroughTheSettings) {
  CSettingsStore store(m_folder / "settings.conf");
  CTextWnd* window = Open(kNumberedText);
  window->SetSize(wxRect(120, 90, 400, 260));
  window->KeepWindowRect();
  window->SaveRect(store, kSettingsSection, "bio2");
  EXPECT_EQ(store.ReadString(kSettingsSection, "bio2", ""),
            FormatWindowRect({120, 90, 520, 90 + window->GetSize().y}));
  // Loading a different rectangle moves the window there.
  store.WriteString(kSettingsSection, "bio2", "300,200,700,500");
  window->LoadRect(store, kSettingsSection, "bio2");
  EXPECT_EQ(window->GetPosition(), wxPoint(300, 200));
  EXPECT_EQ(window->GetSize().x, 400);
  // Too few numbers change nothing.
  store.WriteString(kSettingsSection, "bio2", "1,2,3");
  window->LoadRect(store, kSettingsSection, "bio2");
  EXPECT_EQ(window->GetPosition(), wxPoint(300, 200));
}

TEST_F(TextWindow, StoredRectangleIsCutToTheScreenAndIgnoredOffEveryDisplay) {
  CSettingsStore store(m_folder / "settings.conf");
  const wxSize screen = wxGetDisplaySize();
  store.WriteString(kSettingsSection, "wide", "10,20," + std::to_string(screen.x + 900) + ",400");
  m_window = new CTextWnd();
  m_window->SetSource(kNumberedText);
  m_window->LoadRect(store, kSettingsSection, "wide");
  ASSERT_TRUE(m_window->Create(m_owner));
  EXPECT_EQ(m_window->GetPosition(), wxPoint(10, 20));
  EXPECT_EQ(m_window->GetSize().x, screen.x - 10);
  delete m_window;

  store.WriteString(kSettingsSection, "gone", "-3000,100,-2500,400");
  m_window = new CTextWnd();
  m_window->SetSource(kNumberedText);
  m_window->LoadRect(store, kSettingsSection, "gone");
  ASSERT_TRUE(m_window->Create(m_owner));
  EXPECT_GE(m_window->GetPosition().x, 0);  // centred on its owner instead
  // A rectangle without width is never written.
  CSettingsStore other(m_folder / "other.conf");
  store.WriteString(kSettingsSection, "flat", "5,5,5,300");
  CTextWnd flat;
  flat.LoadRect(store, kSettingsSection, "flat");
  flat.SaveRect(other, kSettingsSection, "flat");
  EXPECT_EQ(other.ReadString(kSettingsSection, "flat", "none"), "none");
}

TEST_F(TextWindow, MismatchedResourceShowsItsRawBytesAndFilesShowTheirText) {
  CTextWnd* window = Open(kMismatchedText);
  EXPECT_EQ(window->GetText(), "Plain words.\nNo header here.");
  EXPECT_EQ(window->GetLineCount(), 2);
  delete m_window;
  m_window = nullptr;

  testing_support::WriteFile(m_folder / "notes.txt", "first\tsecond\r\nthird\n");
  m_window = new CTextWnd();
  m_window->SetSource(m_folder / "notes.txt");
  ASSERT_TRUE(m_window->Create(m_owner));
  EXPECT_EQ(m_window->GetTitle(), wxString::FromUTF8(m_folder / "notes.txt"));
  EXPECT_EQ(m_window->GetText(), "first\tsecond\r\nthird\n");
  EXPECT_EQ(m_window->GetLineCount(), 2);
  // The title stays once set.
  m_window->SetTitle("Another", 0);
  EXPECT_EQ(m_window->GetTitle(), wxString::FromUTF8(m_folder / "notes.txt"));
}

TEST_F(TextWindow, ClosingHidesTheWindowInsteadOfDestroyingIt) {
  CTextWnd* window = Open(kNumberedText);
  EXPECT_TRUE(window->IsShown());
  window->Close();
  EXPECT_FALSE(window->IsShown());
  EXPECT_FALSE(window->IsBeingDeleted());
}

}  // namespace
