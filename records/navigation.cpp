#include "records/navigation.h"

#include "connections/connection_registry.h"
#include "platform/db_exception.h"
#include "platform/recordset.h"
#include "profiles/profile.h"
#include "quorlin.h"

namespace quorlin::records {

using connections::Registry;
using frame::Failure;
using frame::Outcome;
using platform::CDBException;
using platform::CRecordset;

namespace {

bool IsEmpty(const CRecordset& recordset) {
  return recordset.IsBOF() && recordset.IsEOF();
}

CRecordset& RequireCurrentRecordset() {
  CRecordset* recordset = Registry().CurrentRecordset();
  if (recordset == nullptr) throw Failure::OfProfile(profile::Failure::kNoCurrentRecordset);
  return *recordset;
}

// Stands on record position (counted from 1) by walking from the first, for a recordset
// that cannot move there directly.
void WalkTo(CRecordset& recordset, int position) {
  recordset.MoveFirst();
  for (int i = 1; i < position; ++i) recordset.MoveNext();
}

}  // namespace

int UseTable(int id, const std::string& table) {
  connections::ConnectionEntry* entry = Registry().FindConnection(id);
  if (entry == nullptr) return -1;
  CRecordset* recordset = entry->FindRecordset(table);
  if (recordset == nullptr) return -1;
  Registry().SetCurrentRecordset(recordset);
  return 0;
}

Outcome<int> MoveRecord(unsigned int direction) {
  CRecordset* recordset = &RequireCurrentRecordset();
  if (IsEmpty(*recordset)) return -1;
  if (recordset->IsOpen() && ((direction == QUORLIN_MOVE_NEXT && recordset->IsEOF()) ||
                              (direction == QUORLIN_MOVE_PREVIOUS && recordset->IsBOF()))) {
    // Every walk ends here: returned, not thrown.
    return {-1, Failure::Words(CRecordset::kPastEnd)};
  }
  // A failed move throws; the export frame reports the database's text.
  switch (direction) {
    case QUORLIN_MOVE_FIRST:
      recordset->MoveFirst();
      break;
    case QUORLIN_MOVE_PREVIOUS:
      recordset->MovePrev();
      break;
    case QUORLIN_MOVE_NEXT:
      recordset->MoveNext();
      break;
    case QUORLIN_MOVE_LAST:
      recordset->MoveLast();
      break;
    default:
      break;
  }
  return 0;
}

Outcome<int> MoveTo(int position) {
  CRecordset& recordset = RequireCurrentRecordset();
  if (IsEmpty(recordset)) return -1;
  std::string refusal;
  try {
    recordset.Move(position, CRecordset::fetchAbsolute);
    return 0;
  } catch (const CDBException& e) {
    refusal = e.ErrorText();
  }
  // The refusal is reported and the walk succeeds; a failed walk reports its own text.
  WalkTo(recordset, position);
  return {0, Failure::Words(std::move(refusal))};
}

Outcome<int> GetRowCount() {
  CRecordset* recordset = Registry().CurrentRecordset();
  if (recordset == nullptr) return profile::Active().rowCountWithoutRecordset;
  int count = 0;
  try {
    // A snapshot that knows its size exactly needs no walk; it still ends on the first record.
    if (const auto known = recordset->KnownRecordCount()) {
      recordset->MoveFirst();
      return static_cast<int>(*known);
    }
    recordset->MoveFirst();
    while (!recordset->IsEOF()) {
      recordset->MoveNext();
      ++count;
    }
    recordset->MoveFirst();
  } catch (const CDBException& e) {
    return {count, Failure::Words(e.ErrorText())};
  }
  return count;
}

}  // namespace quorlin::records
