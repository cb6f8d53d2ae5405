#pragma once

#include <string>

namespace quorlin::schema {

// Each returns the export's result; a failure is thrown (the export frame reports it).
int SelectToTable(int id, const std::string& table, const std::string& condition);
int Aggregate(int id, const std::string& table, int kind, const std::string& column, double* result,
              const std::string& condition);
int Execute(int id, const std::string& statement);

}  // namespace quorlin::schema
