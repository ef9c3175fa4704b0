#include "tools/portraits/Portraits.h"

namespace {

constexpr int kWidth = 56;
constexpr int kHeight = 68;

// Entries of the colour table.
enum Colour : uint8_t {
  kInk, kParchmentLight, kParchment, kParchmentDark, kSkinLight, kSkin, kSkinShadow,
  kMarigoldHair, kMarigoldHairDark, kBrownHair, kBrownHairDark, kGreen, kGreenDark,
  kNight, kNightLight, kStar, kGold, kGoldDark, kWhite, kPupil, kCheek, kLens, kRed, kGrey,
  kFeather, kBurgundy,
};

// The parts every face shares: neck, face, nose, cheeks and eyes looking slightly left.
void PaintFace(CPixelCanvas& canvas) {
  canvas.FillRect(24, 42, 32, 51, kSkin);
  canvas.FillRect(29, 42, 32, 51, kSkinShadow);
  canvas.FillDisc(28, 30, 10, 12.5, kSkinLight);
  canvas.FillDisc(33.5, 31, 4.5, 10, kSkinLight);
  canvas.Recolour(35, 26, 38, 37, kSkinLight, kSkin);
  canvas.Set(28, 33, kSkinShadow);
  canvas.Set(28, 34, kSkinShadow);
  canvas.Set(29, 35, kSkinShadow);
  canvas.FillDisc(21.5, 36, 2, 1.4, kCheek);
  canvas.FillDisc(34.5, 36, 2, 1.4, kCheek);
  for (int eye : {24, 32}) {
    canvas.FillRect(eye - 1, 30, eye, 31, kPupil);
    canvas.Set(eye - 1, 30, kWhite);
  }
}

void PaintMarigoldBackground(CPixelCanvas& canvas) {
  // An old map: a dotted path between two hills, and a compass rose in the corner.
  for (int x = 2; x < kWidth; x += 3) canvas.Set(x, 10 + (x * 7 % 5), kParchmentDark);
  canvas.FillPolygon({{0, 52}, {8, 44}, {16, 52}}, kParchment);
  canvas.FillPolygon({{40, 50}, {48, 41}, {56, 50}}, kParchment);
  canvas.Line(48, 5, 48, 13, kParchmentDark);
  canvas.Line(44, 9, 52, 9, kParchmentDark);
  canvas.Set(48, 4, kRed);
}

void PaintTobiasBackground(CPixelCanvas& canvas) {
  // A clear night with a crescent moon.
  canvas.FillRect(0, 44, kWidth - 1, kHeight - 1, kNightLight);
  const int stars[][2] = {{4, 6}, {12, 14}, {49, 20}, {6, 30}, {51, 36}, {3, 48}, {52, 52}, {20, 4}};
  for (const auto& star : stars) canvas.Set(star[0], star[1], kStar);
  canvas.FillDisc(47, 9, 5, 5, kStar);
  canvas.FillDisc(49.5, 7.5, 4.5, 4.5, kNight);
}

}  // namespace

const std::vector<Rgb>& PortraitColours() {
  static const std::vector<Rgb> colours = {
      {40, 30, 30},    {246, 232, 200}, {232, 212, 170}, {200, 176, 130}, {250, 216, 184},
      {232, 182, 142}, {196, 140, 104}, {222, 110, 40},  {168, 70, 30},   {122, 82, 50},
      {80, 52, 34},    {70, 130, 80},   {40, 90, 55},    {36, 44, 84},    {62, 78, 128},
      {250, 230, 140}, {214, 170, 60},  {150, 110, 40},  {255, 255, 255}, {30, 30, 40},
      {236, 150, 140}, {200, 220, 240}, {180, 50, 50},   {140, 140, 150}, {242, 242, 236},
      {120, 40, 50},
  };
  return colours;
}

CPixelCanvas PaintMarigold() {
  CPixelCanvas canvas(kWidth, kHeight, PortraitColours(), kParchmentLight);
  PaintMarigoldBackground(canvas);
  // The quill behind her ear, rising over her curls.
  canvas.FillPolygon({{37, 30}, {47, 4}, {51, 3}, {41, 30}}, kFeather);
  canvas.Line(39, 30, 49, 4, kGrey);
  // A cloud of curls, darker at the back.
  canvas.FillDisc(28, 29, 18, 19, kMarigoldHairDark);
  const double curls[][3] = {{12, 22, 5}, {14, 34, 5}, {16, 44, 4.5}, {42, 22, 5}, {42, 34, 5},
                             {40, 44, 4.5}, {20, 12, 5}, {28, 10, 5.5}, {36, 12, 5}};
  for (const auto& curl : curls) canvas.FillDisc(curl[0], curl[1], curl[2], curl[2], kMarigoldHair);
  canvas.FillDisc(28, 27, 15, 16, kMarigoldHair);
  // Dress and a striped scarf.
  canvas.FillPolygon({{4, 68}, {9, 55}, {20, 50}, {36, 50}, {47, 55}, {52, 68}}, kGreen);
  canvas.FillPolygon({{36, 50}, {47, 55}, {52, 68}, {40, 68}}, kGreenDark);
  PaintFace(canvas);
  canvas.FillPolygon({{18, 49}, {38, 49}, {40, 55}, {28, 59}, {16, 55}}, kGold);
  for (int x = 20; x < 38; x += 4) canvas.Line(x, 50, x + 2, 57, kGoldDark);
  // The fringe, and round spectacles.
  canvas.FillDisc(23, 19, 8, 4.5, kMarigoldHair);
  canvas.FillDisc(33, 18.5, 7, 4.5, kMarigoldHair);
  for (int eye : {24, 32}) {
    canvas.FillDisc(eye, 31, 4, 4, kInk);
    canvas.FillDisc(eye, 31, 3, 3, kLens);
    canvas.FillRect(eye - 1, 30, eye, 31, kPupil);
    canvas.Set(eye + 1, 29, kWhite);
  }
  canvas.Line(27, 31, 29, 31, kInk);
  // A smile, and a marigold tucked into her hair.
  canvas.Line(25, 39, 26, 40, kRed);
  canvas.Line(27, 40, 30, 40, kRed);
  canvas.Line(31, 39, 31, 39, kRed);
  for (const auto& petal : {std::pair{13.0, 17.0}, {17.0, 15.0}, {19.0, 19.0}, {15.0, 21.0}, {12.0, 20.0}})
    canvas.FillDisc(petal.first, petal.second, 2.3, 2.3, kGold);
  canvas.FillDisc(15.5, 18.5, 1.6, 1.6, kGoldDark);
  return canvas;
}

CPixelCanvas PaintTobias() {
  CPixelCanvas canvas(kWidth, kHeight, PortraitColours(), kNight);
  PaintTobiasBackground(canvas);
  // Shirt, burgundy waistcoat and a gold watch chain.
  canvas.FillPolygon({{3, 68}, {8, 55}, {20, 50}, {36, 50}, {48, 55}, {53, 68}}, kWhite);
  canvas.FillPolygon({{3, 68}, {8, 55}, {20, 50}, {26, 68}}, kBurgundy);
  canvas.FillPolygon({{53, 68}, {48, 55}, {36, 50}, {30, 68}}, kBurgundy);
  canvas.Line(16, 61, 22, 64, kGold);
  canvas.Line(22, 64, 26, 62, kGold);
  canvas.FillDisc(15, 61, 1.5, 1.5, kGoldDark);
  // Bushy hair.
  canvas.FillDisc(28, 22, 15, 13, kBrownHairDark);
  const double tufts[][3] = {{15, 20, 4.5}, {20, 13, 5}, {28, 11, 5}, {36, 13, 5}, {41, 20, 4.5}};
  for (const auto& tuft : tufts) canvas.FillDisc(tuft[0], tuft[1], tuft[2], tuft[2], kBrownHair);
  PaintFace(canvas);
  // Eyebrows, a full beard with a moustache, and a content smile inside it.
  canvas.Line(22, 27, 26, 26, kBrownHairDark);
  canvas.Line(30, 26, 34, 27, kBrownHairDark);
  canvas.FillPolygon({{17, 32}, {20, 44}, {28, 50}, {36, 44}, {39, 32}, {35, 38}, {28, 41}, {21, 38}}, kBrownHair);
  canvas.FillDisc(25.5, 37, 3.5, 1.6, kBrownHairDark);
  canvas.FillDisc(30.5, 37, 3.5, 1.6, kBrownHairDark);
  canvas.Line(26, 40, 30, 40, kRed);
  // Tinker's goggles pushed up on his forehead.
  canvas.FillRect(13, 17, 42, 19, kBrownHairDark);
  for (int lens : {23, 33}) {
    canvas.FillDisc(lens, 18, 4.2, 3.6, kGold);
    canvas.FillDisc(lens, 18, 2.8, 2.3, kLens);
    canvas.Set(lens - 1, 17, kWhite);
  }
  return canvas;
}
