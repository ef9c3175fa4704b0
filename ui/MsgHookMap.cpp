#include "ui/MsgHookMap.h"

CMsgHookMap& CMsgHookMap::GetInstance() {
  static CMsgHookMap map;
  return map;
}

CMsgHook* CMsgHookMap::Lookup(const wxWindow* window) const {
  auto found = m_heads.find(window);
  return found == m_heads.end() ? nullptr : found->second;
}
