#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>
#include <cstring>

#include "platform/resources.h"

namespace quorlin::platform {
namespace {

// Converts UTF-8 text into the character set of the current locale. Fails when the text
// cannot be represented there.
bool ToProcessCodePage(const std::string& utf8, std::string& out) {
  const char* codeset = nl_langinfo(CODESET);
  if (codeset == nullptr || *codeset == '\0' || strcasecmp(codeset, "UTF-8") == 0 ||
      strcasecmp(codeset, "utf8") == 0) {
    out = utf8;
    return true;
  }
  iconv_t cd = iconv_open(codeset, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string result(utf8.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* outPtr = result.data();
  std::size_t outLeft = result.size();
  const std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return false;
  result.resize(result.size() - outLeft);
  out = std::move(result);
  return true;
}

}  // namespace

ModuleHandle RegisterLibraryModule(const StringTable& table) {
  return &table;
}

bool UserInterfaceIsChinese() {
  const char* messages = setlocale(LC_MESSAGES, nullptr);
  return messages != nullptr && std::strncmp(messages, "zh", 2) == 0;
}

std::string LoadResourceString(unsigned id) {
  const auto* table = static_cast<const StringTable*>(CurrentResourceModule());
  if (table == nullptr) return {};
  for (std::size_t i = 0; i < table->count; ++i) {
    const StringResource& entry = table->entries[i];
    if (entry.id != id) continue;
    std::string text;
    const bool chinese = UserInterfaceIsChinese() || entry.english == nullptr;
    if (chinese && entry.chinese != nullptr && ToProcessCodePage(entry.chinese, text)) {
      return text;
    }
    // English is ASCII and so fits every code page.
    if (entry.english != nullptr) return entry.english;
    // A table without English, in a code page without Chinese: UTF-8, which the toolkit's
    // text conversion still reads.
    return entry.chinese != nullptr ? entry.chinese : std::string();
  }
  return {};
}

}  // namespace quorlin::platform
