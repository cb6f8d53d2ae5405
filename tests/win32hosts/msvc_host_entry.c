/* Start-up of the MSVC-ABI test host, which links against msvcrt.dll instead of Microsoft's
   C runtime (not available here): msvcrt's own argument parsing, then main, then exit. */
int __cdecl __getmainargs(int* argc, char*** argv, char*** environment, int expand, int* startInfo);
void __cdecl exit(int status);
int main(int argc, char** argv);

/* Objects compiled for the MSVC ABI that use floating point reference this symbol. */
int _fltused = 0;

void __cdecl HostEntry(void) {
  int argc = 0;
  char** argv = 0;
  char** environment = 0;
  int startInfo = 0;
  __getmainargs(&argc, &argv, &environment, 0, &startInfo);
  exit(main(argc, argv));
}
