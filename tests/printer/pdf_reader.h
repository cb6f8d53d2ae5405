#pragma once

#include <string>

namespace quorlin::test {

// The text of a PDF file as poppler's pdftotext reads it (in UTF-8, pages separated by form
// feeds); "<pdftotext failed>" when it cannot.
std::string PdfText(const std::string& path);

// Number of pages, from pdfinfo; -1 when it cannot read the file.
int PdfPageCount(const std::string& path);

// The first page's size in points, from pdfinfo; 0 x 0 when it cannot read the file.
struct PageSize {
  double width = 0;
  double height = 0;
};
PageSize PdfPageSize(const std::string& path);

// Paper sizes as a PDF gives them, in points.
inline constexpr PageSize kA4Portrait{595.28, 841.89};
inline constexpr PageSize kA4Landscape{841.89, 595.28};
inline constexpr PageSize kA5Landscape{595.28, 419.53};

// Within a hundredth of a point, the rounding pdfinfo applies.
bool SamePageSize(const PageSize& left, const PageSize& right);

// True when the poppler tools are installed.
bool PdfToolsInstalled();

}  // namespace quorlin::test
