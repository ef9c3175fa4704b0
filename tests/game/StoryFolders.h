#pragma once
// Builds story folders for the game document's tests.
#include <string>

// Writes folder/gamefile.txt with text.
void WriteStory(const std::string& folder, const std::string& text);
// Writes a small 24-bit BMP picture of the given size and colour.
void WritePicture(const std::string& path, int width = 8, int height = 4, unsigned rgb = 0x336699);
// A two-scene story named name, with pictures, whose first scene is Shore.
std::string SimpleStoryText(const std::string& name);
void WriteSimpleStory(const std::string& folder, const std::string& name);
