// fablewick-story new FOLDER [--name TITLE]: writes a starter story into a new or empty folder:
// a commented gamefile.txt with three scenes, placeholder pictures and a short tune. It
// validates cleanly and plays.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/storytool/StarterStory.h"
#include "tools/storytool/ToolCommands.h"

namespace {

namespace fs = std::filesystem;

int Fail(const std::string& message) {
  std::fprintf(stderr, "fablewick-story new: %s\n", message.c_str());
  return kExitUsage;
}

bool ParseNewArguments(const ToolArgs& args, std::string& folder, std::string& title) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--name" && i + 1 < args.size()) {
      title = args[++i];
    } else if (args[i].compare(0, 2, "--") == 0 || !folder.empty()) {
      return false;
    } else {
      folder = args[i];
    }
  }
  return !folder.empty();
}

// The story is named after its folder unless told otherwise.
std::string FolderName(const fs::path& folder) {
  fs::path path = fs::absolute(folder).lexically_normal();
  if (path.filename().empty()) path = path.parent_path();
  std::string name = path.filename().string();
  return name.empty() ? "My Story" : name;
}

bool WriteStarterFile(const fs::path& path, const std::string& bytes) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

int RunNew(const ToolArgs& args) {
  std::string folder, title;
  if (!ParseNewArguments(args, folder, title)) return UsageError(kNewCommand);
  fs::path root(folder);
  std::error_code error;
  if (fs::exists(root, error)) {
    if (!fs::is_directory(root, error)) return Fail(folder + " is not a folder");
    if (!fs::is_empty(root, error)) return Fail(folder + " is not empty: a new story needs a folder of its own");
  }
  if (title.empty()) title = FolderName(root);
  // The story file has no way to write these in a value.
  if (title.find("//") != std::string::npos || title.find_first_of("\\\n\r") != std::string::npos)
    return Fail("a story's name cannot hold \"//\", a backslash or a line break");

  std::vector<StarterFile> files;
  std::string reason;
  if (!MakeStarterStory(title, files, reason)) return Fail(reason);
  for (const StarterFile& file : files)
    if (!WriteStarterFile(root / file.Path, file.Bytes)) return Fail("cannot write " + (root / file.Path).string());
  std::printf("%s\n", (root / "gamefile.txt").string().c_str());
  return kExitOk;
}

}  // namespace

const ToolCommand kNewCommand = {"new", "FOLDER [--name TITLE]", RunNew};
