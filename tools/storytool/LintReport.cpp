#include "tools/storytool/LintReport.h"

#include <algorithm>
#include <tuple>

#include "platform/TextEncoding.h"
#include "tools/storytool/JsonWriter.h"

namespace {

const char* SeverityName(LintSeverity severity) {
  switch (severity) {
    case LintSeverity::Error: return "error";
    case LintSeverity::Warning: return "warning";
    case LintSeverity::Note: return "note";
  }
  return "";
}

// A finding's text stays on its one line.
std::string OneLine(const std::string& text) {
  std::string line = platform::ToDisplayUtf8(text);
  std::replace(line.begin(), line.end(), '\n', ' ');
  return line;
}

}  // namespace

void CLintReport::Add(uint32_t line, LintSeverity severity, std::string text) {
  m_findings.push_back({m_storyPath, line, severity, std::move(text)});
}

void CLintReport::AddAbout(std::string path, LintSeverity severity, std::string text) {
  m_findings.push_back({std::move(path), 0, severity, std::move(text)});
}

std::vector<LintFinding> CLintReport::Sorted() const {
  std::vector<LintFinding> sorted = m_findings;
  auto key = [this](const LintFinding& finding) { return std::make_tuple(finding.Path != m_storyPath, finding.Line); };
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&key](const LintFinding& a, const LintFinding& b) { return key(a) < key(b); });
  auto same = [](const LintFinding& a, const LintFinding& b) {
    return a.Path == b.Path && a.Line == b.Line && a.Severity == b.Severity && a.Text == b.Text;
  };
  sorted.erase(std::unique(sorted.begin(), sorted.end(), same), sorted.end());
  return sorted;
}

size_t CLintReport::Count(LintSeverity severity) const {
  std::vector<LintFinding> sorted = Sorted();
  return static_cast<size_t>(std::count_if(sorted.begin(), sorted.end(),
                                           [severity](const LintFinding& f) { return f.Severity == severity; }));
}

std::string FormatFinding(const LintFinding& finding) {
  std::string location = platform::ToDisplayUtf8(finding.Path);
  if (finding.Line != 0) location += ":" + std::to_string(finding.Line);
  return location + ": " + SeverityName(finding.Severity) + ": " + OneLine(finding.Text);
}

std::string FindingJson(const LintFinding& finding) {
  return "{\"path\": " + JsonUtf8String(platform::ToDisplayUtf8(finding.Path)) +
         ", \"line\": " + std::to_string(finding.Line) + ", \"severity\": \"" + SeverityName(finding.Severity) +
         "\", \"message\": " + JsonUtf8String(OneLine(finding.Text)) + "}";
}
