// The zoomed view: the layout multiplied, the automatic size, the zoom kept between runs, the
// window kept on the screen, and full screen.
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include "tests/ui/PlayerFixture.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyButton.h"
#include "ui/OptionArea.h"
#include "ui/ViewLayout.h"

namespace {

class ZoomTest : public PlayerFixture {};

TEST_F(ZoomTest, TheLayoutAtTwoAndThreeTimesIsTheOneTimesLayoutMultiplied) {
  StartPlayer();
  auto layout = [this] {
    std::vector<wxRect> rects = {wxRect(View().GetClientSize()), wxRect(View().GetPicturePoint(), wxSize()),
                                 wxRect(View().GetTextPoint(), wxSize()),
                                 wxRect(0, 0, View().GetTextLineHeight(), View().GetLineHeight()),
                                 View().GetBeginButton()->GetRect(), View().GetNewGameButton()->GetRect(),
                                 View().GetLoadGameButton()->GetRect()};
    for (int i = 0; i < 4; ++i) {
      rects.push_back(View().GetOptionButton(i)->GetRect());
      rects.push_back(View().GetOptionArea(i)->GetRect());
    }
    return rects;
  };
  const std::vector<wxRect> base = layout();
  ASSERT_EQ(base[0].width, 248);
  for (int zoom : {2, 3}) {
    ChooseMenuCommand(res::ID_VIEW_ZOOM_IN);
    Pump();
    ASSERT_EQ(View().GetZoom(), zoom);
    // The frame follows where the screen has room for it (the toolkit keeps windows within it).
    if (wxDisplay(0u).GetGeometry().GetHeight() > base[0].height * zoom + 100) {
      EXPECT_EQ(Frame().GetClientSize(), base[0].GetSize() * zoom);
    }
    const std::vector<wxRect> zoomed = layout();
    for (size_t i = 0; i < base.size(); ++i) {
      const wxRect& r = base[i];
      EXPECT_EQ(zoomed[i], wxRect(r.x * zoom, r.y * zoom, r.width * zoom, r.height * zoom)) << "rectangle " << i;
    }
  }
  ChooseMenuCommand(res::ID_VIEW_ACTUAL_SIZE);
  Pump();
  EXPECT_EQ(layout(), base) << "back at 1× everything is where it was";
}

TEST_F(ZoomTest, AutomaticSizeIsTheLargestThatFitsNineTenthsOfTheWorkArea) {
  Store().WriteInt(kSettingsSection, "Zoom", 0);
  StartPlayer();
  const wxSize client = View().GetBaseClientSize();
  const wxSize decoration = Frame().GetSize() - Frame().GetClientSize();
  // The window's own bars, and a title bar of 30 pixels where a window manager adds one.
  for (const wxSize& extra : {decoration, decoration + wxSize(0, 30)}) {
    EXPECT_EQ(AutomaticZoom(wxSize(800, 600), client, extra), 1);
    EXPECT_EQ(AutomaticZoom(wxSize(1920, 1040), client, extra), 2);
    EXPECT_EQ(AutomaticZoom(wxSize(3840, 2120), client, extra), 4);
    EXPECT_EQ(AutomaticZoom(wxSize(200, 150), client, extra), 1) << "never below 1";
  }
  // The first run takes the automatic size for this display.
  const wxSize work = wxDisplay(0u).GetClientArea().GetSize();
  EXPECT_EQ(View().GetZoom(), AutomaticZoom(work, client, decoration));
  EXPECT_EQ(Frame().GetClientSize(), client * View().GetZoom());
}

TEST_F(ZoomTest, TheChosenZoomIsKeptBetweenRuns) {
  StartPlayer();
  ChooseMenuCommand(res::ID_VIEW_ZOOM_IN);
  EXPECT_EQ(View().GetZoom(), 2);
  ClosePlayer();
  ReopenSettings();
  EXPECT_EQ(Store().ReadInt(kSettingsSection, "Zoom", -1), 2);
  StartPlayer();
  EXPECT_EQ(View().GetZoom(), 2);
  EXPECT_EQ(Frame().GetClientSize().x, 496);

  ChooseMenuCommand(res::ID_VIEW_AUTOMATIC_SIZE);
  EXPECT_EQ(View().GetZoom(), View().GetAutomaticZoom());
  ClosePlayer();
  ReopenSettings();
  EXPECT_EQ(Store().ReadInt(kSettingsSection, "Zoom", -1), 0) << "automatic, not the factor it came to";
}

TEST_F(ZoomTest, AGrownWindowIsMovedBackOntoTheScreen) {
  const wxRect work = wxDisplay(0u).GetClientArea();
  Store().WriteInt(kSettingsSection, "wp.left", work.GetRight() - 300);
  Store().WriteInt(kSettingsSection, "wp.top", work.GetBottom() - 500);
  Store().WriteInt(kSettingsSection, "wp.right", work.GetRight() - 50);
  Store().WriteInt(kSettingsSection, "wp.bottom", work.GetBottom() - 80);
  Store().WriteInt(kSettingsSection, "Zoom", 2);
  StartPlayer();
  ASSERT_TRUE(PumpUntil([&] { return work.Contains(Frame().GetRect()); })) << "the window lies at " << Frame().GetRect().x
                                                                          << "," << Frame().GetRect().y;
  EXPECT_EQ(Frame().GetClientSize().x, 496);
}

TEST_F(ZoomTest, FullScreenCentresTheViewAtTheLargestZoomAndEscLeavesIt) {
  StartPlayer();
  const wxSize base = View().GetBaseClientSize();
  const wxRect screen = wxDisplay(0u).GetGeometry();
  ChooseMenuCommand(res::ID_VIEW_FULL_SCREEN);
  ASSERT_TRUE(PumpUntil([&] { return Frame().IsFullScreen() && Frame().GetSize() == screen.GetSize(); }))
      << Frame().IsFullScreen() << " " << Frame().GetSize().x << "x" << Frame().GetSize().y << " client "
      << Frame().GetClientSize().x << "x" << Frame().GetClientSize().y << " pos " << Frame().GetPosition().x;
  Pump(10);
  const int zoom = View().GetZoom();
  EXPECT_TRUE(screen.Contains(wxRect(base * zoom)));
  EXPECT_TRUE(zoom == 4 || !screen.Contains(wxRect(base * (zoom + 1)))) << "zoom " << zoom;
  EXPECT_FALSE(IsMenuCommandEnabled(res::ID_VIEW_ZOOM_IN)) << "full screen chooses its own zoom";
  const wxRect view = View().GetScreenRect();
  EXPECT_EQ(view.GetSize(), base * zoom);
  EXPECT_NEAR(view.x + view.width / 2, screen.x + screen.width / 2, 1);
  EXPECT_NEAR(view.y + view.height / 2, screen.y + screen.height / 2, 1);
  EXPECT_FALSE(Frame().GetStatusBar()->IsShown());

  // Around the view, the frame's darkest colour.
  wxBitmap grab(1, 1, 24);
  {
    wxMemoryDC dc(grab);
    wxScreenDC screenDc;
    dc.Blit(0, 0, 1, 1, &screenDc, screen.x + 2, screen.y + screen.height - 3);
  }
  const wxImage corner = grab.ConvertToImage();
  const wxColour dark = View().GetDarkestFrameColour();
  EXPECT_EQ(wxColour(corner.GetRed(0, 0), corner.GetGreen(0, 0), corner.GetBlue(0, 0)), dark);

  wxUIActionSimulator input;
  input.MouseMove(view.GetPosition() + wxPoint(20, 20));
  Pump(10);
  input.Char(WXK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return !Frame().IsFullScreen(); }));
  Pump(10);
  EXPECT_EQ(View().GetZoom(), 1);
  // The menu and status bars take their room back as the toolkit lays the window out again.
  EXPECT_TRUE(PumpUntil([&] { return Frame().GetClientSize() == base; }))
      << Frame().GetClientSize().x << "x" << Frame().GetClientSize().y;
  EXPECT_EQ(View().GetPosition(), wxPoint(0, 0));
  EXPECT_TRUE(Frame().GetStatusBar()->IsShown());
}

TEST_F(ZoomTest, FullScreenHidesAPointerAtRestAndShowsItWhenItMoves) {
  StartPlayer();
  wxUIActionSimulator input;
  input.MouseMove(Frame().GetScreenPosition() + wxPoint(100, 100));
  Pump(10);
  ChooseMenuCommand(res::ID_VIEW_FULL_SCREEN);
  ASSERT_TRUE(PumpUntil([&] { return Frame().IsFullScreen(); }));
  EXPECT_FALSE(Frame().IsPointerHidden());
  ASSERT_TRUE(PumpUntil([&] { return Frame().IsPointerHidden(); }));
  input.MouseMove(wxGetMousePosition() + wxPoint(30, 10));
  EXPECT_TRUE(PumpUntil([&] { return !Frame().IsPointerHidden(); }));
  ChooseMenuCommand(res::ID_VIEW_FULL_SCREEN);
  EXPECT_TRUE(PumpUntil([&] { return !Frame().IsFullScreen(); }));
}

}  // namespace
