#pragma once
// The one map from a hooked window to the most recently installed hook of its chain.
#include <unordered_map>

class wxWindow;
class CMsgHook;

class CMsgHookMap {
 public:
  // The map, created on first use and destroyed at program exit.
  static CMsgHookMap& GetInstance();

  // The head of the window's chain, or none.
  CMsgHook* Lookup(const wxWindow* window) const;
  void SetAt(const wxWindow* window, CMsgHook* head) { m_heads[window] = head; }
  void RemoveKey(const wxWindow* window) { m_heads.erase(window); }
  bool IsEmpty() const { return m_heads.empty(); }

 private:
  CMsgHookMap() = default;
  std::unordered_map<const wxWindow*, CMsgHook*> m_heads;
};
