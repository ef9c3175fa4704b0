#pragma once
// A logical palette: the colours a picture wants on a display that shows 256 colours at once.
// On the true-colour displays of today a palette changes nothing on screen; pictures keep one
// so that the palette logic behaves as it always has.
#include <cstddef>
#include <cstdint>
#include <vector>

struct PaletteEntry {
  uint8_t peRed = 0;
  uint8_t peGreen = 0;
  uint8_t peBlue = 0;
  uint8_t peFlags = 0;
  bool operator==(const PaletteEntry& other) const {
    return peRed == other.peRed && peGreen == other.peGreen && peBlue == other.peBlue && peFlags == other.peFlags;
  }
};

class CPalette {
 public:
  // Number of entries of the halftone palette.
  static constexpr size_t kHalftoneSize = 256;

  // Creates the palette with the given entries (at least one); false if it already exists.
  bool CreatePalette(const PaletteEntry* entries, size_t count);
  // Creates the 256-entry halftone palette: a 6 × 6 × 6 colour cube and a ramp of greys.
  bool CreateHalftonePalette();
  void DeleteObject() {
    m_entries.clear();
    m_created = false;
  }

  // Whether the palette exists (the handle is set).
  bool IsCreated() const { return m_created; }
  size_t GetEntryCount() const { return m_entries.size(); }
  const std::vector<PaletteEntry>& Entries() const { return m_entries; }

  // Copies up to count entries from index start; returns the number copied.
  size_t GetPaletteEntries(size_t start, size_t count, PaletteEntry* entries) const;
  // Overwrites up to count entries from index start (the size stays); returns the number set.
  size_t SetPaletteEntries(size_t start, size_t count, const PaletteEntry* entries);
  // Grows or shrinks the palette; new entries are black. False if it does not exist.
  bool ResizePalette(size_t count);

 private:
  std::vector<PaletteEntry> m_entries;
  bool m_created = false;
};
