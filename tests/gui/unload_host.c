/* A host that loads the library by path, shows a debug message box, unloads the library and
   exits: the toolkit started inside the library must survive the unload (the library is
   linked with -z nodelete) and the process must end cleanly. Runs under run_with_watcher.sh,
   on either library. Exit status 0 on success. */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef void (*SetDebugFn)(int);
typedef void (*DisplayFn)(int);
typedef int (*LastErrorFn)(char*, unsigned int);

/* Each library is told by its last-error text right after loading, and reports SQLDisplay
   without a current recordset in a text of its own (the legacy library's are GBK). */
static const struct {
  const char* loadText;
  const char* nothingToDisplay;
} kLibraries[] = {
    {"Success", "Current recordset is null!"},
    {"\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6",
     "\xb5\xb1\xc7\xb0\xca\xfd\xbe\xdd\xbc\xaf\xce\xaa\xbf\xd5\xa3\xa1"},
};

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
  DisplayFn display;
  LastErrorFn lastError;
  char text[600] = "";
  const char* expected = NULL;
  size_t i;
  int dismissedBefore;

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
  display = (DisplayFn)dlsym(library, "SQLDisplay");
  lastError = (LastErrorFn)dlsym(library, "SQLLastError");
  if (setDebug == NULL || display == NULL || lastError == NULL) {
    fprintf(stderr, "missing export\n");
    return 1;
  }
  lastError(text, sizeof text);
  for (i = 0; i < sizeof kLibraries / sizeof kLibraries[0]; ++i) {
    if (strcmp(text, kLibraries[i].loadText) == 0) expected = kLibraries[i].nothingToDisplay;
  }
  if (expected == NULL) {
    fprintf(stderr, "unknown text after loading: \"%s\"\n", text);
    return 1;
  }

  dismissedBefore = DismissedBoxCount();
  setDebug(1);
  display(10);
  lastError(text, sizeof text);
  if (strcmp(text, expected) != 0 || DismissedBoxCount() != dismissedBefore + 1) {
    fprintf(stderr, "text \"%s\", boxes dismissed %d (before %d)\n", text, DismissedBoxCount(),
            dismissedBefore);
    return 1;
  }
  if (dlclose(library) != 0) {
    fprintf(stderr, "dlclose: %s\n", dlerror());
    return 1;
  }
  printf("unload_host: box shown and dismissed, library unloaded\n");
  return 0;
}
