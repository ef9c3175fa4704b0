// fablewick-story validate [--image-sizes] [--raw] [--quiet] FILE: reads and checks a story and
// prints its errors as the player lists them (OK when there is none, nothing with --quiet), or
// every error record as JSON.
#include <cstdio>

#include "story/GameFile.h"
#include "tools/storytool/CommandLine.h"
#include "tools/storytool/JsonWriter.h"
#include "tools/storytool/PrintingReporter.h"
#include "tools/storytool/ToolCommands.h"

namespace {

// One record a line, in the order validation found them.
void PrintRawErrors(const std::vector<StoryError>& errors) {
  for (const StoryError& error : errors) {
    CJsonWriter json;
    json.BeginObject(true);
    json.Field("code", error.Code);
    json.Field("name", error.Name);
    json.Field("path", error.Path);
    json.Field("line", error.Line);
    json.EndObject();
    std::printf("%s\n", json.Text().c_str());
  }
}

int RunValidate(const ToolArgs& args) {
  std::set<std::string> options;
  std::string argument, path;
  if (!ParseStoryArguments(args, {"--image-sizes", "--raw", "--quiet"}, options, argument))
    return UsageError(kValidateCommand);
  if (!ResolveStoryFile(argument, path)) return kExitUsage;
  bool raw = options.count("--raw") > 0;

  CPrintingReporter reporter;
  CGameFile story;
  story.SetReporter(&reporter);
  // Quiet keeps the records in the order found; otherwise the reporter prints the list.
  bool valid = story.OpenStory(path, true, options.count("--image-sizes") > 0, raw);
  if (raw) PrintRawErrors(story.Errors());
  if (valid && !raw && !options.count("--quiet")) std::printf("OK\n");
  std::fflush(stdout);
  return valid ? kExitOk : kExitStoryErrors;
}

}  // namespace

const ToolCommand kValidateCommand = {"validate", "[--image-sizes] [--raw] [--quiet] FILE", RunValidate};
