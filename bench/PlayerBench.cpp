// The player's responsiveness under a display (Xvfb when none is set): how soon a started
// player shows its first picture, how long a click on an option takes until the next scene is
// painted, and how much memory the player holds once it has opened the demo story; each at the
// zoom given as the benchmark's argument (1× and 3×). The screen must hold the 3× window:
//
//   xvfb-run -a -s "-screen 0 1600x1280x24" build/bin/bench_player
#include <benchmark/benchmark.h>
#include <png.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/utils.h>

#include "game/GameDoc.h"
#include "game/SettingsStore.h"
#include "res/CommandIds.h"
#include "ui/GameMenu.h"
#include "ui/GameUi.h"
#include "ui/MainFrame.h"
#include "ui/VeskoGameApp.h"
#include "ui/VeskoGameView.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string g_work;  // a temporary folder for stories, settings and the driver's home

// --- Other processes: the player driver ---

class CDriverProcess {
 public:
  explicit CDriverProcess(const std::vector<std::string>& arguments) {
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    posix_spawn_file_actions_addclose(&actions, toChild[1]);
    posix_spawn_file_actions_addclose(&actions, fromChild[0]);
    std::vector<char*> argv;
    std::vector<std::string> all = {FABLEWICK_DRIVER};
    all.insert(all.end(), arguments.begin(), arguments.end());
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    m_started = Clock::now();
    if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    m_in = fdopen(toChild[1], "w");
    m_out = fdopen(fromChild[0], "r");
  }

  ~CDriverProcess() {
    if (m_in) fclose(m_in);
    if (m_out) fclose(m_out);
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
  }

  Clock::time_point Started() const { return m_started; }

  // The next line the driver prints; empty at its end.
  std::string ReadLine() {
    char line[512];
    if (!m_out || !fgets(line, sizeof line, m_out)) return std::string();
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
  }

  std::string Ask(const std::string& command) {
    fprintf(m_in, "%s\n", command.c_str());
    fflush(m_in);
    return ReadLine();
  }

  void Wait() {
    if (m_pid > 0) waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }

 private:
  pid_t m_pid = -1;
  Clock::time_point m_started;
  FILE* m_in = nullptr;
  FILE* m_out = nullptr;
};

// From starting the player's process to the first paint of its view.
std::string ZoomOption(const benchmark::State& state) { return "--zoom=" + std::to_string(state.range(0)); }

void BM_StartToFirstPaint(benchmark::State& state) {
  for (auto _ : state) {
    CDriverProcess driver({g_work + "/Stories", "--exit-after-first-paint", ZoomOption(state)});
    std::string line;
    while (!(line = driver.ReadLine()).empty() && line != "painted") {
    }
    const auto painted = Clock::now();
    if (line != "painted") {
      state.SkipWithError("the player did not paint");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(painted - driver.Started()).count());
    driver.Wait();
  }
}
BENCHMARK(BM_StartToFirstPaint)->Arg(1)->Arg(3)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// Peak resident memory once the demo story's first scene shows.
void BM_PeakMemoryWithDemoStory(benchmark::State& state) {
  long peakKb = 0;
  for (auto _ : state) {
    CDriverProcess driver({FABLEWICK_SOURCE_DIR "/Stories", ZoomOption(state)});
    if (driver.ReadLine() != "painted" || driver.Ask("new The Lantern Keeper") != "ok" || driver.Ask("begin") != "ok") {
      state.SkipWithError("the demo story did not open");
      break;
    }
    const std::string memory = driver.Ask("memory");
    std::sscanf(memory.c_str(), "memory %ld", &peakKb);
    driver.Ask("quit");
    driver.Wait();
  }
  state.counters["peak_MB"] = peakKb / 1024.0;
}
BENCHMARK(BM_PeakMemoryWithDemoStory)->Arg(1)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

// --- In this process: the player itself ---

// Writes a 200 × 112 RGB PNG with a pattern that depends on seed.
void WritePng(const std::string& path, int seed) {
  FILE* file = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, 200, 112, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(200 * 3);
  for (int y = 0; y < 112; ++y) {
    for (int x = 0; x < 200; ++x) {
      row[3 * x] = static_cast<png_byte>(x + seed * 40);
      row[3 * x + 1] = static_cast<png_byte>(y * 2 + seed);
      row[3 * x + 2] = static_cast<png_byte>((x ^ y) + seed * 90);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

class CChosenStoryUi : public CGameUi {
 public:
  bool SelectStory(StorySelection& selection) override {
    if (selection.Stories.empty()) return false;
    selection.SelectedLine = 0;
    selection.SelectedName = selection.Stories[0].Name;
    return true;
  }
};

// Two scenes with a PNG picture each, no music or sound, each leading to the other.
void WriteBenchStory() {
  const std::string folder = g_work + "/Stories/Bench";
  std::filesystem::create_directories(folder);
  WritePng(folder + "/east.png", 1);
  WritePng(folder + "/west.png", 2);
  std::ofstream(folder + "/gamefile.txt")
      << "[Title]\n@NAME Bench\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE East\n"
         "[East]\n@IMAGE east.png\n@DESCRIPTION The sun comes up over the eastern hills, and the road runs on "
         "towards the sea between fields of barley and rows of old willows.\n@OPTION1 Go west\n@LINK1 West\n"
         "@OPTION2 Stay\n@LINK2 East\n"
         "[West]\n@IMAGE west.png\n@DESCRIPTION Evening falls over the western marshes.\n@OPTION1 Go east\n"
         "@LINK1 East\n";
}

CVeskoGameApp& App() { return static_cast<CVeskoGameApp&>(*wxTheApp); }

// Starts the player at zoom on the bench story's first scene.
bool StartBenchPlayer(int zoom) {
  auto store = std::make_unique<CSettingsStore>(g_work + "/bench.conf");
  store->WriteString(kSettingsSection, "StoriesPath", g_work + "/Stories/");
  store->WriteInt(kSettingsSection, "Zoom", zoom);
  App().StartUp(std::move(store), std::make_unique<CChosenStoryUi>());
  for (int i = 0; i < 200 && !App().GetView()->IsShownOnScreen(); ++i) {
    wxYield();
    wxMilliSleep(5);
  }
  wxCommandEvent newGame(wxEVT_MENU, MenuItemIdFor(res::ID_GAME_NEW));
  App().GetMainFrame()->ProcessWindowEvent(newGame);
  if (!App().GetDocument()->IsTitlePage()) return false;
  wxCommandEvent begin(wxEVT_BUTTON, res::ID_BEGIN_PLAY);
  App().GetView()->GetEventHandler()->ProcessEvent(begin);
  wxYield();
  return App().GetDocument()->CurrentScene() != nullptr;
}

void StopBenchPlayer() {
  if (App().GetMainFrame()) App().GetMainFrame()->Close(true);
  wxTheApp->ProcessIdle();
  App().ShutDown();
}

// Adds one to paints for every paint of the view from now on.
void CountPaints(CVeskoGameView& view, int& paints) {
  view.Bind(wxEVT_PAINT, [&paints](wxPaintEvent& event) {
    ++paints;
    event.Skip();
  });
}

// A click on option 1 until the next scene (its PNG picture loaded, its text laid out) has
// been painted; the paint is asked for at once rather than at the toolkit's next frame.
void BM_OptionClickToScenePainted(benchmark::State& state) {
  if (!StartBenchPlayer(static_cast<int>(state.range(0)))) {
    state.SkipWithError("the bench story did not open");
    return;
  }
  CVeskoGameView& view = *App().GetView();
  int paints = 0;
  CountPaints(view, paints);
  int missed = 0;
  for (auto _ : state) {
    const int before = paints;
    wxCommandEvent click(wxEVT_BUTTON, res::ID_OPTION_BUTTON1);
    view.GetEventHandler()->ProcessEvent(click);
    view.Update();
    if (paints == before) ++missed;
  }
  state.counters["unpainted"] = missed;
  StopBenchPlayer();
}
BENCHMARK(BM_OptionClickToScenePainted)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

// The same, waiting for the paint however the toolkit delivers it.
void BM_OptionClickToToolkitPaint(benchmark::State& state) {
  if (!StartBenchPlayer(static_cast<int>(state.range(0)))) {
    state.SkipWithError("the bench story did not open");
    return;
  }
  CVeskoGameView& view = *App().GetView();
  int paints = 0;
  CountPaints(view, paints);
  for (auto _ : state) {
    const int before = paints;
    wxCommandEvent click(wxEVT_BUTTON, res::ID_OPTION_BUTTON1);
    view.GetEventHandler()->ProcessEvent(click);
    for (int i = 0; i < 10000 && paints == before; ++i) {
      wxYield();
      if (paints == before) wxMicroSleep(100);
    }
  }
  StopBenchPlayer();
}
BENCHMARK(BM_OptionClickToToolkitPaint)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  char pattern[] = "/tmp/fablewick-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  g_work = pattern;
  std::filesystem::create_directories(g_work + "/Stories");
  setenv("XDG_CONFIG_HOME", (g_work + "/config").c_str(), 1);
  WriteBenchStory();
  wxApp::SetInstance(new CVeskoGameApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "the player's benchmarks need a display (run them under xvfb-run)\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  wxEntryCleanup();
  std::filesystem::remove_all(g_work);
  return 0;
}
