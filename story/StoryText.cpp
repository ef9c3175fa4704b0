#include "story/StoryText.h"

#include <algorithm>

namespace story_text {
namespace {

// Larger than any 32-bit magnitude, small enough that one more digit cannot overflow.
constexpr uint64_t kMagnitudeCap = uint64_t(1) << 36;

struct ParsedNumber {
  bool negative = false;
  uint64_t magnitude = 0;  // capped at kMagnitudeCap
};

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

ParsedNumber ParseNumber(const std::string& text) {
  ParsedNumber number;
  size_t i = 0, n = text.size();
  while (i < n && IsWhiteSpace(static_cast<unsigned char>(text[i]))) ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) number.negative = text[i++] == '-';
  int base = 10;
  if (i < n && text[i] == '0') {
    // "0x" counts as a prefix only when a hexadecimal digit follows; else the 0 stands alone.
    if (i + 2 < n && (text[i + 1] == 'x' || text[i + 1] == 'X') && DigitValue(text[i + 2]) < 16) {
      base = 16;
      i += 2;
    } else {
      base = 8;
    }
  }
  for (; i < n; ++i) {
    int digit = DigitValue(text[i]);
    if (digit >= base) break;
    number.magnitude = std::min(number.magnitude * base + digit, kMagnitudeCap);
  }
  return number;
}

}  // namespace

int32_t ToSigned(const std::string& text) {
  ParsedNumber number = ParseNumber(text);
  if (number.negative) {
    if (number.magnitude >= (uint64_t(1) << 31)) return INT32_MIN;
    return static_cast<int32_t>(-static_cast<int64_t>(number.magnitude));
  }
  if (number.magnitude > static_cast<uint64_t>(INT32_MAX)) return INT32_MAX;
  return static_cast<int32_t>(number.magnitude);
}

uint32_t ToUnsigned(const std::string& text) {
  ParsedNumber number = ParseNumber(text);
  if (number.magnitude > UINT32_MAX) return UINT32_MAX;
  auto value = static_cast<uint32_t>(number.magnitude);
  return number.negative ? static_cast<uint32_t>(0u - value) : value;
}

void TrimRight(std::string& text) {
  size_t end = text.size();
  while (end > 0 && IsWhiteSpace(static_cast<unsigned char>(text[end - 1]))) --end;
  text.resize(end);
}

std::string ToSlashes(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

std::string JoinPath(const std::string& base, const std::string& part) {
  std::string joined = base;
  if (!base.empty() && base.back() != '/' && base.back() != '\\') joined += '/';
  joined += part;
  return joined;
}

std::string LastPathPart(const std::string& path) {
  size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Resolves the escapes of a value: backslash-n is a line feed; a backslash before another
// backslash or at the end stays; a backslash before any other character is dropped with it.
std::string Unescape(std::string text) {
  // Every escape shortens the text, so it is resolved where it stands.
  size_t from = text.find('\\');
  if (from == std::string::npos) return text;
  size_t to = from;
  while (from < text.size()) {
    char c = text[from];
    if (c != '\\') {
      text[to++] = c;
      from += 1;
    } else if (from + 1 < text.size() && text[from + 1] == 'n') {
      text[to++] = '\n';
      from += 2;
    } else if (from + 1 == text.size() || text[from + 1] == '\\') {
      text[to++] = '\\';
      from += 1;
    } else {
      from += 2;
    }
  }
  text.resize(to);
  return text;
}

}  // namespace story_text
