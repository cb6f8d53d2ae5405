#include <stdio.h>
#include <windows.h>

#include "c_host_platform.h"

void* HostLoad(const char* path) {
  HMODULE library = LoadLibraryA(path);
  if (library == NULL) fprintf(stderr, "LoadLibrary %s failed: error %lu\n", path, GetLastError());
  return (void*)library;
}

void* HostSymbol(void* library, const char* name, int argumentBytes) {
#if defined(_WIN64)
  (void)argumentBytes;
  return (void*)GetProcAddress((HMODULE)library, name);
#else
  char decorated[128];
  if (snprintf(decorated, sizeof decorated, "_%s@%d", name, argumentBytes) >= (int)sizeof decorated)
    return NULL;
  return (void*)GetProcAddress((HMODULE)library, decorated);
#endif
}

int HostUnload(void* library) {
  return FreeLibrary((HMODULE)library) ? 0 : -1;
}

/* The drivers behind Wine's ODBC are Linux ones and take Linux paths only; a rooted Unix
   folder is also a path on the program's own drive (Wine's Z:, where it starts). */
int HostMakeTempFolder(char* path, size_t size) {
  unsigned attempt;
  for (attempt = 0; attempt < 100; ++attempt) {
    if (snprintf(path, size, "/tmp/quorlin-c-host-%lu-%u", GetCurrentProcessId(), attempt) >=
        (int)size)
      return -1;
    if (CreateDirectoryA(path, NULL)) return 0;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return -1;
  }
  return -1;
}

void HostRemoveFile(const char* path) {
  DeleteFileA(path);
}

void HostRemoveFolder(const char* path) {
  RemoveDirectoryA(path);
}
