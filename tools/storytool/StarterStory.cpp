#include "tools/storytool/StarterStory.h"

#include "tools/assets/PictureFiles.h"
#include "tools/assets/SceneDrawing.h"
#include "tools/music/TuneWriter.h"

namespace {

using namespace scene_drawing;

constexpr int kWidth = 200;
constexpr int kHeight = 112;
constexpr int kPondFrames = 3;

enum StarterColour : uint8_t {
  kNight, kDeepSky, kSky, kPaleSky, kDusk, kSun, kGrassDark, kGrass, kGrassLight,
  kBark, kBarkLight, kLeafDark, kLeaf, kLeafLight, kWater, kWaterLight, kStar,
};

std::vector<Rgb> StarterPalette() {
  return {{10, 12, 30},   {30, 44, 96},  {84, 132, 200}, {170, 204, 236}, {214, 124, 110}, {252, 222, 120},
          {40, 84, 40},   {74, 132, 56}, {128, 178, 80}, {76, 52, 32},    {124, 92, 58},   {30, 70, 36},
          {54, 112, 48},  {104, 160, 70}, {44, 92, 140}, {150, 196, 228}, {240, 240, 210}};
}

// Sky, sun, a hill of grass and a tree: the first scene.
CPixelCanvas DrawMeadow() {
  CPixelCanvas canvas(kWidth, kHeight, StarterPalette());
  Gradient(canvas, 0, 70, {kSky, kPaleSky});
  canvas.FillDisc(160, 24, 11, 11, kSun);
  Gradient(canvas, 71, kHeight - 1, {kGrassLight, kGrass, kGrassDark});
  Trunk(canvas, 56, 92, 50, 8, kBark, kBark, kBarkLight);
  Crown(canvas, 7, 56, 42, 26, 20, {kLeafLight, kLeaf, kLeafDark});
  return canvas;
}

// A pond whose ripples move from picture to picture: the animated scene.
CPixelCanvas DrawPond(int frame) {
  CPixelCanvas canvas(kWidth, kHeight, StarterPalette());
  Gradient(canvas, 0, 50, {kSky, kPaleSky});
  Gradient(canvas, 51, kHeight - 1, {kGrass, kGrassDark});
  canvas.FillDisc(100, 82, 70, 20, kWater);
  Strokes(canvas, 11 + static_cast<uint32_t>(frame), 18, 44, 156, 70, 96, kWaterLight);
  return canvas;
}

// Dusk with the first stars: the last scene.
CPixelCanvas DrawEvening() {
  CPixelCanvas canvas(kWidth, kHeight, StarterPalette());
  Gradient(canvas, 0, 80, {kNight, kDeepSky, kDusk});
  Stars(canvas, 5, 40, 50, kStar, kSun);
  Gradient(canvas, 81, kHeight - 1, {kGrassDark, kNight});
  return canvas;
}

// A short calm tune in C major for piano and strings.
Tune StarterTune() {
  Tune tune;
  tune.Title = "Starter";
  tune.Tempos = {{0, 96}};
  // Name, channel, instrument, volume, pan, velocity, legato, notes.
  TunePart piano{"Piano", 0, 0, 100, 64, 80, 0.92, "E4:2 G4:2 C5:2 G4:2 | F4:2 A4:2 C5:4 | D4:2 G4:2 B4:2 G4:2 | C4:8"};
  TunePart strings{"Strings", 1, 48, 70, 64, 80, 1.0, "C3+G3:8 | F3+A3:8 | G3+B3:8 | C3+E3:8"};
  tune.Parts = {piano, strings};
  return tune;
}

std::string GameFile(const std::string& title) {
  return "// " + title + ": a story for Fablewick.\n"
         "// Lines that begin with two slashes are comments. Check the story with\n"
         "//   fablewick-story lint gamefile.txt\n"
         "// and play it with fablewick (F5 reloads it after a change).\n"
         "\n"
         "// The title page: NAME, AUTHOR and ARTIST are required.\n"
         "[Title]\n"
         "@NAME       " + title + "\n"
         "@AUTHOR     Your name\n"
         "@ARTIST     Your name\n"
         "@VERSION    0.1\n"
         "\n"
         "// Where the pictures, music and sounds are, and the scene play begins in.\n"
         "[Setup]\n"
         "@IMAGEDIR   pics\\\n"
         "@MUSICDIR   music\\\n"
         "@FIRSTSCENE Meadow\n"
         "\n"
         "// A scene: one picture (at most 200 x 112 pixels), music, text and up to four options,\n"
         "// each with the scene it leads to.\n"
         "[Meadow]\n"
         "@IMAGE       meadow.png\n"
         "@MUSIC       theme.mid\n"
         "@DESCRIPTION The sun is warm and the grass is high. A path leads down to a pond.\n"
         "@OPTION1     Walk down to the pond\n"
         "@LINK1       Pond\n"
         "@OPTION2     Lie in the grass until evening\n"
         "@LINK2       Evening\n"
         "\n"
         "// An animation: pictures shown one after another, at SLOW, MEDIUM, FAST or a number\n"
         "// of pictures a second, repeated a number of times or FOREVER.\n"
         "[Pond]\n"
         "@ANIM        pond1.png, pond2.png, pond3.png\n"
         "@ANIMSPEED   SLOW\n"
         "@ANIMLOOP    FOREVER\n"
         "@DESCRIPTION Ripples run across the water.\\nSomething splashes under the lily leaves.\n"
         "@OPTION1     Wait until evening\n"
         "@LINK1       Evening\n"
         "@OPTION2     Go back up to the meadow\n"
         "@LINK2       Meadow\n"
         "\n"
         "[Evening]\n"
         "@IMAGE       evening.bmp\n"
         "@MUSIC       STOP\n"
         "@DESCRIPTION The first stars come out. Time to go home, or to start again.\n"
         "@OPTION1     Start again\n"
         "@LINK1       Meadow\n";
}

std::string Numbered(int frame) { return "pics/pond" + std::to_string(frame + 1) + ".png"; }

}  // namespace

bool MakeStarterStory(const std::string& title, std::vector<StarterFile>& files, std::string& error) {
  files = {{"gamefile.txt", GameFile(title)},
           {"pics/meadow.png", EncodePngPalette(DrawMeadow())},
           {"pics/evening.bmp", EncodeBmp8(DrawEvening())}};
  for (int frame = 0; frame < kPondFrames; ++frame) files.push_back({Numbered(frame), EncodePngPalette(DrawPond(frame))});
  std::string tune;
  if (!WriteTune(StarterTune(), tune, error)) return false;
  files.push_back({"music/theme.mid", tune});
  for (const StarterFile& file : files) {
    if (file.Bytes.empty()) {
      error = "cannot make " + file.Path;
      return false;
    }
  }
  return true;
}
