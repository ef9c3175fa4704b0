// The Debian package that tools/package.sh makes holds every installed file under /usr, and
// Debian's own tools find it sound: lintian, the AppStream and desktop entry validators, man.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "tests/install/InstalledFiles.h"
#include "tests/storytool/ToolRunner.h"
#include "tests/support/TestFiles.h"

namespace {

// The package's file name, as Debian names packages.
std::string PackagePath() {
  ToolRun architecture = RunProgram("/usr/bin/dpkg", {"--print-architecture"});
  std::string arch = architecture.out.substr(0, architecture.out.find('\n'));
  return std::string(FABLEWICK_PACKAGE_DIR) + "/fablewick_" + FABLEWICK_VERSION + "_" + arch + ".deb";
}

// The lines of a text.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class Package : public ::testing::Test {
 protected:
  // The package's files, unpacked.
  std::string Unpacked(const std::string& relative) {
    if (!m_unpacked) {
      ToolRun unpack = RunProgram("/usr/bin/dpkg-deb", {"-x", m_package, m_root.Path()});
      EXPECT_EQ(unpack.status, 0) << unpack.err;
      m_unpacked = true;
    }
    return m_root / relative;
  }

  const std::string m_package = PackagePath();
  testing_support::TempDir m_root;
  bool m_unpacked = false;
};

TEST_F(Package, ControlFieldsNameTheGameAndWhatItNeeds) {
  ToolRun fields = RunProgram("/usr/bin/dpkg-deb", {"-f", m_package, "Package", "Version", "Section", "Depends"});
  ASSERT_EQ(fields.status, 0) << fields.err;
  EXPECT_NE(fields.out.find("Package: fablewick\n"), std::string::npos) << fields.out;
  EXPECT_NE(fields.out.find(std::string("Version: ") + FABLEWICK_VERSION + "\n"), std::string::npos) << fields.out;
  EXPECT_NE(fields.out.find("Section: games\n"), std::string::npos) << fields.out;
  // The libraries, found in the programs, and what the player reads at run time.
  for (const char* needed : {"libwxgtk3.2", "libfluidsynth", "libasound2", "libvorbisfile3", "libpng16",
                             "timgm6mb-soundfont | sf2-soundfont-gm | sf3-soundfont-gm", "fonts-liberation2"})
    EXPECT_NE(fields.out.find(needed), std::string::npos) << needed << "\n" << fields.out;
}

TEST_F(Package, HoldsEveryInstalledFileUnderUsr) {
  ToolRun contents = RunProgram("/usr/bin/dpkg-deb", {"-c", m_package});
  ASSERT_EQ(contents.status, 0) << contents.err;
  // "-rw-r--r-- root/root 1234 2026-12-09 12:00 ./usr/bin/fablewick", a link with " -> target".
  std::set<std::string> paths;
  for (const std::string& line : Lines(contents.out)) {
    size_t start = line.find(" ./");
    if (start == std::string::npos) continue;
    std::string path = line.substr(start + 3);
    paths.insert(path.substr(0, path.find(" -> ")));
    EXPECT_NE(line.find(" root/root "), std::string::npos) << line;
    EXPECT_EQ(path.rfind("usr/", 0), 0u) << line;
  }
  for (const std::string& file : InstalledFiles()) EXPECT_TRUE(paths.count("usr/" + file)) << file;
}

TEST_F(Package, StrippedProgramsRun) {
  ToolRun validate = RunProgram(Unpacked("usr/bin/fablewick-story"),
                                {"validate", Unpacked("usr/share/fablewick/Stories/Lantern")});
  EXPECT_EQ(validate.status, 0) << validate.out << validate.err;
  ToolRun version = RunProgram(Unpacked("usr/games/fablewick-launcher"), {"--version"});
  EXPECT_EQ(version.out, std::string("Fablewick ") + FABLEWICK_VERSION + "\n") << version.err;
}

// Warnings lintian gives that this package accepts, each with why.
const std::set<std::string> kAcceptedWarnings = {
    // The player is a game in /usr/games; the story tool is a program for story authors, with
    // its manual page in section 1, so it belongs in /usr/bin.
    "package-section-games-but-has-usr-bin",
};

TEST_F(Package, LintianFindsNoErrorsAndOnlyAcceptedWarnings) {
  ToolRun lint = RunProgram("/usr/bin/lintian", {"--allow-root", "--tag-display-limit", "0", m_package});
  EXPECT_EQ(lint.status, 0) << lint.out << lint.err;  // not 0 when it finds an error
  // "E: fablewick: tag [context]", "W: fablewick: tag [context]".
  for (const std::string& line : Lines(lint.out)) {
    EXPECT_NE(line.rfind("E: ", 0), 0u) << line;
    if (line.rfind("W: ", 0) != 0) continue;
    std::istringstream words(line.substr(3));
    std::string package, tag;
    words >> package >> tag;
    EXPECT_TRUE(kAcceptedWarnings.count(tag)) << line;
  }
}

TEST_F(Package, MetadataAndDesktopEntryValidate) {
  ToolRun metadata = RunProgram("/usr/bin/appstreamcli", {"validate", "--no-net", Unpacked("usr/" + MetadataPath())});
  EXPECT_EQ(metadata.status, 0) << metadata.out << metadata.err;
  // The whole tree: the metadata, its desktop entry and its icon fit together.
  ToolRun tree = RunProgram("/usr/bin/appstreamcli", {"validate-tree", "--no-net", Unpacked("")});
  EXPECT_EQ(tree.status, 0) << tree.out << tree.err;
  const std::string entry = Unpacked("usr/" + DesktopEntryPath());
  ToolRun desktop = RunProgram("/usr/bin/desktop-file-validate", {entry});
  EXPECT_EQ(desktop.status, 0) << desktop.out << desktop.err;
  EXPECT_EQ(desktop.out + desktop.err, "");
  const std::string text = testing_support::ReadFile(entry);
  EXPECT_NE(text.find("\nExec=\"/usr/games/fablewick-launcher\" %f\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nPath=/usr/share/fablewick\n"), std::string::npos) << text;
}

TEST_F(Package, ManualPagesRenderWithoutWarnings) {
  for (const char* page : {"man6/fablewick.6.gz", "man6/fablewick-launcher.6.gz", "man1/fablewick-story.1.gz"}) {
    ToolRun render = RunProgram("/usr/bin/man", {"--warnings", "-l", Unpacked(std::string("usr/share/man/") + page)},
                                {"MANWIDTH=80", "LC_ALL=C.UTF-8"});
    EXPECT_EQ(render.status, 0) << page << render.err;
    EXPECT_EQ(render.err, "") << page;
    EXPECT_NE(render.out.find("NAME"), std::string::npos) << page << render.out;
  }
}

}  // namespace
