#include "platform/ThreadMessageQueue.h"

namespace platform {

void ThreadMessageQueue::Post(const ThreadMessage& message) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.push_back(message);
  }
  m_posted.notify_one();
}

void ThreadMessageQueue::WaitForMessage() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_posted.wait(lock, [this] { return !m_messages.empty(); });
}

bool ThreadMessageQueue::WaitForMessageUntil(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(m_mutex);
  return m_posted.wait_until(lock, deadline, [this] { return !m_messages.empty(); });
}

bool ThreadMessageQueue::Take(ThreadMessage& message) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_messages.empty()) return false;
  message = m_messages.front();
  m_messages.pop_front();
  return true;
}

void ThreadMessageQueue::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_messages.clear();
}

size_t ThreadMessageQueue::Count() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_messages.size();
}

}  // namespace platform
