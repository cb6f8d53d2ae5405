#pragma once

#include <string>

#include "frame/failure.h"

namespace quorlin::records {

// Each returns the export's result, with what the host is told besides; a failure that ends
// the export is thrown.
int UseTable(int id, const std::string& table);
frame::Outcome<int> MoveRecord(unsigned int direction);
frame::Outcome<int> MoveTo(int position);
frame::Outcome<int> GetRowCount();

}  // namespace quorlin::records
