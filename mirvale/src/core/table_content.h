#pragma once

#include <string>
#include <vector>

namespace mirvale {

enum class Alignment { kLeft, kCentre, kRight };

// One column of the table as the list showed it. Texts are UTF-8.
struct TableColumn {
  std::string header;
  Alignment alignment = Alignment::kLeft;
};

// What gets printed: a copy of the list, so that nothing refers back to the window.
struct TableContent {
  std::vector<TableColumn> columns;
  std::vector<std::vector<std::string>> rows;  // one text per column
};

// How the table is drawn.
struct TableStyle {
  std::string title;  // printed above the table on the first page; empty: no title
  std::string footer;
  int fontPoints = 10;
  bool gridLines = false;
  bool columnHeaders = true;
  bool rowNumbers = false;
  bool pageNumbers = false;
  bool printDate = false;
};

}  // namespace mirvale
