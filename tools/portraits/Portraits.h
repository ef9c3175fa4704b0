#pragma once
// The portraits of the makers' about box: the two designers, painted by code in one small
// colour table.
#include <vector>

#include "tools/assets/PixelCanvas.h"

// The colour table both portraits are painted in.
const std::vector<Rgb>& PortraitColours();

CPixelCanvas PaintMarigold();  // bitmap resource 141
CPixelCanvas PaintTobias();    // bitmap resource 143
