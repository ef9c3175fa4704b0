#pragma once
// How a text window scrolls: where a scroll request leaves its first shown line, and what its
// scroll bar shows. top is the first line shown, lines the number of lines of the whole text,
// pageLines the number of whole lines the window shows.

enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom };

// The first line shown after the request (thumb: where the scroll bar's thumb was put).
int NextTopLine(ScrollCode code, int top, int lines, int pageLines, int thumb = 0);

// The scroll bar covers lines 0 to lines with a thumb of pageLines - 1 lines (at least one);
// its position is the first line shown, as far as the bar can go.
int ScrollBarRange(int lines);
int ScrollBarThumb(int pageLines);
int ScrollBarPosition(int top, int lines, int pageLines);
