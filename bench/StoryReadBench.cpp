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
//   ToolValidatePictures, ToolValidatePicturesOtherCase: `fablewick-story validate --image-sizes`
//   on the two stories, timed as a whole process.
//   ToolWcLines, ToolValidate, ToolDump: whole processes as an author runs them on a generated
//   20 MB story of 62,000 scenes and 248,000 links without media: `wc -l`, then
//   `fablewick-story validate` and `dump` (bytes/s, and each process's peak memory in MB).
//   ValidateLinked: the validation and error list of that story inside this process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "story/GameFile.h"
#include "story/PictureProbe.h"

namespace {

constexpr size_t kReadBytes = 20u << 20;
constexpr int kScenes = 5000;
constexpr int kLinkedScenes = 62000;

class CBenchFiles {
 public:
  CBenchFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fablewick-bench-XXXXXX").string();
    m_folder = ::mkdtemp(pattern.data()) ? pattern : "/tmp";
    WriteLargeStory();
    WriteValidationStory("many", false);
    WriteValidationStory("othercase", true);
    WriteLinkedStory();
  }
  ~CBenchFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }

  std::string LargeStory() const { return m_folder + "/large/gamefile.txt"; }
  std::string ValidationStory() const { return m_folder + "/many/gamefile.txt"; }
  std::string LinkedStory() const { return m_folder + "/linked/gamefile.txt"; }
  const std::string& Folder() const { return m_folder; }
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

  // Many scenes, each with a description and four options, without pictures or sounds.
  void WriteLinkedStory() {
    std::string text = "[Title]\r\n@NAME Linked\r\n@AUTHOR A\r\n@ARTIST B\r\n[Setup]\r\n@FIRSTSCENE s0\r\n";
    for (int i = 0; i < kLinkedScenes; ++i) {
      text += "\r\n[s" + std::to_string(i) + "]\r\n@DESCRIPTION The corridor bends and the air grows colder with "
              "every step.\r\nA draught carries salt and tar.\\nWhat now?\r\n";
      for (int option = 1; option <= 4; ++option) {
        std::string o = std::to_string(option), to = std::to_string((i * 7 + option * 13) % kLinkedScenes);
        text += "@OPTION" + o + " Go on to room " + to + "\r\n@LINK" + o + " s" + to + "\r\n";
      }
    }
    Write(LinkedStory(), text);
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

// Runs a program with its output thrown away and returns its peak memory in MB, or -1. GNU time
// starts it and measures it: a child of this large process would count this process's memory
// as its own until it replaces itself with the program.
double RunProcess(const std::vector<std::string>& command) {
  const std::string peakFile = Files().Folder() + "/peak";
  std::vector<std::string> args = {"/usr/bin/time", "-f", "%M", "-o", peakFile};
  args.insert(args.end(), command.begin(), command.end());
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
    return -1;
  // The figure is the file's last line (a line before it tells of an exit status other than 0).
  std::ifstream peak(peakFile);
  std::string line, last;
  while (std::getline(peak, line))
    if (!line.empty()) last = line;
  return last.empty() ? -1 : std::atof(last.c_str()) / 1024.0;
}

void RunWholeProcess(benchmark::State& state, const std::vector<std::string>& args) {
  double peak = 0;
  for (auto _ : state) {
    peak = RunProcess(args);
    if (peak < 0) state.SkipWithError((args[0] + " failed").c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(Files().LinkedStory())));
  state.counters["peak_MB"] = peak;
}

void ToolWcLines(benchmark::State& state) { RunWholeProcess(state, {"/usr/bin/wc", "-l", Files().LinkedStory()}); }
BENCHMARK(ToolWcLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void ToolValidate(benchmark::State& state) {
  RunWholeProcess(state, {FABLEWICK_STORY_TOOL, "validate", Files().LinkedStory()});
}
BENCHMARK(ToolValidate)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same reading, validation and error list inside this process, for comparison.
void ValidateLinked(benchmark::State& state) {
  const std::string path = Files().LinkedStory();
  CGameFile story;
  for (auto _ : state) {
    story.OpenStory(path, true, false, true);
    benchmark::DoNotOptimize(story.StoryErrorLines().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(path)));
}
BENCHMARK(ValidateLinked)->Unit(benchmark::kMillisecond);

void ToolDump(benchmark::State& state) {
  RunWholeProcess(state, {FABLEWICK_STORY_TOOL, "dump", Files().LinkedStory()});
}
BENCHMARK(ToolDump)->Unit(benchmark::kMillisecond)->UseRealTime();

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

void ToolValidatePictures(benchmark::State& state) { RunValidateTool(state, Files().ValidationStory()); }
BENCHMARK(ToolValidatePictures)->Unit(benchmark::kMillisecond)->UseRealTime();

void ToolValidatePicturesOtherCase(benchmark::State& state) { RunValidateTool(state, Files().OtherCaseStory()); }
BENCHMARK(ToolValidatePicturesOtherCase)->Unit(benchmark::kMillisecond)->UseRealTime();

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
