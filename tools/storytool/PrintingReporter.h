#pragma once
// The story tool's way of showing what the player shows in windows: message boxes go to
// stderr as their text, the error list goes to stdout one line each.
#include "story/StoryReporter.h"

class CPrintingReporter : public IStoryReporter {
 public:
  void ShowErrorBox(const std::string& text) override;
  void ShowWarningBox(const std::string& text) override;
  void BeginValidating() override {}
  void EndValidating() override {}
  void ShowStoryErrors(const std::string& storyName, const std::vector<std::string>& lines) override;
};
