#include "tests/game/StoryFolders.h"

#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

void WriteStory(const std::string& folder, const std::string& text) {
  testing_support::WriteFile(folder + "/gamefile.txt", text);
}

void WritePicture(const std::string& path, int width, int height, unsigned rgb) {
  testing_support::WriteFile(path, testing_support::SolidBmp24(width, height, rgb));
}

std::string SimpleStoryText(const std::string& name) {
  return "[Title]\n@NAME " + name +
         "\n@AUTHOR Ann\n@ARTIST Bo\n"
         "[Setup]\n@IMAGEDIR pics\\\n@FIRSTSCENE Shore\n"
         "[Shore]\n@IMAGE shore.bmp\n@DESCRIPTION The tide is out.\n"
         "@OPTION1 Climb\n@LINK1 Tower\n@OPTION2 Wait\n@LINK2 Shore\n"
         "[Tower]\n@IMAGE Tower.BMP\n@DESCRIPTION Up high.\n@OPTION1 Back\n@LINK1 shore\n";
}

void WriteSimpleStory(const std::string& folder, const std::string& name) {
  WriteStory(folder, SimpleStoryText(name));
  WritePicture(folder + "/pics/shore.bmp", 8, 4, 0x3366AA);
  WritePicture(folder + "/pics/tower.bmp", 6, 5, 0xAA6633);
}
