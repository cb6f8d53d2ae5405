#include "records/record_statements.h"

#include "schema/identifier_quoting.h"
#include "schema/where_clause.h"

namespace quorlin::records {

using schema::Dialect;
using schema::QuoteColumnName;
using schema::QuoteForm;

namespace {

std::string Values(const std::vector<FieldValue>& fields) {
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += ",";
    text += QuotedValue(fields[i]);
  }
  return text;
}

std::string Insert(const std::string& table, const std::vector<FieldValue>& fields, Dialect dialect,
                   QuoteForm form) {
  std::string text = "INSERT INTO " + table + "\n\t(";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += ",";
    text += QuoteColumnName(fields[i].name, dialect, form);
  }
  return text + ")" + "\n\t" + "VALUES(" + Values(fields) + ")";
}

}  // namespace

std::string QuotedValue(const FieldValue& field) {
  const bool quoted = field.typeCode == 2 || field.typeCode == 3;
  return quoted ? "'" + field.value + "'" : field.value;
}

std::string InsertStatement(const std::string& table, const std::vector<FieldValue>& fields) {
  return Insert(table, fields, Dialect::kStandard, QuoteForm::kTrailingBlank);
}

std::string InsertExStatement(const std::string& table, const std::vector<FieldValue>& fields,
                              Dialect dialect) {
  return Insert(table, fields, dialect, QuoteForm::kBare);
}

std::string UpdateStatement(const std::string& table, const std::vector<FieldValue>& fields,
                            const std::string& condition) {
  std::string text = "UPDATE " + table + "\n\t SET ";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += ",";
    text += QuoteColumnName(fields[i].name, Dialect::kStandard, QuoteForm::kAssignment);
    text += QuotedValue(fields[i]);
  }
  return text + schema::MakeWhereClause(condition);
}

std::string DeleteStatement(const std::string& table, const std::string& condition) {
  return "DELETE FROM " + table + "\n\t " + schema::MakeWhereClause(condition);
}

}  // namespace quorlin::records
