// fablewick-story-art STORIES: draws the pictures of the demo stories and writes them as BMP
// files into STORIES/Lantern/pics and STORIES/Broken/pics. The output is the same on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/assets/LanternScenes.h"

namespace {

bool Write(const std::filesystem::path& path, const CPixelCanvas& canvas) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::string bytes = canvas.ToBmp();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "fablewick-story-art: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fablewick-story-art STORIES\n");
    return 2;
  }
  std::filesystem::path stories(argv[1]);
  std::filesystem::path lantern = stories / "Lantern" / "pics";
  std::filesystem::path broken = stories / "Broken" / "pics";
  bool ok = Write(lantern / "shore.bmp", DrawShore()) && Write(lantern / "pools.bmp", DrawPools()) &&
            Write(lantern / "tower.bmp", DrawTowerDoor()) && Write(lantern / "dawn.bmp", DrawDawn());
  for (int frame = 0; ok && frame < kLanternFrames; ++frame)
    ok = Write(lantern / ("lamp" + std::to_string(frame + 1) + ".bmp"), DrawLanternRoom(frame));
  ok = ok && Write(broken / "ok.bmp", DrawCrackedLantern()) && Write(broken / "title.bmp", DrawCrackedLantern()) &&
       Write(broken / "oversized.bmp", DrawOversized());
  return ok ? 0 : 1;
}
