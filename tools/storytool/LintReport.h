#pragma once
// What lint finds, in the form compilers use so that editors can jump to each line:
// "PATH:LINE: error|warning|note: TEXT", or one JSON object a line.
#include <cstdint>
#include <string>
#include <vector>

enum class LintSeverity { Error, Warning, Note };

struct LintFinding {
  std::string Path;
  uint32_t Line = 0;  // 0: about the file as a whole
  LintSeverity Severity = LintSeverity::Warning;
  std::string Text;   // story bytes may be in it; printed for display
};

class CLintReport {
 public:
  explicit CLintReport(std::string storyPath) : m_storyPath(std::move(storyPath)) {}

  // A finding about a line of the story file.
  void Add(uint32_t line, LintSeverity severity, std::string text);
  // A finding about another file (a media file of the story).
  void AddAbout(std::string path, LintSeverity severity, std::string text);

  // The story file's findings by line, then those about other files; each finding once.
  std::vector<LintFinding> Sorted() const;
  size_t Count(LintSeverity severity) const;

 private:
  std::string m_storyPath;
  std::vector<LintFinding> m_findings;
};

// "PATH:LINE: warning: TEXT" (without ":LINE" for line 0), as UTF-8.
std::string FormatFinding(const LintFinding& finding);
// {"path": "…", "line": N, "severity": "warning", "message": "…"} on one line, as UTF-8.
std::string FindingJson(const LintFinding& finding);
