#pragma once
// The sixteen colours of the program's storybook look: ink, wood, gold, parchment, forest,
// burgundy and night. The 16-colour pictures use only these; the 256-colour ones start from them.
#include <vector>

#include "tools/artwork/Canvas.h"

namespace storybook {

const Colour kInk{34, 24, 22};
const Colour kWoodDark{78, 46, 30};
const Colour kWood{116, 72, 42};
const Colour kWoodLight{158, 106, 62};
const Colour kGoldDark{146, 104, 34};
const Colour kGold{206, 162, 62};
const Colour kGoldLight{244, 216, 128};
const Colour kParchmentDark{196, 172, 128};
const Colour kParchment{230, 212, 168};
const Colour kParchmentLight{249, 240, 214};
const Colour kForestDark{30, 66, 52};
const Colour kForest{64, 112, 74};
const Colour kBurgundy{112, 30, 42};
const Colour kRed{170, 54, 48};
const Colour kNight{38, 46, 88};
const Colour kSky{108, 138, 186};

// All sixteen, in colour-table order.
const std::vector<Colour>& Colours();

}  // namespace storybook

// The program's pictures, painted.
CCanvas PaintFrame();                               // the whole 248 × 160 picture frame
CCanvas PaintOptionButton(int digit, bool pressed);  // 25 × 25
CCanvas PaintStartPicture();                        // 200 × 112, up to 256 colours
CCanvas PaintTitlePicture();                        // 200 × 112, storybook colours
CCanvas PaintMissingPicture();                      // 200 × 112, storybook colours
CCanvas PaintIcon();                                // 32 × 32; kIconBackground is transparent

extern const Colour kIconBackground;
// The corner colour of the option buttons, which the player replaces by the window colour.
extern const Colour kButtonCorner;
