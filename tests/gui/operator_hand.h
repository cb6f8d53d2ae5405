#pragma once

#include <wx/gdicmn.h>
#include <wx/uiaction.h>

#include <memory>
#include <string>

namespace quorlin::test {

// The operator's mouse and keyboard through the display server. The toolkit's simulator
// opens its display connection when it is made and keeps it, and a busy virtual display now
// and then drops one while setting it up, after which every step fails: a step (a move, a
// button or key going down or up) that fails is tried again on a new simulator. False when
// a step failed every try.
class OperatorHand {
 public:
  bool MoveTo(const wxPoint& point) {
    return Retried([&] { return m_simulator->MouseMove(point); });
  }

  bool Click() {
    return Retried([&] { return m_simulator->MouseDown(); }) &&
           Retried([&] { return m_simulator->MouseUp(); });
  }

  bool Press(int keycode) {
    return Retried([&] { return m_simulator->KeyDown(keycode); }) &&
           Retried([&] { return m_simulator->KeyUp(keycode); });
  }

  // Lower-case letters and digits, which need no modifier.
  bool Type(const std::string& text) {
    for (const char c : text) {
      if (!Press(static_cast<unsigned char>(c))) return false;
    }
    return true;
  }

 private:
  template <typename Step>
  bool Retried(Step step) {
    constexpr int kTries = 3;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
      if (step()) return true;
      m_simulator = std::make_unique<wxUIActionSimulator>();
    }
    return false;
  }

  std::unique_ptr<wxUIActionSimulator> m_simulator = std::make_unique<wxUIActionSimulator>();
};

}  // namespace quorlin::test
