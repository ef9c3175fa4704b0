#include "tools/storytool/DecodePicture.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "story/PictureProbe.h"
#include "picture/BmpWriter.h"
#include "picture/DibPng.h"

bool DecodePicture(const std::string& media, const std::string& out, std::string& error) {
  // Made here rather than by the factory, so that a failure keeps the loader's reason.
  std::unique_ptr<CDib> picture = IsPngFile(media) ? std::make_unique<CDibPng>() : std::make_unique<CDib>();
  if (!picture->Load(media)) {
    error = picture->GetLoadError();
    return false;
  }
  if (out != "-") return WriteBmpFile(*picture->GetBitmap(), out, error);
  const std::vector<uint8_t> bytes = EncodeBmp(*picture->GetBitmap());
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0) return true;
  error = "standard output: " + std::system_category().message(errno);
  return false;
}
