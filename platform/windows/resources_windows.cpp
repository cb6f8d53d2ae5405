#include <windows.h>

#include "platform/resources.h"

namespace quorlin::platform {
namespace {

// String tables are stored in blocks of 16 counted UTF-16 strings; block n holds the ids
// (n - 1) * 16 to (n - 1) * 16 + 15.
constexpr unsigned kStringsPerBlock = 16;

// RT_STRING is spelled for the narrow API outside UNICODE builds; the type number is the same.
const LPCWSTR kStringTableType = MAKEINTRESOURCEW(LOWORD(reinterpret_cast<ULONG_PTR>(RT_STRING)));

HMODULE CurrentModule() {
  return static_cast<HMODULE>(const_cast<void*>(CurrentResourceModule()));
}

WORD UserInterfaceLanguage() {
  return UserInterfaceIsChinese() ? MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)
                                  : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

// The UTF-16 text of id in the language's string table of module; empty when the module has
// no such block or the block has no text for id. Reads nothing beyond the block.
std::wstring FindString(HMODULE module, unsigned id, WORD language) {
  const HRSRC found = FindResourceExW(module, kStringTableType,
                                      MAKEINTRESOURCEW(id / kStringsPerBlock + 1), language);
  if (found == nullptr) return {};
  const HGLOBAL loaded = LoadResource(module, found);
  const auto* cursor =
      loaded != nullptr ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
  if (cursor == nullptr) return {};
  const WCHAR* const end = cursor + SizeofResource(module, found) / sizeof(WCHAR);
  for (unsigned index = 0; cursor < end; ++index) {
    const std::size_t length = *cursor++;
    if (length > static_cast<std::size_t>(end - cursor)) return {};
    if (index == id % kStringsPerBlock) return std::wstring(cursor, length);
    cursor += length;
  }
  return {};
}

// Converts to the process ANSI code page. Fails when a character has no form there, so that
// the caller can fall back to a text that has one.
bool ToProcessCodePage(const std::wstring& text, std::string& out) {
  if (text.empty()) {
    out.clear();
    return true;
  }
  const int wideLength = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, &lossy);
  if (length <= 0 || lossy) return false;
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, result.data(), length, nullptr, nullptr);
  out = std::move(result);
  return true;
}

int FunctionOfThisModule() {
  return 0;
}

}  // namespace

ModuleHandle RegisterLibraryModule(const StringTable&) {
  HMODULE module = nullptr;
  // Any function of this DLL identifies it; the library stays loaded while it runs, so the
  // handle needs no reference of its own.
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&FunctionOfThisModule), &module);
  return module;
}

bool UserInterfaceIsChinese() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE;
}

std::string LoadResourceString(unsigned id) {
  const HMODULE module = CurrentModule();
  // Resource ids are 16 bits wide; a larger one would wrap onto another block.
  if (module == nullptr || id > 0xFFFF) return {};
  const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const WORD preferred = UserInterfaceLanguage();
  std::string text;
  if (preferred != english && ToProcessCodePage(FindString(module, id, preferred), text) &&
      !text.empty()) {
    return text;
  }
  // English is ASCII and so fits every code page.
  if (ToProcessCodePage(FindString(module, id, english), text) && !text.empty()) return text;
  // A table that has Chinese only.
  const WORD chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
  if (preferred != chinese && ToProcessCodePage(FindString(module, id, chinese), text)) {
    return text;
  }
  return {};
}

}  // namespace quorlin::platform
