#pragma once
// Ids of the program's commands: the Game and View menus, their accelerators and the view's
// buttons.

namespace res {

enum CommandId : int {
  // The scene view's controls.
  ID_OPTION_BUTTON1 = 1000,  // to 1003: the four option buttons
  ID_OPTION_AREA1 = 1004,    // to 1007: the four option texts
  ID_BEGIN_PLAY = 1008,
  // The Game menu.
  ID_GAME_NEW = 32771,
  ID_GAME_OPTIONS = 32772,
  ID_GAME_LIST_UNUSED = 32773,
  ID_GAME_RELOAD = 32780,  // read the story again from disk (F5)
  // The View menu.
  ID_VIEW_ZOOM_IN = 32790,
  ID_VIEW_ZOOM_OUT = 32791,
  ID_VIEW_ACTUAL_SIZE = 32792,
  ID_VIEW_AUTOMATIC_SIZE = 32793,
  ID_VIEW_FULL_SCREEN = 32794,
  ID_FILE_NEW = 57600,  // start afresh: the start page, no story (Ctrl+N)
  ID_FILE_OPEN = 57601,
  ID_FILE_SAVE = 57603,
  ID_APP_ABOUT = 57664,
  ID_APP_EXIT = 57665,
};

}  // namespace res
