#include "environment_options.h"

#include <cstdlib>

namespace mirvale {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace

std::string UnattendedPdfPath() {
  return Variable("MIRVALE_PDF_OUTPUT");
}

std::string UnattendedMetafilePath() {
  return Variable("MIRVALE_EMF_OUTPUT");
}

std::string CallLogPath() {
  return Variable("MIRVALE_CALL_LOG");
}

}  // namespace mirvale
