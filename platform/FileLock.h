#pragma once
// An exclusive advisory lock (flock) on a lock file, held for the object's life. Processes, and
// separate opens within one process, that lock the same file take turns.
#include <string>

namespace platform {

class FileLock {
 public:
  // Creates the lock file when it is missing and waits until the lock is granted.
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // False when the lock file could not be opened or locked.
  bool IsLocked() const { return m_fd >= 0; }

 private:
  int m_fd = -1;
};

}  // namespace platform
