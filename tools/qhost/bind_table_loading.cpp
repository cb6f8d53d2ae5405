#include "bind_table_loading.h"

#include <memory>
#include <new>

#include "value_format.h"

namespace qhost {

namespace {

struct OperatorDelete {
  void operator()(BindEntry* entries) const { ::operator delete(entries); }
};

}  // namespace

bool LoadBindTable(Session& session, const std::string& path, std::vector<BindEntry>& entries) {
  QHOST_REQUIRE(session, getBindTable, GetBindTable);
  BindEntry* array = nullptr;
  unsigned int count = 0;
  const int result = getBindTable(path.c_str(), &array, &count);
  const std::unique_ptr<BindEntry, OperatorDelete> owned(result == 1 ? array : nullptr);
  if (result != 1) return session.Failed(result);
  entries.assign(array, array + count);
  return true;
}

std::string FieldNameOf(const BindEntry& entry) {
  return TextOfSlot(entry.fieldName, sizeof entry.fieldName);
}

}  // namespace qhost
