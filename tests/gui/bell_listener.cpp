#include "bell_listener.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>
#include <thread>

namespace quorlin::test {

struct BellListener::Connection {
  Display* display = nullptr;
  int xkbEventBase = 0;
  ~Connection() {
    if (display != nullptr) XCloseDisplay(display);
  }
};

BellListener::BellListener() : m_connection(std::make_unique<Connection>()) {
  // A virtual display now and then drops a connection while it is being set up.
  Display* display = nullptr;
  for (int attempt = 0; attempt < 3 && display == nullptr; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    display = XOpenDisplay(nullptr);
  }
  if (display == nullptr) return;
  m_connection->display = display;
  int opcode = 0, errorBase = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &m_connection->xkbEventBase, &errorBase, &major,
                         &minor) ||
      !XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask)) {
    XCloseDisplay(display);
    m_connection->display = nullptr;
    return;
  }
  XSync(display, False);
}

BellListener::~BellListener() = default;

bool BellListener::Listening() const {
  return m_connection->display != nullptr;
}

bool BellListener::BellRang(std::chrono::milliseconds timeout) {
  Display* display = m_connection->display;
  if (display == nullptr) return false;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  do {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      const auto& xkb = reinterpret_cast<const XkbAnyEvent&>(event);
      if (event.type == m_connection->xkbEventBase && xkb.xkb_type == XkbBellNotify) {
        return true;
      }
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 50);
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

}  // namespace quorlin::test
