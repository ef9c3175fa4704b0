// Conformance over BMP Suite in the external corpus: every good picture loads with the pixels
// of the suite's reference rendering; questionable and bad pictures load or fail cleanly (the
// sanitizer build proves no read past the end).
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <regex>

#include "tests/support/TestFiles.h"
#include "picture/Dib.h"
#include "picture/PictureFactory.h"

namespace fs = std::filesystem;

namespace {

// A reference rendering as RGBA, top row first.
struct Rendering {
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> rgba;
};

struct RenderingBuffers {
  std::vector<std::vector<png_byte>> rows;
  std::vector<png_bytep> pointers;
};

bool ReadRendering(FILE* file, Rendering& out, RenderingBuffers& buffers) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  out.width = png_get_image_width(png, info);
  out.height = png_get_image_height(png, info);
  buffers.rows.assign(out.height, std::vector<png_byte>(png_get_rowbytes(png, info)));
  for (auto& row : buffers.rows) buffers.pointers.push_back(row.data());
  png_read_image(png, buffers.pointers.data());
  png_destroy_read_struct(&png, &info, nullptr);
  for (const auto& row : buffers.rows) out.rgba.insert(out.rgba.end(), row.begin(), row.begin() + out.width * 4);
  return true;
}

bool LoadRendering(const std::string& path, Rendering& out) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  RenderingBuffers buffers;
  const bool ok = ReadRendering(file, out, buffers);
  std::fclose(file);
  return ok;
}

// The reference renderings the suite's page names for one picture ("Correct display").
std::vector<std::string> RenderingsFor(const std::string& html, const std::string& name) {
  std::vector<std::string> found;
  const size_t row = html.find("<td>" + name + "</td>");
  if (row == std::string::npos) return found;
  const size_t cell = html.find("<td class=b>", row);
  const size_t end = html.find("</td>", cell);
  const std::string text = html.substr(cell, end - cell);
  static const std::regex image("src=\"([^\"]+\\.png)\"");
  for (std::sregex_iterator it(text.begin(), text.end(), image), last; it != last; ++it) found.push_back((*it)[1]);
  return found;
}

std::vector<std::string> BmpFiles(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(testing_support::CorpusDir() + "/bmp/" + folder))
    if (entry.is_regular_file() && entry.path().extension() == ".bmp") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

TEST(BmpSuite, GoodPicturesMatchTheirReferenceRenderings) {
  const std::string corpus = testing_support::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus beside the repository";
  const std::string html = testing_support::ReadFile(corpus + "/bmp/html/bmpsuite.html");
  ASSERT_FALSE(html.empty());
  const std::vector<std::string> files = BmpFiles("g");
  EXPECT_EQ(files.size(), 27u);
  for (const std::string& path : files) {
    const std::string name = "g/" + fs::path(path).filename().string();
    SCOPED_TRACE(name);
    CDib dib;
    ASSERT_TRUE(dib.Load(path)) << dib.GetLoadError();
    const DibBitmap& bitmap = *dib.GetBitmap();

    // Of the renderings offered, the one of the picture's own size (a viewer may also show
    // non-square pixels stretched).
    Rendering reference;
    bool matched = false;
    for (const std::string& candidate : RenderingsFor(html, name)) {
      Rendering r;
      ASSERT_TRUE(LoadRendering(corpus + "/bmp/html/" + candidate, r)) << candidate;
      if (static_cast<int>(r.width) == bitmap.Width() && static_cast<int>(r.height) == bitmap.Height()) {
        reference = r;
        matched = true;
        break;
      }
    }
    ASSERT_TRUE(matched) << "no reference rendering of " << bitmap.Width() << "x" << bitmap.Height();
    int mismatches = 0;
    for (int y = 0; y < bitmap.Height() && mismatches < 5; ++y)
      for (int x = 0; x < bitmap.Width() && mismatches < 5; ++x) {
        const uint8_t* want = &reference.rgba[(static_cast<size_t>(y) * reference.width + x) * 4];
        if (want[3] == 0) continue;  // undefined in the reference
        const Rgb got = bitmap.Pixel(x, y);
        if (got != Rgb{want[0], want[1], want[2]}) {
          ADD_FAILURE() << "pixel " << x << "," << y << " is " << int(got.red) << "," << int(got.green) << ","
                        << int(got.blue) << ", reference " << int(want[0]) << "," << int(want[1]) << "," << int(want[2]);
          ++mismatches;
        }
      }
    // Pictures of up to 8 bits keep their colour table as the palette; others get halftone.
    EXPECT_EQ(dib.GetPalette().GetEntryCount(), bitmap.BitCount() <= 8 ? bitmap.colors.size() : 256u);
  }
}

TEST(BmpSuite, QuestionableAndBadPicturesLoadOrFailCleanly) {
  const std::string corpus = testing_support::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus beside the repository";
  size_t loaded = 0, refused = 0;
  std::vector<std::string> files = BmpFiles("q");
  for (const char* folder : {"b", "x"})
    for (const std::string& file : BmpFiles(folder)) files.push_back(file);
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    std::unique_ptr<CDib> picture = LoadPictureFile(path);
    if (!picture) {
      ++refused;
      continue;
    }
    ++loaded;
    const DibBitmap& bitmap = *picture->GetBitmap();
    EXPECT_GT(bitmap.Width(), 0);
    EXPECT_GT(bitmap.Height(), 0);
    EXPECT_LE(bitmap.bits.size(), kMaxPixelBytes);
    std::vector<uint8_t> rgb(static_cast<size_t>(bitmap.Width()) * bitmap.Height() * 3);
    bitmap.ToRgb(rgb.data());  // every pixel converts, in range
  }
  EXPECT_EQ(loaded + refused, 64u);
  // Pictures that cannot be valid in any reading must be refused.
  for (const char* name : {"b/badbitcount.bmp", "b/badheadersize.bmp", "b/badplanes.bmp", "b/badwidth.bmp",
                           "b/reallybig.bmp", "b/rletopdown.bmp", "b/shortfile.bmp", "x/ba-bm.bmp", "q/pal2.bmp",
                           "q/rgba64.bmp", "q/rgb24jpeg.bmp", "q/rgb24png.bmp", "q/pal8os2v2.bmp"})
    EXPECT_FALSE(LoadPictureFile(corpus + "/bmp/" + name)) << name;
}
