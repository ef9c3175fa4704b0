#include "res/StringTable.h"

#include <algorithm>
#include <iterator>

#include "res/CommandIds.h"
#include "res/StringIds.h"

namespace res {
namespace {

struct Entry {
  unsigned id;
  const char* text;
};

// Sorted by id.
const Entry kStrings[] = {
    {IDS_SCENE_ERROR_MISSING, "Error loading Scene error message."},
    {IDS_FMT_FILE_ERROR, "Game:\t%s\nSection:\t%s\nError:\t%s"},
    {IDS_FMT_UNEXPECTED_KEYWORD, "Was not expecting @%s."},
    {IDS_FMT_LINE_ERROR, "Game:\t%s\nLine:\t%lu\nSection:\t%s\nError:\t%s"},
    {IDS_NO_SECTION, "<NO SECTION>"},
    {IDS_FMT_KEYWORD_WINDOW, "Game:\t%s\nLine:\t%lu\nSection:\t%s\nError:\t%s"},
    {IDS_CONTINUE_PLAY, "Continue Play"},
    {IDS_STORY_MISSING, "Error!  The story named\n\"%s\"\ndoes not exist!  Cannot restore game!"},
    {IDS_SCENE_MISSING, "Error!  The scene \"%s\" in the story named\n\"%s\"\ndoes not exist!  Cannot restore game!"},
    {IDS_BEGIN_PLAY, "Begin Play"},
    {IDS_ASK_SAVE, "Save this position in your game?"},
    {IDS_SAVED, "Position has been saved!"},
    {IDS_ASK_RESTORE, "Restore saved position in story named\n\"%s\"?"},
    {IDS_APP_SUBTITLE, "Interactive picture stories"},
    {IDS_APP_COPYRIGHT, "Copyright \xC2\xA9 2025 Tallowmere Story Works"},
    {IDS_ALL_RIGHTS_RESERVED, "All rights reserved."},
    {IDS_NEW_GAME_BUTTON, "New Game"},
    {IDS_LOAD_GAME_BUTTON, "Load Game"},
    {IDS_ABOUT_DESIGNER1, "About Marigold Quill"},
    {IDS_ABOUT_DESIGNER2, "About Tobias Fairweather"},
    {IDS_ABOUT_MAKERS, "About Tallowmere"},
    {IDS_ABOUT_PROGRAM, "About Fablewick"},
    {IDS_WEB_SITE_LINE1, "New stories and tips for story writers"},
    {IDS_WEB_SITE_LINE2, "are waiting for you on our web site:"},
    {IDS_WEB_SITE_ADDRESS, "https://tallowmere.example.org"},
    {IDS_STORY_HAS_ERRORS, "The story \"%s\" contained errors.  Do you wish to continue restoring?"},
    {IDS_NO_STORY_AT_PATH, "There is no story at \"%s\": a story is a folder with a gamefile.txt."},
    {IDS_NO_SUCH_SCENE, "The story has no scene named \"%s\"."},
    {1000, "The specified scene in @FirstScene could not be found."},
    {1001, "The specified scene in a link could not be found."},
    {1002, "Option text was specified without a link."},
    {1003, "A link was specified without any option text."},
    {1004, "Link definition is empty."},
    {1005, "Option definition is empty."},
    {1006, "Scene doesn't contain a required image or animation."},
    {1008, "Animation speed or looping specified without an animation definition."},
    {1009, "Image not found"},
    {1010, "Sound not found"},
    {1011, "Music not found"},
    {1012, "Image directory not found"},
    {1013, "Music directory not found"},
    {1014, "Sound directory not found"},
    {1015, "The required title section could not be found."},
    {1016, "The required story name could not be found."},
    {1017, "The required author's name could not be found."},
    {1018, "The required artist's name could not be found."},
    {1020, "Name definition is empty."},
    {1021, "Too many images in @anim.  There is a limit of 32 allowed."},
    {1022, "Bad range for @soundDelay RANDOM.  First value must be less than second value."},
    {1023, "Image is too wide or too high; limit is 200 by 112 pixels"},
    {1024, "Unsupported image format"},
    {ID_GAME_NEW, "Select new game to play\nNew Game"},
    {ID_GAME_OPTIONS, "Change options for program\nOptions"},
    {ID_GAME_LIST_UNUSED, "Show all unused resources in the current game file\nList Unused"},
    {ID_GAME_RELOAD, "Read the story again from disk and stay in the scene\nReload Story"},
    {ID_VIEW_ZOOM_IN, "Make the pictures and text larger\nZoom In"},
    {ID_VIEW_ZOOM_OUT, "Make the pictures and text smaller\nZoom Out"},
    {ID_VIEW_ACTUAL_SIZE, "Show the pictures at their own size\nActual Size"},
    {ID_VIEW_AUTOMATIC_SIZE, "Choose the largest size that suits the screen\nAutomatic Size"},
    {ID_VIEW_FULL_SCREEN, "Fill the whole screen; F11 or Esc returns to the window\nFull Screen"},
    {IDS_APP_TITLE, "Fablewick"},
    {ID_FILE_NEW, "Start new game\nNew"},
    {ID_FILE_OPEN, "Open a saved game\nOpen"},
    {ID_FILE_SAVE, "Save the current game\nSave"},
    {ID_APP_ABOUT, "What's it all about\nAbout"},
    {ID_APP_EXIT, "End game and Exit\nExit"},
};

}  // namespace

bool LoadString(unsigned id, std::string& text) {
  auto found = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                [](const Entry& entry, unsigned key) { return entry.id < key; });
  if (found == std::end(kStrings) || found->id != id) return false;
  text = found->text;
  return true;
}

std::string LoadStringOr(unsigned id, const std::string& fallback) {
  std::string text;
  return LoadString(id, text) ? text : fallback;
}

}  // namespace res
