// The player's entry point.
#include "ui/VeskoGameApp.h"

wxIMPLEMENT_APP(CVeskoGameApp);
