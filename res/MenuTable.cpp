#include "res/MenuTable.h"

#include "res/CommandIds.h"

namespace res {

const char* const kGameMenuTitle = "&Game";

// "New Game..." shows Ctrl+N, but the key itself starts afresh (ID_FILE_NEW), as it always has.
const MenuItemEntry kGameMenu[] = {
    {ID_GAME_NEW, "&New Game...\tCtrl+N"},
    {ID_FILE_OPEN, "&Load Saved Game\tCtrl+O"},
    {ID_FILE_SAVE, "&Save Game\tCtrl+S"},
    {ID_GAME_RELOAD, "&Reload Story\tF5"},
    {ID_GAME_LIST_UNUSED, "List &Unused Resources..."},
    {ID_GAME_OPTIONS, "O&ptions..."},
    {ID_APP_ABOUT, "&About..."},
    {ID_APP_EXIT, "E&xit"},
};
const int kGameMenuCount = sizeof kGameMenu / sizeof kGameMenu[0];

const AcceleratorEntry kAccelerators[] = {
    {ACCEL_CTRL, 'N', ID_FILE_NEW},
    {ACCEL_CTRL, 'O', ID_FILE_OPEN},
    {ACCEL_CTRL, 'S', ID_FILE_SAVE},
    {0, kKeyF5, ID_GAME_RELOAD},
};
const int kAcceleratorCount = sizeof kAccelerators / sizeof kAccelerators[0];

}  // namespace res
