#pragma once

// Mirvale: prints a report list as a table: on Linux a wxListCtrl in report view, on
// Windows a list-view control (report view) of the common controls.
//
// Contract:
// - CreatePLPrinter makes one printer object (null when it cannot); DeletePLPrinter
//   destroys it and accepts null. Both use the C calling convention; the object itself is
//   reached only through the virtual operations of PLPrinter, whose order is fixed.
// - No operation throws. Operations that report an outcome return true on success.
// - Texts cross as UTF-8, in std::string: callers use the same C++ standard library as
//   Mirvale. Sizes are millimetres and points.
// - SetListControl copies the column headers and every row the list holds at that moment;
//   the list is not used after the call returns. Parent windows passed to an operation are
//   used only during that operation.
// - Linux: operations that show or render something need a running wxWidgets GUI
//   application in the process (wxTheApp). Mirvale never starts one: without it they do
//   nothing and return false. Call them from the thread that runs the toolkit.
// - Windows: the list and the parent are window handles (HWND), used from the thread that
//   owns them; windows are drawn with GDI and the dialogs are the system's common dialogs.
//
// Environment (read when an operation runs):
//   MIRVALE_PDF_OUTPUT=path  Linux: Print writes the pages to this PDF file without showing
//                            the print dialog (unattended use, tests). Preview is unaffected.
//   MIRVALE_EMF_OUTPUT=path  Windows: Print and Preview write the pages as enhanced
//                            metafiles without any window or dialog (unattended use, tests):
//                            the first page to path, page n to path with "-n" before its
//                            extension (out.emf, out-2.emf, ...).
//   MIRVALE_CALL_LOG=path    every operation appends a line naming itself and its
//                            arguments to this file, for tracing how a host drives Mirvale.

#include <string>

// The platform's list control and window, as operations take them.
#if defined(_WIN32)
struct HWND__;
using MirvaleListControl = HWND__*;  // an HWND of the list-view control
using MirvaleWindow = HWND__*;       // an HWND
#else
class wxListCtrl;
class wxWindow;
using MirvaleListControl = wxListCtrl*;
using MirvaleWindow = wxWindow*;
#endif

#if defined(_WIN32) && defined(MIRVALE_BUILDING)
#define MIRVALE_EXPORT __declspec(dllexport)
#elif defined(_WIN32)
#define MIRVALE_EXPORT
#else
#define MIRVALE_EXPORT __attribute__((visibility("default")))
#endif

class PLPrinter {
 public:
  // Shows the print dialog (printer, or a PDF file through its "Print to File" entry) and
  // prints the table there. False when cancelled or failed.
  virtual bool Print() = 0;
  // Paper orientation: 0 portrait (the default), 1 landscape.
  virtual void SetOrientation(int landscape) = 0;
  // Opens a print-preview window of the table, modal to the caller's windows, and returns
  // when the operator closes it. Its print button prints as Print does.
  virtual bool Preview() = 0;
  // Page margins in millimetres; negative values keep the current margin (15 mm each).
  virtual void SetMargins(int left, int top, int right, int bottom) = 0;
  // Copies the table to print from the list: its column headers and all of its rows.
  virtual void SetListControl(MirvaleListControl list) = 0;
  // Size of the table's text in points (6 to 72; the default is 10).
  virtual void SetFontSize(int points) = 0;
  // The table's name; with showAsTitle 1 it is printed as the title of the first page.
  virtual void SetTableName(std::string name, int showAsTitle) = 0;
  // 1: rule lines around every cell; 0: only a line under the column headers.
  virtual void SetOptionA(int gridLines) = 0;
  // A line of text printed at the foot of every page (empty: none).
  virtual void SetFooter(std::string text) = 0;
  // columnHeaders 1: the column headers head the table on every page.
  // rowNumbers 1: a first column numbers the rows from 1.
  virtual void SetOptionB(int columnHeaders, int rowNumbers) = 0;
  // pageNumbers 1: "Page n of m" at the foot of every page.
  // printDate 1: the date and time of printing at the foot of every page.
  virtual void SetOptionC(int pageNumbers, int printDate) = 0;
  // Writes the pages to a PDF file at once, without any dialog. Linux only: on Windows it
  // writes nothing and returns false (MIRVALE_EMF_OUTPUT gives files there).
  virtual bool SaveAsPdf(const char* path) = 0;
  // Takes paper size, orientation and margins from a settings file that PrinterSetup wrote.
  // False when the file cannot be read; the current settings then stay.
  virtual bool UsePageSetup(const char* settingsPath) = 0;
  // Shows the page-setup dialog (paper, orientation, margins) over parent, starting from the
  // settings in settingsPath, and writes them there when the operator confirms. False when
  // cancelled or when the file cannot be written (the dialog's choices then still apply to
  // this object).
  virtual bool PrinterSetup(const char* settingsPath, MirvaleWindow parent) = 0;

 protected:
  // Destroyed only through DeletePLPrinter.
  ~PLPrinter() = default;
};

extern "C" {
MIRVALE_EXPORT PLPrinter* CreatePLPrinter(void);
MIRVALE_EXPORT void DeletePLPrinter(PLPrinter* printer);
}
