#include "ui/GameMenu.h"

#include <vector>

#include "platform/TextEncoding.h"
#include "res/MenuTable.h"
#include "res/StringTable.h"

namespace {

constexpr int kMenuIdOffset = 0x8000;

// The prompt of a command: its string up to the line feed that starts its tooltip.
wxString Prompt(int command) {
  std::string text;
  if (!res::LoadString(static_cast<unsigned>(command), text)) return wxString();
  const size_t end = text.find('\n');
  return wxString::FromUTF8(platform::ToDisplayUtf8(text.substr(0, end)));
}

bool IsMenuCommand(int command) {
  for (int i = 0; i < res::kGameMenuCount; ++i)
    if (res::kGameMenu[i].command == command) return true;
  for (int i = 0; i < res::kAcceleratorCount; ++i)
    if (res::kAccelerators[i].command == command) return true;
  return false;
}

}  // namespace

int MenuItemIdFor(int command) { return command - kMenuIdOffset; }

int CommandForMenuItem(int itemId) {
  const int command = itemId + kMenuIdOffset;
  return itemId > 0 && IsMenuCommand(command) ? command : 0;
}

wxMenuBar* CreateGameMenuBar() {
  auto* menu = new wxMenu;
  for (int i = 0; i < res::kGameMenuCount; ++i) {
    const res::MenuItemEntry& item = res::kGameMenu[i];
    menu->Append(MenuItemIdFor(item.command), wxString::FromUTF8(item.text), Prompt(item.command));
  }
  auto* bar = new wxMenuBar;
  bar->Append(menu, wxString::FromUTF8(res::kGameMenuTitle));
  return bar;
}

wxAcceleratorTable CreateGameAccelerators() {
  std::vector<wxAcceleratorEntry> entries;
  for (int i = 0; i < res::kAcceleratorCount; ++i) {
    const res::AcceleratorEntry& key = res::kAccelerators[i];
    int flags = 0;
    if (key.modifiers & res::ACCEL_CTRL) flags |= wxACCEL_CTRL;
    if (key.modifiers & res::ACCEL_SHIFT) flags |= wxACCEL_SHIFT;
    if (key.modifiers & res::ACCEL_ALT) flags |= wxACCEL_ALT;
    const int code = key.key >= res::kKeyF1 ? WXK_F1 + (key.key - res::kKeyF1) : key.key;
    entries.emplace_back(flags, code, MenuItemIdFor(key.command));
  }
  return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}
