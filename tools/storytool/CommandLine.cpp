#include "tools/storytool/CommandLine.h"

#include <cerrno>
#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/SystemError.h"
#include "tools/storytool/OutputLines.h"

bool ParseStoryArguments(const ToolArgs& args, const std::set<std::string>& allowed,
                         std::set<std::string>& options, std::string& file) {
  int files = 0;
  for (const std::string& arg : args) {
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      if (!allowed.count(arg)) return false;
      options.insert(arg);
    } else {
      file = arg;
      ++files;
    }
  }
  return files == 1;
}

bool ResolveStoryFile(const std::string& argument, std::string& path) {
  path = argument;
  if (platform::GetFileKind(path) == platform::FileKind::Folder)
    path += (path.back() == '/' ? "" : "/") + std::string("gamefile.txt");
  std::string reason;
  if (platform::GetFileKind(path) == platform::FileKind::Folder) {
    reason = platform::SystemErrorText(EISDIR);
  } else if (FILE* file = platform::OpenFile(path, "rb")) {
    std::fclose(file);
    return true;
  } else {
    reason = platform::SystemErrorText(errno);
  }
  PrintLines(stderr, "fablewick-story: cannot read " + path + ": " + reason);
  return false;
}
