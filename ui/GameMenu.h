#pragma once
// The Game and View menus and their accelerators as the toolkit's objects. The toolkit takes menu item and
// window ids below 32767 only, so each item (and each button of a Game menu command) carries
// its command id less 32768; the frame turns the id back into the command before routing it.
#include <wx/accel.h>
#include <wx/menu.h>

// The menu item id standing for a command of the menus.
int MenuItemIdFor(int command);
// The command a menu item id stands for; 0 when the id is not one of the menus'.
int CommandForMenuItem(int itemId);

// The menu bar with the Game and View menus: texts, status-bar prompts and ids.
wxMenuBar* CreateGameMenuBar();
wxAcceleratorTable CreateGameAccelerators();
