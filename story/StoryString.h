#pragma once
// StoryString: a scene's value as the story holds it: a read-only text kept in the story's
// arena (CStoryArena), eight bytes wide, with the reading side of std::string. A big story
// holds hundreds of thousands of values; keeping each as its own std::string cost more memory
// and time than reading the file. Like the scene records, a StoryString is valid while the
// story's scenes are: keep a std::string copy (str()) of anything needed after a new read.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

class StoryString {
 public:
  // Stored texts are preceded by their length: four bytes, least significant first.
  static constexpr size_t kLengthBytes = 4;

  StoryString() { SetText(kEmptyText + kLengthBytes); }
  // A text of the program itself laid out as the store lays texts out: the length bytes, the
  // text and a NUL byte, e.g. "\x07\0\0\0" "FOREVER".
  static StoryString Stored(const char* lengthAndText) { return StoryString(lengthAndText + kLengthBytes); }

  const char* data() const { return Text(); }
  const char* c_str() const { return Text(); }
  size_t size() const {
    const auto* length = reinterpret_cast<const unsigned char*>(Text()) - kLengthBytes;
    return length[0] | length[1] << 8 | length[2] << 16 | static_cast<size_t>(length[3]) << 24;
  }
  size_t length() const { return size(); }
  bool empty() const { return size() == 0; }
  const char* begin() const { return Text(); }
  const char* end() const { return Text() + size(); }
  char operator[](size_t index) const { return Text()[index]; }
  char back() const { return Text()[size() - 1]; }

  std::string_view view() const { return std::string_view(Text(), size()); }
  std::string str() const { return std::string(Text(), size()); }
  operator std::string_view() const { return view(); }
  operator std::string() const { return str(); }

  size_t find(char c, size_t from = 0) const { return view().find(c, from); }
  size_t find(std::string_view text, size_t from = 0) const { return view().find(text, from); }
  std::string substr(size_t from, size_t count = std::string::npos) const {
    return std::string(view().substr(from, count));
  }
  int compare(std::string_view other) const { return view().compare(other); }

 private:
  friend class CStoryArena;
  // text points just past its length bytes and ends in a NUL byte.
  explicit StoryString(const char* text) { SetText(text); }

  // The pointer is kept in two 32-bit halves: a scene value, its line and its text, then takes
  // twelve bytes instead of sixteen, and a scene record a quarter less.
  const char* Text() const {
    return reinterpret_cast<const char*>(static_cast<uintptr_t>(static_cast<uint64_t>(m_textHigh) << 32 | m_textLow));
  }
  void SetText(const char* text) {
    auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(text));
    m_textLow = static_cast<uint32_t>(bits);
    m_textHigh = static_cast<uint32_t>(bits >> 32);
  }

  static constexpr char kEmptyText[kLengthBytes + 1] = {};
  uint32_t m_textLow = 0;
  uint32_t m_textHigh = 0;
};

inline bool operator==(const StoryString& a, std::string_view b) { return a.view() == b; }
inline bool operator==(std::string_view a, const StoryString& b) { return a == b.view(); }
inline bool operator==(const StoryString& a, const StoryString& b) { return a.view() == b.view(); }
inline bool operator==(const StoryString& a, const char* b) { return a.view() == b; }
inline bool operator==(const char* a, const StoryString& b) { return a == b.view(); }
inline bool operator==(const StoryString& a, const std::string& b) { return a.view() == b; }
inline bool operator==(const std::string& a, const StoryString& b) { return a == b.view(); }
template <class T>
bool operator!=(const StoryString& a, const T& b) { return !(a == b); }
template <class T>
bool operator!=(const T& a, const StoryString& b) { return !(a == b); }
inline bool operator!=(const StoryString& a, const StoryString& b) { return !(a == b); }

inline std::string operator+(const std::string& a, const StoryString& b) { return a + b.str(); }
inline std::string operator+(const StoryString& a, const std::string& b) { return a.str() + b; }
inline std::string operator+(const char* a, const StoryString& b) { return a + b.str(); }
inline std::string operator+(const StoryString& a, const char* b) { return a.str() + b; }
inline std::string& operator+=(std::string& a, const StoryString& b) { return a.append(b.data(), b.size()); }

inline std::ostream& operator<<(std::ostream& out, const StoryString& text) { return out << text.view(); }
