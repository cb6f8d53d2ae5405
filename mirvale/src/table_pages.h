#pragma once

#include <wx/dc.h>
#include <wx/font.h>

#include <memory>
#include <vector>

#include "print_job.h"

namespace mirvale {

// Splits a table into printed pages and draws them. Works in screen pixels as logical
// units (what MapScreenSizeToPage sets up) and measures text on a screen-compatible DC of
// its own, so that preview, printer and PDF break the table at the same rows and columns.
// Rows that do not fit go on further pages; columns that do not fit across go on further
// pages of the same rows; a text wider than its column is shortened with an ellipsis.
class TablePages {
 public:
  // printableSize: the area inside the margins, in logical units.
  TablePages(std::shared_ptr<const PrintJob> job, wxSize printableSize);

  int PageCount() const;
  // Draws page pageNumber (from 1) with its top-left corner at origin.
  void DrawPage(wxDC& dc, wxPoint origin, int pageNumber) const;

 private:
  struct Range {
    std::size_t begin;
    std::size_t end;
  };
  struct Fonts {
    wxFont body;
    wxFont header;
    wxFont title;
    wxFont footer;
  };

  void Measure(const Fonts& fonts);
  std::vector<int> NaturalColumnWidths(wxDC& dc) const;
  void SplitColumnsIntoBands(const std::vector<int>& widths);
  void SplitRowsIntoBlocks();

  void DrawTitle(wxDC& dc, wxPoint at) const;
  int DrawHeaderRow(wxDC& dc, wxPoint at, const Range& band) const;
  void DrawRow(wxDC& dc, wxPoint at, std::size_t row, const Range& band) const;
  void DrawCell(wxDC& dc, const wxRect& cell, const wxString& text, wxAlignment alignment) const;
  void DrawFooter(wxDC& dc, wxPoint at, int pageNumber) const;
  int BandWidth(const Range& band) const;

  std::shared_ptr<const PrintJob> m_job;
  wxSize m_printable;
  Fonts m_fonts;
  int m_padding = 0;
  int m_rowHeight = 0;
  int m_headerHeight = 0;
  int m_titleHeight = 0;
  int m_footerHeight = 0;
  int m_rowNumberWidth = 0;
  std::vector<int> m_columnWidths;
  std::vector<Range> m_bands;
  std::vector<Range> m_blocks;
};

}  // namespace mirvale
