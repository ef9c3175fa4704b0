#include "picture/PngToDib.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/FileSystem.h"

// Everything one run holds while libpng may jump out of it: plain values only, so that a jump
// back to the run skips no destructor (the DIB block itself is a member of the converter).
// Release frees what is set.
struct CPngToDib::ReadState {
  png_structp png = nullptr;
  png_infop info = nullptr;
  FILE* file = nullptr;
  png_bytepp rows = nullptr;
  uint8_t* dib = nullptr;  // the converter's block
  uint8_t* widenBuffer = nullptr;
  size_t dibSize = 0;

  // What the header and the chunks say.
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colorType = 0;
  bool knownBackground = false;
  uint8_t background[3] = {0, 0, 0};  // red, green, blue, 8 bits
  int transparentGrey = -1;
  bool converterCorrects = false;
  double fileGamma = 0.45455;
  bool hasDensity = false;
  png_uint_32 xDensity = 0;
  png_uint_32 yDensity = 0;
  int densityUnit = 0;

  // The DIB being built.
  int outBitDepth = 0;
  unsigned bitCount = 0;
  size_t paletteSize = 0;
  uint64_t stride = 0;
};

namespace {

const char* ResultText(int code) {
  switch (code) {
    case CPngToDib::kSuccess:
      return "success";
    case CPngToDib::kOutOfMemory:
      return "Unable to allocate memory";
    case CPngToDib::kLibpngError:
      return "libpng reported an error";
    case CPngToDib::kInvalidImage:
      return "Invalid PNG image";
    case CPngToDib::kReadError:
      return "Unable to read file";
    default:
      return "Unknown error";
  }
}

constexpr double kDefaultFileGamma = 0.45455;

void PutLe16(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

void PutLe32(uint8_t* p, uint32_t value) {
  PutLe16(p, value);
  PutLe16(p + 2, value >> 16);
}

// The fewest bits per pixel the picture can come out with, known from its header alone: libpng
// sizes its row buffers when the transformations are set, so a picture that cannot fit is refused
// before that.
unsigned SmallestBitCount(int colorType, int bitDepth) {
  if (colorType == PNG_COLOR_TYPE_PALETTE) return static_cast<unsigned>(bitDepth);
  if (colorType & PNG_COLOR_MASK_COLOR) return 24;
  if (colorType & PNG_COLOR_MASK_ALPHA) return 8;
  return bitDepth > 8 ? 8 : static_cast<unsigned>(bitDepth);
}

bool FitsTheLimit(uint64_t width, uint64_t height, unsigned bitCount) {
  const uint64_t stride = DibStride(width, bitCount);
  return stride != 0 && stride * height <= kMaxPixelBytes;
}

// libpng allocates and clears the bytes a chunk declares before it reads them, so a tiny file
// that declares a chunk of gigabytes would cost that much. A picture within the pixel limit
// needs no larger block, so larger ones are refused (libpng then skips or fails the chunk).
png_voidp AllocateWithinLimit(png_structp, png_alloc_size_t size) {
  return size <= kMaxPixelBytes ? std::malloc(size) : nullptr;
}

void FreeBlock(png_structp, png_voidp block) { std::free(block); }

}  // namespace

uint8_t CPngToDib::CorrectGamma(uint8_t value, double screenGamma, double fileGamma) {
  const double p = screenGamma * fileGamma;
  if (std::fabs(p - 1.0) <= 0.05 || p <= 0.0) return value;
  return static_cast<uint8_t>(std::pow(value / 255.0, 1.0 / p) * 255.0 + 0.5);
}

void CPngToDib::OnLibpngError(png_structp png, png_const_charp message) {
  auto* self = static_cast<CPngToDib*>(png_get_error_ptr(png));
  std::snprintf(self->m_error, sizeof self->m_error, "[libpng] %.99s", message ? message : "");
  png_longjmp(png, 1);
}

void CPngToDib::OnLibpngWarning(png_structp, png_const_charp) {}

void CPngToDib::ReadFromMemory(png_structp png, png_bytep data, size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (length > input->size - input->position) png_error(png, "Read Error");
  std::memcpy(data, input->data + input->position, length);
  input->position += length;
}

void CPngToDib::SetError(const char* text) { std::snprintf(m_error, sizeof m_error, "%s", text); }

void CPngToDib::ClearResults() {
  std::vector<uint8_t>().swap(m_block);
  m_dibSize = 0;
  m_colorTable = nullptr;
  m_bits = nullptr;
  m_colorCount = 0;
}

std::vector<uint8_t> CPngToDib::TakeDib() {
  std::vector<uint8_t> dib = std::move(m_block);
  ClearResults();
  return dib;
}

bool CPngToDib::AllocateBlock(size_t size) {
  try {
    m_block.assign(size, 0);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

int CPngToDib::Run() {
  m_error[0] = '\0';
  ClearResults();
  if (m_inputFile.empty() && !m_inputData) {
    SetError("Input filename not set");
    return kUnknownError;
  }
  ReadState state;
  int code = ReadWithLibpng(state);
  Release(state, code == kSuccess);
  if (code != kSuccess && m_error[0] == '\0') SetError(ResultText(code));
  return code;
}

void CPngToDib::Release(ReadState& state, bool succeeded) {
  delete[] state.rows;
  delete[] state.widenBuffer;
  if (state.png) png_destroy_read_struct(&state.png, state.info ? &state.info : nullptr, nullptr);
  if (state.file) std::fclose(state.file);
  if (succeeded) {
    m_dibSize = state.dibSize;
    m_colorTable = reinterpret_cast<const RgbQuad*>(state.dib + 40);
    m_colorCount = state.paletteSize;
    m_bits = state.dib + 40 + state.paletteSize * 4;
  } else {
    std::vector<uint8_t>().swap(m_block);
  }
  state = ReadState();
}

// Steps that need libpng's jump buffer. No object with a destructor lives in this frame.
int CPngToDib::ReadWithLibpng(ReadState& state) {
  state.png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, this, OnLibpngError, OnLibpngWarning, nullptr,
                                       AllocateWithinLimit, FreeBlock);
  if (!state.png) return kOutOfMemory;
  state.info = png_create_info_struct(state.png);
  if (!state.info) return kOutOfMemory;

  if (m_inputData) {
    m_memory = MemoryInput{m_inputData, m_inputSize, 0};
  } else {
    state.file = platform::OpenFile(m_inputFile, "rb");
    if (!state.file) return kReadError;
  }
  if (setjmp(png_jmpbuf(state.png))) return kLibpngError;
  if (state.file)
    png_init_io(state.png, state.file);
  else
    png_set_read_fn(state.png, &m_memory, ReadFromMemory);
  return DecodeImage(state);
}

int CPngToDib::DecodeImage(ReadState& state) {
  png_structp png = state.png;
  png_infop info = state.info;
  png_read_info(png, info);
  int interlace = 0;
  png_get_IHDR(png, info, &state.width, &state.height, &state.bitDepth, &state.colorType, &interlace, nullptr,
               nullptr);
  const bool isColor = (state.colorType & PNG_COLOR_MASK_COLOR) != 0;
  const bool hasAlpha = (state.colorType & PNG_COLOR_MASK_ALPHA) != 0;
  const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (!FitsTheLimit(state.width, state.height, SmallestBitCount(state.colorType, state.bitDepth))) {
    SetError("The picture is too large");
    return kOutOfMemory;
  }

  // The file's background as 8-bit red, green and blue.
  png_color_16p fileBackground = nullptr;
  state.knownBackground = m_useFileBackground && png_get_bKGD(png, info, &fileBackground) && fileBackground;
  if (state.knownBackground) {
    if (state.bitDepth == 16) {
      state.background[0] = static_cast<uint8_t>(fileBackground->red >> 8);
      state.background[1] = static_cast<uint8_t>(fileBackground->green >> 8);
      state.background[2] = static_cast<uint8_t>(fileBackground->blue >> 8);
    } else if (isColor || state.bitDepth == 8) {
      state.background[0] = static_cast<uint8_t>(fileBackground->red & 0xFF);
      state.background[1] = static_cast<uint8_t>(fileBackground->green & 0xFF);
      state.background[2] = static_cast<uint8_t>(fileBackground->blue & 0xFF);
    } else {
      const unsigned grey = fileBackground->gray * 255u / ((1u << state.bitDepth) - 1);
      state.background[0] = state.background[1] = state.background[2] = static_cast<uint8_t>(grey);
    }
  }

  if (hasAlpha || hasTrns) {
    if (state.knownBackground && (state.bitDepth == 16 || isColor || hasAlpha)) {
      png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    } else if (state.knownBackground && !isColor && state.bitDepth <= 8 && hasTrns) {
      png_bytep alphas = nullptr;
      int count = 0;
      png_color_16p transparent = nullptr;
      if (png_get_tRNS(png, info, &alphas, &count, &transparent) && count >= 1 && transparent)
        state.transparentGrey = transparent->gray;
    }
  }
  if (hasAlpha && !state.knownBackground) png_set_strip_alpha(png);
  if (state.bitDepth == 16) png_set_strip_16(png);

  double gamma = 0.0;
  if (png_get_valid(png, info, PNG_INFO_sRGB))
    state.fileGamma = kDefaultFileGamma;
  else if (png_get_gAMA(png, info, &gamma))
    state.fileGamma = gamma;
  else
    state.fileGamma = kDefaultFileGamma;

  if (m_gammaCorrection) {
    if (isColor || state.bitDepth == 16 || hasAlpha)
      png_set_gamma(png, m_screenGamma, state.fileGamma);
    else
      state.converterCorrects = true;
    if (state.knownBackground)
      for (uint8_t& component : state.background)
        component = CorrectGamma(component, m_screenGamma, state.fileGamma);
  }

  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return FillDib(state);
}

int CPngToDib::FillDib(ReadState& state) {
  png_structp png = state.png;
  png_infop info = state.info;
  state.outBitDepth = png_get_bit_depth(png, info);
  png_colorp palette = nullptr;
  int paletteEntries = 0;
  switch (png_get_color_type(png, info)) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      if (state.outBitDepth > 8) return kInvalidImage;
      state.bitCount = static_cast<unsigned>(state.outBitDepth);
      state.paletteSize = size_t{1} << state.bitCount;
      break;
    case PNG_COLOR_TYPE_RGB:
      state.bitCount = 24;
      break;
    case PNG_COLOR_TYPE_PALETTE:
      if (!png_get_PLTE(png, info, &palette, &paletteEntries) || paletteEntries < 0) return kInvalidImage;
      state.bitCount = static_cast<unsigned>(state.outBitDepth);
      state.paletteSize = static_cast<size_t>(paletteEntries);
      break;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      state.bitCount = 32;
      break;
    default:
      return kInvalidImage;
  }
  if (state.bitCount == 2) state.bitCount = 4;

  png_uint_32 xDensity = 0, yDensity = 0;
  int unit = 0;
  if (png_get_pHYs(png, info, &xDensity, &yDensity, &unit) && xDensity != 0 && yDensity != 0) {
    state.hasDensity = true;
    state.xDensity = xDensity;
    state.yDensity = yDensity;
    state.densityUnit = unit;
  }

  state.stride = DibStride(state.width, state.bitCount);
  const uint64_t imageSize = state.stride * state.height;
  if (state.stride == 0 || imageSize > kMaxPixelBytes) {
    SetError("The picture is too large");
    return kOutOfMemory;
  }
  // Each row libpng writes must fit in its DIB row.
  if (png_get_rowbytes(png, info) > state.stride) return kInvalidImage;
  state.dibSize = static_cast<size_t>(40 + state.paletteSize * 4 + imageSize);
  if (!AllocateBlock(state.dibSize)) return kOutOfMemory;
  state.dib = m_block.data();
  state.rows = new (std::nothrow) png_bytep[state.height];
  if (!state.dib || !state.rows) return kOutOfMemory;

  uint8_t* table = state.dib + 40;
  uint8_t* bits = table + state.paletteSize * 4;
  if (palette) {
    for (size_t i = 0; i < state.paletteSize; ++i) {
      table[i * 4 + 0] = palette[i].blue;
      table[i * 4 + 1] = palette[i].green;
      table[i * 4 + 2] = palette[i].red;
    }
  } else if (state.paletteSize > 0) {
    for (size_t i = 0; i < state.paletteSize; ++i) {
      uint8_t value = static_cast<uint8_t>(i * 255 / (state.paletteSize - 1));
      if (state.converterCorrects) value = CorrectGamma(value, m_screenGamma, state.fileGamma);
      table[i * 4 + 0] = table[i * 4 + 1] = table[i * 4 + 2] = value;
    }
    if (state.transparentGrey >= 0 && static_cast<size_t>(state.transparentGrey) < state.paletteSize) {
      uint8_t* entry = table + state.transparentGrey * 4;
      entry[0] = state.background[2];
      entry[1] = state.background[1];
      entry[2] = state.background[0];
    }
  }

  for (png_uint_32 i = 0; i < state.height; ++i) state.rows[i] = bits + state.stride * (state.height - 1 - i);
  png_read_image(png, state.rows);

  if (state.outBitDepth == 2) {
    const size_t packed = (state.width + 3) / 4;
    state.widenBuffer = new (std::nothrow) uint8_t[packed];
    if (!state.widenBuffer) return kOutOfMemory;
    for (png_uint_32 i = 0; i < state.height; ++i) {
      uint8_t* row = state.rows[i];
      std::memcpy(state.widenBuffer, row, packed);
      std::memset(row, 0, (state.width + 1) / 2);
      for (png_uint_32 x = 0; x < state.width; ++x) {
        const unsigned value = (state.widenBuffer[x / 4] >> ((3 - x % 4) * 2)) & 3u;
        row[x / 2] = static_cast<uint8_t>(row[x / 2] | (x % 2 == 0 ? value << 4 : value));
      }
    }
  }
  png_read_end(png, nullptr);

  uint8_t* header = state.dib;
  PutLe32(header + 0, 40);
  PutLe32(header + 4, state.width);
  PutLe32(header + 8, state.height);
  PutLe16(header + 12, 1);
  PutLe16(header + 14, state.bitCount);
  PutLe32(header + 16, kBiRgb);
  PutLe32(header + 20, static_cast<uint32_t>(imageSize));
  if (state.hasDensity && state.densityUnit == PNG_RESOLUTION_METER) {
    PutLe32(header + 24, state.xDensity);
    PutLe32(header + 28, state.yDensity);
  }
  PutLe32(header + 32, static_cast<uint32_t>(state.paletteSize));
  PutLe32(header + 36, 0);
  return kSuccess;
}
