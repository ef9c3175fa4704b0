#pragma once
// Ids of the program's strings (see StringTable.cpp). Story error texts use their error
// codes, 1000 to 1024, as ids; the status-bar prompt of a command uses the command's id
// (res/CommandIds.h).

namespace res {

enum StringId : unsigned {
  IDS_SCENE_ERROR_MISSING = 129,     // replaces an error text that cannot be loaded
  IDS_FMT_FILE_ERROR = 130,          // message window without a line
  IDS_FMT_UNEXPECTED_KEYWORD = 131,  // "Was not expecting @%s."
  IDS_FMT_LINE_ERROR = 132,          // message window with a line
  IDS_NO_SECTION = 133,              // section text when none is known
  IDS_FMT_KEYWORD_WINDOW = 135,      // unexpected-keyword window
  IDS_CONTINUE_PLAY = 136,
  IDS_STORY_MISSING = 137,           // a saved position's story is not found
  IDS_SCENE_MISSING = 138,           // a saved position's scene is not found
  IDS_BEGIN_PLAY = 139,
  IDS_ASK_SAVE = 140,
  IDS_SAVED = 141,
  IDS_ASK_RESTORE = 142,
  IDS_APP_SUBTITLE = 143,            // start page
  IDS_APP_COPYRIGHT = 144,
  IDS_ALL_RIGHTS_RESERVED = 145,
  IDS_NEW_GAME_BUTTON = 146,
  IDS_LOAD_GAME_BUTTON = 147,
  IDS_ABOUT_DESIGNER1 = 148,         // captions of the about boxes' text windows
  IDS_ABOUT_DESIGNER2 = 149,
  IDS_ABOUT_MAKERS = 150,
  IDS_ABOUT_PROGRAM = 151,
  IDS_WEB_SITE_LINE1 = 153,          // start page: three lines about the makers' web site
  IDS_WEB_SITE_LINE2 = 154,
  IDS_WEB_SITE_ADDRESS = 155,
  IDS_STORY_HAS_ERRORS = 156,        // restoring a story with errors
  IDS_NO_STORY_AT_PATH = 157,        // a story named on the command line is not there
  IDS_NO_SUCH_SCENE = 170,           // a scene named on the command line is not in the story
  IDS_APP_TITLE = 57344,
};

}  // namespace res
