// The program's icon: an open storybook with a lit candle standing on it.
#include "tools/artwork/Storybook.h"

using namespace storybook;

const Colour kIconBackground{255, 0, 255};

CCanvas PaintIcon() {
  CCanvas canvas(32, 32, kIconBackground);
  // The book: a burgundy cover under two pages that rise towards the spine.
  canvas.FillPolygon({1.0, 21, 16, 19, 31, 21, 31, 29, 16, 31, 1, 29}, kInk);
  canvas.FillPolygon({2.0, 21, 16, 20, 30, 21, 30, 28, 16, 30, 2, 28}, kBurgundy);
  canvas.FillPolygon({3.0, 19, 9, 17, 16, 19, 16, 28, 9, 26, 3, 27}, kParchmentLight);
  canvas.FillPolygon({16.0, 19, 23, 17, 29, 19, 29, 27, 23, 26, 16, 28}, kParchment);
  for (int y : {21, 23, 25}) {
    canvas.Line(5, y, 13, y - 1, kParchmentDark);
    canvas.Line(19, y - 1, 27, y, kParchmentDark);
  }
  canvas.Line(16, 19, 16, 29, kWoodDark);
  // The candle on its holder, with its flame.
  canvas.FillEllipse(21.5, 17, 5, 1.8, kGold);
  canvas.FillRect(19, 7, 5, 10, kParchmentLight);
  canvas.FillRect(22, 7, 2, 10, kParchment);
  canvas.Set(21, 6, kInk);
  canvas.FillEllipse(21.5, 3.2, 2.2, 3.4, kGold);
  canvas.FillEllipse(21.5, 4, 1.2, 2.2, kGoldLight);
  canvas.Set(21, 5, kParchmentLight);
  return canvas;
}
