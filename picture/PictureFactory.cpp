#include "picture/PictureFactory.h"

#include "story/PictureProbe.h"
#include "picture/DibPng.h"

std::unique_ptr<CDib> LoadPictureFile(const std::string& path) {
  std::unique_ptr<CDib> picture = IsPngFile(path) ? std::make_unique<CDibPng>() : std::make_unique<CDib>();
  if (!picture->Load(path)) return nullptr;
  return picture;
}

std::unique_ptr<CDib> LoadPictureResource(unsigned id) {
  auto picture = std::make_unique<CDib>();
  if (!picture->Load(id)) return nullptr;
  return picture;
}
