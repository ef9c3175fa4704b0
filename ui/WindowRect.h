#pragma once
// A window rectangle as the settings keep it: "left,top,right,bottom", each number written as
// an unsigned 32-bit value (so a negative coordinate reads back as itself).
#include <cstdint>
#include <string>
#include <vector>

struct WindowRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int64_t Width() const { return int64_t{right} - left; }
  int64_t Height() const { return int64_t{bottom} - top; }
  bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
  bool Intersects(const WindowRect& other) const;
  bool operator==(const WindowRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
  bool operator!=(const WindowRect& other) const { return !(*this == other); }
};

std::string FormatWindowRect(const WindowRect& rect);

// Takes four numbers from text, each a run of digits (what comes before a digit is skipped;
// a run beyond 32 bits stays at the largest value). False, leaving rect alone, with fewer.
bool ParseWindowRect(const std::string& text, WindowRect& rect);

// Where a stored rectangle puts a window: its right and bottom edges limited to those of a
// maximized window (maxRight, maxBottom). False when it should not be applied: empty, or
// meeting none of the displays.
bool PlaceStoredRect(const WindowRect& stored, int32_t maxRight, int32_t maxBottom,
                     const std::vector<WindowRect>& displays, WindowRect& placed);
