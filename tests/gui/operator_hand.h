#pragma once

#include <wx/gdicmn.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <string>

namespace quorlin::test {

// The operator's mouse and keyboard through the display server. The toolkit's simulator
// opens a display connection for every step, and a busy virtual display now and then drops
// one before the step happened, so each step (a move, a button or key going down or up) is
// tried again on its own. False when a step failed every try.
class OperatorHand {
 public:
  bool MoveTo(const wxPoint& point) {
    return Retried([&] { return m_simulator.MouseMove(point); });
  }

  bool Click() {
    return Retried([&] { return m_simulator.MouseDown(); }) &&
           Retried([&] { return m_simulator.MouseUp(); });
  }

  bool Press(int keycode) {
    return Retried([&] { return m_simulator.KeyDown(keycode); }) &&
           Retried([&] { return m_simulator.KeyUp(keycode); });
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
  static bool Retried(Step step) {
    constexpr int kTries = 3;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
      if (step()) return true;
      wxMilliSleep(50);
    }
    return false;
  }

  wxUIActionSimulator m_simulator;
};

}  // namespace quorlin::test
