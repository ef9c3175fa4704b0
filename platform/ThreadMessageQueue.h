#pragma once
// A thread's message queue: other threads post messages, the owning thread waits for them and
// takes them in the order they were posted.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

namespace platform {

struct ThreadMessage {
  uint32_t message = 0;
  uintptr_t wParam = 0;
  uintptr_t lParam = 0;
  // For MM_WOM_DONE: the buffer header's dwUser as it was when the device returned the buffer,
  // so that the receiver can tell which write of the buffer the notice belongs to.
  uint64_t tag = 0;
};

class ThreadMessageQueue {
 public:
  void Post(const ThreadMessage& message);

  // Waits until a message is queued.
  void WaitForMessage();
  // Waits until a message is queued or the deadline passes; true if one is queued.
  bool WaitForMessageUntil(std::chrono::steady_clock::time_point deadline);

  // Takes the oldest message; false when none is queued.
  bool Take(ThreadMessage& message);
  // Drops every queued message.
  void Clear();
  size_t Count();

 private:
  std::mutex m_mutex;
  std::condition_variable m_posted;
  std::deque<ThreadMessage> m_messages;
};

}  // namespace platform
