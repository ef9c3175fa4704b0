#include "picture/Dib.h"

#include <algorithm>
#include <vector>

#include "res/Resources.h"
#include "picture/BmpReader.h"

bool CDib::Load(const std::string& path) {
  auto bitmap = std::make_unique<DibBitmap>();
  std::string error;
  if (!ReadBmpFile(path, *bitmap, error)) return LoadFailed(error);
  if (!Attach(std::move(bitmap))) return LoadFailed("The picture cannot be attached");
  return LoadSucceeded();
}

bool CDib::Load(unsigned resourceId) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!res::FindResource(res::ResourceType::Bitmap, resourceId, data, size))
    return LoadFailed("No bitmap resource " + std::to_string(resourceId));
  auto bitmap = std::make_unique<DibBitmap>();
  std::string error;
  if (!ReadBmp(data, size, *bitmap, error)) return LoadFailed(error);
  if (!Attach(std::move(bitmap))) return LoadFailed("The picture cannot be attached");
  return LoadSucceeded();
}

bool CDib::Attach(std::unique_ptr<DibBitmap> bitmap) {
  if (!bitmap || !IsValidDib(*bitmap)) return false;
  m_bitmap = std::move(bitmap);
  const BitmapInfoHeader& header = m_bitmap->header;
  m_bm = BitmapRecord{0,
                      header.biWidth,
                      header.biHeight,
                      static_cast<int32_t>(m_bitmap->Stride()),
                      header.biPlanes,
                      header.biBitCount,
                      m_bitmap->bits.data()};
  m_pal.DeleteObject();
  return BuildPalette(m_pal);
}

void CDib::DeleteObject() {
  m_pal.DeleteObject();
  m_bm = BitmapRecord();
  m_bitmap.reset();
}

size_t CDib::GetColorTable(RgbQuad* entries, size_t count) const {
  if (!m_bitmap) return 0;
  const size_t n = std::min(count, m_bitmap->colors.size());
  std::copy_n(m_bitmap->colors.begin(), n, entries);
  return n;
}

size_t CDib::SetColorTable(const RgbQuad* entries, size_t count) {
  if (!m_bitmap) return 0;
  const size_t written = std::min(count, m_bitmap->colors.size());
  std::copy_n(entries, written, m_bitmap->colors.begin());
  m_pal.DeleteObject();
  return BuildPalette(m_pal) ? written : 0;
}

bool CDib::BuildPalette(CPalette& palette) const {
  std::vector<RgbQuad> table(256);
  const size_t count = GetColorTable(table.data(), table.size());
  palette.DeleteObject();
  if (count == 0) return palette.CreateHalftonePalette();
  std::vector<PaletteEntry> entries(count);
  for (size_t i = 0; i < count; ++i)
    entries[i] = PaletteEntry{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  return palette.CreatePalette(entries.data(), entries.size());
}
