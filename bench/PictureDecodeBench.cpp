// Picture decoding speed: our BMP and PNG loaders against wxImage's own loaders on the same
// files, in process, and the whole story-tool process against netpbm's converters. Run by
// hand: bench_picture_decode [--benchmark_filter=...].
#include <benchmark/benchmark.h>
#include <png.h>
#include <spawn.h>
#include <sys/wait.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>

#include <filesystem>
#include <map>
#include <tuple>
#include <random>
#include <string>
#include <vector>

#include "picture/BmpWriter.h"
#include "picture/PictureFactory.h"

extern char** environ;

namespace {

constexpr int kPicturesPerSet = 8;

struct PictureSet {
  std::vector<std::string> files;
};

// A scene-like picture: smooth gradients with some noise, as drawings and photos have.
std::vector<uint8_t> ScenePixels(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      p[0] = static_cast<uint8_t>(x * 255 / width + random() % 8);
      p[1] = static_cast<uint8_t>(y * 255 / height + random() % 8);
      p[2] = static_cast<uint8_t>((x + y) * 127 / (width + height) + seed * 16 + random() % 8);
    }
  return rgb;
}

// The same picture reduced to 256 colours (3-3-2 bits).
uint8_t Index332(const uint8_t* p) { return static_cast<uint8_t>((p[0] & 0xE0) | (p[1] & 0xE0) >> 3 | p[2] >> 6); }

void WriteBmp(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height, bool indexed) {
  DibBitmap dib;
  dib.header.biWidth = width;
  dib.header.biHeight = height;
  dib.header.biBitCount = indexed ? 8 : 24;
  const size_t stride = dib.Stride();
  dib.bits.assign(stride * height, 0);
  if (indexed) {
    for (int i = 0; i < 256; ++i)
      dib.colors.push_back(RgbQuad{static_cast<uint8_t>((i & 3) * 85), static_cast<uint8_t>(((i >> 2) & 7) * 36),
                                   static_cast<uint8_t>((i >> 5) * 36), 0});
    dib.header.biClrUsed = 256;
  }
  for (int y = 0; y < height; ++y) {
    uint8_t* row = dib.bits.data() + stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      if (indexed) {
        row[x] = Index332(p);
      } else {
        row[x * 3] = p[2];
        row[x * 3 + 1] = p[1];
        row[x * 3 + 2] = p[0];
      }
    }
  }
  std::string error;
  if (!WriteBmpFile(dib, path, error)) std::fprintf(stderr, "%s\n", error.c_str());
}

struct PngRows {
  std::vector<std::vector<png_byte>> rows;
  std::vector<png_bytep> pointers;
  std::vector<png_color> palette;
};

bool WritePngFile(FILE* file, const std::vector<uint8_t>& rgb, int width, int height, bool indexed, PngRows& data) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (indexed) {
    for (int i = 0; i < 256; ++i)
      data.palette.push_back(png_color{static_cast<png_byte>((i >> 5) * 36), static_cast<png_byte>(((i >> 2) & 7) * 36),
                                       static_cast<png_byte>((i & 3) * 85)});
    png_set_PLTE(png, info, data.palette.data(), 256);
  }
  for (int y = 0; y < height; ++y) {
    std::vector<png_byte> row;
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      if (indexed)
        row.push_back(Index332(p));
      else
        row.insert(row.end(), p, p + 3);
    }
    data.rows.push_back(row);
  }
  for (auto& row : data.rows) data.pointers.push_back(row.data());
  png_set_rows(png, info, data.pointers.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

void WritePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height, bool indexed) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  PngRows data;
  WritePngFile(file, rgb, width, height, indexed, data);
  std::fclose(file);
}

enum Kind { kBmp8, kBmp24, kPng8, kPng24 };
const char* const kKindNames[] = {"bmp8", "bmp24", "png8", "png24"};

std::string& Folder() {
  static std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "fablewick-bench-XXXXXX").string();
    return std::string(::mkdtemp(pattern.data()));
  }();
  return folder;
}

const PictureSet& Set(Kind kind, int width, int height) {
  static std::map<std::tuple<int, int, int>, PictureSet> sets;
  PictureSet& set = sets[{kind, width, height}];
  if (!set.files.empty()) return set;
  for (int i = 0; i < kPicturesPerSet; ++i) {
    const std::string path = Folder() + "/" + kKindNames[kind] + "-" + std::to_string(width) + "-" + std::to_string(i) +
                             (kind <= kBmp24 ? ".bmp" : ".png");
    const std::vector<uint8_t> rgb = ScenePixels(width, height, static_cast<unsigned>(i));
    if (kind <= kBmp24)
      WriteBmp(path, rgb, width, height, kind == kBmp8);
    else
      WritePng(path, rgb, width, height, kind == kPng8);
    set.files.push_back(path);
  }
  return set;
}

void OurLoader(benchmark::State& state, Kind kind, int width, int height) {
  const PictureSet& set = Set(kind, width, height);
  for (auto _ : state)
    for (const std::string& file : set.files) {
      auto picture = LoadPictureFile(file);
      if (!picture) state.SkipWithError("load failed");
      benchmark::DoNotOptimize(picture.get());
    }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * set.files.size()));
}

void WxImageLoader(benchmark::State& state, Kind kind, int width, int height) {
  const PictureSet& set = Set(kind, width, height);
  const wxBitmapType type = kind <= kBmp24 ? wxBITMAP_TYPE_BMP : wxBITMAP_TYPE_PNG;
  for (auto _ : state)
    for (const std::string& file : set.files) {
      wxImage image;
      if (!image.LoadFile(file, type)) state.SkipWithError("load failed");
      benchmark::DoNotOptimize(image.GetData());
    }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * set.files.size()));
}

// Runs a program with its output to /dev/null and waits for it.
bool RunProcess(std::vector<std::string> args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string& ToolPath() {
  static std::string path;
  return path;
}

void StoryToolProcess(benchmark::State& state, Kind kind, int width, int height) {
  const PictureSet& set = Set(kind, width, height);
  for (auto _ : state)
    for (const std::string& file : set.files)
      if (!RunProcess({ToolPath(), file, "/dev/null"})) state.SkipWithError("decode failed");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * set.files.size()));
}

void NetpbmProcess(benchmark::State& state, Kind kind, int width, int height) {
  const PictureSet& set = Set(kind, width, height);
  const std::string program = kind <= kBmp24 ? "bmptopnm" : "pngtopnm";
  for (auto _ : state)
    for (const std::string& file : set.files)
      if (!RunProcess({program, file})) state.SkipWithError("netpbm failed");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * set.files.size()));
}

void RegisterAll() {
  const std::pair<int, int> sizes[] = {{200, 112}, {1024, 768}};
  for (int kind = kBmp8; kind <= kPng24; ++kind)
    for (const auto& [w, h] : sizes) {
      const std::string suffix = std::string(kKindNames[kind]) + "/" + std::to_string(w) + "x" + std::to_string(h);
      const Kind k = static_cast<Kind>(kind);
      const int width = w, height = h;
      benchmark::RegisterBenchmark(("InProcess/fablewick/" + suffix).c_str(),
                                   [=](benchmark::State& s) { OurLoader(s, k, width, height); })
          ->UseRealTime();
      benchmark::RegisterBenchmark(("InProcess/wxImage/" + suffix).c_str(),
                                   [=](benchmark::State& s) { WxImageLoader(s, k, width, height); })
          ->UseRealTime();
      benchmark::RegisterBenchmark(("Process/fablewick/" + suffix).c_str(),
                                   [=](benchmark::State& s) { StoryToolProcess(s, k, width, height); })
          ->UseRealTime();
      benchmark::RegisterBenchmark(("Process/netpbm/" + suffix).c_str(),
                                   [=](benchmark::State& s) { NetpbmProcess(s, k, width, height); })
          ->UseRealTime();
    }
}

}  // namespace

int main(int argc, char** argv) {
  wxInitializer initializer;
  wxLog::EnableLogging(false);
  wxInitAllImageHandlers();
  ToolPath() = (std::filesystem::path(argv[0]).parent_path() / "bench_picture_decode_tool").string();
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder());
  return 0;
}
