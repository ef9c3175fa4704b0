#include "tests/story/StoryTestSupport.h"

#include <png.h>
#include <stdlib.h>

#include "tests/support/TestPictures.h"

namespace {

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

}  // namespace

std::string BmpBytes(int32_t width, int32_t height) { return testing_support::SolidBmp24(width, height, 0x404040); }

std::string PngBytes(uint32_t width, uint32_t height) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "libpng could not write the test picture";
    return std::string();
  }
  png_set_write_fn(png, &out, AppendToString, nullptr);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(width, 0x80);
  for (uint32_t y = 0; y < height; ++y) png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<int32_t> Codes(const std::vector<StoryError>& errors) {
  std::vector<int32_t> codes;
  for (const StoryError& error : errors) codes.push_back(error.Code);
  return codes;
}

std::string StoryTest::WriteStory(const std::string& text) {
  std::string path = dir / "gamefile.txt";
  testing_support::WriteFile(path, text);
  return path;
}

void StoryTest::WriteMedia(const std::string& relativePath, const std::string& bytes) {
  testing_support::WriteFile(dir / relativePath, bytes);
}

void StoryTest::Read(const std::string& text) {
  ASSERT_TRUE(story.OpenStory(WriteStory(text), false, false, true));
}

bool StoryTest::ReadAndValidate(const std::string& text, bool checkImageSizes) {
  return story.OpenStory(WriteStory(text), true, checkImageSizes, true);
}

std::string TestTrashFiles() {
  // The trash location is read once per process, so one folder serves every test of it.
  static testing_support::TempDir dataHome;
  static bool pointed = setenv("XDG_DATA_HOME", (dataHome / "data").c_str(), 1) == 0;
  EXPECT_TRUE(pointed);
  return dataHome / "data/Trash/files";
}
