#pragma once
// How the story object reaches the user: the player shows message boxes, the validation notice
// and the story-errors dialog; the story tool prints; tests record. Texts are the program's
// bytes (story texts are bytes); the display side converts them for showing.
#include <string>
#include <vector>

class IStoryReporter {
 public:
  virtual ~IStoryReporter() = default;
  virtual void ShowErrorBox(const std::string& text) = 0;
  virtual void ShowWarningBox(const std::string& text) = 0;
  virtual void BeginValidating() = 0;
  virtual void EndValidating() = 0;
  virtual void ShowStoryErrors(const std::string& storyName, const std::vector<std::string>& lines) = 0;
};
