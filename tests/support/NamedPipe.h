#pragma once
// A named pipe in place of a file, for tests that check that nothing waits on one. A reader
// that opens it and waits for a writer is freed after a time limit (the pipe is opened for
// writing and closed again, so the reader's open returns and its reads find the end), so that
// such a reader fails its test at once instead of hanging it.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace testing_support {

class NamedPipe {
 public:
  // Makes the pipe at path (its folder must exist).
  explicit NamedPipe(std::string path, std::chrono::milliseconds limit = std::chrono::seconds(1));
  ~NamedPipe();
  NamedPipe(const NamedPipe&) = delete;
  NamedPipe& operator=(const NamedPipe&) = delete;

  // Whether a reader was still waiting on the pipe when the time limit had passed.
  bool ReaderWaited();

 private:
  void Watch(std::chrono::milliseconds limit);

  std::string m_path;
  std::mutex m_mutex;
  std::condition_variable m_stop;
  bool m_stopping = false;
  bool m_readerWaited = false;
  std::thread m_watcher;
};

}  // namespace testing_support
