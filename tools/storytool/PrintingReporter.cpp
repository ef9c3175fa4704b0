#include "tools/storytool/PrintingReporter.h"

#include <cstdio>

#include "tools/storytool/OutputLines.h"

void CPrintingReporter::ShowErrorBox(const std::string& text) { PrintLines(stderr, text); }

void CPrintingReporter::ShowWarningBox(const std::string& text) { PrintLines(stderr, text); }

void CPrintingReporter::ShowStoryErrors(const std::string&, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) PrintLines(stdout, line);
}
