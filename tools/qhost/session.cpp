#include "session.h"

#include "arguments.h"

namespace qhost {

std::string Session::LastErrorText() const {
  if (m_exports.SQLLastError == nullptr) return "this library has no SQLLastError";
  char text[QUORLIN_LAST_ERROR_SIZE] = {};
  if (m_exports.SQLLastError(text, sizeof text) != 0) return "SQLLastError failed";
  return text;
}

bool Session::Failed(long result) {
  const std::string text = LastErrorText();
  if (text == m_errorBeforeCommand) {
    m_out << result << " (no new error; last error: " << text << ")\n";
  } else {
    m_out << result << " (error: " << text << ")\n";
  }
  return false;
}

bool Session::Succeeded() {
  m_out << "ok\n";
  return true;
}

int Session::TakeConnectionId(Arguments& arguments) {
  if (std::optional<Word> word = arguments.Peek(); word && !word->quoted) {
    if (word->text == "$id") {
      arguments.TakeOptional();
      if (!m_currentConnection) throw UsageError("$id: there is no current connection");
      return *m_currentConnection;
    }
    if (IsInt(word->text)) return ParseInt(*arguments.TakeOptional(), "connection id");
  }
  if (!m_currentConnection) {
    throw UsageError("no current connection: connect first or give a connection id");
  }
  return *m_currentConnection;
}

}  // namespace qhost
