#pragma once
// The player's command line: fablewick [--help] [--version] [--scene NAME] [STORY], where STORY is
// a story's folder or its gamefile.txt.
#include <string>

class wxCmdLineParser;

// Puts the player's switches and its one parameter into parser.
void DescribeCommandLine(wxCmdLineParser& parser);

// Answers --help and --version before the windowing system starts (so that they work without a
// display): prints the usage or the version to standard output and gives the exit status 0.
// Gives -1 when the player should start. A line it cannot parse (perhaps holding the toolkit's
// own options) is left to the application's parse once the toolkit has taken those.
int AnswerInformationRequests(int argc, char** argv);

// "Fablewick 1.2.3": the program's name and version.
std::string VersionText();
