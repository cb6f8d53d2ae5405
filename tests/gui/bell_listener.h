#pragma once

#include <chrono>
#include <memory>

namespace quorlin::test {

// A second client of the X display that hears the server's bell (XKB bell notifications).
// Kept apart from the tests because Xlib's macros (None, Bool, Status) clash with GTest.
class BellListener {
 public:
  // Opens the display named in DISPLAY; Listening() tells whether that worked.
  BellListener();
  ~BellListener();
  BellListener(const BellListener&) = delete;
  BellListener& operator=(const BellListener&) = delete;

  bool Listening() const;
  // True when a bell rang since the last call, waiting up to timeout for one.
  bool BellRang(std::chrono::milliseconds timeout);

 private:
  struct Connection;
  std::unique_ptr<Connection> m_connection;
};

}  // namespace quorlin::test
