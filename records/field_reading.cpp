#include "records/field_reading.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "connections/connection_registry.h"
#include "frame/report.h"
#include "platform/db_exception.h"
#include "platform/recordset.h"
#include "platform/text.h"

namespace quorlin::records {

using connections::Registry;
using platform::CDBException;
using platform::CRecordset;

namespace {

constexpr std::size_t kSlotSize = QUORLIN_GET_SLOT_SIZE;
constexpr std::size_t kNameSize = sizeof(BindEntry{}.fieldName);

// strncpy over size bytes: zero-filled, no terminator forced when the text fills them.
void CopyZeroFilled(const std::string& text, char* buffer, std::size_t size) {
  const std::size_t length = text.size() < size ? text.size() : size;
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
  try {
    const std::string value =
        platform::TrimTrailingBlanks(recordset->GetFieldValue(field != nullptr ? field : ""));
    CopyZeroFilled(value, buffer, static_cast<std::size_t>(size));
  } catch (const CDBException& e) {
    frame::ReportMessage(e.ErrorText());
    return 0;
  }
  return 1;
}

int GetFields(int count, const BindEntry* entries, char* buffer) {
  if (count < 1 || entries == nullptr || buffer == nullptr) return 0;
  const std::uint64_t bytes = static_cast<std::uint64_t>(count) * kSlotSize;
  if (bytes > SIZE_MAX) return 0;
  std::memset(buffer, 0, static_cast<std::size_t>(bytes));
  CRecordset* recordset = CurrentWithRecords();
  if (recordset == nullptr) return 0;
  try {
    for (int i = 0; i < count; ++i) {
      // A name that fills its 64 bytes without a terminator is read as 64 characters.
      const std::string name = platform::FixedFieldText(entries[i].fieldName, kNameSize);
      const int index = recordset->FieldIndex(name);
      CopyZeroFilled(recordset->FieldValueRef(index),
                     buffer + static_cast<std::size_t>(i) * kSlotSize, kSlotSize);
    }
  } catch (const CDBException& e) {
    frame::ReportMessage(e.ErrorText());
    return 0;
  }
  return 1;
}

}  // namespace quorlin::records
