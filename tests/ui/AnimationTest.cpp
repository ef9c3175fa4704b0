// The animation timer: it runs while an animated scene shows, its ticks advance the frames,
// and it stops with the scene.
#include "tests/ui/PlayerFixture.h"

namespace {

class AnimationTest : public PlayerFixture {
 protected:
  void StartAnimatedStory(const std::string& speed) {
    WriteStory(StoryDir("Mill"),
               "[Title]\n@NAME Mill\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Wheel\n"
               "[Wheel]\n@ANIM a.bmp, b.bmp, c.bmp\n@ANIMSPEED " + speed + "\n@ANIMLOOP FOREVER\n"
               "@OPTION1 Stop\n@LINK1 Still\n"
               "[Still]\n@IMAGE a.bmp\n@OPTION1 Again\n@LINK1 Wheel\n");
    WriteSolidBmp(StoryDir("Mill") + "/a.bmp", 8, 8, 0xFF0000);
    WriteSolidBmp(StoryDir("Mill") + "/b.bmp", 8, 8, 0x00FF00);
    WriteSolidBmp(StoryDir("Mill") + "/c.bmp", 8, 8, 0x0000FF);
    StartPlayer();
    StartStory("Mill");
  }

  void Tick(int timerId = CVeskoGameView::kAnimationTimerId) {
    wxTimer timer(&View(), timerId);  // only gives the tick its id and owner
    wxTimerEvent tick(timer);
    View().GetEventHandler()->ProcessEvent(tick);
  }
};

TEST_F(AnimationTest, TicksAdvanceTheFramesOfAnAnimatedScene) {
  StartAnimatedStory("FAST");
  ASSERT_TRUE(View().IsAnimating());
  EXPECT_EQ(View().GetAnimationInterval(), 83);
  EXPECT_EQ(Doc().FrameIndex(), 0);
  Tick();
  EXPECT_EQ(Doc().FrameIndex(), 1);
  Tick();
  Tick();
  EXPECT_EQ(Doc().FrameIndex(), 0) << "a FOREVER animation starts over";
  Tick(7);
  EXPECT_EQ(Doc().FrameIndex(), 0) << "other timers are not the animation's";
}

TEST_F(AnimationTest, AFinishedAnimationIsNotPaintedAgain) {
  WriteStory(StoryDir("Once"), "[Title]\n@NAME Once\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Door\n"
                               "[Door]\n@ANIM a.bmp, b.bmp\n@ANIMSPEED SLOW\n");
  WriteSolidBmp(StoryDir("Once") + "/a.bmp", 8, 8, 0xFF0000);
  WriteSolidBmp(StoryDir("Once") + "/b.bmp", 8, 8, 0x00FF00);
  StartPlayer();
  StartStory("Once");
  ASSERT_TRUE(PumpUntil([&] { return View().IsShownOnScreen(); }));
  int paints = 0;
  auto count = [&paints](wxPaintEvent& event) {
    ++paints;
    event.Skip();
  };
  View().Bind(wxEVT_PAINT, count);
  Tick();
  EXPECT_EQ(Doc().FrameIndex(), 1);
  EXPECT_EQ(paints, 1) << "the new frame is painted at once";
  Tick();
  Tick();
  EXPECT_EQ(Doc().FrameIndex(), 1) << "played once, it stays on its last frame";
  EXPECT_EQ(paints, 1);
  View().Unbind(wxEVT_PAINT, count);
}

TEST_F(AnimationTest, TheRunningTimerDeliversTicks) {
  StartAnimatedStory("40");
  EXPECT_EQ(View().GetAnimationInterval(), 25);
  EXPECT_TRUE(PumpUntil([&] { return Doc().FrameIndex() != 0; }));
}

TEST_F(AnimationTest, TheTimerStopsWithTheAnimatedScene) {
  StartAnimatedStory("40");
  ASSERT_TRUE(Doc().FollowOption(0));
  EXPECT_FALSE(View().IsAnimating());
  const int frame = Doc().FrameIndex();
  Pump(40);
  EXPECT_EQ(Doc().FrameIndex(), frame);
  // Back to the animation: the timer runs again.
  ASSERT_TRUE(Doc().FollowOption(0));
  EXPECT_TRUE(View().IsAnimating());
}

TEST_F(AnimationTest, TooFastARateRunsAtTheSafeMinimum) {
  StartAnimatedStory("5000");
  EXPECT_TRUE(View().IsAnimating());
  EXPECT_EQ(View().GetAnimationInterval(), CVeskoGameView::kMinimumTimerInterval);
}

TEST_F(AnimationTest, ANegativeRateRunsAtTheSafeMinimum) {
  StartAnimatedStory("-3");
  EXPECT_EQ(View().GetAnimationInterval(), CVeskoGameView::kMinimumTimerInterval);
}

TEST_F(AnimationTest, StartingTwiceKeepsTheFirstInterval) {
  StartPlayer();
  View().StartAnimationTimer(500);
  View().StartAnimationTimer(20);
  EXPECT_EQ(View().GetAnimationInterval(), 500);
  View().StopAnimationTimer();
  EXPECT_FALSE(View().IsAnimating());
  View().StartAnimationTimer(20);
  EXPECT_EQ(View().GetAnimationInterval(), 20);
  View().StopAnimationTimer();
}

}  // namespace
