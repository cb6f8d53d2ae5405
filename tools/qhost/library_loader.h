#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace qhost {

// An address found in a loaded library. void (*)() is the one function pointer type that
// casts to and from every other without a warning; each export is cast to its own type.
using ExportAddress = void (*)();

class LibraryLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A shared library loaded by path, the way any host loads it, and unloaded when the object
// dies. The operating system's loader is reached only in library_loader_<os>.cpp.
class SharedLibrary {
 public:
  // Throws LibraryLoadError carrying the loader's own message.
  explicit SharedLibrary(const std::string& path);
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // The address of an exported symbol, or null when the library does not export it.
  ExportAddress Find(const std::string& symbol) const;
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
  void* m_handle = nullptr;
};

// The library's file names on this system, in the order they are tried: on Linux the name
// that carries the major version (the SONAME) comes first, because a runtime-only install
// has no unversioned link; the plain name is there in build trees and development installs.
std::vector<std::string> LibraryFileNames();

// The folder that holds the running executable; empty when the system cannot tell.
std::string ExecutableDirectory();

}  // namespace qhost
