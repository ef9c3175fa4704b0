#pragma once
// The loaders read files by path: each fuzz input is written to one scratch file per process.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace fuzz {

inline const std::string& WriteInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fablewick-fuzz-" + std::to_string(::getpid()) + ".bin";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file) {
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  return path;
}

}  // namespace fuzz
