#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "library_loader.h"
#include "quorlin.h"

namespace qhost {

SharedLibrary::SharedLibrary(const std::string& path) : m_path(path) {
  // RTLD_LOCAL keeps the library's symbols to itself, as in a host that loads plug-ins;
  // RTLD_NOW makes a library with unresolved imports fail here rather than mid-session.
  m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr) {
    const char* reason = dlerror();
    throw LibraryLoadError(reason != nullptr ? reason : "cannot load " + path);
  }
}

SharedLibrary::~SharedLibrary() {
  dlclose(m_handle);
}

ExportAddress SharedLibrary::Find(const std::string& symbol) const {
  return reinterpret_cast<ExportAddress>(dlsym(m_handle, symbol.c_str()));
}

std::vector<std::string> LibraryFileNames() {
  // The SONAME follows the major version that the header states.
  return {"libquorlin.so." + std::to_string(QUORLIN_VERSION_MAJOR), "libquorlin.so"};
}

std::string ExecutableDirectory() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  const std::string executable(path, static_cast<std::size_t>(length));
  const std::size_t slash = executable.rfind('/');
  return slash == std::string::npos ? std::string() : executable.substr(0, slash);
}

}  // namespace qhost
