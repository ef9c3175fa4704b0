#include "tests/game/ScriptedUi.h"

#include <gtest/gtest.h>

#include "game/StoryLibrary.h"

MessageAnswer CScriptedUi::ShowMessage(const std::string& text, MessageButtons buttons,
                                       MessageIcon icon) {
  Messages.push_back({text, buttons, icon});
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (Answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text;
    return MessageAnswer::No;
  }
  MessageAnswer answer = Answers.front();
  Answers.pop_front();
  return answer;
}

bool CScriptedUi::SelectStory(StorySelection& selection) {
  ++SelectStoryCalls;
  if (!OnSelectStory) {
    ADD_FAILURE() << "unexpected story selection";
    return false;
  }
  return OnSelectStory(selection);
}

bool CScriptedUi::EditOptions(OptionsChoice& choice) {
  ++EditOptionsCalls;
  return OnEditOptions ? OnEditOptions(choice) : false;
}

void CScriptedUi::ShowUnusedResources(const CGameFile&, const std::vector<std::string>&,
                                      const std::vector<std::string>& pictures,
                                      const std::vector<std::string>&) {
  ++UnusedCalls;
  UnusedPictures = pictures;
}

void CScriptedUi::BeginBusy() {
  ++BusyDepth;
  ++BusyCalls;
}

void CScriptedUi::EndBusy() {
  EXPECT_GT(BusyDepth, 0);
  --BusyDepth;
}

void CScriptedUi::StartAnimationTimer(uint32_t intervalMs) {
  TimerRunning = true;
  TimerInterval = intervalMs;
}

void CScriptedUi::ShowStoryErrors(const std::string& storyName, const std::vector<std::string>& lines) {
  StoryErrorsName = storyName;
  StoryErrorLists.push_back(lines);
}

std::function<bool(StorySelection&)> ChooseStory(const std::string& name) {
  return [name](StorySelection& selection) {
    std::vector<StoryEntry> lines = SortStoriesForDisplay(selection.Stories, selection.SortByName);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].Name == name) {
        selection.SelectedLine = static_cast<int>(i);
        selection.SelectedName = name;
        return true;
      }
    }
    ADD_FAILURE() << "no story line " << name;
    return false;
  };
}
