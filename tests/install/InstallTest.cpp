// Installing into a fresh prefix puts the player, the story tool, the demo stories, the icons,
// a valid desktop entry, the metadata, the manual pages and the completion where a desktop, man
// and bash find them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "tests/install/InstalledFiles.h"
#include "tests/storytool/ToolRunner.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

// The desktop entry's keys and values.
std::map<std::string, std::string> ReadEntry(const std::string& path) {
  std::map<std::string, std::string> keys;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    size_t equals = line.find('=');
    if (equals != std::string::npos) keys[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return keys;
}

bool IsExecutable(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && (status.st_mode & S_IXUSR);
}

// Width and height from a PNG file's header.
std::pair<int, int> PngSize(const std::string& path) {
  std::string bytes = testing_support::ReadFile(path);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  auto be32 = [&](size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return static_cast<int>(value);
  };
  return {be32(16), be32(20)};
}

class Install : public ::testing::Test {
 protected:
  void SetUp() override {
    ToolRun run = RunProgram(FABLEWICK_CMAKE, {"--install", FABLEWICK_BUILD_DIR, "--prefix", m_prefix.Path()});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
  }
  std::string At(const std::string& relative) const { return m_prefix / relative; }

  testing_support::TempDir m_prefix;
};

TEST_F(Install, ProgramsAndEveryStoryFile) {
  for (const char* program : {"games/fablewick", "bin/fablewick-story", "games/fablewick-launcher"})
    EXPECT_TRUE(IsExecutable(At(program))) << program;
  const std::string stories = testing_support::SourceDir() + "/Stories";
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(stories)) {
    if (!entry.is_regular_file()) continue;
    std::string relative = fs::relative(entry.path(), stories).string();
    std::string installed = At("share/fablewick/Stories/" + relative);
    ASSERT_TRUE(fs::is_regular_file(installed)) << relative;
    EXPECT_TRUE(testing_support::ReadFile(installed) == testing_support::ReadFile(entry.path().string())) << relative;
    ++files;
  }
  EXPECT_GT(files, 50);
  // The installed story tool finds the installed stories sound.
  ToolRun validate = RunProgram(At("bin/fablewick-story"), {"validate", At("share/fablewick/Stories/Autumn")});
  EXPECT_EQ(validate.status, 0) << validate.out << validate.err;
  // The launcher hands over to the installed player.
  ToolRun version = RunProgram(At("games/fablewick-launcher"), {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("Fablewick ", 0), 0u) << version.out;
}

TEST_F(Install, EveryFileInItsPlace) {
  for (const std::string& file : InstalledFiles()) EXPECT_TRUE(fs::is_regular_file(At(file))) << file;
}

TEST_F(Install, IconsAtEverySize) {
  for (int size : {32, 64, 128, 256}) {
    std::string dimension = std::to_string(size) + "x" + std::to_string(size);
    std::pair<int, int> found = PngSize(At("share/icons/hicolor/" + dimension + "/apps/fablewick.png"));
    EXPECT_EQ(found, std::make_pair(size, size)) << dimension;
  }
}

TEST_F(Install, DesktopEntryIsValidAndStartsInTheDataFolder) {
  const std::string entry = At(DesktopEntryPath());
  ASSERT_TRUE(fs::is_regular_file(entry));
  ToolRun check = RunProgram("/usr/bin/desktop-file-validate", {entry});
  EXPECT_EQ(check.status, 0) << check.out << check.err;
  EXPECT_EQ(check.out + check.err, "");

  std::map<std::string, std::string> keys = ReadEntry(entry);
  EXPECT_EQ(keys["Type"], "Application");
  EXPECT_EQ(keys["Icon"], "fablewick");
  EXPECT_NE(keys["Categories"].find("Game;"), std::string::npos);
  EXPECT_EQ(keys["Exec"], "\"" + At("games/fablewick-launcher") + "\" %f");
  EXPECT_EQ(keys["TryExec"], At("games/fablewick-launcher"));
  // Started there, the player's default stories folder "Stories" is the installed one.
  EXPECT_EQ(keys["Path"], At("share/fablewick"));
  EXPECT_TRUE(fs::is_directory(keys["Path"] + "/Stories/Lantern"));
  std::string launcher = testing_support::ReadFile(At("games/fablewick-launcher"));
  EXPECT_NE(launcher.find("cd \"$here/../share/fablewick\""), std::string::npos) << launcher;
}

}  // namespace
