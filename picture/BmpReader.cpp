#include "picture/BmpReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "platform/FileSystem.h"
#include "picture/ByteReader.h"

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;

const char kNotBmp[] = "Not a BMP file";
const char kTruncated[] = "The file is truncated";
const char kTooLarge[] = "The picture is too large";
const char kReadError[] = "Unable to read file";

// What the headers say about the picture, before any pixel is read.
struct BmpLayout {
  bool core = false;
  int64_t width = 0;
  int64_t height = 0;  // negative: top-down rows
  uint16_t bitCount = 0;
  uint32_t compression = kBiRgb;
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t colorsUsed = 0;
  std::array<uint32_t, 3> masks{};
  size_t colorTableStart = 0;  // position in the data
  size_t colorCount = 0;       // entries to read
  size_t colorTableEnd = 0;    // position after the table as the header sizes it
  uint64_t stride = 0;
  uint64_t storeBytes = 0;
};

bool Fail(std::string& error, const char* text) {
  error = text;
  return false;
}

bool IsContiguous(uint32_t mask) {
  if (mask == 0) return true;
  while ((mask & 1u) == 0) mask >>= 1;
  return (mask & (mask + 1)) == 0;
}

bool ValidMasks(const std::array<uint32_t, 3>& masks, unsigned bitCount) {
  const uint64_t limit = bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  uint32_t seen = 0;
  for (uint32_t mask : masks) {
    if (mask > limit || !IsContiguous(mask) || (mask & seen) != 0) return false;
    seen |= mask;
  }
  return seen != 0;
}

bool ValidFormat(const BmpLayout& layout, std::string& error) {
  switch (layout.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return Fail(error, "Unsupported number of bits per pixel");
  }
  switch (layout.compression) {
    case kBiRgb:
      break;
    case kBiRle8:
      if (layout.bitCount != 8) return Fail(error, "RLE8 compression needs 8 bits per pixel");
      break;
    case kBiRle4:
      if (layout.bitCount != 4) return Fail(error, "RLE4 compression needs 4 bits per pixel");
      break;
    case kBiBitfields:
      if (layout.bitCount != 16 && layout.bitCount != 32)
        return Fail(error, "Bit fields need 16 or 32 bits per pixel");
      break;
    default:
      return Fail(error, "Unsupported compression");
  }
  if (layout.width <= 0 || layout.height == 0 || layout.height == std::numeric_limits<int32_t>::min())
    return Fail(error, "Invalid picture size");
  if (layout.height < 0 && (layout.compression == kBiRle8 || layout.compression == kBiRle4))
    return Fail(error, "A compressed picture cannot be stored top-down");
  return true;
}

// Reads the info header at the reader's position, the masks and the extent of the colour table.
bool ReadDibHeaders(ByteReader& reader, BmpLayout& layout, std::string& error) {
  const size_t start = reader.Position();
  uint32_t headerSize = 0;
  if (!reader.ReadU32(headerSize)) return Fail(error, kTruncated);
  uint16_t planes = 0;
  bool hasMasksInHeader = false;
  if (headerSize == kCoreHeaderSize) {
    uint16_t width = 0, height = 0, bitCount = 0;
    if (!reader.ReadU16(width) || !reader.ReadU16(height) || !reader.ReadU16(planes) ||
        !reader.ReadU16(bitCount))
      return Fail(error, kTruncated);
    layout.core = true;
    layout.width = width;
    layout.height = height;
    layout.bitCount = bitCount;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
             headerSize == 124) {
    int32_t width = 0, height = 0;
    uint16_t bitCount = 0;
    uint32_t sizeImage = 0, important = 0;
    if (!reader.ReadI32(width) || !reader.ReadI32(height) || !reader.ReadU16(planes) ||
        !reader.ReadU16(bitCount) || !reader.ReadU32(layout.compression) || !reader.ReadU32(sizeImage) ||
        !reader.ReadI32(layout.xPelsPerMeter) || !reader.ReadI32(layout.yPelsPerMeter) ||
        !reader.ReadU32(layout.colorsUsed) || !reader.ReadU32(important))
      return Fail(error, kTruncated);
    if (headerSize >= 52) {
      if (!reader.ReadU32(layout.masks[0]) || !reader.ReadU32(layout.masks[1]) || !reader.ReadU32(layout.masks[2]))
        return Fail(error, kTruncated);
      hasMasksInHeader = true;
    }
    layout.width = width;
    layout.height = height;
    layout.bitCount = bitCount;
  } else {
    return Fail(error, "Unsupported BMP header size");
  }
  if (!reader.Seek(start) || !reader.Skip(headerSize)) return Fail(error, kTruncated);
  if (planes != 1) return Fail(error, "A BMP picture must have one plane");
  if (!ValidFormat(layout, error)) return false;

  if (layout.compression == kBiBitfields) {
    if (!hasMasksInHeader &&
        (!reader.ReadU32(layout.masks[0]) || !reader.ReadU32(layout.masks[1]) || !reader.ReadU32(layout.masks[2])))
      return Fail(error, kTruncated);
    if (!ValidMasks(layout.masks, layout.bitCount)) return Fail(error, "Invalid colour masks");
  } else {
    layout.masks = DefaultMasks(layout.bitCount);
  }

  const size_t entrySize = layout.core ? 3 : 4;
  uint64_t tableEntries = layout.core ? 0 : layout.colorsUsed;
  if (layout.bitCount <= 8) {
    const uint64_t full = uint64_t{1} << layout.bitCount;
    tableEntries = (tableEntries == 0 || tableEntries > full) ? full : tableEntries;
    layout.colorCount = static_cast<size_t>(tableEntries);
  }
  layout.colorTableStart = reader.Position();
  // A huge entry count only pushes the table's end past the data; the check below catches it.
  layout.colorTableEnd = static_cast<size_t>(
      std::min<uint64_t>(layout.colorTableStart + tableEntries * entrySize, std::numeric_limits<size_t>::max() / 2));

  layout.stride = DibStride(static_cast<uint64_t>(layout.width), layout.bitCount);
  const uint64_t rows = static_cast<uint64_t>(layout.height < 0 ? -layout.height : layout.height);
  if (layout.stride == 0) return Fail(error, kTooLarge);
  layout.storeBytes = layout.stride * rows;  // both below 2^32: no overflow
  if (layout.storeBytes > kMaxPixelBytes) return Fail(error, kTooLarge);
  return true;
}

bool ReadColorTable(const uint8_t* data, size_t size, const BmpLayout& layout, std::vector<RgbQuad>& colors,
                    std::string& error) {
  ByteReader reader(data, size);
  if (!reader.Seek(layout.colorTableStart)) return Fail(error, kTruncated);
  colors.resize(layout.colorCount);
  for (RgbQuad& quad : colors) {
    uint8_t reserved = 0;
    if (!reader.ReadU8(quad.rgbBlue) || !reader.ReadU8(quad.rgbGreen) || !reader.ReadU8(quad.rgbRed) ||
        (!layout.core && !reader.ReadU8(reserved)))
      return Fail(error, kTruncated);
  }
  return true;
}

// Writes one 4- or 8-bit index into a bottom-up row.
void PutIndex(uint8_t* row, unsigned bitCount, int64_t x, unsigned index) {
  if (bitCount == 8) {
    row[x] = static_cast<uint8_t>(index);
  } else if (x % 2 == 0) {
    row[x / 2] = static_cast<uint8_t>((row[x / 2] & 0x0F) | (index & 0x0F) << 4);
  } else {
    row[x / 2] = static_cast<uint8_t>((row[x / 2] & 0xF0) | (index & 0x0F));
  }
}

bool IsRle(const BmpLayout& layout) { return layout.compression == kBiRle8 || layout.compression == kBiRle4; }

uint64_t RowCount(const BmpLayout& layout) {
  return static_cast<uint64_t>(layout.height < 0 ? -layout.height : layout.height);
}

// Largest RLE data a picture can use: four bytes per stored byte and a row end per row. Data
// beyond it is never read, whether the picture comes from a file or from memory.
uint64_t MaxRleBytes(const BmpLayout& layout) { return 4 * layout.storeBytes + 2 * RowCount(layout) + 4096; }

// Expands RLE8 or RLE4 data into bottom-up rows. Pixels the data skips keep index 0; pixels
// outside the picture are dropped. Data that ends (or reaches the largest size a picture can
// use) before every row is reached fails.
bool DecodeRle(const uint8_t* data, size_t size, const BmpLayout& layout, uint8_t* bits, std::string& error) {
  ByteReader reader(data, static_cast<size_t>(std::min<uint64_t>(size, MaxRleBytes(layout))));
  const unsigned bitCount = layout.bitCount;
  const int64_t width = layout.width;
  const int64_t height = layout.height;
  int64_t x = 0, y = 0;
  auto put = [&](unsigned index) {
    if (x < width && y < height) PutIndex(bits + layout.stride * static_cast<uint64_t>(y), bitCount, x, index);
    if (x < width) ++x;
  };
  while (y < height) {
    uint8_t count = 0, value = 0;
    if (!reader.ReadU8(count) || !reader.ReadU8(value)) return Fail(error, kTruncated);
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i)
        put(bitCount == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F));
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      uint8_t dx = 0, dy = 0;
      if (!reader.ReadU8(dx) || !reader.ReadU8(dy)) return Fail(error, kTruncated);
      x = std::min<int64_t>(x + dx, width);
      y += dy;
    } else {
      const size_t bytes = bitCount == 8 ? value : (value + 1u) / 2;
      const uint8_t* run = nullptr;
      if (!reader.ReadSpan(bytes, run)) return Fail(error, kTruncated);
      for (unsigned i = 0; i < value; ++i)
        put(bitCount == 8 ? run[i] : (i % 2 == 0 ? run[i / 2] >> 4 : run[i / 2] & 0x0F));
      if (bytes % 2 == 1 && !reader.Skip(1)) return Fail(error, kTruncated);
    }
  }
  return true;
}

// Bytes of uncompressed pixel data a file must hold: every row, the last one maybe unpadded.
uint64_t NeededPixelBytes(const BmpLayout& layout) {
  const uint64_t lastRowBytes = (static_cast<uint64_t>(layout.width) * layout.bitCount + 7) / 8;
  return layout.stride * (RowCount(layout) - 1) + lastRowBytes;
}

// Copies uncompressed rows, turning top-down pictures bottom-up. The last row may lack its
// padding; anything shorter is a truncated file.
bool CopyRows(const uint8_t* pixels, size_t available, const BmpLayout& layout, uint8_t* bits, std::string& error) {
  const uint64_t rows = RowCount(layout);
  if (available < NeededPixelBytes(layout)) return Fail(error, kTruncated);
  for (uint64_t row = 0; row < rows; ++row) {
    const uint64_t from = row * layout.stride;
    const uint64_t count = std::min<uint64_t>(layout.stride, available - from);
    const uint64_t to = (layout.height < 0 ? rows - 1 - row : row) * layout.stride;
    std::memcpy(bits + to, pixels + from, count);
  }
  return true;
}

// Fills the header of a finished pixel store from the layout.
void FinishHeader(const BmpLayout& layout, DibBitmap& dib) {
  BitmapInfoHeader& h = dib.header;
  h.biWidth = static_cast<int32_t>(layout.width);
  h.biHeight = static_cast<int32_t>(layout.height < 0 ? -layout.height : layout.height);
  h.biBitCount = layout.bitCount;
  h.biCompression = layout.compression == kBiBitfields ? kBiBitfields : kBiRgb;
  h.biSizeImage = static_cast<uint32_t>(layout.storeBytes);
  h.biXPelsPerMeter = layout.xPelsPerMeter;
  h.biYPelsPerMeter = layout.yPelsPerMeter;
  h.biClrUsed = static_cast<uint32_t>(dib.colors.size());
  dib.masks = layout.bitCount == 16 || layout.bitCount == 32 ? layout.masks : std::array<uint32_t, 3>{};
}

// Turns rows read top-down into bottom-up order in place.
void FlipRows(const BmpLayout& layout, uint8_t* bits) {
  const uint64_t rows = RowCount(layout);
  for (uint64_t top = 0, bottom = rows - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(bits + top * layout.stride, bits + (top + 1) * layout.stride, bits + bottom * layout.stride);
}

// Builds the pixel store once the headers are read; pixelOffset is where the bits start.
bool DecodeBody(const uint8_t* data, size_t size, const BmpLayout& layout, size_t pixelOffset, DibBitmap& dib,
                std::string& error) {
  DibBitmap result;
  if (layout.bitCount <= 8 && !ReadColorTable(data, size, layout, result.colors, error)) return false;
  if (pixelOffset > size) return Fail(error, kTruncated);
  const uint8_t* pixels = data + pixelOffset;
  const size_t available = size - pixelOffset;
  if (!IsRle(layout) && layout.height > 0 && available >= layout.storeBytes) {
    // Complete bottom-up rows: one copy.
    result.bits.assign(pixels, pixels + layout.storeBytes);
    FinishHeader(layout, result);
    dib = std::move(result);
    return true;
  }
  result.bits.assign(static_cast<size_t>(layout.storeBytes), 0);
  if (IsRle(layout)) {
    if (!DecodeRle(pixels, available, layout, result.bits.data(), error)) return false;
  } else if (!CopyRows(pixels, available, layout, result.bits.data(), error)) {
    return false;
  }
  FinishHeader(layout, result);
  dib = std::move(result);
  return true;
}

bool ReadFileHeaders(ByteReader& reader, BmpLayout& layout, uint32_t& offBits, std::string& error) {
  uint8_t b = 0, m = 0;
  uint32_t fileSize = 0, reserved = 0;
  if (!reader.ReadU8(b) || !reader.ReadU8(m) || b != 'B' || m != 'M') return Fail(error, kNotBmp);
  if (!reader.ReadU32(fileSize) || !reader.ReadU32(reserved) || !reader.ReadU32(offBits))
    return Fail(error, kTruncated);
  return ReadDibHeaders(reader, layout, error);
}

// The bits start where the file header says, unless that points into the headers or past the
// end; then they follow the colour table.
size_t PixelOffset(const BmpLayout& layout, uint32_t offBits, size_t size) {
  if (offBits >= layout.colorTableStart && offBits < size) return offBits;
  return layout.colorTableEnd;
}

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

bool ReadBmp(const uint8_t* data, size_t size, DibBitmap& dib, std::string& error) {
  ByteReader reader(data, size);
  BmpLayout layout;
  uint32_t offBits = 0;
  if (!ReadFileHeaders(reader, layout, offBits, error)) return false;
  return DecodeBody(data, size, layout, PixelOffset(layout, offBits, size), dib, error);
}

bool ReadPackedDib(const uint8_t* data, size_t size, DibBitmap& dib, std::string& error) {
  ByteReader reader(data, size);
  BmpLayout layout;
  if (!ReadDibHeaders(reader, layout, error)) return false;
  return DecodeBody(data, size, layout, layout.colorTableEnd, dib, error);
}

bool AdoptPackedDib(std::vector<uint8_t>&& block, DibBitmap& dib, std::string& error) {
  ByteReader reader(block.data(), block.size());
  BmpLayout layout;
  if (!ReadDibHeaders(reader, layout, error)) return false;
  const size_t start = layout.colorTableEnd;
  if (IsRle(layout) || layout.height < 0 || start > block.size() || block.size() - start < layout.storeBytes)
    return DecodeBody(block.data(), block.size(), layout, start, dib, error);
  DibBitmap result;
  if (layout.bitCount <= 8 && !ReadColorTable(block.data(), block.size(), layout, result.colors, error)) return false;
  block.erase(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(start));
  block.resize(static_cast<size_t>(layout.storeBytes));
  result.bits = std::move(block);
  FinishHeader(layout, result);
  dib = std::move(result);
  return true;
}

bool ReadBmpFile(const std::string& path, DibBitmap& dib, std::string& error) {
  std::unique_ptr<FILE, FileCloser> owner(platform::OpenFile(path, "rb"));
  FILE* const file = owner.get();
  if (!file) return Fail(error, "Unable to open file");
  if (std::fseek(file, 0, SEEK_END) != 0) return Fail(error, kReadError);
  const long end = std::ftell(file);
  if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0) return Fail(error, kReadError);
  const size_t fileSize = static_cast<size_t>(end);

  // The headers first, so that an oversized picture is refused before its bits are read.
  uint8_t head[kFileHeaderSize + 124 + 12];
  const size_t headSize = std::fread(head, 1, std::min(sizeof head, fileSize), file);
  ByteReader reader(head, headSize);
  BmpLayout layout;
  uint32_t offBits = 0;
  if (!ReadFileHeaders(reader, layout, offBits, error)) return false;
  const size_t pixelOffset = PixelOffset(layout, offBits, fileSize);
  if (pixelOffset > fileSize) return Fail(error, kTruncated);

  // Everything before the bits (and the colour table, should the bits start inside it).
  const size_t prefixSize = std::min(layout.bitCount <= 8 ? std::max(pixelOffset, layout.colorTableEnd) : pixelOffset,
                                     fileSize);
  std::vector<uint8_t> prefix(prefixSize);
  if (std::fseek(file, 0, SEEK_SET) != 0 || std::fread(prefix.data(), 1, prefixSize, file) != prefixSize)
    return Fail(error, kReadError);
  DibBitmap result;
  if (layout.bitCount <= 8 && !ReadColorTable(prefix.data(), prefix.size(), layout, result.colors, error)) return false;

  // The bits go straight from the file into the store.
  const size_t available = fileSize - pixelOffset;
  if (std::fseek(file, static_cast<long>(pixelOffset), SEEK_SET) != 0) return Fail(error, kReadError);
  if (IsRle(layout)) {
    std::vector<uint8_t> rle(static_cast<size_t>(std::min<uint64_t>(available, MaxRleBytes(layout))));
    if (std::fread(rle.data(), 1, rle.size(), file) != rle.size()) return Fail(error, kReadError);
    result.bits.assign(static_cast<size_t>(layout.storeBytes), 0);
    if (!DecodeRle(rle.data(), rle.size(), layout, result.bits.data(), error)) return false;
  } else {
    if (available < NeededPixelBytes(layout)) return Fail(error, kTruncated);
    result.bits.resize(static_cast<size_t>(layout.storeBytes));
    const size_t count = static_cast<size_t>(std::min<uint64_t>(layout.storeBytes, available));
    if (std::fread(result.bits.data(), 1, count, file) != count) return Fail(error, kReadError);
    if (layout.height < 0) FlipRows(layout, result.bits.data());
  }
  FinishHeader(layout, result);
  dib = std::move(result);
  return true;
}
