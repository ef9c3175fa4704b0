#pragma once
// The pictures of the demo stories, drawn in code.
#include "tools/assets/PictureFiles.h"
#include "tools/assets/PixelCanvas.h"

constexpr int kSceneWidth = 200;
constexpr int kSceneHeight = 112;
constexpr int kLanternFrames = 3;

CPixelCanvas DrawShore();
CPixelCanvas DrawPools();
CPixelCanvas DrawTowerDoor();
CPixelCanvas DrawLanternRoom(int frame);  // frame 0 to kLanternFrames - 1
constexpr int kDawnFrames = 3;
// Sunrise over the reef in true colour: the sun climbs a little each frame.
RgbPicture DrawSunrise(int frame);
// The stairway inside the tower by moonlight, in sixteen colours.
CPixelCanvas DrawStairs();

// For the story with deliberate errors: a small picture that is fine and one that is too large.
CPixelCanvas DrawCrackedLantern();
CPixelCanvas DrawOversized();
