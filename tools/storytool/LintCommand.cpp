// fablewick-story lint [--json] [--werror] FILE: everything validation reports (picture sizes
// included), and what else an author of a branching story wants to know: scenes no link
// reaches, names defined twice, endings, media that do not load, unused media, values the
// reader turns into defaults, unknown keywords, escapes in names, a byte-order mark.
#include <cstdio>
#include <set>
#include <string>

#include "platform/FileSystem.h"
#include "story/GameFile.h"
#include "story/StoryText.h"
#include "tools/storytool/AuthoringChecks.h"
#include "tools/storytool/CommandLine.h"
#include "tools/storytool/LintReport.h"
#include "tools/storytool/MediaChecks.h"
#include "tools/storytool/OutputLines.h"
#include "tools/storytool/ToolCommands.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  FILE* file = platform::OpenFile(path, "rb");
  if (!file) return bytes;
  // Room for the whole file at once, when its size can be told.
  if (std::fseek(file, 0, SEEK_END) == 0) {
    long size = std::ftell(file);
    if (size > 0) bytes.reserve(static_cast<size_t>(size));
    std::rewind(file);
  }
  char block[65536];
  for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) bytes.append(block, got);
  std::fclose(file);
  return bytes;
}

// A path as the story names it: relative to the story's folder when inside it.
std::string StoryRelative(const CGameFile& story, const std::string& path) {
  const std::string& folder = story.Folder();
  return path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size()) : path;
}

// Media files that exist but that the player cannot load. Files that validation already
// reported as missing or unreadable are left to it.
void CheckMediaLoad(const CGameFile& story, CLintReport& report) {
  std::set<std::string> reported;
  for (const StoryError& error : story.Errors()) reported.insert(story_text::FoldCase(error.Path));
  for (const MediaFile& file : NamedMedia(story)) {
    if (reported.count(story_text::FoldCase(file.Path)) || !OpenError(file.Path).empty()) continue;
    std::string details;
    if (LoadMediaFile(file, details)) continue;
    report.Add(file.Line, LintSeverity::Error,
               std::string(MediaKindName(file.Kind)) + " " + StoryRelative(story, file.Path) +
                   " does not load: " + details);
  }
}

void NoteUnusedMedia(const CGameFile& story, CLintReport& report) {
  std::vector<std::string> sounds, pictures, music;
  story.FindUnusedResources(sounds, pictures, music);
  auto note = [&report](const std::string& path) { report.AddAbout(path, LintSeverity::Note, "no scene uses this file"); };
  for (const std::string& name : sounds) note(story.SoundPath(name));
  for (const std::string& name : pictures) note(story.ImagePath(name));
  for (const std::string& name : music) note(story.MusicPath(name));
}

int RunLint(const ToolArgs& args) {
  std::set<std::string> options;
  std::string argument, path;
  if (!ParseStoryArguments(args, {"--json", "--werror"}, options, argument)) return UsageError(kLintCommand);
  if (!ResolveStoryFile(argument, path)) return kExitUsage;

  CGameFile story;  // no reporter: unknown keywords become findings
  story.OpenStory(path, true, true, true);
  CLintReport report(path);
  CheckStoryAndFile(story, ReadBytes(path), report);
  CheckMediaLoad(story, report);
  NoteUnusedMedia(story, report);

  bool json = options.count("--json") > 0;
  for (const LintFinding& finding : report.Sorted())
    std::printf("%s\n", (json ? FindingJson(finding) : FormatFinding(finding)).c_str());
  bool failed = report.Count(LintSeverity::Error) > 0 ||
                (options.count("--werror") && report.Count(LintSeverity::Warning) > 0);
  return failed ? kExitStoryErrors : kExitOk;
}

}  // namespace

const ToolCommand kLintCommand = {"lint", "[--json] [--werror] FILE", RunLint};
