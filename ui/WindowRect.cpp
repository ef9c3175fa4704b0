#include "ui/WindowRect.h"

#include <algorithm>
#include <cctype>

bool WindowRect::Intersects(const WindowRect& other) const {
  return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
}

std::string FormatWindowRect(const WindowRect& rect) {
  std::string text;
  for (int32_t value : {rect.left, rect.top, rect.right, rect.bottom}) {
    if (!text.empty()) text += ',';
    text += std::to_string(static_cast<uint32_t>(value));
  }
  return text;
}

bool ParseWindowRect(const std::string& text, WindowRect& rect) {
  uint32_t values[4];
  size_t found = 0, i = 0;
  while (found < 4 && i < text.size()) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    uint64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
      value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(text[i] - '0'), UINT32_MAX);
    values[found++] = static_cast<uint32_t>(value);
  }
  if (found < 4) return false;
  rect = {static_cast<int32_t>(values[0]), static_cast<int32_t>(values[1]),
          static_cast<int32_t>(values[2]), static_cast<int32_t>(values[3])};
  return true;
}

bool PlaceStoredRect(const WindowRect& stored, int32_t maxRight, int32_t maxBottom,
                     const std::vector<WindowRect>& displays, WindowRect& placed) {
  if (stored.IsEmpty()) return false;
  WindowRect rect = stored;
  rect.right = std::min(rect.right, maxRight);
  rect.bottom = std::min(rect.bottom, maxBottom);
  if (rect.IsEmpty()) return false;
  if (std::none_of(displays.begin(), displays.end(),
                   [&](const WindowRect& display) { return display.Intersects(rect); }))
    return false;
  placed = rect;
  return true;
}
