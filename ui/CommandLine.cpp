#include "ui/CommandLine.h"

#include <wx/cmdline.h>
#include <wx/log.h>
#include <wx/msgout.h>

#include <cstdio>

namespace {

const wxCmdLineEntryDesc kEntries[] = {
    {wxCMD_LINE_SWITCH, "h", "help", "show this help and exit", wxCMD_LINE_VAL_NONE, wxCMD_LINE_OPTION_HELP},
    {wxCMD_LINE_SWITCH, nullptr, "version", "show the version and exit", wxCMD_LINE_VAL_NONE, 0},
    {wxCMD_LINE_OPTION, nullptr, "scene", "enter the story's scene NAME at once, without its title page",
     wxCMD_LINE_VAL_STRING, 0},
    {wxCMD_LINE_PARAM, nullptr, nullptr, "story folder or gamefile.txt", wxCMD_LINE_VAL_STRING,
     wxCMD_LINE_PARAM_OPTIONAL},
    {wxCMD_LINE_NONE, nullptr, nullptr, nullptr, wxCMD_LINE_VAL_NONE, 0},
};

// Swallows what the parser would print about a line it cannot read.
class CSilentOutput : public wxMessageOutput {
 protected:
  void Output(const wxString&) override {}
};

}  // namespace

void DescribeCommandLine(wxCmdLineParser& parser) {
  parser.SetDesc(kEntries);
  parser.SetLogo("Fablewick plays interactive picture stories. Given a story, it opens that story on "
                 "its title page.");
}

std::string VersionText() {
  return "Fablewick " + std::to_string(FABLEWICK_VERSION_MAJOR) + "." + std::to_string(FABLEWICK_VERSION_MINOR) +
         "." + std::to_string(FABLEWICK_VERSION_PATCH);
}

int AnswerInformationRequests(int argc, char** argv) {
  wxCmdLineParser parser(argc, argv);
  DescribeCommandLine(parser);
  // A line this parse cannot read goes on to the application's own parse, which reports it.
  wxLogNull quiet;
  CSilentOutput silent;
  wxMessageOutput* previous = wxMessageOutput::Set(&silent);
  const int result = parser.Parse(false);
  wxMessageOutput::Set(previous);
  if (result == -1) {
    std::fputs(parser.GetUsageString().utf8_str(), stdout);
    return 0;
  }
  if (result == 0 && parser.Found("version")) {
    std::printf("%s\n", VersionText().c_str());
    return 0;
  }
  return -1;
}
