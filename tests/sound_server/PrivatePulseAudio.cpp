#include "tests/sound_server/PrivatePulseAudio.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

extern char** environ;

namespace sound_server {
namespace {

void Sleep(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Starts a program found on the PATH with its output to outputFd (-1: to nowhere); -1 when it
// cannot start.
pid_t Spawn(std::vector<std::string> arguments, int outputFd) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (outputFd >= 0)
    posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
  else
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int result = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return result == 0 ? pid : -1;
}

bool CanConnect(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

// Whether the process has ended (a zombie that nobody reaps has ended too).
bool HasEnded(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string number, name, state;
  return !(stat >> number >> name >> state) || state == "Z" || state == "X";
}

template <typename Condition>
bool WaitFor(Condition condition, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

}  // namespace

PrivatePulseAudio::~PrivatePulseAudio() {
  if (m_recorder > 0) {
    kill(m_recorder, SIGTERM);
    waitpid(m_recorder, nullptr, 0);
  }
  if (m_reader.joinable()) m_reader.join();
  if (m_recorderOutput >= 0) close(m_recorderOutput);
  if (m_serverStarted) {
    const pid_t server = ServerPid();
    if (server > 0) {
      kill(server, SIGTERM);
      WaitFor([&] { return HasEnded(server); }, 3000);
    }
  }
}

bool PrivatePulseAudio::Start(std::string& whyNot) {
  setenv("XDG_RUNTIME_DIR", m_runtime.Path().c_str(), 1);
  setenv("HOME", m_runtime.Path().c_str(), 1);
  unsetenv("PULSE_SERVER");
  // As root the server warns and runs all the same.
  const pid_t starter =
      Spawn({"pulseaudio", "--daemonize=yes", "-n", "--exit-idle-time=-1",
             "--load=module-null-sink sink_name=out", "--load=module-native-protocol-unix"},
            -1);
  int status = 0;
  if (starter < 0 || waitpid(starter, &status, 0) != starter || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    whyNot = starter < 0 ? "pulseaudio is not installed" : "pulseaudio did not start";
    return false;
  }
  m_serverStarted = true;
  if (!WaitFor([&] { return CanConnect(m_runtime / "pulse/native"); }, 5000)) {
    whyNot = "pulseaudio takes no connections";
    return false;
  }
  return StartRecording(whyNot);
}

bool PrivatePulseAudio::StartRecording(std::string& whyNot) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    whyNot = "no pipe for parec";
    return false;
  }
  m_recorder = Spawn({"parec", "-d", "out.monitor", "--raw", "--format=s16le",
                      "--rate=" + std::to_string(kRate), "--channels=2", "--latency-msec=5"},
                     fds[1]);
  close(fds[1]);
  m_recorderOutput = fds[0];
  if (m_recorder < 0) {
    whyNot = "parec is not installed";
    return false;
  }
  m_recording = true;
  m_reader = std::thread([this] { Record(m_recorderOutput); });
  if (!WaitFor([&] { std::lock_guard<std::mutex> lock(m_mutex); return !m_blocks.empty(); }, 5000)) {
    whyNot = "parec records nothing";
    return false;
  }
  return true;
}

void PrivatePulseAudio::Record(int fd) {
  std::vector<char> pending;
  char chunk[4096];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got <= 0) break;
    const Clock::time_point arrived = Clock::now();
    pending.insert(pending.end(), chunk, chunk + got);
    const size_t whole = pending.size() / 4 * 4;  // whole stereo frames
    Block block{arrived, std::vector<int16_t>(whole / 2)};
    std::memcpy(block.samples.data(), pending.data(), whole);
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(whole));
    std::lock_guard<std::mutex> lock(m_mutex);
    m_blocks.push_back(std::move(block));
  }
}

pid_t PrivatePulseAudio::ServerPid() const {
  std::ifstream file(m_runtime / "pulse/pid");
  pid_t pid = -1;
  file >> pid;
  return pid;
}

void PrivatePulseAudio::Kill() {
  const pid_t server = ServerPid();
  if (server <= 0) return;
  kill(server, SIGKILL);
  WaitFor([&] { return HasEnded(server); }, 3000);
  m_serverStarted = false;
}

Clock::time_point PrivatePulseAudio::SampleTime(const Block& block, size_t frame) const {
  const size_t frames = block.samples.size() / 2;
  return block.arrived - std::chrono::microseconds((frames - frame) * 1000000 / kRate);
}

bool PrivatePulseAudio::LoudSpan(Clock::time_point since, Clock::time_point& first,
                                 Clock::time_point& last, int threshold) {
  std::lock_guard<std::mutex> lock(m_mutex);
  bool found = false;
  for (const Block& block : m_blocks) {
    for (size_t frame = 0; frame < block.samples.size() / 2; ++frame) {
      const int loudest = std::max(std::abs(block.samples[2 * frame]),
                                   std::abs(block.samples[2 * frame + 1]));
      if (loudest <= threshold) continue;
      const Clock::time_point time = SampleTime(block, frame);
      if (time < since) continue;
      if (!found) first = time;
      last = time;
      found = true;
    }
  }
  return found;
}

bool PrivatePulseAudio::FirstLoudSample(Clock::time_point since, Clock::time_point& when,
                                        int threshold) {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (const Block& block : m_blocks) {
    if (block.arrived < since) continue;
    for (int16_t sample : block.samples) {
      if (std::abs(sample) <= threshold) continue;
      when = block.arrived;
      return true;
    }
  }
  return false;
}

double PrivatePulseAudio::CrossingsPerSecond(Clock::time_point start,
                                             std::chrono::milliseconds length, int threshold) {
  std::lock_guard<std::mutex> lock(m_mutex);
  const Clock::time_point end = start + length;
  int crossings = 0;
  int sign = 0;  // of the last sample beyond the threshold
  for (const Block& block : m_blocks) {
    for (size_t frame = 0; frame < block.samples.size() / 2; ++frame) {
      const Clock::time_point time = SampleTime(block, frame);
      if (time < start || time >= end) continue;
      const int sample = block.samples[2 * frame];
      const int now = sample > threshold ? 1 : sample < -threshold ? -1 : 0;
      if (now != 0 && sign != 0 && now != sign) ++crossings;
      if (now != 0) sign = now;
    }
  }
  return crossings / std::chrono::duration<double>(length).count();
}

}  // namespace sound_server
