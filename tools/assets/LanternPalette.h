#pragma once
// The colours of the demo stories' pictures, shared by all of them.
#include <vector>

#include "tools/assets/PixelCanvas.h"

enum Colour : uint8_t {
  kBlack, kNavy, kDeepBlue, kBlue, kDusk, kRose, kOrange, kGold, kPaleGold,
  kDeepSea, kSea, kSeaLight, kFoam,
  kWetSand, kSand, kLightSand,
  kRockDark, kRock, kRockLight, kMoss, kWeed,
  kStoneDark, kStone, kStoneLight, kRed, kRedDark,
  kWoodDark, kWood, kWoodLight,
  kBrassDark, kBrass, kBrassLight,
  kFlameRed, kFlameOrange, kFlameYellow, kFlameWhite,
  kStar, kMoon, kPoolDeep, kPoolLight, kStarfish, kStarfishDark,
  kHull, kSail, kSailShade, kSkyBlue, kSkyPale, kIron, kGrass, kGrassDark, kGlass,
  kColourCount
};

inline std::vector<Rgb> LanternPalette() {
  return {
      {8, 8, 16},      {16, 20, 48},    {28, 36, 84},    {48, 62, 122},   {98, 66, 122},
      {178, 96, 112},  {232, 138, 78},  {248, 196, 110}, {255, 234, 168},
      {14, 38, 68},    {26, 64, 100},   {50, 100, 134},  {206, 224, 232},
      {104, 84, 60},   {178, 150, 102}, {216, 194, 146},
      {38, 38, 48},    {70, 70, 84},    {112, 110, 124}, {62, 92, 58},    {34, 74, 48},
      {92, 86, 94},    {150, 144, 148}, {214, 210, 206}, {170, 46, 42},   {104, 28, 30},
      {66, 38, 22},    {112, 72, 40},   {156, 106, 62},
      {118, 86, 28},   {192, 152, 52},  {244, 214, 112},
      {214, 60, 30},   {250, 142, 32},  {255, 222, 84},  {255, 250, 224},
      {226, 228, 255}, {242, 240, 214}, {18, 62, 70},    {72, 140, 150},  {228, 104, 70},  {160, 60, 44},
      {36, 26, 30},    {236, 228, 206}, {184, 174, 160}, {112, 150, 206}, {184, 206, 228},
      {44, 44, 52},    {58, 96, 50},    {32, 60, 36},    {60, 70, 96},
  };
}
