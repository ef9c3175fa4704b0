#pragma once
// File-system services the program needs, in the form stories written on Windows expect:
// a path that does not exist as written is looked up again ignoring letter case, component by
// component, and folder listings match wildcards ignoring case.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The path as it exists on disk: the path itself when it exists, else the same path with each
// component replaced by an existing entry of equal name ignoring case as EqualsIgnoringCase
// compares names (a Windows-1252 name finds its UTF-8 file, a decomposed name its composed
// file, and the reverse). An exact match wins; among several variants the first in byte order.
// When a component matches nothing, the result is the path as written.
std::string ResolvePath(const std::string& path);

struct FolderIndex;

// While one lives, path resolution on this thread reads each folder once and keeps its entries
// by folded name, and remembers the paths it resolved, so that looking up many names in one
// folder does not read the folder for each name. Held while a story is validated; changes made
// to the folders meanwhile may go unseen. Nested scopes share the outermost one's index.
class FolderIndexScope {
 public:
  FolderIndexScope();
  ~FolderIndexScope();
  FolderIndexScope(const FolderIndexScope&) = delete;
  FolderIndexScope& operator=(const FolderIndexScope&) = delete;

 private:
  std::unique_ptr<FolderIndex> m_index;  // none when an outer scope holds the index
};

enum class FileKind { Missing, Regular, Folder, Other };

// Kind of the entry at the path (resolved as ResolvePath does); links are followed.
FileKind GetFileKind(const std::string& path);

// The entry at the path (resolved as ResolvePath does) is itself a symbolic link.
bool IsSymbolicLink(const std::string& path);

// A regular file or another non-folder entry exists at the path.
bool FileExists(const std::string& path);
// A folder exists at the path.
bool FolderExists(const std::string& path);

// Opens the resolved path for reading without ever waiting in the open. Only regular files and
// folders open (reading a folder fails with EISDIR); a named pipe, a device or a socket, which
// could block or never end, fails with ENOTSUP. Returns the descriptor, or -1 with errno set.
int OpenForReading(const std::string& path);

// The same as a stream for reading (mode "rb" or "r"). Sets errno on failure like fopen.
FILE* OpenFile(const std::string& path, const char* mode);

// Whether name matches a wildcard mask with '*' and '?', ignoring ASCII case. "*.*" matches
// every name, also one without a dot, as on the system the stories come from.
bool WildcardMatch(const std::string& mask, const std::string& name);

struct DirEntry {
  std::string name;
  bool isFolder = false;
  // Last write time as a 64-bit file time: 100-nanosecond units since 1601-01-01 UTC.
  uint64_t writeTime = 0;
};

// Lists the entries of the folder part of pattern whose names match its last component (the
// part after the last '/'), in the order the file system reports them; "." and ".." are left
// out. A pattern without '/' lists the current directory. Returns false with error set to the
// errno when the folder cannot be opened or the listing breaks off; entries read until then are
// kept. opened (when given) tells the two failures apart.
bool ListDirectory(const std::string& pattern, std::vector<DirEntry>& entries, int& error,
                   bool* opened = nullptr);

// The absolute, lexically normalized form of path ("." and ".." components removed, repeated
// separators folded) against the current directory; links are not followed. Empty when the
// current directory cannot be read.
std::string GetFullPath(const std::string& path);

// The canonical path with every link resolved (realpath); empty when it does not exist.
std::string GetCanonicalPath(const std::string& path);

// Whether path lies inside folder: both canonical, path below folder (not folder itself).
bool IsInsideFolder(const std::string& canonicalPath, const std::string& canonicalFolder);

}  // namespace platform
