#include "tools/assets/AutumnScenes.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/AutumnPalette.h"
#include "tools/assets/SceneDrawing.h"

namespace autumn {

namespace {

using namespace scene_drawing;

constexpr int kWidth = 200;
constexpr int kHeight = 112;

CPixelCanvas NewScene() { return CPixelCanvas(kWidth, kHeight, Palette()); }

const Stops kDuskSky{kDuskTop, kDuskMid, kDuskLow, kDuskGlow, kPaleSky};
const Stops kAutumnLeaves{kLeafBrown, kLeafRed, kLeafOrange, kLeafGold, kLeafYellow};

// Stonework: a face of blocks with dark mortar and a few lighter stones.
void Stonework(CPixelCanvas& canvas, int x0, int y0, int x1, int y1, uint32_t seed) {
  CPixelRandom random(seed);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      int row = (y - y0) / 6;
      bool mortar = (y - y0) % 6 == 5 || (x - x0 + row * 5) % 11 == 0;
      canvas.Set(x, y, mortar ? static_cast<uint8_t>(kStoneDark) : CPixelCanvas::Dither({kStoneLight, kStone, kStone}, (x - x0) / double(x1 - x0 + 1), x, y));
    }
  for (int i = 0; i < (x1 - x0) * (y1 - y0) / 40; ++i) {
    int x = x0 + random.Below(x1 - x0 + 1), y = y0 + random.Below(y1 - y0 + 1);
    if (canvas.Get(x, y) == kStone) canvas.Set(x, y, random.Below(2) ? kStoneLight : kStoneDark);
  }
}

// A window with four panes looking out on the dusk, with a tree against the sky.
void DuskWindow(CPixelCanvas& canvas, int x0, int y0, int x1, int y1) {
  canvas.FillRect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, kPlankDark);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      canvas.Set(x, y, CPixelCanvas::Dither({kDuskMid, kDuskLow, kDuskGlow, kPaleSky}, (y - y0) / double(y1 - y0), x, y));
  canvas.FillPolygon({{double(x0), y1 - 6.0}, {x0 + 12.0, y1 - 10.0}, {x1 + 1.0, y1 - 7.0}, {x1 + 1.0, y1 + 1.0}, {double(x0), y1 + 1.0}}, kHill);
  canvas.Line(x0 + 24, y1, x0 + 24, y1 - 14, kBarkDark);
  canvas.FillDisc(x0 + 24, y1 - 17, 6, 5, kLeafBrown);
  canvas.FillDisc(x0 + 23, y1 - 18, 4, 3, kLeafRed);
  int midX = (x0 + x1) / 2, midY = (y0 + y1) / 2;
  canvas.FillRect(midX, y0, midX + 1, y1, kPlankDark);
  canvas.FillRect(x0, midY, x1, midY + 1, kPlankDark);
  canvas.FillRect(x0 - 4, y1 + 3, x1 + 4, y1 + 5, kPlank);
  canvas.Line(x0 - 4, y1 + 3, x1 + 4, y1 + 3, kPlankLight);
}

// Falling leaves: each drifts down and sways from frame to frame.
void FallingLeaves(CPixelCanvas& canvas, uint32_t seed, int count, int frame, int frames) {
  CPixelRandom random(seed);
  for (int i = 0; i < count; ++i) {
    double x0 = random.Below(kWidth), y0 = random.Below(kHeight), speed = 3 + random.Below(4);
    uint8_t colour = kAutumnLeaves[1 + static_cast<size_t>(random.Below(4))];
    double step = frame + i * 0.37;
    int x = static_cast<int>(std::lround(x0 + 4 * std::sin(step * 2 * M_PI / frames) + frame * 2));
    int y = static_cast<int>(std::lround(y0 + frame * speed)) % kHeight;
    canvas.Set(x % kWidth, y, colour);
    canvas.Set((x + 1) % kWidth, y + ((frame + i) % 2), colour);
    if (i % 3 == 0) canvas.Set(x % kWidth, y + 1, kLeafBrown);
  }
}

// Paints a water wheel: rim, spokes turned by angle, paddles and hub.
void WaterWheel(CPixelCanvas& canvas, double cx, double cy, double radius, double angle) {
  for (int spoke = 0; spoke < 8; ++spoke) {
    double a = angle + spoke * M_PI / 4;
    int x1 = static_cast<int>(std::lround(cx + radius * std::cos(a)));
    int y1 = static_cast<int>(std::lround(cy + radius * std::sin(a)));
    canvas.Line(static_cast<int>(cx), static_cast<int>(cy), x1, y1, kPlank);
    canvas.Line(static_cast<int>(cx) + 1, static_cast<int>(cy), x1 + 1, y1, kPlankDark);
  }
  for (double a = 0; a < 2 * M_PI; a += 0.01) {
    for (double r = radius - 2; r <= radius + 1; r += 0.5) {
      int x = static_cast<int>(std::lround(cx + r * std::cos(a))), y = static_cast<int>(std::lround(cy + r * std::sin(a)));
      canvas.Set(x, y, r > radius ? kPlankDark : kPlankLight);
    }
  }
  for (int paddle = 0; paddle < 16; ++paddle) {
    double a = angle + paddle * M_PI / 8;
    double c = std::cos(a), s = std::sin(a);
    for (double r = radius; r <= radius + 6; r += 0.5)
      for (double w = -1.5; w <= 1.5; w += 0.5) {
        int x = static_cast<int>(std::lround(cx + r * c - w * s)), y = static_cast<int>(std::lround(cy + r * s + w * c));
        canvas.Set(x, y, w > 0.5 ? kPlankDark : kPlank);
      }
  }
  canvas.FillDisc(cx, cy, 4, 4, kIron);
  canvas.FillDisc(cx - 1, cy - 1, 1.5, 1.5, kStoneLight);
}

// A small house in the distance: walls, roof, lit windows and a wisp of smoke.
void DistantHouse(CPixelCanvas& canvas, int x, int y, int width) {
  int height = width * 2 / 3;
  canvas.FillRect(x, y - height, x + width, y, kWallDark);
  canvas.FillPolygon({{x - 3.0, double(y - height)}, {x + width / 2.0, double(y - height - width / 2)},
                      {x + width + 3.0, double(y - height)}}, kRoof);
  canvas.FillRect(x + width / 5, y - height * 2 / 3, x + width / 5 + 2, y - height * 2 / 3 + 2, kWindowLit);
  canvas.FillRect(x + width * 3 / 5, y - height * 2 / 3, x + width * 3 / 5 + 2, y - height * 2 / 3 + 2, kWindowLit);
  canvas.FillRect(x + width * 3 / 4, y - height - width / 2, x + width * 3 / 4 + 1, y - height - 2, kStoneDark);
  for (int i = 0; i < 12; ++i)
    canvas.Set(x + width * 3 / 4 + static_cast<int>(std::lround(2 * std::sin(i * 0.7))) + i / 3,
               y - height - width / 2 - 2 - i, i % 3 ? kStone : kStoneLight);
}

// Firelight and shadow in true colour: ambient light everywhere, warm light fading from a point.
Light WarmLight(double x, double y, double cx, double cy, double radius, double ambient, double strength) {
  double d = std::hypot(x - cx, y - cy) / radius;
  double warm = d >= 1 ? 0 : (1 - d) * (1 - d) * strength;
  return {ambient + warm * 1.25, ambient + warm * 0.9, ambient + warm * 0.55};
}

}  // namespace

RgbPicture DrawCottage(int frame) {
  CPixelCanvas canvas = NewScene();
  // Plastered wall between dark beams, and a plank floor.
  Gradient(canvas, 0, 84, {kWallLight, kPlaster, kPlaster, kWallLight});
  canvas.FillRect(0, 0, 199, 5, kPlankDark);
  canvas.Line(0, 6, 199, 6, kBarkDark);
  canvas.FillRect(66, 0, 69, 84, kPlankDark);
  canvas.FillRect(118, 0, 121, 84, kPlankDark);
  Gradient(canvas, 85, 111, {kPlank, kPlank, kPlankDark});
  for (int y = 88; y < 112; y += 5) canvas.Line(0, y, 199, y, kPlankDark);
  canvas.Line(0, 85, 199, 85, kBarkDark);
  DuskWindow(canvas, 16, 20, 52, 50);
  // The stone fireplace with its mantel shelf, a jar and a candlestick on it.
  Stonework(canvas, 128, 28, 190, 86, 7);
  canvas.FillRect(140, 50, 178, 86, kInk);
  canvas.FillDisc(159, 50, 19, 6, kInk);
  canvas.FillRect(124, 24, 194, 28, kPlank);
  canvas.Line(124, 24, 194, 24, kPlankLight);
  canvas.FillRect(132, 16, 137, 23, kJam);
  canvas.FillRect(132, 15, 137, 16, kPaper);
  canvas.FillRect(176, 20, 180, 23, kIron);
  canvas.FillRect(177, 12, 179, 19, kPaper);
  canvas.Set(178, 11, kFireYellow);
  // Logs and the fire, which changes from frame to frame.
  canvas.FillRect(144, 82, 176, 85, kStoneDark);
  canvas.FillPolygon({{146, 82}, {172, 78}, {173, 81}, {147, 85}}, kBark);
  canvas.FillPolygon({{148, 78}, {174, 83}, {172, 85}, {146, 81}}, kBarkDark);
  const double heights[kFireFrames][3] = {{20, 26, 17}, {24, 21, 20}, {18, 28, 15}};
  const double leans[kFireFrames][3] = {{-2, 1, 3}, {1, -2, 2}, {-1, 3, -2}};
  const Stops fire{kFireRed, kFireOrange, kFireYellow, kFireWhite};
  const double shrink = 0.9 / fire.size();  // each flame layer inside the last
  const int f = frame % kFireFrames;
  Flame(canvas, 151, 81, heights[f][0], leans[f][0], fire, shrink);
  Flame(canvas, 169, 81, heights[f][2], leans[f][2], fire, shrink);
  Flame(canvas, 160, 82, heights[f][1], leans[f][1], fire, shrink);
  // A rag rug, and the cat asleep on it.
  canvas.FillDisc(122, 100, 40, 8, kLeafRed);
  canvas.FillDisc(122, 100, 34, 6, kCloth);
  canvas.FillDisc(122, 100, 26, 4, kLeafRed);
  canvas.FillDisc(126, 97, 9, 4.5, kLeafOrange);
  canvas.FillDisc(134, 96, 4, 3.5, kLeafOrange);
  canvas.FillPolygon({{132, 93}, {133, 89}, {135, 93}}, kLeafOrange);
  canvas.FillPolygon({{135, 93}, {137, 90}, {138, 94}}, kLeafBrown);
  canvas.Line(118, 99, 131, 100, kLeafBrown);
  canvas.Line(121, 95, 125, 95, kLeafGold);
  // The table with the sealed letter and the jar of plum jam.
  canvas.FillRect(8, 74, 98, 78, kPlank);
  canvas.Line(8, 74, 98, 74, kPlankLight);
  canvas.FillRect(8, 79, 98, 80, kPlankDark);
  canvas.FillRect(14, 81, 18, 111, kPlankDark);
  canvas.FillRect(88, 81, 92, 111, kPlankDark);
  canvas.FillRect(15, 81, 16, 111, kPlank);
  canvas.FillPolygon({{30, 72}, {56, 70}, {60, 74}, {34, 76}}, kPaper);
  canvas.Line(34, 76, 60, 74, kPaperShade);
  canvas.Line(31, 72, 45, 74, kPaperShade);
  canvas.Line(45, 74, 57, 71, kPaperShade);
  canvas.FillDisc(45, 73.5, 2.2, 1.6, kWax);
  canvas.FillRect(68, 60, 79, 73, kJam);
  canvas.FillRect(69, 61, 70, 71, kLeafRed);
  canvas.FillRect(67, 56, 80, 59, kPaper);
  canvas.Line(67, 60, 80, 60, kLeafRed);
  canvas.FillRect(71, 64, 76, 68, kPaper);
  RgbPicture picture = ToRgb(canvas);
  const double strength[kFireFrames] = {1.0, 1.12, 0.92};
  ApplyLight(picture, [&](int x, int y) { return WarmLight(x, y, 160, 68, 150, 0.55, strength[f]); });
  return picture;
}

CPixelCanvas DrawCrossroads(int frame) {
  CPixelCanvas canvas = NewScene();
  Gradient(canvas, 0, 54, kDuskSky);
  canvas.FillDisc(150, 20, 34, 1.5, kDuskMid);
  canvas.FillDisc(60, 30, 26, 1.2, kDuskLow);
  // Far hills, the roofs of the mill far off, and the meadow.
  canvas.FillPolygon({{0, 50}, {40, 42}, {90, 47}, {140, 40}, {200, 46}, {200, 60}, {0, 60}}, kHill);
  canvas.FillPolygon({{0, 56}, {60, 50}, {120, 54}, {200, 50}, {200, 62}, {0, 62}}, kHillLight);
  DistantHouse(canvas, 170, 52, 10);
  Gradient(canvas, 58, 111, {kGrassLight, kMoss, kMoss, kMossDark});
  // The path from the foreground to the fork, and its two ways.
  canvas.FillPolygon({{66, 112}, {134, 112}, {106, 74}, {94, 74}}, kPath);
  canvas.FillPolygon({{94, 76}, {102, 74}, {40, 60}, {34, 61}}, kPath);
  canvas.FillPolygon({{98, 74}, {106, 76}, {168, 61}, {162, 60}}, kPath);
  canvas.Paint([&](int x, int y) -> int {
    if (canvas.Get(x, y) != kPath) return -1;
    bool edge = canvas.Get(x - 1, y) != kPath || canvas.Get(x + 1, y) != kPath;
    if (edge) return kPathDark;
    return (x * 7 + y * 13) % 23 == 0 ? static_cast<int>(kPathLight) : -1;
  });
  // Trees at both sides: trunks first, then their crowns.
  Trunk(canvas, 18, 104, 26, 12, kBarkDark, kBark, kBarkLight);
  Trunk(canvas, 184, 100, 30, 10, kBarkDark, kBark, kBarkLight);
  Trunk(canvas, 56, 62, 44, 3, kBarkDark, kBark, kBarkLight);
  Crown(canvas, 5, 20, 22, 34, 24, kAutumnLeaves);
  Crown(canvas, 6, 186, 24, 30, 24, kAutumnLeaves);
  Crown(canvas, 8, 56, 40, 8, 6, kAutumnLeaves);
  // The signpost at the fork.
  canvas.FillRect(99, 48, 101, 78, kBarkDark);
  canvas.Line(100, 48, 100, 78, kBark);
  canvas.FillPolygon({{80, 53}, {84, 50}, {99, 50}, {99, 56}, {84, 56}}, kPlank);
  canvas.FillPolygon({{101, 57}, {116, 57}, {120, 60}, {116, 63}, {101, 63}}, kPlank);
  canvas.Line(86, 53, 96, 53, kPlankDark);
  canvas.Line(104, 60, 114, 60, kPlankDark);
  // Fallen leaves on the grass and in the air.
  CPixelRandom random(12);
  for (int i = 0; i < 160; ++i) {
    int x = random.Below(kWidth), y = 64 + random.Below(48);
    canvas.Set(x, y, kAutumnLeaves[static_cast<size_t>(random.Below(5))]);
  }
  FallingLeaves(canvas, 13, 26, frame, kLeafFrames);
  return canvas;
}

CPixelCanvas DrawOak(int frame) {
  CPixelCanvas canvas(kWidth, kHeight, NightPalette());
  Gradient(canvas, 0, 111, {kN1Sky, kN1Sky, kN2SkyLow});
  Stars(canvas, 31, 50, 60, kN4Star, kN3Moon);
  canvas.FillDisc(34, 20, 9, 9, kN3Moon);
  canvas.FillDisc(31, 18, 2, 1.5, kN4Star);
  // The great oak: trunk, one branch to the right with the last leaves of the year.
  Trunk(canvas, 100, 100, 0, 40, kN7BarkLight, kN6Bark, kN5BarkDark);
  canvas.FillPolygon({{110, 22}, {200, 4}, {200, 12}, {116, 32}}, kN6Bark);
  canvas.Line(116, 22, 200, 5, kN7BarkLight);
  Crown(canvas, 41, 176, 10, 26, 10, {kN12Leaf, kN12Leaf, kN13LeafLight});
  Gradient(canvas, 100, 111, {kN14Moss, kN5BarkDark});
  CPixelRandom random(42);
  for (int i = 0; i < 80; ++i) canvas.Set(random.Below(kWidth), 101 + random.Below(11), random.Below(2) ? kN12Leaf : kN13LeafLight);
  // The hollow and the owl in it.
  canvas.FillDisc(100, 54, 15, 19, kN5BarkDark);
  canvas.FillDisc(100, 55, 13, 17, kN15Hollow);
  canvas.FillDisc(100, 62, 9.5, 11, kN9Owl);
  canvas.FillDisc(100, 64, 6, 8, kN10OwlLight);
  for (int row = 0; row < 3; ++row)
    for (int col = -1; col <= 1; ++col) canvas.Set(100 + col * 3 + (row % 2), 60 + row * 4, kN8OwlDark);
  canvas.FillDisc(100, 48, 9, 8, kN9Owl);
  canvas.FillPolygon({{91, 44}, {92, 37}, {96, 42}}, kN9Owl);
  canvas.FillPolygon({{109, 44}, {108, 37}, {104, 42}}, kN9Owl);
  canvas.FillDisc(96, 48, 4, 4, kN10OwlLight);
  canvas.FillDisc(104, 48, 4, 4, kN10OwlLight);
  canvas.FillPolygon({{99, 51}, {101, 51}, {100, 54}}, kN7BarkLight);
  for (int side : {-1, 1}) {
    int ex = 100 + side * 4;
    if (frame == 0) {
      canvas.FillDisc(ex, 48, 2.6, 2.6, kN11Eye);
      canvas.FillRect(ex - 1 + (side > 0 ? 0 : 1), 47, ex + (side > 0 ? 0 : 1), 48, kN0Ink);
    } else if (frame == 1) {
      canvas.FillDisc(ex, 48, 2.6, 2.6, kN11Eye);
      canvas.FillRect(ex - 3, 45, ex + 3, 47, kN9Owl);
      canvas.Line(ex - 2, 48, ex + 2, 48, kN8OwlDark);
      canvas.Set(ex, 49, kN0Ink);
    } else {
      canvas.Line(ex - 2, 48, ex + 2, 48, kN8OwlDark);
      canvas.Line(ex - 2, 49, ex + 2, 49, kN9Owl);
    }
  }
  canvas.FillRect(95, 73, 97, 74, kN11Eye);  // claws on the rim of the hollow
  canvas.FillRect(103, 73, 105, 74, kN11Eye);
  return canvas;
}

namespace {

// The footbridge over the gully; missing says whether the middle plank is gone.
CPixelCanvas BridgeScene(bool splash) {
  CPixelCanvas canvas = NewScene();
  Gradient(canvas, 0, 60, kDuskSky);
  Crown(canvas, 21, 30, 30, 40, 22, {kMossDark, kLeafBrown, kLeafRed, kLeafOrange});
  Crown(canvas, 22, 170, 28, 44, 24, {kMossDark, kLeafBrown, kLeafOrange, kLeafGold});
  // The gully: its far side in shadow, steep banks and the stream far below.
  Gradient(canvas, 56, 83, {kHill, kMossDark, kBarkDark});
  Gradient(canvas, 84, 111, {kWaterLight, kWater, kWaterDeep});
  Strokes(canvas, 23, 70, 40, 160, 86, 110, kWaterLight);
  Strokes(canvas, 24, 30, 60, 140, 88, 110, kFoam);
  canvas.FillPolygon({{0, 52}, {36, 58}, {58, 84}, {64, 112}, {0, 112}}, kPathDark);
  canvas.FillPolygon({{200, 50}, {164, 58}, {142, 84}, {136, 112}, {200, 112}}, kPathDark);
  canvas.FillPolygon({{0, 52}, {36, 58}, {40, 64}, {0, 60}}, kMoss);
  canvas.FillPolygon({{200, 50}, {164, 58}, {160, 64}, {200, 58}}, kMoss);
  CPixelRandom random(25);
  for (int i = 0; i < 120; ++i) {
    int x = random.Below(kWidth), y = 60 + random.Below(52);
    if (canvas.Get(x, y) == kPathDark) canvas.Set(x, y, random.Below(2) ? kBarkDark : kPath);
  }
  // Trestles under the bridge.
  canvas.Line(50, 74, 70, 60, kPlankDark);
  canvas.Line(150, 74, 130, 60, kPlankDark);
  // The deck, plank by plank, bowing gently; the middle plank is gone.
  for (int x = 24; x < 176; x += 4) {
    if (x >= 96 && x < 104) continue;
    int sag = static_cast<int>(std::lround(4 * std::sin((x - 24) * M_PI / 152)));
    canvas.FillRect(x, 58 + sag, x + 2, 61 + sag, kPlank);
    canvas.Line(x, 58 + sag, x + 2, 58 + sag, kPlankLight);
    canvas.Line(x + 3, 58 + sag, x + 3, 61 + sag, kPlankDark);
  }
  // Rails: posts, the near rail and its broken end hanging down.
  for (int x = 26; x < 176; x += 22) {
    int sag = static_cast<int>(std::lround(4 * std::sin((x - 24) * M_PI / 152)));
    canvas.FillRect(x, 45 + sag, x + 1, 58 + sag, kPlankDark);
  }
  canvas.Line(26, 46, 92, 48, kPlank);
  canvas.Line(92, 48, 98, 58, kPlank);
  canvas.Line(110, 50, 174, 46, kPlank);
  if (splash) {
    // Rings where something went in, spray, and the letter afloat.
    for (double r : {4.0, 8.0, 13.0})
      for (double a = 0; a < 2 * M_PI; a += 0.05)
        canvas.Set(static_cast<int>(std::lround(100 + r * std::cos(a))), static_cast<int>(std::lround(98 + r * 0.35 * std::sin(a))), kFoam);
    CPixelRandom spray(26);
    for (int i = 0; i < 30; ++i) {
      double a = M_PI + spray.Below(314) / 100.0, r = 3 + spray.Below(14);
      canvas.Set(static_cast<int>(100 + r * std::cos(a)), static_cast<int>(96 + r * std::sin(a)), kFoam);
    }
    canvas.FillPolygon({{118, 103}, {130, 101}, {132, 105}, {120, 107}}, kPaper);
    canvas.Line(120, 107, 132, 105, kPaperShade);
    canvas.FillDisc(125, 104, 1.5, 1, kWax);
  }
  return canvas;
}

}  // namespace

CPixelCanvas DrawBridge() { return BridgeScene(false); }

RgbPicture DrawSplash() {
  RgbPicture picture = ToRgb(BridgeScene(true));
  // Cold light down in the gully; the splash catches the last of the sky.
  ApplyLight(picture, [](int x, int y) {
    double depth = std::clamp((y - 50) / 62.0, 0.0, 1.0);
    double shine = std::max(0.0, 1 - std::hypot(x - 100.0, (y - 98.0) * 2.5) / 30);
    return Light{0.95 - depth * 0.3 + shine * 0.3, 0.95 - depth * 0.2 + shine * 0.3, 1.0 + shine * 0.2};
  });
  return picture;
}

RgbPicture DrawStones() {
  CPixelCanvas canvas = NewScene();
  Gradient(canvas, 0, 50, kDuskSky);
  canvas.FillDisc(60, 14, 36, 1.5, kDuskMid);
  canvas.FillDisc(120, 24, 30, 1.2, kDuskLow);
  // The far bank: trees, the mill's roof with a lit window, the bank itself.
  Crown(canvas, 31, 30, 44, 34, 12, {kMossDark, kLeafBrown, kLeafRed});
  Crown(canvas, 32, 100, 46, 30, 10, {kMossDark, kLeafBrown, kLeafOrange});
  DistantHouse(canvas, 150, 52, 22);
  Crown(canvas, 33, 190, 44, 14, 12, {kMossDark, kLeafBrown, kLeafGold});
  canvas.FillRect(0, 52, 199, 57, kMossDark);
  // The stream, running from left to right.
  Gradient(canvas, 58, 96, {kWaterLight, kWater, kWater, kWaterDeep});
  Strokes(canvas, 34, 120, 0, 199, 59, 95, kWaterLight);
  Strokes(canvas, 35, 50, 0, 199, 62, 95, kFoam);
  // The stepping stones, smaller towards the far bank.
  const double stones[][3] = {{36, 94, 11}, {66, 86, 9}, {92, 78, 8}, {114, 71, 6.5}, {132, 65, 5.5}, {146, 60, 4.5}};
  for (const auto& stone : stones) {
    double x = stone[0], y = stone[1], r = stone[2];
    canvas.FillDisc(x + 1, y + r * 0.3, r + 1, r * 0.45, kFoam);
    canvas.FillDisc(x, y + r * 0.25, r, r * 0.45, kStoneDark);
    canvas.FillDisc(x - 0.5, y, r * 0.95, r * 0.38, kStone);
    canvas.FillDisc(x - r * 0.3, y - r * 0.1, r * 0.45, r * 0.16, kStoneLight);
  }
  // The near bank with reeds and bulrushes.
  canvas.FillPolygon({{0, 96}, {60, 100}, {130, 98}, {200, 102}, {200, 112}, {0, 112}}, kMoss);
  canvas.FillPolygon({{0, 104}, {80, 106}, {200, 108}, {200, 112}, {0, 112}}, kMossDark);
  for (int i = 0; i < 16; ++i) {
    int x = 150 + i * 3 + (i % 3), top = 78 + (i * 7) % 12;
    canvas.Line(x, 108, x + (i % 2), top, i % 2 ? kGrassLight : kMoss);
    if (i % 4 == 1) canvas.FillRect(x, top - 4, x + 1, top, kLeafBrown);
  }
  RgbPicture picture = ToRgb(canvas);
  // Golden evening light from behind the mill; the corners fall into shadow.
  ApplyLight(picture, [](int x, int y) {
    double sun = std::max(0.0, 1 - std::hypot(x - 160.0, (y - 40.0) * 1.6) / 140);
    double corner = std::hypot((x - 100.0) / 100, (y - 56.0) / 56);
    double shade = 1.0 - 0.35 * std::max(0.0, corner - 0.6);
    return Light{(0.85 + sun * 0.35) * shade, (0.85 + sun * 0.22) * shade, (0.9 + sun * 0.05) * shade};
  });
  return picture;
}

RgbPicture DrawMill(int frame) {
  CPixelCanvas canvas = NewScene();
  Gradient(canvas, 0, 70, {kNightBlue, kDuskTop, kDuskMid, kDuskLow, kDuskGlow});
  Stars(canvas, 51, 25, 24, kStarLight, kPaleSky);
  Crown(canvas, 52, 190, 50, 26, 22, {kInk, kMossDark, kLeafBrown});
  Crown(canvas, 53, 14, 48, 22, 20, {kMossDark, kHill, kLeafBrown});
  Gradient(canvas, 71, 91, {kHill, kMossDark, kMossDark});
  // The mill: stone walls, tiled roof, chimney and smoke, lit windows and the open door.
  Stonework(canvas, 84, 40, 172, 92, 54);
  canvas.FillPolygon({{78, 41}, {128, 12}, {178, 41}}, kRoof);
  for (int y = 18; y < 41; y += 4)
    canvas.Paint([&](int x, int yy) -> int { return yy == y && canvas.Get(x, yy) == kRoof ? static_cast<int>(kRoofLight) : -1; });
  canvas.FillRect(150, 14, 156, 28, kStoneDark);
  for (int i = 0; i < 18; ++i)
    canvas.Set(153 + static_cast<int>(std::lround(2.5 * std::sin(i * 0.5))) + i / 3, 12 - i / 2 - i / 4, i % 2 ? kStone : kStoneLight);
  for (int wx : {98, 146}) {
    canvas.FillRect(wx - 1, 49, wx + 12, 62, kPlankDark);
    canvas.FillRect(wx, 50, wx + 11, 61, kWindowLit);
    canvas.Line(wx + 6, 50, wx + 6, 61, kPlankDark);
    canvas.Line(wx, 55, wx + 11, 55, kPlankDark);
  }
  canvas.FillRect(120, 66, 136, 92, kPlankDark);
  canvas.FillRect(122, 68, 134, 92, kWindowLit);
  canvas.FillPolygon({{122, 68}, {116, 70}, {116, 94}, {122, 92}}, kPlank);  // the door, ajar
  canvas.FillRect(116, 92, 140, 94, kStoneLight);
  // The millrace trough carrying water to the top of the wheel.
  canvas.FillRect(0, 30, 56, 34, kPlankDark);
  canvas.Line(0, 30, 56, 30, kPlank);
  canvas.Line(0, 29, 56, 29, kWaterLight);
  // The pond, with the windows' light on it.
  Gradient(canvas, 92, 111, {kWater, kWaterDeep, kInk});
  Strokes(canvas, 55, 40, 0, 199, 93, 111, kWaterLight);
  Strokes(canvas, 56, 18, 96, 112, 94, 108, kWindowLit);
  Strokes(canvas, 57, 18, 120, 136, 95, 110, kWindowLit);
  // The wheel turns by a quarter of the angle between two paddles per frame.
  WaterWheel(canvas, 56, 68, 26, frame * (M_PI / 8) / kWheelFrames);
  // Water spilling from the trough and churning at the foot of the wheel.
  for (int i = 0; i < 12; ++i) {
    int x = 56 + i % 4, y = 34 + i * 2 + (frame + i) % 3;
    canvas.Line(x, y, x + 1, y + 2, i % 2 ? kFoam : kWaterLight);
  }
  Strokes(canvas, 60 + static_cast<uint32_t>(frame), 30, 30, 86, 92, 100, kFoam);
  RgbPicture picture = ToRgb(canvas);
  ApplyLight(picture, [](int x, int y) {
    Light door = WarmLight(x, y, 128, 84, 60, 0.82, 0.6);
    double window = std::max(std::max(0.0, 1 - std::hypot(x - 104.0, y - 56.0) / 28),
                             std::max(0.0, 1 - std::hypot(x - 152.0, y - 56.0) / 28));
    return Light{door.r + window * 0.25, door.g + window * 0.18, door.b + window * 0.06};
  });
  return picture;
}

CPixelCanvas DrawHomeward(int frame) {
  CPixelCanvas canvas = NewScene();
  Gradient(canvas, 0, 62, {kNight, kNight, kNightBlue, kDuskTop});
  Stars(canvas, 71, 80, 50, kStarLight, kPaleSky);
  canvas.FillDisc(160, 16, 7, 7, kMoonLight);
  canvas.FillDisc(163, 14, 6, 6, kNight);
  // Hills and the cottage on the far one, its windows lit and its chimney smoking.
  canvas.FillPolygon({{0, 60}, {50, 50}, {110, 56}, {170, 46}, {200, 50}, {200, 70}, {0, 70}}, kHill);
  Gradient(canvas, 66, 111, {kHill, kMossDark, kMossDark, kInk});
  DistantHouse(canvas, 120, 60, 18);
  Crown(canvas, 72, 150, 50, 8, 7, {kMossDark, kHill, kLeafBrown});
  // The path home, winding up from the gate.
  std::vector<Point> path;
  for (int y = 111; y >= 62; --y) {
    double t = (111 - y) / 49.0;
    double cx = 40 + 80 * t + 18 * std::sin(t * M_PI * 1.5);
    double half = 16 * (1 - t) + 1.5;
    path.push_back({cx - half, static_cast<double>(y)});
  }
  for (int y = 62; y <= 111; ++y) {
    double t = (111 - y) / 49.0;
    double cx = 40 + 80 * t + 18 * std::sin(t * M_PI * 1.5);
    double half = 16 * (1 - t) + 1.5;
    path.push_back({cx + half, static_cast<double>(y)});
  }
  canvas.FillPolygon(path, kPathDark);
  // The gatepost with Tobias's lantern hung on it, and its glow.
  Glow(canvas, 22, 74, 30, {kFireYellow, kLeafGold, kLeafBrown, kMossDark});
  canvas.FillRect(20, 70, 23, 111, kBarkDark);
  canvas.Line(24, 70, 30, 70, kBarkDark);
  canvas.Line(29, 71, 29, 74, kIron);
  canvas.FillRect(26, 75, 32, 83, kIron);
  canvas.FillRect(27, 76, 31, 82, kFireYellow);
  canvas.FillRect(28, 78, 30, 81, kFireWhite);
  for (int x = 40; x < 200; x += 26) canvas.FillRect(x - 1, 96 - x / 20, x + 1, 111, kBarkDark);
  canvas.Line(0, 92, 199, 84, kBarkDark);
  // Fireflies: each one glows, fades and goes dark in turn.
  CPixelRandom random(73);
  for (int i = 0; i < 22; ++i) {
    int x = 30 + random.Below(170), y = 58 + random.Below(50);
    int phase = (i + frame) % kFireflyFrames;
    if (phase == 0) {
      canvas.Set(x, y, kFirefly);
      canvas.Set(x - 1, y, kGrassLight);
      canvas.Set(x + 1, y, kGrassLight);
      canvas.Set(x, y - 1, kGrassLight);
      canvas.Set(x, y + 1, kGrassLight);
    } else if (phase == 1) {
      canvas.Set(x, y, kGrassLight);
    }
  }
  return canvas;
}

}  // namespace autumn
