// Mouse-over tracking: the option text under the pointer is highlighted, and registered
// windows hear when the pointer is over them and, once, when it has left.
#include <wx/frame.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include "tests/ui/PlayerFixture.h"
#include "ui/MouseOverEvent.h"
#include "ui/MouseOverList.h"
#include "ui/MyBitmapButton.h"
#include "ui/OptionArea.h"

namespace {

// Records the notices a window receives.
struct NoticeLog {
  std::vector<std::string> notices;
  std::vector<wxPoint> points;
  void Attach(wxWindow& window) {
    window.Bind(EVT_MOUSE_OVER, [this](CMouseOverEvent& e) {
      notices.push_back("over");
      points.push_back(e.GetPoint());
      e.Skip();
    });
    window.Bind(EVT_MOUSE_LEFT, [this](CMouseOverEvent& e) {
      notices.push_back("left");
      e.Skip();
    });
  }
  std::string Text() const {
    std::string text;
    for (const std::string& n : notices) text += n + " ";
    return text;
  }
};

TEST(MouseOverList, RegistersEachWindowOnceAndForgetsIt) {
  wxFrame frame(nullptr, wxID_ANY, "list");
  wxWindow a(&frame, wxID_ANY), b(&frame, wxID_ANY);
  CMouseOverList list;
  list.Register(&a);
  list.Register(&b);
  list.Register(&a);
  ASSERT_EQ(list.Records().size(), 2u);
  EXPECT_EQ(list.Records()[0].pWnd, &a);
  EXPECT_EQ(list.Records()[0].nState, 2);
  list.Unregister(&a);
  ASSERT_EQ(list.Records().size(), 1u);
  EXPECT_EQ(list.Records()[0].pWnd, &b);
  list.Unregister(&a);
  EXPECT_EQ(list.Records().size(), 1u);
}

TEST(MouseOverList, LeftIsSentOnceAfterTheWindowWasEntered) {
  wxFrame frame(nullptr, wxID_ANY, "list", wxPoint(30, 40), wxSize(200, 100));
  wxWindow a(&frame, wxID_ANY, wxPoint(0, 0), wxSize(50, 50));
  wxWindow b(&frame, wxID_ANY, wxPoint(60, 0), wxSize(50, 50));
  frame.Show();
  for (int i = 0; i < 2000 && !a.IsShownOnScreen(); ++i) {
    wxYield();
    wxMilliSleep(2);
  }
  NoticeLog log;
  log.Attach(a);
  CMouseOverList list;
  list.Register(&a);

  list.Track(&b, wxPoint(70, 10));
  list.Track(nullptr, wxPoint(5000, 10));
  EXPECT_EQ(log.Text(), "") << "a window the pointer never entered hears nothing";

  const wxPoint inside = a.ClientToScreen(wxPoint(7, 9));
  list.Track(&a, inside);
  ASSERT_EQ(log.Text(), "over ");
  EXPECT_EQ(log.points.back(), wxPoint(7, 9));
  EXPECT_EQ(list.Records()[0].nState, 0);

  list.Track(&b, wxPoint(70, 10));
  list.Track(&b, wxPoint(71, 10));
  list.Track(nullptr, wxPoint(5000, 10));
  EXPECT_EQ(log.Text(), "over left ") << "exactly one left notice";
  EXPECT_EQ(list.Records()[0].nState, 1);

  list.Track(&a, inside);
  list.Track(&a, inside);
  EXPECT_EQ(log.Text(), "over left over over ");
}

class HoverTest : public PlayerFixture {
 protected:
  void SetUp() override {
    PlayerFixture::SetUp();
    WriteStory(StoryDir("Rooms"),
               "[Title]\n@NAME Rooms\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Hall\n"
               "[Hall]\n@IMAGE x.bmp\n@OPTION1 North\n@LINK1 Hall\n@OPTION2 East\n@LINK2 Hall\n"
               "@OPTION3 South\n@LINK3 Cellar\n[Cellar]\n@IMAGE x.bmp\n@OPTION1 Up\n@LINK1 Hall\n");
    WriteSolidBmp(StoryDir("Rooms") + "/x.bmp", 8, 8, 0x204060);
    StartPlayer();
    StartStory("Rooms");
  }

  // A mouse motion as the toolkit delivers it to window, at point in its client coordinates.
  void MoveTo(wxWindow& window, const wxPoint& point) {
    wxMouseEvent event(wxEVT_MOTION);
    event.SetPosition(point);
    event.SetEventObject(&window);
    window.GetEventHandler()->ProcessEvent(event);
  }

  std::string Highlighted() {
    std::string rows;
    for (int i = 0; i < 4; ++i) rows += View().GetOptionArea(i)->IsHover() ? '1' : '0';
    return rows;
  }

  wxPoint Middle(const wxRect& rect) { return rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2); }
};

TEST_F(HoverTest, HighlightMovesFromOneTextToTheNextInOneStep) {
  ASSERT_TRUE(PumpUntil([&] { return View().IsShownOnScreen(); }));
  MoveTo(View(), Middle(View().GetOptionArea(1)->GetRect()));
  EXPECT_EQ(Highlighted(), "0100");
  MoveTo(View(), Middle(View().GetOptionArea(2)->GetRect()));
  EXPECT_EQ(Highlighted(), "0010");
  // Over the text itself the pointer goes through to the view.
  COptionArea& first = *View().GetOptionArea(0);
  MoveTo(first, wxPoint(4, 4));
  EXPECT_EQ(Highlighted(), "1000");
}

TEST_F(HoverTest, LeavingTheViewClearsTheHighlight) {
  MoveTo(View(), Middle(View().GetOptionArea(1)->GetRect()));
  ASSERT_EQ(Highlighted(), "0100");
  NoticeLog log;
  log.Attach(View());
  wxStatusBar& status = *Frame().GetStatusBar();
  MoveTo(status, wxPoint(5, 5));
  MoveTo(status, wxPoint(6, 5));
  EXPECT_EQ(Highlighted(), "0000");
  EXPECT_EQ(log.Text(), "left ");
}

TEST_F(HoverTest, ThePicturePartOfTheViewHighlightsNothing) {
  MoveTo(View(), Middle(View().GetOptionArea(0)->GetRect()));
  MoveTo(View(), wxPoint(100, 60));
  EXPECT_EQ(Highlighted(), "0000");
}

TEST_F(HoverTest, HiddenTextsAreNeverHighlighted) {
  MoveTo(View(), Middle(View().GetOptionArea(3)->GetRect()));
  EXPECT_EQ(Highlighted(), "0000");
}

TEST_F(HoverTest, AChosenTextIsNotHighlightedWhenItsSceneComesBack) {
  // Real clicks: the pointer chooses South by its text, then Up by its button.
  wxUIActionSimulator user;
  auto clickAt = [&](const wxRect& rect) {
    user.MouseMove(rect.x + rect.width / 2, rect.y + rect.height / 2);
    Pump(10);
    user.MouseClick();
    Pump(10);
  };
  Frame().Raise();
  Pump(10);
  clickAt(View().GetOptionArea(2)->GetScreenRect());
  ASSERT_EQ(Doc().GetSceneName(), "Cellar");
  clickAt(View().GetOptionButton(0)->GetScreenRect());
  ASSERT_EQ(Doc().GetSceneName(), "Hall");
  EXPECT_EQ(Highlighted(), "0000") << "the pointer is over a button, not over a text";
}

}  // namespace
