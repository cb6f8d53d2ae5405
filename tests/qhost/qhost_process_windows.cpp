#include <windows.h>

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "qhost_process.h"

namespace qhost::test {

namespace {

// One argument as the C runtime splits a command line: quoted, with the backslashes before
// a quote (and before the closing quote) doubled.
std::string Quoted(const std::string& argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// A file handle the child inherits; closed with the object.
class InheritedFile {
 public:
  InheritedFile(const std::string& path, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    m_handle = CreateFileA(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  }
  ~InheritedFile() { CloseHandle(m_handle); }
  InheritedFile(const InheritedFile&) = delete;
  InheritedFile& operator=(const InheritedFile&) = delete;
  HANDLE Get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

// Windows programs end their text lines with CR LF; the tests compare LF lines.
void DropCarriageReturns(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
  std::ofstream(path, std::ios::binary | std::ios::trunc) << lines;
}

}  // namespace

// The drivers behind Wine's ODBC are Linux ones and take Linux paths only; a rooted Unix
// folder is also a path on the program's own drive (Wine's Z:, where it starts).
std::string MakeTempFolder() {
  std::random_device seed;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = "/tmp/qhost-test-" + std::to_string(seed());
    if (CreateDirectoryA(path.c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw std::runtime_error("no temp folder could be made under /tmp");
}

namespace {

// The run itself; the files are closed when it returns.
int RunWithFiles(const std::string& folder, const std::string& program,
                 const std::vector<std::string>& arguments, const std::string& inputFile,
                 const std::string& outFile, const std::string& errFile) {
  const InheritedFile in(inputFile, false);
  const InheritedFile out(outFile, true);
  const InheritedFile err(errFile, true);
  const std::string application = WindowsPath(program);
  std::string commandLine = Quoted(application);
  for (const std::string& argument : arguments) commandLine += " " + Quoted(argument);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.Get();
  startup.hStdOutput = out.Get();
  startup.hStdError = err.Get();
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      WindowsPath(folder).c_str(), &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  const bool ended = GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ended ? static_cast<int>(status) : -1;
}

}  // namespace

// Sets environment variables for the children started while it lives, and puts back what
// was there before.
class ChildEnvironment {
 public:
  explicit ChildEnvironment(const std::vector<EnvironmentSetting>& settings) {
    for (const EnvironmentSetting& setting : settings) {
      char old[32767];
      const DWORD length = GetEnvironmentVariableA(setting.name.c_str(), old, sizeof old);
      m_previous.push_back({setting.name, std::string(old, length < sizeof old ? length : 0),
                            length > 0 && length < sizeof old});
      SetEnvironmentVariableA(setting.name.c_str(),
                              setting.value.empty() ? nullptr : setting.value.c_str());
    }
  }
  ~ChildEnvironment() {
    for (auto it = m_previous.rbegin(); it != m_previous.rend(); ++it) {
      SetEnvironmentVariableA(it->name.c_str(), it->wasSet ? it->value.c_str() : nullptr);
    }
  }
  ChildEnvironment(const ChildEnvironment&) = delete;
  ChildEnvironment& operator=(const ChildEnvironment&) = delete;

 private:
  struct Previous {
    std::string name;
    std::string value;
    bool wasSet;
  };
  std::vector<Previous> m_previous;
};

int RunProgram(const std::string& folder, const std::string& program,
               const std::vector<std::string>& arguments, const std::string& inputFile,
               const std::string& outFile, const std::string& errFile,
               const std::vector<EnvironmentSetting>& environment) {
  int status = -1;
  {
    const ChildEnvironment childEnvironment(environment);
    status = RunWithFiles(folder, program, arguments, inputFile, outFile, errFile);
  }
  DropCarriageReturns(outFile);
  DropCarriageReturns(errFile);
  return status;
}

bool LibraryExports(const std::string& path, const char* name) {
  HMODULE library = LoadLibraryA(WindowsPath(path).c_str());
  if (library == nullptr) return false;
  // 32-bit DLLs export _name@N, N the bytes of the arguments (none takes more than 64).
  bool found = GetProcAddress(library, name) != nullptr;
  for (int bytes = 0; !found && bytes <= 64; bytes += 4) {
    const std::string decorated = "_" + std::string(name) + "@" + std::to_string(bytes);
    found = GetProcAddress(library, decorated.c_str()) != nullptr;
  }
  FreeLibrary(library);
  return found;
}

}  // namespace qhost::test
