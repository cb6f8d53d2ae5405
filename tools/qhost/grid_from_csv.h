#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "csv_reader.h"
#include "grid_file.h"
#include "grid_layout.h"

namespace qhost {

// CSV records that do not fit the layout; the text names the source and the line.
class GridCsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The grid rows for CSV records laid out like the grid: the first record is the caption row
// (every field kept as text), then one record per data row with one field per grid column.
// A field whose column the layout carries in the value (type codes, numbers) becomes that
// cell's value, with an empty text; every other field becomes the cell's text, with value 0.
// Refused, with the line: a record with another number of fields, a text longer than 63
// bytes, an empty or duplicate name or one with blanks at either end, a type code that is
// not 0 to 3, a width that is not decimal digits (a CHAR column needs one of at least 1), a
// number that is not a whole number within 32 bits. Blanks around numbers are allowed.
std::vector<GridRow> GridRowsFromCsv(const std::vector<CsvRecord>& records,
                                     const GridLayout& layout, const std::string& sourceName);

// Reads the CSV file, converts it, and writes the grid file; nothing is written when the CSV
// is refused. Returns the number of data rows. Throws CsvError, GridCsvError, or
// std::runtime_error when the grid file cannot be written.
std::size_t ConvertCsvToGrid(const GridLayout& layout, const std::string& csvPath,
                             const std::string& gridPath);

}  // namespace qhost
