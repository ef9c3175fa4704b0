#pragma once
// The checks lint adds to validation: what a story's file says that the player takes silently
// in a way its author did not mean. Each adds its findings to the report.
#include <string>
#include <vector>

class CGameFile;
class CLintReport;
class CStoryGraph;

// Validation's errors, each at its line (a scene's error without a line at the scene's header),
// a missing file with the name of a file it differs from only in letter case or accents.
void AddValidationErrors(const CGameFile& story, CLintReport& report);

// Scenes that no chain of links from the first scene reaches, names defined twice, endings.
void CheckSceneGraph(const CGameFile& story, const CStoryGraph& graph, CLintReport& report);

// Values the reader turns into defaults: animation speeds, loop counts and sound delays that
// are not what the format knows.
void CheckInterpretedValues(const CGameFile& story, CLintReport& report);

// Keywords a section does not know, with the keyword probably meant.
void CheckUnexpectedKeywords(const CGameFile& story, CLintReport& report);

// Checks on the file's own bytes: a byte-order mark that hides the first header, and folder or
// file names in which an escape swallowed a character.
void CheckFileText(const std::string& bytes, CLintReport& report);

// Every check above, on a story read without a reporter and its file's bytes: all lint finds
// but what it learns by loading the story's media.
void CheckStoryAndFile(const CGameFile& story, const std::string& bytes, CLintReport& report);

// The known keyword nearest to word among candidates (ignoring case), or empty when none is
// close enough to be a slip of the keyboard.
std::string NearestKeyword(const std::string& word, const std::vector<std::string>& candidates);
