// Fuzz target for the story tool's authoring checks: the bytes become a gamefile.txt, which is
// read and validated, checked as lint checks it (the file's own bytes included), drawn as a
// DOT graph, and every finding worded as text and as JSON.
#include <cstdint>
#include <string>

#include "fuzz/FuzzStoryFolder.h"
#include "story/GameFile.h"
#include "tools/storytool/AuthoringChecks.h"
#include "tools/storytool/LintReport.h"
#include "tools/storytool/StoryDot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = fuzz::WriteStoryFile(data, size);
  if (path.empty()) return 0;

  CGameFile story;
  story.OpenStory(path, true, true, true);
  CLintReport report(path);
  CheckStoryAndFile(story, std::string(reinterpret_cast<const char*>(data), size), report);
  size_t bytes = StoryDot(story).size();
  for (const LintFinding& finding : report.Sorted()) bytes += FormatFinding(finding).size() + FindingJson(finding).size();
  return bytes == 0;
}
