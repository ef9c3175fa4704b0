#pragma once
// Word-wrapped text on a device context: lines break at spaces where the next word would not
// fit, and at line feeds; a word wider than the line stands alone on its line. Tabs, where
// expanded, advance to the next multiple of the tab width from the line's start.
#include <vector>

#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

enum class TextAlign { Left, Centre };

// The height of one line of text in the dc's font, with its external leading.
int LineHeightOf(wxDC& dc);

// The width of a line; with tabWidth > 0 its tabs are expanded.
int LineWidth(wxDC& dc, const wxString& line, int tabWidth = 0);

// The lines text breaks into within width.
std::vector<wxString> WrapText(wxDC& dc, const wxString& text, int width, int tabWidth = 0);

// Draws text wrapped within the width of area, from its top; lines left-aligned or centred.
// Nothing is drawn outside area. Lines lie lineHeight apart (0: the font's character height).
// Returns the height of the text (its lines × that height), drawn or not.
int DrawWrappedText(wxDC& dc, const wxString& text, const wxRect& area, TextAlign align, int tabWidth = 0,
                    int lineHeight = 0);

// The height DrawWrappedText would return, without drawing.
int MeasureWrappedText(wxDC& dc, const wxString& text, int width, int tabWidth = 0, int lineHeight = 0);

// Selects font, its size multiplied by zoom, into dc. Returns the height of a line for it:
// zoom × the character height of font itself, so that zoomed lines keep their places.
int SelectZoomedFont(wxDC& dc, const wxFont& font, int zoom);
