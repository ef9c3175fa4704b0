// The story tool's picture decoding as a process of its own, for whole-process timing:
// bench_picture_decode_tool MEDIA OUT.
#include <cstdio>
#include <string>

#include "tools/storytool/DecodePicture.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s MEDIA OUT\n", argv[0]);
    return 2;
  }
  std::string error;
  if (!DecodePicture(argv[1], argv[2], error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 2;
  }
  return 0;
}
