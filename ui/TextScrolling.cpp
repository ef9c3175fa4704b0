#include "ui/TextScrolling.h"

#include <algorithm>

int NextTopLine(ScrollCode code, int top, int lines, int pageLines, int thumb) {
  const int lastPageTop = lines - pageLines + 1;
  switch (code) {
    case ScrollCode::LineUp:
      if (top <= 0) return top;
      return std::max(0, top > lastPageTop ? lastPageTop : top - 1);
    case ScrollCode::LineDown:
      if (top >= lines) return top;
      return top + 1 > lastPageTop ? lines : top + 1;
    case ScrollCode::PageUp:
      if (top <= 0) return top;
      return std::max(0, top > lastPageTop ? lines - 2 * pageLines + 2 : top - pageLines + 1);
    case ScrollCode::PageDown:
      if (top >= lines) return top;
      return std::min(top + pageLines - 1, lines);
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack:
      return thumb;
    case ScrollCode::Top:
      return 0;
    case ScrollCode::Bottom:
      return lines;
  }
  return top;
}

int ScrollBarRange(int lines) { return std::max(lines, 0) + 1; }

int ScrollBarThumb(int pageLines) { return std::max(pageLines - 1, 1); }

int ScrollBarPosition(int top, int lines, int pageLines) {
  const int last = std::max(0, ScrollBarRange(lines) - ScrollBarThumb(pageLines));
  return std::clamp(top, 0, last);
}
