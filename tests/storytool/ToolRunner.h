#pragma once
// Runs a program of the build and collects its exit status and output.
#include <string>
#include <vector>

struct ToolRun {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs program with the arguments; environment entries "NAME=value" are added to its own.
ToolRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment = {});

// fablewick-story with the arguments.
ToolRun RunStoryTool(const std::vector<std::string>& args, const std::vector<std::string>& environment = {});
