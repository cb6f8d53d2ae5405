#pragma once

#include "platform/recordset.h"
#include "viewer/viewer_recordset.h"

namespace quorlin::viewer {

// The library's own recordset as the dialog sees it. Borrows the recordset: the dialog never
// closes or frees what it shows.
class RecordsetAdapter : public ViewerRecordset {
 public:
  explicit RecordsetAdapter(platform::CRecordset& recordset) : m_recordset(recordset) {}

  bool IsBOF() const override { return m_recordset.IsBOF(); }
  bool IsEOF() const override { return m_recordset.IsEOF(); }
  void MoveFirst() override { m_recordset.MoveFirst(); }
  void MoveNext() override { m_recordset.MoveNext(); }
  void MovePrev() override { m_recordset.MovePrev(); }
  void MoveLast() override { m_recordset.MoveLast(); }

  int FieldCount() const override { return m_recordset.GetODBCFieldCount(); }
  std::string FieldName(int index) const override { return m_recordset.GetFieldName(index); }
  std::string FieldValue(int index) override { return m_recordset.GetFieldValue(index); }

 private:
  platform::CRecordset& m_recordset;
};

}  // namespace quorlin::viewer
