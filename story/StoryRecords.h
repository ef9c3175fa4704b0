#pragma once
// The records that hold one story in memory. Every value is kept as the text the story file
// gives, with the line it began on; numbers and paths are interpreted by CGameFile on request.
#include <cstdint>
#include <string>
#include <vector>

#include "story/StoryString.h"

// One keyword's value of the title or setup section. Line 0 means the keyword was never given.
struct KeywordValue {
  uint32_t Line = 0;
  std::string Text;
};

// One keyword's value of a scene, its text kept in the story's text store; as KeywordValue.
struct SceneValue {
  uint32_t Line = 0;
  StoryString Text;
};

// The title section. Header holds the line of the '[' and the name written between the
// brackets; it is filled when the first keyword inside a title section is read.
struct TitleSection {
  KeywordValue Header;
  KeywordValue Name;
  KeywordValue Author;
  KeywordValue Artist;
  KeywordValue Date;
  KeywordValue Version;
  KeywordValue Company;
  KeywordValue Contact;
  KeywordValue Copyright;
};

// The setup section; Header as for the title section.
struct SetupSection {
  KeywordValue Header;
  KeywordValue MusicDir;
  KeywordValue SoundDir;
  KeywordValue ImageDir;
  KeywordValue FirstScene;
};

// One scene. Header.Text is the scene's name exactly as written between the brackets.
// The frames are few and rare, and keep strings of their own.
struct SceneSection {
  SceneValue Header;
  SceneValue Sound;
  SceneValue SoundLoop;
  SceneValue SoundDelay;
  SceneValue Music;
  // Music repeats without end unless the scene says otherwise.
  SceneValue MusicLoop{0, StoryString::Stored("\x07\0\0\0" "FOREVER")};
  uint32_t FramesLine = 0;          // line of the latest IMAGE or ANIM keyword
  std::vector<std::string> Frames;  // one entry: a still picture; more: an animation
  SceneValue AnimLoop;
  SceneValue AnimSpeed;
  SceneValue Description;
  SceneValue Option1;
  SceneValue Link1;
  SceneValue Option2;
  SceneValue Link2;
  SceneValue Option3;
  SceneValue Link3;
  SceneValue Option4;
  SceneValue Link4;
};

// One fault found by validation. Code is the string id of its text (1000 to 1024).
struct StoryError {
  int32_t Code = 0;
  std::string Name;  // scene name, or the title or setup header's name, or empty
  std::string Path;  // full path of the file concerned, or a missing link target, or empty
  uint32_t Line = 0;
};

// A keyword that its section does not know, as met during the latest read.
struct UnexpectedKeyword {
  std::string Keyword;  // the name as written
  uint32_t Line = 0;
  std::string Section;  // the current section's name; empty before the first header
};
