#include "ui/DibDraw.h"

#include <algorithm>
#include <vector>

#include "picture/Dib.h"

namespace {

// Copies image part source to destination on dc, stretched when the sizes differ.
bool DrawImage(wxDC& dc, const wxImage& image, const wxRect& destination, const wxRect& source) {
  if (!image.IsOk() || destination.width <= 0 || destination.height <= 0 || source.width <= 0 ||
      source.height <= 0)
    return false;
  const bool whole = source == wxRect(image.GetSize()) && destination.GetSize() == source.GetSize();
  const wxImage part = whole ? image : ScaleNearest(image, source, destination.GetSize());
  dc.DrawBitmap(wxBitmap(part), destination.x, destination.y, false);
  return true;
}

}  // namespace

wxImage DibToImage(const DibBitmap& dib) {
  wxImage image(dib.Width(), dib.Height(), false);
  dib.ToRgb(image.GetData());
  return image;
}

wxImage ScaleNearest(const wxImage& image, const wxRect& source, const wxSize& size) {
  const int width = image.GetWidth();
  const int height = image.GetHeight();
  wxImage result(size.x, size.y, false);
  const unsigned char* from = image.GetData();
  unsigned char* to = result.GetData();
  // The source column of each destination column, worked out once for all rows.
  std::vector<int64_t> columns(static_cast<size_t>(std::max(size.x, 0)));
  for (int x = 0; x < size.x; ++x) {
    const int64_t sx = source.x + (int64_t{2} * x + 1) * source.width / (int64_t{2} * size.x);
    columns[x] = std::clamp<int64_t>(sx, 0, width - 1);
  }
  for (int y = 0; y < size.y; ++y) {
    const int64_t sy = source.y + (int64_t{2} * y + 1) * source.height / (int64_t{2} * size.y);
    const int64_t row = std::clamp<int64_t>(sy, 0, height - 1);
    for (int x = 0; x < size.x; ++x, to += 3) {
      const unsigned char* pixel = from + (row * width + columns[x]) * 3;
      to[0] = pixel[0];
      to[1] = pixel[1];
      to[2] = pixel[2];
    }
  }
  return result;
}

wxBitmap ZoomBitmap(const wxBitmap& bitmap, int zoom) {
  if (zoom <= 1 || !bitmap.IsOk()) return bitmap;
  const wxImage image = bitmap.ConvertToImage();
  return wxBitmap(ScaleNearest(image, wxRect(image.GetSize()), image.GetSize() * zoom));
}

bool DrawBitmap(wxDC& dc, const wxBitmap& bitmap, const wxRect* destination, const wxRect* source) {
  if (!bitmap.IsOk()) return false;
  const wxRect from = source ? *source : wxRect(0, 0, bitmap.GetWidth(), bitmap.GetHeight());
  const wxRect to = destination ? *destination : from;
  // A whole bitmap at its size goes to the display as it is, without a copy.
  const bool whole = from == wxRect(bitmap.GetSize()) && to.GetSize() == from.GetSize();
  if (whole) {
    dc.DrawBitmap(bitmap, to.x, to.y, false);
    return true;
  }
  return DrawImage(dc, bitmap.ConvertToImage(), to, from);
}

int RealizePalette(const CPalette&, bool) { return 0; }

bool CDib::Draw(wxDC& dc, const wxRect* destination, const wxRect* source, bool useDrawDib,
                const CPalette* palette, bool foreground) const {
  if (!m_bitmap) return false;
  RealizePalette(palette ? *palette : m_pal, foreground);
  wxRect from = source ? *source : wxRect(0, 0, -1, -1);
  // A negative extent means "to the picture's edge", as the default source does; the bitmap
  // path has no such rectangle and defaults to the whole picture.
  if (!useDrawDib && !source) from = wxRect(0, 0, m_bm.bmWidth, m_bm.bmHeight);
  if (from.width < 0) from.width = m_bm.bmWidth - from.x;
  if (from.height < 0) from.height = m_bm.bmHeight - from.y;
  wxRect to = destination ? *destination : from;
  if (to.width < 0) to.width = from.width;
  if (to.height < 0) to.height = from.height;
  return DrawImage(dc, DibToImage(*m_bitmap), to, from);
}
