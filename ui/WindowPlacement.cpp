#include "ui/WindowPlacement.h"

#include "game/SettingsStore.h"
#include "ui/MainFrame.h"

void CWindowPlacement::Load(const CSettingsStore& store, const std::string& section) {
  showCmd = store.ReadInt(section, "wp.showCmd", showCmd);
  flags = store.ReadInt(section, "wp.flags", flags);
  ptMinPosition.x = store.ReadInt(section, "wp.ptMinPosition.x", ptMinPosition.x);
  ptMinPosition.y = store.ReadInt(section, "wp.ptMinPosition.y", ptMinPosition.y);
  ptMaxPosition.x = store.ReadInt(section, "wp.ptMaxPosition.x", ptMaxPosition.x);
  ptMaxPosition.y = store.ReadInt(section, "wp.ptMaxPosition.y", ptMaxPosition.y);
  rcNormalPosition.left = store.ReadInt(section, "wp.left", rcNormalPosition.left);
  rcNormalPosition.right = store.ReadInt(section, "wp.right", rcNormalPosition.right);
  rcNormalPosition.top = store.ReadInt(section, "wp.top", rcNormalPosition.top);
  rcNormalPosition.bottom = store.ReadInt(section, "wp.bottom", rcNormalPosition.bottom);
}

void CWindowPlacement::Save(CSettingsStore& store, const std::string& section) const {
  store.WriteInt(section, "wp.showCmd", showCmd);
  store.WriteInt(section, "wp.flags", flags);
  store.WriteInt(section, "wp.ptMinPosition.x", ptMinPosition.x);
  store.WriteInt(section, "wp.ptMinPosition.y", ptMinPosition.y);
  store.WriteInt(section, "wp.ptMaxPosition.x", ptMaxPosition.x);
  store.WriteInt(section, "wp.ptMaxPosition.y", ptMaxPosition.y);
  store.WriteInt(section, "wp.left", rcNormalPosition.left);
  store.WriteInt(section, "wp.right", rcNormalPosition.right);
  store.WriteInt(section, "wp.top", rcNormalPosition.top);
  store.WriteInt(section, "wp.bottom", rcNormalPosition.bottom);
  store.Flush();
}

void CWindowPlacement::SaveWindow(CSettingsStore& store, const std::string& section, const CMainFrame& frame) {
  flags = 0;
  showCmd = frame.IsIconized() ? kShowMinimized : frame.IsMaximized() ? kShowMaximized : kShowNormal;
  // The system keeps no minimized or maximized position of its own here.
  ptMinPosition = {-1, -1};
  ptMaxPosition = {-1, -1};
  const wxRect normal = frame.GetNormalRect();
  rcNormalPosition = {normal.GetLeft(), normal.GetTop(), normal.GetLeft() + normal.GetWidth(),
                      normal.GetTop() + normal.GetHeight()};
  Save(store, section);
}
