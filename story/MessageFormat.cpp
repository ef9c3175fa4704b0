#include "story/MessageFormat.h"

std::string FillMessage(const std::string& format, const std::vector<std::string>& arguments) {
  std::string text;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      text += format[i];
      continue;
    }
    if (format.compare(i, 2, "%%") == 0) {
      text += '%';
      i += 1;
    } else if (format.compare(i, 2, "%s") == 0 || format.compare(i, 3, "%lu") == 0) {
      if (next < arguments.size()) text += arguments[next++];
      i += format[i + 1] == 's' ? 1 : 2;
    } else {
      text += '%';
    }
  }
  return text;
}
