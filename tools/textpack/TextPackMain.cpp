// fablewick-textpack TEXT RESOURCE: packs a plain-text file into a compressed text resource.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/textpack/TextPacker.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fablewick-textpack TEXT RESOURCE\n");
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  if (!input) {
    std::fprintf(stderr, "fablewick-textpack: cannot read %s\n", argv[1]);
    return 2;
  }
  const std::string text((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
  const std::vector<uint8_t> resource = PackTextResource(text);
  // Written under a temporary name and renamed, so that a failed run leaves no half file.
  const std::string temporary = std::string(argv[2]) + ".tmp";
  std::ofstream output(temporary, std::ios::binary | std::ios::trunc);
  output.write(reinterpret_cast<const char*>(resource.data()), static_cast<std::streamsize>(resource.size()));
  output.close();
  if (!output || std::rename(temporary.c_str(), argv[2]) != 0) {
    std::fprintf(stderr, "fablewick-textpack: cannot write %s\n", argv[2]);
    std::remove(temporary.c_str());
    return 2;
  }
  return 0;
}
