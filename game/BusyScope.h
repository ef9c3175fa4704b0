#pragma once
#include "game/GameUi.h"

// Shows the busy indication for the life of the object.
class CBusyScope {
 public:
  explicit CBusyScope(IGameUi& ui) : m_ui(ui) { m_ui.BeginBusy(); }
  ~CBusyScope() { m_ui.EndBusy(); }
  CBusyScope(const CBusyScope&) = delete;
  CBusyScope& operator=(const CBusyScope&) = delete;

 private:
  IGameUi& m_ui;
};
