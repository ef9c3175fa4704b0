#include "platform/CaseFolding.h"

#include <glib.h>

#include <algorithm>
#include <memory>

#include "platform/TextEncoding.h"

namespace platform {
namespace {

struct GFreeDeleter {
  void operator()(gchar* text) const { g_free(text); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string FoldAsciiText(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = FoldAscii(c);
  return folded;
}

// Simple case folding of one character: the full folding GLib gives, when that is one
// character. Letters whose full folding is several (ß to "ss") keep their own form, or take
// their lower case where that is one letter outside ASCII (capital ẞ to ß); the dotted capital
// I stays itself, as simple folding leaves it.
gunichar SimpleFold(gunichar c) {
  if (c < 0x80) return static_cast<gunichar>(FoldAscii(static_cast<char>(c)));
  char utf8[8];
  gint length = g_unichar_to_utf8(c, utf8);
  GText full(g_utf8_casefold(utf8, length));
  if (full && g_utf8_strlen(full.get(), -1) == 1) return g_utf8_get_char(full.get());
  gunichar lower = g_unichar_tolower(c);
  return lower >= 0x80 ? lower : c;
}

std::string Normalized(const std::string& utf8, GNormalizeMode mode) {
  GText normalized(g_utf8_normalize(utf8.data(), static_cast<gssize>(utf8.size()), mode));
  return normalized ? std::string(normalized.get()) : utf8;
}

// Folds a text that holds characters beyond ASCII. The folding works on the decomposed form, so
// that a letter and its accent fold alike whether they were written as one character or two.
std::string FoldUnicode(std::string_view text) {
  std::string utf8(text);
  if (!IsValidUtf8(utf8)) utf8 = Cp1252ToUtf8(utf8);
  std::string decomposed = Normalized(utf8, G_NORMALIZE_NFD);
  std::string folded;
  for (const gchar* p = decomposed.c_str(); *p; p = g_utf8_next_char(p))
    AppendUtf8(folded, SimpleFold(g_utf8_get_char(p)));
  return Normalized(folded, G_NORMALIZE_NFC);
}

// The letters of a folded text without their accents (the combining marks of its decomposed
// form).
std::string WithoutAccents(const std::string& folded) {
  std::string decomposed = Normalized(folded, G_NORMALIZE_NFD);
  std::string letters;
  for (const gchar* p = decomposed.c_str(); *p; p = g_utf8_next_char(p)) {
    gunichar c = g_utf8_get_char(p);
    if (g_unichar_type(c) != G_UNICODE_NON_SPACING_MARK) AppendUtf8(letters, c);
  }
  return letters;
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

std::string FoldCase(std::string_view text) {
  return IsAscii(text) ? FoldAsciiText(text) : FoldUnicode(text);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  // ASCII letters are compared as they come, so that the keyword tables are searched quickly. Two
  // ASCII characters that differ, or a text that goes on beyond the other, make the texts differ
  // however they continue: folding and composing never turn a letter into another letter.
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    if (static_cast<unsigned char>(a[i]) >= 0x80 || static_cast<unsigned char>(b[i]) >= 0x80)
      return FoldCase(a) == FoldCase(b);
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return a.size() == b.size();
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  std::string foldedText = FoldCase(text);
  std::string foldedPrefix = FoldCase(prefix);
  return foldedText.compare(0, foldedPrefix.size(), foldedPrefix) == 0;
}

std::string SortKeyIgnoringCase(std::string_view text) {
  if (IsAscii(text)) {
    std::string folded = FoldAsciiText(text);
    return folded + '\0' + folded;
  }
  std::string folded = FoldUnicode(text);
  return WithoutAccents(folded) + '\0' + folded;
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) return Sign(FoldAsciiText(a).compare(FoldAsciiText(b)));
  return Sign(SortKeyIgnoringCase(a).compare(SortKeyIgnoringCase(b)));
}

}  // namespace platform
