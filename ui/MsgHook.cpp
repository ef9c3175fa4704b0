#include "ui/MsgHook.h"

#include <wx/window.h>

#include "ui/MsgHookMap.h"

namespace {

// The event being handled by the hook procedure on this thread; nested events (sent while one
// is handled) see their own.
thread_local wxEvent* t_currentEvent = nullptr;

class CurrentEventScope {
 public:
  explicit CurrentEventScope(wxEvent& event) : m_saved(t_currentEvent) { t_currentEvent = &event; }
  ~CurrentEventScope() { t_currentEvent = m_saved; }
  CurrentEventScope(const CurrentEventScope&) = delete;
  CurrentEventScope& operator=(const CurrentEventScope&) = delete;

 private:
  wxEvent* m_saved;
};

bool IsDestroyOf(const wxEvent& event, const wxWindow* window) {
  return event.GetEventType() == wxEVT_DESTROY && event.GetEventObject() == window;
}

}  // namespace

CMsgHook::~CMsgHook() {
  if (m_pWndHooked) HookWindow(nullptr);
}

bool CMsgHook::HookWindow(wxWindow* window) {
  if (window) {
    if (m_pWndHooked) HookWindow(nullptr);
    CMsgHookMap& map = CMsgHookMap::GetInstance();
    CMsgHook* head = map.Lookup(window);
    m_pNext = head;
    m_pOldWndProc = head ? head->m_pOldWndProc : window->GetEventHandler();
    map.SetAt(window, this);
    window->PushEventHandler(this);
    m_pWndHooked = window;
  } else if (m_pWndHooked) {
    RemoveFromChain();
    m_pWndHooked = nullptr;
    m_pOldWndProc = nullptr;
    m_pNext = nullptr;
  }
  return true;
}

void CMsgHook::RemoveFromChain() {
  CMsgHookMap& map = CMsgHookMap::GetInstance();
  CMsgHook* head = map.Lookup(m_pWndHooked);
  if (head == this) {
    if (m_pNext)
      map.SetAt(m_pWndHooked, m_pNext);
    else
      map.RemoveKey(m_pWndHooked);
  } else {
    for (CMsgHook* hook = head; hook; hook = hook->m_pNext) {
      if (hook->m_pNext == this) {
        hook->m_pNext = m_pNext;
        break;
      }
    }
  }
  m_pWndHooked->RemoveEventHandler(this);
}

bool CMsgHook::WindowProc(wxEvent& event) {
  if (m_pNext) return m_pNext->WindowProc(event);
  return m_pOldWndProc ? m_pOldWndProc->ProcessEvent(event) : false;
}

bool CMsgHook::Default() { return t_currentEvent ? CMsgHook::WindowProc(*t_currentEvent) : false; }

bool CMsgHook::ProcessEvent(wxEvent& event) {
  wxWindow* const window = m_pWndHooked;
  CMsgHookMap& map = CMsgHookMap::GetInstance();
  CMsgHook* const head = window ? map.Lookup(window) : nullptr;
  if (!head) return wxEvtHandler::ProcessEvent(event);

  CurrentEventScope scope(event);
  if (IsDestroyOf(event, window)) {
    wxEvtHandler* const old = head->m_pOldWndProc;
    while (CMsgHook* hook = map.Lookup(window)) hook->HookWindow(nullptr);
    return old ? old->ProcessEvent(event) : false;
  }
  return head->WindowProc(event);
}
