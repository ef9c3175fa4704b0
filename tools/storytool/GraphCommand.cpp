// fablewick-story graph [--svg OUT] FILE: the story's scenes and links as a Graphviz graph, in
// the DOT language on standard output, or drawn as SVG into OUT ("-": standard output) by the
// Graphviz library.
#include <graphviz/gvc.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/SystemError.h"
#include "story/GameFile.h"
#include "tools/storytool/CommandLine.h"
#include "tools/storytool/StoryDot.h"
#include "tools/storytool/ToolCommands.h"

namespace {

int Fail(const std::string& subject, const std::string& message) {
  std::fprintf(stderr, "fablewick-story graph: %s: %s\n", subject.c_str(), message.c_str());
  return kExitUsage;
}

// Lays the graph out with dot's layout and renders it as SVG into out.
bool RenderSvg(const std::string& dot, FILE* out) {
  GVC_t* context = gvContext();
  Agraph_t* graph = agmemread(dot.c_str());
  bool rendered = graph && gvLayout(context, graph, "dot") == 0;
  if (rendered) {
    rendered = gvRender(context, graph, "svg", out) == 0;
    gvFreeLayout(context, graph);
  }
  if (graph) agclose(graph);
  gvFreeContext(context);
  return rendered;
}

int WriteSvg(const std::string& dot, const std::string& path) {
  const bool toStdout = path == "-";
  FILE* out = toStdout ? stdout : std::fopen(path.c_str(), "wb");
  if (!out) return Fail(path, platform::SystemErrorText(errno));
  bool rendered = RenderSvg(dot, out);
  int error = errno;
  if ((toStdout ? std::fflush(out) : std::fclose(out)) != 0 && rendered) {
    return Fail(path, platform::SystemErrorText(errno));
  }
  if (!rendered) return Fail(path, error ? platform::SystemErrorText(error) : "the graph could not be drawn");
  return kExitOk;
}

bool ParseGraphArguments(const ToolArgs& args, std::string& file, std::string& svg) {
  ToolArgs rest;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--svg" && i + 1 < args.size())
      svg = args[++i];
    else
      rest.push_back(args[i]);
  }
  std::set<std::string> options;
  return ParseStoryArguments(rest, {}, options, file);
}

int RunGraph(const ToolArgs& args) {
  std::string argument, path, svg;
  if (!ParseGraphArguments(args, argument, svg)) return UsageError(kGraphCommand);
  if (!ResolveStoryFile(argument, path)) return kExitUsage;

  CGameFile story;  // unknown keywords are lint's business: nothing is told about them here
  story.OpenStory(path, false, false, true);
  std::string dot = StoryDot(story);
  if (!svg.empty()) return WriteSvg(dot, svg);
  std::fwrite(dot.data(), 1, dot.size(), stdout);
  return kExitOk;
}

}  // namespace

const ToolCommand kGraphCommand = {"graph", "[--svg OUT] FILE", RunGraph};
