#include "audio/SoundWav.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

using namespace platform;

namespace {

constexpr FOURCC kWaveForm = MakeFourCC('W', 'A', 'V', 'E');
constexpr FOURCC kFormatChunk = MakeFourCC('f', 'm', 't', ' ');
constexpr FOURCC kDataChunk = MakeFourCC('d', 'a', 't', 'a');

constexpr const char* kLoading = "Loading";
constexpr const char* kClosing = "Closing";
constexpr const char* kSeeking = "Seeking sound beginning";

}  // namespace

CSoundWav::~CSoundWav() { Close(); }

void CSoundWav::RecordError(int code, const char* reason) {
  m_errorCode = code;
  m_errorText = std::string(m_operation) + " " + m_path + ": " + reason;
}

void CSoundWav::RecordMmioError(uint32_t code) {
  RecordError(static_cast<int>(code), MmioErrorText(code));
}

// Every failure after the open leaves no file open.
bool CSoundWav::FailLoad() {
  m_format.reset();
  m_file.Close();
  return false;
}

bool CSoundWav::Load(const char* path) {
  Close();
  m_loaded = false;
  if (!path) return false;
  m_path = path;
  m_operation = kLoading;

  MMIOINFO request;
  request.pIOProc = StdioIoProc;
  if (!m_file.Open(m_path, &request, MMIO_READ | MMIO_DENYWRITE)) {
    RecordMmioError(request.wErrorRet);
    return false;
  }

  MMCKINFO riffChunk;
  riffChunk.fccType = kWaveForm;
  if (uint32_t result = m_file.Descend(riffChunk, nullptr, MMIO_FINDRIFF)) {
    RecordMmioError(result);
    return FailLoad();
  }
  MMCKINFO formatChunk;
  formatChunk.ckid = kFormatChunk;
  if (uint32_t result = m_file.Descend(formatChunk, &riffChunk, MMIO_FINDCHUNK)) {
    RecordMmioError(result);
    return FailLoad();
  }
  if (!ReadFormat(formatChunk)) return FailLoad();
  m_file.Ascend(formatChunk, 0);

  MMCKINFO dataChunk;
  dataChunk.ckid = kDataChunk;
  if (uint32_t result = m_file.Descend(dataChunk, &riffChunk, MMIO_FINDCHUNK)) {
    RecordMmioError(result);
    return FailLoad();
  }
  m_dataSize = dataChunk.cksize;
  m_dataOffset = dataChunk.dwDataOffset;
  m_loaded = true;
  return true;
}

// Reads the "fmt " chunk's contents into a block of its declared size (at least the 18 bytes of
// the format record, zero padded). A chunk that claims more than the file holds is a short read.
bool CSoundWav::ReadFormat(MMCKINFO& formatChunk) {
  uint32_t size = formatChunk.cksize;
  long fileSize = m_file.GetSize();
  if (fileSize < 0) return false;
  uint64_t available = static_cast<uint64_t>(fileSize) > formatChunk.dwDataOffset
                           ? static_cast<uint64_t>(fileSize) - formatChunk.dwDataOffset
                           : 0;
  if (size > available) return false;

  size_t records = (std::max<size_t>(size, sizeof(WAVEFORMATEX)) + sizeof(WAVEFORMATEX) - 1) /
                   sizeof(WAVEFORMATEX);
  m_format.reset(new (std::nothrow) WAVEFORMATEX[records]());
  if (!m_format) {
    RecordError(kErrorOutOfMemory, "Out of memory.");
    return false;
  }
  long got = m_file.Read(m_format.get(), static_cast<long>(size));
  if (got != static_cast<long>(size)) {
    if (got == -1) RecordError(kErrorInvalidFormat, "Invalid wave format.");
    return false;
  }
  m_formatSize = size;
  // Only PCM and extensible formats say their sample width in the usual place.
  WAVEFORMATEX& format = m_format[0];
  if (format.wFormatTag != WAVE_FORMAT_PCM && format.wFormatTag != WAVE_FORMAT_EXTENSIBLE)
    format.wBitsPerSample = 0;
  return true;
}

bool CSoundWav::Close() {
  if (!m_loaded) return false;
  m_operation = kClosing;
  m_file.Close();
  m_format.reset();
  m_loaded = false;
  return true;
}

const WAVEFORMATEX* CSoundWav::GetFormat(int) { return m_loaded ? m_format.get() : nullptr; }

void CSoundWav::Rewind() {
  if (!m_loaded) return;
  m_operation = kSeeking;
  m_file.Seek(static_cast<long>(m_dataOffset), SEEK_SET);
}

uint32_t CSoundWav::Fill(CWavePlayer* engine, uint8_t* buffer, uint32_t capacity) {
  if (!engine || !m_loaded) return 0;
  long position = m_file.Seek(0, SEEK_CUR);
  if (position < 0) return 0;
  uint64_t end = static_cast<uint64_t>(m_dataOffset) + m_dataSize;
  uint64_t left = end > static_cast<uint64_t>(position) ? end - static_cast<uint64_t>(position) : 0;
  uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(capacity, left));
  if (count == 0) return 0;
  long got = m_file.Read(buffer, static_cast<long>(count));
  return got < 0 ? 0 : static_cast<uint32_t>(got);
}

bool IsWaveFile(const char* path) {
  if (!path) return false;
  MmioFile file;
  MMIOINFO request;
  if (!file.Open(path, &request, MMIO_READ | MMIO_DENYWRITE)) return false;
  MMCKINFO riffChunk;
  riffChunk.fccType = kWaveForm;
  bool found = file.Descend(riffChunk, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR;
  file.Close();
  return found;
}
