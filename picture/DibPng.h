#pragma once
// A picture loaded from a PNG file through the PNG-to-DIB converter.
#include <string>

#include "picture/Dib.h"

class CDibPng : public CDib {
 public:
  CDibPng() = default;
  ~CDibPng() override = default;

  using CDib::Load;
  // Converts the PNG with the file's background and a screen gamma of 2.2, then attaches the
  // result with the converted colour table.
  bool Load(const std::string& path) override;

  // Screen gamma the pictures are corrected for.
  static constexpr double kScreenGamma = 2.2;
};
