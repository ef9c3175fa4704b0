#include "tools/storytool/JsonWriter.h"

#include <charconv>
#include <cstdio>

#include "platform/TextEncoding.h"

namespace {

// Appends c escaped as JSON wants it; false when c needs no escape.
bool AppendEscaped(std::string& out, unsigned char c) {
  switch (c) {
    case '"': out += "\\\""; return true;
    case '\\': out += "\\\\"; return true;
    case '\b': out += "\\b"; return true;
    case '\f': out += "\\f"; return true;
    case '\n': out += "\\n"; return true;
    case '\r': out += "\\r"; return true;
    case '\t': out += "\\t"; return true;
  }
  if (c >= 0x20) return false;
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
  out += escaped;
  return true;
}

// The bytes that go into a string as they are: printable ASCII but the quote and backslash.
struct PlainBytes {
  bool plain[256] = {};
  constexpr PlainBytes() {
    for (int c = 0x20; c < 0x80; ++c) plain[c] = c != '"' && c != '\\';
  }
};
constexpr PlainBytes kPlain;

// Appends bytes as a JSON string. Runs of plain bytes, most of any story, go in one piece.
void AppendJsonString(std::string& out, std::string_view bytes) {
  out.reserve(out.size() + bytes.size() + 2);
  out += '"';
  const char* next = bytes.data();
  const char* end = next + bytes.size();
  for (;;) {
    const char* run = next;
    while (run != end && kPlain.plain[static_cast<unsigned char>(*run)]) ++run;
    out.append(next, run);
    if (run == end) break;
    auto c = static_cast<unsigned char>(*run);
    if (!AppendEscaped(out, c)) platform::AppendUtf8(out, c);
    next = run + 1;
  }
  out += '"';
}

}  // namespace

std::string JsonUtf8String(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8)
    if (!AppendEscaped(out, c)) out += static_cast<char>(c);
  out += '"';
  return out;
}

void CJsonWriter::Flush(FILE* stream) {
  std::fwrite(m_text.data(), 1, m_text.size(), stream);
  m_text.clear();
}

void CJsonWriter::NewLine() {
  m_text += '\n';
  m_text.append(2 * m_levels.size(), ' ');
}

void CJsonWriter::BeforeValue() {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (m_levels.empty()) return;
  Level& level = m_levels.back();
  if (level.count > 0) m_text += level.inlined ? ", " : ",";
  if (!level.inlined) NewLine();
  ++level.count;
}

void CJsonWriter::Key(std::string_view key) {
  BeforeValue();
  AppendJsonString(m_text, key);
  m_text += ": ";
  m_afterKey = true;
}

void CJsonWriter::String(std::string_view value) {
  BeforeValue();
  AppendJsonString(m_text, value);
}

void CJsonWriter::Number(int64_t value) {
  BeforeValue();
  char digits[24];
  m_text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void CJsonWriter::Null() {
  BeforeValue();
  m_text += "null";
}

void CJsonWriter::Begin(char bracket, bool inlined) {
  BeforeValue();
  m_text += bracket;
  // Inside an inline container everything stays on the one line.
  bool parentInline = !m_levels.empty() && m_levels.back().inlined;
  m_levels.push_back(Level{inlined || parentInline, 0});
}

void CJsonWriter::End(char bracket) {
  Level level = m_levels.back();
  m_levels.pop_back();
  if (level.count > 0 && !level.inlined) NewLine();
  m_text += bracket;
}
