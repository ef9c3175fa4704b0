#pragma once
// A user interface for the game document whose answers the test scripts and whose calls it
// records.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/GameUi.h"

struct ShownMessage {
  std::string Text;
  MessageButtons Buttons;
  MessageIcon Icon;
};

class CScriptedUi : public IGameUi {
 public:
  // Answers for YesNo message boxes, taken in order; an unscripted question fails the test.
  std::deque<MessageAnswer> Answers;
  std::function<bool(StorySelection&)> OnSelectStory;
  std::function<bool(OptionsChoice&)> OnEditOptions;

  std::vector<ShownMessage> Messages;
  std::vector<std::string> ErrorBoxes, WarningBoxes;
  std::vector<std::vector<std::string>> StoryErrorLists;
  std::string StoryErrorsName;
  int SelectStoryCalls = 0, EditOptionsCalls = 0, UnusedCalls = 0;
  std::vector<std::string> UnusedPictures;
  int Updates = 0, BusyDepth = 0, BusyCalls = 0, ValidatingCalls = 0;
  bool TimerRunning = false;
  uint32_t TimerInterval = 0;

  MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, MessageIcon icon) override;
  bool SelectStory(StorySelection& selection) override;
  bool EditOptions(OptionsChoice& choice) override;
  void ShowUnusedResources(const CGameFile& story, const std::vector<std::string>& sounds,
                           const std::vector<std::string>& pictures,
                           const std::vector<std::string>& music) override;
  void BeginBusy() override;
  void EndBusy() override;
  void UpdateAllViews() override { ++Updates; }
  void StartAnimationTimer(uint32_t intervalMs) override;
  void StopAnimationTimer() override { TimerRunning = false; }

  void ShowErrorBox(const std::string& text) override { ErrorBoxes.push_back(text); }
  void ShowWarningBox(const std::string& text) override { WarningBoxes.push_back(text); }
  void BeginValidating() override { ++ValidatingCalls; }
  void EndValidating() override {}
  void ShowStoryErrors(const std::string& storyName, const std::vector<std::string>& lines) override;
};

// Picks the story whose line reads name, as a user would in the selection dialog.
std::function<bool(StorySelection&)> ChooseStory(const std::string& name);
