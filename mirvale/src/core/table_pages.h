#pragma once

#include <memory>
#include <vector>

#include "core/print_job.h"
#include "core/table_canvas.h"

namespace mirvale {

// Splits a table into printed pages and draws them. Works in screen pixels as logical units
// and measures text on a screen-compatible canvas given at construction, so that preview,
// printer and file break the table at the same rows and columns. Rows that do not fit go
// on further pages; columns that do not fit across go on further pages of the same rows; a
// text wider than its column is shortened with an ellipsis.
class TablePages {
 public:
  // printableSize: the area inside the margins, in logical units.
  TablePages(std::shared_ptr<const PrintJob> job, int printableWidth, int printableHeight,
             TableCanvas& measuring);

  int PageCount() const;
  // Draws page pageNumber (from 1) with its top-left corner at (x, y).
  void DrawPage(TableCanvas& canvas, int x, int y, int pageNumber) const;

 private:
  struct Range {
    std::size_t begin;
    std::size_t end;
  };
  struct Fonts {
    FontSpec body;
    FontSpec header;
    FontSpec title;
    FontSpec footer;
  };

  void Measure(TableCanvas& measuring);
  std::vector<int> NaturalColumnWidths(TableCanvas& measuring) const;
  void SplitColumnsIntoBands(const std::vector<int>& widths);
  void SplitRowsIntoBlocks();

  void DrawTitle(TableCanvas& canvas, int x, int y) const;
  int DrawHeaderRow(TableCanvas& canvas, int x, int y, const Range& band) const;
  void DrawRow(TableCanvas& canvas, int x, int y, std::size_t row, const Range& band) const;
  void DrawCell(TableCanvas& canvas, const PixelRect& cell, bool greyFill, const std::string& text,
                Alignment alignment) const;
  void DrawFooter(TableCanvas& canvas, int x, int y, int pageNumber) const;
  int BandWidth(const Range& band) const;

  std::shared_ptr<const PrintJob> m_job;
  int m_printableWidth;
  int m_printableHeight;
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
