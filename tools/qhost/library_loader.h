#pragma once

#include <stdexcept>
#include <string>

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

// The file name of the library on this system (libquorlin.so, quorlin.dll).
const char* DefaultLibraryFileName();

// The folder that holds the running executable; empty when the system cannot tell.
std::string ExecutableDirectory();

}  // namespace qhost
