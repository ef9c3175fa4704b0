#pragma once
// A small JSON writer for the story tool. Containers are written one element a line, indented
// by two spaces, or inline on one line ({"line": 3, "text": "x"}). Strings are story bytes:
// each byte becomes the code point of the same value (0x80-0xFF as U+0080-U+00FF), so the
// output is UTF-8 and every byte can be recovered.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// A string of UTF-8 text: only quotes, backslashes and control characters are escaped.
std::string JsonUtf8String(const std::string& utf8);

class CJsonWriter {
 public:
  void BeginObject(bool inlined = false) { Begin('{', inlined); }
  void BeginArray(bool inlined = false) { Begin('[', inlined); }
  void EndObject() { End('}'); }
  void EndArray() { End(']'); }
  void Key(std::string_view key);
  void String(std::string_view value);
  void Number(int64_t value);
  void Null();

  // Shorthands for a key with its value.
  void Field(std::string_view key, std::string_view value) { Key(key); String(value); }
  void Field(std::string_view key, int64_t value) { Key(key); Number(value); }

  const std::string& Text() const { return m_text; }
  // Writes the text so far to stream and forgets it, so that a long document need not be held
  // whole; the writer goes on where it stopped.
  void Flush(FILE* stream);

 private:
  struct Level {
    bool inlined;
    size_t count;
  };
  void BeforeValue();
  void Begin(char bracket, bool inlined);
  void End(char bracket);
  void NewLine();

  std::string m_text;
  std::vector<Level> m_levels;
  bool m_afterKey = false;
};
