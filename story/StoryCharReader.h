#pragma once
// The character level of the story format: bytes of gamefile.txt handed out one at a time as
// 16-bit values (0xFFFF marks the end of the file), with a carriage return before a line feed
// folded into the line feed, "//" comments cut off up to the end of their line, NUL bytes
// skipped, a small pushback stack, and the line counter that error reports quote.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class CStoryCharReader {
 public:
  static constexpr uint16_t kEndOfFile = 0xFFFF;
  static constexpr size_t kBufferSize = 32767;
  static constexpr size_t kPushbackDepth = 32;

  CStoryCharReader() = default;
  ~CStoryCharReader();
  CStoryCharReader(const CStoryCharReader&) = delete;
  CStoryCharReader& operator=(const CStoryCharReader&) = delete;

  // The read buffer is allocated once and reused for every file until it is freed.
  void AllocateBuffer();
  void FreeBuffer();
  bool HasBuffer() const { return m_buffer != nullptr; }

  // Empties the buffer and the pushback stack.
  void Reset();

  // Opens the file for reading (the path is resolved ignoring letter case) and sets the line
  // counter to 1. False when it cannot be opened.
  bool Open(const std::string& path);
  void Close();

  // The next character. Every line feed handed out adds 1 to the line counter.
  uint16_t GetChar() {
    uint16_t c = NextChar();
    if (c == '\r' || c == '/') c = ResolvePair(c);
    if (c == '\n') ++m_line;
    return c;
  }

  // Pushes a character back in front of the next one; a line feed pushed back takes its line
  // off the counter again. A push onto a full stack is dropped.
  void UngetChar(uint16_t c) {
    if (Push(c) && c == '\n') --m_line;
  }

  uint32_t Line() const { return m_line; }

  // Appends to text the bytes that GetChar would hand out unchanged one by one (anything but
  // NUL, carriage return, slash and line feed) as far as they run in the buffer, and returns
  // how many. A shortcut for long values and free text; nothing when characters are pushed back.
  size_t TakePlainRun(std::string& text) {
    return TakeRun(text, [](unsigned char) { return true; });
  }
  // The same, up to the first white space: the rest of a keyword.
  size_t TakeWordRun(std::string& text) {
    return TakeRun(text, [](unsigned char byte) { return byte != ' ' && byte != '\t' && byte != '\v' && byte != '\f'; });
  }
  // The same, up to the first ']': the rest of a section name.
  size_t TakeNameRun(std::string& text) {
    return TakeRun(text, [](unsigned char byte) { return byte != ']'; });
  }
  // The same as TakePlainRun, dropping the bytes.
  void SkipPlainRun() { m_position = PlainRunEnd(); }

 private:
  // The plain bytes that also pass the test, as far as they run in the buffer.
  template <class Test>
  size_t TakeRun(std::string& text, Test passes) {
    if (m_depth > 0) return 0;
    size_t start = m_position, end = m_position;
    while (end < m_fill && IsPlain(m_buffer[end]) && passes(m_buffer[end])) ++end;
    text.append(reinterpret_cast<const char*>(m_buffer.get()) + start, end - start);
    m_position = end;
    return end - start;
  }
  // The next byte from the pushback stack or the file, NUL bytes skipped.
  uint16_t NextChar() {
    if (m_depth > 0) return m_stack[--m_depth];
    for (;;) {
      if (m_position == m_fill && !Refill()) return kEndOfFile;
      unsigned char byte = m_buffer[m_position++];
      if (byte != 0) return byte;
    }
  }
  size_t PlainRunEnd() const {
    if (m_depth > 0) return m_position;
    size_t end = m_position;
    while (end < m_fill && IsPlain(m_buffer[end])) ++end;
    return end;
  }
  static bool IsPlain(unsigned char byte) { return byte != 0 && byte != '\r' && byte != '/' && byte != '\n'; }
  bool Push(uint16_t c);
  bool Refill();
  // A carriage return or slash decides by the character after it.
  uint16_t ResolvePair(uint16_t first);

  FILE* m_file = nullptr;
  std::unique_ptr<unsigned char[]> m_buffer;
  size_t m_position = 0;
  size_t m_fill = 0;
  uint16_t m_stack[kPushbackDepth] = {};
  size_t m_depth = 0;
  uint32_t m_line = 1;
};
