#include "tests/game/StoryFolders.h"

#include "tests/support/TestFiles.h"

void WriteStory(const std::string& folder, const std::string& text) {
  testing_support::WriteFile(folder + "/gamefile.txt", text);
}

void WritePicture(const std::string& path, int width, int height, unsigned rgb) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const int imageSize = stride * height;
  std::string bytes(54 + imageSize, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  put32(34, static_cast<uint32_t>(imageSize));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      size_t at = 54 + static_cast<size_t>(y * stride + x * 3);
      bytes[at] = static_cast<char>(rgb & 0xFF);
      bytes[at + 1] = static_cast<char>((rgb >> 8) & 0xFF);
      bytes[at + 2] = static_cast<char>((rgb >> 16) & 0xFF);
    }
  testing_support::WriteFile(path, bytes);
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
