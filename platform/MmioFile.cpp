#include "platform/MmioFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

#include "platform/FileSystem.h"

namespace platform {

namespace {

constexpr long kChunkHeaderSize = 8;
constexpr size_t kStdioBufferSize = 64 * 1024;

uint32_t OpenErrorCode(int error) {
  switch (error) {
    case ENOENT: return MMIOERR_FILENOTFOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return MMIOERR_PATHNOTFOUND;
    case EACCES:
    case EPERM:
    case EROFS: return MMIOERR_ACCESSDENIED;
    case ETXTBSY:
    case EBUSY: return MMIOERR_SHARINGVIOLATION;
    case EMFILE:
    case ENFILE: return MMIOERR_TOOMANYOPENFILES;
    case ENOMEM: return MMIOERR_OUTOFMEMORY;
    default: return MMIOERR_CANNOTOPEN;
  }
}

// The built-in procedure: a plain file descriptor (kept in adwInfo[0] plus one, so that 0 means
// none), read without buffering of its own.
long DescriptorIoProc(MMIOINFO* info, unsigned message, intptr_t param1, intptr_t param2) {
  int fd = static_cast<int>(info->adwInfo[0]) - 1;
  switch (message) {
    case MMIOM_OPEN: {
      fd = OpenForReading(reinterpret_cast<const char*>(param1));
      if (fd < 0) {
        info->adwInfo[0] = 0;
        return static_cast<long>(OpenErrorCode(errno));
      }
      info->adwInfo[0] = static_cast<uintptr_t>(fd) + 1;
      info->lDiskOffset = 0;
      return 0;
    }
    case MMIOM_READ: {
      if (fd < 0) return 0;
      char* buffer = reinterpret_cast<char*>(param1);
      long count = static_cast<long>(param2);
      long done = 0;
      while (done < count) {
        ssize_t got = ::read(fd, buffer + done, static_cast<size_t>(count - done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += got;
      }
      info->lDiskOffset += done;
      return done;
    }
    case MMIOM_SEEK: {
      if (fd < 0) return 0;
      off_t position = ::lseek(fd, static_cast<off_t>(param1), static_cast<int>(param2));
      if (position < 0) return -1;
      info->lDiskOffset = static_cast<long>(position);
      return static_cast<long>(position);
    }
    case MMIOM_CLOSE:
      if (fd < 0) return 0;
      ::close(fd);
      info->adwInfo[0] = 0;
      return 0;
    case MMIOM_WRITE:
    case MMIOM_WRITEFLUSH: return -1;
    default: return 0;
  }
}

uint32_t ReadLE32(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

const char* MmioErrorText(uint32_t code) {
  switch (code) {
    case MMIOERR_FILENOTFOUND: return "File not found.";
    case MMIOERR_OUTOFMEMORY:
      return "There was not enough memory to expand a memory file for further writing.";
    case MMIOERR_CANNOTOPEN: return "Cannot open";
    case MMIOERR_CANNOTCLOSE: return "Cannot close";
    case MMIOERR_CANNOTREAD: return "An error occurred while refilling the buffer.";
    case MMIOERR_CANNOTWRITE: return "The contents of the buffer could not be written to the file.";
    case MMIOERR_CANNOTSEEK: return "There was an error while seeking into the file.";
    case MMIOERR_CANNOTEXPAND:
      return "The specified memory file cannot be expanded, probably due to invalid parameter in "
             "mmioOpen().";
    case MMIOERR_CHUNKNOTFOUND: return "Unable to find the requested chunk.";
    case MMIOERR_UNBUFFERED: return "The specified file is not opened for buffered I/O.";
    case MMIOERR_PATHNOTFOUND: return "The directory specification is incorrect.";
    case MMIOERR_ACCESSDENIED: return "The file is protected and cannot be opened.";
    case MMIOERR_SHARINGVIOLATION:
      return "The file is being used by another application and is unavailable.";
    case MMIOERR_NETWORKERROR:
      return "The network is not responding to the request to open a remote file.";
    case MMIOERR_TOOMANYOPENFILES:
      return "The number of files simultaneously open is at a maximum level. The system has run "
             "out of available file handles.";
    case MMIOERR_INVALIDFILE: return "Invalid file";
    default: return "unknown mmio error";
  }
}

long StdioIoProc(MMIOINFO* info, unsigned message, intptr_t param1, intptr_t param2) {
  FILE* stream = reinterpret_cast<FILE*>(info->adwInfo[0]);
  switch (message) {
    case MMIOM_OPEN:
      stream = OpenFile(reinterpret_cast<const char*>(param1), "rb");
      info->adwInfo[0] = reinterpret_cast<uintptr_t>(stream);
      if (!stream) {
        info->wErrorRet = static_cast<uint32_t>(errno);
        return static_cast<long>(MMIOERR_CANNOTOPEN);
      }
      // A buffer of several engine buffers: sample reads come from memory, and the file is read
      // in large pieces whatever the alignment of the data chunk.
      std::setvbuf(stream, nullptr, _IOFBF, kStdioBufferSize);
      info->lDiskOffset = 0;
      return 0;
    case MMIOM_READ: {
      if (!stream) return 0;
      size_t count = param2 > 0 ? static_cast<size_t>(param2) : 0;
      size_t got = std::fread(reinterpret_cast<void*>(param1), 1, count, stream);
      // After a partial read that did not reach the end the position is not trusted.
      if (got == count || std::feof(stream)) info->lDiskOffset = std::ftell(stream);
      return static_cast<long>(got);
    }
    case MMIOM_SEEK:
      if (!stream) return 0;
      // Asking for the position is no move: answered without dropping the stream's buffer.
      if (!(param1 == 0 && param2 == SEEK_CUR) &&
          std::fseek(stream, static_cast<long>(param1), static_cast<int>(param2)) != 0)
        return -1;
      info->lDiskOffset = std::ftell(stream);
      return info->lDiskOffset;
    case MMIOM_CLOSE:
      if (!stream) return 0;
      std::fclose(stream);
      info->adwInfo[0] = 0;
      return 0;
    case MMIOM_WRITE:
    case MMIOM_WRITEFLUSH: return -1;
    default: return 0;
  }
}

MmioFile::~MmioFile() { Close(); }

long MmioFile::Send(unsigned message, intptr_t param1, intptr_t param2) {
  return m_info.pIOProc(&m_info, message, param1, param2);
}

bool MmioFile::Open(const std::string& path, MMIOINFO* info, uint32_t flags) {
  Close();
  m_info = MMIOINFO();
  m_info.dwFlags = flags;
  m_info.pIOProc = DescriptorIoProc;
  if (info && info->pIOProc) {
    m_info.pIOProc = info->pIOProc;
    for (int i = 0; i < 3; ++i) m_info.adwInfo[i] = info->adwInfo[i];
  }
  long result = Send(MMIOM_OPEN, reinterpret_cast<intptr_t>(path.c_str()), 0);
  if (info) info->wErrorRet = static_cast<uint32_t>(result);
  m_open = result == 0;
  return m_open;
}

uint32_t MmioFile::Close() {
  if (!m_open) return MMSYSERR_NOERROR;
  m_open = false;
  return static_cast<uint32_t>(Send(MMIOM_CLOSE, 0, 0));
}

long MmioFile::Read(void* buffer, long count) {
  if (!m_open || count < 0) return -1;
  if (count == 0) return 0;
  return Send(MMIOM_READ, reinterpret_cast<intptr_t>(buffer), count);
}

long MmioFile::Seek(long offset, int origin) {
  if (!m_open) return -1;
  return Send(MMIOM_SEEK, offset, origin);
}

long MmioFile::GetSize() {
  long here = Seek(0, SEEK_CUR);
  if (here < 0) return -1;
  long end = Seek(0, SEEK_END);
  if (Seek(here, SEEK_SET) != here) return -1;
  return end;
}

uint32_t MmioFile::Descend(MMCKINFO& chunk, const MMCKINFO* parent, uint32_t flags) {
  if (!m_open) return MMIOERR_CANNOTREAD;
  FOURCC searchId = 0;
  FOURCC searchType = 0;
  if (flags & MMIO_FINDCHUNK) searchId = chunk.ckid;
  if (flags & MMIO_FINDLIST) {
    searchId = FOURCC_LIST;
    searchType = chunk.fccType;
  }
  if (flags & MMIO_FINDRIFF) {
    searchId = FOURCC_RIFF;
    searchType = chunk.fccType;
  }

  long start = Seek(0, SEEK_CUR);
  long fileSize = GetSize();
  if (start < 0 || fileSize < 0) return MMIOERR_CANNOTSEEK;
  // The search ends at the end of the file, of the parent, and of what 32-bit offsets reach.
  int64_t end = std::min<int64_t>(fileSize, std::numeric_limits<uint32_t>::max());
  if (parent) {
    int64_t parentEnd = static_cast<int64_t>(parent->dwDataOffset) + parent->cksize;
    if (start < static_cast<int64_t>(parent->dwDataOffset) || start >= parentEnd)
      return MMIOERR_CHUNKNOTFOUND;
    end = std::min(end, parentEnd);
  }

  int64_t position = start;
  MMCKINFO found;
  for (;;) {
    unsigned char header[12];
    long got = (position + kChunkHeaderSize <= end) ? Read(header, sizeof header) : 0;
    if (got < kChunkHeaderSize) {
      Seek(start, SEEK_SET);
      return MMIOERR_CHUNKNOTFOUND;
    }
    found.ckid = ReadLE32(header);
    found.cksize = ReadLE32(header + 4);
    found.fccType = got >= 12 ? ReadLE32(header + 8) : 0;
    found.dwDataOffset = static_cast<uint32_t>(position + kChunkHeaderSize);
    if ((!searchId || searchId == found.ckid) && (!searchType || searchType == found.fccType))
      break;
    position = found.dwDataOffset + (static_cast<int64_t>(found.cksize) + 1) / 2 * 2;
    if (position >= end || Seek(static_cast<long>(position), SEEK_SET) != position) {
      Seek(start, SEEK_SET);
      return MMIOERR_CHUNKNOTFOUND;
    }
  }

  found.dwFlags = 0;
  long data = static_cast<long>(found.dwDataOffset);
  if (found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST) data += 4;
  if (Seek(data, SEEK_SET) != data) return MMIOERR_CANNOTSEEK;
  chunk = found;
  return MMSYSERR_NOERROR;
}

uint32_t MmioFile::Ascend(MMCKINFO& chunk, uint32_t) {
  if (!m_open) return MMIOERR_CANNOTSEEK;
  int64_t end = static_cast<int64_t>(chunk.dwDataOffset) + chunk.cksize + (chunk.cksize & 1);
  if (end > std::numeric_limits<long>::max() || Seek(static_cast<long>(end), SEEK_SET) != end)
    return MMIOERR_CANNOTSEEK;
  return MMSYSERR_NOERROR;
}

}  // namespace platform
