#include "platform/Trash.h"

#include <gio/gio.h>

namespace platform {

bool MoveToTrash(const std::string& path, std::string& error) {
  error.clear();
  if (path.empty()) {
    error = "No path given";
    return false;
  }
  GFile* file = g_file_new_for_path(path.c_str());
  GError* failure = nullptr;
  gboolean moved = g_file_trash(file, nullptr, &failure);
  if (!moved) {
    error = failure ? failure->message : "Unable to move to the trash";
    if (failure) g_error_free(failure);
  }
  g_object_unref(file);
  return moved;
}

}  // namespace platform
