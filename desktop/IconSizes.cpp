// fablewick-icons ICON.png OUTDIR: writes the program's icon at the sizes desktops ask for, as
// OUTDIR/NxN/apps/fablewick.png, each pixel of the art scaled up to a square block so that the
// pixel art stays sharp.
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const int kSizes[] = {32, 64, 128, 256};

bool ReadRgba(const std::string& path, png_image& image, std::vector<png_byte>& pixels) {
  image = png_image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  pixels.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
}

bool WriteScaled(const png_image& source, const std::vector<png_byte>& pixels, int size, const std::string& path) {
  const png_uint_32 width = source.width, height = source.height;
  std::vector<png_byte> scaled(static_cast<size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      size_t from = (static_cast<size_t>(y) * height / size * width + static_cast<size_t>(x) * width / size) * 4;
      size_t to = (static_cast<size_t>(y) * size + x) * 4;
      for (int c = 0; c < 4; ++c) scaled[to + c] = pixels[from + c];
    }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size);
  image.height = static_cast<png_uint_32>(size);
  image.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&image, path.c_str(), 0, scaled.data(), 0, nullptr) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fablewick-icons ICON.png OUTDIR\n");
    return 2;
  }
  png_image image;
  std::vector<png_byte> pixels;
  if (!ReadRgba(argv[1], image, pixels)) {
    std::fprintf(stderr, "fablewick-icons: cannot read %s\n", argv[1]);
    return 1;
  }
  for (int size : kSizes) {
    std::string dimension = std::to_string(size) + "x" + std::to_string(size);
    std::filesystem::path folder = std::filesystem::path(argv[2]) / dimension / "apps";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!WriteScaled(image, pixels, size, (folder / "fablewick.png").string())) {
      std::fprintf(stderr, "fablewick-icons: cannot write %s\n", folder.string().c_str());
      return 1;
    }
  }
  return 0;
}
