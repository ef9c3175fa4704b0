#include "story/SystemErrorReport.h"

#include <cerrno>

#include "platform/SystemError.h"
#include "story/MessageFormat.h"
#include "story/StoryReporter.h"

namespace {

constexpr size_t kLongestDescription = 512;

}  // namespace

std::string FormatSystemError(const std::string& operation, const std::string& path, int code) {
  if (code == 0) code = errno;
  std::string number = std::to_string(static_cast<unsigned long>(static_cast<unsigned int>(code)));
  std::string description = platform::SystemErrorText(code);
  if (description.empty()) description = FillMessage("Unknown error code: %lu", {number});
  if (description.size() > kLongestDescription) description.resize(kLongestDescription);
  return "Path: " + path + "\n" + "Operation: " + operation + "\n" + "Error " +
         FillMessage("(%lu)", {number}) + ": " + description;
}

void ReportSystemError(IStoryReporter* reporter, const std::string& operation,
                       const std::string& path, int code) {
  std::string text = FormatSystemError(operation, path, code);
  if (reporter) reporter->ShowErrorBox(text);
}
