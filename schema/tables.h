#pragma once

#include <string>

namespace quorlin::schema {

// Each returns the export's result and reports its own failures. Table creation returns 0
// once its statement was sent, also when the database rejected it (the database's message
// is then in the last-error text): hosts that create their tables at every start rely on it.
int CreateTable(int id, const std::string& table, const std::string& datasheetPath);
int CreateTableEx(int id, int count, const std::string& table, const char* names, const int* types,
                  const int* widths);
int DropTable(int id, const std::string& table);

}  // namespace quorlin::schema
