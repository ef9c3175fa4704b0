#include "tests/install/InstalledFiles.h"

#include <filesystem>

#include "tests/support/TestFiles.h"

namespace fs = std::filesystem;

std::string DesktopEntryPath() { return std::string("share/applications/") + FABLEWICK_APP_ID + ".desktop"; }

std::string MetadataPath() { return std::string("share/metainfo/") + FABLEWICK_APP_ID + ".metainfo.xml"; }

std::vector<std::string> InstalledFiles() {
  std::vector<std::string> files = {
      "games/fablewick",
      "bin/fablewick-story",
      "games/fablewick-launcher",
      DesktopEntryPath(),
      MetadataPath(),
      "share/man/man6/fablewick.6.gz",
      "share/man/man6/fablewick-launcher.6.gz",
      "share/man/man1/fablewick-story.1.gz",
      "share/bash-completion/completions/fablewick-story",
      "share/doc/fablewick/copyright",
      "share/doc/fablewick/changelog.gz",
  };
  for (const char* size : {"32x32", "64x64", "128x128", "256x256"})
    files.push_back(std::string("share/icons/hicolor/") + size + "/apps/fablewick.png");
  const std::string stories = testing_support::SourceDir() + "/Stories";
  for (const auto& entry : fs::recursive_directory_iterator(stories))
    if (entry.is_regular_file())
      files.push_back("share/fablewick/Stories/" + fs::relative(entry.path(), stories).string());
  return files;
}
