// fablewick-story: checks and inspects stories for their authors, without a display.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/storytool/ToolCommands.h"

namespace {

// Commands are added here as the subsystems they use arrive.
const ToolCommand* const kCommands[] = {
    &kDumpCommand,
    &kValidateCommand,
    &kNameCommand,
    &kUnusedCommand,
    &kDecodeCommand,
    &kMediaCommand,
    &kDevicesCommand,
    &kPlayCommand,
};

void PrintUsage() {
  std::fprintf(stderr, "usage: fablewick-story COMMAND [OPTIONS] ARGUMENTS\ncommands:\n");
  for (const ToolCommand* command : kCommands)
    std::fprintf(stderr, "  %s %s\n", command->name, command->usage);
}

}  // namespace

int UsageError(const ToolCommand& command) {
  std::fprintf(stderr, "usage: fablewick-story %s %s\n", command.name, command.usage);
  return kExitUsage;
}

int main(int argc, char** argv) {
  if (argc >= 2) {
    for (const ToolCommand* command : kCommands) {
      if (std::strcmp(command->name, argv[1]) == 0)
        return command->run(ToolArgs(argv + 2, argv + argc));
    }
  }
  PrintUsage();
  return kExitUsage;
}
