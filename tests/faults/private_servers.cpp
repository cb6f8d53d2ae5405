#include "private_servers.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fault_tests {
namespace {

const std::string kScripts = QUORLIN_SERVER_SCRIPTS;

}  // namespace

bool ServersRequired() {
  const char* required = std::getenv("QUORLIN_REQUIRE_SERVERS");
  const char* ci = std::getenv("CI");
  return (required != nullptr && std::string(required) == "1") ||
         (ci != nullptr && std::string(ci) == "true");
}

std::string PrivateServers::dir, PrivateServers::problem, PrivateServers::env;
char** PrivateServers::stopArgv = nullptr;
const std::string* PrivateServers::deadlineText = nullptr;

bool PrivateServers::Script(const std::string& command) {
  const std::string line =
      "bash " + kScripts + "/" + command + " " + dir + " >>" + dir + ".log 2>&1 </dev/null";
  return std::system(line.c_str()) == 0;
}

std::string PrivateServers::ConnectString(const std::string& key) {
  const std::string start = "export " + key + "='";
  const std::size_t at = env.find(start);
  if (at == std::string::npos) return {};
  const std::size_t from = at + start.size();
  return env.substr(from, env.find('\'', from) - from);
}

void PrivateServers::SetUp() {
  char folder[] = "/tmp/quorlin-faults-XXXXXX";
  if (mkdtemp(folder) == nullptr) {
    problem = "no temporary folder";
    return;
  }
  dir = folder;
  PrepareDeadline();
  if (!Script("start-servers.sh --first-ports 55439,34079")) {
    std::ifstream log(dir + ".log");
    std::stringstream text;
    text << log.rdbuf();
    problem = "the private servers did not start:\n" + text.str();
    return;
  }
  std::ifstream in(dir + "/env.sh");
  std::stringstream text;
  text << in.rdbuf();
  env = text.str();
  // Before either library makes its ODBC environment.
  setenv("ODBCSYSINI", (dir + "/odbc").c_str(), 1);
}

void PrivateServers::TearDown() {
  if (dir.empty()) return;
  if (Script("stop-servers.sh")) std::system(("rm -rf " + dir + " " + dir + ".log").c_str());
}

void PrivateServers::PrepareDeadline() {
  static std::string stop = kScripts + "/stop-servers.sh";
  static std::string folder = dir;
  static std::string text =
      "\nserver fault case overran its deadline; stopping the servers (logs in " + dir + ")\n";
  static char* argv[] = {const_cast<char*>("bash"), stop.data(), folder.data(), nullptr};
  stopArgv = argv;
  deadlineText = &text;
  signal(SIGALRM, [](int) {
    [[maybe_unused]] ssize_t written = write(2, deadlineText->data(), deadlineText->size());
    const pid_t pid = fork();
    if (pid == 0) {
      execv("/bin/bash", stopArgv);
      _exit(127);
    }
    if (pid > 0) waitpid(pid, nullptr, 0);
    _exit(1);
  });
}

}  // namespace fault_tests
