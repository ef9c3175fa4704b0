#include "tools/storytool/StoryDot.h"

#include <map>

#include <glib.h>

#include "platform/TextEncoding.h"
#include "story/GameFile.h"
#include "story/StoryText.h"
#include "tools/storytool/StoryGraph.h"

namespace {

constexpr size_t kLabelLength = 30;

// A DOT string: quotes and backslashes escaped, line breaks as DOT's own.
std::string DotString(const std::string& text) {
  std::string out = "\"";
  for (char c : platform::ToDisplayUtf8(text)) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out + "\"";
}

std::string SceneNode(size_t index) { return "s" + std::to_string(index); }

std::string SceneAttributes(const CGameFile& story, const CStoryGraph& graph, size_t index) {
  std::string attributes = "label=" + DotString(story.Scenes()[index]->Header.Text);
  if (static_cast<int>(index) == graph.FirstScene()) attributes += ", peripheries=2, style=bold";
  if (graph.IsEnding(index)) attributes += ", shape=box";
  if (!graph.IsReachable(index)) attributes += ", color=grey60, fontcolor=grey50";
  return attributes;
}

// The text as UTF-8, cut to at most length characters (an ellipsis marks a cut).
std::string CutText(const std::string& text, size_t length) {
  std::string utf8 = platform::ToDisplayUtf8(text);
  if (static_cast<size_t>(g_utf8_strlen(utf8.c_str(), static_cast<gssize>(utf8.size()))) <= length) return utf8;
  const char* end = g_utf8_offset_to_pointer(utf8.c_str(), static_cast<glong>(length - 1));
  return utf8.substr(0, static_cast<size_t>(end - utf8.c_str())) + "\xE2\x80\xA6";
}

}  // namespace

std::string StoryDot(const CGameFile& story) {
  CStoryGraph graph(story);
  std::string title = story.Title().Name.Text.empty() ? story.Path() : story.Title().Name.Text;
  std::string dot = "digraph story {\n  label=" + DotString(title) + ";\n  labelloc=t;\n  fontname=Sans;\n" +
                    "  node [fontname=Sans];\n  edge [fontname=Sans];\n";
  for (size_t i = 0; i < story.Scenes().size(); ++i)
    dot += "  " + SceneNode(i) + " [" + SceneAttributes(story, graph, i) + "];\n";

  // One red node for each name that links use but no scene has.
  std::map<std::string, std::string> missing;
  for (const StoryLink& link : graph.Links()) {
    if (link.To >= 0) continue;
    std::string key = story_text::FoldCase(link.Target->Text);
    if (missing.count(key)) continue;
    std::string node = "missing" + std::to_string(missing.size());
    missing[key] = node;
    dot += "  " + node + " [label=" + DotString(link.Target->Text) + ", color=red, fontcolor=red, shape=octagon];\n";
  }
  for (const StoryLink& link : graph.Links()) {
    std::string to = link.To >= 0 ? SceneNode(static_cast<size_t>(link.To)) : missing[story_text::FoldCase(link.Target->Text)];
    std::string label = std::to_string(link.Option) + ": " + CutText(link.Text->Text, kLabelLength);
    dot += "  " + SceneNode(link.From) + " -> " + to + " [label=" + DotString(label) + "];\n";
  }
  return dot + "}\n";
}
