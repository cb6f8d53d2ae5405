#include "core/table_pages.h"

#include <algorithm>
#include <string>

#include "core/utf8_text.h"

namespace mirvale {
namespace {

constexpr int kMinFontPoints = 6;
constexpr int kMaxFontPoints = 72;
// A column never takes more than this share of the printable width, so that one long text
// cannot push every other column onto pages of their own.
constexpr double kWidestColumnShare = 0.5;
// Characters a column keeps before measuring: anything longer is cut by the ellipsis anyway.
constexpr std::size_t kMeasuredChars = 400;

FontSpec MakeFont(int points, bool bold) {
  return {std::clamp(points, kMinFontPoints, kMaxFontPoints), bold};
}

std::string Shown(const std::string& text) {
  return SingleLine(text, kMeasuredChars);
}

int TextWidth(TableCanvas& canvas, const std::string& text) {
  return text.empty() ? 0 : canvas.TextWidth(Shown(text));
}

}  // namespace

TablePages::TablePages(std::shared_ptr<const PrintJob> job, int printableWidth, int printableHeight,
                       TableCanvas& measuring)
    : m_job(std::move(job)), m_printableWidth(printableWidth), m_printableHeight(printableHeight) {
  const int points = m_job->style.fontPoints;
  m_fonts = {MakeFont(points, false), MakeFont(points, true), MakeFont(points * 3 / 2, true),
             MakeFont(points - 2, false)};
  Measure(measuring);
}

void TablePages::Measure(TableCanvas& measuring) {
  const TableStyle& style = m_job->style;

  measuring.SelectFont(m_fonts.body);
  m_padding = measuring.CharWidth() / 2 + 2;
  m_rowHeight = measuring.CharHeight() * 7 / 5;
  if (style.rowNumbers) {
    const std::string widest = std::to_string(std::max<std::size_t>(m_job->content.rows.size(), 1));
    m_rowNumberWidth = TextWidth(measuring, widest) + 2 * m_padding;
  }
  const std::vector<int> widths = NaturalColumnWidths(measuring);

  measuring.SelectFont(m_fonts.header);
  m_headerHeight = style.columnHeaders ? measuring.CharHeight() * 3 / 2 : 0;
  measuring.SelectFont(m_fonts.title);
  m_titleHeight = style.title.empty() ? 0 : measuring.CharHeight() * 2;
  measuring.SelectFont(m_fonts.footer);
  const bool footer = !style.footer.empty() || style.pageNumbers || style.printDate;
  m_footerHeight = footer ? measuring.CharHeight() * 2 : 0;

  SplitColumnsIntoBands(widths);
  SplitRowsIntoBlocks();
}

std::vector<int> TablePages::NaturalColumnWidths(TableCanvas& measuring) const {
  const TableContent& content = m_job->content;
  const int widest = std::max(1, static_cast<int>(m_printableWidth * kWidestColumnShare));
  measuring.SelectFont(m_fonts.body);
  const int narrowest = std::min(widest, 4 * measuring.CharWidth() + 2 * m_padding);
  // Wide scripts take up to twice the average width per character; a text that short cannot
  // widen the column, so it is not measured.
  const int widestChar = 2 * measuring.CharWidth();

  std::vector<int> widths;
  for (std::size_t column = 0; column < content.columns.size(); ++column) {
    measuring.SelectFont(m_fonts.header);
    int width = TextWidth(measuring, content.columns[column].header);
    measuring.SelectFont(m_fonts.body);
    for (const std::vector<std::string>& row : content.rows) {
      if (width >= widest) break;
      const std::string& text = row[column];
      const std::size_t characters = std::min(CharacterCount(text), kMeasuredChars);
      if (static_cast<int>(characters) * widestChar <= width) continue;
      width = std::max(width, TextWidth(measuring, text));
    }
    // Slack for devices whose scaled fonts round up (the preview at small zoom levels).
    widths.push_back(std::clamp(width * 9 / 8 + 2 * m_padding, narrowest, widest));
  }
  return widths;
}

void TablePages::SplitColumnsIntoBands(const std::vector<int>& widths) {
  const int available = std::max(1, m_printableWidth - m_rowNumberWidth);
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
  const int body = m_printableHeight - m_headerHeight - m_footerHeight;
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

void TablePages::DrawPage(TableCanvas& canvas, int x, int y, int pageNumber) const {
  if (pageNumber < 1 || pageNumber > PageCount()) return;
  const std::size_t index = static_cast<std::size_t>(pageNumber - 1);
  const Range& block = m_blocks[index / m_bands.size()];
  const Range& band = m_bands[index % m_bands.size()];

  int at = y;
  // Every page of the first rows carries the title, so that their rows line up.
  if (&block == &m_blocks.front() && m_titleHeight > 0) {
    DrawTitle(canvas, x, at);
    at += m_titleHeight;
  }
  at += DrawHeaderRow(canvas, x, at, band);
  for (std::size_t row = block.begin; row < block.end; ++row) {
    DrawRow(canvas, x, at, row, band);
    at += m_rowHeight;
  }
  if (m_footerHeight > 0) DrawFooter(canvas, x, y + m_printableHeight - m_footerHeight, pageNumber);
}

void TablePages::DrawTitle(TableCanvas& canvas, int x, int y) const {
  canvas.SelectFont(m_fonts.title);
  const int height = canvas.CharHeight();
  canvas.Text(Shown(m_job->style.title),
              {x, y + (m_titleHeight - height) / 3, m_printableWidth, height}, Alignment::kLeft);
}

int TablePages::DrawHeaderRow(TableCanvas& canvas, int x, int y, const Range& band) const {
  const int width = BandWidth(band);
  if (m_headerHeight == 0) {
    canvas.Line(x, y, x + width, y);
    return 0;
  }
  const bool grid = m_job->style.gridLines;
  canvas.Rectangle({x, y, width, m_headerHeight}, true, grid);
  canvas.SelectFont(m_fonts.header);
  int left = x;
  if (m_rowNumberWidth > 0) {
    DrawCell(canvas, {left, y, m_rowNumberWidth, m_headerHeight}, true, "#", Alignment::kRight);
    left += m_rowNumberWidth;
  }
  for (std::size_t column = band.begin; column < band.end; ++column) {
    const TableColumn& header = m_job->content.columns[column];
    DrawCell(canvas, {left, y, m_columnWidths[column], m_headerHeight}, true, header.header,
             header.alignment);
    left += m_columnWidths[column];
  }
  canvas.Line(x, y + m_headerHeight, x + width, y + m_headerHeight);
  return m_headerHeight;
}

void TablePages::DrawRow(TableCanvas& canvas, int x, int y, std::size_t row,
                         const Range& band) const {
  canvas.SelectFont(m_fonts.body);
  int left = x;
  if (m_rowNumberWidth > 0) {
    DrawCell(canvas, {left, y, m_rowNumberWidth, m_rowHeight}, false, std::to_string(row + 1),
             Alignment::kRight);
    left += m_rowNumberWidth;
  }
  const std::vector<std::string>& texts = m_job->content.rows[row];
  for (std::size_t column = band.begin; column < band.end; ++column) {
    DrawCell(canvas, {left, y, m_columnWidths[column], m_rowHeight}, false, texts[column],
             m_job->content.columns[column].alignment);
    left += m_columnWidths[column];
  }
}

void TablePages::DrawCell(TableCanvas& canvas, const PixelRect& cell, bool greyFill,
                          const std::string& text, Alignment alignment) const {
  if (m_job->style.gridLines) canvas.Rectangle(cell, greyFill, true);
  const int room = cell.width - 2 * m_padding;
  if (room <= 0 || text.empty()) return;
  canvas.Text(Shown(text), {cell.x + m_padding, cell.y, room, cell.height}, alignment);
}

void TablePages::DrawFooter(TableCanvas& canvas, int x, int y, int pageNumber) const {
  const TableStyle& style = m_job->style;
  canvas.SelectFont(m_fonts.footer);
  const PixelRect line{x, y + m_footerHeight / 2, m_printableWidth, m_footerHeight / 2};
  if (!style.footer.empty()) {
    canvas.Text(Shown(style.footer), {line.x, line.y, m_printableWidth / 2, line.height},
                Alignment::kLeft);
  }
  if (style.printDate) canvas.Text(m_job->printedAt, line, Alignment::kCentre);
  if (style.pageNumbers) {
    canvas.Text("Page " + std::to_string(pageNumber) + " of " + std::to_string(PageCount()), line,
                Alignment::kRight);
  }
}

int TablePages::BandWidth(const Range& band) const {
  int width = m_rowNumberWidth;
  for (std::size_t column = band.begin; column < band.end; ++column)
    width += m_columnWidths[column];
  return width;
}

}  // namespace mirvale
