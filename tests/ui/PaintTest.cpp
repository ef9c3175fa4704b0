// What the view paints: the frame pieces, pictures at their size or fitted into the frame,
// the option texts' highlight and the option buttons' pictures.
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include <set>
#include <wx/settings.h>

#include "tests/ui/PlayerFixture.h"
#include "picture/Dib.h"
#include "ui/MyBitmapButton.h"
#include "ui/OptionArea.h"

namespace {

constexpr unsigned kMarker = 0x12ABCD;

unsigned PixelAt(const wxImage& image, int x, int y) {
  return (unsigned(image.GetRed(x, y)) << 16) | (unsigned(image.GetGreen(x, y)) << 8) | image.GetBlue(x, y);
}

unsigned ResourcePixel(unsigned id, int x, int y) {
  CDib dib;
  EXPECT_TRUE(dib.Load(id)) << "bitmap " << id;
  const Rgb c = dib.GetBitmap()->Pixel(x, y);
  return (unsigned(c.red) << 16) | (unsigned(c.green) << 8) | c.blue;
}

class PaintTest : public PlayerFixture {
 protected:
  // The view painted onto a bitmap first filled with the marker colour.
  wxImage RenderView() {
    const wxSize size = View().GetClientSize();
    wxBitmap bitmap(size.x, size.y, 24);
    {
      wxMemoryDC dc(bitmap);
      dc.SetBackground(wxBrush(wxColour(kMarker >> 16, (kMarker >> 8) & 0xFF, kMarker & 0xFF)));
      dc.Clear();
      View().Render(dc, wxRect(size));
    }
    return bitmap.ConvertToImage();
  }

  // A one-scene story whose picture has the given size; colourAt paints it.
  void StartPictureStory(int width, int height, const std::function<unsigned(int, int)>& colourAt) {
    WriteStory(StoryDir("Gallery"), "[Title]\n@NAME Gallery\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Room\n"
                                    "[Room]\n@IMAGE p.bmp\n@DESCRIPTION A picture.\n");
    WriteBmp(StoryDir("Gallery") + "/p.bmp", width, height, colourAt);
    Store().WriteInt(kSettingsSection, "ValidateFileOn", 0);
    StartPlayer();
    StartStory("Gallery");
  }
};

TEST_F(PaintTest, FramePiecesSurroundThePicture) {
  StartPlayer();
  const wxImage image = RenderView();
  EXPECT_EQ(PixelAt(image, 0, 0), ResourcePixel(135, 0, 0));
  EXPECT_EQ(PixelAt(image, 130, 10), ResourcePixel(135, 130, 10));
  EXPECT_EQ(PixelAt(image, 5, 24 + 50), ResourcePixel(137, 5, 50));
  EXPECT_EQ(PixelAt(image, 247 - 3, 24 + 70), ResourcePixel(138, 20, 70));
  EXPECT_EQ(PixelAt(image, 100, 136 + 20), ResourcePixel(136, 100, 20));
  // The start picture inside, and the window colour below.
  EXPECT_EQ(PixelAt(image, 24 + 80, 24 + 30), ResourcePixel(139, 80, 30));
  const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  EXPECT_EQ(PixelAt(image, 1, 161), (unsigned(window.Red()) << 16) | (window.Green() << 8) | window.Blue());
}

TEST_F(PaintTest, APictureOfTheFramesSizeIsDrawnAsItIs) {
  // Every pixel distinct enough to tell a shifted or scaled copy.
  auto colour = [](int x, int y) { return unsigned(x) << 16 | unsigned(y) << 8 | unsigned((x + y) & 0xFF); };
  StartPictureStory(200, 112, colour);
  const wxImage image = RenderView();
  for (int y : {0, 1, 55, 110, 111})
    for (int x : {0, 1, 99, 198, 199}) EXPECT_EQ(PixelAt(image, 24 + x, 24 + y), colour(x, y)) << x << "," << y;
  EXPECT_EQ(PixelAt(image, 224, 24), ResourcePixel(138, 0, 0)) << "the right piece follows the picture";
}

TEST_F(PaintTest, AtThreeTimesEveryPixelBecomesABlockOfNine) {
  auto colour = [](int x, int y) { return unsigned(x) << 16 | unsigned(y) << 8 | unsigned((x + y) & 0xFF); };
  Store().WriteInt(kSettingsSection, "Zoom", 3);
  StartPictureStory(200, 112, colour);
  ASSERT_EQ(View().GetZoom(), 3);
  const wxImage image = RenderView();
  auto block = [&image](int left, int top) {
    std::set<unsigned> colours;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) colours.insert(PixelAt(image, left + x, top + y));
    return colours;
  };
  for (int y : {0, 1, 55, 111})
    for (int x : {0, 1, 99, 199})
      EXPECT_EQ(block(3 * (24 + x), 3 * (24 + y)), std::set<unsigned>{colour(x, y)}) << x << "," << y;
  // The frame pieces too.
  EXPECT_EQ(block(3 * 130, 3 * 10), std::set<unsigned>{ResourcePixel(135, 130, 10)});
  EXPECT_EQ(block(3 * 5, 3 * (24 + 50)), std::set<unsigned>{ResourcePixel(137, 5, 50)});
  EXPECT_EQ(block(3 * 100, 3 * (136 + 20)), std::set<unsigned>{ResourcePixel(136, 100, 20)});
}

TEST_F(PaintTest, AWiderPictureIsFittedIntoTheFrame) {
  // Red, then blue, with a green last column.
  auto colour = [](int x, int) { return x == 200 ? 0x00FF00u : x < 100 ? 0xFF0000u : 0x0000FFu; };
  StartPictureStory(201, 112, colour);
  const wxImage image = RenderView();
  EXPECT_EQ(PixelAt(image, 24, 24), 0xFF0000u);
  EXPECT_EQ(PixelAt(image, 24 + 199, 24), 0x00FF00u) << "the last column survives the fitting";
  EXPECT_EQ(PixelAt(image, 24 + 199, 24 + 111), 0x00FF00u);
  EXPECT_EQ(PixelAt(image, 24 + 150, 24 + 50), 0x0000FFu);
  EXPECT_EQ(PixelAt(image, 224, 30), ResourcePixel(138, 0, 6)) << "nothing is drawn over the frame";
}

TEST_F(PaintTest, AWiderPictureIsCroppedWhenTheDisplayCannotStretch) {
  auto colour = [](int x, int) { return x == 200 ? 0x00FF00u : x < 100 ? 0xFF0000u : 0x0000FFu; };
  StartPictureStory(201, 112, colour);
  View().SetCanStretch(false);
  const wxImage image = RenderView();
  EXPECT_EQ(PixelAt(image, 24 + 199, 24), 0x0000FFu);
  EXPECT_EQ(PixelAt(image, 24 + 99, 24), 0xFF0000u);
  EXPECT_EQ(PixelAt(image, 24 + 100, 24), 0x0000FFu);
}

TEST_F(PaintTest, ASmallerPictureLeavesTheRestOfTheFrameUnpainted) {
  StartPictureStory(50, 40, [](int, int) { return 0x445566u; });
  const wxImage image = RenderView();
  EXPECT_EQ(PixelAt(image, 24 + 49, 24 + 39), 0x445566u);
  EXPECT_EQ(PixelAt(image, 24 + 50, 24), kMarker);
  EXPECT_EQ(PixelAt(image, 24, 24 + 40), kMarker);
}

TEST_F(PaintTest, TheHighlightedOptionTextStandsOut) {
  WriteStory(StoryDir("One"), "[Title]\n@NAME One\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE S\n"
                              "[S]\n@IMAGE x.bmp\n@OPTION1 MMMMMMMM\n@LINK1 S\n");
  WriteSolidBmp(StoryDir("One") + "/x.bmp", 8, 8, 0);
  StartPlayer();
  StartStory("One");
  COptionArea& area = *View().GetOptionArea(0);
  auto render = [&area] {
    wxBitmap bitmap(area.GetSize().x, area.GetSize().y, 24);
    {
      wxMemoryDC dc(bitmap);
      area.Render(dc);
    }
    return bitmap.ConvertToImage();
  };
  auto colours = [](const wxImage& image) {
    std::set<unsigned> found;
    for (int y = 0; y < image.GetHeight(); ++y)
      for (int x = 0; x < image.GetWidth(); ++x) found.insert(PixelAt(image, x, y));
    return found;
  };
  const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  const wxColour highlightText = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
  const wxColour background = window == highlightText ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT) : window;
  const unsigned backgroundRgb = (unsigned(background.Red()) << 16) | (background.Green() << 8) | background.Blue();
  const unsigned textRgb = (unsigned(highlightText.Red()) << 16) | (highlightText.Green() << 8) | highlightText.Blue();

  const std::set<unsigned> plain = colours(render());
  area.UpdateHover(area.GetPosition() + wxPoint(1, 1));
  ASSERT_TRUE(area.IsHover());
  const std::set<unsigned> lit = colours(render());
  EXPECT_TRUE(lit.count(backgroundRgb));
  EXPECT_TRUE(lit.count(textRgb));
  EXPECT_NE(plain, lit);
  area.UpdateHover(wxPoint(0, 0));
  EXPECT_FALSE(area.IsHover());
  EXPECT_EQ(colours(render()), plain);
}

TEST(ButtonPicture, FloodFillChangesOnlyTheConnectedRegion) {
  wxImage image(5, 3);
  const char* rows[] = {"aab.a", "abb.a", "aab.a"};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      const unsigned char v = rows[y][x] == 'a' ? 10 : rows[y][x] == 'b' ? 20 : 30;
      image.SetRGB(x, y, v, v, v);
    }
  FloodFill(image, 0, 0, wxColour(200, 100, 50));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      const bool filled = image.GetRed(x, y) == 200 && image.GetGreen(x, y) == 100;
      EXPECT_EQ(filled, rows[y][x] == 'a' && x < 3) << x << "," << y;
    }
}

TEST(ButtonPicture, TheCornersShowTheWindowColour) {
  wxFrame frame(nullptr, wxID_ANY, "buttons");
  CMyBitmapButton button(&frame, 1000, "btn1", wxPoint(0, 0));
  button.Show();
  ASSERT_TRUE(button.LoadBitmaps(145, 146));
  button.SizeToContent();
  ASSERT_EQ(button.GetSize(), wxSize(25, 25));
  EXPECT_LE(button.GetPalette().GetEntryCount(), 32u);
  auto render = [&button] {
    wxBitmap bitmap(25, 25, 24);
    {
      wxMemoryDC dc(bitmap);
      button.Render(dc);
    }
    return bitmap.ConvertToImage();
  };
  const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  const unsigned windowRgb = (unsigned(window.Red()) << 16) | (window.Green() << 8) | window.Blue();
  const wxImage normal = render();
  for (auto [x, y] : {std::pair{0, 0}, {24, 0}, {0, 24}, {24, 24}}) EXPECT_EQ(PixelAt(normal, x, y), windowRgb);
  EXPECT_NE(PixelAt(normal, 12, 4), windowRgb);
  EXPECT_NE(PixelAt(normal, 12, 4), ResourcePixel(145, 0, 0));

  // Pressed, the button shows its second picture.
  wxMouseEvent down(wxEVT_LEFT_DOWN);
  down.SetPosition(wxPoint(12, 12));
  button.GetEventHandler()->ProcessEvent(down);
  ASSERT_TRUE(button.IsPressed());
  const wxImage pressed = render();
  EXPECT_EQ(PixelAt(pressed, 0, 0), windowRgb);
  EXPECT_NE(pressed.GetData() ? std::string(reinterpret_cast<char*>(pressed.GetData()), 25 * 25 * 3) : "",
            std::string(reinterpret_cast<char*>(normal.GetData()), 25 * 25 * 3));
  if (button.HasCapture()) button.ReleaseMouse();
}

TEST(ButtonPicture, AButtonWithoutPicturesDrawsNothing) {
  wxFrame frame(nullptr, wxID_ANY, "buttons");
  CMyBitmapButton button(&frame, 1000, "btn1", wxPoint(0, 0));
  EXPECT_FALSE(button.LoadBitmaps(9999, 146));
  wxBitmap bitmap(8, 8, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxRED_BRUSH);
    dc.Clear();
    button.Render(dc);
  }
  EXPECT_EQ(PixelAt(bitmap.ConvertToImage(), 3, 3), 0xFF0000u);
}

}  // namespace
