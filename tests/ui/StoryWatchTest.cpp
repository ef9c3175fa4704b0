// With "Reload when the story changes" on, the player reloads the story a moment after its
// files change on disk, and stays in the scene.
#include <wx/evtloop.h>

#include "tests/ui/PlayerFixture.h"

namespace {

// The system's watcher works on the active event loop, as the player's main loop is; the loop
// outlives the player, which the fixture closes first.
class StoryWatchTest : public PlayerFixture {
 protected:
  wxGUIEventLoop m_loop;
  wxEventLoopActivator m_active{&m_loop};
};

TEST_F(StoryWatchTest, SavedChangeReloadsTheSceneWhenTheOptionIsOn) {
  const std::string story = "[Title]\n@NAME Watched\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Hall\n"
                            "[Hall]\n@IMAGE x.bmp\n@DESCRIPTION Quiet.\n@OPTION1 Stay\n@LINK1 Hall\n";
  WriteStory(StoryDir("Watched"), story);
  WriteSolidBmp(StoryDir("Watched") + "/x.bmp", 8, 8, 0x204060);
  Store().WriteInt(kSettingsSection, "ReloadOnChange", 1);
  StartPlayer();
  StartStory("Watched");
  Pump(10);  // the watcher starts on the story's folder once the player is idle

  std::string changed = story;
  changed.replace(changed.find("Quiet."), 6, "A clock ticks.");
  WriteStory(StoryDir("Watched"), changed);
  EXPECT_TRUE(PumpUntil([this] { return Doc().GetSceneText() == "A clock ticks."; }));
  EXPECT_EQ(Doc().GetSceneName(), "Hall");
  EXPECT_FALSE(Doc().IsTitlePage());
}

}  // namespace
