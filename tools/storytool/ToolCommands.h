#pragma once
// The commands of fablewick-story. Each takes the arguments after its name and returns the
// process exit status: 0 success, 1 the story has errors (or no name), 2 usage error or
// unreadable file (with a message on stderr).
#include <string>
#include <vector>

using ToolArgs = std::vector<std::string>;

constexpr int kExitOk = 0;
constexpr int kExitStoryErrors = 1;
constexpr int kExitUsage = 2;

struct ToolCommand {
  const char* name;
  const char* usage;  // arguments, shown in the usage text
  int (*run)(const ToolArgs& args);
};

// Prints "usage: fablewick-story <name> <usage>" to stderr and returns kExitUsage.
int UsageError(const ToolCommand& command);

// The commands, each defined in its own file.
extern const ToolCommand kDumpCommand;
extern const ToolCommand kValidateCommand;
extern const ToolCommand kNameCommand;
extern const ToolCommand kUnusedCommand;
extern const ToolCommand kDecodeCommand;
extern const ToolCommand kMediaCommand;
extern const ToolCommand kDevicesCommand;
extern const ToolCommand kPlayCommand;
extern const ToolCommand kLintCommand;
extern const ToolCommand kNewCommand;
extern const ToolCommand kGraphCommand;
