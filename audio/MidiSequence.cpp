#include "audio/MidiSequence.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>
#include <queue>
#include <sys/stat.h>

#include "audio/Exception.h"
#include "platform/FileSystem.h"
#include "platform/SystemError.h"

namespace {

constexpr uint32_t FourCC(const char (&text)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(text[0])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(text[3]));
}

constexpr uint32_t kHeaderChunk = FourCC("MThd");
constexpr uint32_t kTrackChunk = FourCC("MTrk");
constexpr uint32_t kStreamBufferSlack = 1024;
constexpr uint32_t kMaxParameterCount = 0x00FFFFFF;  // the event field's 24 bits
// Larger files are refused before anything is allocated for them: the events of a file take
// several times its size in memory. Pictures have the same limit.
constexpr uint64_t kMaxFileBytes = 64u * 1024u * 1024u;

constexpr uint8_t kMetaEvent = 0xFF;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint8_t kMetaEndOfTrack = 0x2F;
constexpr uint8_t kSysEx = 0xF0;
constexpr uint8_t kSysExEscape = 0xF7;

uint32_t RoundUp4(uint32_t size) { return (size + 3) & ~3u; }

void PutLE32(uint8_t* out, uint32_t value) {
  out[0] = static_cast<uint8_t>(value);
  out[1] = static_cast<uint8_t>(value >> 8);
  out[2] = static_cast<uint8_t>(value >> 16);
  out[3] = static_cast<uint8_t>(value >> 24);
}

uint32_t GetLE32(const uint8_t* in) {
  return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
         static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

// The size of the record at record, from its own bytes: a long record is its header plus its
// parameter count, padded to a multiple of 4. (The count is used for meta events too, so that
// meta events longer than 255 bytes keep their true size.)
uint32_t RecordSize(const uint8_t* record) {
  uint32_t event = GetLE32(record + 8);
  if (!(MidiEventType(event) & MEVT_F_LONG)) return kMidiEventHeaderSize;
  return RoundUp4(kMidiEventHeaderSize + MidiEventParameter(event));
}

bool IsEndOfTrack(const uint8_t* record, uint32_t size) {
  uint32_t event = GetLE32(record + 8);
  return (MidiEventType(event) & MEVT_F_LONG) && size >= kMidiEventHeaderSize + 2 &&
         record[12] == kMetaEvent && record[13] == kMetaEndOfTrack;
}

void AppendShort(std::vector<uint8_t>& events, uint32_t delta, uint32_t type, uint32_t data) {
  size_t at = events.size();
  events.resize(at + kMidiEventHeaderSize);
  PutLE32(&events[at], delta);
  PutLE32(&events[at + 4], 0);
  PutLE32(&events[at + 8], MakeMidiEvent(type, data));
}

// A long record: lead bytes (status and the like), then body bytes, zero padded.
void AppendLong(std::vector<uint8_t>& events, uint32_t delta, uint32_t type,
                const std::vector<uint8_t>& lead, const uint8_t* body, uint32_t bodySize) {
  uint32_t count = static_cast<uint32_t>(lead.size()) + bodySize;
  size_t at = events.size();
  events.resize(at + RoundUp4(kMidiEventHeaderSize + count), 0);
  PutLE32(&events[at], delta);
  PutLE32(&events[at + 4], 0);
  PutLE32(&events[at + 8], MakeMidiEvent(type, count));
  std::copy(lead.begin(), lead.end(), events.begin() + static_cast<std::ptrdiff_t>(at + 12));
  if (bodySize) std::memcpy(&events[at + 12 + lead.size()], body, bodySize);
}

std::string SystemFailureText(int error, const char* what, const std::string& path) {
  return "Error (" + std::to_string(error) + ")! " + what + " \"" + path +
         "\": " + platform::SystemErrorText(error);
}

}  // namespace

// ---- byte reading -------------------------------------------------------------------------

void CMidiSequence::FailAtEnd() {
  throw Exception("Unexpected EOF at index " + std::to_string(m_readPos));
}

bool CMidiSequence::ReadByte(uint8_t& value) {
  if (m_readPos >= m_imageSize) return false;
  value = m_image[m_readPos++];
  return true;
}

uint8_t CMidiSequence::ReadByteOrFail() {
  uint8_t value = 0;
  if (!ReadByte(value)) FailAtEnd();
  return value;
}

uint16_t CMidiSequence::Read16() {
  uint16_t high = ReadByteOrFail();
  return static_cast<uint16_t>(high << 8 | ReadByteOrFail());
}

uint32_t CMidiSequence::ReadVariableLength() {
  uint8_t byte = ReadByteOrFail();
  uint32_t value = byte & 0x7F;
  while (byte & 0x80) {
    byte = ReadByteOrFail();
    value = (value << 7) + (byte & 0x7F);
  }
  return value;
}

// count bytes at the read position; fails where byte-by-byte reading would, at the image's end.
const uint8_t* CMidiSequence::ReadBytes(uint32_t count) {
  if (count > m_imageSize - m_readPos) {
    m_readPos = m_imageSize;
    FailAtEnd();
  }
  const uint8_t* bytes = m_image.data() + m_readPos;
  m_readPos += count;
  return bytes;
}

bool CMidiSequence::ReadChunkHeader(uint32_t& type, uint32_t& length) {
  if (m_imageSize - m_readPos < 8) return false;
  const uint8_t* header = &m_image[m_readPos];
  type = static_cast<uint32_t>(header[0]) << 24 | static_cast<uint32_t>(header[1]) << 16 |
         static_cast<uint32_t>(header[2]) << 8 | header[3];
  length = static_cast<uint32_t>(header[4]) << 24 | static_cast<uint32_t>(header[5]) << 16 |
           static_cast<uint32_t>(header[6]) << 8 | header[7];
  m_readPos += 8;
  return true;
}

// ---- loading ------------------------------------------------------------------------------

void CMidiSequence::Clear() {
  m_tracks.clear();
  m_buffers.clear();
  m_image.clear();
  m_image.shrink_to_fit();
  m_imageSize = 0;
  m_readPos = 0;
  m_currentBuffer = 0;
  m_path.clear();
  m_parseError.clear();
}

bool CMidiSequence::Load(const std::string& path, bool keepMeta, bool buildBuffers) {
  Clear();
  m_keepMeta = keepMeta;
  try {
    return LoadImage(path, buildBuffers);
  } catch (const std::bad_alloc&) {
    m_errorText = SystemFailureText(ENOMEM, "reading file", path);
    Clear();
    return false;
  }
}

bool CMidiSequence::LoadImage(const std::string& path, bool buildBuffers) {
  if (!ReadImage(path)) return false;

  m_readPos = 0;
  if (m_imageSize < 4 || std::memcmp(m_image.data(), "MThd", 4) != 0) {
    m_errorText = "Error! \"" + path + "\": is not a valid midi file!";
    Clear();
    return false;
  }
  m_path = path;
  ParseChunks();
  // The image has been converted into the tracks' records and is no longer needed.
  m_image.clear();
  m_image.shrink_to_fit();
  m_imageSize = 0;
  m_readPos = 0;
  if (buildBuffers) BuildBuffers();
  return true;
}

bool CMidiSequence::ReadImage(const std::string& path) {
  FILE* file = platform::OpenFile(path, "rb");
  if (!file) {
    m_errorText = SystemFailureText(errno, "Opening for reading", path);
    return false;
  }
  struct stat info;
  int error = 0;
  if (::fstat(::fileno(file), &info) != 0) {
    error = errno;
  } else if (S_ISDIR(info.st_mode)) {
    error = EISDIR;  // what reading it would report, whatever size the folder claims
  } else if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > kMaxFileBytes) {
    error = EFBIG;
  } else {
    m_imageSize = static_cast<uint32_t>(info.st_size);
    m_image.assign(m_imageSize, 0);
    errno = 0;
    if (m_imageSize && std::fread(m_image.data(), 1, m_imageSize, file) != m_imageSize)
      error = errno ? errno : EIO;
  }
  std::fclose(file);
  if (error) {
    m_errorText = SystemFailureText(error, "reading file", path);
    Clear();
    return false;
  }
  return true;
}

void CMidiSequence::ParseChunks() {
  uint32_t type = 0;
  uint32_t length = 0;
  while (ReadChunkHeader(type, length)) {
    if (type == kHeaderChunk)
      ParseHeader(length);
    else if (type == kTrackChunk)
      ParseTrack();
    else
      SkipChunk(length);
  }
}

// Only the first six bytes of the header are read. A longer header (which later versions of
// the format allow) is skipped by its length, unless a track chunk follows the six bytes at
// once: files that declare a wrong header length still read as they always have.
void CMidiSequence::ParseHeader(uint32_t length) {
  const uint32_t start = m_readPos;
  try {
    m_format = Read16();
    m_trackCount = Read16();
    m_division = Read16();
  } catch (const Exception& failure) {
    m_parseError = failure.GetMessage();  // the fields read so far stay
    return;
  }
  const bool trackFollows =
      m_imageSize - m_readPos >= 4 && std::memcmp(&m_image[m_readPos], "MTrk", 4) == 0;
  if (length > 6 && !trackFollows) {
    m_readPos = start;
    SkipChunk(length);
  }
}

void CMidiSequence::SkipChunk(uint32_t length) {
  m_readPos = static_cast<uint32_t>(
      std::min<uint64_t>(static_cast<uint64_t>(m_readPos) + length, m_imageSize));
}

// Reads events until the end-of-track event; the chunk's declared length is not used. A track
// that breaks off is dropped, and reading goes on from where it broke off.
void CMidiSequence::ParseTrack() {
  std::vector<uint8_t> events;
  try {
    uint8_t runningStatus = 0;
    for (;;) {
      uint32_t delta = ReadVariableLength();
      uint8_t b = ReadByteOrFail();
      if (b >= 0x80 && b < 0xF0) runningStatus = b;

      if (b == kSysEx || b == kSysExEscape) {
        uint32_t length = ReadVariableLength();
        const uint8_t* data = ReadBytes(length);
        if (length > kMaxParameterCount - 2)
          throw Exception("Event too long at index " + std::to_string(m_readPos));
        AppendLong(events, delta, MEVT_LONGMSG, {b, static_cast<uint8_t>(length)}, data, length);
      } else if (b == kMetaEvent) {
        uint8_t metaType = ReadByteOrFail();
        uint32_t length = ReadVariableLength();
        if (metaType == kMetaTempo) {
          // Exactly three bytes, whatever the length says.
          const uint8_t* tempo = ReadBytes(3);
          uint32_t microseconds = static_cast<uint32_t>(tempo[0]) << 16 |
                                  static_cast<uint32_t>(tempo[1]) << 8 | tempo[2];
          AppendShort(events, delta, MEVT_TEMPO, microseconds);
          continue;
        }
        const uint8_t* data = ReadBytes(length);
        bool endOfTrack = metaType == kMetaEndOfTrack;
        if (m_keepMeta || endOfTrack) {
          if (length > kMaxParameterCount - 3)
            throw Exception("Event too long at index " + std::to_string(m_readPos));
          uint32_t type = (metaType >= 1 && metaType <= 7) ? MEVT_COMMENT : MEVT_LONGMSG;
          AppendLong(events, delta, type, {kMetaEvent, metaType, static_cast<uint8_t>(length)},
                     data, length);
        } else {
          AppendShort(events, delta, MEVT_NOP, 0);
        }
        if (endOfTrack) break;
      } else {
        uint8_t status = runningStatus;
        uint8_t first = b;
        if (b & 0x80) {
          status = b;
          first = ReadByteOrFail();
        }
        bool oneDataByte = status >= 0xC0 && status <= 0xDF;
        uint8_t second = oneDataByte ? 0 : ReadByteOrFail();
        AppendShort(events, delta, MEVT_SHORTMSG,
                    status | static_cast<uint32_t>(first) << 8 | static_cast<uint32_t>(second) << 16);
      }
    }
  } catch (const Exception& failure) {
    m_parseError = failure.GetMessage();
    return;  // the track is dropped
  }
  TrackRecord track;
  track.bytesUsed = static_cast<uint32_t>(events.size());
  track.trackNumber = static_cast<uint32_t>(m_tracks.size());
  track.events = std::move(events);
  m_tracks.push_back(std::move(track));
}

// ---- stream buffers -----------------------------------------------------------------------

MIDIHDR* CMidiSequence::GetBuffer(uint32_t index) {
  if (index >= m_buffers.size()) {
    m_errorText = "buffer index (" + std::to_string(index) + ") out of bounds.";
    return nullptr;
  }
  return &m_buffers[index].header;
}

void CMidiSequence::AddBuffer(uint32_t capacity) {
  StreamBuffer buffer;
  buffer.data.assign(capacity, 0);
  buffer.capacity = capacity;
  buffer.header.lpData = buffer.data.data();
  buffer.header.dwBufferLength = capacity;
  m_buffers.push_back(std::move(buffer));  // the block moves with its header's pointer intact
}

void CMidiSequence::BuildBuffers() {
  uint64_t total = kStreamBufferSlack;
  for (const TrackRecord& track : m_tracks) total += track.bytesUsed;
  uint64_t count = (total + kStreamBufferSize - 1) / kStreamBufferSize;
  m_buffers.reserve(count);
  for (uint64_t i = 0; i < count; ++i) AddBuffer(kStreamBufferSize);
  m_currentBuffer = 0;
  MergeTracks();
}

// Moves the track to its next record and adds the record's delta to its time. False (and the
// track finished) at its end-of-track record or the end of its bytes.
bool CMidiSequence::StepTrack(TrackRecord& track) {
  size_t next = 0;
  if (track.started) next = track.current + RecordSize(&track.events[track.current]);
  track.started = true;
  track.current = next;
  const uint8_t* record = track.events.data() + next;
  if (next + kMidiEventHeaderSize > track.bytesUsed ||
      next + RecordSize(record) > track.bytesUsed ||
      IsEndOfTrack(record, RecordSize(record))) {
    track.finished = true;
    return false;
  }
  track.time += GetLE32(record);
  return true;
}

// Emits, with delta 0, the track's further events at time; the track stops at its first event
// later than time, which stays pending. False when the track has finished.
bool CMidiSequence::CatchUp(TrackRecord& track, uint64_t time) {
  while (StepTrack(track)) {
    if (track.time > time) return true;
    Emit(track, 0);
  }
  return false;
}

// Merges the tracks by time: at tick 0 all events of the first track, then those of the second,
// and so on; at any later tick first the pending events of all tracks there in track order, then
// track by track each one's further events at that tick. The tracks waiting with a pending event
// are kept in a queue ordered by (time, track index), so that each event costs one queue step
// instead of a look at every track.
void CMidiSequence::MergeTracks() {
  using Pending = std::pair<uint64_t, uint32_t>;  // the pending event's time, the track's index
  std::priority_queue<Pending, std::vector<Pending>, std::greater<Pending>> waiting;
  for (uint32_t index = 0; index < m_tracks.size(); ++index) {
    TrackRecord& track = m_tracks[index];
    track.started = false;
    track.finished = false;
    track.current = 0;
    track.time = 0;
    if (CatchUp(track, 0)) waiting.emplace(track.time, index);
  }
  uint64_t lastEmitted = 0;
  std::vector<uint32_t> due;
  while (!waiting.empty()) {
    const uint64_t time = waiting.top().first;
    due.clear();
    while (!waiting.empty() && waiting.top().first == time) {
      due.push_back(waiting.top().second);
      waiting.pop();
    }
    // A pending event lies at most one 32-bit delta after the last emission.
    for (size_t i = 0; i < due.size(); ++i)
      Emit(m_tracks[due[i]], i == 0 ? static_cast<uint32_t>(time - lastEmitted) : 0);
    for (uint32_t index : due)
      if (CatchUp(m_tracks[index], time)) waiting.emplace(m_tracks[index].time, index);
    lastEmitted = time;
  }
}

// Copies the track's current record into the current stream buffer, advancing to the next
// buffer when it does not fit. A record that finds no buffer left gets a further one (one that
// cannot fit a standard buffer at all gets an empty buffer enlarged to its size).
void CMidiSequence::Emit(const TrackRecord& track, uint32_t delta) {
  const uint8_t* record = track.events.data() + track.current;
  uint32_t size = RecordSize(record);
  while (m_currentBuffer < m_buffers.size()) {
    StreamBuffer& buffer = m_buffers[m_currentBuffer];
    if (size > buffer.capacity - buffer.bytesUsed && buffer.bytesUsed == 0) {
      buffer.data.resize(size, 0);
      buffer.capacity = size;
      buffer.header.lpData = buffer.data.data();
      buffer.header.dwBufferLength = size;
    }
    if (size <= buffer.capacity - buffer.bytesUsed) break;
    ++m_currentBuffer;
  }
  if (m_currentBuffer >= m_buffers.size()) {
    AddBuffer(std::max(size, kStreamBufferSize));
    m_currentBuffer = static_cast<uint32_t>(m_buffers.size() - 1);
  }
  StreamBuffer& buffer = m_buffers[m_currentBuffer];
  uint8_t* out = buffer.data.data() + buffer.bytesUsed;
  std::memcpy(out, record, size);
  PutLE32(out, delta);
  buffer.bytesUsed += size;
  buffer.header.dwBytesRecorded = buffer.bytesUsed;
}
