// fablewick-story-music STORIES: writes the music of the demo stories as standard MIDI files
// into STORIES/<story>/music. The output is the same on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/music/Tunes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fablewick-story-music STORIES\n");
    return 2;
  }
  namespace fs = std::filesystem;
  for (const StoryTune& tune : StoryTunes()) {
    std::string bytes, error;
    if (!WriteTune(tune.Music, bytes, error)) {
      std::fprintf(stderr, "fablewick-story-music: %s: %s\n", tune.Path.c_str(), error.c_str());
      return 1;
    }
    fs::path path = fs::path(argv[1]) / tune.Path;
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "fablewick-story-music: cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
