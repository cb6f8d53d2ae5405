#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "c_host_platform.h"

void* HostLoad(const char* path) {
  void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) fprintf(stderr, "%s\n", dlerror());
  return library;
}

void* HostSymbol(void* library, const char* name, int argumentBytes) {
  (void)argumentBytes;
  return dlsym(library, name);
}

int HostUnload(void* library) {
  return dlclose(library);
}

int HostMakeTempFolder(char* path, size_t size) {
  if (snprintf(path, size, "/tmp/quorlin-c-host-XXXXXX") >= (int)size) return -1;
  return mkdtemp(path) != NULL ? 0 : -1;
}

void HostRemoveFile(const char* path) {
  unlink(path);
}

void HostRemoveFolder(const char* path) {
  rmdir(path);
}
