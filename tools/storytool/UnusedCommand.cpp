// fablewick-story unused [--trash] FILE: the media files of a story that no scene names, in
// the rows of the player's Unused Resources window; with --trash they are moved to the trash
// first (only files inside the story's folder), each file moved or kept is printed with why, then
// the counts, and the inventory is taken again.
#include <cstdio>

#include "story/GameFile.h"
#include "story/MediaFiles.h"
#include "tools/storytool/CommandLine.h"
#include "tools/storytool/OutputLines.h"
#include "tools/storytool/PrintingReporter.h"
#include "tools/storytool/ToolCommands.h"

namespace {

// One line for each file that was to go to the trash, then the counts. True when all moved.
bool PrintRecycling(const std::vector<RecycleOutcome>& outcomes) {
  for (const RecycleOutcome& outcome : outcomes)
    PrintLines(stdout, outcome.moved ? "moved: " + outcome.path : "kept: " + outcome.path + " (" + outcome.reason + ")");
  const size_t moved = CountMoved(outcomes);
  std::printf("%zu moved to the trash, %zu kept\n", moved, outcomes.size() - moved);
  return moved == outcomes.size();
}

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
  bool allMoved = true;
  if (options.count("--trash")) {
    allMoved = PrintRecycling(story.DeleteUnusedResources(sounds, pictures, music));
    story.FindUnusedResources(sounds, pictures, music);
  }
  for (const std::string& row : UnusedResourceRows(sounds, pictures, music)) PrintLines(stdout, row);
  return allMoved ? kExitOk : kExitStoryErrors;
}

}  // namespace

const ToolCommand kUnusedCommand = {"unused", "[--trash] FILE", RunUnused};
