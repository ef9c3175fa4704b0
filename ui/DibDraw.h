#pragma once
// Drawing pictures onto wxWidgets device contexts: CDib::Draw lives in DibDraw.cpp with these
// helpers. Stretching repeats or drops pixels (nearest neighbour) and never smooths.
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/image.h>

#include "picture/DibBitmap.h"
#include "picture/Palette.h"

// The picture as an RGB image without alpha.
wxImage DibToImage(const DibBitmap& dib);

// The part source of image scaled to size by nearest neighbour: destination pixel x takes the
// source pixel under its centre. Source pixels outside the image repeat its edge.
wxImage ScaleNearest(const wxImage& image, const wxRect& source, const wxSize& size);

// The bitmap zoom times as large, each pixel a zoom × zoom block (zoom 1: bitmap itself).
wxBitmap ZoomBitmap(const wxBitmap& bitmap, int zoom);

// Copies bitmap, or its part source (default the whole bitmap), to destination (default the
// source rectangle). Rectangles of equal size copy pixel for pixel; otherwise the source is
// stretched by nearest neighbour. False for an invalid bitmap or an empty rectangle.
bool DrawBitmap(wxDC& dc, const wxBitmap& bitmap, const wxRect* destination = nullptr,
                const wxRect* source = nullptr);

// Realizes a palette for the display: the number of display colours that changed. Displays
// of more than 256 colours, the only kind the toolkit drives, show every colour directly, so
// nothing changes there.
int RealizePalette(const CPalette& palette, bool foreground);
