#include "tools/storytool/MediaChecks.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "audio/MidiSequence.h"
#include "audio/MidiStreamEvent.h"
#include "picture/DibPng.h"
#include "platform/FileSystem.h"
#include "platform/MidiTypes.h"
#include "platform/SystemError.h"
#include "story/GameFile.h"
#include "story/PictureProbe.h"
#include "story/StoryText.h"
#include "tools/storytool/SoundSamples.h"

namespace {

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

}  // namespace

const char* MediaKindName(MediaKind kind) {
  switch (kind) {
    case MediaKind::Picture: return "picture";
    case MediaKind::Sound: return "sound";
    case MediaKind::Music: return "music";
  }
  return "";
}

std::vector<MediaFile> NamedMedia(const CGameFile& story) {
  std::vector<MediaFile> files;
  auto add = [&files](MediaKind kind, const std::string& path, uint32_t line) {
    for (const MediaFile& file : files)
      if (story_text::EqualsNoCase(file.Path, path)) return;
    files.push_back({kind, path, line});
  };
  for (const auto& scene : story.Scenes()) {
    for (const std::string& frame : scene->Frames) add(MediaKind::Picture, story.ImagePath(frame), scene->FramesLine);
    if (!scene->Sound.Text.empty()) add(MediaKind::Sound, story.SoundPath(scene->Sound.Text), scene->Sound.Line);
    const std::string& music = scene->Music.Text;
    if (!music.empty() && !story_text::EqualsNoCase(music, "STOP"))
      add(MediaKind::Music, story.MusicPath(music), scene->Music.Line);
  }
  return files;
}

std::string OpenError(const std::string& path) {
  FILE* file = platform::OpenFile(path, "rb");
  if (!file) return platform::SystemErrorText(errno);
  std::fclose(file);
  return std::string();
}

bool LoadMediaFile(const MediaFile& file, std::string& details) {
  switch (file.Kind) {
    case MediaKind::Picture: return DescribePicture(file.Path, details);
    case MediaKind::Sound: return DescribeSound(file.Path, details);
    case MediaKind::Music: return DescribeMusic(file.Path, details);
  }
  return false;
}
