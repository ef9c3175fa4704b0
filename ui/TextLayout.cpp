#include "ui/TextLayout.h"

namespace {

// The paragraphs of text: it breaks at "\r\n", "\n" and "\r".
std::vector<wxString> Paragraphs(const wxString& text) {
  std::vector<wxString> paragraphs(1);
  for (auto it = text.begin(); it != text.end(); ++it) {
    const wxUniChar c = *it;
    if (c == '\r' || c == '\n') {
      auto next = it;
      if (c == '\r' && ++next != text.end() && *next == '\n') it = next;
      paragraphs.emplace_back();
    } else {
      paragraphs.back() += c;
    }
  }
  return paragraphs;
}

wxString TrimTrailingSpaces(const wxString& line) {
  size_t end = line.length();
  while (end > 0 && line[end - 1] == ' ') --end;
  return line.Left(end);
}

int CharHeight(wxDC& dc) {
  wxCoord width = 0, height = 0;
  dc.GetTextExtent("Ag", &width, &height);
  return height;
}

void DrawLine(wxDC& dc, const wxString& line, int x, int y, int tabWidth) {
  if (tabWidth <= 0 || line.Find('\t') == wxNOT_FOUND) {
    dc.DrawText(line, x, y);
    return;
  }
  int offset = 0;
  wxString piece;
  for (wxUniChar c : line) {
    if (c != '\t') {
      piece += c;
      continue;
    }
    if (!piece.empty()) dc.DrawText(piece, x + offset, y);
    offset += dc.GetTextExtent(piece).x;
    offset = (offset / tabWidth + 1) * tabWidth;
    piece.clear();
  }
  if (!piece.empty()) dc.DrawText(piece, x + offset, y);
}

}  // namespace

int LineHeightOf(wxDC& dc) {
  wxCoord width = 0, height = 0, descent = 0, leading = 0;
  dc.GetTextExtent("Ag", &width, &height, &descent, &leading);
  return height + leading;
}

int LineWidth(wxDC& dc, const wxString& line, int tabWidth) {
  if (tabWidth <= 0 || line.Find('\t') == wxNOT_FOUND) return dc.GetTextExtent(line).x;
  int offset = 0;
  wxString piece;
  for (wxUniChar c : line) {
    if (c != '\t') {
      piece += c;
      continue;
    }
    offset += dc.GetTextExtent(piece).x;
    offset = (offset / tabWidth + 1) * tabWidth;
    piece.clear();
  }
  return offset + (piece.empty() ? 0 : dc.GetTextExtent(piece).x);
}

std::vector<wxString> WrapText(wxDC& dc, const wxString& text, int width, int tabWidth) {
  std::vector<wxString> lines;
  for (const wxString& paragraph : Paragraphs(text)) {
    wxString line;
    size_t position = 0;
    const size_t length = paragraph.length();
    while (position < length) {
      // The next piece: the spaces before a word and the word.
      size_t end = position;
      while (end < length && paragraph[end] == ' ') ++end;
      while (end < length && paragraph[end] != ' ') ++end;
      const wxString piece = paragraph.Mid(position, end - position);
      const wxString candidate = line + piece;
      if (!TrimTrailingSpaces(line).empty() && LineWidth(dc, TrimTrailingSpaces(candidate), tabWidth) > width) {
        lines.push_back(TrimTrailingSpaces(line));
        line = piece;
        line.Trim(false);
      } else {
        line = candidate;
      }
      position = end;
    }
    lines.push_back(TrimTrailingSpaces(line));
  }
  return lines;
}

int DrawWrappedText(wxDC& dc, const wxString& text, const wxRect& area, TextAlign align, int tabWidth,
                    int lineHeight) {
  const std::vector<wxString> lines = WrapText(dc, text, area.width, tabWidth);
  if (lineHeight <= 0) lineHeight = CharHeight(dc);
  wxDCClipper clip(dc, area);
  int y = area.y;
  for (const wxString& line : lines) {
    if (y >= area.GetBottom() + 1) break;
    int x = area.x;
    if (align == TextAlign::Centre) x += (area.width - LineWidth(dc, line, tabWidth)) / 2;
    DrawLine(dc, line, x, y, tabWidth);
    y += lineHeight;
  }
  return static_cast<int>(lines.size()) * lineHeight;
}

int MeasureWrappedText(wxDC& dc, const wxString& text, int width, int tabWidth, int lineHeight) {
  return static_cast<int>(WrapText(dc, text, width, tabWidth).size()) * (lineHeight > 0 ? lineHeight : CharHeight(dc));
}

int SelectZoomedFont(wxDC& dc, const wxFont& font, int zoom) {
  dc.SetFont(font);
  const int height = CharHeight(dc);
  if (zoom > 1) dc.SetFont(font.Scaled(static_cast<float>(zoom)));
  return zoom * height;
}
