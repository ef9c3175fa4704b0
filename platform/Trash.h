#pragma once
#include <string>

namespace platform {

// Moves one file to the desktop's trash (freedesktop.org Trash, through GIO), where the user can
// restore it. Returns false with a description in error when the file stays where it was.
bool MoveToTrash(const std::string& path, std::string& error);

}  // namespace platform
