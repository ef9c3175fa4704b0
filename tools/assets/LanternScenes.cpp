#include "tools/assets/LanternScenes.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/LanternPalette.h"
#include "tools/assets/SceneDrawing.h"

namespace {

using scene_drawing::Flame;
using scene_drawing::Glow;
using scene_drawing::Gradient;
using scene_drawing::Stops;
using scene_drawing::Strokes;

CPixelCanvas NewScene() { return CPixelCanvas(kSceneWidth, kSceneHeight, LanternPalette()); }

void Stars(CPixelCanvas& canvas, uint32_t seed, int count, int maxY) {
  CPixelRandom random(seed);
  for (int i = 0; i < count; ++i) {
    int x = random.Below(canvas.Width()), y = random.Below(maxY);
    canvas.Set(x, y, random.Below(4) == 0 ? kPaleGold : kStar);
    if (random.Below(7) == 0) {  // a brighter star with a small cross
      canvas.Set(x - 1, y, kBlue);
      canvas.Set(x + 1, y, kBlue);
      canvas.Set(x, y - 1, kBlue);
      canvas.Set(x, y + 1, kBlue);
    }
  }
}

// A rocky mass: dark body, mid-tone face offset upwards and a light rim along the top.
void Rocks(CPixelCanvas& canvas, const std::vector<Point>& outline, uint32_t seed) {
  canvas.FillPolygon(outline, kRockDark);
  std::vector<Point> face;
  for (const Point& p : outline) face.push_back({p.x - 2, p.y + 1});
  canvas.FillPolygon(face, kRock);
  auto isRock = [&canvas](int x, int y) {
    uint8_t c = canvas.Get(x, y);
    return c == kRock || c == kRockDark || c == kRockLight;
  };
  // A light rim along the top edge, then cracks and speckles on the face.
  for (int x = 0; x < canvas.Width(); ++x) {
    for (int y = 1; y + 2 < canvas.Height(); ++y) {
      if (isRock(x, y) && !isRock(x, y - 1)) {
        canvas.Set(x, y + 1, kRockLight);
        if (x % 3) canvas.Set(x, y + 2, kRockLight);
        break;
      }
    }
  }
  CPixelRandom random(seed);
  for (int i = 0; i < 40; ++i) {
    int x = random.Below(canvas.Width()), y = random.Below(canvas.Height());
    int length = 3 + random.Below(8), slope = random.Below(3) - 1;
    for (int k = 0; k < length && canvas.Get(x + k, y + (k * slope) / 2) == kRock; ++k) {
      canvas.Set(x + k, y + (k * slope) / 2, kRockDark);
      if (canvas.Get(x + k, y + (k * slope) / 2 - 1) == kRock) canvas.Set(x + k, y + (k * slope) / 2 - 1, kRockLight);
    }
  }
  for (int i = 0; i < 500; ++i) {
    int x = random.Below(canvas.Width()), y = random.Below(canvas.Height());
    if (canvas.Get(x, y) == kRock) canvas.Set(x, y, random.Below(3) ? kRockDark : kRockLight);
  }
}

// A tapered tower with red and white bands, a gallery, a lantern room and a red dome.
void Lighthouse(CPixelCanvas& canvas, double cx, int baseY, int topY, double halfBase, double halfTop, bool lit) {
  std::vector<Point> body{{cx - halfTop, static_cast<double>(topY)}, {cx + halfTop, static_cast<double>(topY)},
                          {cx + halfBase, static_cast<double>(baseY)}, {cx - halfBase, static_cast<double>(baseY)}};
  CPixelCanvas mask(canvas.Width(), canvas.Height(), canvas.Palette());
  mask.FillPolygon(body, 1);
  int band = std::max(3, (baseY - topY) / 5);
  canvas.Paint([&](int x, int y) -> int {
    if (!mask.Get(x, y) || x < 0) return -1;
    double half = halfTop + (halfBase - halfTop) * (y - topY) / static_cast<double>(baseY - topY);
    double across = (x + 0.5 - (cx - half)) / (2 * half);  // 0 at the left edge, 1 at the right
    bool red = ((y - topY) / band) % 2 == 1;
    Stops shades = red ? Stops{kRed, kRed, kRedDark} : Stops{kStoneLight, kStoneLight, kStone, kStoneDark};
    return CPixelCanvas::Dither(shades, across, x, y);
  });
  // Gallery and railing.
  int galleryY = topY - 1;
  int left = static_cast<int>(cx - halfTop - 2), right = static_cast<int>(cx + halfTop + 2);
  canvas.Line(left, galleryY, right, galleryY, kIron);
  canvas.Line(left, galleryY - 3, right, galleryY - 3, kIron);
  for (int x = left; x <= right; x += 2) canvas.Line(x, galleryY - 3, x, galleryY, kIron);
  // Lantern room.
  int roomTop = galleryY - 8, roomLeft = static_cast<int>(cx - halfTop + 1), roomRight = static_cast<int>(cx + halfTop - 1);
  canvas.FillRect(roomLeft, roomTop, roomRight, galleryY - 1, lit ? kFlameYellow : kGlass);
  if (lit) canvas.FillRect(static_cast<int>(cx) - 1, roomTop + 2, static_cast<int>(cx) + 1, galleryY - 3, kFlameWhite);
  for (int x = roomLeft; x <= roomRight; x += 3) canvas.Line(x, roomTop, x, galleryY - 1, kIron);
  // Dome and finial.
  canvas.FillDisc(cx, roomTop, halfTop, 3.5, kRedDark);
  canvas.FillRect(roomLeft - 1, roomTop, roomRight + 1, roomTop, kRedDark);
  canvas.Line(static_cast<int>(cx), roomTop - 6, static_cast<int>(cx), roomTop - 3, kIron);
}

void Sand(CPixelCanvas& canvas, int top, uint32_t seed) {
  for (int x = 0; x < canvas.Width(); ++x) {
    int waterline = top + static_cast<int>(std::lround(1.5 * std::sin(x / 9.0) + std::sin(x / 4.3)));
    canvas.Set(x, waterline - 1, kFoam);
    if (x % 3) canvas.Set(x, waterline - 2, kFoam);
    for (int y = waterline; y < canvas.Height(); ++y) {
      double t = static_cast<double>(y - waterline) / (canvas.Height() - waterline);
      canvas.Set(x, y, CPixelCanvas::Dither({kWetSand, kSand, kSand, kLightSand}, t, x, y));
    }
  }
  CPixelRandom random(seed);
  for (int i = 0; i < 90; ++i) {
    int x = random.Below(canvas.Width()), y = top + 4 + random.Below(canvas.Height() - top - 4);
    canvas.Set(x, y, random.Below(2) ? kWetSand : kStoneLight);
  }
}

}  // namespace

CPixelCanvas DrawShore() {
  CPixelCanvas canvas = NewScene();
  const int horizon = 60;
  const Stops sky{kNavy, kDeepBlue, kBlue, kDusk, kRose, kOrange, kGold};
  Gradient(canvas, 0, horizon - 1, sky);
  Stars(canvas, 11, 45, 30);
  // A crescent moon: a disc with a second disc of sky taken out of it.
  canvas.FillDisc(34, 15, 7, 7, kMoon);
  canvas.Paint([&](int x, int y) -> int {
    double dx = x + 0.5 - 37.5, dy = y + 0.5 - 12.5;
    if (dx * dx + dy * dy > 40) return -1;
    return static_cast<int>(CPixelCanvas::Dither(sky, y / static_cast<double>(horizon - 1), x, y));
  });
  // Thin clouds lit from below.
  canvas.FillDisc(96, 41, 34, 1.6, kDusk);
  canvas.FillDisc(70, 47, 26, 1.3, kRose);
  canvas.FillDisc(132, 52, 22, 1.2, kOrange);
  // The sea, with the sunset's reflection under where the sun went down.
  Gradient(canvas, horizon, 86, {kSeaLight, kSea, kSea, kDeepSea});
  Strokes(canvas, 21, 90, 0, 199, horizon + 1, 84, kSeaLight);
  Strokes(canvas, 22, 70, 78, 122, horizon, 80, kOrange);
  Strokes(canvas, 23, 30, 88, 112, horizon, 70, kGold);
  // The point with the dark tower.
  Rocks(canvas, {{124, 64}, {136, 55}, {148, 52}, {158, 46}, {182, 47}, {192, 43}, {200, 44}, {200, 86}, {128, 80}}, 31);
  canvas.FillRect(142, 40, 154, 48, kStone);  // the keeper's cottage
  canvas.FillPolygon({{140, 40}, {148, 34}, {156, 40}}, kRedDark);
  canvas.FillRect(146, 43, 148, 48, kWoodDark);
  Lighthouse(canvas, 170, 48, 16, 9, 6, false);
  // The beach, a rowboat drawn up on it and footprints towards the point.
  Sand(canvas, 88, 41);
  canvas.FillPolygon({{10, 94}, {52, 94}, {46, 101}, {16, 101}}, kWoodDark);
  canvas.FillPolygon({{12, 94}, {50, 94}, {45, 99}, {17, 99}}, kWood);
  canvas.Line(12, 94, 50, 94, kWoodLight);
  canvas.Line(24, 95, 24, 98, kWoodDark);
  canvas.Line(38, 95, 38, 98, kWoodDark);
  canvas.Line(50, 96, 66, 104, kWoodLight);  // an oar
  for (int step = 0; step < 9; ++step) {
    int x = 70 + step * 11, y = 108 - step * 2;
    canvas.Set(x, y + (step % 2) * 2, kWetSand);
    canvas.Set(x + 1, y + (step % 2) * 2, kWetSand);
  }
  // Dune grass in the corner.
  for (int i = 0; i < 12; ++i) canvas.Line(180 + i, 111, 176 + i * 2 - (i % 3), 100 - (i % 4) * 2, i % 2 ? kGrass : kGrassDark);
  return canvas;
}

CPixelCanvas DrawPools() {
  CPixelCanvas canvas = NewScene();
  Gradient(canvas, 0, 17, {kDusk, kRose, kOrange});
  Gradient(canvas, 18, 25, {kSeaLight, kSea});
  Strokes(canvas, 51, 30, 0, 199, 18, 25, kOrange);
  canvas.FillRect(0, 26, 199, 111, kRockDark);
  Rocks(canvas, {{0, 30}, {40, 26}, {90, 30}, {140, 27}, {200, 31}, {200, 112}, {0, 112}}, 52);
  // Pools of still water that mirror the evening sky, edged with weed.
  struct Pool {
    double x, y, rx, ry;
  } pools[] = {{62, 66, 40, 14}, {156, 54, 30, 10}, {124, 95, 52, 11}};
  for (const Pool& pool : pools) {
    canvas.FillDisc(pool.x, pool.y + 1, pool.rx + 2, pool.ry + 2, kWeed);
    canvas.Paint([&](int x, int y) -> int {
      double dx = (x + 0.5 - pool.x) / pool.rx, dy = (y + 0.5 - pool.y) / pool.ry;
      double d = std::sqrt(dx * dx + dy * dy);
      if (d > 1.0) return -1;
      return static_cast<int>(CPixelCanvas::Dither({kRose, kDusk, kPoolLight, kPoolDeep}, 0.25 + 0.75 * d, x, y));
    });
  }
  Strokes(canvas, 53, 25, 30, 95, 58, 74, kPoolLight);
  // The brass key in the first pool, and its glint.
  for (double a = 0; a < 2 * M_PI; a += 0.2)
    canvas.Set(static_cast<int>(std::lround(68 + 3 * std::cos(a))), static_cast<int>(std::lround(69 + 3 * std::sin(a))), kBrass);
  canvas.Line(71, 69, 84, 69, kBrass);
  canvas.Line(71, 70, 84, 70, kBrassDark);
  canvas.FillRect(80, 71, 81, 73, kBrass);
  canvas.FillRect(83, 71, 84, 72, kBrass);
  canvas.Line(72, 68, 83, 68, kBrassLight);
  canvas.Line(66, 62, 66, 68, kFlameWhite);
  canvas.Line(63, 65, 69, 65, kFlameWhite);
  canvas.Set(64, 63, kPaleGold), canvas.Set(68, 63, kPaleGold), canvas.Set(64, 67, kPaleGold), canvas.Set(68, 67, kPaleGold);
  // A starfish on the rock.
  std::vector<Point> star;
  for (int i = 0; i < 10; ++i) {
    double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 3.2 : 9.0;
    star.push_back({28 + r * std::cos(a), 96 + r * std::sin(a)});
  }
  canvas.FillPolygon(star, kStarfish);
  for (int i = 0; i < 5; ++i) {
    double a = -M_PI / 2 + i * 2 * M_PI / 5;
    canvas.Set(static_cast<int>(28 + 4 * std::cos(a)), static_cast<int>(96 + 4 * std::sin(a)), kStarfishDark);
  }
  // Weed trailing from the rocks.
  for (int i = 0; i < 14; ++i) {
    int x = 8 + i * 13 + (i % 3) * 2, y = 40 + (i * 37) % 50;
    for (int k = 0; k < 7; ++k) canvas.Set(x + static_cast<int>(std::lround(std::sin(k * 0.9 + i))), y + k, kWeed);
  }
  return canvas;
}

CPixelCanvas DrawTowerDoor() {
  CPixelCanvas canvas = NewScene();
  Gradient(canvas, 0, 84, {kNavy, kNavy, kDeepBlue, kBlue});
  Stars(canvas, 61, 60, 70);
  // The wall of the tower, rounded by its shading, in broad bands with courses of stone.
  canvas.Paint([&](int x, int y) -> int {
    if (y > 88) return -1;
    double half = 58 - y * 0.12;
    double across = (x + 0.5 - (100 - half)) / (2 * half);
    if (across < 0 || across > 1) return -1;
    bool red = (y / 22) % 2 == 1;
    bool mortar = y % 6 == 5 || (x + (y / 6) * 7) % 14 == 0;
    double shade = std::fabs(across - 0.42) * 1.7;
    Stops stops = red ? Stops{kRed, kRed, kRedDark} : Stops{kStoneLight, kStone, kStoneDark};
    uint8_t colour = CPixelCanvas::Dither(stops, shade, x, y);
    if (mortar) colour = red ? kRedDark : kStoneDark;
    return static_cast<int>(colour);
  });
  // Ground, grass and the flagstone path.
  Gradient(canvas, 89, 111, {kGrassDark, kGrass, kGrassDark});
  canvas.FillPolygon({{84, 112}, {118, 112}, {108, 89}, {92, 89}}, kStone);
  for (int y = 92; y < 112; y += 5) canvas.Line(84, y, 118, y, kStoneDark);
  for (int x = 86; x < 118; x += 8) canvas.Line(x, 89, x + (x - 100) / 4, 111, kStoneDark);
  // The arched door with its planks, iron bands, hinges and handle.
  canvas.FillDisc(100, 52, 15, 15, kStoneDark);
  canvas.FillRect(85, 52, 115, 88, kStoneDark);
  canvas.FillDisc(100, 53, 13, 13, kWood);
  canvas.FillRect(87, 53, 113, 88, kWood);
  for (int x = 91; x < 113; x += 5) canvas.Line(x, 41, x, 88, kWoodDark);
  canvas.Line(87, 53, 87, 88, kWoodLight);
  canvas.FillRect(87, 60, 113, 61, kIron);
  canvas.FillRect(87, 78, 113, 79, kIron);
  canvas.FillDisc(109, 70, 1.8, 1.8, kBrass);
  canvas.Set(108, 69, kBrassLight);
  canvas.FillRect(82, 88, 118, 90, kStone);
  // An empty nail where the key should hang, and a dark window above.
  canvas.FillRect(124, 62, 125, 63, kIron);
  canvas.FillDisc(100, 16, 6, 7, kStoneDark);
  canvas.FillRect(95, 16, 105, 28, kStoneDark);
  canvas.FillDisc(100, 17, 4.5, 5.5, kGlass);
  canvas.FillRect(96, 17, 104, 27, kGlass);
  canvas.Line(100, 12, 100, 27, kIron);
  canvas.Line(96, 20, 104, 20, kIron);
  for (int i = 0; i < 10; ++i) canvas.Line(48 + i * 11, 91, 47 + i * 11 + (i % 3), 86, kGrass);
  return canvas;
}

CPixelCanvas DrawLanternRoom(int frame) {
  CPixelCanvas canvas = NewScene();
  // Dark walls with three tall windows onto the night.
  Gradient(canvas, 0, 111, {kNavy, kBlack});
  const int windows[] = {12, 140};
  for (int left : windows) {
    canvas.FillRect(left, 14, left + 47, 84, kIron);
    canvas.Paint([&](int x, int y) -> int {
      if (x < left + 2 || x > left + 45 || y < 16 || y > 82) return -1;
      if ((x - left) % 15 == 1 || (y - 16) % 22 == 21) return static_cast<int>(kIron);
      return static_cast<int>(CPixelCanvas::Dither({kNavy, kDeepBlue, kBlue}, (y - 16) / 66.0, x, y));
    });
    CPixelRandom random(70 + left);
    for (int i = 0; i < 14; ++i) {
      int x = left + 3 + random.Below(42), y = 17 + random.Below(50);
      if (canvas.Get(x, y) != kIron) canvas.Set(x, y, i % 4 ? kStar : kPaleGold);
    }
  }
  // Floor boards.
  Gradient(canvas, 96, 111, {kWoodDark, kWood});
  for (int y = 99; y < 112; y += 4) canvas.Line(0, y, 199, y, kWoodDark);
  // The beam sweeps round: towards one window, the other, then into the room.
  const double beamEnds[kLanternFrames] = {30, 170, 100};
  const double glowRadius[kLanternFrames] = {40, 46, 43};
  const double flameHeight[kLanternFrames] = {18, 22, 20};
  const double flameLean[kLanternFrames] = {0, -3, 3};
  double beam = beamEnds[frame % kLanternFrames];
  canvas.Paint([&](int x, int y) -> int {
    if (frame % kLanternFrames == 2) return -1;
    double spread = std::fabs(x - 100.0) * 0.28 + 2;
    if (std::fabs(y - (64 + (x - 100.0) * 0.0)) > spread || (x - 100) * (beam - 100) <= 0) return -1;
    if (std::fabs(x - 100.0) > std::fabs(beam - 100.0) + 25) return -1;
    return CPixelCanvas::Bayer(x, y) < 5 ? static_cast<int>(kPaleGold) : -1;
  });
  Glow(canvas, 100, 64, glowRadius[frame % kLanternFrames], {kFlameYellow, kGold, kOrange, kDusk});
  // The lamp: brass base, lens frame and the flame behind the glass.
  canvas.FillPolygon({{78, 97}, {122, 97}, {114, 84}, {86, 84}}, kBrassDark);
  canvas.FillPolygon({{80, 96}, {120, 96}, {113, 85}, {87, 85}}, kBrass);
  canvas.Line(87, 85, 113, 85, kBrassLight);
  canvas.FillDisc(100, 42, 14, 4, kBrass);
  canvas.Line(88, 40, 112, 40, kBrassLight);
  canvas.Paint([&](int x, int y) -> int {
    if (x < 88 || x > 112 || y < 44 || y > 83) return -1;
    if (x == 88 || x == 112 || x == 100) return static_cast<int>(kBrass);
    if (y % 10 == 3) return static_cast<int>(kBrassDark);
    return canvas.Get(x, y) == kNavy || canvas.Get(x, y) == kBlack ? static_cast<int>(kGlass) : -1;
  });
  // A candle-like flame: nested teardrops from red to white.
  Flame(canvas, 100, 80, flameHeight[frame % kLanternFrames], flameLean[frame % kLanternFrames],
        {kFlameRed, kFlameOrange, kFlameYellow, kFlameWhite}, 0.22);
  canvas.FillRect(97, 80, 103, 83, kBrassDark);  // the wick holder
  return canvas;
}

namespace {

// The ship coming home at sunrise, with the sun's centre at sunY.
CPixelCanvas DawnScene(double sunY) {
  CPixelCanvas canvas = NewScene();
  const int horizon = 64;
  Gradient(canvas, 0, horizon - 1, {kSkyBlue, kSkyPale, kRose, kOrange, kGold, kPaleGold});
  // The sun rising, and clouds lit from below.
  canvas.FillDisc(70, sunY, 13, 13, kGold);
  canvas.FillDisc(70, sunY, 10, 10, kPaleGold);
  canvas.FillDisc(70, sunY, 6, 6, kFlameWhite);
  canvas.FillDisc(120, 20, 30, 2.2, kRose);
  canvas.FillDisc(124, 21, 24, 1.2, kGold);
  canvas.FillDisc(40, 33, 22, 1.6, kRose);
  canvas.FillDisc(44, 34, 16, 0.9, kPaleGold);
  Gradient(canvas, horizon, 111, {kSeaLight, kSea, kDeepSea});
  Strokes(canvas, 81, 110, 0, 199, horizon + 1, 111, kSkyBlue);
  Strokes(canvas, 82, 120, 55, 85, horizon, 111, kGold);
  Strokes(canvas, 83, 60, 62, 78, horizon, 100, kPaleGold);
  // The ship coming in past the reef.
  canvas.FillPolygon({{14, 80}, {62, 80}, {56, 88}, {20, 88}}, kHull);
  canvas.Line(14, 80, 62, 80, kWood);
  canvas.Line(30, 46, 30, 80, kHull);
  canvas.Line(46, 50, 46, 80, kHull);
  canvas.FillPolygon({{31, 48}, {42, 52}, {41, 76}, {31, 76}}, kSail);
  canvas.FillPolygon({{47, 52}, {57, 56}, {56, 76}, {47, 76}}, kSail);
  canvas.FillPolygon({{20, 76}, {29, 54}, {29, 76}}, kSailShade);
  canvas.Line(41, 52, 41, 76, kSailShade);
  canvas.FillRect(30, 43, 34, 45, kRed);
  for (int x = 16; x < 60; x += 6) canvas.Set(x, 84, kGold);
  // The point, with the lighthouse burning again.
  Rocks(canvas, {{140, 70}, {152, 58}, {166, 56}, {184, 50}, {200, 52}, {200, 92}, {146, 86}}, 84);
  Lighthouse(canvas, 178, 54, 20, 9, 6, true);
  // Its beam, fading as it reaches out over the water.
  canvas.Paint([&](int x, int y) -> int {
    double dx = 172.0 - x;
    if (dx < 5 || dx > 110) return -1;
    if (std::fabs(y - (27 - dx * 0.04)) > 1.0 + dx * 0.06) return -1;
    return (1.0 - dx / 110) * 10 > CPixelCanvas::Bayer(x, y) ? static_cast<int>(kFlameWhite) : -1;
  });
  // Gulls.
  const int gulls[][2] = {{96, 30}, {108, 24}, {150, 36}};
  for (const auto& gull : gulls) {
    canvas.Line(gull[0] - 3, gull[1] - 2, gull[0], gull[1], kNavy);
    canvas.Line(gull[0], gull[1], gull[0] + 3, gull[1] - 2, kNavy);
  }
  return canvas;
}

}  // namespace

RgbPicture DrawSunrise(int frame) {
  const double sunY[kDawnFrames] = {72, 66, 60};
  RgbPicture picture = ToRgb(DawnScene(sunY[frame % kDawnFrames]));
  // The morning brightens and warms around the sun from frame to frame.
  const double morning = 0.84 + 0.08 * (frame % kDawnFrames);
  ApplyLight(picture, [&](int x, int y) {
    double sun = std::max(0.0, 1 - std::hypot(x - 70.0, (y - 64.0) * 1.4) / 90);
    return Light{morning + sun * 0.25, morning + sun * 0.12, morning - sun * 0.05};
  });
  return picture;
}

CPixelCanvas DrawStairs() {
  CPixelCanvas canvas(kSceneWidth, kSceneHeight, StairPalette());
  // The curved inner wall of the tower, lit from the right by the window.
  canvas.Paint([](int x, int y) -> int {
    double across = x / 199.0;
    bool mortar = y % 8 == 7 || (x + (y / 8) * 9) % 18 == 0;
    if (mortar) return kS4StoneDark;
    return CPixelCanvas::Dither({kS5Stone, kS4StoneDark, kS1Navy, kS0Ink}, std::fabs(across - 0.78) * 1.3, x, y);
  });
  // A narrow arched window with the moon in it, and its light falling across the stairs.
  canvas.FillDisc(158, 14, 8, 8, kS4StoneDark);
  canvas.FillRect(150, 14, 166, 42, kS4StoneDark);
  canvas.FillDisc(158, 15, 6, 6, kS2Blue);
  canvas.FillRect(152, 15, 164, 40, kS2Blue);
  canvas.FillDisc(161, 22, 3, 3, kS3Moon);
  canvas.Line(158, 9, 158, 40, kS15Glass);
  canvas.Paint([](int x, int y) -> int {
    if (y < 42) return -1;
    double left = 150 - (y - 42) * 1.3, right = 166 - (y - 42) * 0.5;
    if (x < left || x > right) return -1;
    return (x + y) % 3 == 0 ? static_cast<int>(kS6StoneLight) : -1;
  });
  // The stairs climb from the right foreground round to the upper left.
  for (int step = 0; step < 11; ++step) {
    double y = 106 - step * 8.5;
    double x0 = 196 - step * 13.0, x1 = x0 - 46 + step * 1.6;
    canvas.FillPolygon({{x1, y}, {x0, y}, {x0 - 3, y - 3}, {x1 + 3, y - 3}}, kS6StoneLight);
    canvas.FillRect(static_cast<int>(x1), static_cast<int>(y), static_cast<int>(x0), static_cast<int>(y + 7), kS5Stone);
    canvas.Line(static_cast<int>(x1), static_cast<int>(y + 7), static_cast<int>(x0), static_cast<int>(y + 7), kS4StoneDark);
  }
  // The newel post and the rope handrail along the wall.
  canvas.FillRect(14, 0, 24, 111, kS4StoneDark);
  canvas.FillRect(16, 0, 19, 111, kS5Stone);
  for (int x = 30; x < 200; ++x) {
    int y = static_cast<int>(std::lround(20 + (x - 30) * 0.42 + 2 * std::sin(x / 6.0)));
    canvas.Set(x, y, kS9Rope);
    if (x % 4 == 0) canvas.Set(x, y + 1, kS8Wood);
  }
  for (int x = 60; x < 200; x += 40) canvas.FillRect(x, static_cast<int>(20 + (x - 30) * 0.42) - 1, x + 1, static_cast<int>(20 + (x - 30) * 0.42) + 2, kS10Brass);
  // A candle in a holder on the step, its small light.
  canvas.FillRect(150, 80, 153, 86, kS12FlameWhite);
  canvas.FillRect(147, 86, 156, 88, kS10Brass);
  canvas.FillDisc(151.5, 77, 1.5, 3, kS11Flame);
  canvas.Set(151, 76, kS12FlameWhite);
  return canvas;
}

CPixelCanvas DrawCrackedLantern() {
  CPixelCanvas canvas(48, 32, LanternPalette());
  Gradient(canvas, 0, 31, {kNavy, kDeepBlue});
  canvas.FillRect(18, 8, 30, 24, kGlass);
  canvas.FillRect(16, 24, 32, 27, kBrass);
  canvas.FillDisc(24, 7, 8, 3, kBrass);
  canvas.Line(18, 8, 18, 24, kBrassDark);
  canvas.Line(30, 8, 30, 24, kBrassDark);
  canvas.Line(20, 10, 23, 15, kStoneLight);  // the crack
  canvas.Line(23, 15, 21, 19, kStoneLight);
  canvas.Line(23, 15, 27, 17, kStoneLight);
  return canvas;
}

CPixelCanvas DrawOversized() {
  CPixelCanvas canvas(320, 200, LanternPalette());
  canvas.Paint([](int x, int y) -> int { return ((x + y) / 20) % 2 ? static_cast<int>(kRed) : static_cast<int>(kStoneLight); });
  return canvas;
}
