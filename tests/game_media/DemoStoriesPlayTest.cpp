// The stories that come with the program, played through as a newcomer would: every scene
// shows its pictures, and music and sound start, carry on, change and stop as written.
#include <chrono>
#include <thread>

#include "tests/game/GameFixture.h"

namespace {

std::string DemoStory(const std::string& name) { return testing_support::SourceDir() + "/Stories/" + name; }

// The file name at the end of a path.
std::string FileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

bool WaitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace

class DemoStories : public GameFixture {
 protected:
  void Open(const std::string& name) {
    ASSERT_TRUE(Doc().OpenStoryPath(DemoStory(name)));
    ASSERT_TRUE(Doc().IsTitlePage());
    EXPECT_TRUE(m_ui.StoryErrorLists.empty());
    Doc().BeginPlay();
  }
  // Follows option index and checks what the next scene shows and plays.
  void Go(int index, const std::string& scene) {
    ASSERT_TRUE(Doc().FollowOption(index)) << "from " << Doc().GetSceneName();
    ASSERT_EQ(Doc().GetSceneName(), scene);
    CheckPictures();
  }
  // Every frame of the scene decodes to a picture of at most 200 by 112.
  void CheckPictures() {
    int frames = static_cast<int>(Doc().CurrentScene()->Frames.size());
    for (int frame = 0; frame < frames; ++frame) {
      const CDib* picture = Doc().GetCurrentPicture();
      ASSERT_NE(picture, nullptr) << Doc().GetSceneName() << " frame " << frame;
      EXPECT_GT(picture->GetWidth(), 0);
      EXPECT_LE(picture->GetWidth(), 200);
      EXPECT_LE(picture->GetHeight(), 112);
      if (frames > 1) Doc().AdvanceAnimation();
    }
  }
  std::string Music() { return Doc().MusicPlayer().IsPlaying() ? FileName(Doc().MusicFile().GetPath()) : ""; }
  std::string Sound() { return FileName(Doc().SoundPath()); }
};

TEST_F(DemoStories, LanternKeeperPlaysWithPicturesMusicAndSound) {
  Open("Lantern");
  CheckPictures();
  EXPECT_EQ(Music(), "Sea.MID");
  EXPECT_EQ(Sound(), "Waves.WAV");
  ASSERT_TRUE(WaitUntil([&] { return m_probe->FramesTaken() > 0; }));
  EXPECT_TRUE(m_ui.TimerRunning == false);  // a still picture needs no timer

  Go(0, "Tower");
  EXPECT_EQ(Music(), "");  // STOP
  EXPECT_EQ(Sound(), "wind.ogg");
  Go(1, "Pools");
  EXPECT_EQ(Music(), "");  // stays silent after STOP
  Go(1, "Shore");
  EXPECT_EQ(Music(), "Sea.MID");
  Go(1, "Pools");
  EXPECT_EQ(Music(), "Sea.MID");  // carried on
  EXPECT_EQ(Sound(), "drip.wav");
  Go(0, "Stairs");
  Go(0, "Lantern");
  EXPECT_EQ(Music(), "lantern.mid");
  EXPECT_TRUE(m_ui.TimerRunning);
  EXPECT_EQ(m_ui.TimerInterval, 250u);
  Go(0, "Dawn");
  EXPECT_EQ(Music(), "dawn.mid");
  EXPECT_EQ(Sound(), "bell.ogg");
  EXPECT_EQ(m_ui.TimerInterval, 1000u);
}

TEST_F(DemoStories, AutumnLetterPlaysEveryScene) {
  Open("Autumn");
  CheckPictures();
  EXPECT_EQ(Music(), "hearth.mid");
  EXPECT_EQ(Sound(), "fire.ogg");
  EXPECT_EQ(m_ui.TimerInterval, 83u);
  Go(1, "Secret");
  EXPECT_EQ(Music(), "hearth.mid");
  Go(0, "Crossroads");
  EXPECT_EQ(Music(), "wood.mid");
  EXPECT_EQ(m_ui.TimerInterval, 166u);
  for (int option = 0; option < 4; ++option) EXPECT_FALSE(Doc().GetOptionText(option).empty());
  Go(2, "Oak");
  EXPECT_EQ(Music(), "wood.mid");
  EXPECT_EQ(Sound(), "hoot.wav");
  Go(2, "Owl's tale");
  Go(1, "Bridge");
  EXPECT_EQ(Music(), "");
  Go(0, "Splash");
  EXPECT_EQ(Music(), "");
  Go(0, "Late at the mill");
  EXPECT_EQ(Music(), "mill.mid");
  EXPECT_EQ(m_ui.TimerInterval, 125u);
  Go(0, "Homeward");
  EXPECT_EQ(Music(), "hearth.mid");
  EXPECT_EQ(Sound(), "crickets.wav");
  Go(0, "Cottage");
  Go(0, "Crossroads");
  Go(1, "Stones");
  EXPECT_EQ(Sound(), "stream.ogg");
  Go(0, "Mill");
  EXPECT_EQ(Sound(), "wheel.ogg");
}
