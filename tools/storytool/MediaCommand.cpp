// fablewick-story media FILE: loads every picture, sound and music file the story names, as the
// player would, and prints one line for each: its kind, its path, and either "ok" with what the
// player made of it or the loader's error text. Validation only checks that these files exist;
// this finds the ones the player cannot play.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "audio/MidiSequence.h"
#include "audio/MidiStreamEvent.h"
#include "platform/FileSystem.h"
#include "platform/MidiTypes.h"
#include "platform/SystemError.h"
#include "story/GameFile.h"
#include "story/PictureProbe.h"
#include "story/StoryText.h"
#include "tools/storytool/CommandLine.h"
#include "tools/storytool/OutputLines.h"
#include "tools/storytool/PrintingReporter.h"
#include "tools/storytool/SoundSamples.h"
#include "tools/storytool/ToolCommands.h"
#include "picture/DibPng.h"

namespace {

struct MediaFile {
  const char* kind;
  std::string path;
};

// Every file the scenes name, each once (names that differ only in case are one file), in the
// order the story names them.
std::vector<MediaFile> NamedMedia(const CGameFile& story) {
  std::vector<MediaFile> files;
  auto add = [&files](const char* kind, const std::string& path) {
    for (const MediaFile& file : files)
      if (story_text::EqualsNoCase(file.path, path)) return;
    files.push_back({kind, path});
  };
  for (const auto& scene : story.Scenes()) {
    for (const std::string& frame : scene->Frames) add("picture", story.ImagePath(frame));
    if (!scene->Sound.Text.empty()) add("sound", story.SoundPath(scene->Sound.Text));
    const std::string& music = scene->Music.Text;
    if (!music.empty() && !story_text::EqualsNoCase(music, "STOP")) add("music", story.MusicPath(music));
  }
  return files;
}

// Why a file cannot be opened at all, or empty when it can.
std::string OpenError(const std::string& path) {
  FILE* file = platform::OpenFile(path, "rb");
  if (!file) return platform::SystemErrorText(errno);
  std::fclose(file);
  return std::string();
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", seconds);
  return text;
}

bool DescribePicture(const std::string& path, std::string& details) {
  std::unique_ptr<CDib> picture = IsPngFile(path) ? std::make_unique<CDibPng>() : std::make_unique<CDib>();
  if (!picture->Load(path)) {
    details = picture->GetLoadError();
    return false;
  }
  details = std::to_string(picture->GetWidth()) + "x" + std::to_string(picture->GetHeight()) + " " +
            std::to_string(picture->GetBitmapRecord().bmBitsPixel) + " bits";
  return true;
}

bool DescribeSound(const std::string& path, std::string& details) {
  SoundSamples samples;
  if (!DecodeSoundSamples(path, false, samples, details)) return false;
  const WAVEFORMATEX& format = samples.Wave;
  bool vorbis = samples.Format == SoundFileFormat::Vorbis;
  details = std::string(vorbis ? "Ogg Vorbis" : "WAV format " + std::to_string(format.wFormatTag)) +
            ", " + std::to_string(format.nChannels) + " channels, " +
            std::to_string(format.nSamplesPerSec) + " Hz, " +
            std::to_string(format.wBitsPerSample) + " bits, ";
  double bytesPerSecond = format.nAvgBytesPerSec;
  details += bytesPerSecond > 0 ? Seconds(samples.Data.size() / bytesPerSecond)
                                : std::to_string(samples.Data.size()) + " bytes";
  return true;
}

// How long one play of the merged stream lasts: ticks turned into time by the division and
// the tempo events (500,000 microseconds a quarter note until the first one).
double StreamSeconds(const std::vector<MidiStreamEvent>& events, uint16_t division) {
  if (division & 0x8000) {
    int framesPerSecond = -static_cast<int8_t>(division >> 8);
    double rate = (framesPerSecond == 29 ? 29.97 : framesPerSecond) * (division & 0xFF);
    return events.empty() || rate <= 0 ? 0 : events.back().tick / rate;
  }
  if (division == 0) return 0;
  double micros = 0, tempo = 500000;
  uint64_t lastTick = 0;
  for (const MidiStreamEvent& event : events) {
    micros += (event.tick - lastTick) * tempo / division;
    lastTick = event.tick;
    if (event.type == MEVT_TEMPO) tempo = event.data;
  }
  return micros / 1e6;
}

bool DescribeMusic(const std::string& path, std::string& details) {
  CMidiSequence sequence;
  if (!sequence.Load(path, false, true)) {
    details = sequence.GetErrorText();
    return false;
  }
  if (!sequence.IsReady()) {
    details = "no playable track";
    return false;
  }
  std::vector<MidiStreamEvent> events = ListMidiStreamEvents(sequence);
  details = std::to_string(sequence.GetTrackCount()) + " tracks, " + std::to_string(events.size()) +
            " events, " + Seconds(StreamSeconds(events, sequence.GetDivision()));
  return true;
}

int RunMedia(const ToolArgs& args) {
  std::set<std::string> options;
  std::string argument, path;
  if (!ParseStoryArguments(args, {}, options, argument)) return UsageError(kMediaCommand);
  if (!ResolveStoryFile(argument, path)) return kExitUsage;

  CPrintingReporter reporter;
  CGameFile story;
  story.SetReporter(&reporter);
  story.OpenStory(path, false, false, true);

  platform::FolderIndexScope folderIndex;  // each media folder is read once for all its names
  bool allLoaded = true;
  for (const MediaFile& file : NamedMedia(story)) {
    std::string details = OpenError(file.path);
    bool loaded = false;
    if (details.empty()) {
      if (std::string(file.kind) == "picture")
        loaded = DescribePicture(file.path, details);
      else if (std::string(file.kind) == "sound")
        loaded = DescribeSound(file.path, details);
      else
        loaded = DescribeMusic(file.path, details);
    }
    allLoaded = allLoaded && loaded;
    PrintLines(stdout, std::string(file.kind) + " " + file.path + " " + (loaded ? "ok " : "") + details);
  }
  return allLoaded ? kExitOk : kExitStoryErrors;
}

}  // namespace

const ToolCommand kMediaCommand = {"media", "FILE", RunMedia};
