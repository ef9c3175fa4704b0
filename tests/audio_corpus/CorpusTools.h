#pragma once
// Helpers for the conformance tests over the external corpus: listing its files, running the
// reference tools, and filling a sound object until it runs dry.
#include <cstdint>
#include <string>
#include <vector>

#include "audio/WaveBufferFiller.h"

class CWavePlayer;

namespace corpus {

// Every regular file below folder (inside the corpus), sorted; empty when the corpus is absent.
std::vector<std::string> ListFiles(const std::string& folder);

// The file's name relative to the corpus, for messages.
std::string ShortName(const std::string& path);

// Runs a shell command; its standard output, and the exit status in status.
std::string Run(const std::string& command, int& status);

// A path quoted for the shell.
std::string Quote(const std::string& path);

// What Fill delivers in the engine's 8192-byte pieces until it delivers nothing.
std::string Drain(IWaveBufferFiller& filler, CWavePlayer& engine);

// A new engine opened on the null device for 16-bit or 8-bit PCM, so that fillers that decode
// to the engine's width decode to that one.
bool OpenEngine(CWavePlayer& engine, int bitsPerSample);

}  // namespace corpus
