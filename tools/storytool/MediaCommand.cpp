// fablewick-story media FILE: loads every picture, sound and music file the story names, as the
// player would, and prints one line for each: its kind, its path, and either "ok" with what the
// player made of it or the loader's error text. Validation only checks that these files exist;
// this finds the ones the player cannot play.
#include <cstdio>
#include <string>

#include "platform/FileSystem.h"
#include "story/GameFile.h"
#include "tools/storytool/CommandLine.h"
#include "tools/storytool/MediaChecks.h"
#include "tools/storytool/OutputLines.h"
#include "tools/storytool/PrintingReporter.h"
#include "tools/storytool/ToolCommands.h"

namespace {

int RunMedia(const ToolArgs& args) {
  std::set<std::string> options;
  std::string argument, path;
  if (!ParseStoryArguments(args, {}, options, argument)) return UsageError(kMediaCommand);
  if (!ResolveStoryFile(argument, path)) return kExitUsage;

  CPrintingReporter reporter;
  CGameFile story;
  story.SetReporter(&reporter);
  story.OpenStory(path, false, false, true);

  platform::FolderIndexScope folderIndex;  // each media folder is read once for all its names
  bool allLoaded = true;
  for (const MediaFile& file : NamedMedia(story)) {
    std::string details = OpenError(file.Path);
    bool loaded = details.empty() && LoadMediaFile(file, details);
    allLoaded = allLoaded && loaded;
    PrintLines(stdout, std::string(MediaKindName(file.Kind)) + " " + file.Path + " " + (loaded ? "ok " : "") + details);
  }
  return allLoaded ? kExitOk : kExitStoryErrors;
}

}  // namespace

const ToolCommand kMediaCommand = {"media", "FILE", RunMedia};
