#include "platform/MmioFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "tests/support/RiffBuilder.h"
#include "tests/support/TestFiles.h"

using namespace platform;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

constexpr FOURCC kWave = MakeFourCC('W', 'A', 'V', 'E');
constexpr FOURCC kFmt = MakeFourCC('f', 'm', 't', ' ');
constexpr FOURCC kData = MakeFourCC('d', 'a', 't', 'a');

// A file opened through the stdio procedure, as the WAV loader opens it.
struct OpenedFile {
  TempDir dir;
  MmioFile file;
  explicit OpenedFile(const std::string& bytes) {
    WriteFile(dir / "sound.wav", bytes);
    MMIOINFO info;
    info.pIOProc = StdioIoProc;
    EXPECT_TRUE(file.Open(dir / "sound.wav", &info, MMIO_READ | MMIO_DENYWRITE));
  }
};

uint32_t FindRiff(MmioFile& file, MMCKINFO& riffChunk, FOURCC form) {
  riffChunk.fccType = form;
  return file.Descend(riffChunk, nullptr, MMIO_FINDRIFF);
}

uint32_t FindChunk(MmioFile& file, MMCKINFO& chunk, const MMCKINFO& parent, FOURCC id) {
  chunk.ckid = id;
  return file.Descend(chunk, &parent, MMIO_FINDCHUNK);
}

}  // namespace

TEST(MmioErrorText, DescribesEveryMmioCode) {
  const char* expected[] = {
      "File not found.",
      "There was not enough memory to expand a memory file for further writing.",
      "Cannot open",
      "Cannot close",
      "An error occurred while refilling the buffer.",
      "The contents of the buffer could not be written to the file.",
      "There was an error while seeking into the file.",
      "The specified memory file cannot be expanded, probably due to invalid parameter in mmioOpen().",
      "Unable to find the requested chunk.",
      "The specified file is not opened for buffered I/O.",
      "The directory specification is incorrect.",
      "The file is protected and cannot be opened.",
      "The file is being used by another application and is unavailable.",
      "The network is not responding to the request to open a remote file.",
      "The number of files simultaneously open is at a maximum level. The system has run out of "
      "available file handles.",
      "Invalid file"};
  for (uint32_t code = MMIOERR_FILENOTFOUND; code <= MMIOERR_INVALIDFILE; ++code)
    EXPECT_STREQ(MmioErrorText(code), expected[code - MMIOERR_FILENOTFOUND]) << code;
  for (uint32_t code : {0u, 13u, 256u, 273u, 0xFFFFFFFFu})
    EXPECT_STREQ(MmioErrorText(code), "unknown mmio error") << code;
}

TEST(MmioFile, ReportsOpenFailuresByProcedure) {
  TempDir dir;
  MmioFile file;
  MMIOINFO plain;
  EXPECT_FALSE(file.Open(dir / "missing.wav", &plain, MMIO_READ));
  EXPECT_EQ(plain.wErrorRet, MMIOERR_FILENOTFOUND);
  EXPECT_FALSE(file.IsOpen());

  MMIOINFO stdio;
  stdio.pIOProc = StdioIoProc;
  EXPECT_FALSE(file.Open(dir / "missing.wav", &stdio, MMIO_READ));
  EXPECT_EQ(stdio.wErrorRet, MMIOERR_CANNOTOPEN);
  EXPECT_FALSE(file.Open(dir / "missing/x.wav", &plain, MMIO_READ));
  EXPECT_EQ(plain.wErrorRet, MMIOERR_FILENOTFOUND);
}

TEST(MmioFile, OpensIgnoringLetterCaseWithEitherProcedure) {
  TempDir dir;
  WriteFile(dir / "Sounds/Bell.WAV", "RIFF");
  MmioFile file;
  EXPECT_TRUE(file.Open(dir / "sounds/bell.wav", nullptr, MMIO_READ));
  char bytes[8] = {};
  EXPECT_EQ(file.Read(bytes, 8), 4);
  EXPECT_EQ(std::string(bytes), "RIFF");
  MMIOINFO stdio;
  stdio.pIOProc = StdioIoProc;
  EXPECT_TRUE(file.Open(dir / "SOUNDS/bell.wav", &stdio, MMIO_READ));
  EXPECT_EQ(file.Read(bytes, 8), 4);
  EXPECT_EQ(file.Close(), MMSYSERR_NOERROR);
  EXPECT_EQ(file.Read(bytes, 8), -1);
  EXPECT_EQ(file.Seek(0, SEEK_SET), -1);
}

TEST(MmioFile, FindsTheRiffFormAndItsChunksPastOddSizesAndPadBytes) {
  std::string bytes = riff::Riff("WAVE", riff::Chunk("bext", "odd") + riff::Chunk("fmt ", riff::PcmFormat(1, 8000, 8)) +
                                             riff::Chunk("LIST", "INFOxxxxx") + riff::Chunk("data", "12345"));
  OpenedFile opened(bytes);
  MmioFile& file = opened.file;
  MMCKINFO riffChunk;
  ASSERT_EQ(FindRiff(file, riffChunk, kWave), MMSYSERR_NOERROR);
  EXPECT_EQ(riffChunk.ckid, FOURCC_RIFF);
  EXPECT_EQ(riffChunk.fccType, kWave);
  EXPECT_EQ(riffChunk.cksize, bytes.size() - 8);
  EXPECT_EQ(riffChunk.dwDataOffset, 8u);
  EXPECT_EQ(file.Seek(0, SEEK_CUR), 12);

  MMCKINFO format;
  ASSERT_EQ(FindChunk(file, format, riffChunk, kFmt), MMSYSERR_NOERROR);
  EXPECT_EQ(format.cksize, 16u);
  EXPECT_EQ(format.dwDataOffset, 12u + 12u + 8u);
  EXPECT_EQ(file.Seek(0, SEEK_CUR), 32);
  EXPECT_EQ(file.Ascend(format, 0), MMSYSERR_NOERROR);

  MMCKINFO data;
  ASSERT_EQ(FindChunk(file, data, riffChunk, kData), MMSYSERR_NOERROR);
  EXPECT_EQ(data.cksize, 5u);
  EXPECT_EQ(static_cast<size_t>(data.dwDataOffset), bytes.size() - 6);
  char samples[8] = {};
  EXPECT_EQ(file.Read(samples, 8), 6);  // the data and its pad byte: the file does not stop there
  EXPECT_EQ(std::string(samples, 5), "12345");
  EXPECT_EQ(file.Read(samples, 8), 0);
}

TEST(MmioFile, AscendsPastThePadByte) {
  OpenedFile opened(riff::Riff("WAVE", riff::Chunk("odd ", "abc") + riff::Chunk("next", "x")));
  MMCKINFO riffChunk;
  ASSERT_EQ(FindRiff(opened.file, riffChunk, kWave), MMSYSERR_NOERROR);
  MMCKINFO odd;
  ASSERT_EQ(opened.file.Descend(odd, &riffChunk, 0), MMSYSERR_NOERROR);  // the chunk at hand
  EXPECT_EQ(odd.ckid, MakeFourCC('o', 'd', 'd', ' '));
  ASSERT_EQ(opened.file.Ascend(odd, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(opened.file.Seek(0, SEEK_CUR), 12 + 8 + 4);
  MMCKINFO next;
  ASSERT_EQ(opened.file.Descend(next, &riffChunk, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(next.ckid, MakeFourCC('n', 'e', 'x', 't'));
}

TEST(MmioFile, FindsListsByType) {
  OpenedFile opened(riff::Riff("AVI ", riff::Chunk("LIST", "hdrlxxxx") + riff::Chunk("LIST", "movi1234")));
  MMCKINFO riffChunk;
  ASSERT_EQ(FindRiff(opened.file, riffChunk, MakeFourCC('A', 'V', 'I', ' ')), MMSYSERR_NOERROR);
  MMCKINFO list;
  list.fccType = MakeFourCC('m', 'o', 'v', 'i');
  ASSERT_EQ(opened.file.Descend(list, &riffChunk, MMIO_FINDLIST), MMSYSERR_NOERROR);
  EXPECT_EQ(list.dwDataOffset, 12u + 16u + 8u);
  char bytes[4];
  EXPECT_EQ(opened.file.Read(bytes, 4), 4);
  EXPECT_EQ(std::string(bytes, 4), "1234");
}

TEST(MmioFile, ReportsMissingChunksAndKeepsThePosition) {
  OpenedFile opened(riff::Riff("AVI ", riff::Chunk("LIST", "hdrl")));
  MMCKINFO riffChunk;
  EXPECT_EQ(FindRiff(opened.file, riffChunk, kWave), MMIOERR_CHUNKNOTFOUND);
  EXPECT_EQ(opened.file.Seek(0, SEEK_CUR), 0);
  ASSERT_EQ(FindRiff(opened.file, riffChunk, 0), MMSYSERR_NOERROR);  // any form
  MMCKINFO data;
  EXPECT_EQ(FindChunk(opened.file, data, riffChunk, kData), MMIOERR_CHUNKNOTFOUND);
  EXPECT_EQ(opened.file.Seek(0, SEEK_CUR), 12);

  OpenedFile empty("");
  EXPECT_EQ(FindRiff(empty.file, riffChunk, kWave), MMIOERR_CHUNKNOTFOUND);
  OpenedFile shortFile("RIFF\x04");
  EXPECT_EQ(FindRiff(shortFile.file, riffChunk, kWave), MMIOERR_CHUNKNOTFOUND);
}

TEST(MmioFile, SearchesOnlyInsideTheParent) {
  // The RIFF chunk ends before the "data" chunk that follows it in the file.
  std::string inside = riff::Chunk("fmt ", riff::PcmFormat(1, 8000, 8));
  std::string bytes = riff::ChunkClaiming("RIFF", static_cast<uint32_t>(4 + inside.size()), "WAVE" + inside) +
                      riff::Chunk("data", "1234");
  OpenedFile opened(bytes);
  MMCKINFO riffChunk, data;
  ASSERT_EQ(FindRiff(opened.file, riffChunk, kWave), MMSYSERR_NOERROR);
  EXPECT_EQ(FindChunk(opened.file, data, riffChunk, kData), MMIOERR_CHUNKNOTFOUND);
  // Starting outside the parent finds nothing either.
  opened.file.Seek(static_cast<long>(bytes.size() - 12), SEEK_SET);
  EXPECT_EQ(FindChunk(opened.file, data, riffChunk, kData), MMIOERR_CHUNKNOTFOUND);
}

TEST(MmioFile, SurvivesHostileChunkSizes) {
  // Sizes that point past the end, wrap 32 bits, or claim 4 GB never loop or read out of place.
  for (uint32_t size : {0xFFFFFFFFu, 0xFFFFFFF0u, 0xFFFFFFF4u, 0x80000000u, 0x7FFFFFFFu}) {
    std::string bytes = riff::ChunkClaiming("RIFF", 0xFFFFFFFF, "WAVE" + riff::ChunkClaiming("junk", size, "") +
                                                                     riff::Chunk("data", "1234"));
    OpenedFile opened(bytes);
    MMCKINFO riffChunk, data;
    ASSERT_EQ(FindRiff(opened.file, riffChunk, kWave), MMSYSERR_NOERROR);
    EXPECT_EQ(FindChunk(opened.file, data, riffChunk, kData), MMIOERR_CHUNKNOTFOUND) << size;
  }
  // A RIFF size larger than the file still lets the chunks inside be found.
  OpenedFile opened(riff::ChunkClaiming("RIFF", 16486, "WAVE" + riff::Chunk("data", "1234")));
  MMCKINFO riffChunk, data;
  ASSERT_EQ(FindRiff(opened.file, riffChunk, kWave), MMSYSERR_NOERROR);
  EXPECT_EQ(FindChunk(opened.file, data, riffChunk, kData), MMSYSERR_NOERROR);
  EXPECT_EQ(opened.file.Ascend(data, 0), MMSYSERR_NOERROR);
  MMCKINFO huge;
  huge.dwDataOffset = 0xFFFFFFF0;
  huge.cksize = 0xFFFFFFFF;
  EXPECT_EQ(opened.file.Ascend(huge, 0), MMSYSERR_NOERROR);  // seeking past the end is allowed
  char byte;
  EXPECT_EQ(opened.file.Read(&byte, 1), 0);
}

TEST(StdioIoProc, ServesTheMessagesOfItsTable) {
  TempDir dir;
  WriteFile(dir / "a.bin", "0123456789");
  MMIOINFO info;
  info.lDiskOffset = 99;
  // Without a stream, reads, seeks and closes do nothing.
  char buffer[16] = {};
  EXPECT_EQ(StdioIoProc(&info, MMIOM_READ, reinterpret_cast<intptr_t>(buffer), 4), 0);
  EXPECT_EQ(StdioIoProc(&info, MMIOM_SEEK, 0, SEEK_END), 0);
  EXPECT_EQ(StdioIoProc(&info, MMIOM_CLOSE, 0, 0), 0);
  EXPECT_EQ(info.lDiskOffset, 99);

  std::string path = dir / "A.BIN";
  EXPECT_EQ(StdioIoProc(&info, MMIOM_OPEN, reinterpret_cast<intptr_t>(path.c_str()), 0), 0);
  EXPECT_NE(info.adwInfo[0], 0u);
  EXPECT_EQ(info.lDiskOffset, 0);
  EXPECT_EQ(StdioIoProc(&info, MMIOM_READ, reinterpret_cast<intptr_t>(buffer), 4), 4);
  EXPECT_EQ(info.lDiskOffset, 4);
  EXPECT_EQ(StdioIoProc(&info, MMIOM_SEEK, 2, SEEK_CUR), 6);
  EXPECT_EQ(info.lDiskOffset, 6);
  EXPECT_EQ(StdioIoProc(&info, MMIOM_READ, reinterpret_cast<intptr_t>(buffer), 16), 4);
  EXPECT_EQ(std::string(buffer, 4), "6789");
  EXPECT_EQ(info.lDiskOffset, 10);
  EXPECT_EQ(StdioIoProc(&info, MMIOM_SEEK, -1, 99), -1);
  EXPECT_EQ(StdioIoProc(&info, MMIOM_WRITE, reinterpret_cast<intptr_t>(buffer), 1), -1);
  EXPECT_EQ(StdioIoProc(&info, MMIOM_WRITEFLUSH, 0, 0), -1);
  EXPECT_EQ(StdioIoProc(&info, 77, 0, 0), 0);
  EXPECT_EQ(StdioIoProc(&info, MMIOM_CLOSE, 0, 0), 0);
  EXPECT_EQ(info.adwInfo[0], 0u);

  std::string missing = dir / "missing.bin";
  EXPECT_EQ(StdioIoProc(&info, MMIOM_OPEN, reinterpret_cast<intptr_t>(missing.c_str()), 0),
            static_cast<long>(MMIOERR_CANNOTOPEN));
  EXPECT_EQ(info.adwInfo[0], 0u);
  EXPECT_EQ(info.wErrorRet, static_cast<uint32_t>(ENOENT));
}
