#include "tools/storytool/DecodePicture.h"

#include <memory>

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
  return WriteBmpFile(*picture->GetBitmap(), out, error);
}
