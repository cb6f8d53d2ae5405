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

// How much of a value strncpy would copy into size bytes: up to its first zero byte, which
// some drivers hand over inside values (MariaDB's, in BLOBs and texts).
std::size_t CopiedLength(const char* value, std::size_t length, std::size_t size) {
  const std::size_t bounded = length < size ? length : size;
  const void* zero = std::memchr(value, '\0', bounded);
  return zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - value)
                         : bounded;
}

// strncpy over size bytes: zero-filled, no terminator forced when the text fills them.
void CopyZeroFilled(const std::string& text, char* buffer, std::size_t size) {
  const std::size_t length = CopiedLength(text.data(), text.size(), size);
  std::memcpy(buffer, text.data(), length);
  std::memset(buffer + length, 0, size - length);
}

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
  CopyZeroFilled(value, buffer, static_cast<std::size_t>(size));
  return 1;
}

frame::Outcome<int> GetFields(int count, const BindEntry* entries, char* buffer) {
  if (count < 1 || entries == nullptr || buffer == nullptr) return 0;
  const std::uint64_t bytes = static_cast<std::uint64_t>(count) * kSlotSize;
  if (bytes > SIZE_MAX) return 0;
  // One clear of the whole block up front: small fixed-size clears per slot compile to
  // string instructions that cost more than the reads themselves.
  std::memset(buffer, 0, static_cast<std::size_t>(bytes));
  CRecordset* recordset = CurrentWithRecords();
  if (recordset == nullptr) return 0;
  if (recordset->IsOpen() && (recordset->IsBOF() || recordset->IsEOF())) {
    return {0, frame::Failure::Words(CRecordset::kNoCurrentRecord)};
  }
  // A failure leaves the slots filled so far; the export frame reports it.
  const platform::RowText& row = recordset->CurrentRow();
  // All names resolved at once, and remembered by the recordset for the next record.
  const std::vector<int>* indices = nullptr;
  try {
    indices = &recordset->FieldIndices(entries[0].fieldName, sizeof(BindEntry), kNameSize,
                                       static_cast<std::size_t>(count));
  } catch (const CDBException&) {
    // An unknown name: go one by one, so that the slots before it are filled.
  }
  for (std::size_t filled = 0; filled < static_cast<std::size_t>(count); ++filled) {
    const int index =
        indices != nullptr
            ? (*indices)[filled]
            : recordset->FieldIndex(platform::FixedFieldText(entries[filled].fieldName, kNameSize));
    const std::string_view value = row[static_cast<std::size_t>(index)];
    // An empty value may have no storage at all; its slot is already zero.
    if (!value.empty()) {
      std::memcpy(buffer + filled * kSlotSize, value.data(),
                  CopiedLength(value.data(), value.size(), kSlotSize));
    }
  }
  return 1;
}

}  // namespace quorlin::records
