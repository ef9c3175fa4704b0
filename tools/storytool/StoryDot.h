#pragma once
// A story's scenes and links as a Graphviz graph in the DOT language: the first scene drawn with
// a double border, endings boxed, scenes play cannot reach grey, links to missing scenes drawn
// to a red node named after the missing scene, each link labelled with its option's number and
// the start of its text.
#include <string>

class CGameFile;

std::string StoryDot(const CGameFile& story);
