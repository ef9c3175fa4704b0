#pragma once
// The message window for a failed platform call on one of the user's paths: the path, what was
// being done ("Finding", "Searching in", ...) and the system's description of the error.
#include <string>

class IStoryReporter;

// code 0 means the calling thread's last error (errno).
std::string FormatSystemError(const std::string& operation, const std::string& path, int code);
void ReportSystemError(IStoryReporter* reporter, const std::string& operation,
                       const std::string& path, int code = 0);
