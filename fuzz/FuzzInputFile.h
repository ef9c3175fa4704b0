#pragma once
// The loaders read files by path: each fuzz input is written to a scratch file of this process,
// which is removed again when the input is done, so that no run leaves files behind.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace fuzz {

class InputFile {
 public:
  InputFile(const uint8_t* data, size_t size)
      : m_path("/tmp/fablewick-fuzz-" + std::to_string(::getpid()) + ".bin") {
    if (FILE* file = std::fopen(m_path.c_str(), "wb")) {
      if (size) std::fwrite(data, 1, size, file);
      std::fclose(file);
    }
  }
  ~InputFile() { std::remove(m_path.c_str()); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

}  // namespace fuzz
