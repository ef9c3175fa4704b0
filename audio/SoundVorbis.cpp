#include "audio/SoundVorbis.h"

#include <sys/types.h>

#include <cerrno>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "audio/WavePlayer.h"
#include "platform/FileSystem.h"
#include "platform/SystemError.h"

namespace {

constexpr const char* kLoading = "Loading";
constexpr const char* kClosing = "Closing";
constexpr size_t kMaxSystemTextLength = 127;

// The stream callbacks: a stdio stream; each does nothing when the stream is null.
size_t ReadStream(void* buffer, size_t size, size_t count, void* stream) {
  if (!stream) return 0;
  return std::fread(buffer, size, count, static_cast<FILE*>(stream));
}

int SeekStream(void* stream, ogg_int64_t offset, int origin) {
  if (!stream) return 0;
  return ::fseeko(static_cast<FILE*>(stream), static_cast<off_t>(offset), origin);
}

int CloseStream(void* stream) {
  if (!stream) return 0;
  return std::fclose(static_cast<FILE*>(stream));
}

long TellStream(void* stream) {
  if (!stream) return 0;
  return static_cast<long>(::ftello(static_cast<FILE*>(stream)));
}

const ov_callbacks kStreamCallbacks = {ReadStream, SeekStream, CloseStream, TellStream};

const char* DecoderErrorText(int result) {
  switch (result) {
    case OV_EREAD: return "A read from media returned an error.";
    case OV_EFAULT: return "Internal logic fault; indicates a bug or heap/stack corruption.";
    case OV_ENOTVORBIS: return "Bitstream is not Vorbis data.";
    case OV_EBADHEADER: return "Invalid Vorbis bitstream header.";
    case OV_EVERSION: return "Vorbis version mismatch.";
    default: return nullptr;
  }
}

// Tests the stream into decoder; on failure releases the decoder and closes the stream unless
// the decoder has taken it over. With open set, completes the open after a good test.
int OpenDecoder(FILE* stream, OggVorbis_File& decoder, bool open) {
  int result = ov_test_callbacks(stream, &decoder, nullptr, 0, kStreamCallbacks);
  if (result >= 0 && open) result = ov_test_open(&decoder);
  if (result < 0) {
    bool decoderHasStream = decoder.datasource != nullptr;
    ov_clear(&decoder);
    if (!decoderHasStream) std::fclose(stream);
  }
  return result;
}

}  // namespace

CSoundVorbis::~CSoundVorbis() { Close(); }

void CSoundVorbis::RecordText(const std::string& reason) {
  m_errorText = std::string(m_operation) + " " + m_path + ": " + reason;
}

// Decoder failures record their text only; the code stays.
void CSoundVorbis::RecordDecoderError(int result) {
  if (const char* text = DecoderErrorText(result)) RecordText(text);
}

bool CSoundVorbis::Load(const char* path) {
  Close();
  m_loaded = false;
  if (!path) return false;
  m_path = path;
  m_operation = kLoading;

  FILE* stream = platform::OpenFile(m_path, "rb");
  if (!stream) {
    int error = errno;
    m_errorCode = error;
    RecordText(platform::SystemErrorText(error).substr(0, kMaxSystemTextLength));
    return false;
  }
  int result = OpenDecoder(stream, m_decoder, true);
  if (result < 0) {
    RecordDecoderError(result);
    return false;
  }
  m_loaded = true;
  m_undecodable = false;
  m_atForeignLink = false;
  return true;
}

bool CSoundVorbis::Close() {
  if (!m_loaded) return false;
  m_operation = kClosing;
  ov_clear(&m_decoder);  // closes the stream through the close callback
  m_loaded = false;
  m_undecodable = false;
  m_info = nullptr;
  m_infoStream = -1;
  return true;
}

vorbis_info* CSoundVorbis::GetStreamInfo(int stream) {
  if (!m_loaded) return nullptr;
  if (stream != m_infoStream) {
    vorbis_info* info = ov_info(&m_decoder, stream);
    if (!info) return nullptr;
    m_info = info;
    m_infoStream = stream;
  }
  return m_info;
}

const WAVEFORMATEX* CSoundVorbis::GetFormat(int bitsPerSample) {
  const vorbis_info* info = GetStreamInfo(0);
  m_format.wFormatTag = WAVE_FORMAT_PCM;
  m_format.nChannels = info ? static_cast<uint16_t>(info->channels) : 0;
  m_format.nSamplesPerSec = info ? static_cast<uint32_t>(info->rate) : 0;
  m_format.wBitsPerSample = static_cast<uint16_t>(bitsPerSample);
  m_format.nBlockAlign = static_cast<uint16_t>(m_format.nChannels * bitsPerSample / 8);
  m_format.nAvgBytesPerSec = m_format.nSamplesPerSec * m_format.nBlockAlign;
  m_format.cbSize = 0;
  return &m_format;
}

void CSoundVorbis::Rewind() {
  if (!m_loaded) return;
  ov_raw_seek(&m_decoder, 0);
  m_atForeignLink = false;
}

uint32_t CSoundVorbis::Fill(CWavePlayer* engine, uint8_t* buffer, uint32_t capacity) {
  if (!engine || !m_loaded || m_undecodable || m_atForeignLink) return 0;
  int width = engine->GetBytesPerSample();
  if (width != 1 && width != 2) return 0;  // the engine is open for no format this can decode
  int isSigned = width == 2 ? 1 : 0;
  uint32_t filled = 0;
  while (filled < capacity) {
    int room = static_cast<int>(std::min<uint32_t>(capacity - filled, INT_MAX));
    int section = 0;
    long got = ov_read(&m_decoder, reinterpret_cast<char*>(buffer) + filled, room, 0, width,
                       isSigned, &section);
    if (got == OV_EBADLINK) m_undecodable = true;
    if (got <= 0) break;  // the end of the stream, or a decoding error or hole
    if (!HasOpenedFormat(section)) {
      // The engine plays the first stream's format to the end of the sound: a chained stream of
      // another rate or channel count would play as noise, so the sound ends before it.
      m_atForeignLink = true;
      break;
    }
    filled += static_cast<uint32_t>(got);
  }
  return filled;
}

bool CSoundVorbis::HasOpenedFormat(int stream) {
  const vorbis_info* opened = ov_info(&m_decoder, 0);
  const vorbis_info* current = ov_info(&m_decoder, stream);
  return opened && current && opened->channels == current->channels &&
         opened->rate == current->rate;
}

bool IsVorbisFile(const char* path) {
  if (!path) return false;
  FILE* stream = platform::OpenFile(path, "rb");
  if (!stream) return false;
  OggVorbis_File decoder{};
  int result = OpenDecoder(stream, decoder, false);
  if (result >= 0) ov_clear(&decoder);  // closes the stream
  return result >= 0;
}
