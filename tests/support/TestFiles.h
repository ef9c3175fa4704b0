#pragma once
// Small helpers for tests that work with files.
#include <cstddef>
#include <string>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes out of scope. Its path ends without a separator.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  // Path of a name inside the folder.
  std::string operator/(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// Writes bytes to a file, creating the folders on its path. Fails the test on error.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
void MakeFolders(const std::string& path);

// The external decoder corpus beside the repository, or an empty text when it is absent.
std::string CorpusDir();

// Source tree root, for test data kept in the repository.
std::string SourceDir();

// Files the process has open now, to show that a loader closes what it opened.
size_t OpenDescriptorCount();

// The most memory the process has held at once so far, in KiB, to show that a hostile input
// does not make a loader allocate what it claims.
long PeakResidentKiB();

}  // namespace testing_support
