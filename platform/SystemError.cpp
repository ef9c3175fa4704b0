#include "platform/SystemError.h"

#include <system_error>

namespace platform {

std::string SystemErrorText(int error) {
  std::string text = std::system_category().message(error);
  // glibc answers "Unknown error N" for numbers it does not know: that is no description.
  if (text.rfind("Unknown error", 0) == 0) return std::string();
  return text;
}

}  // namespace platform
