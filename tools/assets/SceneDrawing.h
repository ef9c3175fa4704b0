#pragma once
// Drawing steps that several of the demo stories' scenes share: skies, stars, water strokes,
// trees and falling things. Colours come from the caller, so any palette can use them.
#include <cstdint>
#include <vector>

#include "tools/assets/PixelCanvas.h"

namespace scene_drawing {

using Stops = std::vector<uint8_t>;

// Rows y0 to y1 in a dithered vertical gradient.
void Gradient(CPixelCanvas& canvas, int y0, int y1, const Stops& stops);
// count stars above maxY, a few of them in the second colour.
void Stars(CPixelCanvas& canvas, uint32_t seed, int count, int maxY, uint8_t star, uint8_t bright);
// Short horizontal strokes in a box: ripples and glints on water.
void Strokes(CPixelCanvas& canvas, uint32_t seed, int count, int x0, int x1, int y0, int y1, uint8_t colour);
// A leafy crown: many overlapping discs in the given colours, darker towards the bottom.
void Crown(CPixelCanvas& canvas, uint32_t seed, double cx, double cy, double rx, double ry, const Stops& colours);
// A trunk from (x, baseY) up to topY, width pixels wide at the base, with lit and shaded edges.
void Trunk(CPixelCanvas& canvas, int x, int baseY, int topY, int width, uint8_t dark, uint8_t mid, uint8_t light);
// Soft dithered light around a point: pixels within radius take the stops by distance.
void Glow(CPixelCanvas& canvas, double cx, double cy, double radius, const Stops& light);
// A nested teardrop flame from the outer colour inwards, each layer shrink (a fraction of height)
// smaller than the one around it.
void Flame(CPixelCanvas& canvas, double cx, double baseY, double height, double lean, const Stops& layers,
           double shrink);

}  // namespace scene_drawing
