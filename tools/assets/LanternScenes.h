#pragma once
// The pictures of the demo stories, drawn in code.
#include "tools/assets/PixelCanvas.h"

constexpr int kSceneWidth = 200;
constexpr int kSceneHeight = 112;
constexpr int kLanternFrames = 3;

CPixelCanvas DrawShore();
CPixelCanvas DrawPools();
CPixelCanvas DrawTowerDoor();
CPixelCanvas DrawLanternRoom(int frame);  // frame 0 to kLanternFrames - 1
CPixelCanvas DrawDawn();

// For the story with deliberate errors: a small picture that is fine and one that is too large.
CPixelCanvas DrawCrackedLantern();
CPixelCanvas DrawOversized();
