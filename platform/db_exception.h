#pragma once

#include <stdexcept>
#include <string>

namespace quorlin::platform {

// A database failure with the driver manager's or driver's own diagnostic text, which the
// exports hand to the host unchanged.
class CDBException : public std::runtime_error {
 public:
  explicit CDBException(std::string text, std::string state = {}, std::string statement = {})
      : std::runtime_error(text),
        m_strError(std::move(text)),
        m_state(std::move(state)),
        m_statement(std::move(statement)) {}

  const std::string& ErrorText() const { return m_strError; }
  // The SQLSTATE of the first diagnostic record; empty for the library's own errors.
  const std::string& State() const { return m_state; }
  // The statement that failed, when there was one.
  const std::string& Statement() const { return m_statement; }

 private:
  std::string m_strError;
  std::string m_state;
  std::string m_statement;
};

}  // namespace quorlin::platform
