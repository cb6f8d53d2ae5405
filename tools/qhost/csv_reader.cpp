#include "csv_reader.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace qhost {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// Walks the text once, field by field; `m_line` follows every line end, quoted ones too.
class CsvParser {
 public:
  CsvParser(const std::string& text, const std::string& sourceName)
      : m_text(text), m_sourceName(sourceName) {
    if (m_text.compare(0, 3, kByteOrderMark) == 0) m_position = 3;
  }

  std::vector<CsvRecord> Records() {
    std::vector<CsvRecord> records;
    while (m_position < m_text.size()) {
      if (AtLineEnd()) {
        SkipLineEnd();  // an empty line is no record
        continue;
      }
      CsvRecord record;
      record.line = m_line;
      do {
        record.fields.push_back(ReadField());
      } while (TakeComma());
      if (m_position < m_text.size()) SkipLineEnd();
      records.push_back(std::move(record));
    }
    return records;
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw CsvError(m_sourceName + ":" + std::to_string(line) + ": " + what);
  }

  // LF, CRLF, or a CR that ends the text.
  bool AtLineEnd() const {
    const char c = m_text[m_position];
    if (c == '\n') return true;
    return c == '\r' && (m_position + 1 == m_text.size() || m_text[m_position + 1] == '\n');
  }

  void SkipLineEnd() {
    m_position += m_text[m_position] == '\r' && m_position + 1 < m_text.size() ? 2 : 1;
    ++m_line;
  }

  bool TakeComma() {
    if (m_position < m_text.size() && m_text[m_position] == ',') {
      ++m_position;
      return true;
    }
    return false;
  }

  bool AtFieldEnd() const {
    return m_position == m_text.size() || m_text[m_position] == ',' || AtLineEnd();
  }

  std::string ReadField() {
    if (m_position < m_text.size() && m_text[m_position] == '"') return ReadQuotedField();
    std::string field;
    while (!AtFieldEnd()) {
      const char c = m_text[m_position++];
      if (c == '"') {
        Fail(m_line,
             "a double quote inside an unquoted field (quote the whole field and double "
             "the quotes inside it)");
      }
      if (c == '\0') Fail(m_line, "a zero byte in a field");
      field += c;
    }
    return field;
  }

  std::string ReadQuotedField() {
    const int startLine = m_line;
    std::string field;
    ++m_position;  // the opening quote
    for (;;) {
      if (m_position == m_text.size()) Fail(startLine, "a quoted field is not closed");
      const char c = m_text[m_position++];
      if (c == '"') {
        if (m_position < m_text.size() && m_text[m_position] == '"') {
          field += '"';
          ++m_position;
          continue;
        }
        break;
      }
      if (c == '\0') Fail(m_line, "a zero byte in a field");
      if (c == '\n') ++m_line;
      field += c;
    }
    if (!AtFieldEnd()) Fail(m_line, "text after the closing quote of a field");
    return field;
  }

  const std::string& m_text;
  const std::string& m_sourceName;
  std::size_t m_position = 0;
  int m_line = 1;
};

}  // namespace

std::vector<CsvRecord> ParseCsv(const std::string& text, const std::string& sourceName) {
  return CsvParser(text, sourceName).Records();
}

std::vector<CsvRecord> ReadCsvFile(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) throw CsvError(path + " is a folder");
  std::ifstream file(path, std::ios::binary);
  if (!file) throw CsvError("cannot open " + path);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw CsvError("cannot read " + path);
  return ParseCsv(text, path);
}

}  // namespace qhost
