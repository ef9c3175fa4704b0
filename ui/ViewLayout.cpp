#include "ui/ViewLayout.h"

#include <algorithm>
#include <cstdint>

namespace {

wxRect ScaledRect(const wxRect& rect, int zoom) {
  return wxRect(rect.x * zoom, rect.y * zoom, rect.width * zoom, rect.height * zoom);
}

// Whether size fits into percent of space.
bool FitsShare(const wxSize& size, const wxSize& space, int percent) {
  return int64_t{size.x} * 100 <= int64_t{space.x} * percent && int64_t{size.y} * 100 <= int64_t{space.y} * percent;
}

}  // namespace

ViewLayout ViewLayout::Scaled(int zoom) const {
  ViewLayout scaled = *this;
  scaled.client = client * zoom;
  scaled.picture = picture * zoom;
  scaled.text = text * zoom;
  scaled.rowHeight = rowHeight * zoom;
  for (int i = 0; i < kOptionCount; ++i) {
    scaled.optionButtons[i] = ScaledRect(optionButtons[i], zoom);
    scaled.optionAreas[i] = ScaledRect(optionAreas[i], zoom);
  }
  scaled.newGameButton = ScaledRect(newGameButton, zoom);
  scaled.loadGameButton = ScaledRect(loadGameButton, zoom);
  scaled.beginButton = ScaledRect(beginButton, zoom);
  return scaled;
}

ViewLayout MakeViewLayout(const ViewMeasures& m) {
  ViewLayout layout;
  layout.picture = wxPoint(m.frameLeft.x, m.frameTop.y);
  layout.text = wxPoint(0, m.frameTop.y + m.frameLeft.y + m.frameBottom.y);
  layout.client = wxSize(m.frameTop.x, layout.text.y + ViewLayout::kTextLinesShown * m.textLine);

  const int count = ViewLayout::kOptionCount;
  layout.rowHeight = std::max(m.optionButton.y, m.optionAreaHeight) + 2;
  // The text above the options ends on a whole line: the window loses what is left over.
  if (m.lineHeight > 0) layout.client.y -= (layout.client.y - count * layout.rowHeight - layout.text.y) % m.lineHeight;

  // Each row: the button at the left, the text beside it; the shorter sits in the middle.
  const int areaLeft = m.optionButton.x + 2;
  for (int i = 0; i < count; ++i) {
    const int rowTop = layout.client.y - count * layout.rowHeight + i * layout.rowHeight;
    layout.optionButtons[i] =
        wxRect(wxPoint(2, rowTop + std::max(0, m.optionAreaHeight - m.optionButton.y) / 2), m.optionButton);
    layout.optionAreas[i] = wxRect(areaLeft, rowTop + std::max(0, m.optionButton.y - m.optionAreaHeight) / 2,
                                   layout.client.x - 2 - areaLeft, m.optionAreaHeight);
  }

  const int buttonHeight = 7 * m.lineHeight / 4;
  const int left = layout.client.x / 4, width = layout.client.x / 2;
  layout.beginButton = wxRect(left, layout.client.y - buttonHeight - 2, width, buttonHeight);
  layout.loadGameButton = layout.beginButton;
  layout.newGameButton = wxRect(left, layout.client.y - 2 * (buttonHeight + 2), width, buttonHeight);
  return layout;
}

int AutomaticZoom(const wxSize& workArea, const wxSize& client, const wxSize& decoration) {
  int zoom = kMinimumZoom;
  while (zoom < kMaximumZoom && FitsShare(client * (zoom + 1) + decoration, workArea, kAutomaticZoomShare)) ++zoom;
  return zoom;
}

int LargestZoomWithin(const wxSize& space, const wxSize& client) {
  int zoom = kMinimumZoom;
  while (zoom < kMaximumZoom && FitsShare(client * (zoom + 1), space, 100)) ++zoom;
  return zoom;
}
