#pragma once
// A hook on a window's events. Hooks of one window form a chain, newest first: each sees an
// event before the hooks installed earlier and the window itself, and passes it on unless it
// handles it. Destroying a window unhooks every hook of it before the window sees its
// destroy event.
#include <wx/event.h>

class wxWindow;

class CMsgHook : public wxEvtHandler {
 public:
  CMsgHook() = default;
  ~CMsgHook() override;
  CMsgHook(const CMsgHook&) = delete;
  CMsgHook& operator=(const CMsgHook&) = delete;

  // With a window: becomes the head of that window's chain. With none: leaves its chain.
  // Returns true.
  bool HookWindow(wxWindow* window);
  bool IsHooked() const { return m_pWndHooked != nullptr; }
  wxWindow* GetHookedWindow() const { return m_pWndHooked; }

  // Handles one event of the hooked window; true when it is processed. This one passes the
  // event to the next hook, or after the last hook to the window's own handling.
  virtual bool WindowProc(wxEvent& event);

  // The hook procedure: every event of a hooked window arrives here first.
  bool ProcessEvent(wxEvent& event) override;

 protected:
  // Passes the event being handled on as this base class would (for overriders that want the
  // window to see it too).
  bool Default();

 private:
  void RemoveFromChain();

  wxWindow* m_pWndHooked = nullptr;
  // The window's handler that was in place before the first hook of the window.
  wxEvtHandler* m_pOldWndProc = nullptr;
  // The hook installed before this one on the same window.
  CMsgHook* m_pNext = nullptr;
};
