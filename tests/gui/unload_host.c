/* A host that loads the library by path, shows a debug message box, unloads the library and
   exits: the toolkit started inside the library must survive the unload (the library is
   linked with -z nodelete) and the process must end cleanly. Runs under run_with_watcher.sh.
   Exit status 0 on success. */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef void (*SetDebugFn)(int);
typedef int (*SelectToTableFn)(int, const char*, const char*);
typedef int (*LastErrorFn)(char*, unsigned int);

static int DismissedBoxCount(void) {
  const char* path = getenv("QUORLIN_TEST_DISMISSAL_LOG");
  FILE* log = path != NULL ? fopen(path, "r") : NULL;
  int lines = 0;
  int c;
  if (log == NULL) return -1;
  while ((c = fgetc(log)) != EOF) {
    if (c == '\n') ++lines;
  }
  fclose(log);
  return lines;
}

int main(int argc, char** argv) {
  void* library;
  SetDebugFn setDebug;
  SelectToTableFn selectToTable;
  LastErrorFn lastError;
  char text[600] = "";
  int result, dismissedBefore;

  if (argc != 2 || getenv("QUORLIN_TEST_DISMISSAL_LOG") == NULL) {
    fprintf(stderr, "usage: run_with_watcher.sh DIR NAME unload_host LIBRARY\n");
    return 2;
  }
  library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    fprintf(stderr, "dlopen: %s\n", dlerror());
    return 1;
  }
  setDebug = (SetDebugFn)dlsym(library, "SQLSetDebug");
  selectToTable = (SelectToTableFn)dlsym(library, "SQLSelectToTable");
  lastError = (LastErrorFn)dlsym(library, "SQLLastError");
  if (setDebug == NULL || selectToTable == NULL || lastError == NULL) {
    fprintf(stderr, "missing export\n");
    return 1;
  }

  dismissedBefore = DismissedBoxCount();
  setDebug(1);
  result = selectToTable(12345, "T", "");
  lastError(text, sizeof text);
  if (result != -1 || strcmp(text, "Database not open") != 0 ||
      DismissedBoxCount() != dismissedBefore + 1) {
    fprintf(stderr, "result %d, text \"%s\", boxes dismissed %d (before %d)\n", result, text,
            DismissedBoxCount(), dismissedBefore);
    return 1;
  }
  if (dlclose(library) != 0) {
    fprintf(stderr, "dlclose: %s\n", dlerror());
    return 1;
  }
  printf("unload_host: box shown and dismissed, library unloaded\n");
  return 0;
}
