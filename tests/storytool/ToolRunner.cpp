#include "tests/storytool/ToolRunner.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/TestFiles.h"

ToolRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment) {
  testing_support::TempDir dir;
  std::string outPath = dir / "out", errPath = dir / "err";
  ToolRun run;
  pid_t child = ::fork();
  if (child == 0) {
    int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(out, 1);
    ::dup2(err, 2);
    for (const std::string& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  run.out = testing_support::ReadFile(outPath);
  run.err = testing_support::ReadFile(errPath);
  return run;
}

ToolRun RunStoryTool(const std::vector<std::string>& args, const std::vector<std::string>& environment) {
  return RunProgram(FABLEWICK_STORY_TOOL, args, environment);
}
