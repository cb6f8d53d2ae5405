#pragma once

#include <string>
#include <vector>

#include "profiles/dialect.h"
#include "schema/datasheet.h"

// The statement texts of table creation and removal, as small pure functions.
namespace quorlin::schema {

// CREATE TABLE from a datasheet, in the dialect given (the profile's fixed one).
std::string CreateTableStatement(const std::string& table, const std::vector<ColumnDef>& columns,
                                 const profile::Dialect& dialect);

// One column of CREATE TABLE from arrays.
struct ArrayColumn {
  std::string name;
  int typeCode = 0;
  int width = 0;  // read only for QUORLIN_TYPE_CHAR
};

// CREATE TABLE from arrays, in the connection's dialect.
std::string CreateTableExStatement(const std::string& table,
                                   const std::vector<ArrayColumn>& columns,
                                   const profile::Dialect& dialect);

std::string DropTableStatement(const std::string& table);

}  // namespace quorlin::schema
