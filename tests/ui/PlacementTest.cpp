// The main window's place: kept on close, restored before creation, and not restored onto a
// display that is not there.
#include <wx/display.h>

#include "tests/ui/PlayerFixture.h"
#include "ui/WindowPlacement.h"

namespace {

void StoreRect(CSettingsStore& store, int left, int top, int right, int bottom) {
  store.WriteInt(kSettingsSection, "wp.left", left);
  store.WriteInt(kSettingsSection, "wp.top", top);
  store.WriteInt(kSettingsSection, "wp.right", right);
  store.WriteInt(kSettingsSection, "wp.bottom", bottom);
}

TEST(WindowPlacement, DefaultsAndMissingValues) {
  testing_support::TempDir dir;
  CSettingsStore store(dir / "f.conf");
  CWindowPlacement placement;
  EXPECT_EQ(placement.length, 44);
  EXPECT_EQ(placement.showCmd, 5);
  placement.rcNormalPosition = {1, 2, 3, 4};
  store.WriteInt(kSettingsSection, "wp.top", 20);
  placement.Load(store, kSettingsSection);
  EXPECT_EQ(placement.rcNormalPosition.left, 1) << "a missing value keeps the field";
  EXPECT_EQ(placement.rcNormalPosition.top, 20);
  EXPECT_EQ(placement.showCmd, 5);
}

TEST(WindowPlacement, SaveWritesEveryValueAndLoadReadsThemBack) {
  testing_support::TempDir dir;
  CSettingsStore store(dir / "f.conf");
  CWindowPlacement saved;
  saved.flags = 2;
  saved.showCmd = 3;
  saved.ptMinPosition = {-1, -2};
  saved.ptMaxPosition = {7, 8};
  saved.rcNormalPosition = {10, 20, 310, 420};
  saved.Save(store, kSettingsSection);
  const std::pair<const char*, int> values[] = {
      {"wp.showCmd", 3},          {"wp.flags", 2},           {"wp.ptMinPosition.x", -1}, {"wp.ptMinPosition.y", -2},
      {"wp.ptMaxPosition.x", 7},  {"wp.ptMaxPosition.y", 8}, {"wp.left", 10},            {"wp.right", 310},
      {"wp.top", 20},             {"wp.bottom", 420},
  };
  for (const auto& [name, value] : values) EXPECT_EQ(store.ReadInt(kSettingsSection, name, 12345), value) << name;
  // Another store on the same file sees them: they were written out.
  CSettingsStore reread(dir / "f.conf");
  CWindowPlacement loaded;
  loaded.Load(reread, kSettingsSection);
  EXPECT_EQ(loaded.rcNormalPosition.right, 310);
  EXPECT_EQ(loaded.ptMaxPosition.y, 8);
}

TEST(WindowPlacement, OnlyRectanglesOnADisplayMeetOne) {
  const wxRect screen = wxDisplay(0u).GetGeometry();
  EXPECT_TRUE(MeetsADisplay(wxRect(screen.x + 10, screen.y + 10, 100, 100)));
  EXPECT_TRUE(MeetsADisplay(wxRect(screen.GetRight() - 5, screen.y, 100, 100))) << "partly on screen";
  EXPECT_FALSE(MeetsADisplay(wxRect(screen.GetRight() + 50, screen.GetBottom() + 50, 100, 100)));
  EXPECT_FALSE(MeetsADisplay(wxRect(-5000, -5000, 100, 100)));
}

class PlacementTest : public PlayerFixture {};

TEST_F(PlacementTest, StoredPlaceIsWhereTheWindowOpens) {
  StoreRect(Store(), 130, 90, 430, 390);
  StartPlayer();
  EXPECT_EQ(Frame().GetPosition(), wxPoint(130, 90));
  // The size is the view's choice.
  EXPECT_EQ(Frame().GetClientSize().x, 248);
}

TEST_F(PlacementTest, APlaceOnNoDisplayIsNotUsed) {
  const wxRect screen = wxDisplay(0u).GetGeometry();
  StoreRect(Store(), screen.GetRight() + 500, 200, screen.GetRight() + 800, 500);
  StartPlayer();
  EXPECT_TRUE(MeetsADisplay(Frame().GetRect()));
  EXPECT_NE(Frame().GetPosition().x, screen.GetRight() + 500);
}

TEST_F(PlacementTest, AnEmptyStoredRectangleLeavesThePlaceToTheSystem) {
  StoreRect(Store(), 300, 300, 300, 500);
  StartPlayer();
  EXPECT_NE(Frame().GetPosition(), wxPoint(300, 300));
}

TEST_F(PlacementTest, ClosingKeepsThePlaceAndTheNextStartUsesIt) {
  StartPlayer();
  Frame().Move(60, 70);
  Pump();
  const wxSize size = Frame().GetSize();
  ClosePlayer();
  // The store went with the player: read the file again.
  CSettingsStore reread(m_dir / "Fablewick.conf");
  EXPECT_EQ(reread.ReadInt(kSettingsSection, "wp.left", -1), 60);
  EXPECT_EQ(reread.ReadInt(kSettingsSection, "wp.top", -1), 70);
  EXPECT_EQ(reread.ReadInt(kSettingsSection, "wp.right", -1), 60 + size.x);
  EXPECT_EQ(reread.ReadInt(kSettingsSection, "wp.bottom", -1), 70 + size.y);
  EXPECT_EQ(reread.ReadInt(kSettingsSection, "wp.showCmd", -1), kShowNormal);
}

TEST_F(PlacementTest, AMinimizedWindowKeepsItsNormalPlace) {
  StartPlayer();
  Frame().Move(80, 60);
  Pump();
  const wxRect normal = Frame().GetRect();
  Frame().Iconize(true);
  Pump(20);
  ClosePlayer();
  CSettingsStore reread(m_dir / "Fablewick.conf");
  EXPECT_EQ(reread.ReadInt(kSettingsSection, "wp.left", -1), normal.x);
  EXPECT_EQ(reread.ReadInt(kSettingsSection, "wp.top", -1), normal.y);
  EXPECT_EQ(reread.ReadInt(kSettingsSection, "wp.right", -1), normal.GetRight() + 1);
}

}  // namespace
