#include "picture/Palette.h"

#include <algorithm>

bool CPalette::CreatePalette(const PaletteEntry* entries, size_t count) {
  if (m_created || count == 0) return false;
  m_entries.assign(entries, entries + count);
  m_created = true;
  return true;
}

bool CPalette::CreateHalftonePalette() {
  if (m_created) return false;
  m_entries.clear();
  m_entries.reserve(kHalftoneSize);
  for (int red = 0; red < 6; ++red)
    for (int green = 0; green < 6; ++green)
      for (int blue = 0; blue < 6; ++blue)
        m_entries.push_back(PaletteEntry{static_cast<uint8_t>(red * 51), static_cast<uint8_t>(green * 51),
                                         static_cast<uint8_t>(blue * 51), 0});
  // Forty greys between the cube's six: 46 even steps of 255/45, without every ninth one.
  for (int step = 0; step <= 45; ++step) {
    if (step % 9 == 0) continue;
    const uint8_t grey = static_cast<uint8_t>((step * 255 + 22) / 45);
    m_entries.push_back(PaletteEntry{grey, grey, grey, 0});
  }
  m_created = true;
  return true;
}

size_t CPalette::GetPaletteEntries(size_t start, size_t count, PaletteEntry* entries) const {
  if (start >= m_entries.size()) return 0;
  const size_t n = std::min(count, m_entries.size() - start);
  std::copy_n(m_entries.begin() + static_cast<std::ptrdiff_t>(start), n, entries);
  return n;
}

size_t CPalette::SetPaletteEntries(size_t start, size_t count, const PaletteEntry* entries) {
  if (start >= m_entries.size()) return 0;
  const size_t n = std::min(count, m_entries.size() - start);
  std::copy_n(entries, n, m_entries.begin() + static_cast<std::ptrdiff_t>(start));
  return n;
}

bool CPalette::ResizePalette(size_t count) {
  if (!m_created || count == 0) return false;
  m_entries.resize(count);
  return true;
}
