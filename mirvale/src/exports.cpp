// The library's two C entry points; everything else is reached through PLPrinter.
#include "call_log.h"
#include "mirvale.h"
// Each platform's printer object, by the same name.
#if defined(_WIN32)
#include "win32/list_printer.h"
#else
#include "list_printer.h"
#endif

extern "C" {

MIRVALE_EXPORT PLPrinter* CreatePLPrinter(void) {
  mirvale::LogCall("CreatePLPrinter()");
  try {
    return new mirvale::ListPrinter();
  } catch (...) {
    return nullptr;
  }
}

MIRVALE_EXPORT void DeletePLPrinter(PLPrinter* printer) {
  mirvale::LogCall(printer != nullptr ? "DeletePLPrinter()" : "DeletePLPrinter(null)");
  delete static_cast<mirvale::ListPrinter*>(printer);
}

}  // extern "C"
