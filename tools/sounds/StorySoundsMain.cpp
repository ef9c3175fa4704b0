// fablewick-story-sounds STORIES: synthesises the sounds of the demo stories and writes them as
// WAV and Ogg Vorbis files into STORIES/<story>/sounds. The output is the same on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/sounds/SoundFiles.h"
#include "tools/sounds/SoundRecipes.h"

namespace {

// A fixed Ogg stream serial number for each file, from its name.
int SerialOf(const std::string& path) {
  uint32_t hash = 2166136261u;
  for (char c : path) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  return static_cast<int>(hash & 0x7FFFFFFF);
}

std::string Encode(const StorySound& sound) {
  switch (sound.Format) {
    case SoundFormat::Wav8: return EncodeWav(sound.Samples, 1, sound.Rate, 8);
    case SoundFormat::Wav16: return EncodeWav(sound.Samples, 1, sound.Rate, 16);
    case SoundFormat::Ogg: break;
  }
  std::string title = std::filesystem::path(sound.Path).stem().string();
  return EncodeOgg(sound.Samples, 1, sound.Rate, 0.2f, SerialOf(sound.Path), title);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fablewick-story-sounds STORIES\n");
    return 2;
  }
  namespace fs = std::filesystem;
  for (const StorySound& sound : StorySounds()) {
    std::string bytes = Encode(sound);
    fs::path path = fs::path(argv[1]) / sound.Path;
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (bytes.empty() || !out) {
      std::fprintf(stderr, "fablewick-story-sounds: cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
