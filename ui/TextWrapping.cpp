#include "ui/TextWrapping.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The length of the UTF-8 character that starts at text[i].
size_t CharacterLength(const std::string& text, size_t i) {
  size_t length = 1;
  while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
    ++length;
  return length;
}

void TrimBlanksRight(std::string& line) {
  while (!line.empty() && IsBlank(line.back())) line.pop_back();
}

// Wraps one paragraph (no line feeds) into lines.
void WrapParagraph(const std::string& paragraph, int width, int tabWidth, const MeasureText& measure,
                   std::vector<std::string>& lines) {
  std::string line;
  bool lineHasWord = false;
  size_t i = 0;
  while (i < paragraph.size()) {
    const size_t blankStart = i;
    while (i < paragraph.size() && IsBlank(paragraph[i])) ++i;
    const std::string blanks = paragraph.substr(blankStart, i - blankStart);
    const size_t wordStart = i;
    while (i < paragraph.size() && !IsBlank(paragraph[i])) ++i;
    std::string word = paragraph.substr(wordStart, i - wordStart);

    if (LineWidth(line + blanks + word, tabWidth, measure) <= width) {
      line += blanks + word;
      lineHasWord = lineHasWord || !word.empty();
      continue;
    }
    if (lineHasWord) {  // the word starts the next line; the blanks before it go
      TrimBlanksRight(line);
      lines.push_back(line);
      line.clear();
    } else {
      line += blanks;  // leading blanks of the paragraph stay
    }
    // A word too wide for a line of its own is broken between characters.
    while (!word.empty() && LineWidth(line + word, tabWidth, measure) > width) {
      size_t fit = 0;
      while (fit < word.size()) {
        const size_t next = fit + CharacterLength(word, fit);
        if (LineWidth(line + word.substr(0, next), tabWidth, measure) > width) break;
        fit = next;
      }
      if (fit == 0 && line.empty()) fit = CharacterLength(word, 0);  // at least one character
      line += word.substr(0, fit);
      word.erase(0, fit);
      if (word.empty()) break;  // the last characters stay on the line
      TrimBlanksRight(line);
      lines.push_back(line);
      line.clear();
    }
    line += word;
    lineHasWord = line.find_first_not_of(" \t") != std::string::npos;
  }
  lines.push_back(line);
}

}  // namespace

std::vector<LinePiece> SplitAtTabs(const std::string& line, int tabWidth, const MeasureText& measure) {
  std::vector<LinePiece> pieces;
  int x = 0;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    const std::string piece = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    if (!piece.empty()) pieces.push_back({x, piece});
    x += piece.empty() ? 0 : measure(piece);
    if (tab == std::string::npos) break;
    if (tabWidth > 0) x = (x / tabWidth + 1) * tabWidth;
    start = tab + 1;
  }
  // The width of the line is where its last piece ends, or its last tab stop.
  pieces.push_back({x, std::string()});
  return pieces;
}

int LineWidth(const std::string& line, int tabWidth, const MeasureText& measure) {
  return SplitAtTabs(line, tabWidth, measure).back().x;
}

std::vector<std::string> WrapText(const std::string& text, int width, int tabWidth,
                                  const MeasureText& measure) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string paragraph = text.substr(start, end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
    WrapParagraph(paragraph, width, tabWidth, measure, lines);
    start = end + 1;
  }
  return lines;
}
