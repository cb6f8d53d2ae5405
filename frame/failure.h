#pragma once

#include <optional>
#include <string>
#include <utility>

#include "profiles/profile.h"

namespace quorlin::frame {

// A failure as the host is told it. Every text a host can read comes from one of three
// places: the message table, the active profile (which may also say nothing), or the words
// of the database, its driver or the system. Subsystems make these and either throw them,
// ending the export with its failure result, or return them in an Outcome; the frame alone
// turns them into the last-error text and the debug box.
class Failure {
 public:
  enum class Source : unsigned char { kMessageTable, kProfile, kOwnWords };

  static Failure Message(unsigned messageId) { return Failure(Source::kMessageTable, messageId); }
  // databaseText is what the profile may pass on (profile::FailureReport::Kind::kDatabaseText).
  static Failure OfProfile(profile::Failure failure, std::string databaseText = {}) {
    Failure made(Source::kProfile, 0, std::move(databaseText));
    made.m_profileFailure = failure;
    return made;
  }
  // Words of the database, its driver or the system (the platform's own failure texts
  // included), reported as they are.
  static Failure Words(std::string text) { return Failure(Source::kOwnWords, 0, std::move(text)); }

  // The same failure shown in a message box whatever the debug flag, leaving the last-error
  // text as it is: what a host that asked for no error text still has to see.
  Failure ShownInMessageBox() && {
    m_messageBoxOnly = true;
    return std::move(*this);
  }

  Source From() const { return m_source; }
  bool MessageBoxOnly() const { return m_messageBoxOnly; }
  unsigned MessageId() const { return m_messageId; }
  profile::Failure ProfileFailure() const { return m_profileFailure; }
  const std::string& Text() const { return m_text; }

 private:
  Failure(Source source, unsigned messageId, std::string text = {})
      : m_source(source), m_messageId(messageId), m_text(std::move(text)) {}

  Source m_source;
  unsigned m_messageId;
  profile::Failure m_profileFailure = profile::Failure::kUnexpected;
  bool m_messageBoxOnly = false;
  std::string m_text;
};

// How a subsystem's step ended when its export returns a value: the value, and what the
// host is told besides, where an export reports a failure and still goes on (a rejected
// CREATE TABLE, an absolute move that falls back to a walk), or returns its failure result
// on a path too frequent to throw on (the end of a walk).
template <typename Result>
struct Outcome {
  Outcome(Result result) : value(result) {}  // NOLINT: a plain value is an outcome
  Outcome(Result result, Failure told) : value(result), report(std::move(told)) {}

  Result value;
  std::optional<Failure> report;
};

}  // namespace quorlin::frame
