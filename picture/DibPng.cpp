#include "picture/DibPng.h"

#include <memory>
#include <vector>

#include "picture/BmpReader.h"
#include "picture/PngToDib.h"

bool CDibPng::Load(const std::string& path) {
  CPngToDib converter;
  converter.SetInputFile(path);
  converter.SetUseFileBackground(true);
  converter.SetGammaCorrection(true, kScreenGamma);
  if (converter.Run() != CPngToDib::kSuccess) return LoadFailed(converter.GetErrorText());

  const std::vector<RgbQuad> colors(converter.GetColorTable(), converter.GetColorTable() + converter.GetColorTableSize());
  auto bitmap = std::make_unique<DibBitmap>();
  std::string error;
  if (!AdoptPackedDib(converter.TakeDib(), *bitmap, error) || !Attach(std::move(bitmap)))
    return LoadFailed("The converted picture cannot be attached");
  SetColorTable(colors.data(), colors.size());
  return LoadSucceeded();
}
