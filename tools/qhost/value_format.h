#pragma once

#include <cstddef>
#include <string>

namespace qhost {

// A double as a person writes it: 3.5, 17.5, 5, 1e+20, with a decimal point in every locale.
std::string FormatNumber(double value);

// An elapsed time with one decimal, "12.3 ms", with a decimal point in every locale.
std::string FormatMilliseconds(double milliseconds);

// The text in a buffer the library filled like strncpy: up to the first zero byte, or all
// `size` bytes when the value filled the buffer without a terminator.
std::string TextOfSlot(const char* slot, std::size_t size);

// A value between double quotes, with a note when it filled its buffer without a terminator
// (so it may have been cut short).
std::string QuotedValue(const char* slot, std::size_t size);

}  // namespace qhost
