#pragma once
// The player's side of the game document's user interface: message boxes, the story, options
// and error dialogs, the wait cursor, view updates and the view's animation timer.
#include "game/GameUi.h"

#include <wx/dialog.h>
#include <wx/weakref.h>

class CVeskoGameView;
class wxWindow;

class CGameUi : public IGameUi {
 public:
  CGameUi() = default;
  ~CGameUi() override;
  CGameUi(const CGameUi&) = delete;
  CGameUi& operator=(const CGameUi&) = delete;

  // The window the dialogs belong to and the view to update; none before they exist and after
  // they are gone.
  void Attach(wxWindow* frame, CVeskoGameView* view);
  void Detach() { Attach(nullptr, nullptr); }

  MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, MessageIcon icon) override;
  bool SelectStory(StorySelection& selection) override;
  bool EditOptions(OptionsChoice& choice) override;
  void ShowUnusedResources(const CGameFile& story, const std::vector<std::string>& sounds,
                           const std::vector<std::string>& pictures,
                           const std::vector<std::string>& music) override;
  void BeginBusy() override;
  void EndBusy() override;
  void UpdateAllViews() override;
  void StartAnimationTimer(uint32_t intervalMs) override;
  void StopAnimationTimer() override;

  void ShowErrorBox(const std::string& text) override;
  void ShowWarningBox(const std::string& text) override;
  void BeginValidating() override;
  void EndValidating() override;
  void ShowStoryErrors(const std::string& storyName, const std::vector<std::string>& lines) override;

  int BusyDepth() const { return m_busyDepth; }

 private:
  wxWindow* m_frame = nullptr;
  CVeskoGameView* m_view = nullptr;
  int m_busyDepth = 0;
  // The validation notice while it shows (it goes with its parent, should that close first).
  wxWeakRef<wxDialog> m_validating;
};
