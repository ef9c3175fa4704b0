#pragma once
// Converter of a PNG file into a packed DIB (40-byte header, colour table, bottom-up bits) in
// one zero-filled block, built on libpng. With the file's background on, transparent pictures
// are composited on the background the file names; otherwise alpha is dropped. Samples become
// 8 bits; 2-bit pictures are widened to 4 bits; gamma is corrected for the screen.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "picture/DibBitmap.h"

struct png_struct_def;

class CPngToDib {
 public:
  // Result codes of Run.
  static constexpr int kSuccess = 0;
  static constexpr int kUnknownError = 1;
  static constexpr int kOutOfMemory = 3;
  static constexpr int kLibpngError = 5;
  static constexpr int kInvalidImage = 7;
  static constexpr int kReadError = 8;

  // Size of the error-message buffer, terminator included.
  static constexpr size_t kErrorSize = 200;

  CPngToDib() = default;
  CPngToDib(const CPngToDib&) = delete;
  CPngToDib& operator=(const CPngToDib&) = delete;

  // Settings.
  void SetInputFile(const std::string& path) { m_inputFile = path; }
  // Reads the PNG from memory instead of a file; the bytes must outlive Run.
  void SetInputData(const uint8_t* data, size_t size) {
    m_inputData = data;
    m_inputSize = size;
  }
  void SetUseFileBackground(bool use) { m_useFileBackground = use; }
  void SetGammaCorrection(bool correct, double screenGamma) {
    m_gammaCorrection = correct;
    m_screenGamma = screenGamma;
  }

  // Converts the input; returns one of the result codes. On failure GetErrorText says why.
  int Run();
  const char* GetErrorText() const { return m_error; }

  // Results of a successful run. The block stays with the converter until TakeDib.
  const uint8_t* GetDib() const { return m_block.empty() ? nullptr : m_block.data(); }
  size_t GetDibSize() const { return m_dibSize; }
  const RgbQuad* GetColorTable() const { return m_colorTable; }
  size_t GetColorTableSize() const { return m_colorCount; }
  const uint8_t* GetBits() const { return m_bits; }
  // Hands the DIB block to the caller.
  std::vector<uint8_t> TakeDib();

  // Converts an 8-bit value v for the display: no change when |p − 1| ≤ 0.05 with
  // p = screen gamma × file gamma, else (v / 255)^(1/p) × 255 + 0.5, truncated.
  static uint8_t CorrectGamma(uint8_t value, double screenGamma, double fileGamma);

 private:
  struct ReadState;
  struct MemoryInput {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;
  };

  int ReadWithLibpng(ReadState& state);
  int DecodeImage(ReadState& state);
  int FillDib(ReadState& state);
  void Release(ReadState& state, bool succeeded);
  void SetError(const char* text);
  void ClearResults();

  static void OnLibpngError(png_struct_def* png, const char* message);
  static void OnLibpngWarning(png_struct_def* png, const char* message);
  static void ReadFromMemory(png_struct_def* png, unsigned char* data, size_t length);

  std::string m_inputFile;
  const uint8_t* m_inputData = nullptr;
  size_t m_inputSize = 0;
  MemoryInput m_memory;
  bool m_useFileBackground = false;
  bool m_gammaCorrection = false;
  double m_screenGamma = 2.2;

  char m_error[kErrorSize] = {};

  bool AllocateBlock(size_t size);

  std::vector<uint8_t> m_block;
  size_t m_dibSize = 0;
  const RgbQuad* m_colorTable = nullptr;
  const uint8_t* m_bits = nullptr;
  size_t m_colorCount = 0;
};
