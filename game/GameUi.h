#pragma once
// How the game document reaches the user. The player implements it with its windows and
// dialogs; tests script the answers. Texts are the program's bytes (story texts are bytes):
// the implementation converts them for display.
#include <cstdint>
#include <string>
#include <vector>

#include "game/GameSettings.h"
#include "game/StoryEntry.h"
#include "story/StoryReporter.h"

class CGameFile;

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Error, Warning, Information, Question, Exclamation };
enum class MessageAnswer { Ok, Yes, No };

// What the story selection dialog is given and gives back.
struct StorySelection {
  std::vector<StoryEntry> Stories;  // in search order; replaced when the dialog searched again
  int InitialSelection = -1;        // -1 selects the first line
  std::string StoriesPath;
  bool SortByName = false;
  int SelectedLine = -1;            // the chosen line, -1 for none
  std::string SelectedName;         // its text, empty for none
  bool SearchedAgain = false;
};

// What the Options dialog is given (Settings) and gives back after OK.
struct OptionsChoice {
  CGameSettings Settings;
  bool MusicDeviceChanged = false;
  bool SoundDeviceChanged = false;
};

class IGameUi : public IStoryReporter {
 public:
  // A message box with the program's title; returns the button pressed.
  virtual MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                                    MessageIcon icon) = 0;
  // The story selection dialog; true when it ended with OK.
  virtual bool SelectStory(StorySelection& selection) = 0;
  // The Options dialog; true when it ended with OK.
  virtual bool EditOptions(OptionsChoice& choice) = 0;
  // The unused-resources dialog for story, with the inventory taken for it.
  virtual void ShowUnusedResources(const CGameFile& story, const std::vector<std::string>& sounds,
                                   const std::vector<std::string>& pictures,
                                   const std::vector<std::string>& music) = 0;
  // Busy indication (the wait cursor) around long work; calls nest.
  virtual void BeginBusy() = 0;
  virtual void EndBusy() = 0;
  // The document's state changed: every view shows it afresh.
  virtual void UpdateAllViews() = 0;
  virtual void StartAnimationTimer(uint32_t intervalMs) = 0;
  virtual void StopAnimationTimer() = 0;
};
