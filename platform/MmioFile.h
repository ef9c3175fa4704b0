#pragma once
// RIFF file services in the manner of the mmio functions the sound loaders were written
// against: a file opened through an I/O procedure, chunk navigation (descend with find-RIFF and
// find-chunk, ascend past pad bytes), reads and seeks, with the same error codes.
//
// Chunk sizes come from the file and are never trusted: searches stop at the end of the file
// and of the parent chunk, and positions are computed without overflow.
#include <cstdint>
#include <string>

namespace platform {

using FOURCC = uint32_t;

// A four-character code as it lies in the file, read as a little-endian number.
constexpr FOURCC MakeFourCC(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
         static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

constexpr FOURCC FOURCC_RIFF = MakeFourCC('R', 'I', 'F', 'F');
constexpr FOURCC FOURCC_LIST = MakeFourCC('L', 'I', 'S', 'T');

// Results: 0 for success, else one of the MMIOERR codes.
constexpr uint32_t MMSYSERR_NOERROR = 0;
constexpr uint32_t MMIOERR_BASE = 256;
constexpr uint32_t MMIOERR_FILENOTFOUND = MMIOERR_BASE + 1;      // 257
constexpr uint32_t MMIOERR_OUTOFMEMORY = MMIOERR_BASE + 2;       // 258
constexpr uint32_t MMIOERR_CANNOTOPEN = MMIOERR_BASE + 3;        // 259
constexpr uint32_t MMIOERR_CANNOTCLOSE = MMIOERR_BASE + 4;       // 260
constexpr uint32_t MMIOERR_CANNOTREAD = MMIOERR_BASE + 5;        // 261
constexpr uint32_t MMIOERR_CANNOTWRITE = MMIOERR_BASE + 6;       // 262
constexpr uint32_t MMIOERR_CANNOTSEEK = MMIOERR_BASE + 7;        // 263
constexpr uint32_t MMIOERR_CANNOTEXPAND = MMIOERR_BASE + 8;      // 264
constexpr uint32_t MMIOERR_CHUNKNOTFOUND = MMIOERR_BASE + 9;     // 265
constexpr uint32_t MMIOERR_UNBUFFERED = MMIOERR_BASE + 10;       // 266
constexpr uint32_t MMIOERR_PATHNOTFOUND = MMIOERR_BASE + 11;     // 267
constexpr uint32_t MMIOERR_ACCESSDENIED = MMIOERR_BASE + 12;     // 268
constexpr uint32_t MMIOERR_SHARINGVIOLATION = MMIOERR_BASE + 13; // 269
constexpr uint32_t MMIOERR_NETWORKERROR = MMIOERR_BASE + 14;     // 270
constexpr uint32_t MMIOERR_TOOMANYOPENFILES = MMIOERR_BASE + 15; // 271
constexpr uint32_t MMIOERR_INVALIDFILE = MMIOERR_BASE + 16;      // 272

// The description of an MMIOERR code; "unknown mmio error" for any other number.
const char* MmioErrorText(uint32_t code);

// Open flags. Files are only read; sharing modes have no meaning on this system.
constexpr uint32_t MMIO_READ = 0x00000000;
constexpr uint32_t MMIO_DENYWRITE = 0x00000020;

// Descend flags.
constexpr uint32_t MMIO_FINDCHUNK = 0x0010;
constexpr uint32_t MMIO_FINDRIFF = 0x0020;
constexpr uint32_t MMIO_FINDLIST = 0x0040;

// Messages to an I/O procedure.
constexpr unsigned MMIOM_READ = 0;        // param1: buffer, param2: count -> bytes read, -1
constexpr unsigned MMIOM_WRITE = 1;       // -> bytes written, -1
constexpr unsigned MMIOM_SEEK = 2;        // param1: offset, param2: origin -> position, -1
constexpr unsigned MMIOM_OPEN = 3;        // param1: file name -> 0 or an MMIOERR code
constexpr unsigned MMIOM_CLOSE = 4;       // -> 0 or an MMIOERR code
constexpr unsigned MMIOM_WRITEFLUSH = 5;  // -> bytes written, -1

struct MMIOINFO;
using LPMMIOPROC = long (*)(MMIOINFO* info, unsigned message, intptr_t param1, intptr_t param2);

// The open request and the state an I/O procedure keeps.
struct MMIOINFO {
  uint32_t dwFlags = 0;
  LPMMIOPROC pIOProc = nullptr;  // null: the built-in procedure on plain file descriptors
  uint32_t wErrorRet = 0;        // the failure code of an open
  long lDiskOffset = 0;          // the procedure's file position
  uintptr_t adwInfo[3] = {};     // the procedure's private words
};

// A chunk: its id, the size of its data, the form or list type of a RIFF or LIST chunk, and the
// file offset of its data (for RIFF and LIST, of the type that begins it).
struct MMCKINFO {
  FOURCC ckid = 0;
  uint32_t cksize = 0;
  FOURCC fccType = 0;
  uint32_t dwDataOffset = 0;
  uint32_t dwFlags = 0;
};

// The I/O procedure on a buffered stdio stream (kept in adwInfo[0]): opens "rb" (ignoring letter
// case as OpenFile does), reads, seeks and closes; writing is not supported.
long StdioIoProc(MMIOINFO* info, unsigned message, intptr_t param1, intptr_t param2);

class MmioFile {
 public:
  MmioFile() = default;
  ~MmioFile();
  MmioFile(const MmioFile&) = delete;
  MmioFile& operator=(const MmioFile&) = delete;

  // Opens the file through info's I/O procedure, or the built-in one when info or its
  // procedure is null. On failure the procedure's code goes to info->wErrorRet.
  bool Open(const std::string& path, MMIOINFO* info, uint32_t flags);
  bool IsOpen() const { return m_open; }
  // MMSYSERR_NOERROR, or the procedure's failure code; the file is closed either way.
  uint32_t Close();

  // Bytes read (0 at the end of the file), or -1 on failure.
  long Read(void* buffer, long count);
  // The new position, or -1 on failure.
  long Seek(long offset, int origin);
  // The size of the file in bytes (the position stays), or -1 on failure.
  long GetSize();

  // Reads the chunk header at the current position, or with MMIO_FINDCHUNK searches for
  // chunk.ckid, with MMIO_FINDRIFF / MMIO_FINDLIST for a RIFF / LIST chunk of form type
  // chunk.fccType (0 matches any), inside parent when given. On success chunk describes the
  // chunk and the file stands at its data (after the form type for RIFF and LIST).
  // MMIOERR_CHUNKNOTFOUND when no such chunk lies before the end of the file or parent.
  uint32_t Descend(MMCKINFO& chunk, const MMCKINFO* parent, uint32_t flags);
  // Moves to the end of the chunk and past its pad byte.
  uint32_t Ascend(MMCKINFO& chunk, uint32_t flags);

 private:
  long Send(unsigned message, intptr_t param1, intptr_t param2);

  MMIOINFO m_info;
  bool m_open = false;
};

}  // namespace platform
