#pragma once
// The folder browser: the desktop's folder chooser.
#include <string>

class wxWindow;

enum class FolderBrowseResult { Chosen = 1, Cancelled = 2 };

// Shows the folder chooser with title ("Please Select a Directory" when empty) over owner,
// starting at folder when it exists. On Chosen, folder is the chosen folder's path.
FolderBrowseResult BrowseForFolder(wxWindow* owner, const std::string& title, std::string& folder);
