// The private pair of throwaway servers the fault cases kill and restart, kept apart from the
// suite's shared pair by their folder and ports.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace fault_tests {

// True where a missing server must fail the cases (CI), not skip them.
bool ServersRequired();

class PrivateServers : public ::testing::Environment {
 public:
  static std::string dir, problem, env;

  // Runs one of the server scripts on the private folder; false when it fails.
  static bool Script(const std::string& command);
  // A connect string the start script wrote for key; empty when it wrote none.
  static std::string ConnectString(const std::string& key);

  void SetUp() override;
  void TearDown() override;

 private:
  // A case that overruns its deadline (a call that hangs) fails the program at once, after
  // stopping the servers: the handler does only what a signal handler may.
  static void PrepareDeadline();
  static char** stopArgv;
  static const std::string* deadlineText;
};

}  // namespace fault_tests
