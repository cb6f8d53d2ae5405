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
  m_out << result << " (error: " << text << ")";
  // Unchanged, the text is either this failure's, the same as the last one's, or an older one
  // that this failure left alone; qhost cannot tell which, so it says only that.
  if (text == m_errorBeforeCommand) m_out << " (same text as before)";
  m_out << "\n";
  return false;
}

bool Session::MarkLastError() {
  m_marker.reset();
  if (m_debugFlag != 0 || m_exports.SQLCreateTableEx == nullptr) return false;
  const std::string before = LastErrorText();
  // No names and no types: refused before any connection is looked up.
  m_exports.SQLCreateTableEx(-1, 1, "", nullptr, nullptr, nullptr);
  const std::string marker = LastErrorText();
  // Unchanged, the text may not be the refusal's; comparing with the text before the command
  // then serves as well as anything.
  if (marker == before) return false;
  m_marker = marker;
  return true;
}

bool Session::ReportedSomething() const {
  return LastErrorText() != (m_marker ? *m_marker : m_errorBeforeCommand);
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
