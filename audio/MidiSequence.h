#pragma once
// Reads a standard MIDI file into memory and turns it into the stream buffers that the MIDI
// stream player queues: blocks of event records (MIDIEVENT layout, see platform/MidiTypes.h) in
// playing order, each event timed by its delta in ticks from the event emitted before it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/MidiTypes.h"

class CMidiSequence {
 public:
  static constexpr uint32_t kStreamBufferSize = 49152;

  CMidiSequence() = default;
  CMidiSequence(const CMidiSequence&) = delete;  // buffer headers point into their own blocks
  CMidiSequence& operator=(const CMidiSequence&) = delete;

  // Reads the whole file and parses its tracks. keepMeta keeps meta events other than tempo as
  // long events (else they become NOPs that keep their timing); buildBuffers merges the tracks
  // into stream buffers. False, with an error text, when the file cannot be read or is no MIDI
  // file (or larger than 64 MiB, or more than memory holds); damaged tracks are dropped without
  // failing the load.
  bool Load(const std::string& path, bool keepMeta, bool buildBuffers);
  // Forgets the tracks, the stream buffers and the path; the error text stays.
  void Clear();

  bool IsReady() const { return !m_path.empty() && !m_buffers.empty(); }
  const std::string& GetPath() const { return m_path; }
  uint16_t GetDivision() const { return m_division; }
  uint32_t GetBufferCount() const { return static_cast<uint32_t>(m_buffers.size()); }
  // The header of stream buffer index, valid until the next Load or Clear; null (with an error
  // text) for an index not below the count.
  MIDIHDR* GetBuffer(uint32_t index);
  std::string GetErrorText() const { return m_errorText; }
  // The number of complete tracks read by the last Load.
  uint32_t GetTrackCount() const { return static_cast<uint32_t>(m_tracks.size()); }
  // Why the last chunk dropped by the last Load broke off; empty when none was dropped.
  const std::string& GetParseError() const { return m_parseError; }

 private:
  // One track's event records, and where the merge stands in them.
  struct TrackRecord {
    std::vector<uint8_t> events;
    size_t current = 0;     // offset of the current record; meaningless before the first
    bool started = false;   // false while the track stands before its first record
    bool finished = false;  // the end-of-track record (or the end of the bytes) was reached
    uint32_t bytesUsed = 0;
    uint32_t trackNumber = 0;
    uint64_t time = 0;  // absolute tick of the current record
  };

  // One block of event records with the header the player queues.
  struct StreamBuffer {
    std::vector<uint8_t> data;
    uint32_t capacity = 0;
    uint32_t bytesUsed = 0;
    MIDIHDR header;
  };

  // Byte reading on the file image; the "or fail" forms raise Exception at its end.
  bool ReadByte(uint8_t& value);
  uint8_t ReadByteOrFail();
  uint16_t Read16();
  uint32_t ReadVariableLength();
  const uint8_t* ReadBytes(uint32_t count);
  bool ReadChunkHeader(uint32_t& type, uint32_t& length);
  [[noreturn]] void FailAtEnd();

  bool LoadImage(const std::string& path, bool buildBuffers);
  bool ReadImage(const std::string& path);
  void ParseChunks();
  void ParseHeader(uint32_t length);
  void ParseTrack();
  void SkipChunk(uint32_t length);

  void BuildBuffers();
  void AddBuffer(uint32_t capacity);
  void MergeTracks();
  bool CatchUp(TrackRecord& track, uint64_t time);
  bool StepTrack(TrackRecord& track);
  void Emit(const TrackRecord& track, uint32_t delta);

  std::vector<TrackRecord> m_tracks;
  std::vector<uint8_t> m_image;
  uint32_t m_imageSize = 0;
  uint32_t m_readPos = 0;
  uint32_t m_currentBuffer = 0;
  bool m_keepMeta = true;
  std::vector<StreamBuffer> m_buffers;
  uint16_t m_format = 0;
  uint16_t m_trackCount = 0;
  uint16_t m_division = 0;
  std::string m_errorText;
  std::string m_path;
  std::string m_parseError;
};
