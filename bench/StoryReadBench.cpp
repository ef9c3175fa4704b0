// Story reading and validation speed.
//   ReadStory: OpenStory without validation over a generated 20 MB gamefile.txt (bytes/s).
//   WcLines, RawRead: `wc -l` on the same file, and plain block reads of it, as the I/O
//   reference to compare the reader with.
//   OpenValidate: OpenStory with validation (picture sizes included) of a story with 5,000
//   scenes, 20,000 links and 5,000 pictures, one in ten named with an accent; ParseOnly and
//   FileChecks split that time into the reading and the file-system checks.
//   OpenValidateOtherCase: the same story naming every picture in another letter case than its
//   file (the accented ones in Windows-1252, the files in UTF-8), as stories written on Windows
//   often do.
//   ToolValidate, ToolValidateOtherCase: `fablewick-story validate --image-sizes` on the two
//   stories, timed as a whole process.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/FileSystem.h"
#include "story/GameFile.h"
#include "story/PictureProbe.h"

namespace {

constexpr size_t kReadBytes = 20u << 20;
constexpr int kScenes = 5000;

class CBenchFiles {
 public:
  CBenchFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fablewick-bench-XXXXXX").string();
    m_folder = ::mkdtemp(pattern.data()) ? pattern : "/tmp";
    WriteLargeStory();
    WriteValidationStory("many", false);
    WriteValidationStory("othercase", true);
  }
  ~CBenchFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }

  std::string LargeStory() const { return m_folder + "/large/gamefile.txt"; }
  std::string ValidationStory() const { return m_folder + "/many/gamefile.txt"; }
  std::string OtherCaseStory() const { return m_folder + "/othercase/gamefile.txt"; }
  std::string PicturePath(int i) const { return m_folder + "/many/pics/" + PictureName(i, false); }

 private:
  static void Write(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // Scenes as authors write them: several lines of description, comments, options and links.
  void WriteLargeStory() {
    std::string text = "// A long story\r\n[Title]\r\n@NAME Long\r\n@AUTHOR A\r\n@ARTIST B\r\n[Setup]\r\n@FIRSTSCENE s0\r\n";
    for (int i = 0; text.size() < kReadBytes; ++i) {
      std::string n = std::to_string(i);
      text += "\r\n[s" + n + "]\r\n@IMAGE picture" + n + ".bmp\r\n// the room of scene " + n + "\r\n" +
              "@DESCRIPTION The corridor bends to the left and the air grows colder with every step.\r\n"
              "A draught from somewhere below carries the smell of salt and tar, and a lamp\r\n"
              "gutters in its niche.\\nWhat will you do?\r\n"
              "@OPTION1 Go down the stairs\r\n@LINK1 s" + std::to_string(i + 1) + "\r\n"
              "@OPTION2 Go back\r\n@LINK2 s" + n + "\r\n@MUSIC theme.mid\r\n@MUSICLOOP 2\r\n";
    }
    Write(LargeStory(), text);
  }

  // The name of picture i as stored on disk (UTF-8), or as a story written on Windows names it
  // in another case (Windows-1252).
  static std::string PictureName(int i, bool otherCase) {
    std::string number = std::to_string(i);
    if (i % 10 != 0) return (otherCase ? "P" : "p") + number + (otherCase ? ".BMP" : ".bmp");
    return (otherCase ? "\xC9" "CUME" : "\xC3\xA9" "cume") + number + (otherCase ? ".BMP" : ".bmp");
  }

  void WriteValidationStory(const std::string& folder, bool otherCase) {
    std::string bmp(54, '\0');
    bmp[0] = 'B', bmp[1] = 'M', bmp[14] = 40, bmp[18] = 100, bmp[22] = 50;
    std::string text = "[Title]\n@NAME Many\n@AUTHOR A\n@ARTIST B\n[Setup]\n@IMAGEDIR pics\\\n@FIRSTSCENE Scene 0\n";
    for (int i = 0; i < kScenes; ++i) {
      Write(m_folder + "/" + folder + "/pics/" + PictureName(i, false), bmp);
      text += "[Scene " + std::to_string(i) + "]\n@IMAGE " + PictureName(i, otherCase) + "\n@DESCRIPTION Scene text.\n";
      for (int option = 1; option <= 4; ++option) {
        std::string o = std::to_string(option);
        text += "@OPTION" + o + " Go\n@LINK" + o + " scene " + std::to_string((i * 7 + option * 13) % kScenes) + "\n";
      }
    }
    Write(m_folder + "/" + folder + "/gamefile.txt", text);
  }

  std::string m_folder;
};

const CBenchFiles& Files() {
  static CBenchFiles files;
  return files;
}

size_t FileSize(const std::string& path) { return std::filesystem::file_size(path); }

void ReadStory(benchmark::State& state) {
  const std::string path = Files().LargeStory();
  CGameFile story;
  for (auto _ : state) {
    story.OpenStory(path, false, false, true);
    benchmark::DoNotOptimize(story.Scenes().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(path)));
}
BENCHMARK(ReadStory)->Unit(benchmark::kMillisecond);

void WcLines(benchmark::State& state) {
  const std::string path = Files().LargeStory();
  const std::string command = "wc -l < '" + path + "' > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("wc failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(path)));
}
BENCHMARK(WcLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void RawRead(benchmark::State& state) {
  const std::string path = Files().LargeStory();
  std::string buffer(32767, '\0');
  for (auto _ : state) {
    FILE* file = std::fopen(path.c_str(), "rb");
    size_t total = 0, got;
    while (file && (got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) total += got;
    if (file) std::fclose(file);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(path)));
}
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond);

void ValidateStory(benchmark::State& state, const std::string& path) {
  CGameFile story;
  for (auto _ : state) {
    bool valid = story.OpenStory(path, true, true, true);
    if (!valid) state.SkipWithError("the generated story should be valid");
  }
}

void OpenValidate(benchmark::State& state) { ValidateStory(state, Files().ValidationStory()); }
BENCHMARK(OpenValidate)->Unit(benchmark::kMillisecond);

void OpenValidateOtherCase(benchmark::State& state) { ValidateStory(state, Files().OtherCaseStory()); }
BENCHMARK(OpenValidateOtherCase)->Unit(benchmark::kMillisecond);

void RunValidateTool(benchmark::State& state, const std::string& path) {
  const std::string command = "'" FABLEWICK_STORY_TOOL "' validate --image-sizes '" + path + "' > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("the story tool found errors");
  }
}

void ToolValidate(benchmark::State& state) { RunValidateTool(state, Files().ValidationStory()); }
BENCHMARK(ToolValidate)->Unit(benchmark::kMillisecond)->UseRealTime();

void ToolValidateOtherCase(benchmark::State& state) { RunValidateTool(state, Files().OtherCaseStory()); }
BENCHMARK(ToolValidateOtherCase)->Unit(benchmark::kMillisecond)->UseRealTime();

void ParseOnly(benchmark::State& state) {
  const std::string path = Files().ValidationStory();
  CGameFile story;
  for (auto _ : state) story.OpenStory(path, false, false, true);
}
BENCHMARK(ParseOnly)->Unit(benchmark::kMillisecond);

// What validation asks of the file system for every picture: does it exist, and its size.
void FileChecks(benchmark::State& state) {
  for (auto _ : state) {
    for (int i = 0; i < kScenes; ++i) {
      std::string path = Files().PicturePath(i);
      benchmark::DoNotOptimize(platform::FileExists(path) && CheckImage(path) == ImageCheck::Fits);
    }
  }
}
BENCHMARK(FileChecks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
