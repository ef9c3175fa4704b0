#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <unordered_map>

#include "platform/CaseFolding.h"

namespace platform {

// The entries of one folder by folded name, each the first in byte order of the names that fold
// alike.
using FoldedEntries = std::unordered_map<std::string, std::string>;

// What a FolderIndexScope remembers: the folders read, and the paths resolved, by the path as
// written (an empty optional when a component matched nothing).
struct FolderIndex {
  std::unordered_map<std::string, FoldedEntries> folders;
  std::unordered_map<std::string, std::optional<std::string>> resolvedPaths;
};

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

FoldedEntries ReadFoldedEntries(const std::string& folder) {
  FoldedEntries entries;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return entries;
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    auto inserted = entries.emplace(FoldCase(name), name);
    if (!inserted.second && name < inserted.first->second) inserted.first->second = name;
  }
  ::closedir(dir);
  return entries;
}

thread_local FolderIndex* t_folderIndex = nullptr;

// The entries of folder by folded name: read once while a FolderIndexScope lives, else each
// time.
const FoldedEntries& EntriesOf(const std::string& folder, FoldedEntries& unindexed) {
  if (!t_folderIndex) return unindexed = ReadFoldedEntries(folder);
  auto listed = t_folderIndex->folders.find(folder);
  if (listed == t_folderIndex->folders.end())
    listed = t_folderIndex->folders.emplace(folder, ReadFoldedEntries(folder)).first;
  return listed->second;
}

// The first entry of folder, in byte order, whose name equals component ignoring case.
bool FindCaseVariant(const std::string& folder, const std::string& component, std::string& found) {
  FoldedEntries unindexed;
  const FoldedEntries& entries = EntriesOf(folder, unindexed);
  auto entry = entries.find(FoldCase(component));
  if (entry == entries.end()) return false;
  found = entry->second;
  return true;
}

using Resolved = std::optional<std::string>;  // none when some component matches nothing

// What the FolderIndexScope of this thread remembers of path, if anything.
const Resolved* Remembered(const std::string& path) {
  if (!t_folderIndex) return nullptr;
  auto known = t_folderIndex->resolvedPaths.find(path);
  return known == t_folderIndex->resolvedPaths.end() ? nullptr : &known->second;
}

Resolved Remember(const std::string& path, Resolved resolved) {
  if (t_folderIndex) t_folderIndex->resolvedPaths.emplace(path, resolved);
  return resolved;
}

Resolved FindOnDisk(const std::string& path);

// The path as it exists on disk (see ResolvePath).
Resolved Resolve(const std::string& path) {
  if (const Resolved* known = Remembered(path)) return *known;
  if (path.empty() || Exists(path)) return Remember(path, path);
  return Remember(path, FindOnDisk(path));
}

// The same for a path known to be missing as written.
Resolved ResolveMissing(const std::string& path) {
  if (const Resolved* known = Remembered(path)) return *known;
  return Remember(path, FindOnDisk(path));
}

// A path missing as written: its folder resolved, then its last component, exactly when an
// entry has that name, else by the first entry in byte order that equals it ignoring case.
Resolved FindOnDisk(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    std::string variant;
    if (path == "." || path == ".." || !FindCaseVariant(".", path, variant)) return std::nullopt;
    return variant;
  }
  Resolved folder = Resolve(path.substr(0, slash));
  if (!folder) return std::nullopt;
  std::string name = path.substr(slash + 1);
  std::string prefix = *folder + '/';
  if (name.empty() || name == "." || name == "..") return prefix + name;
  // With its folder spelt otherwise, the exact name may exist there and wins over its variants.
  if (*folder != path.substr(0, slash) && Exists(prefix + name)) return prefix + name;
  std::string variant;
  if (!FindCaseVariant(folder->empty() ? "/" : *folder, name, variant)) return std::nullopt;
  return prefix + variant;
}

std::vector<std::string> SplitComponents(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}

uint64_t ToFileTime(const struct timespec& ts) {
  // Seconds between 1601-01-01 and 1970-01-01, in 100-nanosecond units.
  const uint64_t kEpochDifference = 116444736000000000ULL;
  return kEpochDifference + static_cast<uint64_t>(ts.tv_sec) * 10000000ULL +
         static_cast<uint64_t>(ts.tv_nsec) / 100;
}

}  // namespace

FolderIndexScope::FolderIndexScope() : m_index(t_folderIndex ? nullptr : new FolderIndex) {
  if (m_index) t_folderIndex = m_index.get();
}

FolderIndexScope::~FolderIndexScope() {
  if (m_index) t_folderIndex = nullptr;
}

std::string ResolvePath(const std::string& path) {
  std::optional<std::string> resolved = Resolve(path);
  return resolved ? *resolved : path;  // nothing on disk matches: keep the path as written
}

FileKind GetFileKind(const std::string& path) {
  struct stat st;
  if (path.empty()) return FileKind::Missing;
  // The path as written first: resolving letter case is only needed when that fails.
  if (::stat(path.c_str(), &st) != 0) {
    Resolved resolved = ResolveMissing(path);
    if (!resolved || ::stat(resolved->c_str(), &st) != 0) return FileKind::Missing;
  }
  if (S_ISDIR(st.st_mode)) return FileKind::Folder;
  if (S_ISREG(st.st_mode)) return FileKind::Regular;
  return FileKind::Other;
}

bool IsSymbolicLink(const std::string& path) {
  struct stat st;
  return !path.empty() && ::lstat(ResolvePath(path).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool FileExists(const std::string& path) {
  FileKind kind = GetFileKind(path);
  return kind == FileKind::Regular || kind == FileKind::Other;
}

bool FolderExists(const std::string& path) { return GetFileKind(path) == FileKind::Folder; }

// Opens an existing file for reading without ever waiting: a named pipe would wait for a
// writer unless opened non-blocking. Only regular files and folders open; anything else fails
// with ENOTSUP.
static int OpenWithoutWaiting(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  int error = 0;
  if (::fstat(fd, &st) != 0)
    error = errno;
  else if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
    error = ENOTSUP;
  else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
    error = errno;
  if (error) {
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

int OpenForReading(const std::string& path) {
  if (path.empty()) {
    errno = ENOENT;
    return -1;
  }
  // Reading tries the path as written first: resolving letter case is only needed when it fails.
  if (const Resolved* known = Remembered(path)) return OpenWithoutWaiting(known->value_or(path));
  const int fd = OpenWithoutWaiting(path);
  if (fd >= 0 || (errno != ENOENT && errno != ENOTDIR)) return fd;
  const int missing = errno;
  Resolved resolved = ResolveMissing(path);
  if (resolved) return OpenWithoutWaiting(*resolved);
  errno = missing;
  return -1;
}

FILE* OpenFile(const std::string& path, const char* mode) {
  if (mode[0] != 'r') return std::fopen(ResolvePath(path).c_str(), mode);
  const int fd = OpenForReading(path);
  if (fd < 0) return nullptr;
  FILE* file = ::fdopen(fd, mode);
  if (!file) {
    const int error = errno;
    ::close(fd);
    errno = error;
  }
  return file;
}

bool WildcardMatch(const std::string& mask, const std::string& name) {
  if (mask == "*.*" || mask == "*") return true;
  // Iterative matcher with one backtrack point for the latest '*'.
  size_t m = 0, n = 0, starMask = std::string::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || FoldAscii(mask[m]) == FoldAscii(name[n]))) {
      ++m;
      ++n;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

bool ListDirectory(const std::string& pattern, std::vector<DirEntry>& entries, int& error,
                   bool* opened) {
  entries.clear();
  error = 0;
  if (opened) *opened = false;
  size_t slash = pattern.rfind('/');
  std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash + 1);
  std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  std::string resolved = ResolvePath(folder);
  DIR* dir = ::opendir(resolved.c_str());
  if (!dir) {
    error = errno;
    return false;
  }
  if (opened) *opened = true;
  std::string base = resolved;
  if (base.back() != '/') base += '/';
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (!entry) break;
    std::string name = entry->d_name;
    if (name == "." || name == ".." || !WildcardMatch(mask, name)) continue;
    DirEntry item;
    item.name = name;
    struct stat st;
    if (::stat((base + name).c_str(), &st) == 0) {
      item.isFolder = S_ISDIR(st.st_mode);
      item.writeTime = ToFileTime(st.st_mtim);
    }
    entries.push_back(std::move(item));
  }
  error = errno;
  ::closedir(dir);
  return error == 0;
}

std::string GetFullPath(const std::string& path) {
  std::string absolute = path;
  if (path.empty() || path[0] != '/') {
    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd)) return std::string();
    absolute = std::string(cwd) + "/" + path;
  }
  std::vector<std::string> kept;
  for (const std::string& part : SplitComponents(absolute)) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  std::string result;
  for (const std::string& part : kept) result += "/" + part;
  if (result.empty()) result = "/";
  // A trailing separator names a folder; keep it so that callers can tell.
  if (absolute.size() > 1 && absolute.back() == '/' && result.back() != '/') result += '/';
  return result;
}

std::string GetCanonicalPath(const std::string& path) {
  char buffer[PATH_MAX];
  if (!::realpath(ResolvePath(path).c_str(), buffer)) return std::string();
  return buffer;
}

bool IsInsideFolder(const std::string& canonicalPath, const std::string& canonicalFolder) {
  if (canonicalPath.empty() || canonicalFolder.empty()) return false;
  std::string folder = canonicalFolder;
  if (folder.back() != '/') folder += '/';
  return canonicalPath.size() > folder.size() && canonicalPath.compare(0, folder.size(), folder) == 0;
}

}  // namespace platform
