#pragma once

#include <string>

#include "core/paper_layout.h"
#include "core/table_content.h"

namespace mirvale {

// Everything one print, preview or file needs, fixed when it starts.
struct PrintJob {
  std::string name;  // the table's name, for window titles and the printer's job list
  TableContent content;
  TableStyle style;
  PaperLayout paper;
  std::string printedAt;  // the date line, formatted once so that every page shows the same
};

}  // namespace mirvale
