#include "records/field_reading.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "connections/connection_registry.h"
#include "platform/db_exception.h"
#include "platform/recordset.h"
#include "platform/text.h"
#include "profiles/profile.h"

namespace quorlin::records {

using connections::Registry;
using platform::CDBException;
using platform::CRecordset;

namespace {

constexpr std::size_t kSlotSize = QUORLIN_GET_SLOT_SIZE;
constexpr std::size_t kNameSize = sizeof(BindEntry{}.fieldName);

CRecordset* CurrentWithRecords() {
  CRecordset* recordset = Registry().CurrentRecordset();
  if (recordset == nullptr || (recordset->IsBOF() && recordset->IsEOF())) return nullptr;
  return recordset;
}

}  // namespace

int GetFieldValue(const char* field, char* buffer, int size) {
  if (buffer == nullptr || size < 1) return 0;
  buffer[0] = '\0';
  CRecordset* recordset = CurrentWithRecords();
  if (recordset == nullptr) return 0;
  // An unknown field or no current record throws; the export frame reports it.
  std::string value = recordset->GetFieldValue(field != nullptr ? field : "");
  if (profile::Active().fieldValuesLoseTrailingBlanks) {
    value = platform::TrimTrailingBlanks(std::move(value));
  }
  platform::CopyIntoSlot(value, buffer, static_cast<std::size_t>(size));
  return 1;
}

frame::Outcome<int> GetFields(int count, const BindEntry* entries, char* buffer) {
  if (count < 1 || entries == nullptr || buffer == nullptr) return 0;
  const std::uint64_t bytes = static_cast<std::uint64_t>(count) * kSlotSize;
  if (bytes > SIZE_MAX) return 0;
  const auto blockSize = static_cast<std::size_t>(bytes);
  CRecordset* recordset = CurrentWithRecords();
  if (recordset == nullptr || (recordset->IsOpen() && (recordset->IsBOF() || recordset->IsEOF()))) {
    std::memset(buffer, 0, blockSize);
    if (recordset == nullptr) return 0;
    return {0, frame::Failure::Words(CRecordset::kNoCurrentRecord)};
  }
  // All names resolved at once, and remembered by the recordset for the next record.
  const std::vector<int>* indices = nullptr;
  try {
    indices = &recordset->FieldIndices(entries[0].fieldName, sizeof(BindEntry), kNameSize,
                                       static_cast<std::size_t>(count));
  } catch (const CDBException&) {
    // An unknown name: go one by one below, so that the slots before it are filled.
  }
  if (indices != nullptr) {
    // Every slot is written whole, so the block needs no clearing first, except when the record
    // cannot be read; the export frame reports that.
    try {
      recordset->CopyCurrentValues(*indices, buffer, kSlotSize);
    } catch (...) {
      std::memset(buffer, 0, blockSize);
      throw;
    }
    return 1;
  }
  // A failure leaves the slots filled so far; the export frame reports it.
  std::memset(buffer, 0, blockSize);
  const platform::RowText& row = recordset->CurrentRow();
  for (std::size_t filled = 0; filled < static_cast<std::size_t>(count); ++filled) {
    const int index =
        recordset->FieldIndex(platform::FixedFieldText(entries[filled].fieldName, kNameSize));
    platform::CopyIntoSlot(row[static_cast<std::size_t>(index)], buffer + filled * kSlotSize,
                           kSlotSize);
  }
  return 1;
}

}  // namespace quorlin::records
