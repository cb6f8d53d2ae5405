#pragma once

#include <cstddef>
#include <string>

namespace quorlin::platform {

// One entry of a string table, in UTF-8, in the languages the library carries (a null text
// where a table has none in that language).
struct StringResource {
  unsigned id;
  const char* english;
  const char* chinese;
};

struct StringTable {
  const StringResource* entries;
  std::size_t count;
};

// Identifies the module whose resources a lookup searches.
using ModuleHandle = const void*;

// The library's own module. On Windows its resources are the DLL's string table and the
// table passed here is not consulted; elsewhere the table is the module's resources.
ModuleHandle RegisterLibraryModule(const StringTable& table);

// The module resource lookups search; the export frame points it at the library while an
// export runs and puts the host's back afterwards. Inline: every export swaps it twice.
namespace detail {
inline ModuleHandle currentResourceModule = nullptr;  // the host's: Linux hosts have none
}
inline ModuleHandle CurrentResourceModule() {
  return detail::currentResourceModule;
}
inline void SetCurrentResourceModule(ModuleHandle module) {
  detail::currentResourceModule = module;
}

// The string with that id from the current resource module, in the user interface language
// (Chinese when it is Chinese, English otherwise; Chinese where the table has no English) and
// in the process code page. Empty when the id is not there.
std::string LoadResourceString(unsigned id);

// True when the user interface language is Chinese.
bool UserInterfaceIsChinese();

}  // namespace quorlin::platform
