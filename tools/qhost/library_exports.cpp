#include "library_exports.h"

#include <string>

namespace qhost {

namespace {

// The plain name first (Linux, 64-bit Windows), then the decorated stdcall name.
ExportAddress FindExport(const SharedLibrary& library, const char* name, int argumentCount) {
  if (ExportAddress address = library.Find(name)) return address;
  return library.Find("_" + std::string(name) + "@" + std::to_string(4 * argumentCount));
}

template <typename Pointer>
void Resolve(const SharedLibrary& library, const char* name, int argumentCount, Pointer& pointer) {
  pointer = reinterpret_cast<Pointer>(FindExport(library, name, argumentCount));
}

}  // namespace

ExportTable::ExportTable(const SharedLibrary& library) {
#define QHOST_RESOLVE_EXPORT(name, argumentCount) Resolve(library, #name, argumentCount, name);
  QHOST_FOR_EACH_EXPORT(QHOST_RESOLVE_EXPORT)
#undef QHOST_RESOLVE_EXPORT
}

std::vector<ExportTable::Presence> ExportTable::Listing() const {
  std::vector<Presence> listing;
#define QHOST_LIST_EXPORT(name, argumentCount) listing.push_back({#name, name != nullptr});
  QHOST_FOR_EACH_EXPORT(QHOST_LIST_EXPORT)
#undef QHOST_LIST_EXPORT
  return listing;
}

}  // namespace qhost
