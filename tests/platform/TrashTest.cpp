#include "platform/Trash.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/FileSystem.h"
#include "tests/support/TestFiles.h"

using testing_support::TempDir;

TEST(Trash, MovesFileIntoTheUsersTrash) {
  TempDir dir;
  std::string savedDataHome = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
  setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
  testing_support::WriteFile(dir / "story/old.bmp", "picture");
  std::string error;
  bool moved = platform::MoveToTrash(dir / "story/old.bmp", error);
  if (savedDataHome.empty()) unsetenv("XDG_DATA_HOME"); else setenv("XDG_DATA_HOME", savedDataHome.c_str(), 1);
  ASSERT_TRUE(moved) << error;
  EXPECT_FALSE(platform::FileExists(dir / "story/old.bmp"));
  EXPECT_EQ(testing_support::ReadFile(dir / "data/Trash/files/old.bmp"), "picture");
  EXPECT_TRUE(platform::FileExists(dir / "data/Trash/info/old.bmp.trashinfo"));
}

TEST(Trash, ReportsFailureForMissingFile) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(platform::MoveToTrash(dir / "missing.bmp", error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(platform::MoveToTrash("", error));
}
