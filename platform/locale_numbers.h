#pragma once

namespace quorlin::platform {

// strtod in the classic "C" locale: "." is the decimal point whatever the host's
// LC_NUMERIC says; text without a number gives 0.
double StrToDoubleClassic(const char* text);

}  // namespace quorlin::platform
