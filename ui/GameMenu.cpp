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
  for (int i = 0; i < res::kViewMenuCount; ++i)
    if (res::kViewMenu[i].command == command) return true;
  for (int i = 0; i < res::kAcceleratorCount; ++i)
    if (res::kAccelerators[i].command == command) return true;
  return false;
}

wxMenu* CreateMenu(const res::MenuItemEntry* items, int count) {
  auto* menu = new wxMenu;
  for (int i = 0; i < count; ++i)
    menu->Append(MenuItemIdFor(items[i].command), wxString::FromUTF8(items[i].text), Prompt(items[i].command));
  return menu;
}

// The toolkit's key code for a key of the accelerator table.
int ToolkitKey(int key) {
  switch (key) {
    case res::KEY_F5:
      return WXK_F5;
    case res::KEY_F11:
      return WXK_F11;
    case res::KEY_NUMPAD_ADD:
      return WXK_NUMPAD_ADD;
    case res::KEY_NUMPAD_SUBTRACT:
      return WXK_NUMPAD_SUBTRACT;
    default:
      return key;
  }
}

}  // namespace

int MenuItemIdFor(int command) { return command - kMenuIdOffset; }

int CommandForMenuItem(int itemId) {
  const int command = itemId + kMenuIdOffset;
  return itemId > 0 && IsMenuCommand(command) ? command : 0;
}

wxMenuBar* CreateGameMenuBar() {
  auto* bar = new wxMenuBar;
  bar->Append(CreateMenu(res::kGameMenu, res::kGameMenuCount), wxString::FromUTF8(res::kGameMenuTitle));
  bar->Append(CreateMenu(res::kViewMenu, res::kViewMenuCount), wxString::FromUTF8(res::kViewMenuTitle));
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
    entries.emplace_back(flags, ToolkitKey(key.key), MenuItemIdFor(key.command));
  }
  return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}
