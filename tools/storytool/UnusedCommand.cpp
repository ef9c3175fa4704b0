// fablewick-story unused [--trash] FILE: the media files of a story that no scene names, in
// the rows of the player's Unused Resources window; with --trash they are moved to the trash
// first (only files inside the story's folder) and the inventory is taken again.
#include <cstdio>

#include "story/GameFile.h"
#include "story/MediaFiles.h"
#include "tools/storytool/CommandLine.h"
#include "tools/storytool/OutputLines.h"
#include "tools/storytool/PrintingReporter.h"
#include "tools/storytool/ToolCommands.h"

namespace {

int RunUnused(const ToolArgs& args) {
  std::set<std::string> options;
  std::string argument, path;
  if (!ParseStoryArguments(args, {"--trash"}, options, argument)) return UsageError(kUnusedCommand);
  if (!ResolveStoryFile(argument, path)) return kExitUsage;

  CPrintingReporter reporter;
  CGameFile story;
  story.SetReporter(&reporter);
  story.OpenStory(path, false, false, true);

  std::vector<std::string> sounds, pictures, music;
  story.FindUnusedResources(sounds, pictures, music);
  if (options.count("--trash")) {
    story.DeleteUnusedResources(sounds, pictures, music);
    story.FindUnusedResources(sounds, pictures, music);
  }
  for (const std::string& row : UnusedResourceRows(sounds, pictures, music)) PrintLines(stdout, row);
  return kExitOk;
}

}  // namespace

const ToolCommand kUnusedCommand = {"unused", "[--trash] FILE", RunUnused};
