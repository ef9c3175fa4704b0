// fablewick-artwork: paints the program's own pictures and writes them as the files embedded
// in the player (res/bitmaps). With --check it compares instead of writing, so the build can
// tell when the committed files no longer match their painting code.
//
//   fablewick-artwork OUTDIR
//   fablewick-artwork --check DIR
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tools/artwork/ArtworkWriter.h"
#include "tools/artwork/Storybook.h"

namespace storybook {

const std::vector<Colour>& Colours() {
  static const std::vector<Colour> colours = {kInk, kWoodDark, kWood, kWoodLight, kGoldDark, kGold,
                                              kGoldLight, kParchmentDark, kParchment, kParchmentLight,
                                              kForestDark, kForest, kBurgundy, kRed, kNight, kSky};
  return colours;
}

}  // namespace storybook

namespace {

struct Artwork {
  std::string file;
  std::function<bool(std::vector<uint8_t>&, std::string&)> encode;
};

std::function<bool(std::vector<uint8_t>&, std::string&)> Bmp(std::function<CCanvas()> paint, unsigned bits,
                                                             bool storybookColours) {
  return [paint, bits, storybookColours](std::vector<uint8_t>& out, std::string& error) {
    static const std::vector<Colour> none;
    return EncodeIndexedBmp(paint(), bits, storybookColours ? storybook::Colours() : none, out, error);
  };
}

std::vector<Artwork> AllArtwork() {
  std::vector<Artwork> list;
  auto framePiece = [](int x, int y, int w, int h) { return [=] { return PaintFrame().Crop(x, y, w, h); }; };
  list.push_back({"frame_top.bmp", Bmp(framePiece(0, 0, 248, 24), 4, true)});
  list.push_back({"frame_bottom.bmp", Bmp(framePiece(0, 136, 248, 24), 4, true)});
  list.push_back({"frame_left.bmp", Bmp(framePiece(0, 24, 24, 112), 4, true)});
  list.push_back({"frame_right.bmp", Bmp(framePiece(224, 24, 24, 112), 4, true)});
  list.push_back({"start.bmp", Bmp(PaintStartPicture, 8, false)});
  list.push_back({"title.bmp", Bmp(PaintTitlePicture, 4, true)});
  list.push_back({"missing.bmp", Bmp(PaintMissingPicture, 4, true)});
  for (int digit = 1; digit <= 4; ++digit)
    for (bool pressed : {false, true})
      list.push_back({"option" + std::to_string(digit) + (pressed ? "_pressed" : "") + ".bmp",
                      Bmp([=] { return PaintOptionButton(digit, pressed); }, 8, false)});
  list.push_back({"icon.bmp", Bmp(PaintIcon, 8, false)});
  list.push_back({"icon.png", [](std::vector<uint8_t>& out, std::string& error) {
                    return EncodePng(PaintIcon(), &kIconBackground, out, error);
                  }});
  return list;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: fablewick-artwork OUTDIR | --check DIR\n");
    return 2;
  }
  const std::string folder = argv[argc - 1];
  int failures = 0;
  for (const Artwork& artwork : AllArtwork()) {
    std::vector<uint8_t> bytes;
    std::string error;
    const std::string path = folder + "/" + artwork.file;
    if (!artwork.encode(bytes, error)) {
      std::fprintf(stderr, "%s: %s\n", artwork.file.c_str(), error.c_str());
      ++failures;
    } else if (check) {
      std::vector<uint8_t> stored;
      if (!ReadWholeFile(path, stored) || stored != bytes) {
        std::fprintf(stderr, "%s differs from its painting; run fablewick-artwork %s\n", path.c_str(), folder.c_str());
        ++failures;
      }
    } else if (!WriteWholeFile(path, bytes)) {
      std::fprintf(stderr, "%s: cannot write\n", path.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
