#pragma once

#include <string>
#include <vector>

#include "schema/column_types.h"
#include "schema/datasheet.h"

// The statement texts of table creation and removal, as small pure functions.
namespace quorlin::schema {

// CREATE TABLE from a datasheet: standard quotes and type words whatever the connection.
std::string CreateTableStatement(const std::string& table, const std::vector<ColumnDef>& columns);

// One column of CREATE TABLE from arrays.
struct ArrayColumn {
  std::string name;  // trimmed of white space on both ends
  int typeCode = 0;
  int width = 0;  // read only for code 2
};

// CREATE TABLE from arrays, in the connection's dialect. The standard dialect writes the type
// directly after the closing quote; the MySQL dialect puts a blank between.
std::string CreateTableExStatement(const std::string& table,
                                   const std::vector<ArrayColumn>& columns, Dialect dialect);

std::string DropTableStatement(const std::string& table);

}  // namespace quorlin::schema
