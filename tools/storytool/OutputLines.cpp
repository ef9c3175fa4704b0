#include "tools/storytool/OutputLines.h"

#include "platform/TextEncoding.h"

void PrintLines(FILE* stream, const std::string& text) {
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    std::string line = platform::ToDisplayUtf8(text.substr(start, end - start));
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stream);
    if (end == std::string::npos) break;
    start = end + 1;
  }
}
