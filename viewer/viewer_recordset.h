#pragma once

#include <string>

namespace quorlin::viewer {

// What the View data dialog needs of the recordset it shows. Database failures throw
// platform::CDBException; the dialog reports some and ends others silently.
class ViewerRecordset {
 public:
  virtual ~ViewerRecordset() = default;

  virtual bool IsBOF() const = 0;
  virtual bool IsEOF() const = 0;
  virtual void MoveFirst() = 0;
  virtual void MoveNext() = 0;
  virtual void MovePrev() = 0;
  virtual void MoveLast() = 0;

  virtual int FieldCount() const = 0;
  virtual std::string FieldName(int index) const = 0;
  // The value of a field of the current record as text, exactly as the recordset delivers it.
  virtual std::string FieldValue(int index) = 0;
};

}  // namespace quorlin::viewer
