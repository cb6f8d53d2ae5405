#pragma once

#include <string>

#include "frame/failure.h"

namespace quorlin::schema {

// Each returns the export's result, with what the host is told besides; a failure that ends
// the export is thrown. Table creation returns 0 once its statement was sent, also when the
// database rejected it (the database's message is then in the last-error text): hosts that
// create their tables at every start rely on it.
frame::Outcome<int> CreateTable(int id, const std::string& table, const std::string& datasheetPath);
frame::Outcome<int> CreateTableEx(int id, int count, const std::string& table, const char* names,
                                  const int* types, const int* widths);
int DropTable(int id, const std::string& table);

}  // namespace quorlin::schema
