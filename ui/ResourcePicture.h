#pragma once
// The program's bitmap resources as the toolkit's bitmaps and icons.
#include <wx/bitmap.h>
#include <wx/icon.h>

// The program's icon.
constexpr unsigned kProgramIconId = 128;

// The bitmap resource with this id, scaled to size by size pixels when size is positive; an
// invalid bitmap when there is none. Icons paint their transparent parts in magenta.
wxBitmap LoadBitmapResource(unsigned id, int size = 0);
wxIcon LoadIconResource(unsigned id, int size);
