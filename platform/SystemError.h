#pragma once
#include <string>

namespace platform {

// The system's description of an error number (errno), or an empty text when it has none.
std::string SystemErrorText(int error);

}  // namespace platform
