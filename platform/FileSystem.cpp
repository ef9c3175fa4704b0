#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace platform {
namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

// The first entry of folder, in byte order, whose name equals component ignoring case.
bool FindCaseVariant(const std::string& folder, const std::string& component, std::string& found) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return false;
  bool any = false;
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (!EqualsIgnoringCase(name, component)) continue;
    if (!any || name < found) found = name;
    any = true;
  }
  ::closedir(dir);
  return any;
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

std::string ResolvePath(const std::string& path) {
  if (path.empty() || Exists(path)) return path;
  std::vector<std::string> parts = SplitComponents(path);
  std::string resolved;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    std::string prefix = resolved;
    if (i > 0) resolved += '/';
    if (part.empty() || part == "." || part == "..") {
      resolved += part;
      continue;
    }
    std::string exact = resolved + part;
    std::string variant;
    if (Exists(exact)) {
      resolved = exact;
    } else if (FindCaseVariant(i == 0 ? std::string(".") : (prefix.empty() ? "/" : prefix), part, variant)) {
      resolved += variant;
    } else {
      return path;  // nothing on disk matches: keep the path as written
    }
  }
  return resolved;
}

FileKind GetFileKind(const std::string& path) {
  struct stat st;
  if (path.empty()) return FileKind::Missing;
  // The path as written first: resolving letter case is only needed when that fails.
  if (::stat(path.c_str(), &st) != 0 && ::stat(ResolvePath(path).c_str(), &st) != 0) return FileKind::Missing;
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

int OpenForReading(const std::string& path) {
  if (path.empty()) {
    errno = ENOENT;
    return -1;
  }
  // Opening a named pipe for reading waits for a writer unless it is non-blocking.
  const int fd = ::open(ResolvePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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

FILE* OpenFile(const std::string& path, const char* mode) {
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
