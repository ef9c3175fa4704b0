#include "tests/support/NamedPipe.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testing_support {

NamedPipe::NamedPipe(std::string path, std::chrono::milliseconds limit) : m_path(std::move(path)) {
  if (::mkfifo(m_path.c_str(), 0600) != 0) ADD_FAILURE() << "cannot make the pipe " << m_path;
  m_watcher = std::thread([this, limit] { Watch(limit); });
}

NamedPipe::~NamedPipe() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
  }
  m_stop.notify_all();
  m_watcher.join();
}

bool NamedPipe::ReaderWaited() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_readerWaited;
}

// After the limit, and every 50 ms from then on, frees any reader: opening the writing end
// without waiting succeeds only while a reader has the pipe open.
void NamedPipe::Watch(std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> lock(m_mutex);
  if (m_stop.wait_for(lock, limit, [this] { return m_stopping; })) return;
  do {
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
      m_readerWaited = true;
      ::close(fd);
    }
  } while (!m_stop.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_stopping; }));
}

}  // namespace testing_support
