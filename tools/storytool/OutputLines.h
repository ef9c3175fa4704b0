#pragma once
// Printing story texts: each line that is valid UTF-8 is printed as it is, any other is read as
// Windows-1252 and printed as UTF-8.
#include <cstdio>
#include <string>

// Prints text line by line, each converted for display and ended with a line feed.
void PrintLines(FILE* stream, const std::string& text);
