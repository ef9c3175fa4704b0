// fablewick-portraits: paints the portraits of the makers' about box and writes them as the
// bitmap files embedded in the player (res/bitmaps). With --check it compares instead of
// writing, so the tests can tell when the committed files no longer match their painting code.
//
//   fablewick-portraits OUTDIR
//   fablewick-portraits --check DIR
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tools/portraits/Portraits.h"
#include "picture/BmpWriter.h"

namespace {

struct Portrait {
  const char* file;
  std::function<CPixelCanvas()> paint;
};

const Portrait kPortraits[] = {
    {"portrait_marigold.bmp", PaintMarigold},
    {"portrait_tobias.bmp", PaintTobias},
};

// The canvas as an 8-bit pixel store with its colour table, bottom row first.
DibBitmap ToDib(const CPixelCanvas& canvas) {
  DibBitmap dib;
  dib.header.biWidth = canvas.Width();
  dib.header.biHeight = canvas.Height();
  dib.header.biBitCount = 8;
  dib.header.biClrUsed = static_cast<uint32_t>(canvas.Palette().size());
  for (const Rgb& colour : canvas.Palette()) dib.colors.push_back(RgbQuad{colour.blue, colour.green, colour.red, 0});
  const size_t stride = dib.Stride();
  const size_t width = static_cast<size_t>(canvas.Width());
  dib.header.biSizeImage = static_cast<uint32_t>(stride * static_cast<size_t>(canvas.Height()));
  dib.bits.assign(stride * static_cast<size_t>(canvas.Height()), 0);
  for (int y = 0; y < canvas.Height(); ++y)
    std::copy_n(&canvas.Pixels()[width * static_cast<size_t>(y)], width,
                &dib.bits[stride * static_cast<size_t>(canvas.Height() - 1 - y)]);
  return dib;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: fablewick-portraits OUTDIR | --check DIR\n");
    return 2;
  }
  const std::string folder = argv[argc - 1];
  int result = 0;
  for (const Portrait& portrait : kPortraits) {
    const std::string path = folder + "/" + portrait.file;
    const DibBitmap dib = ToDib(portrait.paint());
    if (check) {
      if (ReadFile(path) != EncodeBmp(dib)) {
        std::fprintf(stderr, "%s does not match its painting code\n", path.c_str());
        result = 1;
      }
      continue;
    }
    std::string error;
    if (!WriteBmpFile(dib, path, error)) {
      std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
      result = 2;
    }
  }
  return result;
}
