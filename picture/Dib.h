#pragma once
// A device-independent bitmap with its own palette: loaded from a BMP file or a bitmap
// resource, drawn onto a device context (the drawing lives with the windowing code).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "picture/DibBitmap.h"
#include "picture/Palette.h"

class wxDC;
class wxRect;

// The record a bitmap is described by once attached.
struct BitmapRecord {
  int32_t bmType = 0;
  int32_t bmWidth = 0;
  int32_t bmHeight = 0;
  int32_t bmWidthBytes = 0;
  uint16_t bmPlanes = 0;
  uint16_t bmBitsPixel = 0;
  const uint8_t* bmBits = nullptr;
};

class CDib {
 public:
  CDib() = default;
  virtual ~CDib() = default;
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;

  // Loads a BMP file (found ignoring letter case) and attaches it. False leaves the picture as
  // it was; GetLoadError then says why.
  virtual bool Load(const std::string& path);
  // Loads the program's bitmap resource with this id.
  bool Load(unsigned resourceId);

  // Takes ownership of a pixel store. Fails (and keeps the picture as it was) when there is
  // none or it is inconsistent; else replaces the bitmap and rebuilds the palette, returning
  // whether that succeeded.
  bool Attach(std::unique_ptr<DibBitmap> bitmap);
  // Frees palette and bitmap; the picture is empty again.
  void DeleteObject();

  // Copies up to count colour-table entries; returns the number copied (0 without a table).
  size_t GetColorTable(RgbQuad* entries, size_t count) const;
  // Overwrites colour-table entries from index 0 and rebuilds the palette. Returns the number
  // of entries written when the rebuild succeeded, else 0; 0 at once when the picture is empty.
  size_t SetColorTable(const RgbQuad* entries, size_t count);
  // Makes palette from the colour table, or the halftone palette when there is none.
  bool BuildPalette(CPalette& palette) const;

  // Draws the picture (or its part source, default the whole) into destination (default the
  // size of the source at its position) with palette (default the picture's own) selected as
  // a background palette unless foreground is set. A destination of another size than the
  // source is stretched by repeating or dropping pixels, never smoothed. False when empty.
  bool Draw(wxDC& dc, const wxRect* destination = nullptr, const wxRect* source = nullptr,
            bool useDrawDib = true, const CPalette* palette = nullptr, bool foreground = false) const;

  bool IsEmpty() const { return !m_bitmap; }
  const DibBitmap* GetBitmap() const { return m_bitmap.get(); }
  const BitmapRecord& GetBitmapRecord() const { return m_bm; }
  int GetWidth() const { return m_bm.bmWidth; }
  int GetHeight() const { return m_bm.bmHeight; }
  const CPalette& GetPalette() const { return m_pal; }
  CPalette& GetPalette() { return m_pal; }
  const std::string& GetLoadError() const { return m_loadError; }

 protected:
  bool LoadFailed(const std::string& reason) {
    m_loadError = reason;
    return false;
  }
  bool LoadSucceeded() {
    m_loadError.clear();
    return true;
  }

 private:
  std::unique_ptr<DibBitmap> m_bitmap;
  BitmapRecord m_bm;
  CPalette m_pal;
  std::string m_loadError;
};
