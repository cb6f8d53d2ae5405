#include "table_pages.h"

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/dcmemory.h>

#include <algorithm>
#include <string>

namespace mirvale {
namespace {

constexpr int kMinFontPoints = 6;
constexpr int kMaxFontPoints = 72;
// A column never takes more than this share of the printable width, so that one long text
// cannot push every other column onto pages of their own.
constexpr double kWidestColumnShare = 0.5;
// Characters a column keeps before measuring: anything longer is cut by the ellipsis anyway.
constexpr std::size_t kMeasuredChars = 400;

wxFont MakeFont(int points, bool bold) {
  wxFontInfo info(std::clamp(points, kMinFontPoints, kMaxFontPoints));
  info.Family(wxFONTFAMILY_SWISS);
  if (bold) info.Bold();
  return wxFont(info);
}

// Line breaks and tabs would draw as boxes or break the row.
wxString SingleLine(const wxString& text) {
  wxString line = text.Left(kMeasuredChars);
  for (wxString::iterator it = line.begin(); it != line.end(); ++it) {
    if (*it == '\n' || *it == '\r' || *it == '\t') *it = ' ';
  }
  return line;
}

int TextWidth(wxDC& dc, const wxString& text) {
  return text.empty() ? 0 : dc.GetTextExtent(SingleLine(text)).x;
}

}  // namespace

TablePages::TablePages(std::shared_ptr<const PrintJob> job, wxSize printableSize)
    : m_job(std::move(job)), m_printable(printableSize) {
  const int points = m_job->style.fontPoints;
  m_fonts = {MakeFont(points, false), MakeFont(points, true), MakeFont(points * 3 / 2, true),
             MakeFont(points - 2, false)};
  Measure(m_fonts);
}

void TablePages::Measure(const Fonts& fonts) {
  wxBitmap canvas(1, 1);
  wxMemoryDC dc(canvas);
  const TableStyle& style = m_job->style;

  dc.SetFont(fonts.body);
  m_padding = dc.GetCharWidth() / 2 + 2;
  m_rowHeight = dc.GetCharHeight() * 7 / 5;
  if (style.rowNumbers) {
    const wxString widest(std::to_string(std::max<std::size_t>(m_job->content.rows.size(), 1)));
    m_rowNumberWidth = TextWidth(dc, widest) + 2 * m_padding;
  }
  const std::vector<int> widths = NaturalColumnWidths(dc);

  dc.SetFont(fonts.header);
  m_headerHeight = style.columnHeaders ? dc.GetCharHeight() * 3 / 2 : 0;
  dc.SetFont(fonts.title);
  m_titleHeight = style.title.empty() ? 0 : dc.GetCharHeight() * 2;
  dc.SetFont(fonts.footer);
  const bool footer = !style.footer.empty() || style.pageNumbers || style.printDate;
  m_footerHeight = footer ? dc.GetCharHeight() * 2 : 0;

  SplitColumnsIntoBands(widths);
  SplitRowsIntoBlocks();
}

std::vector<int> TablePages::NaturalColumnWidths(wxDC& dc) const {
  const PageContent& content = m_job->content;
  const int widest = std::max(1, static_cast<int>(m_printable.x * kWidestColumnShare));
  const int narrowest = std::min(widest, 4 * dc.GetCharWidth() + 2 * m_padding);
  // Wide scripts take up to twice the average width per character; a text that short cannot
  // widen the column, so it is not measured.
  const int widestChar = 2 * dc.GetCharWidth();

  std::vector<int> widths;
  for (std::size_t column = 0; column < content.columns.size(); ++column) {
    dc.SetFont(m_fonts.header);
    int width = TextWidth(dc, content.columns[column].header);
    dc.SetFont(m_fonts.body);
    for (const std::vector<wxString>& row : content.rows) {
      if (width >= widest) break;
      const wxString& text = row[column];
      if (static_cast<int>(std::min(text.length(), kMeasuredChars)) * widestChar <= width) continue;
      width = std::max(width, TextWidth(dc, text));
    }
    // Slack for devices whose scaled fonts round up (the preview at small zoom levels).
    widths.push_back(std::clamp(width * 9 / 8 + 2 * m_padding, narrowest, widest));
  }
  return widths;
}

void TablePages::SplitColumnsIntoBands(const std::vector<int>& widths) {
  const int available = std::max(1, m_printable.x - m_rowNumberWidth);
  m_columnWidths.clear();
  m_bands.clear();
  std::size_t begin = 0;
  int used = 0;
  for (std::size_t column = 0; column < widths.size(); ++column) {
    const int width = std::min(widths[column], available);
    if (column > begin && used + width > available) {
      m_bands.push_back({begin, column});
      begin = column;
      used = 0;
    }
    m_columnWidths.push_back(width);
    used += width;
  }
  m_bands.push_back({begin, widths.size()});
}

void TablePages::SplitRowsIntoBlocks() {
  const int body = m_printable.y - m_headerHeight - m_footerHeight;
  const std::size_t firstCapacity =
      static_cast<std::size_t>(std::max(1, (body - m_titleHeight) / std::max(1, m_rowHeight)));
  const std::size_t laterCapacity =
      static_cast<std::size_t>(std::max(1, body / std::max(1, m_rowHeight)));
  const std::size_t rows = m_job->content.rows.size();

  m_blocks.clear();
  std::size_t begin = 0;
  do {
    const std::size_t capacity = m_blocks.empty() ? firstCapacity : laterCapacity;
    const std::size_t end = std::min(rows, begin + capacity);
    m_blocks.push_back({begin, end});
    begin = end;
  } while (begin < rows);
}

int TablePages::PageCount() const {
  return static_cast<int>(m_blocks.size() * m_bands.size());
}

void TablePages::DrawPage(wxDC& dc, wxPoint origin, int pageNumber) const {
  if (pageNumber < 1 || pageNumber > PageCount()) return;
  const std::size_t index = static_cast<std::size_t>(pageNumber - 1);
  const Range& block = m_blocks[index / m_bands.size()];
  const Range& band = m_bands[index % m_bands.size()];

  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  dc.SetTextForeground(*wxBLACK);
  wxPoint at = origin;
  // Every page of the first rows carries the title, so that their rows line up.
  if (&block == &m_blocks.front() && m_titleHeight > 0) {
    DrawTitle(dc, at);
    at.y += m_titleHeight;
  }
  at.y += DrawHeaderRow(dc, at, band);
  for (std::size_t row = block.begin; row < block.end; ++row) {
    DrawRow(dc, at, row, band);
    at.y += m_rowHeight;
  }
  if (m_footerHeight > 0) {
    DrawFooter(dc, wxPoint(origin.x, origin.y + m_printable.y - m_footerHeight), pageNumber);
  }
}

void TablePages::DrawTitle(wxDC& dc, wxPoint at) const {
  dc.SetFont(m_fonts.title);
  const wxString title = SingleLine(m_job->style.title);
  const wxString shown = wxControl::Ellipsize(title, dc, wxELLIPSIZE_END, m_printable.x);
  dc.DrawText(shown, at.x, at.y + (m_titleHeight - dc.GetCharHeight()) / 3);
}

int TablePages::DrawHeaderRow(wxDC& dc, wxPoint at, const Range& band) const {
  const int width = BandWidth(band);
  if (m_headerHeight == 0) {
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawLine(at.x, at.y, at.x + width, at.y);
    return 0;
  }
  dc.SetPen(m_job->style.gridLines ? *wxBLACK_PEN : *wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(wxColour(230, 230, 230)));
  dc.DrawRectangle(at.x, at.y, width, m_headerHeight);
  dc.SetFont(m_fonts.header);
  int x = at.x;
  if (m_rowNumberWidth > 0) {
    DrawCell(dc, wxRect(x, at.y, m_rowNumberWidth, m_headerHeight), "#", wxALIGN_RIGHT);
    x += m_rowNumberWidth;
  }
  for (std::size_t column = band.begin; column < band.end; ++column) {
    const TableColumn& header = m_job->content.columns[column];
    DrawCell(dc, wxRect(x, at.y, m_columnWidths[column], m_headerHeight), header.header,
             header.alignment);
    x += m_columnWidths[column];
  }
  dc.SetPen(*wxBLACK_PEN);
  dc.DrawLine(at.x, at.y + m_headerHeight, at.x + width, at.y + m_headerHeight);
  return m_headerHeight;
}

void TablePages::DrawRow(wxDC& dc, wxPoint at, std::size_t row, const Range& band) const {
  dc.SetFont(m_fonts.body);
  dc.SetPen(*wxBLACK_PEN);
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  int x = at.x;
  if (m_rowNumberWidth > 0) {
    DrawCell(dc, wxRect(x, at.y, m_rowNumberWidth, m_rowHeight), wxString(std::to_string(row + 1)),
             wxALIGN_RIGHT);
    x += m_rowNumberWidth;
  }
  const std::vector<wxString>& texts = m_job->content.rows[row];
  for (std::size_t column = band.begin; column < band.end; ++column) {
    DrawCell(dc, wxRect(x, at.y, m_columnWidths[column], m_rowHeight), texts[column],
             m_job->content.columns[column].alignment);
    x += m_columnWidths[column];
  }
}

void TablePages::DrawCell(wxDC& dc, const wxRect& cell, const wxString& text,
                          wxAlignment alignment) const {
  if (m_job->style.gridLines) dc.DrawRectangle(cell);
  const int room = cell.width - 2 * m_padding;
  if (room <= 0 || text.empty()) return;
  const wxString shown = wxControl::Ellipsize(SingleLine(text), dc, wxELLIPSIZE_END, room);
  const wxRect inner = cell.Deflate(m_padding, 0);
  dc.DrawLabel(shown, inner, alignment | wxALIGN_CENTRE_VERTICAL);
}

void TablePages::DrawFooter(wxDC& dc, wxPoint at, int pageNumber) const {
  const TableStyle& style = m_job->style;
  dc.SetFont(m_fonts.footer);
  const wxRect line(at.x, at.y + m_footerHeight / 2, m_printable.x, m_footerHeight / 2);
  if (!style.footer.empty()) {
    dc.DrawLabel(
        wxControl::Ellipsize(SingleLine(style.footer), dc, wxELLIPSIZE_END, m_printable.x / 2),
        line, wxALIGN_LEFT | wxALIGN_CENTRE_VERTICAL);
  }
  if (style.printDate) dc.DrawLabel(m_job->printedAt, line, wxALIGN_CENTRE);
  if (style.pageNumbers) {
    dc.DrawLabel(wxString::Format("Page %d of %d", pageNumber, PageCount()), line,
                 wxALIGN_RIGHT | wxALIGN_CENTRE_VERTICAL);
  }
}

int TablePages::BandWidth(const Range& band) const {
  int width = m_rowNumberWidth;
  for (std::size_t column = band.begin; column < band.end; ++column)
    width += m_columnWidths[column];
  return width;
}

}  // namespace mirvale
