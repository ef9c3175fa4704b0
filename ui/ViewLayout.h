#pragma once
// Where the scene view's parts go: worked out once at 1× from the sizes of the frame pieces,
// the option buttons and the fonts, and multiplied for every zoom factor, so that the view at
// zoom z is the view at 1× with each coordinate z times as large. Also the zoom factors that
// fit a work area or a screen.
#include <wx/gdicmn.h>

constexpr int kMinimumZoom = 1;
constexpr int kMaximumZoom = 4;
// The automatic size takes at most this percentage of the work area.
constexpr int kAutomaticZoomShare = 90;

// The sizes the layout follows from, measured at 1×.
struct ViewMeasures {
  wxSize frameTop, frameBottom, frameLeft;  // the picture frame's pieces
  wxSize optionButton;                      // an option button's picture
  int optionAreaHeight = 0;                 // the height of an option text
  int textLine = 0;   // a line of the text font: character height and external leading
  int lineHeight = 0;  // the text font's size in pixels
};

struct ViewLayout {
  static constexpr int kOptionCount = 4;
  static constexpr int kTextLinesShown = 15;

  wxSize client;
  wxPoint picture;  // the picture's top-left corner inside the frame
  wxPoint text;     // the top-left corner of the text area
  int rowHeight = 0;
  wxRect optionButtons[kOptionCount];
  wxRect optionAreas[kOptionCount];
  wxRect newGameButton, loadGameButton, beginButton;

  // The same layout with every coordinate and size multiplied by zoom.
  ViewLayout Scaled(int zoom) const;
};

// The layout at 1×: the frame on top, fifteen text lines below it (shortened so that the text
// above the options ends on a whole line), the four option rows at the bottom, and the text
// buttons in the middle half at the bottom.
ViewLayout MakeViewLayout(const ViewMeasures& measures);

// The largest zoom (1 to 4) at which a window whose client area is client at 1× fits in
// kAutomaticZoomShare percent of workArea; decoration is what the window adds to its client
// area (title, menu and status bars), which does not grow with the zoom. At least 1.
int AutomaticZoom(const wxSize& workArea, const wxSize& client, const wxSize& decoration);

// The largest zoom (1 to 4) at which client fits into space; at least 1.
int LargestZoomWithin(const wxSize& space, const wxSize& client);
