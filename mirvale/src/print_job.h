#pragma once

#include <wx/cmndata.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <vector>

namespace mirvale {

// One column of the table as the list showed it.
struct TableColumn {
  wxString header;
  wxAlignment alignment = wxALIGN_LEFT;
};

// What gets printed: a copy of the list, so that nothing refers back to the window.
struct PageContent {
  std::vector<TableColumn> columns;
  std::vector<std::vector<wxString>> rows;  // one text per column
};

// Paper, orientation and margins; what the page-setup dialog edits and the settings file
// keeps.
struct PaperLayout {
  wxPaperSize paper = wxPAPER_A4;
  wxSize paperMm{210, 297};  // portrait width and height
  bool landscape = false;
  int marginLeftMm = 15;
  int marginTopMm = 15;
  int marginRightMm = 15;
  int marginBottomMm = 15;

  // The sheet as it lies for printing, orientation applied.
  wxSize OrientedPaperMm() const { return landscape ? wxSize(paperMm.y, paperMm.x) : paperMm; }
};

// How the table is drawn.
struct TableStyle {
  wxString title;  // printed above the table on the first page; empty: no title
  wxString footer;
  int fontPoints = 10;
  bool gridLines = false;
  bool columnHeaders = true;
  bool rowNumbers = false;
  bool pageNumbers = false;
  bool printDate = false;
};

// Everything one print, preview or PDF needs, fixed when it starts.
struct PrintJob {
  wxString name;  // the table's name, for window titles and the printer's job list
  PageContent content;
  TableStyle style;
  PaperLayout paper;
  wxString printedAt;  // the date line, formatted once so that every page shows the same
};

}  // namespace mirvale
