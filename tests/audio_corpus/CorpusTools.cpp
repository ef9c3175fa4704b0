#include "tests/audio_corpus/CorpusTools.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "audio/WavePlayer.h"
#include "tests/support/TestFiles.h"

namespace corpus {

std::vector<std::string> ListFiles(const std::string& folder) {
  std::vector<std::string> files;
  std::string root = testing_support::CorpusDir();
  if (root.empty()) return files;
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root + "/" + folder, error))
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

std::string ShortName(const std::string& path) {
  std::string root = testing_support::CorpusDir() + "/";
  return path.rfind(root, 0) == 0 ? path.substr(root.size()) : path;
}

std::string Quote(const std::string& path) {
  std::string out = "'";
  for (char c : path) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string Run(const std::string& command, int& status) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) {
    status = -1;
    return out;
  }
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  status = ::pclose(pipe);
  return out;
}

std::string Drain(IWaveBufferFiller& filler, CWavePlayer& engine) {
  std::string out;
  uint8_t buffer[CWavePlayer::kBufferBytes];
  while (uint32_t count = filler.Fill(&engine, buffer, sizeof buffer))
    out.append(reinterpret_cast<const char*>(buffer), count);
  return out;
}

bool OpenEngine(CWavePlayer& engine, int bitsPerSample) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = 44100;
  format.wBitsPerSample = static_cast<uint16_t>(bitsPerSample);
  format.nBlockAlign = static_cast<uint16_t>(2 * bitsPerSample / 8);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  return engine.Init("null") && engine.Open(&format);
}

}  // namespace corpus
