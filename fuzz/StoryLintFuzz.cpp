// Fuzz target for the story tool's authoring checks: the bytes become a gamefile.txt, which is
// read and validated, checked as lint checks it (the file's own bytes included), drawn as a
// DOT graph, and every finding worded as text and as JSON.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "story/GameFile.h"
#include "tools/storytool/AuthoringChecks.h"
#include "tools/storytool/LintReport.h"
#include "tools/storytool/StoryDot.h"
#include "tools/storytool/StoryGraph.h"

namespace {

std::string g_folder;

void RemoveFolder() {
  std::error_code ignored;
  if (!g_folder.empty()) std::filesystem::remove_all(g_folder, ignored);
}

const std::string& StoryFolder() {
  if (g_folder.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "fablewick-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data())) g_folder = pattern;
    std::atexit(RemoveFolder);
  }
  return g_folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = StoryFolder() + "/gamefile.txt";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  CGameFile story;
  story.OpenStory(path, true, true, true);
  CLintReport report(path);
  AddValidationErrors(story, report);
  CheckSceneGraph(story, CStoryGraph(story), report);
  CheckInterpretedValues(story, report);
  CheckUnexpectedKeywords(story, report);
  CheckFileText(std::string(reinterpret_cast<const char*>(data), size), report);
  size_t bytes = StoryDot(story).size();
  for (const LintFinding& finding : report.Sorted()) bytes += FormatFinding(finding).size() + FindingJson(finding).size();
  return bytes == 0;
}
