#include "ui/DibPng.h"

#include <memory>

#include "ui/BmpReader.h"
#include "ui/PngToDib.h"

bool CDibPng::Load(const std::string& path) {
  CPngToDib converter;
  converter.SetInputFile(path);
  converter.SetUseFileBackground(true);
  converter.SetGammaCorrection(true, kScreenGamma);
  if (converter.Run() != CPngToDib::kSuccess) return LoadFailed(converter.GetErrorText());

  auto bitmap = std::make_unique<DibBitmap>();
  std::string error;
  if (!ReadPackedDib(converter.GetDib(), converter.GetDibSize(), *bitmap, error) || !Attach(std::move(bitmap)))
    return LoadFailed("The converted picture cannot be attached");
  SetColorTable(converter.GetColorTable(), converter.GetColorTableSize());
  return LoadSucceeded();
}
