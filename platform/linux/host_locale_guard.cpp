#include "platform/linux/host_locale_guard.h"

#include <clocale>

namespace quorlin::platform {
namespace {

// setlocale hands out a buffer that the next call overwrites, so keep a copy.
std::string CurrentLocale(int category) {
  const char* name = std::setlocale(category, nullptr);
  return name != nullptr ? std::string(name) : std::string();
}

}  // namespace

HostLocaleGuard::HostLocaleGuard()
    : m_all(CurrentLocale(LC_ALL)), m_numeric(CurrentLocale(LC_NUMERIC)) {}

HostLocaleGuard::~HostLocaleGuard() {
  // glibc accepts its own composite LC_ALL text ("LC_CTYPE=...;LC_NUMERIC=...") back.
  if (!m_all.empty()) std::setlocale(LC_ALL, m_all.c_str());
  if (!m_numeric.empty()) std::setlocale(LC_NUMERIC, m_numeric.c_str());
}

}  // namespace quorlin::platform
