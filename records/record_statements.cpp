#include "records/record_statements.h"

#include "quorlin.h"
#include "schema/identifier_quoting.h"
#include "schema/where_clause.h"

namespace quorlin::records {

using profile::Dialect;

namespace {

void AppendValue(std::string& text, const FieldValue& field) {
  const bool quoted = field.typeCode == QUORLIN_TYPE_CHAR || field.typeCode == QUORLIN_TYPE_DATE;
  if (quoted) text += '\'';
  text += field.value;
  if (quoted) text += '\'';
}

// Room for the whole statement up front: one allocation per statement.
std::size_t RoughSize(const std::string& table, const std::vector<FieldValue>& fields) {
  std::size_t size = 40 + table.size();
  for (const FieldValue& field : fields) size += field.name.size() + field.value.size() + 8;
  return size;
}

std::string Insert(const std::string& table, const std::vector<FieldValue>& fields,
                   const Dialect& dialect, std::string_view afterName) {
  std::string text;
  text.reserve(RoughSize(table, fields));
  text += "INSERT INTO ";
  text += table;
  text += "\n\t(";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += ',';
    schema::AppendQuotedColumnName(text, fields[i].name, dialect, afterName);
  }
  text += ")\n\tVALUES(";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += ',';
    AppendValue(text, fields[i]);
  }
  text += ')';
  return text;
}

}  // namespace

std::string QuotedValue(const FieldValue& field) {
  std::string text;
  AppendValue(text, field);
  return text;
}

std::string InsertStatement(const std::string& table, const std::vector<FieldValue>& fields,
                            const Dialect& dialect) {
  return Insert(table, fields, dialect, dialect.afterBoundInsertName);
}

std::string InsertExStatement(const std::string& table, const std::vector<FieldValue>& fields,
                              const Dialect& dialect) {
  return Insert(table, fields, dialect, "");
}

std::string UpdateStatement(const std::string& table, const std::vector<FieldValue>& fields,
                            const std::string& condition, const Dialect& dialect) {
  std::string text;
  text.reserve(RoughSize(table, fields) + condition.size());
  text += "UPDATE ";
  text += table;
  text += "\n\t SET ";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += ',';
    schema::AppendQuotedColumnName(text, fields[i].name, dialect, " = ");
    AppendValue(text, fields[i]);
  }
  return text + schema::MakeWhereClause(condition);
}

std::string DeleteStatement(const std::string& table, const std::string& condition) {
  return "DELETE FROM " + table + "\n\t " + schema::MakeWhereClause(condition);
}

}  // namespace quorlin::records
