#include "platform/linux/connection_form.h"

#include "platform/text.h"

namespace quorlin::platform {
namespace {

bool Mentions(const std::string& text, const char* word) {
  return MbsFind(MbsUpper(text), MbsUpper(word)) != std::string::npos;
}

bool SourceMentions(const ConnectionSource& source, const char* word) {
  if (Mentions(source.name, word) || Mentions(source.description, word)) return true;
  for (const auto& attribute : source.attributes) {
    if (Mentions(attribute.second, word)) return true;
  }
  return false;
}

bool NeedsBraces(const std::string& value) {
  return value.find_first_of(";{}") != std::string::npos ||
         (!value.empty() && (IsWhiteSpace(value.front()) || IsWhiteSpace(value.back())));
}

std::string Pair(const std::string& key, const std::string& value) {
  return key + "=" + (NeedsBraces(value) ? "{" + value + "}" : value);
}

bool IsEmptyDataSource(const std::pair<std::string, std::string>& pair) {
  return MbsIEqual(Trim(pair.first), "DSN") && Trim(pair.second).empty();
}

bool NamesItsSource(const std::vector<std::pair<std::string, std::string>>& pairs) {
  for (const auto& pair : pairs) {
    const std::string key = Trim(pair.first);
    if ((MbsIEqual(key, "DRIVER") || MbsIEqual(key, "DSN") || MbsIEqual(key, "FILEDSN")) &&
        !Trim(pair.second).empty()) {
      return true;
    }
  }
  return false;
}

std::string Join(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string joined;
  for (const auto& pair : pairs) {
    if (!joined.empty()) joined += ';';
    joined += pair.first + "=" + pair.second;
  }
  return joined;
}

}  // namespace

bool IsFileDatabase(const ConnectionSource& source) {
  return SourceMentions(source, "sqlite");
}

std::string DefaultPort(const ConnectionSource& source) {
  if (SourceMentions(source, "postgres") || SourceMentions(source, "psql")) return "5432";
  if (SourceMentions(source, "mysql") || SourceMentions(source, "maria")) return "3306";
  if (SourceMentions(source, "sql server") || SourceMentions(source, "tds")) return "1433";
  return {};
}

std::vector<std::string> FieldsFor(const ConnectionSource& source) {
  const bool file = IsFileDatabase(source);
  if (source.kind == SourceKind::kDataSource) {
    if (file) return {};
    return {kUserKey, kPasswordKey};
  }
  if (file) return {kDatabaseKey};
  return {kServerKey, kPortKey, kDatabaseKey, kUserKey, kPasswordKey};
}

std::string ComposeConnectString(const ConnectionSource& source,
                                 const std::vector<std::pair<std::string, std::string>>& fields,
                                 const std::string& furtherAttributes) {
  std::string connect =
      Pair(source.kind == SourceKind::kDataSource ? "DSN" : "DRIVER", source.name);
  for (const auto& field : fields) {
    if (!field.second.empty()) connect += ";" + Pair(field.first, field.second);
  }
  std::string further = Trim(furtherAttributes);
  while (!further.empty() && further.front() == ';') further = Trim(further.substr(1));
  while (!further.empty() && further.back() == ';')
    further = Trim(further.substr(0, further.size() - 1));
  if (!further.empty()) connect += ";" + further;
  return connect;
}

std::vector<std::pair<std::string, std::string>> SplitConnectString(const std::string& connect) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::size_t position = 0;
  while (position < connect.size()) {
    const std::size_t equals = connect.find('=', position);
    const std::size_t semicolon = connect.find(';', position);
    if (equals == std::string::npos || (semicolon != std::string::npos && semicolon < equals)) {
      // A piece without a value: skipped, as the driver manager does.
      if (semicolon == std::string::npos) break;
      position = semicolon + 1;
      continue;
    }
    std::string key = connect.substr(position, equals - position);
    std::size_t end = equals + 1;
    if (end < connect.size() && connect[end] == '{') {
      const std::size_t close = connect.find('}', end);
      end = close == std::string::npos ? connect.size() : close + 1;
    }
    end = std::min(connect.find(';', end), connect.size());
    pairs.emplace_back(std::move(key), connect.substr(equals + 1, end - equals - 1));
    position = end + 1;
  }
  return pairs;
}

std::string ReconnectableConnectString(const std::string& driverOutput, const std::string& sent) {
  if (Trim(driverOutput).empty()) return sent;
  std::vector<std::pair<std::string, std::string>> pairs = SplitConnectString(driverOutput);
  if (NamesItsSource(pairs)) return driverOutput;

  std::vector<std::pair<std::string, std::string>> repaired;
  for (const auto& pair : SplitConnectString(sent)) {
    const std::string key = Trim(pair.first);
    if (MbsIEqual(key, "DRIVER") || MbsIEqual(key, "DSN") || MbsIEqual(key, "FILEDSN")) {
      repaired.push_back(pair);
      break;
    }
  }
  for (auto& pair : pairs) {
    if (!IsEmptyDataSource(pair)) repaired.push_back(std::move(pair));
  }
  return Join(repaired);
}

}  // namespace quorlin::platform
