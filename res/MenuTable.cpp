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

const char* const kViewMenuTitle = "&View";

const MenuItemEntry kViewMenu[] = {
    {ID_VIEW_ZOOM_IN, "Zoom &In\tCtrl++"},
    {ID_VIEW_ZOOM_OUT, "Zoom &Out\tCtrl+-"},
    {ID_VIEW_ACTUAL_SIZE, "&Actual Size\tCtrl+0"},
    {ID_VIEW_AUTOMATIC_SIZE, "Auto&matic Size"},
    {ID_VIEW_FULL_SCREEN, "&Full Screen\tF11"},
};
const int kViewMenuCount = sizeof kViewMenu / sizeof kViewMenu[0];

// Ctrl++ is Ctrl+Shift+= on many keyboards, and Ctrl+= is offered as well.
const AcceleratorEntry kAccelerators[] = {
    {ACCEL_CTRL, 'N', ID_FILE_NEW},
    {ACCEL_CTRL, 'O', ID_FILE_OPEN},
    {ACCEL_CTRL, 'S', ID_FILE_SAVE},
    {0, KEY_F5, ID_GAME_RELOAD},
    {ACCEL_CTRL, '+', ID_VIEW_ZOOM_IN},
    {ACCEL_CTRL | ACCEL_SHIFT, '+', ID_VIEW_ZOOM_IN},
    {ACCEL_CTRL, '=', ID_VIEW_ZOOM_IN},
    {ACCEL_CTRL | ACCEL_SHIFT, '=', ID_VIEW_ZOOM_IN},
    {ACCEL_CTRL, KEY_NUMPAD_ADD, ID_VIEW_ZOOM_IN},
    {ACCEL_CTRL, '-', ID_VIEW_ZOOM_OUT},
    {ACCEL_CTRL, KEY_NUMPAD_SUBTRACT, ID_VIEW_ZOOM_OUT},
    {ACCEL_CTRL, '0', ID_VIEW_ACTUAL_SIZE},
    {0, KEY_F11, ID_VIEW_FULL_SCREEN},
};
const int kAcceleratorCount = sizeof kAccelerators / sizeof kAccelerators[0];

}  // namespace res
