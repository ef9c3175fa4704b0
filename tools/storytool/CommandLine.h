#pragma once
// Argument handling shared by the story commands.
#include <set>
#include <string>

#include "tools/storytool/ToolCommands.h"

// Splits the arguments into options (words that begin with "--") and exactly one story file.
// False when an option is not among allowed or the count of files is not one.
bool ParseStoryArguments(const ToolArgs& args, const std::set<std::string>& allowed,
                         std::set<std::string>& options, std::string& file);

// The story file an argument names: a folder means its gamefile.txt. Prints why to stderr and
// returns false when that file cannot be read.
bool ResolveStoryFile(const std::string& argument, std::string& path);
