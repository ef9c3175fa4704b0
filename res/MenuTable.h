#pragma once
// The Game menu and the accelerator table as data: the interface builds its menu bar from
// these. Each command's status-bar prompt is its string (see StringTable.cpp): the text before
// a line feed, the tooltip after it.

namespace res {

struct MenuItemEntry {
  int command;
  const char* text;  // with its mnemonic (&) and, after a tab, the key shown beside it
};

enum AcceleratorModifier : int { ACCEL_CTRL = 1, ACCEL_SHIFT = 2, ACCEL_ALT = 4 };

struct AcceleratorEntry {
  int modifiers;  // AcceleratorModifier flags
  int key;        // an upper-case letter, or a function key (kKeyF1 + n - 1 for Fn)
  int command;
};

constexpr int kKeyF1 = 0x1000;
constexpr int kKeyF5 = kKeyF1 + 4;

extern const char* const kGameMenuTitle;
extern const MenuItemEntry kGameMenu[];
extern const int kGameMenuCount;
extern const AcceleratorEntry kAccelerators[];
extern const int kAcceleratorCount;

}  // namespace res
