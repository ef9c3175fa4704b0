#include "story/StoryCharReader.h"

#include "platform/FileSystem.h"

CStoryCharReader::~CStoryCharReader() { Close(); }

void CStoryCharReader::AllocateBuffer() {
  if (!m_buffer) m_buffer.reset(new unsigned char[kBufferSize]);
}

void CStoryCharReader::FreeBuffer() {
  m_buffer.reset();
  Reset();
}

void CStoryCharReader::Reset() {
  m_position = 0;
  m_fill = 0;
  m_depth = 0;
}

bool CStoryCharReader::Open(const std::string& path) {
  Close();
  m_file = platform::OpenFile(path, "rb");
  m_line = 1;
  return m_file != nullptr;
}

void CStoryCharReader::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
}

bool CStoryCharReader::Push(uint16_t c) {
  if (m_depth == kPushbackDepth) return false;
  m_stack[m_depth++] = c;
  return true;
}

bool CStoryCharReader::Refill() {
  m_position = 0;
  m_fill = (m_file && m_buffer) ? std::fread(m_buffer.get(), 1, kBufferSize, m_file) : 0;
  return m_fill > 0;
}

uint16_t CStoryCharReader::ResolvePair(uint16_t first) {
  // The character looked at here has not been handed out yet, so pushing it back leaves the
  // line counter alone.
  uint16_t next = NextChar();
  if (first == '\r') {
    if (next == '\n') return '\n';
    Push(next);
    return first;
  }
  if (next != '/') {
    Push(next);
    return first;
  }
  // A comment: skipped up to the line feed that ends it, which is handed out.
  for (;;) {
    uint16_t c = NextChar();
    if (c == '\n' || c == kEndOfFile) return c;
  }
}
