#pragma once
// Watches a story's folder and media folders while an author edits the story, and calls back a
// moment after the last change, so that one save (which editors often do as several writes)
// reloads the story once.
#include <functional>
#include <memory>
#include <set>
#include <string>

#include <wx/event.h>
#include <wx/fswatcher.h>  // wxFileSystemWatcher names the platform's class: no forward declaration
#include <wx/timer.h>

class CStoryWatcher : public wxEvtHandler {
 public:
  // How long the folders must stay unchanged before onChange runs.
  static constexpr int kQuietMilliseconds = 300;

  explicit CStoryWatcher(std::function<void()> onChange);
  ~CStoryWatcher() override;

  // Watches exactly these folders (none: nothing). Does nothing when the set is the same as now.
  // False when it cannot watch yet: the system's watcher needs a running event loop.
  bool Watch(const std::set<std::string>& folders);

 private:
  void OnFileSystemChange(wxFileSystemWatcherEvent& event);
  void OnQuiet(wxTimerEvent& event);

  std::function<void()> m_onChange;
  std::unique_ptr<wxFileSystemWatcher> m_watcher;
  std::set<std::string> m_folders;
  wxTimer m_quiet;
};
