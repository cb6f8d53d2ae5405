#pragma once

#include <string>
#include <utility>
#include <vector>

// What the connection dialog edits, apart from any window: the source the operator picks
// (a data source or a driver), the attributes that source needs, and the connect string
// made of them. Texts are in the process code page, like every ODBC text here.
namespace quorlin::platform {

enum class SourceKind { kDataSource, kDriver };

struct ConnectionSource {
  SourceKind kind = SourceKind::kDriver;
  std::string name;
  // A data source's driver, or a driver's own description.
  std::string description;
  // A driver's entries in the driver manager's configuration (Driver=..., Setup=...).
  std::vector<std::pair<std::string, std::string>> attributes;
};

// The connect-string keywords the dialog asks for, in the order it shows them.
inline constexpr char kDatabaseKey[] = "Database";
inline constexpr char kServerKey[] = "Server";
inline constexpr char kPortKey[] = "Port";
inline constexpr char kUserKey[] = "UID";
inline constexpr char kPasswordKey[] = "PWD";

// The attributes a source needs: Database for file databases (SQLite); Server, Port,
// Database, UID and PWD for database servers; UID and PWD for a data source of a server
// (the rest is in its definition), nothing for a data source of a file database.
std::vector<std::string> FieldsFor(const ConnectionSource& source);

// True for drivers that open a database file instead of talking to a server.
bool IsFileDatabase(const ConnectionSource& source);

// The usual port of a server driver, or empty when not known.
std::string DefaultPort(const ConnectionSource& source);

// DSN=name or DRIVER=name, then every non-empty field, then the operator's further
// attributes (key=value pairs separated by semicolons) as typed. Values that a semicolon or
// brace would split are put in braces.
std::string ComposeConnectString(const ConnectionSource& source,
                                 const std::vector<std::pair<std::string, std::string>>& fields,
                                 const std::string& furtherAttributes);

// The key=value pairs of a connect string, values unchanged (braces kept).
std::vector<std::pair<std::string, std::string>> SplitConnectString(const std::string& connect);

// The completed connect string a driver returned, made to connect again: some drivers
// (SQLite's among them) leave out their own name and hand back an empty DSN=, which the
// driver manager cannot resolve. Such a string gets the source of the string it answered
// (its DSN= or DRIVER= pair) in place of the empty DSN. An empty answer gives the string
// that was sent.
std::string ReconnectableConnectString(const std::string& driverOutput, const std::string& sent);

}  // namespace quorlin::platform
