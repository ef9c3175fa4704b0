#include "ui/StoryWatcher.h"

#include <wx/evtloop.h>
#include <wx/filename.h>

CStoryWatcher::CStoryWatcher(std::function<void()> onChange) : m_onChange(std::move(onChange)), m_quiet(this) {
  Bind(wxEVT_FSWATCHER, &CStoryWatcher::OnFileSystemChange, this);
  Bind(wxEVT_TIMER, &CStoryWatcher::OnQuiet, this);
}

CStoryWatcher::~CStoryWatcher() { m_quiet.Stop(); }

bool CStoryWatcher::Watch(const std::set<std::string>& folders) {
  if (folders == m_folders) return true;
  if (!folders.empty() && !wxEventLoopBase::GetActive()) return false;
  m_folders = folders;
  m_quiet.Stop();
  // The watcher is made afresh on the active event loop, and starts with no folders.
  m_watcher.reset();
  if (folders.empty()) return true;
  m_watcher = std::make_unique<wxFileSystemWatcher>();
  m_watcher->SetOwner(this);
  for (const std::string& folder : folders)
    m_watcher->Add(wxFileName::DirName(wxString::FromUTF8(folder)), wxFSW_EVENT_CREATE | wxFSW_EVENT_DELETE |
                                                                     wxFSW_EVENT_RENAME | wxFSW_EVENT_MODIFY);
  return true;
}

void CStoryWatcher::OnFileSystemChange(wxFileSystemWatcherEvent& event) {
  if (event.IsError()) return;
  m_quiet.StartOnce(kQuietMilliseconds);  // a later change starts the wait again
}

void CStoryWatcher::OnQuiet(wxTimerEvent&) {
  if (m_onChange) m_onChange();
}
