// fablewick-story: checks and inspects stories for their authors, without a display.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/storytool/ToolCommands.h"

namespace {

// Commands are added here as the subsystems they use arrive.
const ToolCommand* const kCommands[] = {
    &kDumpCommand,
    &kValidateCommand,
    &kLintCommand,
    &kGraphCommand,
    &kNameCommand,
    &kUnusedCommand,
    &kDecodeCommand,
    &kMediaCommand,
    &kDevicesCommand,
    &kPlayCommand,
    &kNewCommand,
};

void PrintUsage(FILE* stream) {
  std::fprintf(stream, "usage: fablewick-story COMMAND [OPTIONS] ARGUMENTS\ncommands:\n");
  for (const ToolCommand* command : kCommands)
    std::fprintf(stream, "  %s %s\n", command->name, command->usage);
  std::fprintf(stream, "FILE is a story's gamefile.txt or its folder; \"fablewick-story COMMAND --help\" shows one "
                       "command's usage.\n");
}

bool AsksForHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

int UsageError(const ToolCommand& command) {
  std::fprintf(stderr, "usage: fablewick-story %s %s\n", command.name, command.usage);
  return kExitUsage;
}

int main(int argc, char** argv) {
  if (argc >= 2 && (AsksForHelp(argv[1]) || std::strcmp(argv[1], "help") == 0)) {
    PrintUsage(stdout);
    return kExitOk;
  }
  if (argc >= 2) {
    for (const ToolCommand* command : kCommands) {
      if (std::strcmp(command->name, argv[1]) != 0) continue;
      ToolArgs args(argv + 2, argv + argc);
      if (std::any_of(args.begin(), args.end(), AsksForHelp)) {
        std::printf("usage: fablewick-story %s %s\n", command->name, command->usage);
        return kExitOk;
      }
      return command->run(args);
    }
  }
  PrintUsage(stderr);
  return kExitUsage;
}
