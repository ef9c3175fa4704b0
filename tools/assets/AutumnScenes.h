#pragma once
// The pictures of "The Autumn Letter", drawn in code. The cottage, the stepping stones and the
// splash are lit afterwards in true colour; the owl's oak has sixteen colours.
#include "tools/assets/PictureFiles.h"
#include "tools/assets/PixelCanvas.h"

namespace autumn {

constexpr int kFireFrames = 3;
constexpr int kLeafFrames = 4;
constexpr int kOwlFrames = 3;
constexpr int kWheelFrames = 4;
constexpr int kFireflyFrames = 3;

RgbPicture DrawCottage(int frame);         // the fire flickers
CPixelCanvas DrawCrossroads(int frame);    // leaves drift down
CPixelCanvas DrawOak(int frame);           // the owl's eyes: open, half shut, shut
CPixelCanvas DrawBridge();
RgbPicture DrawSplash();
RgbPicture DrawStones();
RgbPicture DrawMill(int frame);            // the wheel turns an eighth of a spoke a frame
CPixelCanvas DrawHomeward(int frame);      // fireflies blink

}  // namespace autumn
