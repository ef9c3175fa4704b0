// fablewick-story decode: decodes one media file as the player would and writes what the
// player's engines receive: a sound as a WAV file of the PCM bytes the wave engine gets, a MIDI
// file as text, one merged stream event a line.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio/MidiSequence.h"
#include "audio/MidiStreamEvent.h"
#include "audio/SoundLoaderChoice.h"
#include "platform/FileSystem.h"
#include "platform/SystemError.h"
#include "tools/storytool/DecodePicture.h"
#include "tools/storytool/SoundSamples.h"
#include "tools/storytool/ToolCommands.h"

namespace {


int Fail(const std::string& media, const std::string& message) {
  std::fprintf(stderr, "fablewick-story decode: %s: %s\n", media.c_str(), message.c_str());
  return kExitUsage;
}

void PutLE(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A RIFF WAVE file of a format record's bytes and the sample bytes.
std::string WaveFileBytes(const void* format, uint32_t formatSize, const std::string& data) {
  std::string chunks = "fmt ";
  PutLE(chunks, formatSize, 4);
  chunks.append(static_cast<const char*>(format), formatSize);
  if (formatSize % 2) chunks += '\0';
  chunks += "data";
  PutLE(chunks, static_cast<uint32_t>(data.size()), 4);
  chunks += data;
  if (data.size() % 2) chunks += '\0';
  std::string out = "RIFF";
  PutLE(out, static_cast<uint32_t>(4 + chunks.size()), 4);
  return out + "WAVE" + chunks;
}

// "-" stands for standard output.
bool WriteOutput(const std::string& path, const std::string& bytes, std::string& error) {
  const bool toStdout = path == "-";
  FILE* out = toStdout ? stdout : std::fopen(path.c_str(), "wb");
  if (!out) {
    error = platform::SystemErrorText(errno);
    return false;
  }
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  int writeError = errno;
  if ((toStdout ? std::fflush(out) : std::fclose(out)) != 0 && written) {
    written = false;
    writeError = errno;
  }
  if (!written) error = platform::SystemErrorText(writeError);
  return written;
}

int DecodeSound(const std::string& media, const std::string& out, bool eightBit) {
  SoundSamples samples;
  std::string error;
  if (!DecodeSoundSamples(media, eightBit, samples, error)) return Fail(media, error);
  const std::string& format = samples.FormatBytes;
  if (!WriteOutput(out, WaveFileBytes(format.data(), static_cast<uint32_t>(format.size()), samples.Data), error))
    return Fail(out, error);
  return kExitOk;
}

int DecodeMidi(const std::string& media, const std::string& out) {
  CMidiSequence sequence;
  if (!sequence.Load(media, false, true)) return Fail(media, sequence.GetErrorText());
  std::string text;
  for (const MidiStreamEvent& event : ListMidiStreamEvents(sequence))
    text += FormatMidiStreamEvent(event) + "\n";
  std::string error;
  if (!WriteOutput(out, text, error)) return Fail(out, error);
  return kExitOk;
}

bool BeginsWithMidiHeader(const std::string& path) {
  FILE* file = platform::OpenFile(path, "rb");
  if (!file) return false;
  char magic[4] = {};
  bool midi = std::fread(magic, 1, 4, file) == 4 && std::memcmp(magic, "MThd", 4) == 0;
  std::fclose(file);
  return midi;
}

}  // namespace

int RunDecode(const ToolArgs& args) {
  bool eightBit = false;
  std::vector<std::string> paths;
  for (const std::string& arg : args) {
    if (arg == "--8bit")
      eightBit = true;
    else if (arg.size() > 1 && arg[0] == '-')  // "-" alone is standard output
      return UsageError(kDecodeCommand);
    else
      paths.push_back(arg);
  }
  if (paths.size() != 2) return UsageError(kDecodeCommand);
  const std::string& media = paths[0];
  const std::string& out = paths[1];

  FILE* probe = platform::OpenFile(media, "rb");
  if (!probe) return Fail(media, platform::SystemErrorText(errno));
  std::fclose(probe);

  if (DetectSoundFileFormat(media.c_str()) != SoundFileFormat::None) return DecodeSound(media, out, eightBit);
  if (BeginsWithMidiHeader(media)) return DecodeMidi(media, out);
  // Anything else is a picture to the player: PNG by its signature, else BMP.
  std::string error;
  if (!DecodePicture(media, out, error)) return Fail(media, error);
  return kExitOk;
}

const ToolCommand kDecodeCommand = {"decode", "[--8bit] MEDIA OUT", RunDecode};
