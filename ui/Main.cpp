// The player's entry point: --help and --version are answered before the windowing system starts.
#include "ui/CommandLine.h"
#include "ui/VeskoGameApp.h"

wxIMPLEMENT_APP_NO_MAIN(CVeskoGameApp);

int main(int argc, char** argv) {
  const int status = AnswerInformationRequests(argc, argv);
  if (status >= 0) return status;
  return wxEntry(argc, argv);
}
