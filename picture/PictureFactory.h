#pragma once
// The picture factories of the game document: a picture file (PNG or BMP by its first bytes)
// or one of the program's bitmap resources. None on failure; the caller owns the picture.
#include <memory>
#include <string>

#include "picture/Dib.h"

std::unique_ptr<CDib> LoadPictureFile(const std::string& path);
std::unique_ptr<CDib> LoadPictureResource(unsigned id);
