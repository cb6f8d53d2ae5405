#include "platform/linux/odbc_catalog.h"

#include <cstring>

namespace quorlin::platform {
namespace {

constexpr SQLSMALLINT kNameSize = 512;
constexpr SQLSMALLINT kDetailSize = 8192;

std::string TextOf(const SQLCHAR* buffer) {
  return reinterpret_cast<const char*>(buffer);
}

// A driver's attributes come as "key=value\0key=value\0\0".
std::vector<std::pair<std::string, std::string>> SplitAttributeList(const SQLCHAR* list,
                                                                    std::size_t size) {
  std::vector<std::pair<std::string, std::string>> attributes;
  const char* entry = reinterpret_cast<const char*>(list);
  const char* const end = entry + size;
  while (entry < end && *entry != '\0') {
    const std::size_t length = strnlen(entry, static_cast<std::size_t>(end - entry));
    const std::string text(entry, length);
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos) {
      attributes.emplace_back(text.substr(0, equals), text.substr(equals + 1));
    }
    entry += length + 1;
  }
  return attributes;
}

std::string DescriptionOf(const std::vector<std::pair<std::string, std::string>>& attributes) {
  for (const auto& attribute : attributes) {
    if (attribute.first == "Description") return attribute.second;
  }
  return {};
}

}  // namespace

std::vector<ConnectionSource> ListDataSources(SQLHENV environment) {
  std::vector<ConnectionSource> sources;
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  SQLCHAR name[kNameSize] = {};
  SQLCHAR driver[kDetailSize] = {};
  SQLSMALLINT nameLength = 0;
  SQLSMALLINT driverLength = 0;
  while (Succeeded(SQLDataSources(environment, direction, name, kNameSize, &nameLength, driver,
                                  kDetailSize, &driverLength))) {
    direction = SQL_FETCH_NEXT;
    ConnectionSource source;
    source.kind = SourceKind::kDataSource;
    source.name = TextOf(name);
    source.description = TextOf(driver);
    if (!source.name.empty()) sources.push_back(std::move(source));
  }
  return sources;
}

std::vector<ConnectionSource> ListDrivers(SQLHENV environment) {
  std::vector<ConnectionSource> drivers;
  SQLCHAR name[kNameSize] = {};
  SQLCHAR attributes[kDetailSize];
  SQLSMALLINT nameLength = 0;
  SQLSMALLINT attributesLength = 0;
  for (SQLUSMALLINT direction = SQL_FETCH_FIRST;; direction = SQL_FETCH_NEXT) {
    // A list cut short by the buffer must not run on into the previous driver's entries.
    std::memset(attributes, 0, sizeof attributes);
    if (!Succeeded(SQLDrivers(environment, direction, name, kNameSize, &nameLength, attributes,
                              kDetailSize - 1, &attributesLength))) {
      break;
    }
    ConnectionSource driver;
    driver.kind = SourceKind::kDriver;
    driver.name = TextOf(name);
    driver.attributes = SplitAttributeList(attributes, sizeof attributes);
    driver.description = DescriptionOf(driver.attributes);
    if (!driver.name.empty()) drivers.push_back(std::move(driver));
  }
  return drivers;
}

}  // namespace quorlin::platform
