// fablewick-story devices and play, run as a program on files written by the tests.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "tests/audio/SmfBuilder.h"
#include "tests/support/RiffBuilder.h"
#include "tests/support/TestFiles.h"

extern char** environ;

using testing_support::TempDir;
using testing_support::WriteFile;
using Clock = std::chrono::steady_clock;

namespace {

struct ToolRun {
  int status = -1;  // the exit status, -1 when killed by a signal
  std::string out;
  std::string errors;
  double seconds = 0;
};

// Runs the tool with the arguments; with interruptWhenOutput, sends Ctrl+C's signal as soon as
// that much has been printed on its standard output.
ToolRun RunTool(const std::vector<std::string>& arguments, size_t interruptWhenOutput = 0) {
  std::vector<std::string> all{STORY_TOOL};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);

  int outPipe[2], errPipe[2];
  EXPECT_EQ(pipe(outPipe), 0);
  EXPECT_EQ(pipe(errPipe), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
  posix_spawn_file_actions_addclose(&actions, outPipe[0]);
  posix_spawn_file_actions_addclose(&actions, errPipe[0]);
  const Clock::time_point start = Clock::now();
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(outPipe[1]);
  close(errPipe[1]);
  ToolRun run;
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << argv[0];
    return run;
  }
  bool interrupted = false;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  int open = 2;
  while (open > 0) {
    if (poll(fds, 2, 60000) <= 0) {
      kill(pid, SIGKILL);
      ADD_FAILURE() << "the tool did not finish";
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (!fds[i].revents) continue;
      char chunk[4096];
      const ssize_t got = read(fds[i].fd, chunk, sizeof chunk);
      if (got <= 0) {
        fds[i].fd = -1;
        --open;
        continue;
      }
      (i == 0 ? run.out : run.errors).append(chunk, static_cast<size_t>(got));
    }
    if (interruptWhenOutput && !interrupted && run.out.size() >= interruptWhenOutput) {
      kill(pid, SIGINT);
      interrupted = true;
    }
  }
  close(outPipe[0]);
  close(errPipe[0]);
  int raw = 0;
  waitpid(pid, &raw, 0);
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// A mono 8-bit WAV file of the given length at 8,000 Hz.
std::string ShortWave(int milliseconds) {
  return riff::Wave(riff::PcmFormat(1, 8000, 8), std::string(8 * milliseconds, '\x90'));
}

TEST(DevicesCommand, ListsTheNullDeviceAndAutomaticEntries) {
  const ToolRun run = RunTool({"devices"});
  ASSERT_EQ(run.status, 0) << run.errors;
  const std::vector<std::string> lines = Lines(run.out);
  std::vector<std::string> wave, midi;
  for (const std::string& line : lines) {
    if (line.rfind("wave\t", 0) == 0) {
      wave.push_back(line);
    } else if (line.rfind("midi\t", 0) == 0) {
      midi.push_back(line);
    } else {
      ADD_FAILURE() << "unexpected line: " << line;
    }
  }
  ASSERT_GE(wave.size(), 2u);
  EXPECT_EQ(wave.back(), "wave\t-1\t<Automatic>");
  EXPECT_EQ(wave[wave.size() - 2], "wave\t" + std::to_string(wave.size() - 2) + "\tnull");
  if (!midi.empty()) {
    EXPECT_EQ(midi.back(), "midi\t-1\t<Automatic>");
  }
  EXPECT_EQ(RunTool({"devices", "extra"}).status, 2);
  // play takes a device by the id listed as well as by its name.
  TempDir dir;
  WriteFile(dir / "beep.wav", ShortWave(10));
  const ToolRun byId = RunTool({"play", "--device", std::to_string(wave.size() - 2), dir / "beep.wav"});
  EXPECT_EQ(byId.status, 0) << byId.errors;
  EXPECT_NE(byId.errors.find(" on null"), std::string::npos) << byId.errors;
}

TEST(PlayCommand, PlaysASoundIntoTheNullDeviceInRealTimeWithItsLoopsAndDelay) {
  TempDir dir;
  WriteFile(dir / "beep.wav", ShortWave(250));
  const ToolRun once = RunTool({"play", "--device", "null", dir / "beep.wav"});
  ASSERT_EQ(once.status, 0) << once.errors;
  EXPECT_GE(once.seconds, 0.25);
  EXPECT_EQ(once.out, "");
  const ToolRun thrice =
      RunTool({"play", "--device", "NULL", "--loops", "3", "--delay", "100-150", dir / "beep.wav"});
  ASSERT_EQ(thrice.status, 0) << thrice.errors;
  EXPECT_GE(thrice.seconds, 3 * 0.25 + 2 * 0.1);
}

TEST(PlayCommand, PrintsTheMidiMessagesOfTheCaptureOutputWithTheirTimes) {
  TempDir dir;
  // 480 ticks a quarter note: 500 ms at first, then 250 ms from tick 480.
  WriteFile(dir / "tune.mid",
            smf::Header(0, 1, 480) +
                smf::Track(smf::NoteOn(0, 60, 100) + smf::NoteOn(480, 60, 0) +
                           smf::Meta(0, 0x51, smf::Bytes({0x03, 0xD0, 0x90})) +
                           smf::Vlq(480) + smf::Bytes({0xC1, 0x05}) + smf::EndOfTrack()));
  const ToolRun run = RunTool({"play", "--device", "capture", "--loops", "2", dir / "tune.mid"});
  ASSERT_EQ(run.status, 0) << run.errors;
  std::vector<std::pair<long long, std::string>> messages;
  for (const std::string& line : Lines(run.out)) {
    std::istringstream fields(line);
    long long micros = -1;
    std::string hex;
    fields >> micros >> hex;
    ASSERT_GE(micros, 0) << line;
    if (hex.rfind("b", 0) != 0) messages.emplace_back(micros, hex);  // leave out the silencing
  }
  ASSERT_EQ(messages.size(), 6u) << run.out;
  const char* expected[] = {"903c64", "903c00", "c105"};
  for (size_t i = 0; i < messages.size(); ++i) EXPECT_EQ(messages[i].second, expected[i % 3]);
  EXPECT_GE(messages[1].first, 500000 - 500);
  EXPECT_GE(messages[2].first - messages[1].first, 250000 - 500);
  EXPECT_GE(messages[3].first, messages[2].first);
  EXPECT_GE(messages[4].first - messages[3].first, 500000 - 500) << "each play starts at the default tempo";
}

TEST(PlayCommand, SendsSystemExclusiveEventsAsTheirBytesOnTheWire) {
  TempDir dir;
  const std::string longData(300, '\x11');  // longer than its record's one length byte says
  WriteFile(dir / "setup.mid",
            smf::Header(0, 1, 96) +
                smf::Track(smf::SysEx(0, 0xF0, smf::Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7})) +
                           smf::SysEx(0, 0xF7, smf::Bytes({0xF3, 0x01})) +
                           smf::SysEx(0, 0xF0, smf::Bytes({0x43, 0x12, 0x00})) +
                           smf::SysEx(1, 0xF7, smf::Bytes({0x07, 0xF7})) +
                           smf::SysEx(0, 0xF0, longData + "\xF7") + smf::NoteOn(0, 60) +
                           smf::EndOfTrack()));
  const ToolRun run = RunTool({"play", "--device", "capture", dir / "setup.mid"});
  ASSERT_EQ(run.status, 0) << run.errors;
  std::vector<std::string> messages;
  for (const std::string& line : Lines(run.out)) {
    const std::string hex = line.substr(line.find(' ') + 1);
    if (hex.rfind("b", 0) != 0) messages.push_back(hex);  // leave out the silencing
  }
  std::string longHex = "f0";
  for (size_t i = 0; i < longData.size(); ++i) longHex += "11";
  EXPECT_EQ(messages, (std::vector<std::string>{"f07e7f0901f7", "f301", "f0431200", "07f7",
                                                longHex + "f7", "903c64", "803c00"}));
}

TEST(PlayCommand, CtrlCStopsAnEndlessPlay) {
  TempDir dir;
  WriteFile(dir / "loop.mid", smf::Header(0, 1, 96) +
                                  smf::Track(smf::NoteOn(0, 60) + smf::NoteOn(24, 60, 0) +
                                             smf::EndOfTrack(24)));
  const ToolRun run = RunTool({"play", "--device", "capture", "--loops", "FOREVER", dir / "loop.mid"},
                          200);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_LT(run.seconds, 30);
}

TEST(PlayCommand, RefusesWhatItCannotPlay) {
  TempDir dir;
  WriteFile(dir / "beep.wav", ShortWave(10));
  WriteFile(dir / "notes.txt", "not a sound");
  WriteFile(dir / "tune.mid", smf::Header(0, 1, 96) + smf::Track(smf::EndOfTrack()));
  EXPECT_EQ(RunTool({"play"}).status, 2);
  EXPECT_EQ(RunTool({"play", "--loops", "x", dir / "beep.wav"}).status, 2);
  EXPECT_EQ(RunTool({"play", "--delay", "200-100", dir / "beep.wav"}).status, 2);
  EXPECT_EQ(RunTool({"play", "--volume", "3", dir / "beep.wav"}).status, 2);
  EXPECT_EQ(RunTool({"play", dir / "beep.wav", dir / "beep.wav"}).status, 2);
  const ToolRun missing = RunTool({"play", dir / "absent.wav"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.errors.find("No such file or directory"), std::string::npos) << missing.errors;
  const ToolRun text = RunTool({"play", "--device", "null", dir / "notes.txt"});
  EXPECT_EQ(text.status, 2);
  EXPECT_NE(text.errors.find("not a sound"), std::string::npos);
  EXPECT_EQ(RunTool({"play", "--device", "no such card", dir / "beep.wav"}).status, 2);
  EXPECT_EQ(RunTool({"play", "--device", "capture", dir / "beep.wav"}).status, 2);
  EXPECT_EQ(RunTool({"play", "--device", "no such synth", dir / "tune.mid"}).status, 2);
}

}  // namespace
