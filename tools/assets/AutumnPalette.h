#pragma once
// The colours of "The Autumn Letter": dusk and night skies, autumn leaves, bark, water, stone,
// the cottage's firelight and the mill.
#include <vector>

#include "tools/assets/PixelCanvas.h"

namespace autumn {

enum Colour : uint8_t {
  kInk, kNight, kNightBlue, kDuskTop, kDuskMid, kDuskLow, kDuskGlow, kPaleSky, kStarLight, kMoonLight,
  kLeafRed, kLeafOrange, kLeafGold, kLeafYellow, kLeafBrown,
  kBarkDark, kBark, kBarkLight,
  kPathDark, kPath, kPathLight, kMossDark, kMoss, kGrassLight,
  kWaterDeep, kWater, kWaterLight, kFoam,
  kStoneDark, kStone, kStoneLight,
  kPlankDark, kPlank, kPlankLight,
  kWallDark, kWall, kWallLight, kPlaster,
  kFireRed, kFireOrange, kFireYellow, kFireWhite,
  kCloth, kClothLight, kJam, kWax, kPaper, kPaperShade,
  kRoof, kRoofLight, kWindowLit, kFirefly, kIron, kHill, kHillLight,
  kColourCount
};

inline std::vector<Rgb> Palette() {
  return {
      {10, 8, 14},     {16, 18, 40},    {34, 40, 82},    {52, 50, 104},   {110, 76, 128},  {204, 112, 104},
      {242, 168, 104}, {252, 218, 156}, {232, 232, 255}, {246, 240, 208},
      {172, 52, 34},   {220, 108, 38},  {236, 172, 56},  {250, 216, 100}, {124, 66, 32},
      {42, 28, 24},    {82, 58, 42},    {126, 94, 66},
      {98, 74, 52},    {150, 116, 80},  {190, 156, 108}, {38, 56, 34},    {70, 94, 46},    {128, 146, 64},
      {28, 56, 76},    {50, 96, 122},   {108, 158, 176}, {222, 236, 234},
      {68, 68, 76},    {122, 120, 124}, {182, 178, 170},
      {72, 44, 26},    {130, 86, 50},   {180, 132, 82},
      {58, 34, 28},    {130, 84, 58},   {176, 126, 84},  {222, 198, 158},
      {198, 48, 22},   {246, 130, 30},  {255, 212, 78},  {255, 248, 214},
      {60, 98, 66},    {96, 140, 92},   {112, 22, 52},   {56, 128, 68},   {238, 226, 196}, {196, 180, 148},
      {104, 40, 34},   {150, 66, 46},   {252, 202, 112}, {222, 255, 120}, {46, 44, 50},    {60, 72, 64},    {92, 104, 80},
  };
}

// Sixteen colours for the owl's oak at night (a 4-bit picture).
enum NightColour : uint8_t {
  kN0Ink, kN1Sky, kN2SkyLow, kN3Moon, kN4Star, kN5BarkDark, kN6Bark, kN7BarkLight,
  kN8OwlDark, kN9Owl, kN10OwlLight, kN11Eye, kN12Leaf, kN13LeafLight, kN14Moss, kN15Hollow,
};

inline std::vector<Rgb> NightPalette() {
  return {
      {8, 8, 14},     {22, 26, 58},   {44, 54, 100},  {244, 238, 200}, {210, 214, 250}, {30, 24, 22},
      {70, 52, 40},   {118, 92, 70},  {74, 54, 38},   {140, 106, 70},  {214, 190, 140}, {250, 204, 44},
      {150, 54, 36},  {214, 118, 44}, {44, 66, 40},   {16, 12, 12},
  };
}

}  // namespace autumn
