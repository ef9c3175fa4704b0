#pragma once
// The parse failure raised inside the MIDI file reader. It never leaves the reader: the reader
// catches it per chunk and reports whole-load failures by result and error text.
#include <string>
#include <utility>

class Exception {
 public:
  explicit Exception(std::string message) : m_message(std::move(message)) {}
  virtual ~Exception() = default;
  virtual const std::string& GetMessage() const { return m_message; }

 private:
  std::string m_message;
};
