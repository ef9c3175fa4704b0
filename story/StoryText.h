#pragma once
// Small text rules of the story format: white space, letter case, numbers and paths.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/CaseFolding.h"

namespace story_text {

// Space, tab, carriage return, line feed, vertical tab and form feed.
inline bool IsWhiteSpace(int c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Names and words compare ignoring case throughout, for every letter, as platform/CaseFolding
// defines it: texts equal ignoring case have equal folded forms; CompareNoCase sorts accented
// names beside their plain letters; ASCII texts compare as they always did.
inline std::string FoldCase(std::string_view text) { return platform::FoldCase(text); }
inline bool EqualsNoCase(std::string_view a, std::string_view b) { return platform::EqualsIgnoringCase(a, b); }
inline int CompareNoCase(std::string_view a, std::string_view b) { return platform::CompareIgnoringCase(a, b); }
// Whether text begins with prefix, ignoring case.
inline bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return platform::StartsWithIgnoringCase(text, prefix);
}

// The integer of a text as a 32-bit long would hold it: leading white space skipped, optional
// sign, "0x" for hexadecimal, a leading 0 for octal, decimal otherwise; parsing stops at the
// first character that does not fit and no digits give 0. The signed form saturates at -2^31
// and 2^31-1; the unsigned form reads a leading minus as negation modulo 2^32 and saturates at
// 2^32-1.
int32_t ToSigned(const std::string& text);
uint32_t ToUnsigned(const std::string& text);

// Removes trailing white space.
void TrimRight(std::string& text);

// The story came from a system whose separator is '\': every backslash becomes '/'.
std::string ToSlashes(std::string text);

// base, a '/' unless base is empty or already ends in '/' or '\', then part.
std::string JoinPath(const std::string& base, const std::string& part);

// The part of a path after its last '/' or '\' (all of it when it has none).
std::string LastPathPart(const std::string& path);

// Resolves the escapes of a value: backslash-n is a line feed; a backslash before another
// backslash or at the end stays; a backslash before any other character is dropped with it.
std::string Unescape(std::string text);

}  // namespace story_text
