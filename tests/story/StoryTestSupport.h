#pragma once
// Helpers for the story tests: a reporter that records what the player would show, picture
// bytes made in code, and a fixture that writes a story into a temporary folder and reads it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "story/GameFile.h"
#include "story/StoryReporter.h"
#include "tests/support/TestFiles.h"

class CRecordingReporter : public IStoryReporter {
 public:
  void ShowErrorBox(const std::string& text) override { errorBoxes.push_back(text); }
  void ShowWarningBox(const std::string& text) override { warningBoxes.push_back(text); }
  void BeginValidating() override { ++validatingBegun; }
  void EndValidating() override { ++validatingEnded; }
  void ShowStoryErrors(const std::string& storyName, const std::vector<std::string>& lines) override {
    ++listsShown;
    listedStory = storyName;
    listedLines = lines;
  }

  std::vector<std::string> errorBoxes;
  std::vector<std::string> warningBoxes;
  int validatingBegun = 0;
  int validatingEnded = 0;
  int listsShown = 0;
  std::string listedStory;
  std::vector<std::string> listedLines;
};

// A BMP file of the given size: file header, 40-byte info header and 24-bit pixels (a negative
// height is a top-down picture).
std::string BmpBytes(int32_t width, int32_t height);
// A PNG file of the given size, written with libpng (8-bit grey).
std::string PngBytes(uint32_t width, uint32_t height);

// Codes of a list of errors, in their order.
std::vector<int32_t> Codes(const std::vector<StoryError>& errors);

class StoryTest : public ::testing::Test {
 protected:
  StoryTest() { story.SetReporter(&reporter); }

  // Writes gamefile.txt into the story folder and returns its path.
  std::string WriteStory(const std::string& text);
  // Writes a file inside the story folder.
  void WriteMedia(const std::string& relativePath, const std::string& bytes);
  // Reads text as the story (no validation).
  void Read(const std::string& text);
  // Reads and validates text quietly; true when the story is valid.
  bool ReadAndValidate(const std::string& text, bool checkImageSizes = false);
  const SceneSection& Scene(size_t index) const { return *story.Scenes().at(index); }

  testing_support::TempDir dir;
  CRecordingReporter reporter;
  CGameFile story;
};

// Points the desktop trash of this test process at a temporary folder (before anything is
// moved there) and returns the folder where trashed files land.
std::string TestTrashFiles();
