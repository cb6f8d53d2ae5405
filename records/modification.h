#pragma once

#include <string>

namespace quorlin::records {

// Each returns the export's result; a failure is thrown (the export frame reports it).
int InsertRecord(int id, const std::string& table, const std::string& bindTable,
                 const char* values);
int InsertRecordEx(int id, int count, const std::string& table, const int* types, const char* names,
                   const char* values);
int UpdateRecord(int id, const std::string& table, const std::string& bindTable, const char* values,
                 const std::string& condition);
int DeleteRecord(int id, const std::string& table, const std::string& condition);

}  // namespace quorlin::records
