#pragma once
// The Game and View menus and the accelerator table as data: the interface builds its menu bar from
// these. Each command's status-bar prompt is its string (see StringTable.cpp): the text before
// a line feed, the tooltip after it.

namespace res {

struct MenuItemEntry {
  int command;
  const char* text;  // with its mnemonic (&) and, after a tab, the key shown beside it
};

enum AcceleratorModifier : int { ACCEL_CTRL = 1, ACCEL_SHIFT = 2, ACCEL_ALT = 4 };
enum SpecialKey : int { KEY_F5 = 0x10000 + 5, KEY_F11 = 0x10000 + 11, KEY_NUMPAD_ADD, KEY_NUMPAD_SUBTRACT };

struct AcceleratorEntry {
  int modifiers;  // AcceleratorModifier flags
  int key;        // an upper-case letter, a digit, '+', '=', '-', or one of the SpecialKey values
  int command;
};

extern const char* const kGameMenuTitle;
extern const MenuItemEntry kGameMenu[];
extern const int kGameMenuCount;
extern const char* const kViewMenuTitle;
extern const MenuItemEntry kViewMenu[];
extern const int kViewMenuCount;
extern const AcceleratorEntry kAccelerators[];
extern const int kAcceleratorCount;

}  // namespace res
