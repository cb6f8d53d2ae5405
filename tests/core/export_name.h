#pragma once
// The name under which the DLL exports a function of the header: decorated on 32-bit Windows
// (_Name@Bytes, the bytes the callee pops: each argument in whole 32-bit slots), plain on
// 64-bit Windows. Hosts that load the library by path look exports up this way.
#include <cstddef>
#include <string>

#include "quorlin.h"

namespace quorlin::test {

template <typename Result, typename... Arguments>
std::string ExportName(const char* name, Result(QUORLIN_CALL*)(Arguments...)) {
#if defined(_WIN32) && !defined(_WIN64)
  const std::size_t bytes = (std::size_t{0} + ... + ((sizeof(Arguments) + 3) / 4 * 4));
  return "_" + std::string(name) + "@" + std::to_string(bytes);
#else
  return name;
#endif
}

}  // namespace quorlin::test
