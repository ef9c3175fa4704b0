// fablewick-story name FILE: the quick read of a story's NAME, as the story list does it.
#include <cstdio>

#include "story/GameFile.h"
#include "tools/storytool/CommandLine.h"
#include "tools/storytool/OutputLines.h"
#include "tools/storytool/PrintingReporter.h"
#include "tools/storytool/ToolCommands.h"

namespace {

int RunName(const ToolArgs& args) {
  std::set<std::string> options;
  std::string argument, path;
  if (!ParseStoryArguments(args, {}, options, argument)) return UsageError(kNameCommand);
  if (!ResolveStoryFile(argument, path)) return kExitUsage;

  CPrintingReporter reporter;
  CGameFile story;
  story.SetReporter(&reporter);
  std::string name;
  if (!story.ReadStoryName(path, name)) return kExitStoryErrors;
  PrintLines(stdout, name);
  return kExitOk;
}

}  // namespace

const ToolCommand kNameCommand = {"name", "FILE", RunName};
