#pragma once
// Breaking a text into lines that fit a width, the way the text windows show it: lines end at
// line feeds (a carriage return before one is dropped) and between words; tabs advance to the
// next tab stop. Widths come from a measuring function, so the rules need no windowing library.
#include <functional>
#include <string>
#include <vector>

// The width of a piece of text without tabs or line breaks (UTF-8).
using MeasureText = std::function<int(const std::string& piece)>;

// One piece of a line and where it starts.
struct LinePiece {
  int x = 0;
  std::string text;
};

// The line cut at its tabs, each piece at its position: a tab moves to the next multiple of
// tabWidth (tabWidth 0 or less: tabs are ignored). A last piece without text stands where the
// line ends.
std::vector<LinePiece> SplitAtTabs(const std::string& line, int tabWidth, const MeasureText& measure);
int LineWidth(const std::string& line, int tabWidth, const MeasureText& measure);

// The lines of text at width. A word wider than the width is broken between characters;
// spaces at a break are dropped. An empty text has no lines; a final line feed adds none.
std::vector<std::string> WrapText(const std::string& text, int width, int tabWidth,
                                  const MeasureText& measure);
