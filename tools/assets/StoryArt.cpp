// fablewick-story-art STORIES: draws the pictures of the demo stories and writes them into
// STORIES/Lantern/pics, STORIES/Autumn/pictures and STORIES/Broken/pics. The output is the same
// on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/assets/AutumnScenes.h"
#include "tools/assets/LanternScenes.h"
#include "tools/assets/PictureFiles.h"

namespace {

namespace fs = std::filesystem;

bool Write(const fs::path& path, const std::string& bytes) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (bytes.empty() || !out) {
    std::fprintf(stderr, "fablewick-story-art: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

std::string Numbered(const std::string& stem, int frame, const std::string& extension) {
  return stem + std::to_string(frame + 1) + extension;
}

bool WriteLantern(const fs::path& pics) {
  bool ok = Write(pics / "shore.bmp", EncodeBmp8(DrawShore())) && Write(pics / "pools.bmp", EncodeBmp8(DrawPools())) &&
            Write(pics / "tower.bmp", EncodeBmp8(DrawTowerDoor())) && Write(pics / "stairs.bmp", EncodeBmp4(DrawStairs()));
  for (int frame = 0; ok && frame < kLanternFrames; ++frame)
    ok = Write(pics / Numbered("lamp", frame, ".bmp"), EncodeBmp8(DrawLanternRoom(frame)));
  for (int frame = 0; ok && frame < kDawnFrames; ++frame)
    ok = Write(pics / Numbered("sunrise", frame, ".bmp"), EncodeBmp24(DrawSunrise(frame)));
  return ok;
}

bool WriteAutumn(const fs::path& pictures) {
  using namespace autumn;
  bool ok = Write(pictures / "bridge.png", EncodePngPalette(DrawBridge())) &&
            Write(pictures / "splash.png", EncodePngRgb(DrawSplash())) &&
            Write(pictures / "stones.png", EncodePngRgb(DrawStones()));
  for (int frame = 0; ok && frame < kFireFrames; ++frame)
    ok = Write(pictures / Numbered("cottage", frame, ".png"), EncodePngRgb(DrawCottage(frame)));
  for (int frame = 0; ok && frame < kLeafFrames; ++frame)
    ok = Write(pictures / Numbered("crossroads", frame, ".png"), EncodePngPalette(DrawCrossroads(frame)));
  for (int frame = 0; ok && frame < kOwlFrames; ++frame)
    ok = Write(pictures / Numbered("owl", frame, ".bmp"), EncodeBmp4(DrawOak(frame)));
  for (int frame = 0; ok && frame < kWheelFrames; ++frame)
    ok = Write(pictures / Numbered("mill", frame, ".bmp"), EncodeBmp24(DrawMill(frame)));
  for (int frame = 0; ok && frame < kFireflyFrames; ++frame)
    ok = Write(pictures / Numbered("homeward", frame, ".png"), EncodePngPalette(DrawHomeward(frame)));
  return ok;
}

bool WriteBroken(const fs::path& pics) {
  const std::string cracked = EncodeBmp8(DrawCrackedLantern());
  return Write(pics / "ok.bmp", cracked) && Write(pics / "title.bmp", cracked) &&
         Write(pics / "oversized.bmp", EncodeBmp8(DrawOversized()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fablewick-story-art STORIES\n");
    return 2;
  }
  fs::path stories(argv[1]);
  bool ok = WriteLantern(stories / "Lantern" / "pics") && WriteAutumn(stories / "Autumn" / "pictures") &&
            WriteBroken(stories / "Broken" / "pics");
  return ok ? 0 : 1;
}
