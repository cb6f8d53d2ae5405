#pragma once

#include <string>

namespace quorlin::records {

// Each returns the export's result and reports its own failures.
int UseTable(int id, const std::string& table);
int MoveRecord(unsigned int direction);
int MoveTo(int position);
int GetRowCount();

}  // namespace quorlin::records
