#include "story/PictureProbe.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/FileSystem.h"

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

const unsigned char kPngSignature[4] = {0x89, 'P', 'N', 'G'};

bool HasPngSignature(FILE* file) {
  unsigned char bytes[4];
  return std::fread(bytes, 1, 4, file) == 4 && std::equal(bytes, bytes + 4, kPngSignature);
}

int32_t ReadLe32(const unsigned char* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

// libpng allocates and clears the bytes a chunk declares before it reads them: blocks beyond
// the 64 MiB picture limit are refused, so that a tiny file declaring a huge chunk costs nothing.
png_voidp AllocateWithinLimit(png_structp, png_alloc_size_t size) {
  return size <= 64u * 1024u * 1024u ? std::malloc(size) : nullptr;
}

void FreeBlock(png_structp, png_voidp block) { std::free(block); }

// libpng reports errors by calling this; it must not return, so it jumps back to the probe.
void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

// Reads the header chunk of an open PNG stream. Kept apart from the caller so that no object
// with a destructor lives in the frame that setjmp returns to.
bool ReadPngHeader(FILE* file, png_uint_32& width, png_uint_32& height) {
  png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning, nullptr,
                                             AllocateWithinLimit, FreeBlock);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  bool ok = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    ok = true;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return ok;
}

}  // namespace

bool IsPngFile(const std::string& path) {
  FilePtr file(platform::OpenFile(path, "rb"));
  return file && HasPngSignature(file.get());
}

bool ReadBmpFileSize(const std::string& path, int32_t& width, int32_t& height) {
  FilePtr file(platform::OpenFile(path, "rb"));
  if (!file) return false;
  unsigned char headers[14 + 40];
  if (std::fread(headers, 1, sizeof headers, file.get()) != sizeof headers) return false;
  if (headers[0] != 'B' || headers[1] != 'M') return false;
  width = ReadLe32(headers + 14 + 4);
  height = ReadLe32(headers + 14 + 8);
  return true;
}

bool ReadPngFileSize(const std::string& path, int32_t& width, int32_t& height) {
  FilePtr file(platform::OpenFile(path, "rb"));
  if (!file || !HasPngSignature(file.get())) return false;
  std::rewind(file.get());
  png_uint_32 w = 0, h = 0;
  if (!ReadPngHeader(file.get(), w, h)) return false;
  width = static_cast<int32_t>(w);
  height = static_cast<int32_t>(h);
  return true;
}

ImageCheck CheckImage(const std::string& path) {
  if (platform::GetFileKind(path) != platform::FileKind::Regular) return ImageCheck::Unreadable;
  return ProbeImageSize(path);
}

ImageCheck ProbeImageSize(const std::string& path) {
  int32_t width = 0, height = 0;
  if (!ReadBmpFileSize(path, width, height) && !ReadPngFileSize(path, width, height))
    return ImageCheck::Unreadable;
  return (width > kMaxPictureWidth || height > kMaxPictureHeight) ? ImageCheck::TooLarge
                                                                   : ImageCheck::Fits;
}
